// Private bridge: the window system's side of every window, for platform
// sources only (the class library's controls, menus and dialogs, the GDI and
// user calls). The window system knows a window by its handle and the
// procedure the class library made it with, the bottom of its chain, as the
// real system does: it never names the class library's classes, and what it
// needs to know of them it asks through that procedure.
#pragma once
#include "platform/graphics/Graphics.h"
#include "platform/graphics/QtGraphics.h" // colours, fonts, rectangles and points
#include "platform/win/WinMessages.h"
#include "platform/win/WinStyles.h"

#include <QColor>
#include <QCursor>
#include <QFont>
#include <QPoint>
#include <QRect>

#include <functional>
#include <optional>

class QImage;
class QMimeData;
class QWidget;

struct HCURSOR__ {
    QCursor Cursor;
};

namespace platform::detail {

// ---- Making windows -------------------------------------------------------------------

enum TWindowKind {
    wkChild,    // inside its parent window
    wkPopup,    // top-level, never takes the focus, no frame of the window manager (drop-downs, flyouts, hints)
    wkTopLevel, // top-level, framed by the window manager
};

// What the class library makes a window with: CreateWindowEx's parameters
// and the window class.
struct TWindowParams {
    TWindowKind Kind = wkChild;
    HWND Parent = nullptr; // the parent of a child window, the owner of a top-level one
    DWORD Style = 0;
    DWORD ExStyle = 0;
    // The window manager draws the frame (a form): the window draws no
    // border of its own even when its style is a popup's.
    bool Framed = false;
    UINT ClassStyle = 0;
    QCursor ClassCursor;             // where WM_SETCURSOR is not answered
    TColor ClassBackground = clNone; // painted by the default WM_ERASEBKGND
    TColor Color = clWhite;          // a new backing image's colour before anything paints it
    TRect Rect;                      // in the parent window (a top-level window: on the screen)
    WNDPROC Proc = nullptr;          // the class library's window procedure
    void* Param = nullptr;           // the class library's object (WindowParam)
};
HWND CreateClassWindow(const TWindowParams& Params);
// The class library is done with the window: it is hidden, its handle is
// refused from now on, and it goes once the events being handled are over.
void DestroyClassWindow(HWND Wnd);
// The class library's object of a live window, or null.
void* WindowParam(HWND Wnd);
// New styles and class for a live window (the class library recreating it);
// the client area is worked out again when next asked.
void SetWindowParams(HWND Wnd, const TWindowParams& Params);
void SetWindowColor(HWND Wnd, TColor Color);
// The title of a top-level window.
void SetWindowTitle(HWND Wnd, const AnsiString& Title);

// The class library's own questions, which the window system sends to a
// window's class procedure past the hooks of the chain (as Perform does),
// with WM_NCDESTROY (Qt deleted the window), WM_MOUSELEAVE (the pointer
// left it), CM_SHOWINGCHANGED and CM_BORDERCHANGED (SetWindowPos with
// SWP_FRAMECHANGED):
inline constexpr UINT CM_SETWINDOWPOS = CM_BASE + 0x100; // lParam: the WINDOWPOS of SetWindowPos, to apply
inline constexpr UINT CM_WINDOWMOVED = CM_BASE + 0x101;  // the window manager moved or sized a top-level window
inline constexpr UINT CM_POINTEROVER = CM_BASE + 0x102;  // lParam: the client point under the pointer

// ---- Windows ------------------------------------------------------------------------

// The window widget of Wnd, or null when Wnd is not a live window.
QWidget* WidgetOf(HWND Wnd);
HWND HandleOf(QWidget* Window);
// The window of a widget: the nearest window among it and its parents.
HWND WindowAbove(QWidget* Widget);
// The backing image of a window (the size of the window), or null.
QImage* BackingImage(HWND Wnd);
// Puts the window at Rect (in its parent window; a top-level window on the
// screen) without telling it: the class library has placed it. A new size
// invalidates the client area, the frame and the client's pixels.
void PlaceWindow(HWND Wnd, const TRect& Rect);
// The frame changed: the client area is worked out again and the frame and
// the client repainted. Answers the client size known before, if it was.
std::optional<TSize> InvalidateWindowFrame(HWND Wnd);
// The client area's offset inside the window (GetClientRect has its size).
TPoint WindowClientOffset(HWND Wnd);
// The cursor the window shows now (an answer to WM_SETCURSOR).
void SetWindowCursor(HWND Wnd, const QCursor& Cursor);
// The device context of the WM_PAINT the window is handling, or (Own) a new
// one on its client area for painting, to release.
HDC WindowPaintDC(HWND Wnd, bool& Own);

// The class library's Qt widget inside the window (a wrapped control's
// editor): its input is routed through the window's chain, it takes the
// window's focus and shows.
void SetInnerWidget(HWND Wnd, QWidget* Inner);
QWidget* InnerWidget(HWND Wnd);
// Routes the mouse, key and focus events of Widget (a part of the inner
// widget that receives input of its own, such as a combo box's line edit)
// through the window's chain like the inner widget's own. The inner widget
// and a scroll area's viewport are routed already.
void RouteWidgetEvents(HWND Wnd, QWidget* Widget);
// A top-level window's menu bar, across the top of the window above the
// client area (null takes it away, hidden).
void SetWindowMenuBar(HWND Wnd, QWidget* Bar);
QWidget* WindowMenuBar(HWND Wnd);

// ---- The default window procedure ------------------------------------------------------

// DefWindowProc for a live window: a message that came from a Qt event goes
// on to the Qt widget, the frame, client area, hit test, class cursor and
// background, the context menu. Sets Message.Result where it has an answer.
void DefaultWindowMessage(HWND Wnd, TMessage& Message);

// ---- The default frame ------------------------------------------------------------------

// A window's frame as the default window procedure sees it, for windows the
// class library has not made yet as well.
struct TWindowShape {
    DWORD Style = 0;
    DWORD ExStyle = 0;
    TSize Size;
    bool Framed = false;
};
// WM_NCCALCSIZE: the client area inside Rect that the frame and the window
// scroll bars leave.
void DefaultClientRect(const TWindowShape& Shape, RECT& Rect);
// WM_NCHITTEST at Pos (window coordinates), the client area at Client.
LRESULT DefaultHitTest(const TWindowShape& Shape, QPoint Pos, const QRect& Client, bool MenuBar);

// ---- The application's activation -------------------------------------------------------

// From now on, every window of the program (child windows included) hears
// WM_ACTIVATEAPP, WParam 1 or 0, when the program gains or loses the
// activation. Called once the application object exists.
void WatchApplicationActivation();

// ---- Dragging data out ------------------------------------------------------------------

// The user drags Data (taken) out of Source until dropping or giving it up,
// as the window system runs a drag: the action the drop took, or
// Qt::IgnoreAction. While a runner is set (tests), it sees the drag instead,
// so that nothing waits for a person; an empty one brings back the system's.
using TDragRunner = std::function<Qt::DropAction(QWidget* Source, const QMimeData& Data, Qt::DropActions Actions)>;
Qt::DropAction RunDrag(QWidget* Source, QMimeData* Data, Qt::DropActions Actions);
void SetDragRunner(TDragRunner Runner);

// ---- Exceptions ----------------------------------------------------------------------

// No exception crosses Qt: where the window system hands an event or a
// message on, it catches what escapes and gives it to the handler that the
// class library registered (the application object's HandleException). Wnd
// is the window the event was for, or null.
using TExceptionHandler = void (*)(HWND Wnd);
void SetExceptionHandler(TExceptionHandler Handler);
// Passes the exception being handled to the registered handler (inside a catch block only).
void HandleWindowException(HWND Wnd);

// ---- Conversions --------------------------------------------------------------------

// A point as mouse messages carry it (16-bit x and y), and back.
inline LPARAM PackPoint(QPoint P)
{
    return PointToLParam(TPoint(P.x(), P.y()));
}
inline QPoint UnpackPoint(LPARAM L)
{
    const auto U = static_cast<std::uintptr_t>(L);
    return QPoint(std::int16_t(LOWORD(U)), std::int16_t(HIWORD(U)));
}

} // namespace platform::detail
