#include "platform/classes/Classes.h"

#include <algorithm>
#include <cstdio>

// ---- TPersistent --------------------------------------------------------------

void TPersistent::Assign(TPersistent* Source)
{
    if (Source)
        Source->AssignTo(this);
    else
        AssignTo(nullptr);
}

void TPersistent::AssignTo(TPersistent* Dest)
{
    throw EConvertError("Cannot assign a " + ClassName() + " to a " + (Dest ? Dest->ClassName() : "nil"));
}

// ---- TList --------------------------------------------------------------------

void TList::Error(int Index) const
{
    throw EListError("List index out of bounds (" + IntToStr(Index) + ")");
}

int TList::Add(void* Item)
{
    FItems.push_back(Item);
    return GetCount() - 1;
}

void TList::Insert(int Index, void* Item)
{
    if (Index < 0 || Index > GetCount()) Error(Index);
    FItems.insert(FItems.begin() + Index, Item);
}

void TList::Delete(int Index)
{
    if (Index < 0 || Index >= GetCount()) Error(Index);
    FItems.erase(FItems.begin() + Index);
}

int TList::Remove(void* Item)
{
    const int I = IndexOf(Item);
    if (I >= 0) Delete(I);
    return I;
}

void TList::Clear()
{
    FItems.clear();
}

int TList::IndexOf(void* Item) const
{
    auto It = std::find(FItems.begin(), FItems.end(), Item);
    return It == FItems.end() ? -1 : static_cast<int>(It - FItems.begin());
}

void TList::Exchange(int A, int B)
{
    if (A < 0 || A >= GetCount()) Error(A);
    if (B < 0 || B >= GetCount()) Error(B);
    std::swap(FItems[A], FItems[B]);
}

void TList::Move(int CurIndex, int NewIndex)
{
    if (CurIndex == NewIndex) return;
    if (NewIndex < 0 || NewIndex >= GetCount()) Error(NewIndex);
    void* Item = Get(CurIndex);
    FItems.erase(FItems.begin() + CurIndex);
    FItems.insert(FItems.begin() + NewIndex, Item);
}

void* TList::Extract(void* Item)
{
    const int I = IndexOf(Item);
    if (I < 0) return nullptr;
    Delete(I);
    return Item;
}

void TList::Pack()
{
    FItems.erase(std::remove(FItems.begin(), FItems.end(), nullptr), FItems.end());
}

void TList::SetCount(int Value)
{
    if (Value < 0) Error(Value);
    FItems.resize(Value, nullptr);
}

void TList::SetCapacity(int Value)
{
    if (Value < GetCount()) Error(Value);
    FItems.reserve(Value);
}

void* TList::Get(int Index) const
{
    if (Index < 0 || Index >= GetCount()) Error(Index);
    return FItems[Index];
}

void TList::Put(int Index, void* Item)
{
    if (Index < 0 || Index >= GetCount()) Error(Index);
    FItems[Index] = Item;
}

void TList::Sort(const std::function<int(void*, void*)>& Compare)
{
    std::stable_sort(FItems.begin(), FItems.end(), [&](void* A, void* B) { return Compare(A, B) < 0; });
}

// ---- TComponent ---------------------------------------------------------------

TComponent::TComponent(TComponent* AOwner)
{
    if (AOwner) AOwner->InsertComponent(this);
}

void TComponent::BeforeDestruction()
{
    TPersistent::BeforeDestruction();
    Destroying();
}

TComponent::~TComponent()
{
    Destroying();
    // Those who asked to be told learn of the end while this object is still whole.
    while (!FFreeNotifies.empty()) {
        TComponent* C = FFreeNotifies.back();
        FFreeNotifies.pop_back();
        C->RemoveNotification(this);
        C->Notification(this, opRemove);
    }
    DestroyComponents();
    if (FOwner) FOwner->RemoveComponent(this);
}

void TComponent::Destroying()
{
    FComponentState.Include(csDestroying);
}

void TComponent::SetName(const AnsiString& Value)
{
    FName = Value;
}

int TComponent::GetComponentIndex() const
{
    if (!FOwner) return -1;
    auto& L = FOwner->FComponents;
    auto It = std::find(L.begin(), L.end(), this);
    return It == L.end() ? -1 : static_cast<int>(It - L.begin());
}

TComponent* TComponent::FindComponent(const AnsiString& Name) const
{
    if (Name.empty()) return nullptr;
    for (auto* C : FComponents)
        if (SameText(C->FName, Name)) return C;
    return nullptr;
}

void TComponent::Insert(TComponent* AComponent)
{
    FComponents.push_back(AComponent);
    AComponent->FOwner = this;
}

void TComponent::Remove(TComponent* AComponent)
{
    AComponent->FOwner = nullptr;
    auto It = std::find(FComponents.begin(), FComponents.end(), AComponent);
    if (It != FComponents.end()) FComponents.erase(It);
}

void TComponent::InsertComponent(TComponent* AComponent)
{
    if (AComponent->FOwner) AComponent->FOwner->RemoveComponent(AComponent);
    Insert(AComponent);
    Notification(AComponent, opInsert);
}

void TComponent::RemoveComponent(TComponent* AComponent)
{
    Notification(AComponent, opRemove);
    Remove(AComponent);
}

void TComponent::DestroyComponents()
{
    // Last created goes first; siblings that asked to hear of it are told.
    while (!FComponents.empty()) {
        TComponent* C = FComponents.back();
        if (C->FComponentState.Contains(csFreeNotification))
            RemoveComponent(C);
        else
            Remove(C);
        Free(C);
    }
}

void TComponent::Notification(TComponent* AComponent, TOperation Operation)
{
    if (Operation == opRemove && AComponent) RemoveFreeNotification(AComponent);
    // Copy: a handler may free components of this owner.
    const auto Owned = FComponents;
    for (auto* C : Owned)
        if (std::find(FComponents.begin(), FComponents.end(), C) != FComponents.end())
            C->Notification(AComponent, Operation);
}

void TComponent::FreeNotification(TComponent* AComponent)
{
    if (!AComponent || AComponent == this) return;
    FComponentState.Include(csFreeNotification);
    if (FOwner && AComponent->FOwner == FOwner) return; // siblings hear of each other through the owner
    if (std::find(FFreeNotifies.begin(), FFreeNotifies.end(), AComponent) == FFreeNotifies.end()) {
        FFreeNotifies.push_back(AComponent);
        AComponent->FreeNotification(this);
    }
}

void TComponent::RemoveNotification(TComponent* AComponent)
{
    auto It = std::find(FFreeNotifies.begin(), FFreeNotifies.end(), AComponent);
    if (It != FFreeNotifies.end()) FFreeNotifies.erase(It);
}

void TComponent::RemoveFreeNotification(TComponent* AComponent)
{
    RemoveNotification(AComponent);
    AComponent->RemoveNotification(this);
}

void TComponent::SetComponentStateFlag(TComponentStateItem Flag, bool On)
{
    if (On)
        FComponentState.Include(Flag);
    else
        FComponentState.Exclude(Flag);
}

void TComponent::SetLoading(bool Value)
{
    SetComponentStateFlag(csLoading, Value);
}

void TComponent::Loaded()
{
    FComponentState.Exclude(csLoading);
}

// ---- Unit sections --------------------------------------------------------------

namespace {

struct TUnitSection {
    const char* Name;
    void (*Initialization)();
    void (*Finalization)();
    bool Initialized;
};

std::vector<TUnitSection>& Sections()
{
    static std::vector<TUnitSection> S;
    return S;
}

} // namespace

void AddUnitSection(const char* Name, void (*Initialization)(), void (*Finalization)())
{
    for (auto& S : Sections())
        if (std::string_view(S.Name) == Name) return;
    Sections().push_back({Name, Initialization, Finalization, false});
}

void RunUnitInitializations()
{
    for (auto& S : Sections()) {
        if (S.Initialized) continue;
        S.Initialized = true;
        if (S.Initialization) S.Initialization();
    }
}

void RunUnitFinalizations()
{
    auto& L = Sections();
    for (auto It = L.rbegin(); It != L.rend(); ++It) {
        if (!It->Initialized) continue;
        It->Initialized = false;
        if (It->Finalization) It->Finalization();
    }
}

void (*ApplicationHandleExceptionHook)(TObject* Sender) = nullptr;

void ApplicationHandleException(TObject* Sender)
{
    if (ApplicationHandleExceptionHook) return ApplicationHandleExceptionHook(Sender);
    try {
        throw;
    } catch (const std::exception& E) {
        std::fprintf(stderr, "%s\n", E.what());
    } catch (...) {
    }
}
