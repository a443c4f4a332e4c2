#include "GridTestFixture.h"
#include "grid/shared/GxClasses.h"
#include "platform/rtl/Codec.h"

namespace {

using namespace GridStorage;

using GxCustomGridControl = TGridTest;

std::string Text(const WideString& W)
{
    return WideToUtf8(W);
}

TEST_F(GxCustomGridControl, SettersKeepTheirRules)
{
    Grid->SetVersion("5.0");
    EXPECT_EQ(Grid->GetVersion(), "4.4");
    Grid->SetRowSize(0);
    Grid->SetRowSize(-3);
    EXPECT_EQ(Grid->GetRowSize(), 16);
    // The indicator moves the body's left edge: the columns follow it.
    Grid->SetOptions({goHeader, goIndicator});
    EXPECT_EQ(Columns->GetItem(1)->GetLeft(), IndicatorWidth + 80);
    Grid->SetOptions({goHeader});
    EXPECT_EQ(Columns->GetItem(1)->GetLeft(), 80);
    Grid->BeginUpdate();
    Grid->BeginUpdate();
    Grid->EndUpdate();
    EXPECT_TRUE(Grid->IsUpdating());
    Grid->EndUpdate();
    Grid->EndUpdate();
    EXPECT_FALSE(Grid->IsUpdating());
}

TEST_F(GxCustomGridControl, EachColumnChangeKindReaches)
{
    Grid->OnColumnResize = [&](TObject*, int ACol) { Log.push_back("resize " + std::to_string(ACol)); };
    Grid->OnColumnMove = [&](TObject*, int ACol, int From, int To) {
        Log.push_back("move " + std::to_string(ACol) + " " + std::to_string(From) + " " + std::to_string(To));
    };
    Grid->OnSortColumn = [&](TObject*, int ACol, bool Up) {
        Log.push_back("sort " + std::to_string(ACol) + (Up ? " up" : " down"));
    };
    Grid->OnSlideChange = [&](TObject*, int ACol) { Log.push_back("slide " + std::to_string(ACol)); };
    TGxCustomColumn* B = Columns->GetItem(1);
    B->SetWidth(300);
    EXPECT_EQ(Grid->GetHorzScrollBar()->GetMax(), 460 - Grid->GetClientWidth());
    Columns->ChangePosition(1, 2);
    B->SetSortKind(skDescending);
    B->SetSorted(true);
    EXPECT_EQ(Grid->GetSortedColumn(), B);
    B->GetSlideBounds()->SetTop(5);
    B->SetSorted(false);
    EXPECT_EQ(Grid->GetSortedColumn(), nullptr);
    EXPECT_EQ(Log, (std::vector<std::string>{"resize 1", "move 1 1 2", "sort 1 down", "slide 1"}));
}

TEST_F(GxCustomGridControl, EveryColumnOperationAppliesTheOpenEditFirst)
{
    Columns->GetItem(2)->SetOptions(Columns->GetItem(2)->GetOptions() + TColumnOptions{coCanSort});
    Grid->SetSelectedColumn(1);
    Grid->OpenEdit(1);
    Columns->Insert(ColumnClass<ColumnFixtures::TTestColumn>, 0)->SetName("N");
    // B moved to index 2: the edit went to B, and the selection follows B.
    EXPECT_EQ(Grid->GetSelectedColumn(), 2);
    Grid->OpenEdit(2);
    Columns->Move(2, 0);
    EXPECT_EQ(Grid->GetSelectedColumn(), 0);
    Grid->OpenEdit(0);
    Columns->Add(ColumnClass<ColumnFixtures::TTestColumn>, u"")->SetName("D");
    Grid->OpenEdit(0);
    Columns->Delete(0);
    EXPECT_EQ(Grid->GetSelectedColumn(), 0);
    EXPECT_EQ(Grid->EditLog,
              (std::vector<std::string>{"apply B", "end", "apply B", "end", "apply B", "end", "apply B", "end"}));
    // A sorted column that goes is forgotten; a selection past the end is clamped.
    TGxCustomColumn* C = Columns->GetColumn("C");
    C->SetSorted(true);
    ASSERT_EQ(Grid->GetSortedColumn(), C);
    Grid->SetSelectedColumn(3);
    Grid->OpenEdit(3);
    Free(C);
    EXPECT_EQ(Grid->GetSortedColumn(), nullptr);
    EXPECT_EQ(Grid->GetSelectedColumn(), 2);
    Grid->EditLog.clear();
    Grid->OpenEdit(0);
    Columns->Clear();
    EXPECT_EQ(Grid->EditLog, (std::vector<std::string>{"apply N", "end"}));
    EXPECT_EQ(Grid->GetSelectedColumn(), 0);
}

TEST_F(GxCustomGridControl, CellsByKeywordNameOrNumber)
{
    AddRows(4);
    Grid->SetSelectedRow(2);
    Grid->SetSelectedColumn(1);
    EXPECT_EQ(Text(Grid->GetCellsByName("Last", "Selected")), "C2");
    EXPECT_EQ(Text(Grid->GetCellsByName("first", "LAST")), "A3");
    EXPECT_EQ(Text(Grid->GetCellsByName("selected", 1)), "B1");
    EXPECT_EQ(Text(Grid->GetCellsByName("c", "0")), "C0");
    Grid->SetCellsByName(1.0, 3.4, u"x");
    EXPECT_EQ(Text(Grid->GetCells(1, 3)), "x");
    Grid->SetName("Grid1");
    try {
        Grid->GetCellByVariant(0, "Fifth");
        FAIL();
    } catch (const Exception& E) {
        EXPECT_EQ(E.Message, "Invalid Rowname 'Fifth' for 'TStorageGrid:Grid1'.");
    }
    try {
        Grid->GetCellByVariant("Z", 0);
        FAIL();
    } catch (const Exception& E) {
        EXPECT_EQ(E.Message, "Invalid Columnname 'Z' for 'TStorageGrid:Grid1'.");
    }
}

TEST_F(GxCustomGridControl, TextOfEveryCellAndRowCountInOneUpdate)
{
    AddRows(2);
    EXPECT_EQ(Text(Grid->GetTextStr()), "A0\r\nB0\r\nC0\r\nA1\r\nB1\r\nC1\r\n");
    Grid->RowOpsAlone = 0;
    Grid->SetRowCount(7);
    Grid->SetRowCount(3);
    Grid->SetRowCount(-1);
    EXPECT_EQ(Grid->GetRowCount(), 3);
    EXPECT_EQ(Grid->RowOpsUpdating, 5); // one AddRow, four DeleteRow
    EXPECT_EQ(Grid->RowOpsAlone, 0);
    EXPECT_FALSE(Grid->IsUpdating());
}

TEST_F(GxCustomGridControl, BestFitMeasuresVisibleRowsAsDrawn)
{
    AddRows(3);
    Grid->SetCells(0, 1, u"wwwwwwwwwwwwwwwwwwww");
    Grid->SetRowVisible(1, false);
    Grid->SetCells(0, 2, u"mmm");
    Grid->OnApplyCell = [](TObject*, int, int ARow, WideString& Value) {
        if (ARow == 0) Value = u"mmmm";
    };
    TGxCustomColumn* A = Columns->GetItem(0);
    TCanvas* Canvas = Grid->GetCanvas();
    Canvas->GetFont()->Assign(A->GetFont());
    const int Cells = GetTextWidth(Canvas, u"mmmm");
    Grid->BestFitColumn(0, bfCells);
    EXPECT_EQ(A->GetWidth(), Cells + 5);
    Grid->BestFitColumn(0, bfHeader);
    EXPECT_EQ(A->GetWidth(), Grid->GetStyleDisplay()->GetHeaderContentWidth(A) + 5);
    Grid->OnChangeRowHeight = [&](TObject*, int Index, int Height) {
        Log.push_back(std::to_string(Index) + " " + std::to_string(Height));
    };
    Grid->BestFitRow(2);
    EXPECT_EQ(Log, (std::vector<std::string>{"2 16"}));
}

TEST_F(GxCustomGridControl, ColumnsAreHandedToStreamingAsChildrenInIndexOrder)
{
    Columns->Move(0, 2);
    Columns->ChangePosition(0, 1);
    std::string Names;
    const auto Collect = [&](TComponent* Child) { Names += Child->GetName(); };
    Grid->GetChildren(Collect, Form);
    EXPECT_EQ(Names, "BCA");
    Grid->SetChildOrder(Columns->GetItem(2), 0);
    Names.clear();
    Grid->GetChildren(Collect, Form);
    EXPECT_EQ(Names, "BCA");
}

TEST_F(GxCustomGridControl, AfterAColumnOperationTheSelectedRowExistsAndTheViewFollowsTheRows)
{
    AddRows(40);
    Grid->SetSelectedRow(35);
    Grid->GetVertScrollBar()->Last();
    ASSERT_GT(Grid->GetFirstRowInView(), 0);
    Columns->Delete(1);
    EXPECT_EQ(Grid->GetSelectedRow(), 35);
    Columns->Clear();
    EXPECT_EQ(Grid->GetRowCount(), 0);
    EXPECT_EQ(Grid->GetSelectedRow(), -1);
    EXPECT_EQ(Grid->GetFirstRowInView(), 0);
    EXPECT_EQ(Grid->GetVertScrollBar()->GetMax(), 0);
    // Nothing refers to the rows that went: a new column and rows start afresh.
    Columns->Add(ColumnClass<ColumnFixtures::TTestColumn>, u"N");
    AddRows(3);
    Grid->SelectCell(0, 2, {ssShift}, true);
    EXPECT_EQ(Grid->GetSelectedCell(), TPoint(0, 2));
    EXPECT_EQ(Grid->GetVertScrollBar()->GetPosition(), 0);
}

} // namespace
