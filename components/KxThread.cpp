#include "components/KxThread.h"
#include "platform/controls/Forms.h"

#include <algorithm>

namespace KxThread {

namespace {

// Holds a critical section for the life of a scope.
class TSectionLock {
public:
    explicit TSectionLock(TCriticalSection& ASection) : Section(ASection) { Section.Enter(); }
    ~TSectionLock() { Section.Leave(); }
    TSectionLock(const TSectionLock&) = delete;
    TSectionLock& operator=(const TSectionLock&) = delete;

private:
    TCriticalSection& Section;
};

template <typename T> bool Contains(const std::vector<T*>& List, const T* Item)
{
    return std::find(List.begin(), List.end(), Item) != List.end();
}

template <typename T> void Erase(std::vector<T*>& List, const T* Item)
{
    List.erase(std::remove(List.begin(), List.end(), Item), List.end());
}

} // namespace

// ---- TKxThreadBase --------------------------------------------------------------

TKxThreadBase::TKxThreadBase(TComponent* AOwner) : TComponent(AOwner) {}

TKxThreadBase::~TKxThreadBase()
{
    FLife->Freed = true;
}

void TKxThreadBase::BeforeDestruction()
{
    TComponent::BeforeDestruction();
    SetThreadGroup(nullptr);
}

void TKxThreadBase::SetThreadGroup(TKxThreadGroup* Value)
{
    if (Value == FThreadGroup) return;
    // A group inside itself would report to itself without end.
    for (TKxThreadBase* G = Value; G; G = G->GetThreadGroup())
        if (G == this) throw EInvalidOperation("A thread group cannot belong to itself");
    if (FThreadGroup) RemoveMe(FThreadGroup);
    FThreadGroup = Value;
    if (FThreadGroup) AddMe(FThreadGroup);
}

template <typename TEvent, typename... TArgs> void TKxThreadBase::FireLocked(const TEvent& Event, TArgs&... Args)
{
    if (!Event || !CanFire()) return;
    // Copies: the handler and the section outlive a component the handler frees.
    const TLifeRef Life = FLife;
    const TEvent Handler = Event;
    TSectionLock L(*Life->Lock);
    Handler(Args...);
}

void TKxThreadBase::DoUpdate(TKxExecuteThread* Thread, void*& Data, int Percent)
{
    TObject* Sender = this;
    FireLocked(OnUpdate, Sender, Thread, Data, Percent);
}

void TKxThreadBase::DoStart(TKxExecuteThread* Thread, void*& Data)
{
    TObject* Sender = this;
    FireLocked(OnStart, Sender, Thread, Data);
}

void TKxThreadBase::DoTerminate(TKxExecuteThread* Thread, void*& Data)
{
    TObject* Sender = this;
    FireLocked(OnTerminate, Sender, Thread, Data);
}

// ---- TKxThread ------------------------------------------------------------------

TKxThread::TKxThread(TComponent* AOwner) : TKxThreadBase(AOwner), FUpdateTimer(New<TTimer>(nullptr))
{
    FUpdateTimer->SetEnabled(false);
    FUpdateTimer->SetInterval(100);
    FUpdateTimer->SetOnTimer([this](TObject* Sender) { OnUpdateTimer(Sender); });
}

void TKxThread::BeforeDestruction()
{
    Destroying();
    FUpdateTimer->SetEnabled(false);
    if (TKxExecuteThread* Thread = FThread) {
        Thread->OnTerminate = [this](TObject* Sender) { OnThreadTerminateClose(Sender); };
        Stop();
        if (!Thread->CanWaitFor()) {
            // Freed from a method that its own worker handed to Synchronize:
            // the worker waits for us, so we cannot wait for it. It ends on its
            // own and reaches nothing of this component any more.
            Thread->OnTerminate = nullptr;
            OnThreadTerminateClose(Thread);
        }
        // The end notification comes through Synchronize; keep serving it,
        // and whatever the worker synchronizes before it sees the request.
        while (FThread) {
            if (Application) Application->ProcessMessages();
            CheckSynchronize(10);
        }
    }
    TKxThreadBase::BeforeDestruction();
}

void TKxThread::Start()
{
    Start(nullptr);
}

void TKxThread::Start(void* Data)
{
    if (FThread) return;
    auto* Thread = New<TKxExecuteThread>(this, Data);
    FThread = Thread;
    FTerminated = false;
    // Freed by a handler, the component has already seen the thread to its end.
    const TLifeRef Life = GetLife();
    ReportStarted(GetThreadGroup());
    if (Life->Freed) return;
    WithRunData(Thread, [&](void*& D) { DoStart(Thread, D); });
    if (Life->Freed) return;
    Thread->Resume();
    if (FUpdateEnabled) FUpdateTimer->SetEnabled(true);
}

void TKxThread::Execute()
{
    // Nothing of the component is touched once the handler runs: a component
    // freed from a method the worker synchronized must not be reached again.
    TKxExecuteThread* Thread = FThread;
    if (!Thread->FOnExecute) return;
    const TKxThreadEvent& Handler = Thread->FOnExecute;
    Thread->WithData([&](void*& Data) { Handler(this, Thread, Data); });
}

void TKxThread::OnUpdateTimer(TObject*)
{
    TKxExecuteThread* Thread = FThread;
    if (!Thread) return;
    const int Percent = Thread->GetPercent();
    const TLifeRef Life = GetLife();
    WithRunData(Thread, [&](void*& Data) {
        if (TKxThreadGroup* Group = GetThreadGroup())
            Group->ThreadUpdate(this, Thread, Data, GetUpdatePriority(), Percent);
        if (!Life->Freed) DoUpdate(Thread, Data, Percent);
    });
}

void TKxThread::OnThreadTerminate(TObject* Sender)
{
    auto* Thread = static_cast<TKxExecuteThread*>(Sender);
    FUpdateTimer->SetEnabled(false);
    FTerminated = Thread->GetTerminated();
    // The thread stays whole while its end is reported; the component may not.
    const TLifeRef Life = GetLife();
    ReportEnd(Thread);
    if (Life->Freed) return;
    WithRunData(Thread, [&](void*& Data) { DoTerminate(Thread, Data); });
    if (!Life->Freed && FUpdateEnabled) FUpdateTimer->SetEnabled(true);
}

void TKxThread::OnThreadTerminateClose(TObject* Sender)
{
    // The groups still learn of the end, so that their counts stay right.
    ReportEnd(static_cast<TKxExecuteThread*>(Sender));
}

template <typename TReport> void TKxThread::WithRunData(TKxExecuteThread* Thread, TReport Report)
{
    const TLifeRef Life = GetLife();
    void* Data = Thread->GetData();
    void* const Before = Data;
    Report(Data);
    if (!Life->Freed && Data != Before) Thread->SetData(Data);
}

void TKxThread::ReportEnd(TKxExecuteThread* Thread)
{
    FThread = nullptr;
    FEnding = Thread;
    ReportTerminated(GetThreadGroup());
    FEnding = nullptr;
}

void TKxThread::Stop()
{
    if (!FThread) return;
    FThread->Terminate();
    FThread->Resume();
}

void TKxThread::Suspend()
{
    if (FThread) FThread->Suspend();
}

void TKxThread::Resume()
{
    if (FThread) FThread->Resume();
}

void TKxThread::SetPriority(TThreadPriority Value)
{
    FPriority = Value;
    if (FThread) FThread->SetPriority(Value);
}

void TKxThread::SetUpdateEnabled(bool Value)
{
    if (Value == FUpdateEnabled) return;
    FUpdateEnabled = Value;
    FUpdateTimer->SetEnabled(Value);
}

void TKxThread::AddMe(TKxThreadGroup* Group)
{
    Group->AddThread(this);
}

void TKxThread::RemoveMe(TKxThreadGroup* Group)
{
    Group->RemoveThread(this);
}

void TKxThread::ReportStarted(TKxThreadGroup* Group)
{
    TKxExecuteThread* Thread = FThread;
    if (!Thread || !Group) return;
    WithRunData(Thread, [&](void*& Data) { Group->ThreadStarted(this, Thread, Data); });
}

void TKxThread::ReportTerminated(TKxThreadGroup* Group)
{
    TKxExecuteThread* Thread = FThread ? FThread : FEnding;
    if (!Thread || !Group) return;
    WithRunData(Thread, [&](void*& Data) { Group->ThreadTerminated(this, Thread, Data); });
}

// ---- TKxThreadGroup -------------------------------------------------------------

TKxThreadGroup::TKxThreadGroup(TComponent* AOwner) : TKxThreadBase(AOwner) {}

void TKxThreadGroup::BeforeDestruction()
{
    Destroying();
    // Only the direct members leave: the threads of a nested group stay in it.
    while (!FThreadItems.empty()) {
        TKxThreadBase* Item = FThreadItems.back();
        if (Item->GetThreadGroup() == this)
            Item->SetThreadGroup(nullptr);
        else
            Item->RemoveMe(this); // added by a direct AddThread or AddThreadGroup
    }
    TKxThreadBase::BeforeDestruction();
}

template <typename TEach> void TKxThreadGroup::ForEachItem(TEach Each)
{
    // A copy: a member's handlers may change the group.
    const std::vector<TKxThreadBase*> Items = FThreadItems;
    for (TKxThreadBase* Item : Items)
        if (Contains(FThreadItems, Item)) Each(Item);
}

void TKxThreadGroup::JoinThreads(const std::vector<TKxThread*>& Threads)
{
    for (TKxThreadGroup* G = this; G; G = G->GetThreadGroup()) {
        TSectionLock L(G->GetLock());
        for (TKxThread* T : Threads)
            if (!Contains(G->FThreads, T)) G->FThreads.push_back(T);
    }
}

void TKxThreadGroup::LeaveThreads(const std::vector<TKxThread*>& Threads)
{
    for (TKxThreadGroup* G = this; G; G = G->GetThreadGroup()) {
        TSectionLock L(G->GetLock());
        for (TKxThread* T : Threads)
            Erase(G->FThreads, T);
    }
}

void TKxThreadGroup::AddThread(TKxThread* Thread)
{
    if (Contains<TKxThreadBase>(FThreadItems, Thread)) return;
    if (Thread->GetRuning()) Thread->ReportStarted(this);
    {
        TSectionLock L(GetLock());
        FThreadItems.push_back(Thread);
    }
    JoinThreads({Thread});
}

void TKxThreadGroup::RemoveThread(TKxThread* Thread)
{
    if (!Contains<TKxThreadBase>(FThreadItems, Thread)) return;
    if (Thread->GetRuning()) Thread->ReportTerminated(this);
    {
        TSectionLock L(GetLock());
        Erase<TKxThreadBase>(FThreadItems, Thread);
    }
    LeaveThreads({Thread});
}

void TKxThreadGroup::AddThreadGroup(TKxThreadGroup* Group)
{
    if (Contains<TKxThreadBase>(FThreadItems, Group)) return;
    if (Group->GetRuning()) Group->ReportStarted(this);
    {
        TSectionLock L(GetLock());
        FThreadItems.push_back(Group);
    }
    JoinThreads(Group->FThreads);
}

void TKxThreadGroup::RemoveThreadGroup(TKxThreadGroup* Group)
{
    if (!Contains<TKxThreadBase>(FThreadItems, Group)) return;
    if (Group->GetRuning()) Group->ReportTerminated(this);
    {
        TSectionLock L(GetLock());
        Erase<TKxThreadBase>(FThreadItems, Group);
    }
    LeaveThreads(Group->FThreads);
}

int TKxThreadGroup::GetCountRuning() const
{
    TSectionLock L(GetLock());
    return static_cast<int>(FRunning.size());
}

void TKxThreadGroup::AddMe(TKxThreadGroup* Group)
{
    Group->AddThreadGroup(this);
}

void TKxThreadGroup::RemoveMe(TKxThreadGroup* Group)
{
    Group->RemoveThreadGroup(this);
}

void TKxThreadGroup::ReportStarted(TKxThreadGroup* Group)
{
    ForEachItem([&](TKxThreadBase* Item) { Item->ReportStarted(Group); });
}

void TKxThreadGroup::ReportTerminated(TKxThreadGroup* Group)
{
    ForEachItem([&](TKxThreadBase* Item) { Item->ReportTerminated(Group); });
}

void TKxThreadGroup::Start()
{
    Start(nullptr);
}

void TKxThreadGroup::Start(void* Data)
{
    ForEachItem([&](TKxThreadBase* Item) { Item->Start(Data); });
}

void TKxThreadGroup::Stop()
{
    ForEachItem([](TKxThreadBase* Item) { Item->Stop(); });
}

void TKxThreadGroup::Suspend()
{
    ForEachItem([](TKxThreadBase* Item) { Item->Suspend(); });
}

void TKxThreadGroup::Resume()
{
    ForEachItem([](TKxThreadBase* Item) { Item->Resume(); });
}

void TKxThreadGroup::ThreadStarted(TObject* Sender, TKxExecuteThread* Thread, void*& Data)
{
    bool First;
    const TLifeRef Life = GetLife();
    {
        TSectionLock L(*Life->Lock);
        // A thread already counted here changes nothing.
        if (Contains(FRunning, Sender)) return;
        First = FRunning.empty();
        FRunning.push_back(Sender);
        DoThreadStart(Sender, Thread, Data);
    }
    if (Life->Freed) return;
    if (TKxThreadGroup* Parent = GetThreadGroup()) Parent->ThreadStarted(Sender, Thread, Data);
    if (First && !Life->Freed) DoStart(Thread, Data);
}

void TKxThreadGroup::ThreadTerminated(TObject* Sender, TKxExecuteThread* Thread, void*& Data)
{
    bool Last;
    const TLifeRef Life = GetLife();
    {
        TSectionLock L(*Life->Lock);
        // Only a thread counted here can end here, and only once.
        if (!Contains(FRunning, Sender)) return;
        Erase(FRunning, Sender);
        Last = FRunning.empty();
        DoThreadTerminate(Sender, Thread, Data);
    }
    if (Life->Freed) return;
    if (TKxThreadGroup* Parent = GetThreadGroup()) Parent->ThreadTerminated(Sender, Thread, Data);
    if (Last && !Life->Freed) DoTerminate(Thread, Data);
}

void TKxThreadGroup::ThreadUpdate(TObject* Sender, TKxExecuteThread* Thread, void*& Data, int UpdatePriority,
                                  int Percent)
{
    const TLifeRef Life = GetLife();
    DoThreadUpdate(Sender, Thread, Data, Percent);
    if (Life->Freed) return;
    for (TKxThreadBase* Item : FThreadItems)
        if (Item->GetRuning() && Item->GetUpdatePriority() > UpdatePriority) return;
    DoUpdate(Thread, Data, Percent);
}

void TKxThreadGroup::DoThreadUpdate(TObject* Sender, TKxExecuteThread* Thread, void*& Data, int Percent)
{
    FireLocked(OnThreadUpdate, Sender, Thread, Data, Percent);
}

void TKxThreadGroup::DoThreadStart(TObject* Sender, TKxExecuteThread* Thread, void*& Data)
{
    FireLocked(OnThreadStart, Sender, Thread, Data);
}

void TKxThreadGroup::DoThreadTerminate(TObject* Sender, TKxExecuteThread* Thread, void*& Data)
{
    FireLocked(OnThreadTerminate, Sender, Thread, Data);
}

// ---- TKxExecuteThread -----------------------------------------------------------

TKxExecuteThread::TKxExecuteThread(TKxThread* AOwner, void* AData)
    : TThread(true), FOwner(AOwner), FData(AData), FOnExecute(AOwner->OnExecute)
{
    SetFreeOnTerminate(true);
    OnTerminate = [AOwner](TObject* Sender) { AOwner->OnThreadTerminate(Sender); };
    SetPriority(AOwner->GetPriority());
}

void TKxExecuteThread::Execute()
{
    FOwner->Execute();
}

void TKxExecuteThread::SetPercent(int Value)
{
    FPercent = Value;
    WaitWhileSuspended();
}

void TKxExecuteThread::Synchronize(const TThreadMethod& Method)
{
    if (!Method || GetTerminated()) return;
    TThread::Synchronize(Method);
}

void TKxExecuteThread::Synchronize(const std::function<void(TKxExecuteThread* Thread)>& Method)
{
    if (!Method) return;
    Synchronize(TThreadMethod([&] { Method(this); }));
}

void TKxExecuteThread::Synchronize(const std::function<void(TKxExecuteThread* Thread, void*& Data)>& Method)
{
    if (!Method) return;
    Synchronize(TThreadMethod([&] { WithData([&](void*& Data) { Method(this, Data); }); }));
}

} // namespace KxThread
