// Private: the QWidget that is a window, and the window's record. It carries
// the window procedure chain, the window's styles, class and client area,
// and the backing image, and turns every Qt event it (or the inner Qt widget
// the class library put in it) receives into messages.
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

namespace platform::detail {

class TBridgeWidget;

// The Qt event being turned into messages: the window's default procedure
// marks it reached so that the Qt widget then gets the event.
struct TEventContext {
    TBridgeWidget* Window = nullptr;
    UINT Msg = 0;
    bool DefaultReached = false;
    WPARAM WParam = 0;
};
extern TEventContext* CurrentEvent;

// Where the window scroll bars lie (window coordinates; empty when the style
// has no such bar), and the square between them when both show.
struct TScrollBarRects {
    QRect Vert;
    QRect Horz;
    QRect Corner;
};

class TBridgeWidget : public QWidget {
public:
    TBridgeWidget(const TWindowParams& Params, QWidget* Parent, Qt::WindowFlags Flags);
    ~TBridgeWidget() override;

    // An id of the handle table; it stays refused once the window goes.
    HWND Handle() const { return FHandle; }
    // False once the class library is done with the window (it is hidden and deleted later).
    bool Live() const { return FLive; }
    void* Param() const { return FParam; }
    void Detach();

    // ---- Window procedure chain (see WinUser.h) ----
    struct TProcEntry {
        WNDPROC Proc;
        WNDPROC Prev;
    };
    std::vector<TProcEntry> Procs; // bottom first; Procs[0] is the class library's procedure
    std::map<WNDPROC, WNDPROC> Removed;
    WNDPROC TopProc() const { return Procs.back().Proc; }
    // Sends a message through the chain (SendMessage).
    LRESULT Send(UINT Msg, WPARAM WParam, LPARAM LParam);
    // Asks the class library: straight to its procedure, past the hooks (as Perform does).
    LRESULT AskClass(UINT Msg, WPARAM WParam, LPARAM LParam);
    // The default window procedure (DefWindowProc); sets the message's
    // Result where it has an answer.
    void DefaultMessage(TMessage& Message);

    // ---- Styles and class ----
    DWORD Style = 0;
    DWORD ExStyle = 0;
    UINT ClassStyle = 0;
    QCursor ClassCursor;
    TColor ClassBackground = clNone;
    TColor Color = clWhite; // a new backing image's colour before anything paints it
    bool Framed = false;
    QPointer<QWidget> Inner;
    QPointer<QWidget> MenuBar; // top-level windows
    // The window's frame as the default procedure sees it.
    TWindowShape Shape() const;

    // ---- Backing image and painting ----
    QImage Image;
    QRegion Invalid; // client coordinates
    bool EraseNeeded = false;
    bool FrameInvalid = true;
    HDC PaintDC = nullptr; // while WM_PAINT runs (BeginPaint)
    void InvalidateClient(const QRect* Rect, bool Erase);
    void ValidateClient(const QRect* Rect);
    // Makes the image the window's size (invalidating everything when it was not).
    void EnsureImage();
    // After a new size: the frame and what the class style asks to repaint.
    void Resized(const std::optional<QRect>& OldClient);
    // Paints what is invalid into the image; returns the image part painted.
    QRegion RenderInvalid();

    // ---- Geometry ----
    bool ApplyingGeometry = false;
    // Where the class library placed the window (parent window coordinates).
    QRect Placement;
    void SetGeometryQuietly(const QRect& Rect);
    // The client area (WM_NCCALCSIZE), worked out when first asked after the size or the frame changed.
    QPoint ClientOffset();
    QSize ClientSize();
    // Forgets the client area; answers its size when it was known.
    std::optional<QSize> InvalidateClientArea();
    // The client area (window coordinates) when it is worked out, without working it out.
    std::optional<QRect> KnownClientRect() const
    {
        return FClientValid ? std::optional(QRect(FClientOffset, FClientSize)) : std::nullopt;
    }

    // ---- Input ----
    bool HasFocus = false;
    // The window was last said to be shown (WM_SHOWWINDOW).
    bool ShownNotified = false;
    // The cursor over the window, its inner widget included (an answer to WM_SETCURSOR).
    void ShowCursor(const QCursor& Cursor);
    // Routes Widget's input through this window (the inner widget and its parts).
    void Route(QWidget* Widget);
    // Replays a message that reached the default procedure of a wrapped
    // window without coming from a Qt event, as a Qt event to the inner widget.
    void ReplayToInner(const TMessage& Message);

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
    // Sends Msg for the current Qt event; true when the default procedure was reached.
    bool SendForEvent(UINT Msg, WPARAM WParam, LPARAM LParam, LRESULT* Result = nullptr,
                      WPARAM* WParamAtDefault = nullptr);
    void PaintFrame();

    HWND FHandle = nullptr;
    void* FParam;
    bool FLive = true;
    std::vector<QPointer<QWidget>> FRouted;
    bool FReplaying = false;
    bool FClientValid = false;
    QPoint FClientOffset;
    QSize FClientSize;
};

// The window widget behind a handle, or null when it is not a live window.
TBridgeWidget* BridgeOf(HWND Wnd);
// The window of a widget: the nearest bridge among it and its parents.
TBridgeWidget* BridgeAbove(QWidget* Widget);
// Child windows and popups draw their own borders; a form's frame is the window manager's.
bool DrawsOwnFrame(const TWindowShape& Shape);
// Where the window scroll bars of a window of this shape lie.
TScrollBarRects ScrollBarRects(const TWindowShape& Shape);
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

// Sent to the widget with the focus to take its caret away (DestroyCaret).
QEvent::Type HideCaretEventType();

// The window that holds the mouse (SetCapture), or null.
extern HWND CaptureWindow;

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

// The pointer is over window Under (null: over none of ours) at ClientPos,
// in its client coordinates; Grab is a window whose wrapped Qt widget holds
// the mouse for a press. While a window holds the mouse only that window
// counts. The window left hears WM_MOUSELEAVE first, then the window under
// the pointer CM_POINTEROVER: the class library works out which of its
// controls is under the pointer (graphic ones are no windows).
void TrackPointer(TBridgeWidget* Under, QPoint ClientPos, TBridgeWidget* Grab);
// The window the pointer left (QEvent::Leave).
void PointerLeft(TBridgeWidget* Window);
// The window under a screen point, or null when none of ours is there.
TBridgeWidget* WindowAt(QPoint ScreenPos);
// The window that takes the mouse aimed at Window: Window itself or, when it
// or a window it lies in is disabled, the nearest enabled window above them
// all; null when its top-level window is disabled. A top-level window (an
// owned popup too) is its own top: its owner's state does not count.
TBridgeWidget* MouseInputWindow(TBridgeWidget* Window);
// Ends the capture (WM_CAPTURECHANGED to the holder) when Window or a window
// inside it, short of another top-level window, holds it.
void ReleaseCaptureWithin(TBridgeWidget* Window);

// A window device context on a window (client area or whole window).
HDC CreateWindowDC(TBridgeWidget* Window, bool Client, bool ForPaint);

// A top-level window follows a resize from the grip or border (startSystemResize or the fallback drag).
void StartWindowResize(TBridgeWidget* Window, int HitTest, QPoint GlobalPos);
// True when a fallback resize drag from Window took the mouse event.
bool FollowResizeDrag(TBridgeWidget* Window, QEvent* Event, QPoint GlobalPos);

} // namespace platform::detail
