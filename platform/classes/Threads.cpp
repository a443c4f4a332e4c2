#include "platform/classes/Threads.h"

#include <QCoreApplication>
#include <QMetaObject>
#include <QThread>

#include <sched.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <condition_variable>
#include <deque>
#include <mutex>
#include <system_error>
#include <thread>
#include <vector>

// Fields marked "under the lock" belong to the one lock of TSync below.
struct TThread::TState {
    std::thread Worker;
    bool CreateSuspended = false;
    int SuspendCount = 1;              // under the lock; every thread is made suspended
    bool Started = false;              // under the lock
    bool Finished = false;             // under the lock
    bool Destroying = false;           // under the lock
    std::exception_ptr FatalException; // under the lock
    std::atomic<bool> Terminated{false};
    std::atomic<bool> FreeOnTerminate{false};
    std::atomic<int> Priority{tpNormal};
    std::atomic<int> ReturnValue{0};

    // Under the lock: the worker may go on past its pause points.
    bool MayRun() const { return SuspendCount == 0 || Terminated; }
};

namespace {

struct TSyncRequest {
    TThread* Thread;
    const TThreadMethod* Method;
    bool Done = false;
    std::exception_ptr Error;
};

// One lock and one condition for every thread: requests queued and done,
// threads resumed, terminated and finished. There are few threads, so waking
// every waiter on each change costs nothing worth saving.
struct TSync {
    std::mutex Lock;
    std::condition_variable Changed;
    std::deque<TSyncRequest*> Queue;
    // User-interface thread only: threads whose synchronized methods run now.
    std::vector<TThread*> Serving;
};

TSync& Sync()
{
    // Never destroyed: a detached worker may still wait on it while the process ends.
    static TSync* S = new TSync;
    return *S;
}

thread_local TThread* CurrentThread = nullptr;

bool IsMainThread()
{
    if (CurrentThread) return false;
    QCoreApplication* App = QCoreApplication::instance();
    return !App || QThread::currentThread() == App->thread();
}

// Called under the lock, so that whatever serves the wake-up sees the request.
void WakeMainThread()
{
    if (QCoreApplication* App = QCoreApplication::instance())
        QMetaObject::invokeMethod(
            App, [] { CheckSynchronize(); }, Qt::QueuedConnection);
}

} // namespace

bool CheckSynchronize(int Timeout)
{
    if (!IsMainThread()) return false;
    TSync& S = Sync();
    std::unique_lock L(S.Lock);
    if (S.Queue.empty() && Timeout > 0)
        S.Changed.wait_for(L, std::chrono::milliseconds(Timeout), [&] { return !S.Queue.empty(); });
    if (S.Queue.empty()) return false;
    std::deque<TSyncRequest*> Pending;
    Pending.swap(S.Queue);
    for (TSyncRequest* R : Pending) {
        L.unlock();
        S.Serving.push_back(R->Thread);
        try {
            (*R->Method)();
        } catch (...) {
            R->Error = std::current_exception();
        }
        S.Serving.pop_back();
        L.lock();
        R->Done = true;
        S.Changed.notify_all();
    }
    return true;
}

TThread::TThread(bool CreateSuspended) : FState(std::make_unique<TState>())
{
    FState->CreateSuspended = CreateSuspended;
}

TThread::~TThread()
{
    // Only a thread freed by its own worker still has one here.
    if (FState->Worker.joinable()) FState->Worker.detach();
}

void TThread::AfterConstruction()
{
    TObject::AfterConstruction();
    if (!FState->CreateSuspended) Resume();
}

void TThread::BeforeDestruction()
{
    TObject::BeforeDestruction();
    TSync& S = Sync();
    bool Running;
    {
        std::lock_guard L(S.Lock);
        Running = !FState->Finished;
        if (Running) {
            if (!CanWaitFor()) throw EThread("Thread cannot wait for itself");
            FState->Destroying = true;
            FState->Terminated = true;
            FState->SuspendCount = 0; // a paused thread runs on to its end
            if (!FState->Started) Launch();
            S.Changed.notify_all();
        }
    }
    if (Running) WaitFor();
    if (FState->Worker.joinable() && CurrentThread != this) FState->Worker.join();
}

// Under the lock.
void TThread::Launch()
{
    FState->SuspendCount = 0;
    FState->Started = true;
    try {
        FState->Worker = std::thread([this] { Run(); });
    } catch (const std::system_error& E) {
        FState->Started = false;
        FState->SuspendCount = 1;
        throw EThread(AnsiString("Thread creation error: ") + E.what());
    }
}

void TThread::Run()
{
    CurrentThread = this;
    TSync& S = Sync();
    {
        // The launcher holds the lock until it has stored this thread's handle.
        std::lock_guard L(S.Lock);
    }
    if (!FState->Terminated) {
        try {
            Execute();
        } catch (...) {
            std::lock_guard L(S.Lock);
            FState->FatalException = std::current_exception();
        }
    }
    const bool FreeThread = FState->FreeOnTerminate;
    try {
        DoTerminate();
    } catch (...) {
        std::lock_guard L(S.Lock);
        if (!FState->FatalException) FState->FatalException = std::current_exception();
    }
    bool FreeNow;
    {
        std::lock_guard L(S.Lock);
        FState->Finished = true;
        // Whoever frees the thread while it ends has taken that job over.
        FreeNow = FreeThread && !FState->Destroying;
        S.Changed.notify_all();
    }
    if (FreeNow) Free(this);
    CurrentThread = nullptr;
}

void TThread::Resume()
{
    TSync& S = Sync();
    std::lock_guard L(S.Lock);
    if (FState->Finished || FState->SuspendCount == 0) return;
    if (--FState->SuspendCount > 0) return;
    if (!FState->Started)
        Launch();
    else
        S.Changed.notify_all();
}

void TThread::Start()
{
    TSync& S = Sync();
    std::lock_guard L(S.Lock);
    if (FState->Started) throw EThread("Cannot call Start on a running or suspended thread");
    Launch();
}

void TThread::Suspend()
{
    TSync& S = Sync();
    std::unique_lock L(S.Lock);
    if (FState->Finished) return;
    ++FState->SuspendCount;
    // A thread that suspends itself stops right here.
    if (CurrentThread == this) S.Changed.wait(L, [this] { return FState->MayRun(); });
}

void TThread::WaitWhileSuspended()
{
    if (CurrentThread != this) return;
    TSync& S = Sync();
    std::unique_lock L(S.Lock);
    S.Changed.wait(L, [this] { return FState->MayRun(); });
}

void TThread::Terminate()
{
    FState->Terminated = true;
    TSync& S = Sync();
    std::lock_guard L(S.Lock); // a paused worker learns of it at once
    S.Changed.notify_all();
}

bool TThread::CanWaitFor() const
{
    if (CurrentThread == this) return false;
    if (!IsMainThread()) return true;
    const auto& Serving = Sync().Serving;
    return std::find(Serving.begin(), Serving.end(), this) == Serving.end();
}

int TThread::WaitFor()
{
    if (!CanWaitFor()) throw EThread("Thread cannot wait for itself");
    TSync& S = Sync();
    const bool Serve = IsMainThread();
    std::unique_lock L(S.Lock);
    if (!FState->Started) return FState->ReturnValue;
    while (!FState->Finished) {
        if (Serve && !S.Queue.empty()) {
            L.unlock();
            CheckSynchronize();
            L.lock();
            continue;
        }
        S.Changed.wait(L);
    }
    return FState->ReturnValue;
}

void TThread::Synchronize(const TThreadMethod& Method)
{
    Queue(Method, true);
}

void TThread::DoTerminate()
{
    // Always through the user-interface thread, which alone reads OnTerminate,
    // so that it may set or change the handler while the thread runs.
    Queue(
        [this] {
            if (OnTerminate) OnTerminate(this);
        },
        false);
}

void TThread::Queue(const TThreadMethod& Method, bool HonourPause)
{
    if (IsMainThread()) {
        Method();
        return;
    }
    TSync& S = Sync();
    TSyncRequest Request{this, &Method, false, nullptr};
    {
        std::unique_lock L(S.Lock);
        // The pause and the queueing happen under one lock, so a Suspend that
        // has returned lets no further request through.
        if (HonourPause && CurrentThread == this) S.Changed.wait(L, [this] { return FState->MayRun(); });
        S.Queue.push_back(&Request);
        S.Changed.notify_all();
        WakeMainThread();
        S.Changed.wait(L, [&] { return Request.Done; });
    }
    if (Request.Error) std::rethrow_exception(Request.Error);
}

bool TThread::GetTerminated() const
{
    return FState->Terminated;
}

bool TThread::GetSuspended() const
{
    std::lock_guard L(Sync().Lock);
    return FState->SuspendCount > 0;
}

bool TThread::GetFinished() const
{
    std::lock_guard L(Sync().Lock);
    return FState->Finished;
}

bool TThread::GetFreeOnTerminate() const
{
    return FState->FreeOnTerminate;
}

void TThread::SetFreeOnTerminate(bool Value)
{
    FState->FreeOnTerminate = Value;
}

TThreadPriority TThread::GetPriority() const
{
    return static_cast<TThreadPriority>(FState->Priority.load());
}

void TThread::SetPriority(TThreadPriority Value)
{
    FState->Priority = Value;
}

std::exception_ptr TThread::GetFatalException() const
{
    std::lock_guard L(Sync().Lock);
    return FState->FatalException;
}

int TThread::GetReturnValue() const
{
    return FState->ReturnValue;
}

void TThread::SetReturnValue(int Value)
{
    FState->ReturnValue = Value;
}

void TFunctionThread::Wait()
{
    WaitFor();
    if (const std::exception_ptr Error = GetFatalException()) std::rethrow_exception(Error);
}

int ProcessorCount()
{
    cpu_set_t Set;
    CPU_ZERO(&Set);
    return sched_getaffinity(0, sizeof Set, &Set) == 0 ? std::max(CPU_COUNT(&Set), 1) : 1;
}
