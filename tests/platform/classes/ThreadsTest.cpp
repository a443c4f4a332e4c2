#include "platform/classes/SyncObjs.h"
#include "platform/classes/Threads.h"
#include "tests/support/PumpUntil.h"

#include <gtest/gtest.h>

#include <atomic>
#include <thread>
#include <vector>

namespace {

// A thread whose work is a test's lambda, with the protected members open.
class TProbeThread : public TThread {
public:
    using TBody = std::function<void(TProbeThread& Self)>;
    TProbeThread(bool CreateSuspended, TBody ABody, std::atomic<int>* AFreed = nullptr)
        : TThread(CreateSuspended), Body(std::move(ABody)), Freed(AFreed)
    {
    }
    ~TProbeThread() override
    {
        if (Freed) ++*Freed;
    }
    using TThread::SetReturnValue;
    using TThread::Synchronize;

protected:
    void Execute() override { Body(*this); }

private:
    TBody Body;
    std::atomic<int>* Freed;
};

const std::thread::id MainThread = std::this_thread::get_id();

void Wait(int Milliseconds)
{
    std::this_thread::sleep_for(std::chrono::milliseconds(Milliseconds));
}

} // namespace

TEST(Thread, CreatedSuspendedRunsOnlyOnceStartedAndWaitForReturnsItsValue)
{
    std::atomic<bool> Ran{false};
    std::thread::id RanOn;
    auto* T = New<TProbeThread>(true, [&](TProbeThread& Self) {
        RanOn = std::this_thread::get_id();
        Ran = true;
        Self.SetReturnValue(42);
    });
    EXPECT_TRUE(T->GetSuspended());
    Wait(20);
    EXPECT_FALSE(Ran);

    T->Start();
    EXPECT_THROW(T->Start(), EThread);
    EXPECT_EQ(T->WaitFor(), 42);
    EXPECT_TRUE(Ran);
    EXPECT_TRUE(T->GetFinished());
    EXPECT_NE(RanOn, MainThread);
    Free(T);

    // Not created suspended: it starts by itself.
    std::atomic<bool> RanAlone{false};
    auto* U = New<TProbeThread>(false, [&](TProbeThread&) { RanAlone = true; });
    U->WaitFor();
    EXPECT_TRUE(RanAlone);
    Free(U);
}

TEST(Thread, AThreadFreedBeforeItStartsNeverExecutesButStillEnds)
{
    std::atomic<bool> Ran{false};
    bool Ended = false;
    auto* T = New<TProbeThread>(true, [&](TProbeThread&) { Ran = true; });
    T->OnTerminate = [&](TObject*) { Ended = true; };
    Free(T);
    EXPECT_FALSE(Ran);
    EXPECT_TRUE(Ended);
}

TEST(Thread, SynchronizeRunsOnTheMainThreadInOrderAndRaisesItsExceptionInTheWorker)
{
    std::vector<int> Seen;
    std::atomic<bool> Reraised{false};
    auto* T = New<TProbeThread>(false, [&](TProbeThread& Self) {
        for (int I = 0; I < 5; ++I)
            Self.Synchronize([&, I] {
                EXPECT_EQ(std::this_thread::get_id(), MainThread);
                Seen.push_back(I);
            });
        try {
            Self.Synchronize([] { throw EConvertError("bad value"); });
        } catch (const EConvertError& E) {
            Reraised = E.Message == "bad value";
        }
    });
    // Only the event loop is pumped: the worker wakes it through Qt.
    ASSERT_TRUE(PumpUntil([&] { return T->GetFinished(); }));
    EXPECT_EQ(Seen, (std::vector<int>{0, 1, 2, 3, 4}));
    EXPECT_TRUE(Reraised);
    Free(T);

    // Called on the main thread, Synchronize runs the method at once.
    auto* Idle = New<TProbeThread>(true, [](TProbeThread&) {});
    bool Direct = false;
    Idle->Synchronize([&] { Direct = true; });
    EXPECT_TRUE(Direct);
    Free(Idle);
}

TEST(Thread, FreeOnTerminateFreesTheThreadAfterOnTerminateRanOnTheMainThread)
{
    std::atomic<int> Freed{0};
    std::thread::id TerminatedOn;
    TObject* TerminatedSender = nullptr;
    auto* T = New<TProbeThread>(
        true, [](TProbeThread&) {}, &Freed);
    T->SetFreeOnTerminate(true);
    T->OnTerminate = [&](TObject* Sender) {
        TerminatedOn = std::this_thread::get_id();
        TerminatedSender = Sender;
        EXPECT_EQ(Freed, 0);
    };
    T->Resume();
    ASSERT_TRUE(PumpUntil([&] { return Freed == 1; }));
    EXPECT_EQ(TerminatedOn, MainThread);
    EXPECT_EQ(TerminatedSender, T);
}

TEST(Thread, FreeingARunningThreadTerminatesItAndServesItsSynchronizeMeanwhile)
{
    int Calls = 0;
    std::atomic<bool> SawTerminated{false};
    auto* T = New<TProbeThread>(false, [&](TProbeThread& Self) {
        while (!Self.GetTerminated())
            Self.Synchronize([&] { ++Calls; });
        SawTerminated = true;
    });
    ASSERT_TRUE(PumpUntil([&] { return Calls >= 3; }));
    Free(T); // the worker is most likely blocked in Synchronize right now
    EXPECT_TRUE(SawTerminated);
}

TEST(Thread, WhatEscapesExecuteIsKeptAsTheFatalException)
{
    auto* T = New<TProbeThread>(false, [](TProbeThread&) { throw EListError("lost"); });
    T->WaitFor();
    ASSERT_TRUE(T->GetFatalException());
    EXPECT_THROW(std::rethrow_exception(T->GetFatalException()), EListError);
    Free(T);
}

TEST(Thread, AFunctionThreadRunsItsFunctionElsewhereAndItsWaiterGetsWhatEscaped)
{
    std::thread::id RanOn;
    auto* Done = New<TFunctionThread>([&] { RanOn = std::this_thread::get_id(); });
    Done->Wait();
    EXPECT_NE(RanOn, MainThread);
    EXPECT_NE(RanOn, std::thread::id());
    Free(Done);

    auto* Failed = New<TFunctionThread>([] { throw EListError("lost"); });
    try {
        Failed->Wait();
        ADD_FAILURE() << "Wait did not raise";
    } catch (const EListError& E) {
        EXPECT_EQ(E.Message, "lost");
    }
    EXPECT_TRUE(Failed->GetFinished());
    Free(Failed);
    EXPECT_GE(ProcessorCount(), 1);
}

TEST(Thread, SuspendPausesARunningWorkerAtItsNextSynchronizeUntilResumed)
{
    int Calls = 0;
    auto* T = New<TProbeThread>(false, [&](TProbeThread& Self) {
        while (!Self.GetTerminated())
            Self.Synchronize([&] { ++Calls; });
    });
    ASSERT_TRUE(PumpUntil([&] { return Calls >= 2; }));

    T->Suspend();
    EXPECT_TRUE(T->GetSuspended());
    CheckSynchronize(); // at most the one request queued before the pause
    const int Paused = Calls;
    EXPECT_FALSE(CheckSynchronize(100));
    EXPECT_EQ(Calls, Paused);

    T->Resume();
    EXPECT_FALSE(T->GetSuspended());
    ASSERT_TRUE(PumpUntil([&] { return Calls >= Paused + 3; }));

    // A paused thread still ends when freed.
    T->Suspend();
    Free(T);
}

TEST(Thread, AThreadThatSuspendsItselfStopsThereUntilResumed)
{
    std::atomic<bool> Passed{false};
    auto* T = New<TProbeThread>(false, [&](TProbeThread& Self) {
        Self.Suspend();
        Passed = true;
    });
    ASSERT_TRUE(PumpUntil([&] { return T->GetSuspended(); }));
    Wait(30);
    EXPECT_FALSE(Passed);
    T->Resume();
    T->WaitFor();
    EXPECT_TRUE(Passed);
    Free(T);
}

TEST(Thread, WaitingFromInsideItsOwnSynchronizeIsRefusedInsteadOfDeadlocking)
{
    std::atomic<bool> Refused{false};
    auto* T = New<TProbeThread>(false, [&](TProbeThread& Self) {
        EXPECT_FALSE(Self.CanWaitFor());
        Self.Synchronize([&] {
            EXPECT_FALSE(Self.CanWaitFor());
            try {
                Self.WaitFor();
            } catch (const EThread&) {
                Refused = true;
            }
        });
    });
    EXPECT_TRUE(T->CanWaitFor());
    T->WaitFor();
    EXPECT_TRUE(Refused);
    Free(T);
}

TEST(CriticalSection, IsRecursiveForItsHolderAndClosedToOtherThreads)
{
    TOwned<TCriticalSection> Section(New<TCriticalSection>());
    auto OtherThreadEnters = [&] {
        bool Entered = false;
        std::thread([&] {
            Entered = Section->TryEnter();
            if (Entered) Section->Leave();
        }).join();
        return Entered;
    };
    Section->Enter();
    Section->Acquire();
    EXPECT_TRUE(Section->TryEnter());
    EXPECT_FALSE(OtherThreadEnters());
    Section->Leave();
    Section->Release();
    EXPECT_FALSE(OtherThreadEnters());
    Section->Leave();
    EXPECT_TRUE(OtherThreadEnters());
}

TEST(CriticalSection, KeepsTwoThreadsFromChangingTheSameValueAtOnce)
{
    TOwned<TCriticalSection> Section(New<TCriticalSection>());
    int Total = 0;
    auto Body = [&](TProbeThread&) {
        for (int I = 0; I < 20000; ++I) {
            Section->Enter();
            ++Total;
            Section->Leave();
        }
    };
    auto* A = New<TProbeThread>(false, Body);
    auto* B = New<TProbeThread>(false, Body);
    A->WaitFor();
    B->WaitFor();
    EXPECT_EQ(Total, 40000);
    Free(A);
    Free(B);
}
