#include "components/KxThread.h"
#include "tests/support/PumpUntil.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <thread>
#include <vector>

using namespace KxThread;

namespace {

const std::thread::id MainThread = std::this_thread::get_id();

void Wait(int Milliseconds)
{
    std::this_thread::sleep_for(std::chrono::milliseconds(Milliseconds));
}

AnsiString NameOf(TObject* Sender)
{
    return static_cast<TComponent*>(Sender)->GetName();
}

// A thread component whose worker runs until the test releases it (or it is
// terminated), so that a test decides the order in which runs end.
struct THeldThread {
    TOwned<TKxThread> Thread;
    std::atomic<bool> Release{false};

    explicit THeldThread(const AnsiString& Name) : Thread(New<TKxThread>(nullptr))
    {
        Thread->SetName(Name);
        Thread->OnExecute = [this](TObject*, TKxExecuteThread* T, void*&) {
            while (!Release && !T->GetTerminated())
                Wait(1);
        };
    }
    bool End()
    {
        Release = true;
        return PumpUntil([this] { return !Thread->GetRuning(); });
    }
};

// Writes a group's events into a log, named after the group.
void LogGroup(TKxThreadGroup* Group, std::vector<AnsiString>& Log)
{
    const AnsiString Name = Group->GetName();
    Group->OnStart = [&Log, Name](TObject*, TKxExecuteThread*, void*&) { Log.push_back(Name + " start"); };
    Group->OnTerminate = [&Log, Name](TObject*, TKxExecuteThread*, void*&) { Log.push_back(Name + " end"); };
    Group->OnThreadStart = [&Log, Name](TObject* Sender, TKxExecuteThread*, void*&) {
        Log.push_back(Name + " thread start " + NameOf(Sender));
    };
    Group->OnThreadTerminate = [&Log, Name](TObject* Sender, TKxExecuteThread*, void*&) {
        Log.push_back(Name + " thread end " + NameOf(Sender));
    };
}

TOwned<TKxThreadGroup> MakeGroup(const AnsiString& Name)
{
    TOwned<TKxThreadGroup> Group(New<TKxThreadGroup>(nullptr));
    Group->SetName(Name);
    return Group;
}

} // namespace

TEST(KxThread, RunsTheHandlerInAWorkerAndReportsStartAndEndOnTheMainThread)
{
    TOwned<TKxThread> Thread(New<TKxThread>(nullptr));
    int A = 0, B = 0, C = 0, D = 0;
    std::vector<AnsiString> Log;
    std::atomic<bool> Go{false};
    std::thread::id WorkerThread;

    Thread->OnStart = [&](TObject* Sender, TKxExecuteThread*, void*& Data) {
        EXPECT_EQ(std::this_thread::get_id(), MainThread);
        EXPECT_EQ(Sender, Thread.get());
        EXPECT_EQ(Data, &A);
        Data = &B;
        Log.push_back("start");
    };
    Thread->OnExecute = [&](TObject*, TKxExecuteThread* T, void*& Data) {
        WorkerThread = std::this_thread::get_id();
        EXPECT_EQ(Data, &B);
        while (!Go && !T->GetTerminated())
            Wait(1);
        T->Synchronize([&](TKxExecuteThread* Self, void*& SyncData) {
            EXPECT_EQ(std::this_thread::get_id(), MainThread);
            EXPECT_EQ(Self, T);
            EXPECT_EQ(SyncData, &B);
            SyncData = &C;
        });
        EXPECT_EQ(T->GetData(), &C);
        T->Synchronize(TThreadMethod()); // an empty method is skipped
        Data = &D;
    };
    Thread->OnTerminate = [&](TObject*, TKxExecuteThread*, void*& Data) {
        EXPECT_EQ(std::this_thread::get_id(), MainThread);
        EXPECT_EQ(Data, &D);
        Log.push_back("end");
    };

    Thread->Start(&A);
    EXPECT_TRUE(Thread->GetRuning());
    Thread->Start(&C); // ignored while a run is in progress
    EXPECT_EQ(Log, (std::vector<AnsiString>{"start"}));
    Go = true;
    ASSERT_TRUE(PumpUntil([&] { return !Thread->GetRuning(); }));
    EXPECT_EQ(Log, (std::vector<AnsiString>{"start", "end"}));
    EXPECT_NE(WorkerThread, MainThread);
    EXPECT_FALSE(Thread->GetTerminated());

    // A second run after the first has ended.
    Thread->OnExecute = nullptr;
    Thread->OnStart = nullptr;
    Thread->OnTerminate = [&](TObject*, TKxExecuteThread*, void*& Data) {
        EXPECT_EQ(Data, nullptr);
        Log.push_back("end");
    };
    Thread->Start();
    ASSERT_TRUE(PumpUntil([&] { return !Thread->GetRuning(); }));
    EXPECT_EQ(Log.size(), 3u);
}

TEST(KxThread, ProgressAndDataReachOnUpdateThroughTheTimerWithoutRacesOnlyWhileRunning)
{
    TOwned<TKxThread> Thread(New<TKxThread>(nullptr));
    Thread->SetRefreshInterval(1);
    Thread->SetUpdateEnabled(true);
    int Values[4] = {};
    std::atomic<int> Updates{0};
    std::atomic<bool> SawFull{false};
    Thread->OnUpdate = [&](TObject* Sender, TKxExecuteThread*, void*& Data, int Percent) {
        EXPECT_EQ(std::this_thread::get_id(), MainThread);
        EXPECT_EQ(Sender, Thread.get());
        EXPECT_TRUE(Percent >= 0 && Percent <= 100) << Percent;
        EXPECT_TRUE(Data == nullptr || (Data >= Values && Data < Values + 4));
        if (++Updates % 2) Data = &Values[3]; // the main thread replaces it too
        if (Percent == 100) SawFull = true;
    };
    Thread->OnExecute = [&](TObject*, TKxExecuteThread* T, void*&) {
        for (int I = 0; Updates < 20 && !T->GetTerminated(); ++I) {
            T->SetPercent(I % 100);
            T->SetData(&Values[I % 3]);
        }
        T->SetPercent(100);
        while (!SawFull && !T->GetTerminated())
            Wait(1);
    };
    Thread->Start();
    ASSERT_TRUE(PumpUntil([&] { return !Thread->GetRuning(); }));
    EXPECT_TRUE(SawFull);

    // The timer keeps ticking while idle, but reports nothing.
    const int Reports = Updates;
    PumpFor(250);
    EXPECT_EQ(Updates, Reports);
}

TEST(KxThread, SuspendPausesTheWorkerAtItsNextProgressReportAndStopEndsIt)
{
    TOwned<TKxThread> Thread(New<TKxThread>(nullptr));
    std::atomic<int> Steps{0};
    Thread->OnExecute = [&](TObject*, TKxExecuteThread* T, void*&) {
        while (!T->GetTerminated()) {
            T->SetPercent(Steps % 100);
            ++Steps;
        }
    };
    bool EndedTerminated = false;
    Thread->OnTerminate = [&](TObject*, TKxExecuteThread* T, void*&) { EndedTerminated = T->GetTerminated(); };
    Thread->Start();
    ASSERT_TRUE(PumpUntil([&] { return Steps > 100; }));
    Thread->Suspend();
    const int At = Steps;
    Wait(50);
    EXPECT_LE(Steps, At + 1); // one step may have been past the report already

    Thread->Resume();
    ASSERT_TRUE(PumpUntil([&] { return Steps > At + 100; }));

    // Stop ends a paused worker too, and the end is reported.
    Thread->Suspend();
    Thread->Stop();
    ASSERT_TRUE(PumpUntil([&] { return !Thread->GetRuning(); }));
    EXPECT_TRUE(EndedTerminated);
    EXPECT_TRUE(Thread->GetTerminated());
}

TEST(KxThreadGroup, NestedGroupsCombineTheStartAndEndOfTheirThreadsAndNeverContainThemselves)
{
    auto Outer = MakeGroup("outer");
    auto Inner = MakeGroup("inner");
    THeldThread T1("t1"), T2("t2"), T3("t3");
    T1.Thread->SetThreadGroup(Outer.get());
    Inner->SetThreadGroup(Outer.get());
    T2.Thread->SetThreadGroup(Inner.get());
    T3.Thread->SetThreadGroup(Inner.get());

    EXPECT_EQ(Outer->GetThreadItems(), (std::vector<TKxThreadBase*>{T1.Thread.get(), Inner.get()}));
    EXPECT_EQ(Outer->GetThreads(), (std::vector<TKxThread*>{T1.Thread.get(), T2.Thread.get(), T3.Thread.get()}));
    EXPECT_EQ(Inner->GetThreads(), (std::vector<TKxThread*>{T2.Thread.get(), T3.Thread.get()}));

    std::vector<AnsiString> Log;
    LogGroup(Outer.get(), Log);
    LogGroup(Inner.get(), Log);
    Outer->Start();
    EXPECT_EQ(Log, (std::vector<AnsiString>{"outer thread start t1", "outer start", "inner thread start t2",
                                            "outer thread start t2", "inner start", "inner thread start t3",
                                            "outer thread start t3"}));
    EXPECT_EQ(Outer->GetCountRuning(), 3);
    EXPECT_EQ(Inner->GetCountRuning(), 2);
    EXPECT_TRUE(Outer->GetRuning());

    Log.clear();
    ASSERT_TRUE(T2.End());
    ASSERT_TRUE(T1.End());
    EXPECT_EQ(Log, (std::vector<AnsiString>{"inner thread end t2", "outer thread end t2", "outer thread end t1"}));
    EXPECT_EQ(Outer->GetCountRuning(), 1);

    Log.clear();
    ASSERT_TRUE(T3.End());
    EXPECT_EQ(Log, (std::vector<AnsiString>{"inner thread end t3", "outer thread end t3", "outer end", "inner end"}));
    EXPECT_FALSE(Outer->GetRuning());
    EXPECT_FALSE(Inner->GetRuning());

    // A group cannot belong to itself, directly or through another.
    EXPECT_THROW(Outer->SetThreadGroup(Inner.get()), EInvalidOperation);
    EXPECT_THROW(Outer->SetThreadGroup(Outer.get()), EInvalidOperation);
    EXPECT_EQ(Outer->GetThreadGroup(), nullptr);
}

TEST(KxThreadGroup, OnUpdateFollowsTheRunningMemberWithTheHighestUpdatePriority)
{
    auto Group = MakeGroup("group");
    THeldThread Low("low"), High("high");
    for (THeldThread* H : {&Low, &High}) {
        H->Thread->SetThreadGroup(Group.get());
        H->Thread->SetRefreshInterval(10);
        H->Thread->SetUpdateEnabled(true);
    }
    High.Thread->SetUpdatePriority(5);
    std::vector<AnsiString> ThreadUpdates, Updates;
    Group->OnThreadUpdate = [&](TObject* Sender, TKxExecuteThread*, void*&, int) {
        ThreadUpdates.push_back(NameOf(Sender));
    };
    Group->OnUpdate = [&](TObject* Sender, TKxExecuteThread* T, void*&, int) {
        EXPECT_EQ(Sender, Group.get());
        Updates.push_back(T->GetOwner()->GetName());
    };
    auto Has = [](const std::vector<AnsiString>& L, const char* Name) {
        return std::find(L.begin(), L.end(), Name) != L.end();
    };

    Group->Start();
    ASSERT_TRUE(PumpUntil([&] { return Has(ThreadUpdates, "low") && Has(ThreadUpdates, "high"); }));
    EXPECT_FALSE(Has(Updates, "low"));
    EXPECT_TRUE(Has(Updates, "high"));

    ASSERT_TRUE(High.End());
    ASSERT_TRUE(PumpUntil([&] { return Has(Updates, "low"); }));
    ASSERT_TRUE(Low.End());
}

TEST(KxThreadGroup, OnTerminateFiresOnceEachTimeTheRunningCountFallsToZero)
{
    auto Group = MakeGroup("group");
    int Starts = 0, Ends = 0;
    Group->OnStart = [&](TObject*, TKxExecuteThread*, void*&) { ++Starts; };
    Group->OnTerminate = [&](TObject*, TKxExecuteThread*, void*&) { ++Ends; };

    // Idle threads joining and leaving count for nothing.
    TOwned<TKxThread> Idle(New<TKxThread>(nullptr));
    Idle->SetThreadGroup(Group.get());
    Idle->SetThreadGroup(nullptr);
    EXPECT_EQ(Ends, 0);

    // A running thread that leaves ends the group's run; joining again starts one.
    THeldThread Held("held");
    Held.Thread->SetThreadGroup(Group.get());
    Held.Thread->Start();
    EXPECT_EQ(Starts, 1);
    Held.Thread->SetThreadGroup(nullptr);
    EXPECT_EQ(Ends, 1);
    EXPECT_EQ(Group->GetCountRuning(), 0);
    Held.Thread->SetThreadGroup(Group.get());
    EXPECT_EQ(Starts, 2);

    // A handler that takes the ending thread out of the group does not end the run twice.
    Group->OnThreadTerminate = [&](TObject* Sender, TKxExecuteThread*, void*&) {
        static_cast<TKxThread*>(Sender)->SetThreadGroup(nullptr);
    };
    ASSERT_TRUE(Held.End());
    EXPECT_EQ(Ends, 2);
    EXPECT_EQ(Group->GetCountRuning(), 0);
    EXPECT_TRUE(Group->GetThreadItems().empty());
}

TEST(KxThreadGroup, FreeingAGroupDetachesOnlyItsDirectMembers)
{
    auto Outer = MakeGroup("outer");
    TOwned<TKxThreadGroup> Inner = MakeGroup("inner");
    THeldThread T1("t1"), T2("t2");
    T1.Thread->SetThreadGroup(Outer.get());
    Inner->SetThreadGroup(Outer.get());
    T2.Thread->SetThreadGroup(Inner.get());
    int InnerEnds = 0;
    Inner->OnTerminate = [&](TObject*, TKxExecuteThread*, void*&) { ++InnerEnds; };
    bool OuterFired = false;
    Outer->OnTerminate = [&](TObject*, TKxExecuteThread*, void*&) { OuterFired = true; };

    Outer->Start();
    Outer.reset();
    EXPECT_FALSE(OuterFired); // a group being freed fires nothing
    EXPECT_EQ(T1.Thread->GetThreadGroup(), nullptr);
    EXPECT_EQ(Inner->GetThreadGroup(), nullptr);
    EXPECT_EQ(T2.Thread->GetThreadGroup(), Inner.get());
    EXPECT_EQ(Inner->GetThreads(), (std::vector<TKxThread*>{T2.Thread.get()}));
    EXPECT_EQ(Inner->GetCountRuning(), 1);

    // The nested group's run goes on and ends without reaching the freed group.
    ASSERT_TRUE(T2.End());
    EXPECT_EQ(InnerEnds, 1);
    ASSERT_TRUE(T1.End());
}

TEST(KxThread, FreeingARunningComponentStopsItsWorkerAndWaitsWithoutDeadlock)
{
    auto Group = MakeGroup("group");
    int GroupEnds = 0;
    Group->OnTerminate = [&](TObject*, TKxExecuteThread*, void*&) { ++GroupEnds; };
    TKxThread* Thread = New<TKxThread>(nullptr);
    Thread->SetThreadGroup(Group.get());
    Thread->SetUpdateEnabled(true);
    bool OwnEnd = false;
    Thread->OnTerminate = [&](TObject*, TKxExecuteThread*, void*&) { OwnEnd = true; };
    int Calls = 0;
    std::atomic<bool> HandlerDone{false};
    Thread->OnExecute = [&](TObject*, TKxExecuteThread* T, void*&) {
        while (!T->GetTerminated())
            T->Synchronize([&] { ++Calls; });
        HandlerDone = true;
    };
    Thread->Start();
    ASSERT_TRUE(PumpUntil([&] { return Calls >= 3; }));

    Free(Thread); // the worker is most likely waiting in Synchronize
    EXPECT_TRUE(HandlerDone);
    EXPECT_FALSE(OwnEnd); // a component being freed reports nothing of its own
    EXPECT_EQ(GroupEnds, 1);
    EXPECT_EQ(Group->GetCountRuning(), 0);
    EXPECT_TRUE(Group->GetThreads().empty());
}

TEST(KxThread, FreeingTheComponentFromItsWorkersOwnSynchronizeDoesNotDeadlock)
{
    auto Group = MakeGroup("group");
    int GroupEnds = 0;
    Group->OnTerminate = [&](TObject*, TKxExecuteThread*, void*&) { ++GroupEnds; };
    TKxThread* Thread = New<TKxThread>(nullptr);
    Thread->SetThreadGroup(Group.get());
    std::atomic<bool> SawTerminated{false}, Finished{false};
    Thread->OnExecute = [&](TObject*, TKxExecuteThread* T, void*&) {
        T->Synchronize([&] { FreeAndNil(Thread); });
        SawTerminated = T->GetTerminated();
        T->Synchronize([] { ADD_FAILURE() << "a terminated worker synchronizes nothing"; });
        Finished = true;
    };
    Thread->Start();
    ASSERT_TRUE(PumpUntil([&] { return Finished.load(); }));
    EXPECT_EQ(Thread, nullptr);
    EXPECT_TRUE(SawTerminated);
    EXPECT_EQ(GroupEnds, 1);
    CheckSynchronize(100); // lets the worker's end pass, which reaches no one
}

TEST(KxThread, FreeingTheComponentFromItsOwnStartUpdateOrTerminateHandlerIsSafe)
{
    for (const char* Event : {"start", "update", "terminate"}) {
        auto Group = MakeGroup("group");
        int GroupEnds = 0;
        Group->OnTerminate = [&](TObject*, TKxExecuteThread*, void*&) { ++GroupEnds; };
        TKxThread* Thread = New<TKxThread>(nullptr);
        Thread->SetThreadGroup(Group.get());
        Thread->SetRefreshInterval(10);
        Thread->SetUpdateEnabled(true);
        Thread->OnExecute = [&](TObject*, TKxExecuteThread* T, void*&) {
            // Runs until terminated, except when it is to end by itself.
            while (!T->GetTerminated() && AnsiString(Event) != "terminate")
                Wait(1);
        };
        int Data = 0;
        auto FreeIt = [&](TObject* Sender, TKxExecuteThread*, void*& D) {
            EXPECT_EQ(Sender, Thread);
            D = &Data; // a replacement nobody may store any more
            FreeAndNil(Thread);
        };
        const AnsiString Name = Event;
        if (Name == "start") Thread->OnStart = FreeIt;
        if (Name == "update")
            Thread->OnUpdate = [&](TObject* Sender, TKxExecuteThread* T, void*& D, int) { FreeIt(Sender, T, D); };
        if (Name == "terminate") Thread->OnTerminate = FreeIt;
        Thread->Start();
        // Freeing waits for the worker, so it has ended once the component is gone.
        ASSERT_TRUE(PumpUntil([&] { return Thread == nullptr; })) << Event;
        CheckSynchronize(100); // the worker's end, which reaches no one
        EXPECT_EQ(GroupEnds, 1) << Event;
        EXPECT_EQ(Group->GetCountRuning(), 0) << Event;
        EXPECT_TRUE(Group->GetThreads().empty()) << Event;
    }
}
