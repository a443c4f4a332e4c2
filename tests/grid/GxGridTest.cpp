// TGxGrid's cells, names, repaints and events, painting and play hooks,
// footers and the column sort.
#include "GxGridFixture.h"
#include "grid/GxCellClasses.h"

namespace {

using namespace GxGridTests;

TEST_F(TGxGridTest, CellsOutsideTheGridRaiseWithTheirColumnAndRow)
{
    AddRows(2);
    EXPECT_EQ(Text(2, 1), "C1");
    const auto Message = [&](const std::function<void()>& Step) {
        try {
            Step();
        } catch (const Exception& E) {
            return E.Message;
        }
        return AnsiString("no exception");
    };
    EXPECT_EQ(Message([&] { Grid->GetCells(3, 0); }), "Cell out of bounds (3, 0)");
    EXPECT_EQ(Message([&] { Grid->GetCells(0, 2); }), "Cell out of bounds (0, 2)");
    EXPECT_EQ(Message([&] { Grid->SetCells(-1, 0, u"x"); }), "Cell out of bounds (-1, 0)");
    EXPECT_EQ(Text(0, 0), "A0");
    // The cell itself answers to the store's bounds.
    EXPECT_THROW(Grid->GetCell(0, 5), EListError);
}

TEST_F(TGxGridTest, CellsByNameResolveFirstLastSelectedAndColumnNames)
{
    AddRows(3);
    Grid->SetSelectedRow(1);
    Grid->SetSelectedColumn(2);
    const auto Name = [&](const Variant& C, const Variant& R) {
        return WideToUtf8(Grid->GetCellByName(C, R).GetAsString());
    };
    EXPECT_EQ(Name(Variant("First"), Variant("last")), "A2");
    EXPECT_EQ(Name(Variant("Selected"), Variant("SELECTED")), "C1");
    EXPECT_EQ(Name(Variant("B"), Variant(0)), "B0");
    EXPECT_EQ(Name(Variant("Last"), Variant("2")), "C2");
    try {
        Grid->GetCellByName(Variant(0), Variant("middle"));
        ADD_FAILURE();
    } catch (const Exception& E) {
        EXPECT_EQ(E.Message, "Invalid Rowname 'middle' for 'TGxGrid:Grid'.");
    }
}

TEST_F(TGxGridTest, AddRowFillsDefaultValuesOnlyWhenAskedAndReserveRowsNever)
{
    Grid->GetColumns()->GetItem(1)->SetDefaultValue(u"dflt");
    Grid->AddRow(0);
    Grid->AddRow(-2);
    EXPECT_EQ(Grid->GetRowCount(), 0);
    Grid->AddRow(1);
    EXPECT_EQ(Text(1, 0), "");
    Grid->SetOptions(Grid->GetOptions() + TGridOptions{goUseDefaultValues});
    Grid->AddRow(2);
    EXPECT_EQ(Text(0, 1) + Text(1, 1) + "|" + Text(1, 2), "dflt|dflt");
    Grid->ReserveRows(2);
    EXPECT_EQ(Grid->GetRowCount(), 5);
    EXPECT_EQ(Text(1, 4), "");
    EXPECT_EQ(Grid->GetLastVisibleRow(), 4);
    // Clearing a row empties its cells and leaves the row.
    Grid->ClearRow(1);
    Grid->ClearRow(9);
    EXPECT_EQ(Text(1, 1), "");
    EXPECT_EQ(Grid->GetRowCount(), 5);
}

// A grid that counts its paints.
class TPaintCountingGrid : public TGxGrid {
public:
    using TGxGrid::TGxGrid;
    int Paints = 0;

protected:
    void Paint() override
    {
        ++Paints;
        TGxGrid::Paint();
    }
};

TEST_F(TGxGridTest, ReservingManyRowsRepaintsTheGridOnce)
{
    auto* Counting = New<TPaintCountingGrid>(Form);
    Counting->SetParent(Form);
    Counting->SetBounds(0, 0, 300, 200);
    Counting->GetColumns()->Add(ColumnClass<ColumnFixtures::TTestColumn>, u"A");
    Counting->HandleNeeded();
    platform::test::PaintNow(Counting);
    Counting->Paints = 0;
    Counting->ReserveRows(500);
    platform::test::ProcessEvents();
    EXPECT_EQ(Counting->Paints, 1);
    EXPECT_EQ(Counting->GetRowCount(), 500);
    Free(Counting);
}

TEST_F(TGxGridTest, AddCellsFillsRowsLeftToRightOrOneRowChecked)
{
    Grid->AddCells({u"1", u"2", u"3", u"4", u"5"});
    EXPECT_EQ(Grid->GetRowCount(), 2);
    EXPECT_EQ(Text(0, 1) + Text(1, 1) + "|" + Text(2, 1), "45|");
    // Into a given row: the rows grow to that row, not to the number of values.
    Grid->AddCells({u"x", u"y"}, 4);
    EXPECT_EQ(Grid->GetRowCount(), 5);
    EXPECT_EQ(Text(0, 4) + Text(1, 4), "xy");
    // More values than columns: nothing is written, nothing grows.
    try {
        Grid->AddCells({u"p", u"q", u"r", u"s"}, 7);
        ADD_FAILURE();
    } catch (const Exception& E) {
        EXPECT_EQ(E.Message, "Cell out of bounds (3, 7)");
    }
    EXPECT_EQ(Grid->GetRowCount(), 5);
}

TEST_F(TGxGridTest, EachSetAsStringRepaintsItsCellAndFiresOnChangeUnlessUpdating)
{
    AddRows(3);
    Grid->OnChange = [&](TObject*, int C, int R) { Log.push_back(IntToStr(C) + "," + IntToStr(R)); };
    const TRect Cell = Grid->GetCellRect(1, 2);
    const TRect R = PendingAfter([&] { Grid->GetCell(1, 2).SetAsString(u"new"); });
    EXPECT_EQ(R.Left, Cell.Left);
    EXPECT_EQ(R.Top, Cell.Top);
    EXPECT_LE(R.Right, Cell.Right + 1);
    EXPECT_LE(R.Bottom, Cell.Bottom + 1);
    EXPECT_EQ(Log, (std::vector<std::string>{"1,2"}));
    // The scan's way: a new row, then its five cells.
    Log.clear();
    Grid->AddRow(1);
    for (int C = 0; C < 3; ++C)
        Grid->GetCell(C, Grid->GetRowCount() - 1).SetAsString(u"t");
    EXPECT_EQ(Log, (std::vector<std::string>{"0,3", "1,3", "2,3"}));
    Log.clear();
    Grid->BeginUpdate();
    Grid->GetCell(0, 0).SetAsString(u"quiet");
    Grid->EndUpdate();
    EXPECT_TRUE(Log.empty());
}

TEST_F(TGxGridTest, ACellBelowTheViewAsksForNoRepaint)
{
    AddRows(40);
    const TRect R = PendingAfter([&] { Grid->GetCell(0, 35).SetAsString(u"far"); });
    EXPECT_TRUE(R.Right <= R.Left || R.Bottom <= R.Top);
    // A row partly in view still repaints.
    const int Last = Grid->GetLastRowInView(Grid->GetVisibleCount(false)) + 1;
    const TRect Near = PendingAfter([&] { Grid->GetCell(0, Last).SetAsString(u"near"); });
    EXPECT_TRUE(Near.Left < Near.Right && Near.Top < Near.Bottom);
    // Far down the rows but near in view: the rows between are hidden.
    for (int Row = 1; Row < 35; ++Row)
        Grid->SetRowVisible(Row, false);
    const TRect Shown = PendingAfter([&] { Grid->GetCell(0, 35).SetAsString(u"shown"); });
    EXPECT_TRUE(Shown.Left < Shown.Right && Shown.Top < Shown.Bottom);
    Grid->AddRow(1);
    const TRect Added = PendingAfter([&] { Grid->GetCell(0, 40).SetAsString(u"added"); });
    EXPECT_TRUE(Added.Left < Added.Right && Added.Top < Added.Bottom);
}

TEST_F(TGxGridTest, CellColourComesFromTheCellOrItsColumnAndFormattingHookSeesEachPaintedCell)
{
    AddRows(2);
    TGxCustomColumn* B = Grid->GetColumns()->GetItem(1);
    Grid->GetCell(1, 0).SetColor(clRed);
    EXPECT_EQ(Grid->GetCellColor(1, 0), clRed);
    B->SetColor(clBlue);
    B->SetParentCellColor(true);
    EXPECT_EQ(Grid->GetCellColor(1, 0), clBlue);
    std::vector<std::string> Formatted;
    Grid->OnCellFormating = [&](TObject*, int C, int R, TColor& TextColor, TFontStyles& Style, TCellState) {
        Formatted.push_back(IntToStr(C) + "," + IntToStr(R));
        TextColor = clLime;
        Style.Include(fsItalic);
    };
    InvalidateRect(Grid->GetHandle(), nullptr, false);
    platform::test::PaintNow(Grid);
    EXPECT_EQ(Formatted.size(), 6u);
    // The display was handed the cell's text and its row's tree place.
    auto* Display = Grid->GetColumns()->GetItem(2)->GetDisplay();
    EXPECT_EQ(WideToUtf8(Display->GetAsString()), "C1");
    EXPECT_EQ(Display->GetLevel(), 0);
}

TEST_F(TGxGridTest, PlaysTakeTheCellsValueAndHandTheirChangeBackWhenAccepted)
{
    AddRows(2);
    TGxCustomColumn* A = Grid->GetColumns()->GetItem(0);
    TColumnPlay* Play = A->GetPlay();
    ASSERT_NE(Play, nullptr);
    Play->SetCol(0);
    Play->SetRow(1);
    Grid->SetColumnPlayAttributes(Play);
    EXPECT_EQ(WideToUtf8(Play->GetAsString()), "A1");

    // A Boolean column: the play's value lands in the cell once accepted.
    TGxCustomColumn* Flag = Grid->GetColumns()->Add(ColumnClass<ColumnFixtures::TTestColumn>, u"Flag");
    Flag->SetColumnType(ctBoolean);
    Grid->ClearRows();
    Grid->AddRow(1);
    ASSERT_TRUE(Grid->GetCell(3, 0).InheritsFrom(GxCellClasses::TBooleanCell::StaticClassType()));
    TColumnPlay* P = Flag->GetPlay();
    P->SetCol(3);
    P->SetRow(0);
    bool Accept = false;
    Grid->OnEditAccept = [&](TObject*, int, int, const WideString&, bool& A) { A = Accept; };
    Grid->OnAfterEdit = [&](TObject*, int C, int R, const WideString& V) {
        Log.push_back(IntToStr(C) + "," + IntToStr(R) + " " + WideToUtf8(V));
    };
    P->SetAsBoolean(true);
    Grid->DoColumnPlayChange(P);
    EXPECT_FALSE(Grid->GetCell(3, 0).GetAsBoolean());
    Accept = true;
    Grid->DoColumnPlayChange(P);
    EXPECT_TRUE(Grid->GetCell(3, 0).GetAsBoolean());
    EXPECT_EQ(Log, (std::vector<std::string>{"3,0 True"}));
}

TEST_F(TGxGridTest, FootersCountSumAverageExtremesAndDistinctSkippingEmptyCells)
{
    Grid->AddCells({u"-5", u"x", u""});
    Grid->AddCells({u"-3", u"X", u""});
    Grid->AddCells({u"", u"y", u""});
    const auto Footer = [&](int C, TFormulaKind Kind, bool VisibleOnly = false) {
        Grid->GetColumns()->GetItem(C)->GetFooter()->SetFormulaKind(Kind);
        Grid->CalculateFooter(VisibleOnly);
        return WideToUtf8(Grid->GetColumns()->GetItem(C)->GetFooter()->GetCaption());
    };
    EXPECT_EQ(Footer(0, fkMaximum), "-3");
    EXPECT_EQ(Footer(0, fkMinimum), "-5");
    EXPECT_EQ(Footer(0, fkSum), "-8");
    EXPECT_EQ(Footer(0, fkCount), "3");
    EXPECT_EQ(Footer(1, fkDistinct), "2");
    // The average divides by every row, counted or not.
    Grid->SetCells(0, 2, u"2");
    Grid->SetRowVisible(2, false);
    EXPECT_EQ(Footer(0, fkAverage, true), "-2.66666666666667");
    EXPECT_EQ(Footer(0, fkSum, false), "-6");
    Grid->OnColumnFooterValue = [](TObject*, int, double& V) { V = 42; };
    Grid->OnFooterCalculate = [](TObject*, int C, double& V) {
        if (C == 0) V += 1;
    };
    EXPECT_EQ(Footer(0, fkCustom), "43");
    // Text that is no number still raises; no rows give "0".
    Grid->GetColumns()->GetItem(0)->GetFooter()->SetFormulaKind(fkNone);
    EXPECT_THROW(Footer(1, fkSum), EConvertError);
    Grid->GetColumns()->GetItem(1)->GetFooter()->SetFormulaKind(fkNone);
    Grid->ClearRows();
    EXPECT_EQ(Footer(2, fkMaximum), "0");
}

class TGxGridSortTest : public TGxGridTest {
protected:
    void SetUp() override
    {
        TGxGridTest::SetUp();
        Column = Grid->GetColumns()->GetItem(0);
        Column->SetOptions(Column->GetOptions() + TColumnOptions{coCanSort});
        Column->SetSortType(stNumeric);
        Grid->OnSortColumn = [&](TObject*, int C, bool Ascending) {
            Log.push_back("sort " + IntToStr(C) + (Ascending ? " up" : " down"));
        };
        Grid->OnAfterSort = [&](TObject*, int C) { Log.push_back("after " + IntToStr(C)); };
    }
    TGxCustomColumn* Column = nullptr;
};

TEST_F(TGxGridSortTest, SortingKeepsTheSelectedRowSelectedAndInViewAndOppositeSortsReverse)
{
    for (int K : {9, 10, 2, 30, 1, 25, 11, 3, 7, 8, 12, 13, 14, 15, 16, 17, 18, 19, 20, 21, 22, 23, 24})
        Grid->AddCells({Utf8ToWide(IntToStr(K)), u"b", u"c"});
    Grid->SetOptions(Grid->GetOptions() + TGridOptions{goSelectFullRow});
    Grid->SetSelectedRow(0); // "9"
    Grid->SetSelected(0, true);
    Grid->SortColumn(Column, true);
    EXPECT_EQ(ColumnA().substr(0, 20), "1 2 3 7 8 9 10 11 12");
    EXPECT_EQ(Log, (std::vector<std::string>{"sort 0 up", "after 0"}));
    EXPECT_EQ(Text(0, Grid->GetSelectedRow()), "9");
    EXPECT_EQ(Grid->GetSelectedCount(), 1);
    std::vector<int> Rows;
    Grid->GetSelectedRows(Rows);
    EXPECT_EQ(Rows, std::vector<int>{Grid->GetSelectedRow()});

    // Selecting the last row scrolls; a sort brings it back into view.
    Grid->SetAutoScroll(false);
    const AnsiString Up = ColumnA();
    Grid->SetSelectedRow(Grid->GetRowCount() - 1);
    Column->SetSortKind(skDescending);
    Grid->SortColumn(Column, false);
    EXPECT_EQ(Text(0, Grid->GetSelectedRow()), "30");
    EXPECT_EQ(Grid->GetSelectedRow(), 0);
    EXPECT_TRUE(Grid->IsRowInView());
    Grid->SortColumn(Column, true);
    EXPECT_EQ(ColumnA(), Up);
    EXPECT_TRUE(Grid->IsRowInView());
}

TEST_F(TGxGridSortTest, SortOrdersSiblingsAndAColumnThatCannotSortStaysPut)
{
    Grid->AddCells({u"3", u"", u""});
    Grid->AddCells({u"1", u"", u""});
    Grid->AddChildRow(0, crLast);
    Grid->AddChildRow(0, crLast);
    Grid->SetCells(0, 1, u"20");
    Grid->SetCells(0, 2, u"10");
    EXPECT_EQ(ColumnA(), "3 20 10 1");
    Grid->SortColumn(Column, true);
    EXPECT_EQ(ColumnA(), "1 3 10 20");
    EXPECT_EQ(Grid->GetParent(2), 1);
    Log.clear();
    Column->SetOptions(Column->GetOptions() - TColumnOptions{coCanSort});
    Grid->SortColumn(Column, false);
    EXPECT_EQ(ColumnA(), "1 3 10 20");
    EXPECT_TRUE(Log.empty());
}

TEST_F(TGxGridSortTest, SettingTheColumnsSortedSortsThroughTheGrid)
{
    Grid->AddCells({u"2", u"", u""});
    Grid->AddCells({u"1", u"", u""});
    Column->SetSorted(true);
    EXPECT_EQ(ColumnA(), "1 2");
    Column->SetSortKind(skDescending);
    EXPECT_EQ(ColumnA(), "2 1");
}

} // namespace

namespace {

using namespace GxGridTests;

TEST_F(TGxGridTest, TheBarFollowsRowsAddedBelowTheViewWithinItsIntervalAndBeforeASelection)
{
    AddRows(40);
    const int Max = Grid->GetVertScrollBar()->GetMax();
    ASSERT_GT(Max, 0);
    Grid->AddRow(3); // right after the last update: left for the timer
    EXPECT_LE(Grid->GetVertScrollBar()->GetMax(), Max + 3);
    const Int64 Start = MonotonicMilliseconds();
    while (Grid->GetVertScrollBar()->GetMax() != Max + 3 && MonotonicMilliseconds() - Start < 2000)
        Application->ProcessMessages();
    EXPECT_EQ(Grid->GetVertScrollBar()->GetMax(), Max + 3);
    // A selection reads an up-to-date bar at once.
    Grid->AddRow(2);
    Grid->SetAutoScroll(true);
    Grid->SetSelectedRow(Grid->GetRowCount() - 1);
    EXPECT_EQ(Grid->GetVertScrollBar()->GetMax(), Max + 5);
    EXPECT_TRUE(Grid->IsRowInView());
}

} // namespace
