// Private: the QWidget that is a TWinControl's window. It carries the
// window procedure chain and the backing image, and turns every Qt event it
// (or the control's inner Qt widget) receives into messages.
#pragma once
#include "platform/qt/Bridge.h"

#include <QEvent>
#include <QImage>
#include <QPointer>
#include <QRegion>
#include <QWidget>

#include <map>
#include <optional>
#include <vector>

struct HCURSOR__ {
    QCursor Cursor;
};

namespace platform::detail {

class TBridgeWidget;

// The control-side record of a window: what survives without a Qt widget.
struct TWindowData {
    // The client area inside the window rectangle (WM_NCCALCSIZE), valid
    // until the size or the frame changes.
    bool NCValid = false;
    TPoint ClientOffset;
    TSize ClientSize;
    QPointer<QWidget> Inner;
    QPointer<QWidget> MenuBar; // forms only
    TCursor ClassCursor = crArrow;
    TColor ClassBackground = clNone;
    UINT ClassStyle = 0;
};

// The Qt event being turned into messages: a control's DefaultHandler marks
// it reached so that the Qt widget then gets the event.
struct TEventContext {
    TBridgeWidget* Window = nullptr;
    UINT Msg = 0;
    bool DefaultReached = false;
    WPARAM WParam = 0;
    TEventContext* Outer = nullptr;
};
extern TEventContext* CurrentEvent;

class TBridgeWidget : public QWidget {
public:
    TBridgeWidget(TWinControl* Control, QWidget* Parent, Qt::WindowFlags Flags);
    ~TBridgeWidget() override;

    TWinControl* Control() const { return FControl; }
    // An id of the handle table; it stays refused once the window goes.
    HWND Handle() const { return FHandle; }
    // The control goes: the window is hidden, forgets it and is deleted later.
    void Detach();

    // ---- Window procedure chain (see WinUser.h) ----
    struct TProcEntry {
        WNDPROC Proc;
        WNDPROC Prev;
    };
    std::vector<TProcEntry> Procs; // bottom first; Procs[0] is the control's own entry
    std::map<WNDPROC, WNDPROC> Removed;
    WNDPROC TopProc() const { return Procs.back().Proc; }
    // Sends a message through the chain (SendMessage).
    LRESULT Send(UINT Msg, WPARAM WParam, LPARAM LParam);

    // ---- Backing image and painting ----
    QImage Image;
    QRegion Invalid; // client coordinates
    bool EraseNeeded = false;
    bool FrameInvalid = true;
    HDC PaintDC = nullptr; // while WM_PAINT runs (BeginPaint)
    QRegion PaintRegion;   // client coordinates, while WM_PAINT runs
    void InvalidateClient(const QRect* Rect, bool Erase);
    void ValidateClient(const QRect* Rect);
    // Makes the image the window's size (invalidating everything when it was not).
    void EnsureImage();
    // Paints what is invalid into the image; returns the image part painted.
    QRegion RenderInvalid();

    // ---- Geometry ----
    bool ApplyingGeometry = false;
    void SetGeometryQuietly(const QRect& Rect);

    // ---- Geometry of the control's client area in the window ----
    QPoint ClientOffset();
    QSize ClientSize();
    DWORD& StyleRef(bool Ex);

    // ---- Input ----
    bool HasFocus = false;
    // Routes Widget's input through this window (the inner widget and its parts).
    void Route(QWidget* Widget);
    // Replays a message that reached the default handler of a wrapped
    // control without coming from a Qt event, as a Qt event to the inner widget.
    void ReplayToInner(const TMessage& Message);
    // A wheel event of a part of the window that is no control of its own
    // (a window scroll bar): the window's wheel message. True when swallowed.
    bool DeliverWheel(QWidget* Source, QEvent* Event) { return HandleWheel(Source, Event); }

protected:
    bool event(QEvent* Event) override;
    void paintEvent(QPaintEvent* Event) override;
    // The focus moves by the Tab order (TabOrder, WM_GETDLGCODE), never by Qt's focus chain.
    bool focusNextPrevChild(bool) override { return false; }
    bool eventFilter(QObject* Watched, QEvent* Event) override;

private:
    enum TMouseOutcome { moSwallowed, moDefault, moTransparent };
    TMouseOutcome HandleMouse(QWidget* Source, QEvent* Event);
    // Each returns true when the event was swallowed (not for Qt).
    bool HandleWheel(QWidget* Source, QEvent* Event);
    bool HandleKey(QEvent* Event);
    void HandleFocus(QEvent* Event);
    void HandleGeometry(QEvent* Event);
    // Sends Msg for the current Qt event; true when the default handler was reached.
    bool SendForEvent(UINT Msg, WPARAM WParam, LPARAM LParam, LRESULT* Result = nullptr,
                      WPARAM* WParamAtDefault = nullptr);

    TWinControl* FControl;
    HWND FHandle = nullptr;
    std::vector<QPointer<QWidget>> FRouted;
    bool FReplaying = false;
};

// The window widget behind a handle, or null when it is not a live window.
TBridgeWidget* BridgeOf(HWND Wnd);
// The window of a widget: the nearest bridge among it and its parents.
TBridgeWidget* BridgeAbove(QWidget* Widget);
// The entry of every window's chain: the control's MainWndProc.
LRESULT ControlWindowProc(HWND Wnd, UINT Msg, WPARAM WParam, LPARAM LParam);
// The platform's default handling of a message for a window (DefWindowProc).
void DefaultWindowBehaviour(TWinControl* Control, TMessage& Message);
// Paints the standard frame of a window (borders, client edge) into its image.
void PaintWindowFrame(TWinControl* Control, DWORD Style, DWORD ExStyle);
// The window rectangle inside the frame a window draws itself (WS_BORDER,
// WS_EX_STATICEDGE, WS_EX_CLIENTEDGE), in window coordinates: where its
// scroll bars and its client area lie.
QRect FrameInsideRect(TWinControl* Control, DWORD Style, DWORD ExStyle);
// Where the window scroll bars lie (window coordinates; empty when the style
// has no such bar), and the square between them when both show.
struct TScrollBarRects {
    QRect Vert;
    QRect Horz;
    QRect Corner;
};
TScrollBarRects ScrollBarRects(TWinControl* Control, DWORD Style, DWORD ExStyle);
// Shows, hides and places the QScrollBars of a window's own scroll bars
// (platform/qt/ScrollBars.cpp) as its style and size say.
void SyncScrollBars(TBridgeWidget* Window);
// A message posted to a window (PostMessageA), sent through its chain when the loop runs.
class TPostedMessage : public QEvent {
public:
    static QEvent::Type EventType();
    TPostedMessage(UINT AMsg, WPARAM AWParam, LPARAM ALParam)
        : QEvent(EventType()), Msg(AMsg), WParam(AWParam), LParam(ALParam)
    {
    }
    UINT Msg;
    WPARAM WParam;
    LPARAM LParam;
};

// The window that holds the mouse (SetCapture), or null.
extern HWND CaptureWindow;

// The Qt cursor of a standard cursor id (crArrow ...).
QCursor StandardCursor(TCursor Cursor);

// The virtual-key code of a Qt key (0 when there is none).
WORD VirtualKeyOf(int QtKey, Qt::KeyboardModifiers Modifiers);
int QtKeyOf(WORD VirtualKey);
// Keyboard modifiers and mouse buttons as the last input event left them.
extern Qt::KeyboardModifiers InputModifiers;
extern Qt::MouseButtons InputButtons;
extern QPoint LastMouseScreenPos;
extern bool HaveLastMouseScreenPos;
// Above 0 while a mouse event is being turned into messages.
extern int MouseEventDepth;

// The control the mouse is over (graphic or windowed), kept for
// CM_MOUSEENTER / CM_MOUSELEAVE; ControlGone forgets a control that is freed.
void SetMouseControl(TControl* Control);
TControl* MouseControl();
void ControlGone(TControl* Control);
// The mouse is over window Under (null: over none of ours) at ClientPos, in
// its client coordinates; Grab is a window whose wrapped Qt widget holds the
// mouse for a press. The control under the pointer becomes the mouse
// control, but while a window holds the mouse only within that window.
void TrackMouseControl(TBridgeWidget* Under, QPoint ClientPos, TBridgeWidget* Grab);
// The window under a screen point, or null when none of ours is there.
TBridgeWidget* WindowAt(QPoint ScreenPos);

// A window device context on a window (client area or whole window).
HDC CreateWindowDC(TBridgeWidget* Window, bool Client, bool ForPaint);

// A top-level window follows a resize from the grip or border (startSystemResize or the fallback drag).
void StartWindowResize(TBridgeWidget* Window, int HitTest, QPoint GlobalPos);

} // namespace platform::detail
