// TGxGrid's row operations: the visible-row bounds and the selected row
// through inserts, deletes, moves and swaps; child rows, expanding and
// collapsing, tree navigation; heights; and the store's range delete.
#include "GxGridFixture.h"

namespace {

using namespace GxGridTests;

TEST_F(TGxGridTest, InsertDeleteMoveAndSwapKeepTheBoundsAndTheSelectedRowOnTheirRows)
{
    AddRows(5);
    EXPECT_EQ(Grid->GetFirstVisibleRow(), 0);
    EXPECT_EQ(Grid->GetLastVisibleRow(), 4);
    Grid->SetSelectedRow(2); // "A2"
    const auto Selected = [&] { return Text(0, Grid->GetSelectedRow()); };

    Grid->InsertRow(4);
    EXPECT_EQ(Selected(), "A2"); // a row inserted after it leaves it alone
    Grid->InsertRow(0);
    EXPECT_EQ(Selected(), "A2");
    EXPECT_EQ(Grid->GetLastVisibleRow(), 6);
    EXPECT_EQ(ColumnA(), " A0 A1 A2 A3  A4");

    Grid->MoveRow(3, 0);
    EXPECT_EQ(Selected(), "A2");
    Grid->SwapRows(0, 6);
    EXPECT_EQ(Selected(), "A2");
    EXPECT_EQ(Grid->GetSelectedRow(), 6);
    EXPECT_EQ(ColumnA(), "A4  A0 A1 A3  A2");

    // Rows before it going move it up; its own row going hands it on.
    Grid->SetSelectedRow(4);
    Grid->SetSelectionAnchorRow(5);
    Grid->DeleteRow(1);
    EXPECT_EQ(Selected(), "A3");
    EXPECT_EQ(Grid->GetSelectionAnchorRow(), 4);
    Grid->DeleteRow(3);
    EXPECT_EQ(Selected(), "");
    EXPECT_EQ(Grid->GetSelectedRow(), 3);
    Grid->DeleteRow(4);
    Grid->DeleteRow(3);
    EXPECT_EQ(Grid->GetSelectedRow(), 2); // past the last row: the last visible one
    EXPECT_EQ(Grid->GetLastVisibleRow(), 2);

    // No selection stays none.
    Grid->SetSelectedRow(-1);
    Grid->InsertRow(0);
    Grid->MoveRow(0, 2);
    Grid->DeleteRow(0);
    EXPECT_EQ(Grid->GetSelectedRow(), -1);
    while (Grid->GetRowCount() > 0)
        Grid->DeleteRow(0);
    EXPECT_EQ(Grid->GetSelectedRow(), -1);
    EXPECT_THROW(Grid->DeleteRow(0), EListError);
}

TEST_F(TGxGridTest, HiddenRowsMoveTheVisibleBoundsAndSelectedFlagsAreKeptWithoutAScan)
{
    AddRows(6);
    Grid->SetRowVisible(0, false);
    Grid->SetRowVisible(5, false);
    EXPECT_EQ(Grid->GetFirstVisibleRow(), 1);
    EXPECT_EQ(Grid->GetLastVisibleRow(), 4);
    EXPECT_EQ(Grid->GetVisibleRows(), 4);
    Grid->SetRowVisible(5, true);
    EXPECT_EQ(Grid->GetLastVisibleRow(), 5);

    Grid->SelectRange(1, 3, true);
    Grid->SetSelected(5, true);
    Grid->SetSelected(2, false);
    Grid->DeleteRow(1);
    Grid->InsertRow(0);
    std::vector<int> Rows;
    Grid->GetSelectedRows(Rows);
    EXPECT_EQ(Rows, (std::vector<int>{3, 5}));
    EXPECT_EQ(Text(0, 3) + Text(0, 5), "A3A5");
    EXPECT_EQ(Grid->GetSelectedCount(), 2);
    Grid->ClearRows();
    EXPECT_EQ(Grid->GetSelectedCount(), 0);
    EXPECT_EQ(Grid->GetLastVisibleRow(), 0);
}

TEST_F(TGxGridTest, RowHeightsAreHeldToOneToThirtyTwoThousandAndSlideTheRowsBelow)
{
    AddRows(3);
    std::vector<int> Changes;
    Grid->OnChangeRowHeight = [&](TObject*, int, int H) { Changes.push_back(H); };
    Grid->SetRowHeight(1, 0);
    EXPECT_EQ(Grid->GetRowHeight(1), 1);
    Grid->SetRowHeight(1, 100000);
    EXPECT_EQ(Grid->GetRowHeight(1), 32767);
    Grid->SetRowHeight(1, 32767); // unchanged: no event
    Grid->SetRowHeight(1, 30);
    EXPECT_EQ(Changes, (std::vector<int>{1, 32767, 30}));
    EXPECT_EQ(Grid->GetRowTop(2), Grid->GetRowTop(1) + 30 + Grid->GetGridSpace(lpTopBottom));
    // A new default height is for new rows only.
    Grid->SetRowSize(20);
    Grid->AddRow(1);
    EXPECT_EQ(Grid->GetRowHeight(0), 16);
    EXPECT_EQ(Grid->GetRowHeight(3), 20);
}

class TGxGridTreeTest : public TGxGridTest {
protected:
    // 0 P, 1 P.a, 2 P.a.x, 3 P.b, 4 Q
    void SetUp() override
    {
        TGxGridTest::SetUp();
        Grid->AddCells({u"P", u"", u""});
        Grid->AddCells({u"Q", u"", u""});
        Name(Add(0, crLast), "P.a");
        Name(Add(0, crLast), "P.b");
        Name(Add(1, crFirst), "P.a.x");
    }
    int Add(int Parent, TChildRowPosition Position)
    {
        Grid->AddChildRow(Parent, Position);
        return Position == crFirst ? Parent + 1 : Parent + Grid->GetChildCount(Parent, true);
    }
    void Name(int Row, const char* Text) { Grid->SetCells(0, Row, Utf8ToWide(Text)); }
};

TEST_F(TGxGridTreeTest, ChildRowsGoFirstOrAfterAllDescendantsAndTheTreeIsNavigable)
{
    EXPECT_EQ(ColumnA(), "P P.a P.a.x P.b Q");
    Name(Add(0, crLast), "P.c"); // past the grandchild and the other children
    EXPECT_EQ(ColumnA(), "P P.a P.a.x P.b P.c Q");
    EXPECT_EQ(Grid->GetChildCount(0, true), 4);
    EXPECT_EQ(Grid->GetChildCount(0, false), 1); // the direct children right after it, up to P.a.x
    EXPECT_EQ(Grid->GetFirstChild(0), 1);
    EXPECT_EQ(Grid->GetFirstChild(2), -1);
    EXPECT_EQ(Grid->GetLastChild(0), 4);
    EXPECT_EQ(Grid->GetLastChild(5), -1); // the last row never looks past the rows
    EXPECT_EQ(Grid->GetNextSibling(1), 3);
    EXPECT_EQ(Grid->GetNextSibling(4), -1);
    EXPECT_EQ(Grid->GetNextSibling(5), -1);
    EXPECT_EQ(Grid->GetPrevSibling(4), 3);
    EXPECT_EQ(Grid->GetPrevSibling(1), -1);
    EXPECT_EQ(Grid->GetParent(2), 1);
    EXPECT_EQ(Grid->GetParent(0), -1);
    EXPECT_EQ(Grid->GetLevel(2), 2);
    EXPECT_EQ(Grid->GetLastVisibleRow(), 5);
}

TEST_F(TGxGridTreeTest, CollapsedRowsHideTheirChildrenAndExpandingKeepsHiddenOnesHidden)
{
    std::vector<int> Expanded;
    Grid->OnExpand = [&](TObject*, int R) { Expanded.push_back(R); };
    Grid->SetExpanded(1, false); // P.a
    EXPECT_FALSE(Grid->GetRowVisible(2));
    Grid->SetExpanded(0, false); // P
    EXPECT_EQ(Grid->GetVisibleRows(), 2);
    EXPECT_EQ(Grid->GetLastVisibleRow(), 4);
    // Under a collapsed row a child starts hidden; under one a collapsed
    // ancestor hides, it stays hidden too.
    Name(Add(0, crFirst), "P.new");
    Name(Add(4, crLast), "P.b.new");
    EXPECT_FALSE(Grid->GetRowVisible(1));
    EXPECT_FALSE(Grid->GetRowVisible(5));
    EXPECT_EQ(Grid->GetVisibleRows(), 2);
    Grid->SetExpanded(0, true);
    // P.new was made hidden (Visible false) and stays so; P.a.x is under the collapsed P.a.
    EXPECT_EQ(Grid->GetVisibleRows(), 5);
    EXPECT_FALSE(Grid->GetRowVisible(1));
    EXPECT_FALSE(Grid->GetRowVisible(3));
    EXPECT_TRUE(Grid->GetRowVisible(5));
    EXPECT_EQ(Expanded, (std::vector<int>{1, 0, 0}));
    Grid->SetExpanded(6, false); // no children: nothing
    EXPECT_EQ(Expanded.size(), 3u);
}

TEST_F(TGxGridTreeTest, DeletingARowTakesItsDescendantsAndChildDeletesFindTheirChild)
{
    Grid->SetSelectedRow(2);    // P.a.x
    Grid->DeleteChildRow(0, 5); // P has no sixth direct child
    EXPECT_EQ(ColumnA(), "P P.a P.a.x P.b Q");
    Grid->DeleteChildRow(1, 0);
    EXPECT_EQ(ColumnA(), "P P.a P.b Q");
    EXPECT_FALSE(Grid->HasChildren(1));
    Name(Add(3, crLast), "Q.a");
    Grid->SetSelectedRow(4); // Q.a
    Grid->DeleteRow(0);
    EXPECT_EQ(ColumnA(), "Q Q.a");
    EXPECT_EQ(Text(0, Grid->GetSelectedRow()), "Q.a");
    EXPECT_EQ(Grid->GetParent(1), 0);
    Grid->ClearChildRows(0);
    EXPECT_EQ(ColumnA(), "Q");
    EXPECT_EQ(Grid->GetSelectedRow(), 0); // the selected child handed it to its parent
    EXPECT_FALSE(Grid->HasChildren(0));
    EXPECT_EQ(Grid->GetLastVisibleRow(), 0);
}

TEST_F(TGxGridTreeTest, MovesAndSwapsThatWouldPartATreeRaiseAndChangeNothing)
{
    const AnsiString Before = ColumnA();
    EXPECT_THROW(Grid->MoveRow(1, 4), EInvalidOperation); // P.a without P.a.x
    EXPECT_THROW(Grid->MoveRow(4, 2), EInvalidOperation); // Q between P.a and P.a.x
    EXPECT_THROW(Grid->MoveRow(3, 4), EInvalidOperation); // P.b out from under P
    EXPECT_THROW(Grid->SwapRows(2, 3), EInvalidOperation);
    EXPECT_THROW(Grid->SwapRows(0, 4), EInvalidOperation);
    EXPECT_EQ(ColumnA(), Before);
    int Fired = 0;
    Grid->OnRowMove = [&](TObject*, int, int, bool&) { ++Fired; };
    EXPECT_FALSE(Grid->CanMoveRow(1, 4));
    EXPECT_EQ(Fired, 0);
    // Within its own parent a leaf moves; level-0 rows swap.
    EXPECT_TRUE(Grid->CanMoveRow(3, 1));
    EXPECT_EQ(Fired, 1);
    Grid->MoveRow(3, 1);
    EXPECT_EQ(ColumnA(), "P P.b P.a P.a.x Q");
    Grid->AddCells({u"R", u"", u""});
    Grid->SwapRows(4, 5);
    EXPECT_EQ(ColumnA(), "P P.b P.a P.a.x R Q");
}

TEST(GxCellsDeleteRows, ARangeGoesWithOneRenumberingAndTheIndexesStayRight)
{
    auto* Form = New<TForm>(Application);
    auto* Grid = New<TGxGrid>(Form);
    Grid->GetColumns()->Add(ColumnClass<ColumnFixtures::TTestColumn>, u"A");
    TCells* Store = Grid->GetStore();
    Store->AddRow(3);
    Store->AddChildRow(1, 2); // 0, 1, 1.a, 2, 3
    Store->AddChildRow(2, 3); // 0, 1, 1.a, 1.a.x, 2, 3
    Store->AddRow(1);
    for (int R = 0; R < Store->GetRowCount(); ++R)
        Store->GetCell(0, R).SetAsString(Utf8ToWide(IntToStr(R)));
    Store->ShowRow(5, false);
    const TCell Kept = Store->GetCell(0, 4);
    const TRow* Parent = Store->GetRow(1);
    Store->DeleteRows(1, 3);
    EXPECT_EQ(Store->GetRowCount(), 3);
    EXPECT_EQ(Store->GetCellRowIndex(Kept), 1);
    EXPECT_EQ(Store->GetRowIndex(Parent), -1);
    EXPECT_EQ(Store->GetVisibleRowCount(), 2);
    EXPECT_EQ(Store->GetOnScreenRow(1), 1);
    EXPECT_EQ(Store->GetOnScreenBefore(3), 2);
    EXPECT_EQ(Store->GetRow(1)->GetLevel(), 0);
    // A child left behind forgets the parent that went.
    Store->AddChildRow(0, 1);
    Store->DeleteRows(0, 1);
    EXPECT_EQ(Store->GetRow(0)->GetParent(), nullptr);
    EXPECT_THROW(Store->DeleteRows(2, 5), EListError);
    EXPECT_EQ(Store->GetRowCount(), 3);
    Store->DeleteRows(0, 0);
    Store->DeleteRows(0, 3);
    EXPECT_EQ(Store->GetVisibleRowCount(), 0);
    Free(Form);
}

} // namespace

namespace {

using namespace GxGridTests;

TEST_F(TGxGridTest, ShowingAndHidingARowSlidesTheRowsBelowAndStepsTheBarForRowsAbove)
{
    AddRows(40);
    for (int C = 0; C < 3; ++C)
        Grid->GetCell(C, 3).SetColor(clRed);
    const TRect Row1 = Grid->GetRowRect(1);
    const int X = Grid->GetCellRect(2, 1).Right - 3;
    const int Y = Row1.Top + 1;
    // Row 3 slides up into row 2's place without a repaint of its own.
    TRect Pending = PendingAfter([&] { Grid->SetRowVisible(2, false); });
    EXPECT_EQ(Grid->GetCanvas()->GetPixels(X, Y + Row1.Height()), clRed);
    EXPECT_GT(Pending.Top, Grid->GetRowRect(5).Top); // only the strip the slide uncovered
    Pending = PendingAfter([&] { Grid->SetRowVisible(2, true); });
    EXPECT_EQ(Grid->GetCanvas()->GetPixels(X, Y + 2 * Row1.Height()), clRed);
    EXPECT_TRUE(Pending.Top >= Grid->GetRowRect(2).Top && Pending.Bottom <= Grid->GetRowRect(3).Top);

    // A row above the view: the bar's position follows the rows above it.
    Grid->GetVertScrollBar()->SetPosition(5);
    Grid->SetRowVisible(1, false);
    EXPECT_EQ(Grid->GetVertScrollBar()->GetPosition(), 4);
    Grid->SetRowVisible(1, true);
    EXPECT_EQ(Grid->GetVertScrollBar()->GetPosition(), 5);
}

} // namespace
