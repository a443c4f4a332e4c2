#include "ControlFixtures.h"
#include "platform/controls/ExtCtrls.h"

namespace {

TRect BoundsOf(TControl* C)
{
    return C->GetBoundsRect();
}

TProbeControl* Child(TWinControl* Parent, TAlign Align, int Left, int Top, int Width, int Height)
{
    auto* C = New<TProbeControl>(Parent);
    C->SetBounds(Left, Top, Width, Height);
    C->SetParent(Parent);
    C->SetAlign(Align);
    return C;
}

TEST(Align, TopBottomLeftRightClientShareTheClientAreaInThatOrder)
{
    TOwned<TProbeControl> Parent(New<TProbeControl>(nullptr));
    Parent->SetBounds(0, 0, 200, 100);
    // Created in an order that differs from the order they are placed in.
    auto* Client = Child(Parent.get(), alClient, 0, 0, 10, 10);
    auto* Right = Child(Parent.get(), alRight, 0, 0, 40, 10);
    auto* Left = Child(Parent.get(), alLeft, 0, 0, 30, 10);
    auto* Bottom = Child(Parent.get(), alBottom, 0, 0, 10, 20);
    auto* Top = Child(Parent.get(), alTop, 0, 0, 10, 10);
    EXPECT_EQ(BoundsOf(Top), Bounds(0, 0, 200, 10));
    EXPECT_EQ(BoundsOf(Bottom), Bounds(0, 80, 200, 20));
    EXPECT_EQ(BoundsOf(Left), Bounds(0, 10, 30, 70));
    EXPECT_EQ(BoundsOf(Right), Bounds(160, 10, 40, 70));
    EXPECT_EQ(BoundsOf(Client), Bounds(30, 10, 130, 70));

    // Two top-aligned controls keep the order of their Top values.
    auto* Above = Child(Parent.get(), alNone, 0, -5, 10, 5);
    Above->SetAlign(alTop);
    EXPECT_EQ(BoundsOf(Above), Bounds(0, 0, 200, 5));
    EXPECT_EQ(BoundsOf(Top), Bounds(0, 5, 200, 10));

    // A new parent size realigns everything.
    Parent->SetBounds(0, 0, 300, 200);
    EXPECT_EQ(BoundsOf(Bottom), Bounds(0, 180, 300, 20));
    EXPECT_EQ(BoundsOf(Right), Bounds(260, 15, 40, 165));
    EXPECT_EQ(BoundsOf(Client), Bounds(30, 15, 230, 165));

    // Hidden aligned controls give up their room.
    Left->SetVisible(false);
    EXPECT_EQ(BoundsOf(Client), Bounds(0, 15, 260, 165));
}

TEST(Align, AControlThatRefusesItsSizeLeavesTheRestToItsNeighbours)
{
    TOwned<TProbeControl> Parent(New<TProbeControl>(nullptr));
    Parent->SetBounds(0, 0, 200, 100);
    auto* Top = Child(Parent.get(), alTop, 0, 0, 10, 30);
    Top->GetConstraints()->SetMaxWidth(120);
    auto* Client = Child(Parent.get(), alClient, 0, 0, 10, 10);
    EXPECT_EQ(BoundsOf(Top), Bounds(0, 0, 120, 30));
    EXPECT_EQ(BoundsOf(Client), Bounds(0, 30, 200, 70));
}

TEST(Anchors, KeepDistancesToTheEdgesTheyAreAnchoredTo)
{
    TOwned<TProbeControl> Parent(New<TProbeControl>(nullptr));
    Parent->SetBounds(0, 0, 200, 100);
    auto* Corner = Child(Parent.get(), alNone, 150, 70, 30, 20);
    Corner->SetAnchors({akRight, akBottom});
    auto* Stretch = Child(Parent.get(), alNone, 10, 10, 180, 50);
    Stretch->SetAnchors({akLeft, akTop, akRight, akBottom});
    auto* Fixed = Child(Parent.get(), alNone, 20, 20, 10, 10);
    auto* Centred = Child(Parent.get(), alNone, 90, 10, 20, 10);
    Centred->SetAnchors({akTop});

    Parent->SetBounds(0, 0, 300, 150);
    EXPECT_EQ(BoundsOf(Corner), Bounds(250, 120, 30, 20));
    EXPECT_EQ(BoundsOf(Stretch), Bounds(10, 10, 280, 100));
    EXPECT_EQ(BoundsOf(Fixed), Bounds(20, 20, 10, 10));
    EXPECT_EQ(BoundsOf(Centred), Bounds(140, 10, 20, 10));

    // Back to the first size: everything is where it started.
    Parent->SetBounds(0, 0, 200, 100);
    EXPECT_EQ(BoundsOf(Corner), Bounds(150, 70, 30, 20));
    EXPECT_EQ(BoundsOf(Stretch), Bounds(10, 10, 180, 50));

    // Moving an anchored control by hand makes its new place the rule.
    Corner->SetLeft(100);
    Parent->SetBounds(0, 0, 250, 100);
    EXPECT_EQ(Corner->GetLeft(), 150);
}

TEST(Anchors, MeasureTheParentsClientAreaWhetherOrNotItsWindowExists)
{
    TOwned<TPanel> Parent(New<TPanel>(nullptr));
    Parent->SetBounds(0, 0, 200, 100);
    Parent->SetBorderStyle(bsSingle); // a client edge: 2 pixels all round
    EXPECT_EQ(Parent->GetClientWidth(), 196);
    auto* Corner = Child(Parent.get(), alNone, 150, 70, 30, 20);
    Corner->SetAnchors({akRight, akBottom});
    Parent->HandleNeeded();
    EXPECT_EQ(BoundsOf(Corner), Bounds(150, 70, 30, 20));
    Parent->SetBounds(0, 0, 220, 110);
    EXPECT_EQ(BoundsOf(Corner), Bounds(170, 80, 30, 20));
}

TEST(Anchors, ControlsLoadedWithTheirFormKeepTheirStoredPlaces)
{
    TOwned<TProbeControl> Parent(New<TProbeControl>(nullptr));
    auto* C = New<TProbeControl>(Parent.get());
    // As a form's builder does: everything set while loading, then Loaded.
    Parent->SetLoading(true);
    C->SetLoading(true);
    C->SetParent(Parent.get());
    C->SetBounds(150, 70, 30, 20);
    C->SetAnchors({akRight, akBottom});
    Parent->SetBounds(0, 0, 200, 100);
    Parent->Loaded();
    C->Loaded();
    EXPECT_EQ(BoundsOf(C), Bounds(150, 70, 30, 20));
    Parent->SetBounds(0, 0, 240, 100);
    EXPECT_EQ(BoundsOf(C), Bounds(190, 70, 30, 20));
}

TEST(TabOrder, StoredWhileLoadingIsAppliedAfterwards)
{
    TOwned<TProbeControl> Parent(New<TProbeControl>(nullptr));
    Parent->SetLoading(true);
    std::vector<TProbeControl*> Kids;
    for (int I = 0; I < 3; ++I) {
        auto* C = New<TProbeControl>(Parent.get());
        C->SetLoading(true);
        C->SetParent(Parent.get());
        C->SetTabOrder(2 - I);
        Kids.push_back(C);
    }
    Parent->Loaded();
    EXPECT_EQ(Kids[0]->GetTabOrder(), 2);
    EXPECT_EQ(Kids[1]->GetTabOrder(), 1);
    EXPECT_EQ(Kids[2]->GetTabOrder(), 0);
    for (auto* C : Kids)
        C->Loaded();
    Kids[0]->SetTabOrder(0);
    EXPECT_EQ(Kids[2]->GetTabOrder(), 1);
}

} // namespace
