// Private: what the controls' own sources share about their windows in the
// window system (platform/qt/Bridge.h).
#pragma once
#include "platform/controls/WinControl.h"
#include "platform/qt/Guarded.h"

#include <QPointer>
#include <QWidget>

#include <map>
#include <memory>

template <class T> T* TWinControl::InnerWidgetAs() const
{
    return qobject_cast<T*>(platform::detail::InnerWidget(FHandle));
}

namespace platform::detail {

// The window widget of a control, created when needed.
inline QWidget* WindowWidget(TWinControl* Control)
{
    return WidgetOf(Control->GetHandle());
}

// The Qt cursor of a standard cursor id (crArrow ...), and of a cursor of
// Screen->Cursors.
QCursor StandardCursor(TCursor Cursor);
QCursor ToQCursor(TCursor Cursor);

// The screen's cursors (Screen->Cursors, empty while there is no screen) and
// the one it forces on every window (Screen->Cursor), kept below the forms so
// that every control reads them.
struct TScreenCursors {
    TCursor Forced = crDefault;
    std::map<int, std::unique_ptr<HCURSOR__>> Map;
};
TScreenCursors& ScreenCursors();
// The cursor registered under Index, the arrow for an unknown one; null without a screen.
HCURSOR ScreenCursor(int Index);
// Forces Cursor on every window (Screen->Cursor); crDefault lets each window show its own.
void SetForcedCursor(TCursor Cursor);

// The drag of a control (Control_Drag.cpp): its share of a message to
// Control, true when the message is the drag's alone; a control that goes.
bool DragIntercepts(TControl* Control, TMessage& Message);
void DragControlGone(TControl* Control);

// The control the mouse is over (graphic or windowed), kept for
// CM_MOUSEENTER / CM_MOUSELEAVE; ControlGone forgets a control that is freed.
void SetMouseControl(TControl* Control);
TControl* MouseControl();
void ControlGone(TControl* Control);
// The window system's news from a window's procedure: the pointer is over
// Window at a client point (CM_POINTEROVER), or it left Window (WM_MOUSELEAVE).
void MouseOverWindow(TWinControl* Window, TPoint ClientPos);
void MouseLeftWindow(TWinControl* Window);

// A slot for a signal of the Qt widget inside Window (a control's window):
// runs Body, guarded, while Window is still Control's window (a window and
// its widgets outlive their control for a moment).
template <typename F> auto ForControl(TWinControl* Control, QWidget* Window, F Body)
{
    return [Control, Window = QPointer<QWidget>(Window), Body] {
        const HWND Wnd = Window ? HandleOf(Window) : nullptr;
        if (!Wnd || FindControl(Wnd) != Control) return;
        Guarded(Wnd, Body);
    };
}

} // namespace platform::detail
