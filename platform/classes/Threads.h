// Threads of the class library over std::thread. A thread is made suspended
// and starts when resumed; Synchronize hands a method to the user-interface
// thread and waits for it. POSIX cannot stop a running thread from outside,
// so Suspend of a running thread is a pause that the worker takes at its
// next Synchronize (or wherever it calls WaitWhileSuspended).
#pragma once
#include "platform/classes/Classes.h"

#include <exception>
#include <functional>
#include <memory>

enum TThreadPriority { tpIdle, tpLowest, tpLower, tpNormal, tpHigher, tpHighest, tpTimeCritical };

using TThreadMethod = std::function<void()>;

class TThread : public TObject {
public:
    QM_CLASS(TThread, TObject)
    explicit TThread(bool CreateSuspended);
    ~TThread() override;
    // Starts the thread unless it was created suspended.
    void AfterConstruction() override;
    // A thread that still runs is terminated and waited for; a thread never
    // started runs to its end without executing.
    void BeforeDestruction() override;

    void Resume();
    // Starts a thread created suspended; raises EThread for any other.
    void Start();
    void Suspend();
    void Terminate();
    // Waits for the end and returns ReturnValue. On the user-interface thread
    // the methods other threads hand to Synchronize run meanwhile.
    int WaitFor();
    // False where waiting could never end: on the thread itself, or inside a
    // method that this thread handed to Synchronize and waits for.
    bool CanWaitFor() const;

    bool GetTerminated() const;
    bool GetSuspended() const;
    bool GetFinished() const;
    bool GetFreeOnTerminate() const;
    void SetFreeOnTerminate(bool Value);
    // Kept as a hint; threads here run at the process's priority.
    TThreadPriority GetPriority() const;
    void SetPriority(TThreadPriority Value);
    // What escaped Execute, or null.
    std::exception_ptr GetFatalException() const;

    // Fired on the user-interface thread once Execute has returned.
    TNotifyEvent OnTerminate;

protected:
    virtual void Execute() = 0;
    virtual void DoTerminate();
    // Runs Method on the user-interface thread while this thread waits;
    // an exception it raises is raised again here.
    void Synchronize(const TThreadMethod& Method);
    // The worker's pause point: waits while the thread is suspended and not
    // terminated. Does nothing on any other thread.
    void WaitWhileSuspended();
    int GetReturnValue() const;
    void SetReturnValue(int Value);

private:
    void Run();
    void Launch();
    void Queue(const TThreadMethod& Method, bool HonourPause);

    struct TState;
    std::unique_ptr<TState> FState;
};

// Runs a function on a thread of its own, started at once. What escapes the
// function is kept for the waiter: Wait raises it again.
class TFunctionThread : public TThread {
public:
    QM_CLASS(TFunctionThread, TThread)
    explicit TFunctionThread(std::function<void()> AFunction) : TThread(false), FFunction(std::move(AFunction)) {}
    // Waits for the end; raises what escaped the function, if anything did.
    void Wait();

protected:
    void Execute() override { FFunction(); }

private:
    std::function<void()> FFunction;
};

// How many processors the process may run on, at least one.
int ProcessorCount();

// Runs the methods that threads have handed to Synchronize; call it on the
// user-interface thread. Waits up to Timeout ms for one when none is waiting.
// True when it ran any.
bool CheckSynchronize(int Timeout = 0);
