// Private bridge between the controls and their Qt widgets, for platform
// sources only (controls that wrap Qt widgets, menus, dialogs, GDI calls).
#pragma once
#include "platform/controls/Forms.h"
#include "platform/graphics/QtGraphics.h" // colours, fonts, rectangles and points

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

// ---- Forms and menus --------------------------------------------------------------

// Puts Bar at the top of the form's window (null takes it away). The client
// size stays; the form's outer height becomes the bar's height + the client height.
void SetFormMenuBar(TCustomForm* Form, QMenuBar* Bar);
QMenuBar* FormMenuBar(TCustomForm* Form);
// Set by the menus unit: told when a form's Menu changes, so that the menu
// can build its bar (SetFormMenuBar) or take it away.
extern void (*FormMenuChanged)(TCustomForm* Form, TMainMenu* OldMenu, TMainMenu* NewMenu);

// ---- Conversions --------------------------------------------------------------------

QCursor ToQCursor(TCursor Cursor);

} // namespace platform::detail
