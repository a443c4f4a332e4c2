// Private: what the controls' own sources share about their windows in the
// window system (platform/qt/Bridge.h).
#pragma once
#include "platform/controls/WinControl.h"
#include "platform/qt/Guarded.h"

#include <QPointer>
#include <QWidget>

namespace platform::detail {

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
