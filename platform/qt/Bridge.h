// Private bridge between the controls and their Qt widgets, for platform
// sources only (controls that wrap Qt widgets, menus, dialogs, GDI calls).
#pragma once
#include "platform/controls/Forms.h"

#include <QColor>
#include <QCursor>
#include <QFont>
#include <QPoint>
#include <QRect>

class QImage;
class QMenuBar;
class QWidget;
class TMainMenu;

namespace platform::detail {

// ---- Windows and their controls ----------------------------------------------

// The window widget of Wnd, or null when Wnd is not a live window.
QWidget* WidgetOf(HWND Wnd);
HWND HandleOf(QWidget* Window);
// The control of a live window, or null.
TWinControl* ControlOf(HWND Wnd);
// The window widget of a control, created when needed.
QWidget* WindowWidget(TWinControl* Control);
// The backing image of a window (the size of the window), or null.
QImage* BackingImage(HWND Wnd);

// Routes the mouse, key and focus events of Widget (a part of Control's inner
// widget that receives input of its own, such as a scroll area's viewport or
// a combo box's line edit) through Control's window chain like the inner
// widget's own. The inner widget and a scroll area's viewport are routed
// already.
void RouteWidgetEvents(TWinControl* Control, QWidget* Widget);

// ---- Exceptions ----------------------------------------------------------------------

// No exception crosses Qt: where the window system hands an event or a
// message on, it catches what escapes and gives it to the handler that the
// class library registered (the application object's HandleException). Wnd
// is the window the event was for, or null.
using TExceptionHandler = void (*)(HWND Wnd);
void SetExceptionHandler(TExceptionHandler Handler);
// Passes the exception being handled to the registered handler (inside a catch block only).
void HandleWindowException(HWND Wnd);

// ---- Forms and menus --------------------------------------------------------------

// Puts Bar at the top of the form's window (null takes it away). The client
// size stays; the form's outer height becomes the bar's height + the client height.
void SetFormMenuBar(TCustomForm* Form, QMenuBar* Bar);
QMenuBar* FormMenuBar(TCustomForm* Form);
// Set by the menus unit: told when a form's Menu changes, so that the menu
// can build its bar (SetFormMenuBar) or take it away.
extern void (*FormMenuChanged)(TCustomForm* Form, TMainMenu* OldMenu, TMainMenu* NewMenu);

// ---- Conversions --------------------------------------------------------------------

QColor ToQColor(TColor Color); // system colours resolved
TColor FromQColor(const QColor& Color);
// The face (through the platform's substitutions), pixel height and style of a font.
QFont ToQFont(const TFont* Font);
QCursor ToQCursor(TCursor Cursor);
inline QRect ToQRect(const TRect& R)
{
    return QRect(R.Left, R.Top, R.Right - R.Left, R.Bottom - R.Top);
}
inline TRect FromQRect(const QRect& R)
{
    return Bounds(R.x(), R.y(), R.width(), R.height());
}
inline QPoint ToQPoint(const TPoint& P)
{
    return QPoint(P.X, P.Y);
}
inline TPoint FromQPoint(const QPoint& P)
{
    return TPoint(P.x(), P.y());
}

} // namespace platform::detail
