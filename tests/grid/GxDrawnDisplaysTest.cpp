// tests/grid/GxDrawnDisplaysTest.cpp: the displays of the drawn column kinds,
// by pixel probes on a picture they paint a cell of, themed and classic.
#include "SolidBitmap.h"
#include "grid/GxColumnClasses.h"
#include "grid/GxDisplays.h"
#include "grid/GxGrid.h"
#include "grid/shared/GxThemesSupport.h"
#include "tests/platform/controls/ControlFixtures.h"

#include <climits>
#include <functional>
#include <tuple>

using namespace GxColumnClasses;
using namespace GxDisplays;

namespace {

constexpr TColor Ground = TColor(0x302010); // the picture before the cell paints
constexpr TColor Red = TColor(0x0000FF), Blue = TColor(0xFF0000), Lime = TColor(0x00FF00);

class GxDrawnDisplays : public TFormTest {
protected:
    void SetUp() override
    {
        TFormTest::SetUp();
        Grid = New<GxGrid::TGxGrid>(Form);
        Grid->SetParent(Form);
        Grid->SetBounds(0, 0, 200, 100);
        Grid->HandleNeeded();
    }
    void TearDown() override
    {
        FreeAndNil(Grid);
        TFormTest::TearDown();
    }
    template <typename T> T* Add()
    {
        auto* Column = static_cast<T*>(Grid->GetColumns()->Add(ColumnClass<T>, u""));
        Column->SetColor(clWhite);
        return Column;
    }
    // The column's display on a Width x Height picture of Ground, its cell Cell.
    TColumnDisplay* On(TGxCustomColumn* Column, const TRect& Cell, int Width = 200, int Height = 40)
    {
        Picture.SetSize(Width, Height);
        Clear();
        TColumnDisplay* Display = Column->GetDisplay();
        Display->SetCanvas(Picture.GetCanvas());
        Display->SetClientRect(Cell);
        Display->SetHandle(Grid->GetHandle());
        Picture.GetCanvas()->GetFont()->Assign(Column->GetFont());
        return Display;
    }
    void Clear()
    {
        Picture.GetCanvas()->GetBrush()->SetColor(Ground);
        Picture.GetCanvas()->FillRect(TRect(0, 0, Picture.GetWidth(), Picture.GetHeight()));
    }
    TColor At(int X, int Y) { return Picture.GetCanvas()->GetPixels(X, Y); }
    void Expect(std::initializer_list<std::tuple<int, int, TColor>> Probes)
    {
        for (const auto& [X, Y, Color] : Probes)
            EXPECT_EQ(At(X, Y), ColorToRGB(Color)) << "at " << X << "," << Y;
    }
    // Pixels of the rectangle unlike Color.
    int Unlike(const TRect& R, TColor Color)
    {
        int Count = 0;
        for (int Y = R.Top; Y < R.Bottom; ++Y)
            for (int X = R.Left; X < R.Right; ++X)
                Count += At(X, Y) != ColorToRGB(Color);
        return Count;
    }
    // The leftmost column from X0 with a pixel unlike Color; -1 when none.
    int FirstUnlike(int X0, int X1, TColor Color)
    {
        for (int X = X0; X < X1; ++X)
            if (Unlike(TRect(X, 0, X + 1, Picture.GetHeight()), Color)) return X;
        return -1;
    }
    std::vector<TColor> Pixels(const TRect& R)
    {
        std::vector<TColor> Out;
        for (int Y = R.Top; Y < R.Bottom; ++Y)
            for (int X = R.Left; X < R.Right; ++X)
                Out.push_back(At(X, Y));
        return Out;
    }

    GxGrid::TGxGrid* Grid = nullptr;
    TBitmap Picture;
};

// ---- Tree -------------------------------------------------------------------------------------

// A level-2 row with children: lines at 6 and 25, the button at 40, the text from 54 + 2.
TEST_F(GxDrawnDisplays, ATreeCellDrawsItsLinesButtonAndIndentedText)
{
    auto* Tree = Add<TGxTreeColumn>();
    Tree->SetShowLines(true);
    auto* Display = static_cast<TTreeColumnDisplay*>(On(Tree, TRect(0, 0, 150, 20)));
    Display->SetLevel(2);
    Display->SetChildCount(1);
    Display->SetAsString(u"W");
    const TRect Button(40, 5, 49, 14);
    EXPECT_EQ(Display->GetButtonRect(TRect(0, 0, 150, 20), 2), Button);

    std::vector<TColor> Shown[2];
    for (bool Expanded : {false, true}) {
        SCOPED_TRACE(Expanded);
        Clear();
        Display->SetExpanded(Expanded);
        Display->Paint();
        Expect({{6, 1, clGrayText}, {25, 18, clGrayText}, {7, 1, Ground}, {26, 1, Ground}, {30, 9, clGrayText}});
        // Below the button only while expanded.
        EXPECT_EQ(At(44, 17), ColorToRGB(Expanded ? clGrayText : Ground));
        EXPECT_GT(Unlike(Button, Ground), 0);
        const int Text = FirstUnlike(50, 150, Ground);
        EXPECT_GE(Text, 56);
        EXPECT_LE(Text, 58);
        if (!GxThemesSupport::IsThemed()) {
            // The classic button: a grey frame, a black bar, and the plus's upright while collapsed.
            Expect({{40, 9, clGrayText}, {48, 9, clGrayText}, {44, 9, clBlack}});
            EXPECT_EQ(At(44, 7), ColorToRGB(Expanded ? Ground : clBlack));
        }
        Shown[Expanded] = Pixels(Button);
    }
    EXPECT_NE(Shown[0], Shown[1]);
    // Without lines or buttons only the text is drawn.
    Tree->SetShowLines(false);
    Tree->SetShowButtons(false);
    Clear();
    Display->Paint();
    EXPECT_EQ(Unlike(TRect(0, 0, 50, 20), Ground), 0);
}

// ---- Check box --------------------------------------------------------------------------------

TEST_F(GxDrawnDisplays, CheckBoxesArePlacedByTheAlignmentsCheckedOrNot)
{
    auto* Column = Add<TGxCheckBoxColumn>();
    auto* Display = static_cast<TCheckBoxColumnDisplay*>(On(Column, TRect(0, 0, 60, 20)));
    const bool Themed = GxThemesSupport::IsThemed();
    const int Size = Themed ? 13 : 11;
    EXPECT_EQ(Display->GetContentWidth(), Size);
    const std::tuple<TAlignment, TVerticalAlignment, TPoint> Places[] = {
        {taLeftJustify, taVerticalCenter, TPoint(2, 10 - Size / 2)},
        {taRightJustify, taAlignTop, TPoint(60 - Size - 2, 2)},
        {taCenter, taAlignBottom, TPoint(30 - Size / 2, 20 - Size - 2)},
    };
    for (const auto& [Alignment, Vertical, P] : Places) {
        SCOPED_TRACE(Alignment);
        Column->SetAlignment(Alignment);
        Column->SetVerticalAlignment(Vertical);
        const TRect Box = Bounds(P.X, P.Y, Size, Size);
        std::vector<TColor> Drawn[2];
        for (bool Checked : {false, true}) {
            Clear();
            Display->SetAsBoolean(Checked);
            Display->Paint();
            // Everything inside the box, and its edges drawn.
            EXPECT_EQ(Unlike(TRect(0, 0, 60, 20), Ground), Unlike(Box, Ground));
            EXPECT_GT(Unlike(TRect(Box.Left, Box.Top, Box.Left + 1, Box.Bottom), Ground), 0);
            EXPECT_GT(Unlike(TRect(Box.Right - 1, Box.Top, Box.Right, Box.Bottom), Ground), 0);
            if (!Themed) {
                Expect({{Box.Left, Box.Top + 5, clBtnShadow}, {Box.Right - 1, Box.Top + 5, clBtnShadow}});
                EXPECT_EQ(At(Box.Left + 4, Box.Top + 7), ColorToRGB(Checked ? clWindowText : clWindow));
            }
            Drawn[Checked] = Pixels(Box);
        }
        EXPECT_NE(Drawn[0], Drawn[1]);
    }
}

// ---- Progress ---------------------------------------------------------------------------------

class GxDrawnProgress : public GxDrawnDisplays {
protected:
    void SetUp() override
    {
        GxDrawnDisplays::SetUp();
        Column = Add<TGxProgressColumn>();
        Column->SetBorderColor(Red);
        Column->SetHighValueColor(Lime);
        Column->SetProgressColor(Blue);
        Column->SetLowValueColor(clYellow);
        // The frame (2, 2, 118, 18), the bar inside (4, 4, 116, 16).
        Display = static_cast<TProgressColumnDisplay*>(On(Column, TRect(0, 0, 120, 20), 120, 20));
    }
    void Draw(double Value)
    {
        Clear();
        Display->SetAsFloat(Value);
        Display->Paint();
    }
    // The left 30 pixels of the cell, and the same with only Text drawn where the display puts it.
    std::pair<std::vector<TColor>, std::vector<TColor>> TextBeside(double Value, const WideString& Text)
    {
        Draw(Value);
        const std::vector<TColor> Drawn = Pixels(TRect(0, 0, 30, 20));
        Clear();
        Display->DrawTextRect(Text, Display->GetTextRect());
        return {Drawn, Pixels(TRect(0, 0, 30, 20))};
    }

    TGxProgressColumn* Column = nullptr;
    TProgressColumnDisplay* Display = nullptr;
};

TEST_F(GxDrawnProgress, AValuePastMaxFillsTheFrameAndSaysItsPercentage)
{
    Draw(150);
    Expect({{2, 10, Red},
            {117, 10, Red},
            {60, 2, Red},
            {3, 10, clWhite},
            {4, 10, Lime},
            {115, 10, Lime},
            {116, 10, clWhite},
            {60, 15, Lime},
            {60, 16, clWhite}});
    Column->SetShowText(true);
    const auto [Drawn, Expected] = TextBeside(150, u"150%");
    EXPECT_EQ(Drawn, Expected);
    EXPECT_NE(Drawn, TextBeside(150, u"100%").second);
    // The frame makes room for the text beside it.
    Draw(150);
    Expect({{32, 2, Red}, {20, 2, Ground}, {60, 10, Lime}});
}

TEST_F(GxDrawnProgress, ShowTextTextPositionAndRoundCornersPlaceTheFrame)
{
    Column->SetTextPosition(tpBeside);
    Draw(50);
    Expect({{2, 2, Red}, {20, 2, Red}}); // no text, no room for it
    Column->SetShowText(true);
    Column->SetTextPosition(tpInside);
    Draw(50);
    Expect({{2, 2, Red}, {20, 2, Red}});
    Column->SetRoundCorners(true);
    Draw(50);
    Expect({{2, 2, Ground}, {20, 2, Red}, {2, 10, Red}});
}

TEST_F(GxDrawnProgress, TransparentDrawsOnlyFrameAndBar)
{
    Draw(50);
    Expect({{2, 10, Red}, {50, 10, Lime}, {80, 10, clWhite}});
    Column->SetTransparent(true);
    Draw(50);
    Expect({{2, 10, Red}, {117, 10, Red}, {50, 10, Lime}, {59, 10, Lime}, {60, 10, Ground}, {80, 10, Ground}});
}

TEST_F(GxDrawnProgress, EachStyleFillsTheBarItsWay)
{
    // A bar 12 pixels high: boxes 8 wide, 2 apart, the last one that fits whole at 104.
    Column->SetProgressStyle(psBoxes);
    Draw(100);
    Expect({{4, 10, Lime}, {11, 10, Lime}, {12, 10, clWhite}, {14, 10, Lime}, {111, 10, Lime}, {114, 10, clWhite}});
    Column->SetProgressStyle(psGradient); // from the column's colour at the left to the bar's
    Draw(100);
    Expect({{4, 10, clWhite}});
    EXPECT_NE(At(115, 10), ColorToRGB(clWhite));
    EXPECT_EQ(At(60, 4), At(60, 15));
    EXPECT_NE(At(30, 10), At(90, 10));
    Column->SetProgressStyle(psCylinder); // from the column's colour at the top to the bar's
    Draw(100);
    Expect({{10, 4, clWhite}});
    EXPECT_NE(At(10, 15), ColorToRGB(clWhite));
    EXPECT_EQ(At(10, 10), At(100, 10));
    EXPECT_NE(At(10, 6), At(10, 14));
}

TEST_F(GxDrawnProgress, TheBoundsChooseTheBarsColour)
{
    Column->SetHighValueBound(80);
    Column->SetLowValueBound(20);
    for (const auto& [Value, Color] : {std::pair(90.0, Lime), std::pair(80.0, Lime), std::pair(50.0, Blue),
                                       std::pair(20.0, clYellow), std::pair(10.0, clYellow)}) {
        Draw(Value);
        EXPECT_EQ(At(5, 10), ColorToRGB(Color)) << Value;
    }
}

// No Max, a negative value, a bar without height and a margin over half the
// row: each draws what it can and returns.
TEST_F(GxDrawnProgress, DegenerateBarsDrawWhatTheyCanAndReturn)
{
    Column->SetMax(0);
    Column->SetShowText(true);
    const auto [Drawn, Expected] = TextBeside(50, u"0%");
    EXPECT_EQ(Drawn, Expected);
    Draw(50);
    Expect({{32, 2, Red}, {60, 10, clWhite}});
    Column->SetMax(-5);
    Draw(50);
    Expect({{60, 10, clWhite}});
    Column->SetMax(100);
    Column->SetShowText(false);
    Draw(-20);
    Expect({{2, 10, Red}, {4, 10, clWhite}, {5, 10, clWhite}});
    Draw(std::numeric_limits<double>::quiet_NaN());
    Expect({{4, 10, clWhite}});
    Draw(1e300);
    Expect({{4, 10, Lime}, {115, 10, Lime}, {116, 10, clWhite}});

    Column->SetProgressStyle(psBoxes);
    Column->SetProgressHeight(1);
    Draw(100);
    EXPECT_EQ(Unlike(TRect(0, 0, 120, 20), Ground), Unlike(TRect(2, 10, 118, 11), Ground));
    Column->SetProgressHeight(0);
    Column->SetMargin(11);
    Draw(100);
    EXPECT_EQ(Unlike(TRect(0, 0, 120, 20), Ground), 0);
    Column->SetMargin(INT_MAX);
    Draw(100);
    EXPECT_EQ(Unlike(TRect(0, 0, 120, 20), Ground), 0);

    Column->SetMargin(2);
    Column->SetHideWhenEmpty(true);
    Draw(0);
    EXPECT_EQ(Unlike(TRect(0, 0, 120, 20), Ground), 0);
}

// ---- Rate -------------------------------------------------------------------------------------

class GxDrawnRate : public GxDrawnDisplays {
protected:
    void SetUp() override
    {
        GxDrawnDisplays::SetUp();
        Column = Add<TGxRateColumn>();
        Fill(Column->GetGlyph(), Red);
        Fill(Column->GetEmptyGlyph(), Blue);
        Display = static_cast<TRateColumnDisplay*>(On(Column, TRect(0, 0, 100, 20), 100, 20));
    }
    static void Fill(TBitmap* Glyph, TColor Color) { SolidBitmap::FillBitmap(Glyph, 10, 10, Color); }
    void Draw(int Value)
    {
        Clear();
        Display->SetAsInteger(Value);
        Display->Paint();
    }

    TGxRateColumn* Column = nullptr;
    TRateColumnDisplay* Display = nullptr;
};

TEST_F(GxDrawnRate, TwoOfFiveDrawsTwoGlyphsAndThreeEmptyOnes)
{
    Draw(2);
    Expect({{0, 5, Red}, {19, 14, Red}, {20, 10, Blue}, {49, 10, Blue}, {50, 10, Ground}, {5, 4, Ground}});
    EXPECT_EQ(Display->GetContentWidth(), 50);
    Column->SetAlignment(taRightJustify);
    Draw(2);
    Expect({{49, 10, Ground}, {50, 10, Red}, {69, 10, Red}, {70, 10, Blue}, {99, 10, Blue}});

    Column->SetHideWhenEmpty(true);
    Draw(0);
    EXPECT_EQ(Unlike(TRect(0, 0, 100, 20), Ground), 0);
    EXPECT_EQ(Display->GetContentWidth(), 0);
    Column->SetHideWhenEmpty(false);
    Draw(0);
    Expect({{55, 10, Blue}});
}

TEST_F(GxDrawnRate, TransparentGlyphsLeaveOutTheirCornersColour)
{
    Column->GetGlyph()->GetCanvas()->SetPixels(0, 9, Lime);
    Column->GetGlyph()->GetCanvas()->SetPixels(5, 5, Lime);
    Draw(1);
    Expect({{0, 14, Lime}, {5, 10, Lime}});
    Column->SetTransparent(true);
    Draw(1);
    Expect({{0, 14, Ground}, {5, 10, Ground}, {6, 10, Red}});
    EXPECT_TRUE(Column->GetGlyph()->GetTransparent());
}

// However large Max is, only the glyphs inside the cell are drawn; glyphs
// of no width draw nothing.
TEST_F(GxDrawnRate, TheGlyphsStopAtTheCellsEdge)
{
    for (TAlignment Alignment : {taLeftJustify, taRightJustify, taCenter}) {
        Column->SetAlignment(Alignment);
        Column->SetMax(INT_MAX);
        Draw(3);
        EXPECT_EQ(Unlike(TRect(0, 5, 100, 15), Ground), 1000) << Alignment;
        EXPECT_EQ(Unlike(TRect(0, 5, 100, 15), Blue), Alignment == taLeftJustify ? 300 : 0) << Alignment;
    }
    EXPECT_GT(Display->GetContentWidth(), 100);
    Column->GetGlyph()->SetSize(0, 0);
    Draw(3);
    EXPECT_EQ(Unlike(TRect(0, 0, 100, 20), Ground), 0);
}

// ---- Image ------------------------------------------------------------------------------------

TEST_F(GxDrawnDisplays, AnImageCellDrawsItsPictureOfTheListAndNothingOutsideIt)
{
    auto* Column = Add<TGxImageColumn>();
    auto* Display = On(Column, TRect(0, 0, 40, 20), 40, 20);
    Display->SetAsInteger(1);
    Display->Paint();
    EXPECT_EQ(Unlike(TRect(0, 0, 40, 20), Ground), 0);
    EXPECT_EQ(Display->GetContentWidth(), 0);

    TImageList List(nullptr);
    List.SetWidth(8);
    List.SetHeight(8);
    for (TColor Color : {Red, Blue}) {
        TBitmap Image;
        SolidBitmap::FillBitmap(&Image, 8, 8, Color);
        List.Add(&Image, nullptr);
    }
    Column->SetImages(&List);
    EXPECT_EQ(Display->GetContentWidth(), 8);
    Display->Paint();
    Expect({{2, 6, Blue}, {9, 13, Blue}, {1, 10, Ground}, {10, 10, Ground}, {5, 5, Ground}});
    EXPECT_EQ(Unlike(TRect(0, 0, 40, 20), Ground), 64);
    Column->SetAlignment(taRightJustify);
    Clear();
    Display->SetAsInteger(0);
    Display->Paint();
    Expect({{30, 10, Red}, {37, 10, Red}, {29, 10, Ground}, {38, 10, Ground}});
    for (int Index : {-1, 2, INT_MIN}) {
        Clear();
        Display->SetAsInteger(Index);
        Display->Paint();
        EXPECT_EQ(Unlike(TRect(0, 0, 40, 20), Ground), 0) << Index;
    }
    Column->SetImages(nullptr);
}

// ---- Graphic ----------------------------------------------------------------------------------

TEST_F(GxDrawnDisplays, APictureIsFittedCentredOrStretchedInsideItsFrames)
{
    auto* Column = Add<TGxGraphicColumn>();
    Column->SetBorderWidth(0);
    TBitmap Picture10;
    SolidBitmap::FillBitmap(&Picture10, 10, 10, Red);
    // The area inside the margin of 4: (4, 4, 44, 24), 40 x 20.
    auto* Display = static_cast<TGraphicColumnDisplay*>(On(Column, TRect(0, 0, 48, 28), 48, 28));
    Display->SetObjectReference(&Picture10);
    Display->Paint();
    Expect({{14, 4, Red}, {33, 23, Red}, {13, 10, Ground}, {34, 10, Ground}});
    EXPECT_EQ(Unlike(TRect(0, 0, 48, 28), Ground), 400);

    Column->SetStretch(true);
    Clear();
    Display->Paint();
    EXPECT_EQ(Unlike(TRect(0, 0, 48, 28), Ground), 800);

    Column->SetBorderWidth(2);
    for (bool Highlighted : {false, true}) {
        Clear();
        Display->SetHighlighted(Highlighted);
        Display->Paint();
        const TColor Frame = Highlighted ? clHighlightText : clBtnFace;
        Expect({{4, 10, Frame}, {5, 10, Frame}, {43, 10, Frame}, {20, 5, Frame}, {6, 10, Red}, {3, 10, Ground}});
    }
    // Without a picture the frames alone.
    Display->SetObjectReference(nullptr);
    Clear();
    Display->Paint();
    Expect({{4, 10, clHighlightText}, {6, 10, Ground}});

    // Areas without width or height draw no picture, fitted or stretched,
    // and frames stop where the area ends.
    Display->SetObjectReference(&Picture10);
    Column->SetBorderWidth(0);
    for (bool Stretch : {false, true})
        for (int Margin : {14, 15, 40}) {
            Column->SetStretch(Stretch);
            Column->SetMargin(Margin);
            Clear();
            Display->Paint();
            EXPECT_EQ(Unlike(TRect(0, 0, 48, 28), Ground), 0) << Margin;
        }
    Column->SetMargin(0);
    Column->SetBorderWidth(INT_MAX);
    Clear();
    Display->Paint();
    EXPECT_EQ(Unlike(TRect(0, 0, 48, 28), Ground), 48 * 28);
}

// ---- HTML -------------------------------------------------------------------------------------

TEST_F(GxDrawnDisplays, HtmlCellsDrawTheirMarkupBetweenTheColumnsTags)
{
    auto* Column = Add<TGxHtmlColumn>();
    auto* Display = On(Column, TRect(0, 0, 150, 20), 150, 20);
    const auto Ink = [&](const WideString& Text) {
        Clear();
        Display->SetAsString(Text);
        Display->Paint();
        return Unlike(TRect(0, 0, 150, 20), Ground);
    };
    const int Plain = Ink(u"xx"), Bold = Ink(u"<b>xx</b>");
    EXPECT_GT(Plain, 0);
    EXPECT_GT(Bold, Plain);
    EXPECT_GE(FirstUnlike(0, 150, Ground), 2);
    Column->SetTagBefore(u"<b>");
    EXPECT_EQ(Ink(u"xx"), Bold);

    // The size measured is the markup's, in the column's font whatever the
    // canvas holds, and the canvas keeps its own font.
    Column->SetTagBefore(u"");
    Display->SetAsString(u"xx");
    const TSize Small = Display->GetTextSize();
    Column->SetTagBefore(u"<font size=\"14\"><b>");
    TFont* Font = Picture.GetCanvas()->GetFont();
    Font->SetSize(30);
    const TSize Large = Display->GetTextSize();
    EXPECT_EQ(Font->GetSize(), 30);
    Font->Assign(Column->GetFont());
    EXPECT_EQ(Display->GetTextSize(), Large);
    EXPECT_GT(Large.cx, Small.cx);
    EXPECT_GT(Large.cy, Small.cy);
    EXPECT_EQ(Small.cx, 2 + GetTextWidth(Picture.GetCanvas(), u"xx"));
}

} // namespace
