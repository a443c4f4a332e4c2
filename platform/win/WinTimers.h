// Window timers: WM_TIMER every Elapse milliseconds, on the event loop.
#pragma once
#include "platform/rtl/System.h"
#include "platform/win/WinMessages.h"

#include <algorithm>

using UINT_PTR = std::uintptr_t;
using TIMERPROC = void (*)(HWND Wnd, UINT Msg, UINT_PTR IDEvent, DWORD Time);

// Starts (or restarts with a new interval) timer IDEvent of the window; each
// tick sends WM_TIMER (wParam IDEvent) through the window's chain, or calls
// TimerFunc instead when one is given. Without a window a new id is made and
// TimerFunc is required. Answers the timer's id (0 on failure). A timer ends
// with KillTimer or with its window.
UINT_PTR SetTimer(HWND Wnd, UINT_PTR IDEvent, UINT Elapse, TIMERPROC TimerFunc);
BOOL KillTimer(HWND Wnd, UINT_PTR IDEvent);

// No timer runs faster than every 10 milliseconds, as on Windows.
inline constexpr UINT USER_TIMER_MINIMUM = 0x0000000A;
inline constexpr UINT USER_TIMER_MAXIMUM = 0x7FFFFFFF;

namespace platform::detail {

// The period, in milliseconds, of a timer asked to tick every Elapse: the
// rule of window timers and of TTimer alike.
inline int TimerPeriod(UINT Elapse)
{
    return static_cast<int>(std::clamp(Elapse, USER_TIMER_MINIMUM, USER_TIMER_MAXIMUM));
}

} // namespace platform::detail
