// The selection's moves, events and repaints, and what a step costs in
// selected-flag questions, against a model that sweeps every row.
#include "GridTestFixture.h"
#include "platform/rtl/Codec.h"

#include <random>
#include <utility>

namespace {

using namespace GridStorage;
using namespace platform::test;

const TShiftState Shift{ssShift};
const TShiftState Ctrl{ssCtrl};

class GxGridSelect : public TGridTest {
protected:
    void SetUp() override
    {
        TGridTest::SetUp();
        Grid->OnBeforeSelect = [this](TObject*, int C, int R, bool& Accept) {
            Log.push_back("before " + Cell(C, R));
            Accept = Refused.count(R) == 0;
        };
        Grid->OnDeselectCell = [this](TObject*, int C, int R) { Log.push_back("deselect " + Cell(C, R)); };
        Grid->OnSelectCell = [this](TObject*, int C, int R) {
            Log.push_back("select " + Cell(C, R) + " edits " + IntToStr(int(Grid->EditLog.size())));
        };
    }
    static std::string Cell(int C, int R) { return IntToStr(C) + "," + IntToStr(R); }
    void FullRow(bool Multi)
    {
        TGridOptions Options = Grid->GetOptions() + TGridOptions{goSelectFullRow};
        if (Multi) Options.Include(goMultiSelect);
        Grid->SetOptions(Options);
    }
    std::string Flags()
    {
        std::string S;
        for (int R = 0; R < Grid->GetRowCount(); ++R)
            S += Grid->GetSelected(R) ? '1' : '0';
        return S;
    }
    // A control after the grid on the form, for the focus to pass to.
    TProbeControl* AddNextControl()
    {
        auto* Other = New<TProbeControl>(Form);
        Other->SetParent(Form);
        return Other;
    }
    std::set<int> Refused;
};

TEST_F(GxGridSelect, EventsInOrderRefusalsDisabledColumnsAndRowBounds)
{
    AddRows(5);
    Grid->SetSelectedRow(1);
    Grid->OpenEdit(0);
    Log.clear();
    Grid->SelectCell(1, 2, {}, true);
    // The edit is applied and ended between the deselection and the selection.
    EXPECT_EQ(Log, (std::vector<std::string>{"before 1,2", "deselect 0,1", "select 1,2 edits 2"}));
    EXPECT_EQ(Grid->EditLog, (std::vector<std::string>{"apply A", "end"}));
    Refused = {3};
    Grid->SelectCell(0, 3, {}, true);
    Columns->GetItem(2)->SetEnabled(false);
    Grid->SetSelectedColumn(2);
    Grid->SetSelectedRow(5);
    EXPECT_EQ(Grid->GetSelectedCell(), TPoint(1, 2));
    Grid->SetSelectedRow(-1);
    EXPECT_EQ(Grid->GetSelectedCell(), TPoint(1, -1));
    Grid->ClearRows();
    Grid->SelectFirstRow({});
    Grid->SelectLastRow({});
    EXPECT_EQ(Grid->GetSelectedCell(), TPoint(0, -1));
}

// The rules as the flags of every row would follow them, swept each time.
struct TModel {
    std::string Flags;
    int Row = -1, Anchor = -1;
    bool Multi = false;
    void Clear(char Flag, bool AsMulti)
    {
        Flags.assign(Flags.size(), Flag);
        Multi = AsMulti;
        if (!AsMulti) Row = -1;
    }
    void Click(int R, TShiftState State)
    {
        const bool S = State.Contains(ssShift), C = State.Contains(ssCtrl);
        if (Multi && !S && !C) Clear('0', false);
        const int Old = std::exchange(Row, R);
        if (S || C) Multi = true;
        if (C && !S)
            Flags[R] ^= 1, Anchor = R;
        else if (S) {
            if (Anchor < 0) Anchor = Old >= 0 ? Old : R;
            for (int I = 0; I < int(Flags.size()); ++I)
                if (I >= std::min(Anchor, R) && I <= std::max(Anchor, R))
                    Flags[I] = '1';
                else if (!C)
                    Flags[I] = '0';
        } else {
            if (R != Old && !Multi && Old >= 0) Flags[Old] = '0';
            Flags[R] = '1', Anchor = R;
        }
    }
};

TEST_F(GxGridSelect, MultiSelectionFollowsTheSweepingModel)
{
    const int N = 40;
    AddRows(N);
    FullRow(true);
    TModel Model{std::string(N, '0')};
    std::mt19937 Random(7);
    for (int Step = 0; Step < 600; ++Step) {
        const int R = int(Random() % N), Kind = int(Random() % 20);
        TShiftState State;
        if (Kind % 3 == 0) State.Include(ssShift);
        if (Kind % 2 == 0) State.Include(ssCtrl);
        if (Kind == 1)
            Grid->NoSelection(), Model.Clear('0', false);
        else if (Kind == 5)
            Grid->SelectAll(), Model.Clear('1', true);
        else if (Kind < 5 && Model.Row > 0 && Model.Row < N - 1) {
            // Shift+Down and Shift+Up, Ctrl held when Kind is 2.
            State.Include(ssShift);
            Kind % 2 ? Grid->MoveSelectionUp(State) : Grid->MoveSelectionDown(State, false);
            Model.Click(Model.Row + (Kind % 2 ? -1 : 1), State);
        } else
            Grid->SelectCell(0, R, State, true), Model.Click(R, State);
        const std::string What = IntToStr(Step) + " kind " + IntToStr(Kind) + " row " + IntToStr(R);
        ASSERT_EQ(Flags(), Model.Flags) << What;
        ASSERT_EQ(Grid->GetSelectedRow(), Model.Row) << What;
        ASSERT_EQ(Grid->GetGridState().Contains(gtMultiSelect), Model.Multi) << What;
        ASSERT_EQ(Grid->GetSelectedCount(), int(std::count(Model.Flags.begin(), Model.Flags.end(), '1'))) << What;
    }
    // Ctrl on a selected row deselects it, and still moves there and says so.
    Grid->NoSelection();
    Grid->SelectCell(0, 5, Ctrl, true);
    Grid->SelectCell(0, 6, Ctrl, true);
    Log.clear();
    Grid->SelectCell(1, 5, Ctrl, true);
    EXPECT_FALSE(Grid->GetSelected(5));
    EXPECT_EQ(Grid->GetSelectedCell(), TPoint(1, 5));
    EXPECT_EQ(Log.back(), "select 1,5 edits 0");
}

TEST_F(GxGridSelect, AShiftStepWithoutAnAnchorStartsAtTheSelectedRow)
{
    AddRows(10);
    FullRow(true);
    Grid->SetSelectedRow(4);
    Grid->SetSelectionAnchorRow(-1);
    Grid->MoveSelectionDown(Shift, false);
    EXPECT_EQ(Flags(), "0000110000");
    // The anchor's row goes: the next step anchors at the selected row.
    Grid->SetSelectedRow(8);
    Grid->DeleteRow(8);
    Grid->MoveSelectionUp(Shift);
    EXPECT_EQ(Flags(), "000000011");
}

TEST_F(GxGridSelect, UpAndDownOverHiddenAndRefusedRowsAndBothEnds)
{
    AddRows(8);
    FullRow(false);
    Grid->SetRowVisible(1, false);
    Refused = {0, 3};
    Grid->SetSelectedRow(2);
    Grid->MoveSelectionUp({});
    EXPECT_EQ(Grid->GetSelectedRow(), 2) << "Up never moves down";
    Grid->MoveSelectionDown({}, false);
    EXPECT_EQ(Grid->GetSelectedRow(), 4);
    Grid->SetSelectedRow(7);
    Grid->MoveSelectionDown({}, false);
    EXPECT_EQ(Grid->GetSelectedRow(), 7);
    Refused.clear();
    Grid->MoveSelectionDown({}, true);
    EXPECT_EQ(Grid->GetSelectedRow(), 0);
    Grid->MoveSelectionBy(3);
    EXPECT_EQ(Grid->GetSelectedRow(), 4) << "row 1 hidden";
    Grid->MoveSelectionBy(-10);
    EXPECT_EQ(Grid->GetSelectedRow(), 0);
    Grid->MoveSelectionBy(20);
    EXPECT_EQ(Grid->GetSelectedRow(), 7);

    // Up from the first row enters the input row, Down leaves it.
    Grid->SetOptions(Grid->GetOptions() + TGridOptions{goInput});
    Grid->SelectFirstRow({});
    Grid->MoveSelectionUp({});
    EXPECT_TRUE(Grid->GetInputSelected());
    EXPECT_EQ(Flags(), "00000000");
    Grid->MoveSelectionDown({}, false);
    EXPECT_FALSE(Grid->GetInputSelected());
    EXPECT_EQ(Flags(), "10000000");
}

TEST_F(GxGridSelect, SidewaysAndTabAcrossColumnsRowEndsAndTheInputRow)
{
    AddRows(4);
    for (int Col = 0; Col < 3; ++Col)
        Columns->GetItem(Col)->SetWidth(200);
    Grid->SetSelectedRow(1);
    Grid->MoveSelectionRight();
    EXPECT_EQ(Grid->GetSelectedColumn(), 1);
    EXPECT_GT(Grid->GetHorzScrollPos(), 0);
    Columns->GetItem(1)->SetEnabled(false);
    Grid->MoveSelectionLeft();
    EXPECT_EQ(Grid->GetSelectedColumn(), 0);
    EXPECT_EQ(Grid->GetHorzScrollPos(), 0);
    Grid->MoveToNextCell(false);
    EXPECT_EQ(Grid->GetSelectedCell(), TPoint(2, 1)) << "over the disabled column";
    Grid->MoveToNextCell(false);
    EXPECT_EQ(Grid->GetSelectedCell(), TPoint(0, 2));
    Grid->MoveToPrevCell();
    EXPECT_EQ(Grid->GetSelectedCell(), TPoint(2, 1));
    Columns->GetItem(1)->SetEnabled(true);
    Columns->GetItem(2)->SetVisible(false);
    Grid->SetSelectedColumn(1);
    Grid->SetInputSelected(true);
    Grid->MoveToPrevCell();
    Grid->MoveToPrevCell();
    EXPECT_EQ(Grid->GetSelectedColumn(), 0) << "from the input row no further than its first column";
}

TEST_F(GxGridSelect, ScrollingWithAndWithoutAutoScroll)
{
    AddRows(40);
    const int View = Grid->GetVisibleCount(false);
    Grid->SetSelectedRow(30);
    EXPECT_EQ(Grid->GetFirstRowInView(), 0);
    Grid->SetAutoScroll(true);
    Grid->SetSelectedRow(30);
    EXPECT_EQ(Grid->GetFirstRowInView(), 31 - View);
    Grid->SetAutoScroll(false);
    Grid->GetVertScrollBar()->First();
    Grid->SetSelectedRow(View - 1);
    Grid->MoveSelectionDown({}, false);
    EXPECT_EQ(Grid->GetVertScrollBar()->GetPosition(), 1);
    Grid->SetSelectedRow(1);
    Grid->MoveSelectionUp({});
    EXPECT_EQ(Grid->GetVertScrollBar()->GetPosition(), 0);
}

// What waits to be painted after Step: the union of the rectangles asked for.
TRect PendingAfter(TStorageGrid* Grid, const std::function<void()>& Step)
{
    PaintNow(Grid);
    Step();
    TRect Pending;
    GetUpdateRect(Grid->GetHandle(), &Pending, false);
    return Pending;
}

TEST_F(GxGridSelect, AMoveRepaintsOnlyWhatChanged)
{
    AddRows(10);
    Grid->SetOptions(Grid->GetOptions() + TGridOptions{goIndicator});
    Grid->SetSelectedRow(2);
    // Cell mode: the two cells and their indicators, nothing right of column B.
    TRect R = PendingAfter(Grid, [&] { Grid->SelectCell(1, 5, {}, true); });
    const TRect From = Grid->GetCellRect(0, 2), To = Grid->GetCellRect(1, 5);
    EXPECT_EQ(R.Left, 0);
    EXPECT_LE(R.Right, To.Right + 2);
    EXPECT_TRUE(R.Top >= From.Top - 2 && R.Top <= From.Top && R.Bottom >= To.Bottom && R.Bottom <= To.Bottom + 2);
    // Full-row mode: the two rows, whole.
    FullRow(false);
    R = PendingAfter(Grid, [&] { Grid->SetSelectedRow(6); });
    const TRect Old = Grid->GetRowRect(5), New = Grid->GetRowRect(6);
    EXPECT_TRUE(R.Top >= Old.Top - 2 && R.Top <= Old.Top && R.Bottom >= New.Bottom && R.Bottom <= New.Bottom + 2);
    EXPECT_GE(R.Right, Grid->GetCellRect(2, 6).Right);

    // The input row takes the focus: the body row loses its flag, input and indicator repaint.
    PaintNow(Grid);
    Grid->SetOptions(Grid->GetOptions() + TGridOptions{goInput});
    PaintNow(Grid);
    Grid->SetInputSelected(true);
    TRect Pending;
    GetUpdateRect(Grid->GetHandle(), &Pending, false);
    EXPECT_FALSE(Grid->GetSelected(7));
    const TRect Input = Grid->GetInputRect();
    EXPECT_TRUE(Pending.Top <= Input.Top && Pending.Bottom >= Input.Bottom);
    EXPECT_LE(Pending.Left, Grid->GetIndicatorRect().Left);
}

TEST_F(GxGridSelect, StepsCostTheRowsTheyChangeOnAHundredThousandRows)
{
    const int N = 100000;
    Grid->AddRow(N);
    FullRow(true);
    Grid->SetSelectedRow(10000);
    Grid->SelectCell(0, 60000, Shift, true);
    const int View = Grid->GetVisibleCount(false);
    Grid->ResetCalls();
    Grid->MoveSelectionDown(Shift, false);
    EXPECT_LE(Grid->Calls.Selection, View + 4);
    Grid->ResetCalls();
    Grid->MoveSelectionUp(Shift);
    Grid->MoveSelectionUp(Shift);
    EXPECT_LE(Grid->Calls.Selection, 2 * View + 8);
    EXPECT_EQ(Grid->GetSelectedCount(), 50000);
    EXPECT_TRUE(Grid->GetSelected(10000) && Grid->GetSelected(59999) && !Grid->GetSelected(60000));

    // Plain moves ask about the view only.
    Grid->SetSelectedRow(50);
    Grid->ResetCalls();
    Grid->MoveSelectionDown({}, false);
    Grid->MoveSelectionUp({});
    EXPECT_LE(Grid->Calls.All() + Grid->Calls.Selection, 6 * View + 20);

    // After Ctrl toggles the first Shift step sweeps the selected rows only.
    for (int Row : {70000, 70010, 70020})
        Grid->SelectCell(0, Row, Ctrl, true);
    Grid->ResetCalls();
    Grid->SelectCell(0, 70021, Shift, true);
    EXPECT_LE(Grid->Calls.Selection, 10);
    EXPECT_EQ(Grid->GetSelectedCount(), 2);
    Grid->SelectCell(0, 90000, Ctrl, true);
    Grid->ResetCalls();
    Grid->NoSelection();
    EXPECT_EQ(Grid->Calls.Selection, 3);
    EXPECT_EQ(Grid->GetSelectedCount(), 0);
}

TEST_F(GxGridSelect, EnteringRepaintsTheIndicatorAndWrappingPassesTheFocusOn)
{
    AddRows(3);
    Grid->SetOptions(Grid->GetOptions() + TGridOptions{goIndicator});
    AddNextControl()->SetFocus();
    TRect R = PendingAfter(Grid, [&] { Grid->SetFocus(); });
    EXPECT_TRUE(R.Left == 0 && R.Right >= IndicatorWidth && R.Bottom >= Grid->GetBodyRect().Bottom);
    Grid->SetSelectedRow(2);
    Grid->MoveSelectionDown({}, true);
    Application->ProcessMessages();
    EXPECT_EQ(Grid->GetSelectedRow(), 0);
    EXPECT_FALSE(Grid->Focused());
}

TEST_F(GxGridSelect, AProgramsFlagsBetweenStepsAreSweptAndNoSelectedRowIsAnEmptyRange)
{
    AddRows(10);
    FullRow(true);
    // A click on Row, then the program selects Other.
    const auto ClickThenProgram = [&](int Row, int Other) {
        Grid->NoSelection();
        Grid->SetSelectedRow(Row);
        Grid->SetSelected(Other, true);
    };
    ClickThenProgram(2, 7);
    Grid->SelectCell(0, 4, Shift, true);
    EXPECT_EQ(Flags(), "0011100000");
    // No selected row: the next Shift step starts at its target, and no row -1 reaches the storage.
    Grid->SetSelectedRow(-1);
    EXPECT_EQ(Flags(), "0000000000");
    Grid->SelectCell(0, 6, Shift, true);
    EXPECT_EQ(Flags(), "0000001000");

    // A plain move after a program's flag does not vouch for the flags either.
    ClickThenProgram(3, 8);
    Grid->SetSelectedRow(5);
    EXPECT_EQ(Flags(), "0000010010");
    Grid->SelectCell(0, 6, Shift, true);
    EXPECT_EQ(Flags(), "0000011000");

    // Once more rows may be selected, a plain click clears them first.
    ClickThenProgram(1, 9);
    Grid->SetMultiSelected();
    EXPECT_TRUE(Grid->GetGridState().Contains(gtMultiSelect));
    Grid->SetSelectedRow(4);
    EXPECT_EQ(Flags(), "0000100000");
    EXPECT_FALSE(Grid->GetGridState().Contains(gtMultiSelect));
}

TEST_F(GxGridSelect, TheSelectedCellIndicatorRepaintsBothCellsOfAFullRow)
{
    AddRows(5);
    FullRow(false);
    Grid->SetSelectedRow(1);
    // Inside an update the rows wait for its end; the indicated cells repaint at once.
    for (bool Indicate : {false, true}) {
        Grid->SetAppearanceOptions(Indicate ? TAppearanceOptions{aoIndicateSelectedCell} : TAppearanceOptions{});
        Grid->SetSelectedColumn(0);
        TRect R = PendingAfter(Grid, [&] {
            Grid->BeginUpdate();
            Grid->SetSelectedColumn(2);
        });
        Grid->EndUpdate();
        if (!Indicate) {
            EXPECT_TRUE(IsRectEmpty(R));
            continue;
        }
        const TRect Old = Grid->GetCellRect(0, 1), New = Grid->GetCellRect(2, 1);
        EXPECT_TRUE(R.Left <= Old.Left && R.Right >= New.Right && R.Top <= Old.Top && R.Bottom >= Old.Bottom);
        EXPECT_LE(R.Bottom, Old.Bottom + 2) << "one row only";
    }
}

TEST_F(GxGridSelect, TabWrapsFromTheLastCellAndLeavesTheInputRowForTheNextControl)
{
    AddRows(3);
    Grid->SetOptions(Grid->GetOptions() + TGridOptions{goInput});
    AddNextControl();
    Grid->SetFocus();
    Grid->SelectCell(2, 2, {}, true);
    Grid->MoveToNextCell(true);
    Application->ProcessMessages();
    EXPECT_EQ(Grid->GetSelectedCell(), TPoint(0, 0));
    EXPECT_FALSE(Grid->Focused());

    Grid->SetFocus();
    Grid->SetInputSelected(true);
    Grid->SetSelectedColumn(2);
    Grid->MoveToNextCell(false);
    Application->ProcessMessages();
    EXPECT_FALSE(Grid->Focused());
    EXPECT_TRUE(Grid->GetInputSelected());
    EXPECT_EQ(Grid->GetSelectedColumn(), 2);
}

} // namespace
