// What a repaint after a change leaves on screen, against what a full
// repaint of the same grid paints, pixel for pixel; and how few cells a
// selection move draws.
#include "GridTestFixture.h"
#include "PaintGrid.h"
#include "PaintProbes.h"
#include "grid/GxTextColumn.h"
#include "platform/rtl/Codec.h"
#include "platform/win/WinGdi.h"
#include "platform/win/WinUser.h"

#include <cstdlib>
#include <cstring>
#include <functional>
#include <set>
#include <utility>

namespace {

using namespace GridStorage;
using namespace platform::test;

enum TLayout { lyPlain, ly3D, lyFixed, lyMainWindow };

class GxGridRepaint : public TGridTest {
protected:
    TStorageGrid* MakeGrid(TComponent* AOwner) override { return New<TPaintGrid>(AOwner); }
    TPaintGrid* PaintGrid() { return static_cast<TPaintGrid*>(Grid); }

    // The four layouts, each without a focus frame (its dots follow device
    // pixels, not the grid) and wider than the window.
    void Arrange(TLayout Layout)
    {
        if (Layout == lyMainWindow) {
            // As the main window shows the extracts.
            Form->SetClientWidth(600);
            Form->SetClientHeight(440);
            Grid->SetBounds(8, 8, 577, 424);
            Columns->Clear();
            const std::pair<const char*, int> Extracts[] = {
                {"File", 109}, {"Line", 80}, {"Match", 195}, {"FoundBy", 116}, {"RejectedBy", 83}};
            for (const auto& [Name, Width] : Extracts) {
                TGxCustomColumn* Column =
                    Columns->Add(GxColumns::ColumnClass<GxColumnClasses::TGxTextColumn>, Utf8ToWide(Name));
                Column->SetName(Name);
                Column->SetWidth(Width);
                Column->GetFont()->SetName("Tahoma");
                Column->GetFont()->SetHeight(-11);
            }
            Grid->SetOptions({goHeader, goSelectFullRow});
            Grid->SetAppearanceOptions({aoHideFocus, aoHideSelection});
        } else {
            for (int Col = 0; Col < Columns->GetCount(); ++Col)
                Columns->GetItem(Col)->SetWidth(130);
            const bool FullRow = Layout == ly3D;
            Grid->SetOptions(FullRow ? TGridOptions{goHeader, goGrid, goIndicator, goSelectFullRow}
                                     : TGridOptions{goHeader, goGrid, goIndicator});
            Grid->SetAppearanceOptions(Layout == lyPlain ? TAppearanceOptions{aoHideFocus}
                                                         : TAppearanceOptions{aoHideFocus, ao3DGridLines});
            if (Layout == lyFixed) Grid->SetFixedCols(1);
        }
        Grid->SetColor(TColor(0xE0F0FF));
        AddRows(120);
        Grid->SetFocus();
        Grid->SetSelected(4, true);
        Grid->SetSelectedRow(4);
        FullRepaint();
    }
    void FullRepaint() { RepaintWhole(Grid); }
    void Capture(TBitmap& Picture) { CaptureClient(Grid, Picture); }
    // After Change has been repainted as it asked, a full repaint changes no pixel.
    void ExpectRepaintedAsWhole(const char* What, const std::function<void()>& Change)
    {
        Change();
        TBitmap Incremental, Whole;
        Capture(Incremental);
        FullRepaint();
        Capture(Whole);
        for (int Y = 0; Y < Whole.GetHeight(); ++Y) {
            const Byte* A = Incremental.GetScanLine(Y);
            const Byte* B = Whole.GetScanLine(Y);
            if (std::memcmp(A, B, std::size_t(Whole.GetWidth()) * 4) == 0) continue;
            int X = 0;
            while (std::memcmp(A + X * 4, B + X * 4, 3) == 0)
                ++X;
            ADD_FAILURE() << What << ": first stale pixel at " << X << "," << Y;
            return;
        }
    }
    void ExpectEveryChangeRepaintedAsWhole()
    {
        auto* Vert = Grid->GetVertScrollBar();
        for (const int Rows : {1, 3, 40, -40, -3, -1})
            ExpectRepaintedAsWhole(Rows > 0 ? "scrolled down" : "scrolled up",
                                   [&] { Vert->SetPosition(Vert->GetPosition() + Rows); });
        auto* Horz = Grid->GetHorzScrollBar();
        ExpectRepaintedAsWhole("scrolled right", [&] { Horz->SetPosition(Horz->GetPosition() + 37); });
        ExpectRepaintedAsWhole("scrolled left", [&] { Horz->SetPosition(Horz->GetPosition() - 20); });
        ExpectRepaintedAsWhole("row selected", [&] { Grid->SetSelectedRow(Grid->GetFirstRowInView() + 2); });
        ExpectRepaintedAsWhole("moved down", [&] { Grid->MoveSelectionDown({}, false); });
        ExpectRepaintedAsWhole("moved up", [&] { Grid->MoveSelectionUp({}); });
        ExpectRepaintedAsWhole("moved right", [&] { Grid->MoveSelectionRight(); });
        ExpectRepaintedAsWhole("moved left", [&] { Grid->MoveSelectionLeft(); });
        ExpectRepaintedAsWhole("moved by 5", [&] { Grid->MoveSelectionBy(5); });
        ExpectRepaintedAsWhole("column wider",
                               [&] { Columns->GetItem(1)->SetWidth(Columns->GetItem(1)->GetWidth() + 23); });
        ExpectRepaintedAsWhole("column narrower",
                               [&] { Columns->GetItem(0)->SetWidth(Columns->GetItem(0)->GetWidth() - 31); });
        ExpectRepaintedAsWhole("rows taller", [&] { Grid->SetRowSize(21); });
        ExpectRepaintedAsWhole("rows lower", [&] { Grid->SetRowSize(13); });
        ExpectRepaintedAsWhole("scrolled down after", [&] { Vert->SetPosition(Vert->GetPosition() + 3); });
        if (const char* Dir = std::getenv("QUILLMOTE_SHEET_DIR"))
            SaveWindowImage(Grid, AnsiString(Dir) + "/" +
                                      ::testing::UnitTest::GetInstance()->current_test_info()->name() + ".png");
    }
};

TEST_F(GxGridRepaint, EveryChangeRepaintsAsAWholeRepaintWouldPlain)
{
    Arrange(lyPlain);
    ExpectEveryChangeRepaintedAsWhole();
}

TEST_F(GxGridRepaint, EveryChangeRepaintsAsAWholeRepaintWouldWith3DLines)
{
    Arrange(ly3D);
    ExpectEveryChangeRepaintedAsWhole();
}

TEST_F(GxGridRepaint, EveryChangeRepaintsAsAWholeRepaintWouldWithAFixedColumn)
{
    Arrange(lyFixed);
    ExpectEveryChangeRepaintedAsWhole();
}

TEST_F(GxGridRepaint, EveryChangeRepaintsAsAWholeRepaintWouldInTheMainWindow)
{
    Arrange(lyMainWindow);
    ExpectEveryChangeRepaintedAsWhole();
}

TEST_F(GxGridRepaint, AScrolledCellLeavesTheFixedColumnsLastLine)
{
    Arrange(lyFixed);
    Grid->GetHorzScrollBar()->SetPosition(37); // the second column half under the first
    FullRepaint();
    const TRect Body = Grid->GetBodyRect();
    const int X = Grid->GetScrollRect().Left - 1;
    for (int Y = Body.Top; Y < Body.Bottom; ++Y)
        ASSERT_EQ(PixelAt(Grid, X, Y), ColorToRGB(Grid->GetGridLinesColor())) << Y;
}

// A row a billion pixels high paints at once, its lines and indicator
// included, and what follows it stays out of view.
TEST_F(GxGridRepaint, ARowABillionPixelsHighPaintsOnlyWhatShows)
{
    Arrange(lyFixed);
    Grid->SetOptions({goHeader, goGrid, goIndicator, goFooter});
    Grid->SetRowHeight(1, 1000000000);
    Grid->SetSelectedRow(1);
    FullRepaint();
    const TRect Body = Grid->GetBodyRect();
    const TColor Cell = ColorToRGB(Columns->GetItem(1)->GetColor());
    for (const int Y : {Body.Top + 25, Body.Bottom - 2})
        EXPECT_EQ(PixelAt(Grid, 200, Y), Cell) << Y;
    EXPECT_EQ(PixelAt(Grid, Grid->GetScrollRect().Left - 1, Body.Bottom - 2), ColorToRGB(Grid->GetGridLinesColor()));
    EXPECT_EQ(Grid->GetLastPaintedRow(), 2);
    // Repaints of it and of the row after it stay inside the body.
    ExpectRepaintedAsWhole("tall row repainted", [&] {
        Grid->RefreshRow(1, false);
        Grid->RefreshCell(2, 1);
        Grid->RefreshIndicator(1);
        Grid->RefreshRow(2, false);
    });
    ExpectRepaintedAsWhole("selection moved off it", [&] { Grid->SetSelectedRow(0); });
}

// The main window's full-row move redraws the two rows; a move between
// cells, the two cells and their rows' indicators.
TEST_F(GxGridRepaint, ASelectionMoveDrawsOnlyTheRowsOrCellsItChanged)
{
    Arrange(lyMainWindow);
    Grid->SetSelectedRow(2);
    PaintNow(Grid);
    PaintGrid()->ResetTouched();
    Grid->SetSelectedRow(15);
    PaintNow(Grid);
    std::set<std::pair<int, int>> Rows;
    for (int Col = 0; Col < 5; ++Col)
        Rows.insert({{Col, 2}, {Col, 15}});
    EXPECT_EQ(PaintGrid()->Drawn, Rows);

    Grid->SetOptions({goHeader, goIndicator});
    Grid->SelectCell(1, 2, {}, true);
    PaintNow(Grid);
    // Marked indicators show which were drawn again.
    const TColor Mark = TColor(0x123456);
    TCanvas* Canvas = Grid->GetCanvas();
    Canvas->GetBrush()->SetColor(Mark);
    Canvas->FillRect(TRect(0, 18, 12, Grid->GetClientHeight()));
    PaintGrid()->ResetTouched();
    Grid->SelectCell(2, 15, {}, true);
    PaintNow(Grid);
    EXPECT_EQ(PaintGrid()->Drawn, (std::set<std::pair<int, int>>{{1, 2}, {2, 15}}));
    for (int Row = 0; Row < 24; ++Row)
        EXPECT_EQ(PixelAt(Grid, 6, 18 + 16 * Row + 8) != Mark, Row == 2 || Row == 15) << Row;
}

} // namespace
