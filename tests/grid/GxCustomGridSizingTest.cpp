// tests/grid/GxCustomGridSizingTest.cpp: splitters under the pointer, column
// and row resizing with their lines, double clicks, and how few rows a move
// over a very long grid asks about.
#include "GxGridFixture.h"
#include "platform/testing/Pointer.h"
#include "platform/win/UserInteraction.h"
#include "platform/win/WinUser.h"

#include <set>

namespace {

using namespace GxGridTests;
using namespace platform::test;

// A grid that can end a resize as the loss of the focus will, and paint
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
        Grid->OnCellDblClick = [&](TObject*, int Col, int Row) {
            Log.push_back("cell " + IntToStr(Col) + "," + IntToStr(Row));
        };
    }
    void TearDown() override
    {
        // An error the grid reported would have shown a message box.
        EXPECT_TRUE(Script.Messages.empty());
        TGxGridTest::TearDown();
    }
    int RightOf(TGxCustomColumn* Column) { return Column->GetAbsoluteLeft() + Column->GetWidth(); }
    int HeaderY() { return Grid->GetHeaderSize() / 2; }
    // The pixels of the client column X (or row Y with Across) from edge to edge.
    std::vector<TColor> Line(int At, bool Across = false)
    {
        std::vector<TColor> Pixels;
        const int Count = Across ? Grid->GetClientWidth() : Grid->GetClientHeight();
        for (int I = 0; I < Count; ++I)
            Pixels.push_back(Across ? PixelAt(Grid, I, At) : PixelAt(Grid, At, I));
        return Pixels;
    }
    static std::vector<TColor> Inverted(std::vector<TColor> Pixels)
    {
        for (TColor& P : Pixels)
            P = ~P & 0xFFFFFF;
        return Pixels;
    }
    // What a paint of the whole client area shows along a line, without
    // the lines of a resize; they are painted back afterwards.
    std::vector<TColor> RepaintedLine(int At, bool Across = false)
    {
        auto* Sizing = static_cast<TSizingGrid*>(Grid);
        Sizing->Overlays = false;
        InvalidateRect(Grid->GetHandle(), nullptr, false);
        const std::vector<TColor> Pixels = Line(At, Across);
        Sizing->Overlays = true;
        InvalidateRect(Grid->GetHandle(), nullptr, false);
        PaintNow(Grid);
        return Pixels;
    }

    TScriptedInteraction Script;
    TGxCustomColumn *A = nullptr, *B = nullptr, *C = nullptr;
};

// ---- Splitters --------------------------------------------------------------------------------

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

    // B scrolled under the fixed column A: only A's splitter is found there.
    A->SetWidth(100);
    B->SetWidth(60);
    C->SetWidth(250);
    Grid->SetFixedCols(1);
    Grid->GetHorzScrollBar()->SetPosition(80);
    ASSERT_EQ(Grid->GetHorzScrollPos(), 80);
    ASSERT_EQ(RightOf(B), 80);
    EXPECT_EQ(Grid->GetColumnSizeGripAtPos(RightOf(B), 5), nullptr);
    EXPECT_EQ(Grid->GetColumnSizeGripAtPos(99, 5), A);
    EXPECT_EQ(Grid->GetColumnSizeGripAtPos(102, 5), A);

    // The pointer over a splitter in the header shows the splitter cursor.
    MouseMove(Grid, 99, HeaderY());
    EXPECT_EQ(Grid->GetGripColumn(), A);
    EXPECT_EQ(Grid->GetCursor(), crHorzSplit);
    MouseMove(Grid, RightOf(B), HeaderY());
    EXPECT_EQ(Grid->GetGripColumn(), nullptr);
    EXPECT_EQ(Grid->GetCursor(), crDefault);
}

// ---- Column sizing ----------------------------------------------------------------------------

TEST_F(GxCustomGridSizing, AColumnTakesItsNewWidthAtTheReleaseAndNeverLessThanEight)
{
    AddRows(3);
    const int Width = B->GetWidth();
    MouseDown(Grid, RightOf(B), HeaderY());
    EXPECT_EQ(Grid->GetResizingColumn(), B);
    EXPECT_TRUE(Grid->GetGridState().Contains(gtColumnResizing));
    EXPECT_EQ(Grid->GetHeaderDownColumn(), nullptr);
    MouseMove(Grid, RightOf(B) + 25, HeaderY() + 40);
    EXPECT_EQ(B->GetWidth(), Width);
    MouseUp(Grid, RightOf(B) + 25, HeaderY() + 40);
    EXPECT_EQ(B->GetWidth(), Width + 25);
    EXPECT_EQ(Grid->GetResizingColumn(), nullptr);
    EXPECT_FALSE(Grid->GetGridState().Contains(gtColumnResizing));

    // Dragged far past its left edge; the wheel meanwhile scrolls nothing.
    C->SetWidth(300);
    ASSERT_GT(Grid->GetHorzScrollBar()->GetMax(), 0);
    MouseDown(Grid, RightOf(B), HeaderY());
    MouseMove(Grid, B->GetAbsoluteLeft() - 30, HeaderY());
    MouseWheel(Grid, 20, HeaderY(), -120);
    EXPECT_EQ(Grid->GetHorzScrollPos(), 0);
    MouseUp(Grid, B->GetAbsoluteLeft() - 30, HeaderY());
    EXPECT_EQ(B->GetWidth(), 8);
    // A press on a splitter is no header click: nothing sorted.
    EXPECT_FALSE(B->GetSorted());
}

TEST_F(GxCustomGridSizing, ResizeLinesStayWholeThroughRepaintsAndLeaveNothingBehind)
{
    AddRows(4);
    const int StartX = B->GetAbsoluteLeft() - 1, LineX = RightOf(B) + 19;
    MouseDown(Grid, RightOf(B), HeaderY());
    MouseMove(Grid, LineX + 1, HeaderY());
    EXPECT_EQ(Line(StartX), Inverted(RepaintedLine(StartX)));
    EXPECT_EQ(Line(LineX), Inverted(RepaintedLine(LineX)));

    // Cells under both lines repaint, and a row arrives, as in a scan.
    Grid->RefreshCell(2, 1);
    Grid->RefreshCell(0, 2);
    Grid->RefreshCell(1, 3);
    AddRows(1);
    PaintNow(Grid);
    EXPECT_EQ(Line(StartX), Inverted(RepaintedLine(StartX)));
    EXPECT_EQ(Line(LineX), Inverted(RepaintedLine(LineX)));

    MouseUp(Grid, LineX + 1, HeaderY());
    PaintNow(Grid);
    const std::vector<TColor> After = Line(LineX), AfterStart = Line(StartX);
    EXPECT_EQ(After, RepaintedLine(LineX));
    EXPECT_EQ(AfterStart, RepaintedLine(StartX));
}

TEST_F(GxCustomGridSizing, CancellingAResizeTakesItsLinesAwayAndSizesNothing)
{
    AddRows(2);
    Grid->SetFocus();
    PaintNow(Grid);
    auto* Sizing = static_cast<TSizingGrid*>(Grid);
    const int Width = A->GetWidth();
    const std::vector<TColor> Under = Line(RightOf(A) + 9);
    MouseDown(Grid, RightOf(A), HeaderY());
    MouseMove(Grid, RightOf(A) + 10, HeaderY());
    Sizing->CancelSizing();
    EXPECT_EQ(Grid->GetResizingColumn(), nullptr);
    EXPECT_FALSE(Grid->GetGridState().Contains(gtColumnResizing));
    EXPECT_EQ(Line(RightOf(A) + 9), Under);
    MouseUp(Grid, RightOf(A) + 10, HeaderY());
    EXPECT_EQ(A->GetWidth(), Width);

    // Another window takes the mouse during a resize: it ends unsized.
    MouseDown(Grid, RightOf(A), HeaderY());
    MouseMove(Grid, RightOf(A) + 10, HeaderY());
    SetCapture(Form->GetHandle());
    EXPECT_EQ(Grid->GetResizingColumn(), nullptr);
    EXPECT_EQ(Line(RightOf(A) + 9), Under);
    ReleaseCapture();
    MouseUp(Grid, RightOf(A) + 30, HeaderY());
    EXPECT_EQ(Line(RightOf(A) + 29), RepaintedLine(RightOf(A) + 29));
    EXPECT_EQ(A->GetWidth(), Width);

    // A row resize likewise.
    Grid->SetOptions(Grid->GetOptions() + TGridOptions{goIndicator, goRowResizing});
    const int Bottom = Grid->GetRowTop(1);
    const std::vector<TColor> Across = Line(Bottom + 10, true);
    MouseDown(Grid, 5, Bottom);
    MouseMove(Grid, 5, Bottom + 10);
    EXPECT_NE(Line(Bottom + 10, true), Across);
    Sizing->CancelSizing();
    EXPECT_EQ(Grid->GetResizingRow(), -1);
    EXPECT_EQ(Line(Bottom + 10, true), Across);
}

// ---- Double clicks ----------------------------------------------------------------------------

TEST_F(GxCustomGridSizing, ADoubleClickOnASplitterFitsOnlyAColumnThatFitsToItsLargest)
{
    AddRows(3);
    A->SetWidth(200);
    DoubleClick(Grid, RightOf(A) - 1, HeaderY());
    EXPECT_EQ(A->GetWidth(), 200);
    // Not fitting, the double click is the header's.
    EXPECT_EQ(Log, std::vector<std::string>{"header 0"});

    Grid->BestFitColumn(0, bfCells);
    const int Fitted = A->GetWidth();
    ASSERT_NE(Fitted, 200);
    A->SetWidth(200);
    static_cast<ColumnFixtures::TTestColumn*>(A)->Style = {csFitToLargest};
    Log.clear();
    DoubleClick(Grid, RightOf(A) - 1, HeaderY());
    EXPECT_EQ(A->GetWidth(), Fitted);
    EXPECT_EQ(Grid->GetGripColumn(), nullptr);
    EXPECT_TRUE(Log.empty());
}

TEST_F(GxCustomGridSizing, DoubleClicksOnCellsAndHeadersFireTheirEventsOnlyWhereTheyExist)
{
    AddRows(3);
    const TRect Cell = Grid->GetCellRect(1, 2);
    DoubleClick(Grid, Cell.Left + 5, Cell.Top + 3);
    DoubleClick(Grid, Cell.Left + 5, Grid->GetRowTop(2) + 40);
    DoubleClick(Grid, C->GetAbsoluteLeft() + 10, HeaderY());
    EXPECT_EQ(Log, (std::vector<std::string>{"cell 1,2", "header 2"}));
    EXPECT_EQ(Grid->GetMouseDownPoint(), TPoint(-1, -1));
}

// ---- Rows -------------------------------------------------------------------------------------

TEST_F(GxCustomGridSizing, RowSplittersSitOnEachRowsLowerLineWhateverLinesShow)
{
    AddRows(20);
    Grid->SetOptions(Grid->GetOptions() + TGridOptions{goIndicator, goRowResizing, goGrid});
    Grid->SetRowHeight(3, 30);
    Grid->SetRowVisible(5, false);
    for (const TGridLinesStyle Style : {lsNormal, lsVerticalOnly, lsHorizontalOnly}) {
        Grid->SetGridLinesStyle(Style);
        for (const bool Lines3D : {false, true}) {
            TAppearanceOptions Look = Grid->GetAppearanceOptions();
            Lines3D ? Look.Include(ao3DGridLines) : Look.Exclude(ao3DGridLines);
            Grid->SetAppearanceOptions(Look);
            SCOPED_TRACE(std::to_string(int(Style)) + (Lines3D ? " 3D" : ""));
            const int Top = Grid->GetGridSpace(lpTop);
            const int BodyBottom = Grid->GetBodyRect().Bottom;
            for (int Row = 0; Row < 9; Row = Grid->GetNextOnScreen(Row)) {
                // Where the next row's top grid line begins.
                const int Edge = Grid->GetRowTop(Grid->GetNextOnScreen(Row)) - Top;
                if (Edge >= BodyBottom) break;
                EXPECT_EQ(Grid->GetRowSizeGripAtPos(5, Edge), Row);
                EXPECT_EQ(Grid->GetRowSizeGripAtPos(5, Edge - 2), Row);
                EXPECT_NE(Grid->GetRowSizeGripAtPos(5, Edge - 3), Row);
            }
        }
    }
    EXPECT_EQ(Grid->GetRowSizeGripAtPos(13, Grid->GetRowTop(1)), -1);
    EXPECT_EQ(Grid->GetRowSizeGripAtPos(5, Grid->GetBodyRect().Bottom), -1);
}

TEST_F(GxCustomGridSizing, ARowIsSizedInTheIndicatorToNoLessThanEightAndFitsOnADoubleClick)
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

    MouseDown(Grid, 5, Edge);
    EXPECT_EQ(Grid->GetResizingRow(), 1);
    MouseMove(Grid, 5, Top1 + 30);
    MouseUp(Grid, 5, Top1 + 30);
    EXPECT_EQ(Grid->GetRowHeight(1), 30);
    EXPECT_EQ(Grid->GetResizingRow(), -1);

    MouseDown(Grid, 5, Grid->GetRowTop(2));
    MouseMove(Grid, 5, Top1 - 20);
    MouseUp(Grid, 5, Top1 - 20);
    EXPECT_EQ(Grid->GetRowHeight(1), 8);

    Grid->SetRowHeight(1, 40);
    Grid->BestFitRow(3);
    DoubleClick(Grid, 5, Grid->GetRowTop(2));
    EXPECT_EQ(Grid->GetRowHeight(1), Grid->GetRowHeight(3));
}

TEST_F(GxCustomGridSizing, ARowLineStaysWholeWhileRowsRepaintUnderIt)
{
    AddRows(4);
    Grid->SetOptions(Grid->GetOptions() + TGridOptions{goIndicator, goRowResizing});
    PaintNow(Grid);
    const int Y = Grid->GetRowTop(2) + 12;
    const std::vector<TColor> Under = Line(Y, true);
    MouseDown(Grid, 5, Grid->GetRowTop(2));
    MouseMove(Grid, 5, Y);
    EXPECT_EQ(Line(Y, true), Inverted(Under));
    Grid->RefreshCell(1, 2);
    AddRows(1);
    PaintNow(Grid);
    EXPECT_EQ(Line(Y, true), Inverted(RepaintedLine(Y, true)));
    MouseUp(Grid, 5, Y);
    PaintNow(Grid);
    EXPECT_EQ(Line(Y, true), RepaintedLine(Y, true));
}

// ---- A long grid ------------------------------------------------------------------------------

// Notes every row the grid asks the store about.
class TRowCountingGrid : public TGxGrid {
public:
    QM_CLASS(TRowCountingGrid, TGxGrid)
    using TGxGrid::TGxGrid;
    std::set<int> Asked;
    int GetRowHeight(int ARow) override { return Note(ARow, TGxGrid::GetRowHeight(ARow)); }
    bool GetRowVisible(int ARow) override { return Note(ARow, TGxGrid::GetRowVisible(ARow)); }
    // The row answered is the one asked about.
    int GetNextOnScreen(int ARow) override
    {
        const int Row = TGxGrid::GetNextOnScreen(ARow);
        return Note(Row, Row);
    }
    int GetPriorOnScreen(int ARow) override
    {
        const int Row = TGxGrid::GetPriorOnScreen(ARow);
        return Note(Row, Row);
    }
    WideString GetCells(int ACol, int ARow) override { return Note(ARow, TGxGrid::GetCells(ACol, ARow)); }
    WideString GetDrawText(int ACol, int ARow) override { return Note(ARow, TGxGrid::GetDrawText(ACol, ARow)); }

private:
    template <typename T> T Note(int ARow, T Value)
    {
        Asked.insert(ARow);
        return Value;
    }
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
    const int First = Grid->GetFirstRowInView();
    ASSERT_GT(First, 400000);
    const int InView = Grid->GetVisibleCount(false);
    const int Last = First + InView - 1;
    const TRect Cell = Grid->GetCellRect(1, Last);
    for (const int X : {Cell.Left + 5, 5}) {
        Counting->Asked.clear();
        MouseMove(Grid, X, Cell.Top + 2);
        // The rows wholly in view and the one cut off at the body's bottom.
        EXPECT_LE(int(Counting->Asked.size()), InView + 1);
        ASSERT_FALSE(Counting->Asked.empty());
        EXPECT_GE(*Counting->Asked.begin(), First);
        EXPECT_LE(*Counting->Asked.rbegin(), Last + 1);
    }
}

} // namespace
