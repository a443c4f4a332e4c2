// Window timers over QTimer. A window's timers are children of its widget,
// so they end with the window.
#include "platform/win/WinTimers.h"
#include "platform/qt/BridgeWidget.h"
#include "platform/qt/Guarded.h"
#include "platform/win/WinUser.h"

#include <QPointer>
#include <QTimer>

#include <map>

using namespace platform::detail;

namespace {

using TTimerKey = std::pair<HWND, UINT_PTR>;

std::map<TTimerKey, QPointer<QTimer>>& Timers()
{
    static std::map<TTimerKey, QPointer<QTimer>> Map;
    return Map;
}

UINT_PTR NextFreeId = 1;

void Tick(HWND Wnd, UINT_PTR Id, TIMERPROC TimerFunc)
{
    const DWORD Time = DWORD(MonotonicMilliseconds());
    if (!Wnd) {
        Guarded(nullptr, [&] { TimerFunc(nullptr, WM_TIMER, Id, Time); });
        return;
    }
    if (!BridgeOf(Wnd)) return; // the window is gone
    Guarded(Wnd, [&] {
        if (TimerFunc)
            TimerFunc(Wnd, WM_TIMER, Id, Time);
        else
            SendMessageA(Wnd, WM_TIMER, Id, 0);
    });
}

} // namespace

UINT_PTR SetTimer(HWND Wnd, UINT_PTR IDEvent, UINT Elapse, TIMERPROC TimerFunc)
{
    TBridgeWidget* W = nullptr;
    if (Wnd) {
        W = BridgeOf(Wnd);
        if (!W) return 0;
    } else {
        if (!TimerFunc) return 0;
        while (Timers().count({nullptr, NextFreeId}) || NextFreeId == 0)
            ++NextFreeId;
        IDEvent = NextFreeId++;
    }
    std::erase_if(Timers(), [](const auto& Entry) { return !Entry.second; }); // the timers of windows gone
    QPointer<QTimer>& Slot = Timers()[{Wnd, IDEvent}];
    if (!Slot) Slot = new QTimer(W);
    Slot->disconnect();
    QObject::connect(Slot, &QTimer::timeout, Slot, [Wnd, IDEvent, TimerFunc] { Tick(Wnd, IDEvent, TimerFunc); });
    Slot->start(TimerPeriod(Elapse));
    return Wnd ? (IDEvent ? IDEvent : 1) : IDEvent;
}

BOOL KillTimer(HWND Wnd, UINT_PTR IDEvent)
{
    auto It = Timers().find({Wnd, IDEvent});
    if (It == Timers().end()) return 0;
    QPointer<QTimer> T = It->second;
    Timers().erase(It);
    if (!T) return 0;
    T->stop();
    T->deleteLater();
    return 1;
}
