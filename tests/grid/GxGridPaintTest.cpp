// Pixel probes on the grid's backing image (fixed palette, points away from
// text) and what the repaint requests ask for.
#include "GridTestFixture.h"
#include "PaintGrid.h"
#include "grid/shared/GxSharedDraw.h"
#include "grid/shared/GxThemesSupport.h"
#include "platform/win/WinUser.h"

#include <functional>

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
    void Repaint()
    {
        InvalidateRect(Grid->GetHandle(), nullptr, false);
        PaintNow(Grid);
    }
    void Select(int ARow)
    {
        Grid->SetSelected(ARow, true);
        Grid->SetSelectedRow(ARow);
    }
    void Focus()
    {
        Grid->SetFocus();
        ASSERT_TRUE(Grid->Focused());
    }
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

TColor RGBOf(TColor C)
{
    return ColorToRGB(C);
}

TEST_F(GxGridPaint, TheMainWindowsGridHighlightsTheSelectedRowOnlyWhileFocused)
{
    Grid->SetOptions({goHeader, goSelectFullRow});
    Grid->SetAppearanceOptions({aoHideFocus, aoHideSelection});
    AddRows(5);
    Select(2);
    Repaint();
    // Rows of 16 under an 18-pixel header; the selected one plain without the focus.
    for (int Row = 0; Row < 5; ++Row) {
        EXPECT_EQ(At(40, 18 + 16 * Row), RGBOf(clWindow)) << Row;
        EXPECT_EQ(At(200, 18 + 16 * Row + 15), RGBOf(clWindow)) << Row;
    }
    EXPECT_EQ(At(40, 18 + 16 * 5), RGBOf(Ground));                 // below the rows
    EXPECT_EQ(At(Grid->GetClientWidth() - 5, 100), RGBOf(Ground)); // right of the columns
    Focus();
    Repaint();
    EXPECT_EQ(At(1, 50), RGBOf(clHighlight)); // no focus frame on its edge
    EXPECT_EQ(At(239, 65), RGBOf(clHighlight));
    EXPECT_EQ(At(120, 49), RGBOf(clWindow));
    EXPECT_EQ(At(120, 66), RGBOf(clWindow));
    EXPECT_EQ(At(245, 58), RGBOf(Ground));
    // Without aoHideSelection an unfocused grid keeps it in the inactive colour.
    Grid->SetAppearanceOptions({aoHideFocus});
    auto* Other = New<TProbeControl>(Form);
    Other->SetParent(Form);
    Other->SetFocus();
    ASSERT_FALSE(Grid->Focused());
    Repaint();
    EXPECT_EQ(At(120, 58), RGBOf(clBtnFace));
}

TEST_F(GxGridPaint, EachGridLineStyleDrawsItsLines)
{
    AddRows(5);
    const TColor W = RGBOf(clWindow), G = RGBOf(Lines), Hi = RGBOf(clBtnHighlight), Sp = RGBOf(Ground);
    struct TProbe {
        int X, Y;
        TColor Color;
    };
    struct TCase {
        TGridLinesStyle Style;
        bool Lines3D;
        std::vector<TProbe> Probes;
    };
    // Rows 17 apart from 18 when lines run below them; the first empty row at 103.
    const TCase Cases[] = {
        {lsNormal, false, {{79, 25, G}, {40, 34, G}, {40, 25, W}, {79, 110, G}, {40, 119, G}}},
        {lsActiveRows, false, {{79, 25, G}, {40, 34, G}, {79, 110, Sp}, {40, 119, Sp}}},
        {lsActiveHorzOnly, false, {{79, 25, W}, {40, 34, G}, {40, 119, Sp}}},
        {lsHorizontalOnly, false, {{79, 25, W}, {40, 34, G}, {40, 119, G}}},
        {lsVerticalOnly, false, {{79, 25, G}, {40, 33, W}, {40, 34, W}}},
        {lsFramed, false, {{79, 25, G}, {239, 25, clBlack}, {40, 85, G}, {40, 102, clBlack}, {239, 110, G}}},
        {lsNormal, true, {{40, 18, Hi}, {0, 25, Hi}, {79, 25, G}, {40, 35, G}, {40, 36, Hi}, {40, 25, W}}},
    };
    for (const TCase& C : Cases) {
        Grid->SetOptions({goHeader, goGrid});
        Grid->SetGridLinesStyle(C.Style);
        Grid->SetAppearanceOptions(C.Lines3D ? TAppearanceOptions{ao3DGridLines} : TAppearanceOptions{});
        Repaint();
        for (const TProbe& P : C.Probes)
            EXPECT_EQ(At(P.X, P.Y), P.Color)
                << "style " << C.Style << (C.Lines3D ? " 3D" : "") << " at " << P.X << "," << P.Y;
    }
}

TEST_F(GxGridPaint, SortedColumnsAndTheBlendedSelection)
{
    Grid->SetOptions({goHeader, goSelectFullRow});
    AddRows(5);
    Select(1);
    Focus();
    TGxCustomColumn* B = Columns->GetItem(1);
    B->SetColor(TColor(0xD0E0F0));
    B->SetSorted(true);
    const TColor Darker = GxSharedDraw::BlendColor(clBlack, TColor(0xD0E0F0), 10);
    const int Row0 = 25, Row1 = 41, Empty = 18 + 16 * 5 + 5;
    Grid->SetSortedStyle(soDarker);
    Repaint();
    EXPECT_EQ(At(120, Row0), Darker);
    EXPECT_EQ(At(40, Row0), RGBOf(clWindow));
    EXPECT_EQ(At(120, Row1), RGBOf(clHighlight)); // a selected cell is not darkened
    EXPECT_EQ(At(120, Empty), RGBOf(Ground));
    Grid->SetSortedStyle(soWhite);
    Repaint();
    EXPECT_EQ(At(120, Row0), RGBOf(clWhite));
    // aoIndicateSortedColumn darkens the empty space as well.
    Grid->SetSortedStyle(soDefault);
    Grid->SetAppearanceOptions({aoIndicateSortedColumn});
    Repaint();
    EXPECT_EQ(At(120, Row0), Darker);
    EXPECT_EQ(At(120, Row1), RGBOf(clHighlight));
    EXPECT_EQ(At(120, Empty), GxSharedDraw::BlendColor(clBlack, Ground, 10));
    EXPECT_EQ(At(40, Empty), RGBOf(Ground));
    Grid->SetAppearanceOptions({aoAlphaBlendedSelection, aoHideFocus});
    Repaint();
    EXPECT_EQ(At(40, Row1), GxSharedDraw::BlendColor(clWindow, clHighlight, 0.25));
}

TEST_F(GxGridPaint, TheFocusFrameLiesOnTheCellOrAcrossTheColumns)
{
    AddRows(5);
    Grid->SetAppearanceOptions({aoAlphaBlendedSelection}); // a solid frame in the highlight colour
    const TColor Frame = RGBOf(clHighlight), Inside = GxSharedDraw::BlendColor(clWindow, clHighlight, 0.25);
    Grid->SetOptions({goHeader});
    Grid->SetSelectedColumn(1);
    Grid->SetSelectedRow(2);
    Focus();
    Repaint();
    for (const TPoint P : {TPoint(80, 50), TPoint(159, 50), TPoint(80, 65), TPoint(159, 60)})
        EXPECT_EQ(At(P.X, P.Y), Frame) << P.X << "," << P.Y;
    EXPECT_EQ(At(120, 58), Inside);
    EXPECT_EQ(At(40, 58), RGBOf(clWindow));
    Grid->SetOptions({goHeader, goSelectFullRow});
    Select(2);
    Repaint();
    for (const TPoint P : {TPoint(0, 58), TPoint(239, 58), TPoint(120, 50), TPoint(120, 65)})
        EXPECT_EQ(At(P.X, P.Y), Frame) << P.X << "," << P.Y;
    EXPECT_EQ(At(120, 58), Inside);
    EXPECT_EQ(At(245, 58), RGBOf(Ground));
}

TEST_F(GxGridPaint, PartsStandWhereTheStyleDisplayDrawsThem)
{
    Grid->SetOptions({goHeader, goIndicator, goInput, goFooter, goGrid});
    AddRows(5);
    Grid->SetSelectedRow(1);
    Repaint();
    TGxCustomColumn* A = Columns->GetItem(0);
    // Input row 18..41, body from 41 (rows 17 apart), footer from 175.
    const TRect HeaderBox(0, 0, 12, 18), InputBox(0, 18, 12, 41), FooterBox(0, 175, 12, 198);
    const auto Box = [&](const TRect& R, TBoxLocation L) {
        return [R, L](TStyleDisplay* S) { S->DrawCornerBox(R, L); };
    };
    ASSERT_NE(Drawn(Box(FooterBox, bpBottom), {5, 175}), Drawn(Box(FooterBox, bpAlone), {5, 175}));
    for (const TPoint P : {TPoint(5, 175), TPoint(0, 180), TPoint(5, 176)})
        EXPECT_EQ(At(P.X, P.Y), Drawn(Box(FooterBox, bpBottom), P)) << "footer box " << P.X << "," << P.Y;
    for (const TPoint P : {TPoint(0, 0), TPoint(5, 5), TPoint(11, 17)})
        EXPECT_EQ(At(P.X, P.Y), Drawn(Box(HeaderBox, bpAlone), P)) << "header box " << P.X << "," << P.Y;
    for (const TPoint P : {TPoint(0, 18), TPoint(5, 30), TPoint(11, 40)})
        EXPECT_EQ(At(P.X, P.Y), Drawn(Box(InputBox, bpAlone), P)) << "input box " << P.X << "," << P.Y;
    const auto Splitter = [](const TRect& R) { return [R](TStyleDisplay* S) { S->DrawAreaSplitter(R); }; };
    EXPECT_EQ(At(50, 38), Drawn(Splitter(TRect(12, 35, 252, 41)), {50, 38}));
    EXPECT_EQ(At(50, 177), Drawn(Splitter(TRect(12, 175, 252, 179)), {50, 177}));
    const TRect Header = A->GetMemberRect(ckHeader), Input = A->GetMemberRect(ckInput);
    const TRect Footer = A->GetMemberRect(ckFooter);
    EXPECT_EQ(At(89, 3), Drawn([&](TStyleDisplay* S) { S->DrawHeader(A, Header); }, {89, 3}));
    EXPECT_EQ(At(15, 20), Drawn([&](TStyleDisplay* S) { S->DrawInput(A, Input, true, false, false); }, {15, 20}));
    EXPECT_EQ(At(91, 190), Drawn([&](TStyleDisplay* S) { S->DrawFooter(A, Footer, true); }, {91, 190}));
    // The selected row's indicator (rows 17 apart from 41), the row above it plain.
    const auto Indicator = [](int Row, bool Selected) {
        const TRect R(0, 41 + 17 * Row, 12, 41 + 17 * Row + 17);
        return [R, Row, Selected](TStyleDisplay* S) {
            S->DrawIndicator(R, Row);
            S->DrawIndicatorState(R, Selected, Selected);
        };
    };
    for (int X = 0; X < 12; ++X) {
        EXPECT_EQ(At(X, 66), Drawn(Indicator(1, true), {X, 66})) << X;
        EXPECT_EQ(At(X, 49), Drawn(Indicator(0, false), {X, 49})) << X;
    }
}

TEST_F(GxGridPaint, HintMarksDrawingOptionsAndTheCellEvents)
{
    AddRows(5);
    Grid->SetAppearanceOptions({aoHintMarks});
    Grid->OnCellHint = [](TObject*, int ACol, int ARow, WideString& Value) {
        if (ACol == 1 && ARow == 1) Value = u"hint";
    };
    std::vector<std::string> Custom;
    Grid->OnCustomDrawCell = [&](TObject*, int ACol, int ARow, const TRect&, TCellState) {
        Custom.push_back(std::to_string(ACol) + "," + std::to_string(ARow));
    };
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
    EXPECT_EQ(At(158, 35), RGBOf(clRed)); // the mark in the top-right corner
    EXPECT_EQ(At(158, 19), RGBOf(clWindow));
    EXPECT_EQ(At(40, 58), RGBOf(Marker));
    EXPECT_EQ(Background, TRect(80, 66, 160, 82));
    EXPECT_EQ(At(120, 74), RGBOf(clYellow));
    EXPECT_TRUE(Custom.empty());
    // Background only: no data and the custom drawing; custom only: neither fill nor data.
    Columns->GetItem(0)->SetDrawingOptions(doBackgroundOnly);
    Columns->GetItem(2)->SetDrawingOptions(doCustomOnly);
    Columns->GetItem(2)->SetColor(clAqua);
    const int PaintsA = DisplayOf(0)->Paints, PaintsB = DisplayOf(1)->Paints, PaintsC = DisplayOf(2)->Paints;
    Repaint();
    EXPECT_EQ(DisplayOf(0)->Paints, PaintsA);
    EXPECT_EQ(DisplayOf(1)->Paints, PaintsB + 5);
    EXPECT_EQ(DisplayOf(2)->Paints, PaintsC);
    EXPECT_EQ(At(40, 25), RGBOf(clWindow));
    EXPECT_EQ(At(200, 25), RGBOf(clWindow)); // not filled with the new colour
    EXPECT_EQ(Custom.size(), 2u * 5);
    EXPECT_EQ(Custom.front(), "0,0");
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
    EXPECT_EQ(At(120, 58), RGBOf(Marker));
    EXPECT_EQ(At(81, 51), RGBOf(Marker));
    for (const TPoint P : {TPoint(80, 58), TPoint(158, 58), TPoint(120, 50), TPoint(120, 65)})
        EXPECT_EQ(At(P.X, P.Y), RGBOf(clLime)) << P.X << "," << P.Y;
}

TEST_F(GxGridPaint, TheCaptionIsCentredOnAnEmptyGrid)
{
    // The leftmost and rightmost pixel of the band under the caption that is not Fill.
    const auto Ink = [this](TColor Fill) {
        std::pair<int, int> Span{Grid->GetClientWidth(), -1};
        for (int Y = 19; Y < 19 + 13; ++Y)
            for (int X = 0; X < Grid->GetClientWidth(); ++X)
                if (At(X, Y) != RGBOf(Fill)) Span = {std::min(Span.first, X), std::max(Span.second, X)};
        return Span;
    };
    Grid->SetCaption(u"Nothing found yet");
    Repaint();
    const auto [Low, High] = Ink(Ground);
    ASSERT_LT(Low, High);
    EXPECT_LE(std::abs(Low + High + 1 - Grid->GetClientWidth()), 4) << Low << ".." << High;
    // A row takes it away.
    AddRows(1);
    Repaint();
    EXPECT_EQ(Ink(clWindow).first, 240); // only the space right of the columns differs
}

TEST_F(GxGridPaint, TheBorderIsThemedOnlyWithVisualStyles)
{
    Repaint();
    const TColor Themed = At(-1, 50);
    Grid->SetEnableVisualStyles(false);
    PaintNow(Grid);
    const TColor Classic = At(-1, 50);
    EXPECT_EQ(Classic, RGBOf(clBtnShadow));
    if (GxThemesSupport::IsThemed())
        EXPECT_NE(Themed, Classic);
    else
        EXPECT_EQ(Themed, Classic);
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
        {[&] { Grid->RefreshVisibleRows(1, 3); }, TRect(0, 35, 252, 86)},
        {[&] { Grid->RefreshRowGrid(2); }, TRect(0, 68, 252, 69)},
        {[&] { Grid->RefreshColumn(B, gaHeader); }, TRect(92, 0, 172, 18)},
        {[&] { Grid->RefreshColumn(B, gaNone); }, TRect(92, 0, 172, CH)},
        {[&] { Grid->RefreshArea(gaIndicator); }, TRect(0, 0, 12, CH)},
        {[&] { Grid->RefreshFromColumn(B); }, TRect(92, 0, CW, CH)},
        {[&] { Grid->RefreshSelectedCells(); }, TRect(12, 52, 93, 69)},
        {[&] { Grid->RefreshArea(gaFooter); }, TRect()},
        {[&] { Grid->RefreshCell(0, 29); }, TRect()},
        {[&] { Grid->RefreshRow(29, false); }, TRect()},
        {[&] { Grid->RefreshIndicator(29); }, TRect()},
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
    PaintNow(Grid);
    EXPECT_EQ(At(100, 35), RGBOf(clWindow));
    EXPECT_EQ(At(100, 40), RGBOf(Marker));
    InvalidateRect(Grid->GetHandle(), nullptr, false);
    Grid->RefreshRow(6, true);
    PaintNow(Grid);
    EXPECT_EQ(At(100, 40), RGBOf(clWindow));
}

TEST_F(GxGridPaint, AMillionRowsCostWhatTheViewCosts)
{
    Grid->SetOptions({goHeader, goSelectFullRow, goIndicator});
    Grid->SetAppearanceOptions({});
    Grid->AddRow(1000000);
    Focus();
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
