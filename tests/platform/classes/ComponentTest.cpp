#include "platform/classes/Classes.h"

#include <functional>
#include <gtest/gtest.h>
#include <vector>

namespace {

std::vector<AnsiString> Log;

class TProbe : public TComponent {
public:
    TProbe(TComponent* AOwner, AnsiString N) : TComponent(AOwner) { SetName(N); }
    ~TProbe() override { Log.push_back("free " + GetName()); }
    TProbe* Target = nullptr; // a non-owning reference
    std::function<void()> OnTargetGone;
    int Constructed = 0;
    void AfterConstruction() override
    {
        TComponent::AfterConstruction();
        ++Constructed;
    }

protected:
    void Notification(TComponent* AComponent, TOperation Operation) override
    {
        TComponent::Notification(AComponent, Operation);
        if (Operation == opRemove && AComponent == Target) {
            Target = nullptr;
            if (OnTargetGone) OnTargetGone();
        }
    }
};

} // namespace

TEST(Component, OwnerFreesWhatItOwnsInReverseOrderOfCreation)
{
    Log.clear();
    auto* Owner = New<TProbe>(nullptr, "owner");
    auto* A = New<TProbe>(Owner, "a");
    New<TProbe>(Owner, "b");
    New<TProbe>(A, "a1");
    EXPECT_EQ(Owner->GetComponentCount(), 2);
    EXPECT_EQ(Owner->FindComponent("B")->GetName(), "b");
    EXPECT_EQ(A->GetComponentIndex(), 0);
    EXPECT_EQ(A->Constructed, 1);
    Free(Owner);
    EXPECT_EQ(Log, (std::vector<AnsiString>{"free owner", "free b", "free a", "free a1"}));
}

TEST(Component, FreeingAnOwnedComponentRemovesItFromItsOwner)
{
    auto* Owner = New<TProbe>(nullptr, "owner");
    auto* A = New<TProbe>(Owner, "a");
    Free(A);
    EXPECT_EQ(Owner->GetComponentCount(), 0);
    Free(Owner);
}

TEST(Component, FreeNotificationClearsReferencesAcrossOwners)
{
    auto* FormA = New<TProbe>(nullptr, "formA");
    auto* FormB = New<TProbe>(nullptr, "formB");
    auto* User = New<TProbe>(FormA, "user");
    auto* Used = New<TProbe>(FormB, "used");
    User->Target = Used;
    Used->FreeNotification(User);
    Free(Used);
    EXPECT_EQ(User->Target, nullptr);
    Free(FormB);
    Free(FormA);
}

TEST(Component, DestroyingStateIsSetBeforeDestructorsRun)
{
    auto* C = New<TProbe>(nullptr, "c");
    EXPECT_FALSE(C->GetComponentState().Contains(csDestroying));
    C->BeforeDestruction();
    EXPECT_TRUE(C->GetComponentState().Contains(csDestroying));
    delete C;
}

TEST(List, IndexErrorsAndMoves)
{
    TList L;
    int A = 1, B = 2, C = 3;
    L.Add(&A);
    L.Add(&B);
    L.Add(&C);
    L.Move(0, 2);
    EXPECT_EQ(L.Get(2), &A);
    EXPECT_EQ(L.IndexOf(&C), 1);
    EXPECT_EQ(L.Remove(&B), 0);
    try {
        L.Get(9);
        FAIL();
    } catch (const EListError& E) {
        EXPECT_EQ(E.Message, "List index out of bounds (9)");
    }
}

TEST(ObjectModel, ClassNamesAndClassReferences)
{
    TStringList L;
    EXPECT_EQ(L.ClassName(), "TStringList");
    auto* C = New<TComponent>(nullptr);
    EXPECT_TRUE(C->InheritsFrom(TPersistent::StaticClassType()));
    EXPECT_EQ(AnsiString(C->ClassType()->ClassName()), "TComponent");
    Free(C);
}

TEST(Component, SiblingsHearOfEachOthersRemovalThroughTheOwner)
{
    auto* Form = New<TProbe>(nullptr, "form");
    auto* User = New<TProbe>(Form, "user");
    auto* Used = New<TProbe>(Form, "used");
    User->Target = Used;
    Free(Used);
    EXPECT_EQ(User->Target, nullptr);

    // When the owner frees them all, one that asked to hear forgets the
    // other before that is gone, whatever the order of freeing.
    Used = New<TProbe>(Form, "used");
    User->Target = Used;
    Used->FreeNotification(User);
    bool SawTargetGo = false;
    User->OnTargetGone = [&] { SawTargetGo = true; };
    Free(Form);
    EXPECT_TRUE(SawTargetGo);
}
