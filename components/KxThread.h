// Components that run a handler in a worker thread and report its start,
// progress and end on the user-interface thread. TKxThread runs one worker at
// a time; TKxThreadGroup gathers threads and nested groups and combines their
// start, end and progress events.
#pragma once
#include "platform/classes/SyncObjs.h"
#include "platform/classes/Threads.h"
#include "platform/controls/Timers.h"

#include <atomic>
#include <memory>
#include <vector>

namespace KxThread {

class TKxExecuteThread;
class TKxThread;
class TKxThreadGroup;

// Data is the run's untyped pointer; a handler may replace it.
using TKxThreadEvent = std::function<void(TObject* Sender, TKxExecuteThread* Thread, void*& Data)>;
using TKxUpdateEvent = std::function<void(TObject* Sender, TKxExecuteThread* Thread, void*& Data, int Percent)>;

class TKxThreadBase : public TComponent {
public:
    QM_CLASS(TKxThreadBase, TComponent)
    explicit TKxThreadBase(TComponent* AOwner);
    ~TKxThreadBase() override;
    // Leaves its group while the component is still whole.
    void BeforeDestruction() override;

    TKxThreadGroup* GetThreadGroup() const { return FThreadGroup; }
    void SetThreadGroup(TKxThreadGroup* Value);
    int GetUpdatePriority() const { return FUpdatePriority; }
    void SetUpdatePriority(int Value) { FUpdatePriority = Value; }

    virtual bool GetRuning() const = 0;
    virtual void ReportStarted(TKxThreadGroup* Group) = 0;
    virtual void ReportTerminated(TKxThreadGroup* Group) = 0;
    virtual void AddMe(TKxThreadGroup* Group) = 0;
    virtual void RemoveMe(TKxThreadGroup* Group) = 0;
    virtual void Start() = 0;
    virtual void Start(void* Data) = 0;
    virtual void Stop() = 0;
    virtual void Suspend() = 0;
    virtual void Resume() = 0;

    TKxUpdateEvent OnUpdate;
    TKxThreadEvent OnStart;
    TKxThreadEvent OnTerminate;

protected:
    // What a handler may outlive, since it may free the component: the
    // section held while it runs, and whether the component is still there.
    struct TLife {
        TOwned<TCriticalSection> Lock{New<TCriticalSection>()};
        bool Freed = false;
    };
    using TLifeRef = std::shared_ptr<const TLife>;

    // The component's own events fire with its critical section held, and
    // not at all once it is being destroyed. A handler may free the
    // component: whoever fires an event holds its life first and asks it
    // before touching the component again.
    virtual void DoUpdate(TKxExecuteThread* Thread, void*& Data, int Percent);
    virtual void DoStart(TKxExecuteThread* Thread, void*& Data);
    virtual void DoTerminate(TKxExecuteThread* Thread, void*& Data);
    template <typename TEvent, typename... TArgs> void FireLocked(const TEvent& Event, TArgs&... Args);
    bool CanFire() const { return !GetComponentState().Contains(csDestroying); }
    TCriticalSection& GetLock() const { return *FLife->Lock; }
    TLifeRef GetLife() const { return FLife; }

private:
    TKxThreadGroup* FThreadGroup = nullptr;
    int FUpdatePriority = 0;
    std::shared_ptr<TLife> FLife = std::make_shared<TLife>();
};

class TKxThread : public TKxThreadBase {
public:
    QM_CLASS(TKxThread, TKxThreadBase)
    explicit TKxThread(TComponent* AOwner);
    // A running thread is asked to terminate and waited for.
    void BeforeDestruction() override;

    bool GetRuning() const override { return FThread != nullptr; }
    void ReportStarted(TKxThreadGroup* Group) override;
    void ReportTerminated(TKxThreadGroup* Group) override;
    void AddMe(TKxThreadGroup* Group) override;
    void RemoveMe(TKxThreadGroup* Group) override;
    void Start() override;
    void Start(void* Data) override;
    void Stop() override;
    void Suspend() override;
    void Resume() override;

    Cardinal GetRefreshInterval() const { return FUpdateTimer->GetInterval(); }
    void SetRefreshInterval(Cardinal Value) { FUpdateTimer->SetInterval(Value); }
    TThreadPriority GetPriority() const { return FPriority; }
    void SetPriority(TThreadPriority Value);
    // Reads SynchroMethods, which is always 0.
    int GetEmptyEntry() const { return 0; }
    bool GetUpdateEnabled() const { return FUpdateEnabled; }
    void SetUpdateEnabled(bool Value);
    // Whether the last run's thread had been asked to terminate.
    bool GetTerminated() const { return FTerminated; }

    // Runs in the worker thread.
    TKxThreadEvent OnExecute;

protected:
    virtual void OnUpdateTimer(TObject* Sender);
    // Runs in the worker thread.
    virtual void Execute();
    virtual void OnThreadTerminate(TObject* Sender);
    virtual void OnThreadTerminateClose(TObject* Sender);

private:
    friend class TKxExecuteThread;
    void ReportEnd(TKxExecuteThread* Thread);
    // Hands Report the run's data; a replacement is kept unless a handler
    // freed the component, which has then seen its run end.
    template <typename TReport> void WithRunData(TKxExecuteThread* Thread, TReport Report);

    TOwned<TTimer> FUpdateTimer;
    TKxExecuteThread* FThread = nullptr;
    TKxExecuteThread* FEnding = nullptr; // while its end is reported to the groups
    TThreadPriority FPriority = tpNormal;
    bool FUpdateEnabled = false;
    bool FTerminated = false;
};

class TKxThreadGroup : public TKxThreadBase {
public:
    QM_CLASS(TKxThreadGroup, TKxThreadBase)
    explicit TKxThreadGroup(TComponent* AOwner);
    // Its direct members leave it; then it leaves its own group.
    void BeforeDestruction() override;

    // The direct members, threads and groups.
    const std::vector<TKxThreadBase*>& GetThreadItems() const { return FThreadItems; }
    // Every thread, those of nested groups included.
    const std::vector<TKxThread*>& GetThreads() const { return FThreads; }

    void AddThread(TKxThread* Thread);
    void RemoveThread(TKxThread* Thread);
    void AddThreadGroup(TKxThreadGroup* Group);
    void RemoveThreadGroup(TKxThreadGroup* Group);

    bool GetRuning() const override { return GetCountRuning() > 0; }
    virtual int GetCountRuning() const;
    void ReportStarted(TKxThreadGroup* Group) override;
    void ReportTerminated(TKxThreadGroup* Group) override;
    void AddMe(TKxThreadGroup* Group) override;
    void RemoveMe(TKxThreadGroup* Group) override;
    void Start() override;
    void Start(void* Data) override;
    void Stop() override;
    void Suspend() override;
    void Resume() override;

    // Reports of the threads below; Sender is the reporting TKxThread.
    void ThreadStarted(TObject* Sender, TKxExecuteThread* Thread, void*& Data);
    void ThreadTerminated(TObject* Sender, TKxExecuteThread* Thread, void*& Data);
    void ThreadUpdate(TObject* Sender, TKxExecuteThread* Thread, void*& Data, int UpdatePriority, int Percent);

    TKxUpdateEvent OnThreadUpdate;
    TKxThreadEvent OnThreadStart;
    TKxThreadEvent OnThreadTerminate;

protected:
    virtual void DoThreadUpdate(TObject* Sender, TKxExecuteThread* Thread, void*& Data, int Percent);
    virtual void DoThreadStart(TObject* Sender, TKxExecuteThread* Thread, void*& Data);
    virtual void DoThreadTerminate(TObject* Sender, TKxExecuteThread* Thread, void*& Data);

private:
    // Keeps the Threads lists of this group and of every group above it whole.
    void JoinThreads(const std::vector<TKxThread*>& Threads);
    void LeaveThreads(const std::vector<TKxThread*>& Threads);
    template <typename TEach> void ForEachItem(TEach Each);

    std::vector<TKxThreadBase*> FThreadItems;
    std::vector<TKxThread*> FThreads;
    // The running threads below, each counted once however often reported.
    std::vector<TObject*> FRunning;
};

// The thread of one run of a TKxThread. It frees itself when it ends.
class TKxExecuteThread : public TThread {
public:
    QM_CLASS(TKxExecuteThread, TThread)
    TKxExecuteThread(TKxThread* AOwner, void* AData);

    TKxThread* GetOwner() const { return FOwner; }
    // Data and Percent are shared by the worker and the user-interface thread.
    void* GetData() const { return FData; }
    void SetData(void* Value) { FData = Value; }
    int GetPercent() const { return FPercent; }
    // The worker's progress report, and a point where a suspended worker pauses.
    void SetPercent(int Value);

    // Run Method on the user-interface thread and wait for it, unless the
    // thread has been terminated or the method is empty.
    void Synchronize(const TThreadMethod& Method);
    void Synchronize(const std::function<void(TKxExecuteThread* Thread)>& Method);
    void Synchronize(const std::function<void(TKxExecuteThread* Thread, void*& Data)>& Method);

protected:
    void Execute() override;

private:
    friend class TKxThread;
    // Hands Handler a copy of Data; a replacement is stored when it returns.
    template <typename THandler> void WithData(THandler&& Handler)
    {
        void* Data = FData;
        void* const Before = Data;
        Handler(Data);
        if (Data != Before) FData = Data;
    }

    TKxThread* FOwner;
    std::atomic<void*> FData;
    std::atomic<int> FPercent{0};
    TKxThreadEvent FOnExecute; // the owner's handler as it was when the run started
};

} // namespace KxThread
