// Pixel probes on the grid's backing image (fixed palette, points away from
// text) and what the repaint requests ask for.
#include "GridTestFixture.h"
#include "PaintGrid.h"
#include "PaintProbes.h"
#include "grid/shared/GxSharedDraw.h"
#include "grid/shared/GxThemesSupport.h"
#include "platform/win/WinUser.h"

#include <functional>
#include <tuple>

namespace {

using namespace GridStorage;
using namespace platform::test;
using ColumnFixtures::TTestDisplay;

constexpr TColor Ground = TColor(0x302010); // the grid's Color
constexpr TColor Lines = TColor(0x00A000);
constexpr TColor Marker = TColor(0x0000FF);

class GxGridPaint : public TGridTest {
protected:
    TStorageGrid* MakeGrid(TComponent* AOwner) override { return New<TPaintGrid>(AOwner); }
    void SetUp() override
    {
        TGridTest::SetUp();
        Paint = static_cast<TPaintGrid*>(Grid);
        Grid->SetColor(Ground);
        Grid->SetGridLinesColor(Lines);
        for (int Col = 0; Col < Columns->GetCount(); ++Col)
            Columns->GetItem(Col)->SetColor(clWindow);
    }
    TColor At(int X, int Y) { return PixelAt(Grid, X, Y); }
    // Probes at points, each expected in a colour.
    void Expect(std::initializer_list<std::tuple<int, int, TColor>> Probes)
    {
        for (const auto& [X, Y, Color] : Probes)
            EXPECT_EQ(At(X, Y), ColorToRGB(Color)) << "at " << X << "," << Y;
    }
    void Repaint() { RepaintWhole(Grid); }
    void Select(int ARow) { SelectRow(Grid, ARow); }
    // What waits to be painted since the last call.
    TRect TakeUpdate()
    {
        TRect R;
        GetUpdateRect(Grid->GetHandle(), &R, false);
        ValidateRect(Grid->GetHandle(), nullptr);
        return R;
    }
    // The pixel at P when the grid's style display draws on a picture of its own.
    TColor Drawn(const std::function<void(TStyleDisplay*)>& Draw, TPoint P)
    {
        TBitmap Picture;
        Picture.SetSize(Grid->GetClientWidth(), Grid->GetClientHeight());
        TStyleDisplay* Style = Grid->GetStyleDisplay();
        Style->SetCanvas(Picture.GetCanvas());
        Picture.GetCanvas()->GetFont()->Assign(Grid->GetFont());
        Draw(Style);
        Style->SetCanvas(Grid->GetCanvas());
        return Picture.GetCanvas()->GetPixels(P.X, P.Y);
    }
    TTestDisplay* DisplayOf(int ACol) { return static_cast<TTestDisplay*>(Columns->GetItem(ACol)->GetDisplay()); }

    TPaintGrid* Paint = nullptr;
};

TEST_F(GxGridPaint, TheMainWindowsGridHighlightsTheSelectedRowOnlyWhileFocused)
{
    Grid->SetOptions({goHeader, goSelectFullRow});
    Grid->SetAppearanceOptions({aoHideFocus, aoHideSelection});
    AddRows(5);
    Select(2);
    Repaint();
    // Rows of 16 under an 18-pixel header, the space below them and right of the columns.
    Expect({{40, 18, clWindow}, {200, 65, clWindow}, {200, 97, clWindow}, {40, 98, Ground}, {270, 40, Ground}});
    Grid->SetFocus();
    Repaint(); // no focus frame on the selected row's edges
    Expect({{1, 50, clHighlight}, {239, 65, clHighlight}, {120, 49, clWindow}, {120, 66, clWindow}});
    // Without aoHideSelection an unfocused grid shows it in the inactive colour.
    Grid->SetAppearanceOptions({aoHideFocus});
    auto* Other = New<TProbeControl>(Form);
    Other->SetParent(Form);
    Other->SetFocus();
    Repaint();
    Expect({{120, 58, clBtnFace}});
}

TEST_F(GxGridPaint, EachGridLineStyleDrawsItsLines)
{
    AddRows(5);
    const TColor W = clWindow, G = Lines, Hi = clBtnHighlight, S = Ground;
    // Rows 17 apart from 18 when lines run below them; the first empty row at 103.
    const std::tuple<TGridLinesStyle, bool, std::vector<std::tuple<int, int, TColor>>> Cases[] = {
        {lsNormal, false, {{79, 25, G}, {40, 34, G}, {40, 25, W}, {79, 110, G}, {40, 119, G}}},
        {lsActiveRows, false, {{79, 25, G}, {40, 34, G}, {79, 110, S}, {40, 119, S}}},
        {lsActiveHorzOnly, false, {{79, 25, W}, {40, 34, G}, {40, 119, S}}},
        {lsHorizontalOnly, false, {{79, 25, W}, {40, 34, G}, {40, 119, G}}},
        {lsVerticalOnly, false, {{79, 25, G}, {40, 33, W}, {40, 34, W}}},
        {lsFramed, false, {{79, 25, G}, {239, 25, clBlack}, {40, 85, G}, {40, 102, clBlack}, {239, 110, G}}},
        {lsNormal, true, {{40, 18, Hi}, {0, 25, Hi}, {79, 25, G}, {40, 35, G}, {40, 36, Hi}, {40, 25, W}}},
    };
    for (const auto& [Style, Lines3D, Probes] : Cases) {
        Grid->SetOptions({goHeader, goGrid});
        Grid->SetGridLinesStyle(Style);
        Grid->SetAppearanceOptions(Lines3D ? TAppearanceOptions{ao3DGridLines} : TAppearanceOptions{});
        Repaint();
        for (const auto& [X, Y, Color] : Probes)
            EXPECT_EQ(At(X, Y), ColorToRGB(Color)) << "style " << Style << " 3D " << Lines3D << " at " << X << "," << Y;
    }
}

TEST_F(GxGridPaint, SortedColumnsSelectionColoursAndTheFocusFrame)
{
    Grid->SetOptions({goHeader, goSelectFullRow});
    AddRows(5);
    Select(1);
    Grid->SetFocus();
    TGxCustomColumn* B = Columns->GetItem(1);
    B->SetColor(TColor(0xD0E0F0));
    B->SetSorted(true);
    const TColor Darker = GxSharedDraw::BlendColor(clBlack, TColor(0xD0E0F0), 10);
    Grid->SetSortedStyle(soDarker); // selected cells and the space below are not darkened
    Repaint();
    Expect({{120, 25, Darker}, {40, 25, clWindow}, {120, 41, clHighlight}, {120, 103, Ground}});
    Grid->SetSortedStyle(soWhite);
    Repaint();
    Expect({{120, 25, clWhite}});
    Grid->SetSortedStyle(soDefault);
    Grid->SetAppearanceOptions({aoIndicateSortedColumn}); // the space below as well
    Repaint();
    Expect({{120, 25, Darker},
            {120, 41, clHighlight},
            {120, 103, GxSharedDraw::BlendColor(clBlack, Ground, 10)},
            {40, 103, Ground}});
    // The blended selection and its solid frame, across the columns or on the cell.
    const TColor Blend = GxSharedDraw::BlendColor(clWindow, clHighlight, 0.25);
    Grid->SetAppearanceOptions({aoAlphaBlendedSelection});
    Repaint();
    Expect({{0, 40, clHighlight},
            {239, 40, clHighlight},
            {40, 34, clHighlight},
            {40, 49, clHighlight},
            {40, 41, Blend},
            {245, 41, Ground}});
    Grid->SetOptions({goHeader});
    Grid->SetSelectedColumn(0);
    Repaint();
    Expect({{0, 40, clHighlight}, {79, 40, clHighlight}, {40, 41, Blend}, {120, 41, TColor(0xD0E0F0)}});
}

TEST_F(GxGridPaint, PartsStandWhereTheStyleDisplayDrawsThem)
{
    Grid->SetOptions({goHeader, goIndicator, goInput, goFooter, goGrid});
    AddRows(5);
    Grid->SetSelectedRow(1);
    Repaint();
    TGxCustomColumn* A = Columns->GetItem(0);
    // Input row 18..41, body from 41 (rows 17 apart), footer from 175.
    const auto Same = [this](TPoint P, const std::function<void(TStyleDisplay*)>& Draw) {
        EXPECT_EQ(At(P.X, P.Y), Drawn(Draw, P)) << "at " << P.X << "," << P.Y;
    };
    const auto Box = [](const TRect& R, TBoxLocation L) {
        return [R, L](TStyleDisplay* S) { S->DrawCornerBox(R, L); };
    };
    const TRect FooterBox(0, 175, 12, 198);
    ASSERT_NE(Drawn(Box(FooterBox, bpBottom), {5, 175}), Drawn(Box(FooterBox, bpAlone), {5, 175}));
    Same({5, 175}, Box(FooterBox, bpBottom));
    Same({5, 5}, Box(TRect(0, 0, 12, 18), bpAlone));
    Same({5, 30}, Box(TRect(0, 18, 12, 41), bpAlone));
    Same({50, 38}, [](TStyleDisplay* S) { S->DrawAreaSplitter(TRect(12, 35, 252, 41)); });
    Same({50, 177}, [](TStyleDisplay* S) { S->DrawAreaSplitter(TRect(12, 175, 252, 179)); });
    Same({89, 3}, [A](TStyleDisplay* S) { S->DrawHeader(A, A->GetMemberRect(ckHeader)); });
    Same({15, 20}, [A](TStyleDisplay* S) { S->DrawInput(A, A->GetMemberRect(ckInput), true, false, false); });
    Same({91, 190}, [A](TStyleDisplay* S) { S->DrawFooter(A, A->GetMemberRect(ckFooter), true); });
    // The selected row's indicator, and the one above it.
    for (const auto& [Row, Y] : {std::pair{1, 66}, std::pair{0, 49}})
        for (int X = 0; X < 12; ++X)
            Same({X, Y}, [Row = Row](TStyleDisplay* S) {
                const TRect R(0, 41 + 17 * Row, 12, 58 + 17 * Row);
                S->DrawIndicator(R, Row);
                S->DrawIndicatorState(R, Row == 1, Row == 1);
            });
}

TEST_F(GxGridPaint, HintMarksDrawingOptionsAndTheCellEvents)
{
    AddRows(5);
    Grid->SetAppearanceOptions({aoHintMarks});
    Grid->OnCellHint = [](TObject*, int ACol, int ARow, WideString& Value) {
        if (ACol == 1 && ARow == 1) Value = u"hint";
    };
    int Custom = 0;
    Grid->OnCustomDrawCell = [&](TObject*, int, int, const TRect&, TCellState) { ++Custom; };
    Grid->OnCellColoring = [](TObject*, int ACol, int ARow, TColor& CellColor, TColor&, TCellState) {
        if (ACol == 0 && ARow == 2) CellColor = Marker;
    };
    TRect Background;
    Grid->OnDrawCellBackground = [&](TObject*, int ACol, int ARow, const TRect& R, TCellState, bool& Default) {
        if (ACol != 1 || ARow != 3) return;
        Background = R;
        Default = false;
        Grid->GetCanvas()->GetBrush()->SetColor(clYellow);
        Grid->GetCanvas()->FillRect(R);
    };
    Repaint();
    Expect({{158, 35, clRed}, {158, 19, clWindow}, {40, 58, Marker}, {120, 74, clYellow}});
    EXPECT_EQ(Background, TRect(80, 66, 160, 82));
    EXPECT_EQ(Custom, 0);
    // Background only: no data but the custom drawing; custom only: neither fill nor data.
    Columns->GetItem(0)->SetDrawingOptions(doBackgroundOnly);
    Columns->GetItem(2)->SetDrawingOptions(doCustomOnly);
    Columns->GetItem(2)->SetColor(clAqua);
    const int PaintsA = DisplayOf(0)->Paints, PaintsB = DisplayOf(1)->Paints, PaintsC = DisplayOf(2)->Paints;
    Repaint();
    EXPECT_EQ(DisplayOf(0)->Paints, PaintsA);
    EXPECT_EQ(DisplayOf(1)->Paints, PaintsB + 5);
    EXPECT_EQ(DisplayOf(2)->Paints, PaintsC);
    EXPECT_EQ(Custom, 2 * 5);
    Expect({{40, 25, clWindow}, {200, 25, clWindow}});
}

TEST_F(GxGridPaint, TheEditorsRectangleIsLeftUnpainted)
{
    AddRows(5);
    Repaint();
    Paint->EditCellAt(1, 2);
    TCanvas* Canvas = Grid->GetCanvas();
    Canvas->GetBrush()->SetColor(Marker);
    Canvas->FillRect(TRect(80, 50, 160, 66));
    Grid->OnCellColoring = [](TObject*, int, int, TColor& CellColor, TColor&, TCellState) { CellColor = clLime; };
    Grid->RefreshCell(1, 2);
    PaintNow(Grid);
    Expect({{120, 58, Marker},
            {81, 51, Marker},
            {80, 58, clLime},
            {158, 58, clLime},
            {120, 50, clLime},
            {120, 65, clLime}});
}

TEST_F(GxGridPaint, TheCaptionIsCentredOnAnEmptyGridAndTheBorderThemedWithVisualStyles)
{
    Grid->SetCaption(u"Nothing found yet");
    Repaint();
    // The text's extent in the band under the caption, symmetric within 2 pixels.
    int Low = 1000, High = -1;
    for (int Y = 19; Y < 19 + 13; ++Y)
        for (int X = 0; X < Grid->GetClientWidth(); ++X)
            if (At(X, Y) != ColorToRGB(Ground)) Low = std::min(Low, X), High = std::max(High, X);
    ASSERT_LT(Low, High);
    EXPECT_LE(std::abs(Low + High + 1 - Grid->GetClientWidth()), 4) << Low << ".." << High;
    const TColor Themed = At(-1, 50);
    Grid->SetEnableVisualStyles(false);
    const TColor Classic = At(-1, 50);
    EXPECT_EQ(Classic, ColorToRGB(clBtnShadow));
    EXPECT_EQ(Themed != Classic, GxThemesSupport::IsThemed());
    AddRows(1); // a row takes the caption away
    Repaint();
    for (int X = Low; X <= High; ++X)
        EXPECT_EQ(At(X, 25), ColorToRGB(clWindow)) << X;
}

TEST_F(GxGridPaint, EachRefreshAsksForItsRectangleInViewOnly)
{
    Grid->SetOptions({goHeader, goGrid, goIndicator});
    AddRows(30);
    Select(2);
    Repaint();
    TGxCustomColumn* B = Columns->GetItem(1);
    const int CW = Grid->GetClientWidth(), CH = Grid->GetClientHeight();
    // Columns from 12, 80 wide; rows 17 apart from 18; 11 rows painted.
    const std::pair<std::function<void()>, TRect> Cases[] = {
        {[&] { Grid->RefreshCell(1, 2); }, TRect(92, 52, 173, 69)},
        {[&] { Grid->RefreshRow(2, false); }, TRect(0, 52, 252, 69)},
        {[&] { Grid->RefreshIndicator(2); }, TRect(0, 52, 12, 69)},
        {[&] { Grid->RefreshRange(3, 1); }, TRect(0, 35, 252, 86)},
        {[&] { Grid->RefreshRowGrid(2); }, TRect(0, 68, 252, 69)},
        {[&] { Grid->RefreshColumn(B, gaHeader); }, TRect(92, 0, 172, 18)},
        {[&] { Grid->RefreshArea(gaIndicator); }, TRect(0, 0, 12, CH)},
        {[&] { Grid->RefreshFromColumn(B); }, TRect(92, 0, CW, CH)},
        {[&] { Grid->RefreshSelectedCells(); }, TRect(12, 52, 93, 69)},
        {[&] { Grid->RefreshArea(gaFooter); }, TRect()},
        {[&] { Grid->RefreshCell(0, 29); }, TRect()},
        {[&] { Grid->RefreshRange(20, 29); }, TRect()},
        {[&] { Grid->RefreshRange(8, 29); }, TRect(0, 154, 252, CH)},
    };
    for (std::size_t I = 0; I < std::size(Cases); ++I) {
        TakeUpdate();
        Cases[I].first();
        EXPECT_EQ(TakeUpdate(), Cases[I].second) << "case " << I;
    }
    // Rows above the view are out of it; a frame repaints only the frame,
    // unless the inside waited to be painted anyway.
    Grid->GetVertScrollBar()->SetPosition(5);
    PaintNow(Grid);
    TakeUpdate();
    Grid->RefreshCell(0, 2);
    EXPECT_EQ(TakeUpdate(), TRect());
    Grid->RefreshRange(0, 6);
    EXPECT_EQ(TakeUpdate(), TRect(0, 18, 252, 52));
    TCanvas* Canvas = Grid->GetCanvas();
    Canvas->GetBrush()->SetColor(Marker);
    Canvas->FillRect(TRect(0, 35, 252, 52));
    Grid->RefreshRow(6, true);
    Expect({{100, 35, clWindow}, {100, 40, Marker}});
    InvalidateRect(Grid->GetHandle(), nullptr, false);
    Grid->RefreshRow(6, true);
    Expect({{100, 40, clWindow}});
}

TEST_F(GxGridPaint, AMillionRowsCostWhatTheViewCosts)
{
    Grid->SetOptions({goHeader, goSelectFullRow, goIndicator});
    Grid->SetAppearanceOptions({});
    Grid->AddRow(1000000);
    Grid->SetFocus();
    Select(999999); // its focus frame is never looked for
    Grid->GetVertScrollBar()->SetPosition(500000);
    const int First = Grid->GetFirstRowInView();
    const int InView = Grid->GetVisibleCount(false);
    Paint->ResetTouched();
    Repaint();
    EXPECT_GE(Paint->LowRow, First);
    EXPECT_LE(Paint->HighRow, First + InView + 1);
    EXPECT_GE(Paint->Drawn.size(), 3u * InView);
    EXPECT_LE(Paint->Drawn.size(), 3u * (InView + 1));
    // A refresh of the last row with the top in view asks only about the view.
    Grid->GetVertScrollBar()->SetPosition(0);
    PaintNow(Grid);
    Paint->ResetTouched();
    Grid->RefreshRow(999999, false);
    Grid->RefreshCell(0, 999999);
    Grid->RefreshIndicator(999999);
    Grid->RefreshRange(0, 999999);
    Grid->RefreshVisibleRows(999990, 999999);
    EXPECT_LE(Paint->HighRow, InView + 1);
    EXPECT_LE(Paint->Calls.All(), 20 * (InView + 2)); // a few walks over the view
    // A cell's repaint draws it and at most the neighbours sharing its lines.
    PaintNow(Grid);
    Paint->ResetTouched();
    Grid->RefreshCell(0, 3);
    PaintNow(Grid);
    EXPECT_TRUE(Paint->Drawn.count({0, 3}));
    for (const auto& [Col, Row] : Paint->Drawn)
        EXPECT_TRUE(Col <= 1 && std::abs(Row - 3) <= 1) << Col << "," << Row;
}

} // namespace
