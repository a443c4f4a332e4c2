// The slides view on screen: pixel probes on the grid's backing image (fixed
// palette, points away from text), what its repaints ask for and leave, and
// how it scrolls and switches.
#include "GridTestFixture.h"
#include "PaintGrid.h"
#include "PaintProbes.h"
#include "grid/GxTextColumn.h"
#include "grid/shared/GxThemesSupport.h"
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

constexpr TColor Ground = TColor(0x302010); // the grid's Color
constexpr TColor Lines = TColor(0x00A000);
constexpr TColor Chosen = TColor(0x40C0C0); // SlideSelectionColor
constexpr TColor Marker = TColor(0x0000FF);
constexpr int Size = 50;

// A paint grid that may cut slides at the body's bottom.
class TSlidesGrid : public TPaintGrid {
public:
    QM_CLASS(TSlidesGrid, TPaintGrid)
    using TPaintGrid::TPaintGrid;
    bool Integral = false;

protected:
    bool IntegralHeight() override { return Integral; }
};

class GxGridSlides : public TGridTest {
protected:
    TStorageGrid* MakeGrid(TComponent* AOwner) override { return New<TSlidesGrid>(AOwner); }
    TSlidesGrid* Slides() { return static_cast<TSlidesGrid*>(Grid); }
    // Three columns in boxes of their own, A captioned on the left, B above.
    void SetUp() override
    {
        TGridTest::SetUp();
        Grid->SetColor(Ground);
        Grid->SetGridLinesColor(Lines);
        Grid->SetSlideSelectionColor(Chosen);
        Grid->SetSlideSize(Size);
        Grid->SetOptions({goHeader, goSelectFullRow});
        Grid->SetAppearanceOptions({aoHideFocus, aoHighlightSlideCells});
        const int Boxes[3][4] = {{100, 8, 60, 16}, {180, 24, 70, 16}, {40, 30, 30, 12}};
        for (int Col = 0; Col < 3; ++Col) {
            TGxCustomColumn* Column = Columns->GetItem(Col);
            Column->SetColor(TColor(0xE0E0E0 + Col));
            TGxSlideBounds* B = Column->GetSlideBounds();
            B->SetLeft(Boxes[Col][0]);
            B->SetTop(Boxes[Col][1]);
            B->SetWidth(Boxes[Col][2]);
            B->SetHeight(Boxes[Col][3]);
        }
        Columns->GetItem(0)->SetSlideCaption("Name");
        Columns->GetItem(0)->SetSlideCaptionLocation(clLeft);
        Columns->GetItem(1)->SetSlideCaption("Mail");
        Columns->GetItem(1)->SetSlideCaptionLocation(clTop);
        Grid->SetGridStyle(gsSlides);
    }
    TColor At(int X, int Y) { return PixelAt(Grid, X, Y); }
    void Repaint() { RepaintWhole(Grid); }
    void Select(int ARow) { SelectRow(Grid, ARow); }
    void Unfocus()
    {
        auto* Other = New<TProbeControl>(Form);
        Other->SetParent(Form);
        Other->SetFocus();
    }
    // The top of slide K in view, its lines included.
    int SlideTop(int K)
    {
        return Grid->GetBodyRect().Top + K * (Size + Grid->GetGridSpace(lpTopBottom)) + Grid->GetGridSpace(lpTop);
    }
    void Fill(const TRect& R, TColor Color)
    {
        Grid->GetCanvas()->GetBrush()->SetColor(Color);
        Grid->GetCanvas()->FillRect(R);
    }
    void Capture(TBitmap& Picture) { CaptureClient(Grid, Picture); }
    // The first row of pixels where two pictures differ, -1 when none.
    static int FirstDifference(TBitmap& A, TBitmap& B, int Rows)
    {
        for (int Y = 0; Y < Rows; ++Y)
            if (std::memcmp(A.GetScanLine(Y), B.GetScanLine(Y), std::size_t(A.GetWidth()) * 4) != 0) return Y;
        return -1;
    }
    // After Change has been repainted as it asked, a full repaint changes no pixel.
    void ExpectRepaintedAsWhole(const char* What, const std::function<void()>& Change)
    {
        Change();
        TBitmap Incremental, Whole;
        Capture(Incremental);
        Repaint();
        Capture(Whole);
        EXPECT_EQ(FirstDifference(Incremental, Whole, Whole.GetHeight()), -1) << What;
    }
    void SaveSheet(const char* Name)
    {
        if (const char* Dir = std::getenv("QUILLMOTE_SHEET_DIR"))
            SaveWindowImage(Grid,
                            AnsiString(Dir) + "/" + Name + (GxThemesSupport::IsThemed() ? "" : "-classic") + ".png");
    }
};

// Slides are SlideSize high whatever their rows' heights, filled by their
// selection, the selected one framed; the space below them in Color.
TEST_F(GxGridSlides, SlidesAreFilledAndFramedByTheSelection)
{
    AddRows(3);
    Grid->SetRowHeight(0, 5);
    Grid->SetRowHeight(1, 90);
    Select(1);
    Grid->SetFocus();
    Repaint();
    const int Top1 = SlideTop(1);
    EXPECT_EQ(Top1, Grid->GetSlideRect(1).Top);
    EXPECT_EQ(At(10, SlideTop(0) + Size - 1), ColorToRGB(Ground));
    EXPECT_EQ(At(10, Top1), ColorToRGB(Chosen)); // the slide above ends right on it
    EXPECT_EQ(At(10, Top1 + Size - 5), ColorToRGB(Chosen));
    EXPECT_EQ(At(10, SlideTop(2)), ColorToRGB(Ground));
    // The double frame, one and two pixels in, in the selection colour.
    for (const auto& [X, Y] : {std::pair{1, Top1 + 20}, {2, Top1 + 20}, {150, Top1 + 1}, {150, Top1 + Size - 2}})
        EXPECT_EQ(At(X, Y), ColorToRGB(Grid->GetSelectionColor())) << X << "," << Y;
    EXPECT_EQ(At(3, Top1 + 20), ColorToRGB(Chosen));
    EXPECT_EQ(At(0, Top1 + 20), ColorToRGB(Chosen));
    // Below the last slide.
    EXPECT_EQ(At(10, SlideTop(3) + 3), ColorToRGB(Ground));
    EXPECT_EQ(At(10, Grid->GetClientHeight() - 1), ColorToRGB(Ground));

    Unfocus();
    Grid->SetSlidesOptions({soFrame});
    Repaint();
    EXPECT_EQ(At(10, Top1 + 20), ColorToRGB(clBtnFace));
    EXPECT_EQ(At(1, Top1 + 20), ColorToRGB(Grid->GetInactiveSelectionColor()));
    Grid->SetSlidesOptions({soFrame, soHideSelection});
    Repaint();
    EXPECT_EQ(At(10, Top1 + 20), ColorToRGB(Ground));

    Grid->SetFocus();
    Grid->SetSlidesOptions({soHideSelection});
    Repaint();
    EXPECT_EQ(At(1, Top1 + 20), ColorToRGB(Chosen));
    EXPECT_EQ(At(150, Top1 + 1), ColorToRGB(Chosen));
}

TEST_F(GxGridSlides, OnSlideColoringChangesTheFillAndTheLine)
{
    AddRows(3);
    Grid->SetOptions({goHeader, goGrid, goSelectFullRow});
    Select(0);
    std::vector<std::pair<int, int>> Seen; // row, state
    Grid->OnSlideColoring = [&](TObject*, int Index, TColor& Slide, TColor& GridColor, TSlideState State) {
        Seen.push_back({Index, int(State.Contains(stSelected)) + 2 * int(State.Contains(stFocused))});
        if (Index != 1) return;
        Slide = Marker;
        GridColor = clYellow;
    };
    Repaint();
    EXPECT_EQ(Seen, (std::vector<std::pair<int, int>>{{0, 3}, {1, 0}, {2, 0}}));
    EXPECT_EQ(At(10, SlideTop(1) + 10), ColorToRGB(Marker));
    EXPECT_EQ(At(10, SlideTop(1) + Size), ColorToRGB(clYellow));
    EXPECT_EQ(At(10, SlideTop(0) + Size), ColorToRGB(Lines));
}

// goGrid draws a line under each slide; ao3DGridLines a line in Color above it.
TEST_F(GxGridSlides, GridLinesFollowTheirOptions)
{
    AddRows(3);
    const auto Probe = [&](int Y) { return At(120, Y); };
    Repaint();
    EXPECT_EQ(Probe(SlideTop(1) - 1), ColorToRGB(Ground));
    EXPECT_EQ(Grid->GetGridSpace(lpTopBottom), 0);

    Grid->SetOptions({goHeader, goGrid, goSelectFullRow});
    Grid->OnSlideColoring = [](TObject*, int, TColor& Slide, TColor&, TSlideState) { Slide = clWhite; };
    Repaint();
    EXPECT_EQ(SlideTop(1), Grid->GetBodyRect().Top + Size + 1);
    EXPECT_EQ(Probe(SlideTop(1) - 1), ColorToRGB(Lines));
    EXPECT_EQ(Probe(SlideTop(1)), ColorToRGB(clWhite));

    Grid->SetAppearanceOptions({aoHideFocus, aoHighlightSlideCells, ao3DGridLines});
    Repaint();
    EXPECT_EQ(SlideTop(1), Grid->GetBodyRect().Top + Size + 3);
    EXPECT_EQ(Probe(SlideTop(1) - 2), ColorToRGB(Lines));
    EXPECT_EQ(Probe(SlideTop(1) - 1), ColorToRGB(Ground));
    EXPECT_EQ(Probe(SlideTop(1)), ColorToRGB(clWhite));

    // Without goGrid the 3-D lines have no space of their own and draw nothing.
    Grid->SetOptions({goHeader, goSelectFullRow});
    Repaint();
    EXPECT_EQ(Probe(SlideTop(1) - 1), ColorToRGB(clWhite));
    EXPECT_EQ(Probe(Grid->GetBodyRect().Top), ColorToRGB(clWhite));
}

// Each cell at its box; a caption on the left ends two pixels before it, one
// on top lies above it; both in the caption colour.
TEST_F(GxGridSlides, CellsLieAtTheirBoxesWithTheirCaptions)
{
    AddRows(2);
    Grid->SetSlideCaptionColor(Marker);
    Repaint();
    const int Top = Grid->GetSlideTop(1);
    for (int Col = 0; Col < 3; ++Col) {
        const TRect Box = Columns->GetItem(Col)->GetSlideRect();
        const TRect R(Box.Left, Top + Box.Top, Box.Right, Top + Box.Bottom);
        EXPECT_EQ(Grid->GetCellRect(Col, 1), R);
        const TColor Cell = ColorToRGB(Columns->GetItem(Col)->GetColor());
        EXPECT_EQ(At(R.Left, R.Top), Cell) << Col;
        EXPECT_EQ(At(R.Right - 1, R.Bottom - 1), Cell) << Col;
        EXPECT_EQ(At(R.Right, R.Top), ColorToRGB(Ground)) << Col;
        EXPECT_EQ(At(R.Left, R.Bottom), ColorToRGB(Ground)) << Col;
    }
    // Where the captions' ink lies, by columns and rows.
    const auto Ink = [&](const TRect& Area) {
        TRect Found(INT_MAX, INT_MAX, INT_MIN, INT_MIN);
        bool Caption = false;
        for (int Y = Area.Top; Y < Area.Bottom; ++Y)
            for (int X = Area.Left; X < Area.Right; ++X) {
                const TColor C = At(X, Y);
                if (C == ColorToRGB(Ground)) continue;
                Caption = Caption || C == ColorToRGB(Marker);
                Found = TRect(std::min(Found.Left, X), std::min(Found.Top, Y), std::max(Found.Right, X + 1),
                              std::max(Found.Bottom, Y + 1));
            }
        EXPECT_TRUE(Caption) << "no pixel in the caption colour";
        return Found;
    };
    const TRect A = Grid->GetCellRect(0, 1);
    const TRect Left = Ink(TRect(A.Left - 60, A.Top, A.Left, A.Bottom));
    EXPECT_LE(Left.Right, A.Left - 2);
    EXPECT_GT(Left.Right, A.Left - 6); // it ends at the box, not at the slide's edge
    const TRect B = Grid->GetCellRect(1, 1);
    const TRect Above = Ink(TRect(B.Left, B.Top - 20, B.Right, B.Top));
    EXPECT_LE(Above.Bottom, B.Top - 2);
    EXPECT_GE(Above.Left, B.Left + 2);
}

// Without aoHighlightSlideCells no cell shows the selection and a move
// repaints only the slides' frames; with it the cells show it.
TEST_F(GxGridSlides, HighlightingSlideCellsDecidesWhatAMoveRepaints)
{
    AddRows(4);
    Select(0);
    Grid->SetFocus();
    Repaint();
    const TRect A = Grid->GetCellRect(0, 0);
    EXPECT_EQ(At(A.Left + 2, A.Top + 2), ColorToRGB(Grid->GetSelectionColor()));
    EXPECT_TRUE(Grid->IsCellHighlighted(0, 0));

    Grid->SetAppearanceOptions({aoHideFocus});
    Grid->SetSlideSelectionColor(Ground);
    Repaint();
    EXPECT_FALSE(Grid->IsCellHighlighted(0, 0));
    EXPECT_EQ(At(A.Left + 2, A.Top + 2), ColorToRGB(Columns->GetItem(0)->GetColor()));
    const int Width = Grid->GetClientWidth();
    for (const int K : {0, 2})
        Fill(TRect(3, SlideTop(K) + 4, Width - 3, SlideTop(K) + Size - 4), Marker);
    Grid->MoveSelectionBy(2);
    PaintNow(Grid);
    for (const int K : {0, 2}) {
        EXPECT_EQ(At(10, SlideTop(K) + 20), ColorToRGB(Marker)) << K;
        EXPECT_EQ(At(3, SlideTop(K) + 3), ColorToRGB(Ground)) << K;
    }
    EXPECT_EQ(At(1, SlideTop(2) + 20), ColorToRGB(Grid->GetSelectionColor()));
    EXPECT_EQ(At(1, SlideTop(0) + 20), ColorToRGB(Ground));

    // A selected slide in a colour of its own is repainted whole.
    Grid->SetSlideSelectionColor(Chosen);
    Repaint();
    Fill(TRect(3, SlideTop(3) + 4, Width - 3, SlideTop(3) + Size - 4), Marker);
    Grid->MoveSelectionBy(1);
    PaintNow(Grid);
    EXPECT_EQ(At(10, SlideTop(3) + 20), ColorToRGB(Chosen));
    EXPECT_EQ(At(10, SlideTop(2) + 20), ColorToRGB(Ground));
}

// With IntegralHeight a slide passing the body's bottom is filled, framed
// and lined, but shows neither cells nor captions, and ends the paint.
TEST_F(GxGridSlides, ACutSlideShowsNoCells)
{
    AddRows(6);
    Grid->SetOptions({goHeader, goGrid, goSelectFullRow});
    Slides()->Integral = true;
    Select(3);
    Grid->SetFocus();
    Slides()->ResetTouched();
    Repaint();
    const int Top3 = SlideTop(3);
    ASSERT_LT(Top3, Grid->GetBodyRect().Bottom);
    ASSERT_GT(Top3 + Size, Grid->GetBodyRect().Bottom);
    for (const auto& [Col, Row] : Slides()->Drawn)
        EXPECT_LT(Row, 3) << Col;
    EXPECT_EQ(Slides()->Drawn.size(), 9u);
    const TRect B = Grid->GetCellRect(1, 3);
    EXPECT_EQ(At(B.Left + 2, B.Top + 2), ColorToRGB(Chosen));
    EXPECT_EQ(At(1, Top3 + 10), ColorToRGB(Grid->GetSelectionColor()));
    EXPECT_EQ(At(10, Top3 - 1), ColorToRGB(Lines));
}

// The header strip is painted across the width, the corner box as in the
// report view; past the columns the themed look shows an inactive header.
TEST_F(GxGridSlides, TheHeaderStripIsPaintedAcrossTheWidth)
{
    AddRows(3);
    Grid->SetOptions({goHeader, goIndicator, goSelectFullRow});
    TBitmap Report, Slide;
    Grid->SetGridStyle(gsReport);
    Repaint();
    Capture(Report);
    Grid->SetGridStyle(gsSlides);
    Fill(Grid->GetClientRect(), Marker);
    Repaint();
    Capture(Slide);
    for (int Y = 0; Y < Grid->GetHeaderSize(); ++Y) {
        EXPECT_EQ(std::memcmp(Report.GetScanLine(Y), Slide.GetScanLine(Y), 4 * 12), 0) << Y;
        for (int X = 0; X < Grid->GetClientWidth(); ++X)
            ASSERT_NE(At(X, Y), ColorToRGB(Marker)) << X << "," << Y;
    }
    const bool Themed = GxThemesSupport::IsThemed();
    EXPECT_EQ(At(280, 6) == ColorToRGB(Ground), !Themed);
}

TEST_F(GxGridSlides, AGridWithoutRowsShowsItsCaption)
{
    Grid->SetCaption(u"No extracts");
    Grid->GetFont()->SetColor(Marker);
    Repaint();
    const TRect R = Grid->GetCaptionRect();
    bool Ink = false;
    for (int Y = R.Top; Y < R.Bottom && !Ink; ++Y)
        for (int X = R.Left; X < R.Right && !Ink; ++X)
            Ink = At(X, Y) != ColorToRGB(Ground);
    EXPECT_TRUE(Ink);
    EXPECT_EQ(At(10, Grid->GetClientHeight() - 2), ColorToRGB(Ground));
}

// Switching ends the edit and leaves the input row; the horizontal bar goes.
TEST_F(GxGridSlides, SwitchingToSlidesEndsTheEditAndHidesTheHorizontalBar)
{
    AddRows(3);
    Grid->SetGridStyle(gsReport);
    Grid->SetOptions({goHeader, goInput});
    for (int Col = 0; Col < 3; ++Col)
        Columns->GetItem(Col)->SetWidth(200);
    Grid->SetSelectedRow(1);
    Grid->OpenEdit(0);
    Grid->SetInputSelected(true);
    ASSERT_TRUE(Grid->GetGridState().Contains(gtEdit));
    ASSERT_TRUE(Grid->GetHorzScrollBar()->GetVisible());
    Grid->SetGridStyle(gsSlides);
    EXPECT_EQ(Grid->EditLog, (std::vector<std::string>{"apply A", "end"}));
    EXPECT_FALSE(Grid->GetHorzScrollBar()->GetVisible());
    EXPECT_FALSE(Grid->GetInputSelected());
    // The columns start at the body's left edge in either view.
    Grid->SetOptions({goHeader, goIndicator});
    EXPECT_EQ(Columns->GetItem(0)->GetLeft(), 0);
    Grid->SetGridStyle(gsReport);
    EXPECT_EQ(Columns->GetItem(0)->GetLeft(), 12);
    Grid->SetGridStyle(gsSlides);
    EXPECT_EQ(Columns->GetItem(0)->GetLeft(), 0);
}

TEST_F(GxGridSlides, ASlideChangeRepaintsAll)
{
    AddRows(3);
    PaintNow(Grid);
    Columns->GetItem(2)->GetSlideBounds()->SetTop(3);
    TRect Pending;
    GetUpdateRect(Grid->GetHandle(), &Pending, false);
    EXPECT_EQ(Pending, Grid->GetClientRect());
}

// A move down scrolls a step once the selected slide reaches the body's bottom.
TEST_F(GxGridSlides, AMoveDownScrollsAtTheBodysBottom)
{
    AddRows(10);
    Select(0);
    auto* Vert = Grid->GetVertScrollBar();
    std::vector<int> Positions;
    for (int Step = 0; Step < 4; ++Step) {
        Grid->MoveSelectionDown({}, false);
        Positions.push_back(Vert->GetPosition());
    }
    // Slides of 50 in a body of 182: the fourth reaches its bottom.
    EXPECT_EQ(Positions, (std::vector<int>{0, 0, 1, 2}));
    EXPECT_EQ(Grid->GetFirstRowInView(), 2);
}

TEST_F(GxGridSlides, RefreshSelectedSlidesRepaintsTheSelectedInView)
{
    AddRows(10);
    Grid->SetSelected(0, true);
    Grid->SetSelected(2, true);
    Grid->SetSelected(8, true);
    Repaint();
    const int Width = Grid->GetClientWidth();
    Fill(TRect(0, Grid->GetBodyRect().Top, Width, Grid->GetClientHeight()), Marker);
    Grid->RefreshSelectedSlides();
    PaintNow(Grid);
    EXPECT_EQ(At(10, SlideTop(0) + 20), ColorToRGB(Ground));
    EXPECT_EQ(At(10, SlideTop(1) + 20), ColorToRGB(Marker));
    EXPECT_EQ(At(10, SlideTop(2) + 20), ColorToRGB(Ground));
}

// A paint of a million slides with a hidden block among them asks about no
// more rows than the view holds, plus one; a SlideSize of 0, ignored, does
// not make it walk them all.
TEST_F(GxGridSlides, APaintAsksOnlyAboutTheSlidesInView)
{
    Grid->AddRow(1000000);
    Grid->BeginUpdate();
    for (int Row = 2; Row < 999002; ++Row)
        Grid->SetRowVisible(Row, false);
    Grid->EndUpdate();
    Grid->SetSlideSize(0);
    Repaint();
    Slides()->ResetTouched();
    Repaint();
    const int InView = 4; // 182 pixels of slides 50 high
    std::set<int> Rows;
    for (const auto& Cell : Slides()->Drawn)
        Rows.insert(Cell.second);
    EXPECT_EQ(Rows, (std::set<int>{0, 1, 999002, 999003}));
    EXPECT_LE(Slides()->Calls.All(), InView + 1);
}

// After scrolls and selection moves the screen is what a full repaint paints.
TEST_F(GxGridSlides, EveryChangeRepaintsAsAWholeRepaintWould)
{
    Grid->SetOptions({goHeader, goGrid, goIndicator, goSelectFullRow});
    Grid->SetAppearanceOptions({aoHideFocus, ao3DGridLines});
    AddRows(60);
    Grid->SetFocus();
    Select(1);
    Repaint();
    auto* Vert = Grid->GetVertScrollBar();
    for (const bool Highlight : {false, true}) {
        Grid->SetAppearanceOptions(Highlight ? TAppearanceOptions{aoHideFocus, ao3DGridLines, aoHighlightSlideCells}
                                             : TAppearanceOptions{aoHideFocus, ao3DGridLines});
        for (const int Rows : {1, 2, 10, -10, -2, -1})
            ExpectRepaintedAsWhole("scrolled", [&] { Vert->SetPosition(Vert->GetPosition() + Rows); });
        ExpectRepaintedAsWhole("row selected", [&] { Grid->SetSelectedRow(Grid->GetFirstRowInView() + 1); });
        ExpectRepaintedAsWhole("moved down", [&] { Grid->MoveSelectionDown({}, false); });
        ExpectRepaintedAsWhole("moved down", [&] { Grid->MoveSelectionDown({}, false); });
        ExpectRepaintedAsWhole("moved up", [&] { Grid->MoveSelectionUp({}); });
        ExpectRepaintedAsWhole("moved by 5", [&] { Grid->MoveSelectionBy(5); });
        ExpectRepaintedAsWhole("slides smaller", [&] { Grid->SetSlideSize(Size - 9); });
        ExpectRepaintedAsWhole("slides larger", [&] { Grid->SetSlideSize(Size); });
    }
}

// The look, for a person to judge: captions both ways, a selected and
// focused slide, 3-D lines.
TEST_F(GxGridSlides, Sheet)
{
    Form->SetClientWidth(420);
    Form->SetClientHeight(300);
    Grid->SetBounds(0, 0, 420, 300);
    Grid->SetColor(clWindow);
    Grid->SetGridLinesColor(clSilver);
    Grid->SetSlideSelectionColor(TColor(0xFFF0E0));
    Grid->SetOptions({goHeader, goGrid, goIndicator, goSelectFullRow});
    Grid->SetAppearanceOptions({ao3DGridLines});
    // Text columns, so the cells show their values.
    for (int Col = 0; Col < 3; ++Col) {
        TGxCustomColumn* Old = Columns->GetItem(Col);
        TGxCustomColumn* Text =
            Columns->Add(GxColumns::ColumnClass<GxColumnClasses::TGxTextColumn>, Utf8ToWide(Old->GetName()));
        Text->SetName(Old->GetName());
        Text->GetSlideBounds()->Assign(Old->GetSlideBounds());
        Text->SetSlideCaption(Old->GetSlideCaption());
        Text->SetSlideCaptionLocation(Old->GetSlideCaptionLocation());
    }
    for (int Col = 0; Col < 3; ++Col)
        Columns->Delete(0);
    Columns->GetItem(2)->SetSlideCaption("Line");
    Columns->GetItem(2)->GetSlideBounds()->SetLeft(300);
    AddRows(8);
    Grid->SetFocus();
    Select(1);
    Repaint();
    EXPECT_EQ(At(1, SlideTop(1) + 20), ColorToRGB(Grid->GetSelectionColor()));
    SaveSheet("SlidesSheet");
}

} // namespace
