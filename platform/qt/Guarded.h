// Private: the system's code that a Qt signal runs (a click, a change, a menu
// command) runs through Guarded, so that no exception crosses Qt: whatever
// escapes goes to the application object, as at the bridge.
#pragma once
#include "platform/controls/Forms.h"
#include "platform/qt/Bridge.h"

#include <QPointer>
#include <QWidget>

namespace platform::detail {

template <typename F> void Guarded(TObject* Sender, F&& Body)
{
    try {
        Body();
    } catch (...) {
        if (Application) Application->HandleException(Sender);
    }
}

// A slot for a signal of the Qt widget inside Window (a control's window):
// runs Body, guarded, while Window is still Control's window (a window and
// its widgets outlive their control for a moment).
template <typename F> auto ForControl(TWinControl* Control, QWidget* Window, F Body)
{
    return [Control, Window = QPointer<QWidget>(Window), Body] {
        if (!Window || ControlOf(HandleOf(Window)) != Control) return;
        Guarded(Control, Body);
    };
}

} // namespace platform::detail
