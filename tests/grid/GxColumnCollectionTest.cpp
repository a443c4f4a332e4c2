// tests/grid/GxColumnCollectionTest.cpp: the collection's orders, layout,
// auto-size and operations, with what each reports.
#include "ColumnFixtures.h"

using namespace ColumnFixtures;

using Lines = std::vector<std::string>;

namespace {

// The names of the columns in item order, or in display order.
std::string Order(TGxColumns* Columns, bool OnScreen = false)
{
    std::string S;
    for (int I = 0; I < Columns->GetCount(); ++I)
        S += (OnScreen ? Columns->GetPositionItem(I) : Columns->GetItem(I))->GetName();
    return S;
}

} // namespace

using GxColumnCollection = TGridFixture;

TEST_F(GxColumnCollection, AutoSizeSharesTheFreeWidthInProportionHalvesToEven)
{
    // Built while the grid loads, so that nothing resizes before the test asks.
    Grid->SetLoading(true);
    TTestColumn* Fixed = AddColumn("F", 200);
    TTestColumn* A = AddColumn("A", 100);
    TTestColumn* B = AddColumn("B", 300);
    A->SetOptions(A->GetOptions() + TColumnOptions{coAutoSize});
    B->SetOptions(B->GetOptions() + TColumnOptions{coAutoSize});
    Grid->SetLoading(false);

    Columns->ResizeColumns(nullptr, false); // 800 - 200 = 600 shared 1:3
    EXPECT_EQ(A->GetWidth(), 150);
    EXPECT_EQ(B->GetWidth(), 450);
    EXPECT_EQ(B->GetLeft(), 350);

    // With the indicator the body starts 12 pixels in, and a resize that
    // starts right of a column counts from its right edge less those 12.
    Grid->Indicator = true;
    Grid->BodyLeft = 12;
    Grid->InnerWidth = 788;
    Columns->UpdateColumns(false);
    A->SetSilentWidth(100);
    B->SetSilentWidth(300);
    Fixed->SetWidth(200); // 788 - 200 = 588 shared 1:3
    EXPECT_EQ(A->GetWidth(), 147);
    EXPECT_EQ(B->GetWidth(), 441);

    Grid->Indicator = false;
    Grid->BodyLeft = 0;
    Grid->InnerWidth = 401;
    Fixed->SetVisible(false); // 401 shared 1:3 is 100.25 and 300.75
    EXPECT_EQ(A->GetWidth(), 100);
    EXPECT_EQ(B->GetWidth(), 301);
    A->SetSilentWidth(100);
    B->SetSilentWidth(100);
    Grid->InnerWidth = 201;
    Columns->ResizeColumns(nullptr, false); // 100.5 each
    EXPECT_EQ(A->GetWidth(), 100);
    EXPECT_EQ(B->GetWidth(), 100);
}

TEST_F(GxColumnCollection, WidthsStayAtLeastEight)
{
    TTestColumn* A = AddColumn("A");
    Grid->TakeLog();
    A->SetWidth(3);
    EXPECT_EQ(A->GetWidth(), 8);
    EXPECT_EQ(Grid->TakeLog(), Lines{"ccWidth A -72"});

    TTestColumn* B = AddColumn("B");
    A->SetOptions(TColumnOptions{coAutoSize});
    B->SetOptions(TColumnOptions{coAutoSize});
    Grid->InnerWidth = 4; // shares of 3.6 and 0.4
    Columns->ResizeColumns(nullptr, false);
    EXPECT_EQ(A->GetWidth(), 8);
    EXPECT_EQ(B->GetWidth(), 8);
}

TEST_F(GxColumnCollection, AddAndInsertPlaceByItemAndScreenOrder)
{
    AddColumn("A");
    AddColumn("B");
    Grid->TakeLog();
    TGxCustomColumn* C = Columns->Insert(ColumnClass<TTestColumn>, 0);
    C->SetName("C");
    EXPECT_EQ(Order(Columns), "CAB");
    EXPECT_EQ(Order(Columns, true), "ABC");
    EXPECT_EQ(C->GetPosition(), 2);
    EXPECT_EQ(C->GetLeft(), 160);
    EXPECT_EQ(C->GetVisibleIndex(), 2);
    const Lines Log = Grid->TakeLog();
    ASSERT_GE(Log.size(), 2u);
    EXPECT_EQ(Lines(Log.end() - 2, Log.end()), (Lines{"change opInsert 0 -1", "repaint opInsert 0 -1"}));

    Columns->Move(0, 2); // item order only
    EXPECT_EQ(Order(Columns), "ABC");
    EXPECT_EQ(Order(Columns, true), "ABC");
    EXPECT_EQ(Grid->TakeLog(), (Lines{"change opMove 0 2", "repaint opMove 0 2"}));
    Columns->Move(0, 3);
    Columns->Move(-1, 0);
    C->SetIndex(5);
    EXPECT_EQ(Order(Columns), "ABC");
    EXPECT_TRUE(Grid->TakeLog().empty());

    Columns->ChangePosition(2, 0);
    EXPECT_EQ(Order(Columns, true), "CAB");
    EXPECT_EQ(C->GetLeft(), 0);
    EXPECT_EQ(Columns->GetItem(0)->GetPosition(), 1);
    EXPECT_EQ(Grid->TakeLog(), Lines{"ccPosition C 2"});
    C->SetPosition(1);
    EXPECT_EQ(Order(Columns, true), "ACB");
    EXPECT_EQ(Grid->TakeLog(), (Lines{"ccPosition C 0", "ccPosition C -1"}));
}

TEST_F(GxColumnCollection, RemoveDeleteClearAndHideAllReport)
{
    TTestColumn* A = AddColumn("A");
    AddColumn("B");
    AddColumn("C");
    Grid->TakeLog();

    Columns->Remove(A);
    EXPECT_EQ(A->GetColumns(), nullptr);
    EXPECT_EQ(Order(Columns, true), "BC");
    EXPECT_EQ(Columns->GetItem(0)->GetLeft(), 0);
    EXPECT_EQ(Grid->TakeLog(), (Lines{"change opDelete 0 -1", "repaint opDelete 0 -1"}));
    Columns->Remove(A);
    EXPECT_TRUE(Grid->TakeLog().empty());
    Free(A);

    Columns->Delete(1);
    EXPECT_EQ(Order(Columns), "B");
    EXPECT_EQ(Grid->TakeLog(), (Lines{"change opDelete 1 -1", "repaint opDelete 1 -1"}));

    AddColumn("D");
    Grid->TakeLog();
    Columns->HideAll();
    EXPECT_EQ(Columns->GetVisibleCount(), 0);
    EXPECT_EQ(Columns->GetFirst(), nullptr);
    EXPECT_EQ(Grid->TakeLog(), (Lines{"ccVisible B -1", "ccVisible D -1", "repaint opDelete -1 -1"}));

    Columns->Clear(); // last item first, each reporting its own removal
    EXPECT_TRUE(Columns->GetEmpty());
    EXPECT_EQ(Grid->TakeLog(), (Lines{"change opDelete 1 -1", "repaint opDelete 1 -1", "change opDelete 0 -1",
                                      "repaint opDelete 0 -1", "change opClear -1 -1", "repaint opClear -1 -1"}));
}

TEST_F(GxColumnCollection, DestructionOrders)
{
    // A column the form stores in the grid, and one the grid made.
    auto* Stored = New<TTestColumn>(Form.get());
    Stored->SetParentComponent(Grid);
    AddColumn("A");
    Lines Log;
    Columns->OnChange = [&](TObject*, TColumnsOperation Op, int Index, int) {
        Log.push_back("change " + std::to_string(Op) + " " + std::to_string(Index));
    };
    Columns->OnRepaint = [&](TObject*, TColumnsOperation Op, int Index, int) {
        Log.push_back("repaint " + std::to_string(Op) + " " + std::to_string(Index));
    };

    // The form frees its last component first: the stored column leaves a
    // whole grid, which lays out and repaints; then the grid frees its own
    // columns, last item first, and neither lays out nor repaints.
    AddColumn("B");
    Form.reset();
    EXPECT_EQ(Log, (Lines{"change 0 -1", "repaint 0 -1", "change 1 0", "repaint 1 0", "change 1 1", "change 1 0"}));
}

TEST_F(GxColumnCollection, FreeingTheGridFreesTheFormsColumnsToo)
{
    New<TTestColumn>(Form.get())->SetParentComponent(Grid);
    Free(Grid);
    EXPECT_EQ(Form->GetComponentCount(), 0);
}

TEST_F(GxColumnCollection, AFailingAddFreesItsColumn)
{
    AddColumn("A");
    Columns->OnRepaint = [](TObject*, TColumnsOperation Op, int, int) {
        if (Op != opDelete) throw EAbort("no");
    };
    EXPECT_THROW(Columns->Add(ColumnClass<TTestColumn>, u"X"), EAbort);
    EXPECT_THROW(Columns->Insert(ColumnClass<TTestColumn>, 0), EAbort);
    EXPECT_EQ(Columns->GetCount(), 1);
    EXPECT_EQ(Columns->GetComponentCount(), 1);
}

TEST_F(GxColumnCollection, AGridHoldsAtMost1025Columns)
{
    Grid->SetLoading(true); // no layout for each of them
    for (int I = 0; I < MaxColumns; ++I)
        Columns->Add(ColumnClass<TTestColumn>, u"");
    Grid->SetLoading(false);
    Grid->TakeLog();
    auto* Loose = New<TTestColumn>(Form.get());

    EXPECT_THROW(Columns->Add(ColumnClass<TTestColumn>, u""), EListError);
    EXPECT_THROW(Columns->Insert(ColumnClass<TTestColumn>, 0), EListError);
    EXPECT_THROW(Columns->AddColumn(Loose), EListError);
    EXPECT_THROW(Columns->InsertColumn(Loose, 0), EListError);
    EXPECT_THROW(Loose->SetParentComponent(Grid), EListError);
    EXPECT_EQ(Columns->GetCount(), MaxColumns);
    EXPECT_EQ(Columns->GetComponentCount(), MaxColumns);
    EXPECT_EQ(Loose->GetColumns(), nullptr);
    EXPECT_TRUE(Grid->TakeLog().empty());
}

TEST_F(GxColumnCollection, BadIndexesAndPositionsRaiseBeforeAnythingChanges)
{
    AddColumn("A");
    AddColumn("B");
    Grid->TakeLog();
    EXPECT_THROW(Columns->GetItem(2), EListError);
    EXPECT_THROW(Columns->GetItem(-1), EListError);
    EXPECT_THROW(Columns->GetPositionItem(2), EListError);
    EXPECT_THROW(Columns->Delete(2), EListError);
    EXPECT_THROW(Columns->ChangePosition(0, 2), EListError);
    EXPECT_THROW(Columns->ChangePosition(-1, 0), EListError);
    auto* Loose = New<TTestColumn>(Form.get());
    EXPECT_THROW(Columns->InsertColumn(Loose, 3), EListError);
    EXPECT_EQ(Loose->GetColumns(), nullptr);
    EXPECT_EQ(Order(Columns, true), "AB");
    EXPECT_TRUE(Grid->TakeLog().empty());
    EXPECT_FALSE(Columns->Exists(2));
}

TEST_F(GxColumnCollection, ClippingAndTheAbsoluteLeftUnderHorizontalScroll)
{
    TTestColumn* A = AddColumn("A", 100);
    TTestColumn* B = AddColumn("B", 100);
    TTestColumn* C = AddColumn("C", 100);
    Columns->SetFixedCols(1);
    Grid->HorzScrollPos = 150;
    EXPECT_EQ(Columns->GetFixedWidth(), 100);
    EXPECT_EQ(A->GetAbsoluteLeft(), 0);
    EXPECT_EQ(B->GetAbsoluteLeft(), -50);
    EXPECT_FALSE(A->IsClipped());
    EXPECT_TRUE(B->IsClipped()); // its right edge, 50, is under the fixed 100
    EXPECT_FALSE(C->IsClipped());
    EXPECT_EQ(C->GetMemberRect(ckHeader), TRect(50, 0, 150, 18));
    EXPECT_EQ(C->GetMemberRect(ckFooter), TRect(50, 184, 150, 200));
    EXPECT_EQ(C->GetMemberRect(ckInput), TRect(50, 18, 150, 34));
    EXPECT_EQ(C->GetMemberRect(ckIndicator), TRect());
    EXPECT_EQ(C->GetClientRect(), TRect(50, 18, 150, 178));

    // The grid asks for a new layout when its body moves.
    Grid->BodyLeft = 12;
    Grid->OnUpdateColumns(Grid);
    EXPECT_EQ(C->GetLeft(), 212);
}

TEST_F(GxColumnCollection, LocationAndNeighboursSkipHiddenAndDisabledColumns)
{
    TTestColumn* A = AddColumn("A");
    TTestColumn* B = AddColumn("B");
    TTestColumn* C = AddColumn("C");
    TTestColumn* D = AddColumn("D");
    B->SetVisible(false);
    C->SetEnabled(false);
    EXPECT_EQ(A->GetNextColumn(), D);
    EXPECT_EQ(D->GetPrevColumn(), A);
    EXPECT_EQ(D->GetNextColumn(), D);
    EXPECT_EQ(A->GetPrevColumn(), A);
    EXPECT_EQ(A->GetLocation(), clLeftSide);
    EXPECT_EQ(C->GetLocation(), clMiddle);
    EXPECT_EQ(D->GetLocation(), clRightSide);
    EXPECT_EQ(Columns->GetFirst(), A);
    EXPECT_EQ(Columns->GetLast(), D);
    EXPECT_EQ(Columns->GetClientWidth(), 240);
    A->SetVisible(false);
    C->SetVisible(false);
    EXPECT_EQ(D->GetLocation(), clAlone);
    EXPECT_TRUE(D->IsAlone());

    Grid->HeaderDownColumn = A;
    Grid->HoverColumn = B;
    Grid->SelectedColumn = 1;
    EXPECT_TRUE(A->GetFocused() && B->GetHover() && B->GetSelected());
    EXPECT_FALSE(B->GetFocused() || A->GetHover() || A->GetSelected());
}

TEST_F(GxColumnCollection, NamesAreFoundIgnoringCaseAndMadeUniqueOnTheForm)
{
    AddColumn("GxTextColumn1");
    TTestColumn* Two = AddColumn("GxTextColumn2");
    // UniqueName looks at the form, which owns the columns a form stores.
    auto* OnForm1 = New<TTestColumn>(Form.get());
    OnForm1->SetName("GxTextColumn1");
    auto* OnForm2 = New<TTestColumn>(Form.get());
    OnForm2->SetName("GxTextColumn2");
    EXPECT_EQ(Columns->UniqueName("GxTextColumn"), "GxTextColumn3");
    EXPECT_EQ(Columns->GetColumn("gxtextcolumn2"), Two);
    EXPECT_EQ(Columns->GetColumn("Other"), nullptr);
}
