// tests/grid/GxCustomGridMovingTest.cpp: a shown grid whose columns are
// moved by dragging their headers and whose rows are moved in the body, and
// what a focus loss or the program's deactivation leaves of a move or a
// column resize under way.
#include "GxGridFixture.h"
#include "platform/testing/Pointer.h"
#include "platform/win/WinUser.h"

namespace {

using namespace GxGridTests;
using namespace platform::test;

constexpr TColor Red = TColor(0x0000FF);

class GxCustomGridMoving : public TGxGridTest {
protected:
    void SetUp() override
    {
        TGxGridTest::SetUp();
        Columns = Grid->GetColumns();
        for (int I = 0; I < 3; ++I)
            Columns->GetItem(I)->SetWidth(60);
        Grid->OnHeaderClick = [&](TObject*, int C) { Log.push_back("click " + IntToStr(C)); };
        Grid->OnSortColumn = [&](TObject*, int C, bool) { Log.push_back("sort " + IntToStr(C)); };
        Grid->OnAfterRowMove = [&](TObject*, int From, int To) {
            Log.push_back("moved " + IntToStr(From) + " " + IntToStr(To));
        };
    }
    // A screen point in the header of the column at display position Pos, Dx from its left edge.
    TPoint HeaderAt(int Pos, int Dx)
    {
        return Grid->ClientToScreen(TPoint(Columns->GetPositionItem(Pos)->GetAbsoluteLeft() + Dx, 8));
    }
    AnsiString Order()
    {
        AnsiString S;
        for (int Pos = 0; Pos < 3; ++Pos)
            S += WideToUtf8(Columns->GetPositionItem(Pos)->GetHeader()->GetCaption());
        return S;
    }
    // Drags the header at display position Pos to To, and lets go there when Drop.
    void DragHeader(int Pos, const TPoint& To, bool Drop = true)
    {
        MouseDownAtScreen(HeaderAt(Pos, 20));
        MouseMoveAtScreen(HeaderAt(Pos, 24));
        MouseMoveAtScreen(To);
        if (Drop) MouseUpAtScreen(To);
    }
    bool ArrowsShown() { return Grid->GetUpArrow()->GetVisible() && Grid->GetDownArrow()->GetVisible(); }
    bool Moving() { return Grid->GetGridState().Contains(gtColumnMoving); }
    // A client point of a row, Dy below its top; a row dragged there (not let go).
    TPoint RowAt(int Row, int Dy) { return TPoint(30, Grid->GetRowTop(Row) + Dy); }
    void DragRow(int Row, const TPoint& P)
    {
        MouseDown(Grid, 30, RowAt(Row, 4).Y);
        MouseMove(Grid, 30, RowAt(Row, 4).Y + 6);
        MouseMove(Grid, P.X, P.Y);
    }
    // The marker's line over Row, at three places along it.
    bool MarkerOver(int Row)
    {
        const int Y = Grid->GetRowRect(Row).Top - 1, Right = Grid->GetBodyRect().Right;
        return PixelAt(Grid, 3, Y) == Red && PixelAt(Grid, 50, Y) == Red && PixelAt(Grid, Right - 4, Y) == Red;
    }

    TGxColumns* Columns = nullptr;
};

// ---- Columns ----------------------------------------------------------------------------------

TEST_F(GxCustomGridMoving, AHeaderDroppedOnARightHalfGoesAfterThatColumnAndOnALeftHalfBeforeIt)
{
    TGxCustomColumn* A = Columns->GetItem(0);
    A->SetOptions(A->GetOptions() + TColumnOptions{coCanSort});
    // Moving starts more than 3 pixels from the press, the box over the header cell.
    MouseDownAtScreen(HeaderAt(0, 20));
    MouseMoveAtScreen(HeaderAt(0, 23));
    EXPECT_FALSE(Moving());
    MouseMoveAtScreen(HeaderAt(0, 24));
    ASSERT_TRUE(Moving());
    EXPECT_TRUE(IsWindowVisible(Grid->GetDragBox()->GetHandle()));
    EXPECT_EQ(Grid->GetDragBox()->GetBoundsRect(), Bounds(HeaderAt(0, 0).X, HeaderAt(0, 0).Y - 8, 60, 18));

    // The arrows stand above and below the header over C's right edge.
    MouseMoveAtScreen(HeaderAt(2, 40));
    ASSERT_TRUE(ArrowsShown());
    const TPoint Gap(HeaderAt(2, 60).X, HeaderAt(2, 0).Y - 8);
    EXPECT_EQ(Grid->GetDownArrow()->GetBoundsRect().TopLeft(), TPoint(Gap.X - 4, Gap.Y - 12));
    EXPECT_EQ(Grid->GetUpArrow()->GetBoundsRect().TopLeft(), TPoint(Gap.X - 4, Gap.Y + 17));
    MouseUpAtScreen(HeaderAt(2, 40));
    EXPECT_EQ(Order(), "BCA");
    // The box had the release: no click, no sort, nothing left pressed.
    EXPECT_TRUE(Log.empty());
    EXPECT_FALSE(Moving());
    EXPECT_FALSE(Grid->GetGridState().Contains(gtColumnHeaderDown));
    EXPECT_EQ(Grid->GetHeaderDownColumn(), nullptr);
    EXPECT_FALSE(ArrowsShown());

    // A onto B's left half goes first, the arrows at B's left edge; C on B's right half stays.
    DragHeader(2, HeaderAt(0, 10), false);
    EXPECT_EQ(Grid->GetDownArrow()->GetLeft(), HeaderAt(0, 0).X - 4);
    MouseUpAtScreen(HeaderAt(0, 10));
    DragHeader(2, HeaderAt(1, 45));
    EXPECT_EQ(Order(), "ABC");
}

TEST_F(GxCustomGridMoving, LockedFixedColumnsAndPlacesOffTheGridTakeNoColumn)
{
    Grid->SetFixedCols(1);
    Grid->SetOptions(Grid->GetOptions() + TGridOptions{goLockFixedCols});
    DragHeader(2, HeaderAt(0, 10), false);
    EXPECT_EQ(Screen->GetCursor(), crColumnNoDrag);
    EXPECT_FALSE(ArrowsShown());
    MouseUpAtScreen(HeaderAt(0, 10));
    EXPECT_EQ(Screen->GetCursor(), crDefault);
    DragHeader(0, HeaderAt(2, 40));
    EXPECT_EQ(Order(), "ABC");
    DragHeader(1, HeaderAt(2, 40));
    EXPECT_EQ(Order(), "ACB");

    // Off the grid: the no-drop cursor, and hidden only with goCanHideColumn.
    const TPoint Off = Grid->ClientToScreen(TPoint(Grid->GetWidth() + 40, 8));
    DragHeader(1, Off, false);
    EXPECT_EQ(Screen->GetCursor(), crColumnNoDrag);
    MouseUpAtScreen(Off);
    EXPECT_TRUE(Columns->GetItem(2)->GetVisible());
    Grid->SetOptions(Grid->GetOptions() + TGridOptions{goCanHideColumn});
    DragHeader(1, Off);
    EXPECT_FALSE(Columns->GetItem(2)->GetVisible());
    EXPECT_EQ(Order(), "ACB");
}

TEST_F(GxCustomGridMoving, AMoveThatLosesTheMouseOrIsCanceledMovesNothingAndLaterReportsDoNothing)
{
    DragHeader(0, HeaderAt(2, 40), false);
    PaintNow(Grid);
    Screen->SetCursor(crColumnNoDrag);
    SetCapture(Form->GetHandle());
    EXPECT_FALSE(Moving());
    EXPECT_FALSE(ArrowsShown());
    EXPECT_EQ(Grid->GetDraggedColumn(), nullptr);
    EXPECT_EQ(Grid->GetHeaderDownColumn(), nullptr);
    EXPECT_EQ(Screen->GetCursor(), crDefault);
    TRect Pending; // the header shows up again
    ASSERT_TRUE(GetUpdateRect(Grid->GetHandle(), &Pending, false));
    EXPECT_TRUE(PtInRect(Pending, TPoint(HeaderAt(0, 5).X - Grid->ClientToScreen(TPoint()).X, 3)));
    MouseUpAtScreen(HeaderAt(2, 40));
    ReleaseCapture();

    // Ended from outside while the box has the mouse: its later reports move nothing.
    Grid->SetOptions(Grid->GetOptions() + TGridOptions{goCanHideColumn});
    DragHeader(0, HeaderAt(2, 40), false);
    TColumnDragBox* Box = Grid->GetDragBox();
    Grid->CancelMoving();
    EXPECT_FALSE(Moving());
    EXPECT_NE(GetCapture(), Box->GetHandle());
    Box->OnDragBoxMove(Box, HeaderAt(2, 40).X, HeaderAt(2, 40).Y);
    EXPECT_FALSE(ArrowsShown());
    Box->OnDragBoxDrop(Box, HeaderAt(2, 40).X, HeaderAt(2, 40).Y);
    Box->OnDragBoxDrop(Box, -500, -500);
    MouseUpAtScreen(HeaderAt(2, 40));
    EXPECT_EQ(Order(), "ABC");
    EXPECT_TRUE(Columns->GetItem(0)->GetVisible());
}

// ---- Rows -------------------------------------------------------------------------------------

TEST_F(GxCustomGridMoving, RowsDropAtTheMarkerWhichOutlivesRepaintsAndGoesAtEveryEnd)
{
    AddRows(6);
    Grid->SetOptions(Grid->GetOptions() + TGridOptions{goRowMoving});
    bool Refuse = false;
    Grid->OnRowMove = [&](TObject*, int, int, bool& Accept) { Accept = !Refuse; };
    // Below row 3's middle: after it, so before row 4 once row 0 has left.
    DragRow(0, RowAt(2, 3));
    EXPECT_TRUE(MarkerOver(2));
    MouseMove(Grid, 30, RowAt(3, 12).Y);
    EXPECT_FALSE(MarkerOver(2));
    EXPECT_TRUE(MarkerOver(4));
    Grid->RefreshCell(1, 4);
    Grid->RefreshCell(1, 3);
    EXPECT_TRUE(MarkerOver(4));
    MouseUp(Grid, 30, RowAt(3, 12).Y);
    EXPECT_EQ(ColumnA(), "A1 A2 A3 A0 A4 A5");
    EXPECT_EQ(Grid->GetSelectedRow(), 3);
    EXPECT_FALSE(MarkerOver(4));
    // Up, before the row under the upper half; down onto the line just below, it stays.
    DragRow(5, RowAt(1, 3));
    MouseUp(Grid, 30, RowAt(1, 3).Y);
    DragRow(2, RowAt(3, 3));
    MouseUp(Grid, 30, RowAt(3, 3).Y);
    EXPECT_EQ(ColumnA(), "A1 A5 A2 A3 A0 A4");
    // Refused, or canceled: nothing moves and the marker drawn last goes too.
    Refuse = true;
    DragRow(0, RowAt(2, 3));
    MouseMove(Grid, 30, RowAt(4, 3).Y);
    ASSERT_TRUE(MarkerOver(4));
    MouseUp(Grid, 30, RowAt(4, 3).Y);
    EXPECT_FALSE(MarkerOver(4));
    DragRow(0, RowAt(3, 3));
    Grid->CancelMoving();
    EXPECT_FALSE(MarkerOver(3));
    EXPECT_EQ(Grid->GetPressedRow(), -1);
    MouseUp(Grid, 30, RowAt(3, 3).Y);
    EXPECT_EQ(ColumnA(), "A1 A5 A2 A3 A0 A4");
    EXPECT_EQ(Log, (std::vector<std::string>{"moved 0 3", "moved 5 1", "moved 2 2"}));
}

TEST_F(GxCustomGridMoving, ARowDraggedToTheFirstRowInViewScrollsUpAStepAtEachMove)
{
    AddRows(60);
    Grid->SetOptions(Grid->GetOptions() + TGridOptions{goRowMoving});
    Grid->GetVertScrollBar()->SetPosition(10);
    const int First = Grid->GetFirstRowInView();
    ASSERT_GT(First, 2);
    DragRow(First + 3, RowAt(First, 2));
    EXPECT_EQ(Grid->GetFirstRowInView(), First - 1);
    MouseMove(Grid, 30, RowAt(First - 1, 3).Y);
    EXPECT_EQ(Grid->GetFirstRowInView(), First - 2);
    // The marker moved with no trace left where it stood.
    EXPECT_TRUE(MarkerOver(First - 1));
    for (int Row = First; Row < First + 5; ++Row)
        EXPECT_FALSE(MarkerOver(Row)) << Row;
    MouseUp(Grid, 30, RowAt(First - 1, 3).Y);
}

// ---- Cut short --------------------------------------------------------------------------------

// A mouse operation under way: started, shown, then carried on with the
// button still held and released where it would end.
struct TOperation {
    const char* Name;
    std::function<void()> Start;
    std::function<bool()> Shown;
    std::function<void()> Release;
};

TEST_F(GxCustomGridMoving, FocusLossAndDeactivationEndAResizeOrAMoveCleanlyAndTheNextPressWorks)
{
    AddRows(8);
    Grid->SetOptions(Grid->GetOptions() + TGridOptions{goRowMoving});
    TWinControl* Other = New<TProbeControl>(Form);
    Other->SetParent(Form);
    Other->SetLeft(320);
    const int Splitter = Columns->GetItem(1)->GetAbsoluteLeft() + 60;
    const auto Y = [&](int Row, int Dy) { return RowAt(Row, Dy).Y; };
    // The pixels a pressed header, a resize line or the row marker would
    // cover, where neither the selection's look, which follows the focus,
    // nor the hover reaches: across A's header right of its caption, down
    // the resize line below row 2, and across the marker's place over row 5.
    const auto Probes = [&] {
        std::vector<TColor> Pixels;
        for (int X = 15; X < 55; ++X)
            Pixels.push_back(PixelAt(Grid, X, 10));
        for (int At = Y(3, 0); At < Grid->GetClientHeight(); ++At)
            Pixels.push_back(PixelAt(Grid, Splitter + 19, At));
        for (int Dy = -5; Dy <= 5; ++Dy)
            for (int X = 0; X < Grid->GetClientWidth(); ++X)
                Pixels.push_back(PixelAt(Grid, X, Y(5, -1) + Dy));
        return Pixels;
    };
    const auto Widths = [&] {
        AnsiString S;
        for (int I = 0; I < 3; ++I)
            S += IntToStr(Columns->GetItem(I)->GetWidth()) + " ";
        return S;
    };
    const auto BoxOrArrowShown = [&] { return IsWindowVisible(Grid->GetDragBox()->GetHandle()) || ArrowsShown(); };

    std::vector<TColor> Before;
    const std::vector<TOperation> Operations = {
        {"column resize",
         [&] {
             MouseDown(Grid, Splitter, 8);
             MouseMove(Grid, Splitter + 20, 8);
         },
         [&] { return Grid->GetGridState().Contains(gtColumnResizing) && Probes() != Before; },
         [&] {
             MouseMove(Grid, Splitter + 30, 8);
             MouseUp(Grid, Splitter + 30, 8);
         }},
        {"column move", [&] { DragHeader(0, HeaderAt(2, 40), false); }, [&] { return Moving() && BoxOrArrowShown(); },
         [&] {
             MouseMoveAtScreen(HeaderAt(2, 50));
             MouseUpAtScreen(HeaderAt(2, 50));
         }},
        {"row move", [&] { DragRow(1, RowAt(5, 3)); },
         [&] { return Grid->GetGridState().Contains(gtRowMoving) && Probes() != Before; },
         [&] {
             MouseMove(Grid, 30, Y(6, 3));
             MouseUp(Grid, 30, Y(6, 3));
         }},
    };
    const std::vector<std::pair<const char*, std::function<void()>>> Cuts = {
        {"focus loss", [&] { Other->SetFocus(); }},
        {"deactivation", [] { SetApplicationActive(false); }},
    };
    const TGridState Mouse{gtColumnResizing, gtColumnMoving, gtRowMoving, gtColumnHeaderDown};
    for (const auto& [CutName, Cut] : Cuts)
        for (const TOperation& Op : Operations) {
            SCOPED_TRACE(std::string(Op.Name) + " cut by " + CutName);
            Grid->SetSelectedRow(1);
            Grid->SetFocus();
            Before = Probes();
            const AnsiString Rows = ColumnA(), Sizes = Widths();
            Op.Start();
            ASSERT_TRUE(Op.Shown());
            Screen->SetCursor(crColumnNoDrag);
            Cut();
            EXPECT_TRUE((Grid->GetGridState() * Mouse).Empty());
            EXPECT_TRUE(Probes() == Before);
            EXPECT_FALSE(BoxOrArrowShown());
            EXPECT_EQ(GetCapture(), HWND(nullptr));
            EXPECT_EQ(Screen->GetCursor(), crDefault);
            SetApplicationActive(true);

            Op.Release();
            EXPECT_EQ(Widths(), Sizes);
            EXPECT_EQ(Order(), "ABC");
            EXPECT_EQ(ColumnA(), Rows);
            EXPECT_TRUE(Log.empty());
            Click(Grid, Columns->GetItem(2)->GetAbsoluteLeft() + 30, 8);
            EXPECT_EQ(Log, (std::vector<std::string>{"click 2", "sort 2"}));
            Log.clear();
        }
}

// ---- Dragging the grid ------------------------------------------------------------------------

TEST_F(GxCustomGridMoving, PressingARowOfASelectionThatTheGridDragsKeepsItUntilTheDragComesToNothing)
{
    AddRows(6);
    Grid->SetOptions(Grid->GetOptions() + TGridOptions{goMultiSelect, goSelectFullRow});
    Click(Grid, 30, RowAt(1, 4).Y);
    Click(Grid, 30, RowAt(3, 4).Y, mbLeft, TShiftState{ssShift});
    Grid->SetDragMode(dmAutomatic);
    MouseDown(Grid, 30, RowAt(2, 4).Y);
    EXPECT_TRUE(Grid->Dragging());
    EXPECT_EQ(Grid->GetSelectedCount(), 3);
    EXPECT_EQ(Grid->GetSelectedRow(), 2);
    MouseUp(Grid, 30, RowAt(2, 4).Y);
    EXPECT_EQ(Grid->GetSelectedCount(), 1);
    EXPECT_TRUE(Grid->GetSelected(2));
    // A row outside the selection is selected at the press, as ever.
    Click(Grid, 30, RowAt(4, 4).Y, mbLeft, TShiftState{ssShift});
    MouseDown(Grid, 30, RowAt(0, 4).Y);
    EXPECT_EQ(Grid->GetSelectedCount(), 1);
    MouseUp(Grid, 30, RowAt(0, 4).Y);
}

} // namespace
