// tests/grid/GxCustomGridMouseTest.cpp: a shown grid under the pointer:
// where a point lies, header clicks that sort and reverse, clicks that
// select, the wheel and the hints that follow the pointer.
#include "GxGridFixture.h"
#include "platform/testing/Pointer.h"

namespace {

using namespace GxGridTests;
using namespace platform::test;

class GxCustomGridMouse : public TGxGridTest {
protected:
    void SetUp() override
    {
        TGxGridTest::SetUp();
        A = Grid->GetColumns()->GetItem(0);
        A->SetOptions(A->GetOptions() + TColumnOptions{coCanSort});
        A->SetSortType(stNumeric);
        Grid->OnHeaderClick = [&](TObject*, int C) { Log.push_back("click " + IntToStr(C)); };
        Grid->OnSortColumn = [&](TObject*, int C, bool Up) {
            Log.push_back("sort " + IntToStr(C) + (Up ? " up" : " down"));
        };
    }
    // A point inside column Col's header.
    TPoint HeaderPoint(int Col)
    {
        return TPoint(Grid->GetColumns()->GetItem(Col)->GetAbsoluteLeft() + 5, Grid->GetHeaderSize() / 2);
    }
    // A point inside the cell, from its rectangle on screen.
    TPoint CellPoint(int Col, int Row)
    {
        const TRect R = Grid->GetCellRect(Col, Row);
        return TPoint(R.Left + 5, R.Top + 2);
    }
    void ClickAt(const TPoint& P, TShiftState Shift = {}) { Click(Grid, P.X, P.Y, mbLeft, Shift); }
    TGxCustomColumn* A = nullptr;
};

// ---- Where a point lies -----------------------------------------------------------------------

TEST_F(GxCustomGridMouse, AreasLoseTheirLastPixelAndAColumnEdgeBelongsToTheLeftColumn)
{
    AddRows(3);
    Grid->SetOptions(Grid->GetOptions() + TGridOptions{goFooter});
    const TRect Header = Grid->GetHeaderRect();
    EXPECT_EQ(Grid->GetGridArea(TPoint(Header.Left, Header.Top)), gaHeader);
    EXPECT_NE(Grid->GetGridArea(TPoint(Header.Left, Header.Bottom - 1)), gaHeader);
    EXPECT_EQ(Grid->GetGridArea(TPoint(Header.Left, Header.Bottom)), gaBody);
    const TRect Footer = Grid->GetFooterRect();
    EXPECT_EQ(Grid->GetGridArea(TPoint(Footer.Left + 1, Footer.Top + 1)), gaFooter);
    EXPECT_EQ(Grid->GetGridArea(TPoint(Footer.Left + 1, Footer.Bottom - 1)), gaNone);

    TGxCustomColumn* B = Grid->GetColumns()->GetItem(1);
    const int Edge = A->GetAbsoluteLeft() + A->GetWidth();
    EXPECT_EQ(Grid->GetColumnAtPos(TPoint(Edge, 5)), A);
    EXPECT_EQ(Grid->GetColumnAtPos(TPoint(Edge + 1, 5)), B);
    B->SetVisible(false);
    EXPECT_EQ(Grid->GetColumnAtPos(TPoint(Edge + 1, 5)), Grid->GetColumns()->GetItem(2));
    EXPECT_EQ(Grid->GetColumnAtPos(TPoint(Grid->GetColumns()->GetClientWidth() + 5, 5)), nullptr);

    // Rows from their own rectangles, a hidden row skipped, none past the last.
    Grid->SetRowVisible(1, false);
    EXPECT_EQ(Grid->GetCellAtPos(CellPoint(0, 2)), TPoint(0, 2));
    EXPECT_EQ(Grid->GetRowAtPos(5, Grid->GetRowTop(2) + Grid->GetRowHeight(2) + 6), -1);
    EXPECT_EQ(Grid->GetRowAtPos(5, Header.Bottom - 2), -1);
}

// ---- Header clicks ----------------------------------------------------------------------------

TEST_F(GxCustomGridMouse, HeaderClicksSortUpThenReverseEachAfterTheClickKeepingTheSelectedRow)
{
    for (int K : {9, 10, 2, 1, 30, 11})
        Grid->AddCells({Utf8ToWide(IntToStr(K)), u"b", u"c"});
    Grid->SetOptions(Grid->GetOptions() + TGridOptions{goSelectFullRow});
    Grid->SetSelectedRow(0);
    Grid->SetSelected(0, true);

    // Pressed, the header shows down until the button comes up.
    MouseDown(Grid, HeaderPoint(0).X, HeaderPoint(0).Y);
    EXPECT_EQ(Grid->GetHeaderDownColumn(), A);
    EXPECT_TRUE(Grid->GetGridState().Contains(gtColumnHeaderDown));
    MouseUp(Grid, HeaderPoint(0).X, HeaderPoint(0).Y);
    EXPECT_EQ(Grid->GetHeaderDownColumn(), nullptr);
    EXPECT_FALSE(Grid->GetGridState().Contains(gtColumnHeaderDown));
    EXPECT_EQ(ColumnA(), "1 2 9 10 11 30");
    EXPECT_EQ(Log, (std::vector<std::string>{"click 0", "sort 0 up"}));
    EXPECT_EQ(Text(0, Grid->GetSelectedRow()), "9");

    ClickAt(HeaderPoint(0));
    EXPECT_EQ(ColumnA(), "30 11 10 9 2 1");
    EXPECT_EQ(Text(0, Grid->GetSelectedRow()), "9");
    EXPECT_TRUE(Grid->GetSelected(Grid->GetSelectedRow()));
    ClickAt(HeaderPoint(0));
    EXPECT_EQ(ColumnA(), "1 2 9 10 11 30");
    EXPECT_EQ(Log,
              (std::vector<std::string>{"click 0", "sort 0 up", "click 0", "sort 0 down", "click 0", "sort 0 up"}));
    EXPECT_EQ(Grid->GetSelectedCount(), 1);
}

TEST_F(GxCustomGridMouse, AHeaderThatCannotSortOrIsLeftElsewhereOnlyHearsTheClick)
{
    for (int K : {2, 1})
        Grid->AddCells({Utf8ToWide(IntToStr(K)), u"b", u"c"});
    A->SetOptions(A->GetOptions() - TColumnOptions{coCanSort});
    ClickAt(HeaderPoint(0));
    EXPECT_EQ(ColumnA(), "2 1");
    EXPECT_EQ(Log, std::vector<std::string>{"click 0"});

    // Released over another header: the pressed one hears it, nothing sorts.
    A->SetOptions(A->GetOptions() + TColumnOptions{coCanSort});
    Log.clear();
    MouseDown(Grid, HeaderPoint(0).X, HeaderPoint(0).Y);
    MouseUp(Grid, HeaderPoint(1).X, HeaderPoint(1).Y);
    EXPECT_EQ(ColumnA(), "2 1");
    EXPECT_EQ(Log, std::vector<std::string>{"click 0"});
    EXPECT_FALSE(A->GetSorted());

    // Without coCanClick a header is never pressed.
    A->SetOptions(A->GetOptions() - TColumnOptions{coCanClick});
    Log.clear();
    ClickAt(HeaderPoint(0));
    EXPECT_TRUE(Log.empty());
    EXPECT_EQ(ColumnA(), "2 1");
}

TEST_F(GxCustomGridMouse, AColumnFreedByTheClickHandlerIsNeitherPaintedNorSorted)
{
    AddRows(2);
    Grid->OnHeaderClick = [&](TObject*, int C) { Grid->GetColumns()->Delete(C); };
    ClickAt(HeaderPoint(0));
    EXPECT_EQ(Grid->GetColumns()->GetCount(), 2);
    EXPECT_EQ(Grid->GetHeaderDownColumn(), nullptr);
    PaintNow(Grid);
}

// ---- Cells and the wheel ----------------------------------------------------------------------

TEST_F(GxCustomGridMouse, ClicksSelectWithShiftAndCtrlAndACellClickNeedsOneCell)
{
    AddRows(6);
    Grid->SetOptions(Grid->GetOptions() + TGridOptions{goSelectFullRow, goMultiSelect});
    std::vector<TPoint> Clicks;
    Grid->OnCellClick = [&](TObject*, int C, int R) { Clicks.push_back(TPoint(C, R)); };
    ClickAt(CellPoint(1, 1));
    EXPECT_EQ(Grid->GetSelectedCell(), TPoint(1, 1));
    EXPECT_EQ(Clicks, std::vector<TPoint>{TPoint(1, 1)});
    ClickAt(CellPoint(1, 3), TShiftState{ssShift});
    EXPECT_EQ(Grid->GetSelectedCount(), 3);
    ClickAt(CellPoint(1, 5), TShiftState{ssCtrl});
    EXPECT_EQ(Grid->GetSelectedCount(), 4);
    ClickAt(CellPoint(0, 0));
    EXPECT_EQ(Grid->GetSelectedCount(), 1);
    EXPECT_EQ(Grid->GetSelectedRow(), 0);

    // Pressed on one cell and released on another: no cell click.
    Clicks.clear();
    MouseDown(Grid, CellPoint(0, 2).X, CellPoint(0, 2).Y);
    MouseUp(Grid, CellPoint(0, 4).X, CellPoint(0, 4).Y);
    EXPECT_TRUE(Clicks.empty());
    EXPECT_EQ(Grid->GetSelectedRow(), 2);

    // Below the last row there is no cell to select or click.
    const int Below = Grid->GetRowTop(5) + Grid->GetRowHeight(5) + 10;
    ClickAt(TPoint(CellPoint(0, 0).X, Below));
    EXPECT_TRUE(Clicks.empty());
    EXPECT_EQ(Grid->GetSelectedRow(), 2);
}

TEST_F(GxCustomGridMouse, TheWheelStepsTheRowsAndWithCtrlAPage)
{
    AddRows(60);
    ASSERT_GT(Grid->GetVertScrollBar()->GetMax(), 0);
    const TPoint P = CellPoint(0, 0);
    MouseWheel(Grid, P.X, P.Y, -120);
    const int Step = Grid->GetFirstRowInView();
    EXPECT_GT(Step, 0);
    MouseWheel(Grid, P.X, P.Y, -120, TShiftState{ssCtrl});
    EXPECT_GT(Grid->GetFirstRowInView(), 2 * Step);
    MouseWheel(Grid, P.X, P.Y, 120, TShiftState{ssCtrl});
    MouseWheel(Grid, P.X, P.Y, 120);
    EXPECT_EQ(Grid->GetFirstRowInView(), 0);
}

// ---- Hints under the pointer ------------------------------------------------------------------

TEST_F(GxCustomGridMouse, ACutOffCellShowsItsTextWholeUntilThePointerLeavesIt)
{
    // Room on the form beside the grid for the pointer to leave to.
    Form->SetClientWidth(400);
    AddRows(3);
    Grid->SetCells(0, 2, u"Match: someone@example.com");
    A->SetWidth(40);
    A->SetOptions(A->GetOptions() + TColumnOptions{coShowTextFitHint});
    ActivateWindow(Form);
    ASSERT_TRUE(Form->GetActive());

    MouseMove(Grid, CellPoint(0, 2).X, CellPoint(0, 2).Y);
    ASSERT_NE(Grid->GetHintWindow(), nullptr);
    EXPECT_EQ(Grid->GetHintKind(), hpTextFit);
    EXPECT_TRUE(IsWindowVisible(Grid->GetHintWindow()->GetHandle()));
    EXPECT_EQ(Grid->GetHintWindow()->GetCaption(), "Match: someone@example.com");
    EXPECT_EQ(Grid->GetHoverCell(), TPoint(0, 2));

    // A cell that fits takes the hint away; the cut-off one brings it back.
    MouseMove(Grid, CellPoint(0, 1).X, CellPoint(0, 1).Y);
    EXPECT_EQ(Grid->GetHintKind(), hpNone);
    EXPECT_FALSE(IsWindowVisible(Grid->GetHintWindow()->GetHandle()));
    MouseMove(Grid, CellPoint(0, 2).X + 1, CellPoint(0, 2).Y);
    EXPECT_TRUE(IsWindowVisible(Grid->GetHintWindow()->GetHandle()));

    // Into the header, then out of the grid.
    MouseMove(Grid, HeaderPoint(0).X, HeaderPoint(0).Y);
    EXPECT_FALSE(IsWindowVisible(Grid->GetHintWindow()->GetHandle()));
    MouseMove(Grid, CellPoint(0, 2).X, CellPoint(0, 2).Y);
    EXPECT_TRUE(IsWindowVisible(Grid->GetHintWindow()->GetHandle()));
    MouseMoveAtScreen(Grid->ClientToScreen(TPoint(Grid->GetWidth() + 40, 10)));
    EXPECT_EQ(Grid->GetHintKind(), hpNone);
    EXPECT_FALSE(IsWindowVisible(Grid->GetHintWindow()->GetHandle()));
}

TEST_F(GxCustomGridMouse, ACellsOwnHintShowsAboveItsRightEdgeAndGoesWithTheCell)
{
    AddRows(3);
    Grid->OnCellHint = [](TObject*, int C, int R, WideString& Hint) {
        if (C == 1 && R == 1) Hint = u"one-one";
    };
    ActivateWindow(Form);
    MouseMove(Grid, CellPoint(1, 1).X, CellPoint(1, 1).Y);
    ASSERT_NE(Grid->GetHintWindow(), nullptr);
    EXPECT_EQ(Grid->GetHintKind(), hpCellHint);
    EXPECT_EQ(Grid->GetHintWindow()->GetCaption(), "one-one");
    const TRect Cell = Grid->GetCellRect(1, 1);
    EXPECT_EQ(Grid->GetHintWindow()->GetBoundsRect().TopLeft(),
              Grid->ClientToScreen(TPoint(Cell.Right, Cell.Top - 20)));
    MouseMove(Grid, CellPoint(0, 1).X, CellPoint(0, 1).Y);
    EXPECT_EQ(Grid->GetHintKind(), hpNone);
    EXPECT_FALSE(IsWindowVisible(Grid->GetHintWindow()->GetHandle()));
}

} // namespace
