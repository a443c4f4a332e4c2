// tests/grid/GxCustomGridSizingTest.cpp: splitters, column and row resizing
// with their lines, double clicks, and how few rows a move over a very long
// grid asks about.
#include "GxGridFixture.h"
#include "platform/testing/Pointer.h"
#include "platform/win/UserInteraction.h"
#include "platform/win/WinUser.h"

#include <set>

namespace {

using namespace GxGridTests;
using namespace platform::test;

// A grid that ends a resize as the loss of the focus will, and may paint
// without what it draws over its paint.
class TSizingGrid : public TGxGrid {
public:
    QM_CLASS(TSizingGrid, TGxGrid)
    using TGxGrid::CancelSizing;
    using TGxGrid::TGxGrid;
    bool Overlays = true;

protected:
    void PaintOverlays() override
    {
        if (Overlays) TGxGrid::PaintOverlays();
    }
};

class GxCustomGridSizing : public TGxGridTest {
protected:
    TGxGrid* NewGrid() override { return New<TSizingGrid>(Form); }
    void SetUp() override
    {
        TGxGridTest::SetUp();
        A = Grid->GetColumns()->GetItem(0);
        B = Grid->GetColumns()->GetItem(1);
        C = Grid->GetColumns()->GetItem(2);
        Grid->OnHeaderDblClick = [&](TObject*, int Col) { Log.push_back("header " + IntToStr(Col)); };
        Grid->OnCellDblClick = [&](TObject*, int, int Row) { Log.push_back("cell row " + IntToStr(Row)); };
    }
    void TearDown() override
    {
        // An error the grid reported would have shown a message box.
        EXPECT_TRUE(Script.Messages.empty());
        TGxGridTest::TearDown();
    }
    int RightOf(TGxCustomColumn* Column) { return Column->GetAbsoluteLeft() + Column->GetWidth(); }
    int HeaderY() { return Grid->GetHeaderSize() / 2; }
    // The pixels across the client area along x At, or along y At.
    std::vector<TColor> Line(int At, bool Across = false)
    {
        std::vector<TColor> Pixels;
        for (int I = 0; I < (Across ? Grid->GetClientWidth() : Grid->GetClientHeight()); ++I)
            Pixels.push_back(Across ? PixelAt(Grid, I, At) : PixelAt(Grid, At, I));
        return Pixels;
    }
    // Whether a line shows there, inverted over the whole paint beneath it
    // (or none does): the paint beneath is taken without the lines, which
    // are then painted back.
    bool Shows(int At, bool Across = false, bool Inverted = true)
    {
        std::vector<TColor> Now = Line(At, Across);
        auto* Sizing = static_cast<TSizingGrid*>(Grid);
        Sizing->Overlays = false;
        InvalidateRect(Grid->GetHandle(), nullptr, false);
        const std::vector<TColor> Beneath = Line(At, Across);
        Sizing->Overlays = true;
        InvalidateRect(Grid->GetHandle(), nullptr, false);
        PaintNow(Grid);
        for (TColor& P : Now)
            P = Inverted ? ~P & 0xFFFFFF : P;
        return Now == Beneath;
    }
    bool Plain(int At, bool Across = false) { return Shows(At, Across, false); }

    TScriptedInteraction Script;
    TGxCustomColumn *A = nullptr, *B = nullptr, *C = nullptr;
};

TEST_F(GxCustomGridSizing, ASplitterLiesAroundARightEdgeButNeverUnderTheFixedColumns)
{
    const int Right = RightOf(A);
    EXPECT_EQ(Grid->GetColumnSizeGripAtPos(Right - 4, 5), nullptr);
    EXPECT_EQ(Grid->GetColumnSizeGripAtPos(Right - 3, 5), A);
    EXPECT_EQ(Grid->GetColumnSizeGripAtPos(Right + 2, 5), A);
    EXPECT_EQ(Grid->GetColumnSizeGripAtPos(Right + 3, 5), nullptr);
    A->SetOptions(A->GetOptions() + TColumnOptions{coFixedSize});
    EXPECT_EQ(Grid->GetColumnSizeGripAtPos(Right, 5), nullptr);
    A->SetOptions(A->GetOptions() - TColumnOptions{coFixedSize});

    // B scrolled under the fixed column A.
    A->SetWidth(100);
    B->SetWidth(60);
    C->SetWidth(250);
    Grid->SetFixedCols(1);
    Grid->GetHorzScrollBar()->SetPosition(80);
    ASSERT_EQ(RightOf(B), 80);
    EXPECT_EQ(Grid->GetColumnSizeGripAtPos(RightOf(B), 5), nullptr);
    EXPECT_EQ(Grid->GetColumnSizeGripAtPos(102, 5), A);
    MouseMove(Grid, 99, HeaderY());
    EXPECT_EQ(Grid->GetGripColumn(), A);
    EXPECT_EQ(Grid->GetCursor(), crHorzSplit);
    MouseMove(Grid, RightOf(B), HeaderY());
    EXPECT_EQ(Grid->GetGripColumn(), nullptr);
    EXPECT_EQ(Grid->GetCursor(), crDefault);
}

TEST_F(GxCustomGridSizing, AColumnIsSizedAtTheReleaseToEightPixelsAtLeastOrNotAtAllWhenCancelled)
{
    AddRows(3);
    const int Width = B->GetWidth();
    MouseDown(Grid, RightOf(B), HeaderY());
    EXPECT_EQ(Grid->GetResizingColumn(), B);
    MouseMove(Grid, RightOf(B) + 25, HeaderY() + 40);
    EXPECT_EQ(B->GetWidth(), Width);
    MouseUp(Grid, RightOf(B) + 25, HeaderY() + 40);
    EXPECT_EQ(B->GetWidth(), Width + 25);
    EXPECT_FALSE(Grid->GetGridState().Contains(gtColumnResizing));
    EXPECT_FALSE(B->GetSorted());

    // Far past its left edge; the wheel meanwhile scrolls nothing.
    C->SetWidth(300);
    MouseDown(Grid, RightOf(B), HeaderY());
    MouseMove(Grid, B->GetAbsoluteLeft() - 30, HeaderY());
    MouseWheel(Grid, 20, HeaderY(), -120);
    EXPECT_EQ(Grid->GetHorzScrollPos(), 0);
    MouseUp(Grid, B->GetAbsoluteLeft() - 30, HeaderY());
    EXPECT_EQ(B->GetWidth(), 8);

    // Cancelled, or the mouse taken by another window: nothing is sized.
    for (const bool Capture : {false, true}) {
        MouseDown(Grid, RightOf(A), HeaderY());
        MouseMove(Grid, RightOf(A) + 10, HeaderY());
        Capture ? (void)SetCapture(Form->GetHandle()) : static_cast<TSizingGrid*>(Grid)->CancelSizing();
        EXPECT_EQ(Grid->GetResizingColumn(), nullptr);
        EXPECT_TRUE(Plain(RightOf(A) + 9));
        ReleaseCapture();
        MouseUp(Grid, RightOf(A) + 10, HeaderY());
        EXPECT_EQ(A->GetWidth(), Width);
    }
}

TEST_F(GxCustomGridSizing, ResizeLinesStayWholeThroughRepaintsAndLeaveNothingBehind)
{
    AddRows(4);
    const int StartX = B->GetAbsoluteLeft() - 1, LineX = RightOf(B) + 19;
    MouseDown(Grid, RightOf(B), HeaderY());
    MouseMove(Grid, LineX + 1, HeaderY());
    EXPECT_TRUE(Shows(StartX));
    EXPECT_TRUE(Shows(LineX));
    // Cells under both lines repaint, and a row arrives, as in a scan.
    Grid->RefreshCell(2, 1);
    Grid->RefreshCell(0, 2);
    AddRows(1);
    PaintNow(Grid);
    EXPECT_TRUE(Shows(StartX));
    EXPECT_TRUE(Shows(LineX));
    MouseUp(Grid, LineX + 1, HeaderY());
    EXPECT_TRUE(Plain(StartX));
    EXPECT_TRUE(Plain(LineX));
}

TEST_F(GxCustomGridSizing, ADoubleClickOnASplitterFitsOnlyAColumnThatFitsToItsLargest)
{
    AddRows(3);
    A->SetWidth(200);
    DoubleClick(Grid, RightOf(A) - 1, HeaderY());
    EXPECT_EQ(A->GetWidth(), 200);
    Grid->BestFitColumn(0, bfCells);
    const int Fitted = A->GetWidth();
    A->SetWidth(200);
    static_cast<ColumnFixtures::TTestColumn*>(A)->Style = {csFitToLargest};
    DoubleClick(Grid, RightOf(A) - 1, HeaderY());
    EXPECT_EQ(A->GetWidth(), Fitted);
    EXPECT_NE(Fitted, 200);

    const TRect Cell = Grid->GetCellRect(1, 2);
    DoubleClick(Grid, Cell.Left + 5, Cell.Top + 3);
    DoubleClick(Grid, Cell.Left + 5, Cell.Bottom + 40);
    EXPECT_EQ(Log, (std::vector<std::string>{"header 0", "cell row 2"}));
}

TEST_F(GxCustomGridSizing, RowSplittersSitOnEachRowsLowerLineWhateverLinesShow)
{
    AddRows(20);
    Grid->SetOptions(Grid->GetOptions() + TGridOptions{goIndicator, goRowResizing, goGrid});
    Grid->SetRowHeight(3, 30);
    Grid->SetRowVisible(5, false);
    for (const TGridLinesStyle Style : {lsNormal, lsVerticalOnly, lsHorizontalOnly})
        for (const TAppearanceOptions Look : {TAppearanceOptions{}, TAppearanceOptions{ao3DGridLines}}) {
            Grid->SetGridLinesStyle(Style);
            Grid->SetAppearanceOptions(Look);
            for (int Row = 0; Row < 9; Row = Grid->GetNextOnScreen(Row)) {
                // Where the next row's top grid line begins.
                const int Edge = Grid->GetRowTop(Grid->GetNextOnScreen(Row)) - Grid->GetGridSpace(lpTop);
                if (Edge >= Grid->GetBodyRect().Bottom) break;
                EXPECT_EQ(Grid->GetRowSizeGripAtPos(5, Edge), Row) << Style;
                EXPECT_EQ(Grid->GetRowSizeGripAtPos(5, Edge - 2), Row) << Style;
                EXPECT_NE(Grid->GetRowSizeGripAtPos(5, Edge - 3), Row) << Style;
            }
        }
    EXPECT_EQ(Grid->GetRowSizeGripAtPos(13, Grid->GetRowTop(1)), -1);
}

TEST_F(GxCustomGridSizing, ARowIsSizedInTheIndicatorToEightPixelsAtLeastAndFitsOnADoubleClick)
{
    AddRows(4);
    Grid->SetOptions(Grid->GetOptions() + TGridOptions{goIndicator, goRowResizing});
    const int Top1 = Grid->GetRowTop(1), Edge = Grid->GetRowTop(2);
    MouseMove(Grid, 5, Edge);
    EXPECT_EQ(Grid->GetCursor(), crVertSplit);
    MouseMove(Grid, 5, Top1 + 4);
    EXPECT_EQ(Grid->GetCursor(), crIndicatorSelect);
    MouseMove(Grid, 5, Grid->GetBodyDownLimit() + 5);
    EXPECT_EQ(Grid->GetCursor(), crDefault);

    // The line stays whole while the rows under it repaint.
    MouseDown(Grid, 5, Edge);
    MouseMove(Grid, 5, Top1 + 30);
    Grid->RefreshCell(1, 2);
    AddRows(1);
    PaintNow(Grid);
    EXPECT_TRUE(Shows(Top1 + 30, true));
    MouseUp(Grid, 5, Top1 + 30);
    EXPECT_EQ(Grid->GetRowHeight(1), 30);
    EXPECT_TRUE(Plain(Top1 + 30, true));

    MouseDown(Grid, 5, Grid->GetRowTop(2));
    MouseMove(Grid, 5, Top1 - 20);
    MouseUp(Grid, 5, Top1 - 20);
    EXPECT_EQ(Grid->GetRowHeight(1), 8);

    Grid->SetRowHeight(1, 40);
    Grid->BestFitRow(3);
    DoubleClick(Grid, 5, Grid->GetRowTop(2));
    EXPECT_EQ(Grid->GetRowHeight(1), Grid->GetRowHeight(3));
}

// Notes every row the grid asks the store about.
class TRowCountingGrid : public TGxGrid {
public:
    QM_CLASS(TRowCountingGrid, TGxGrid)
    using TGxGrid::TGxGrid;
    std::set<int> Asked;
    int GetRowHeight(int ARow) override { return Note(ARow, TGxGrid::GetRowHeight(ARow)); }
    bool GetRowVisible(int ARow) override { return Note(ARow, TGxGrid::GetRowVisible(ARow)); }
    WideString GetCells(int ACol, int ARow) override { return Note(ARow, TGxGrid::GetCells(ACol, ARow)); }
    WideString GetDrawText(int ACol, int ARow) override { return Note(ARow, TGxGrid::GetDrawText(ACol, ARow)); }
    // The row answered is the one asked about.
    int GetNextOnScreen(int ARow) override { return Answer(TGxGrid::GetNextOnScreen(ARow)); }
    int GetPriorOnScreen(int ARow) override { return Answer(TGxGrid::GetPriorOnScreen(ARow)); }

private:
    template <typename T> T Note(int ARow, T Value)
    {
        Asked.insert(ARow);
        return Value;
    }
    int Answer(int Row) { return Note(Row, Row); }
};

class GxCustomGridLong : public TGxGridTest {
protected:
    TGxGrid* NewGrid() override { return New<TRowCountingGrid>(Form); }
};

TEST_F(GxCustomGridLong, AMoveOverTheLastRowInViewOfAMillionAsksOnlyAboutTheRowsInView)
{
    auto* Counting = static_cast<TRowCountingGrid*>(Grid);
    Grid->SetOptions(Grid->GetOptions() + TGridOptions{goIndicator, goRowResizing});
    Grid->AddRow(1000000);
    Grid->GetVertScrollBar()->SetPosition(500000);
    const int First = Grid->GetFirstRowInView(), InView = Grid->GetVisibleCount(false);
    ASSERT_GT(First, 400000);
    const TRect Cell = Grid->GetCellRect(1, First + InView - 1);
    // Over the cell, then over its row in the indicator.
    for (const int X : {Cell.Left + 5, 5}) {
        Counting->Asked.clear();
        MouseMove(Grid, X, Cell.Top + 2);
        // The rows wholly in view and the one cut off at the body's bottom.
        EXPECT_LE(int(Counting->Asked.size()), InView + 1);
        ASSERT_FALSE(Counting->Asked.empty());
        EXPECT_GE(*Counting->Asked.begin(), First);
        EXPECT_LE(*Counting->Asked.rbegin(), First + InView);
    }
}

} // namespace
