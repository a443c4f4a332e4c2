// Waiting in tests for what other threads and timers do: the user-interface
// thread's messages are pumped until a condition holds or a deadline passes.
#pragma once
#include "platform/controls/Forms.h"

#include <chrono>
#include <functional>
#include <thread>

// True when Done() held before TimeoutMs passed.
inline bool PumpUntil(const std::function<bool()>& Done, int TimeoutMs = 5000)
{
    const Int64 Deadline = MonotonicMilliseconds() + TimeoutMs;
    while (!Done()) {
        if (MonotonicMilliseconds() >= Deadline) return false;
        Application->ProcessMessages();
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    return true;
}

// Pumps for a while; for checks that nothing happens.
inline void PumpFor(int Milliseconds)
{
    PumpUntil([] { return false; }, Milliseconds);
}
