#include "platform/controls/Timers.h"
#include "platform/qt/Guarded.h"
#include "platform/win/WinTimers.h"

#include <QTimer>

// The Qt side of a TTimer. It outlives its TTimer when the timer is freed
// by its own handler, and is then deleted once the tick has unwound.
class TTimer::TBridge : public QTimer {
public:
    explicit TBridge(TTimer* AOwner) : Owner(AOwner)
    {
        connect(this, &QTimer::timeout, this, [this] { Tick(); });
    }

    void Release()
    {
        Owner = nullptr;
        stop();
        if (InTick)
            deleteLater();
        else
            delete this;
    }

private:
    void Tick()
    {
        if (!Owner) return;
        InTick = true;
        // No exception crosses Qt: the application shows it, as for any message.
        platform::detail::Guarded(nullptr, [this] { Owner->Timer(); });
        InTick = false;
    }

    TTimer* Owner;
    bool InTick = false;
};

TTimer::TTimer(TComponent* AOwner) : TComponent(AOwner), FBridge(new TBridge(this)) {}

TTimer::~TTimer()
{
    FBridge->Release();
}

void TTimer::SetEnabled(bool Value)
{
    if (Value == FEnabled) return;
    FEnabled = Value;
    UpdateTimer();
}

void TTimer::SetInterval(Cardinal Value)
{
    if (Value == FInterval) return;
    FInterval = Value;
    UpdateTimer();
}

void TTimer::SetOnTimer(TNotifyEvent Value)
{
    FOnTimer = std::move(Value);
    UpdateTimer();
}

void TTimer::UpdateTimer()
{
    FBridge->stop();
    if (FInterval != 0 && FEnabled && FOnTimer) FBridge->start(platform::detail::TimerPeriod(FInterval));
}

void TTimer::Timer()
{
    if (!FOnTimer) return;
    // A copy: the handler may assign another one or free the timer.
    const TNotifyEvent Handler = FOnTimer;
    Handler(this);
}
