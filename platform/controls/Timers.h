// The timer component over QTimer. It runs only while Enabled, Interval > 0
// and OnTimer is assigned; changing any of the three starts the count afresh.
// An interval below 10 ms runs at 10 ms, as window timers do.
#pragma once
#include "platform/classes/Classes.h"

class TTimer : public TComponent {
public:
    QM_CLASS(TTimer, TComponent)
    explicit TTimer(TComponent* AOwner);
    ~TTimer() override;

    bool GetEnabled() const { return FEnabled; }
    void SetEnabled(bool Value);
    // Milliseconds.
    Cardinal GetInterval() const { return FInterval; }
    void SetInterval(Cardinal Value);
    // A property with a setter, as the class library has it: assigning the
    // handler restarts the timer.
    const TNotifyEvent& GetOnTimer() const { return FOnTimer; }
    void SetOnTimer(TNotifyEvent Value);

protected:
    virtual void Timer();

private:
    // The Qt timer behind it.
    class TBridge;
    void UpdateTimer();

    bool FEnabled = true;
    Cardinal FInterval = 1000;
    TNotifyEvent FOnTimer;
    TBridge* FBridge;
};
