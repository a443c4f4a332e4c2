// Private: code that a Qt signal or event runs (a click, a change, a menu
// command, a timer's tick) runs through Guarded, so that no exception
// crosses Qt: whatever escapes goes to the class library's handler, as at
// the bridge.
#pragma once
#include "platform/qt/Bridge.h"

namespace platform::detail {

template <typename F> void Guarded(HWND Wnd, F&& Body)
{
    try {
        Body();
    } catch (...) {
        HandleWindowException(Wnd);
    }
}

} // namespace platform::detail
