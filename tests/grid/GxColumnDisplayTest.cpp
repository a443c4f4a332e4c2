// tests/grid/GxColumnDisplayTest.cpp: the display base's text flags and
// placement, its background and hint mark, and measuring.
#include "ColumnFixtures.h"

#include "platform/win/WinUser.h"

using namespace ColumnFixtures;

namespace {

// A kind that draws several lines without wrapping them.
class TMultiLineColumn : public TTestColumn {
public:
    using TTestColumn::TTestColumn;
    TDisplayOptions GetDisplayOptions() override { return {doMultiLine}; }
};

struct GxColumnDisplay : TGridFixture {
    TTestColumn* Column = AddColumn("A");
    TColumnDisplay* Display = Column->GetDisplay();
    TOwned<TBitmap> Picture = MakeOwned<TBitmap>();

    GxColumnDisplay()
    {
        Picture->SetSize(60, 30);
        Display->SetCanvas(Picture->GetCanvas());
        Display->SetClientRect(TRect(0, 0, 60, 30));
    }
    int LineHeight() { return GetTextHeight(Picture->GetCanvas(), u"Text"); }
    // Whether any pixel in columns X1..X2-1 of the picture is not white.
    bool Inked(int X1, int X2)
    {
        for (int X = X1; X < X2; ++X)
            for (int Y = 0; Y < Picture->GetHeight(); ++Y)
                if (Picture->GetCanvas()->GetPixels(X, Y) != clWhite) return true;
        return false;
    }
};

} // namespace

TEST_F(GxColumnDisplay, TextFlagsFollowTheColumn)
{
    TRect R(0, 0, 60, 30);
    EXPECT_EQ(Display->PrepareDrawText(u"Text", R, true),
              UINT(DT_NOPREFIX | DT_VCENTER | DT_END_ELLIPSIS | DT_SINGLELINE));
    EXPECT_EQ(Display->PrepareDrawText(u"Text", R, false), UINT(DT_NOPREFIX | DT_VCENTER | DT_SINGLELINE));

    Column->SetAlignment(taRightJustify);
    Column->SetVerticalAlignment(taAlignBottom);
    Column->SetWrapKind(wkPathEllipsis);
    Column->SetBiDiMode(bdRightToLeftNoAlign);
    EXPECT_EQ(Display->PrepareDrawText(u"Text", R, true),
              UINT(DT_NOPREFIX | DT_RTLREADING | DT_RIGHT | DT_BOTTOM | DT_PATH_ELLIPSIS | DT_SINGLELINE));
    EXPECT_EQ(Display->PrepareDrawText(u"Text", R, false),
              UINT(DT_NOPREFIX | DT_RTLREADING | DT_RIGHT | DT_BOTTOM | DT_SINGLELINE));

    Column->SetAlignment(taCenter);
    Column->SetVerticalAlignment(taAlignTop);
    Column->SetWrapKind(wkNone);
    Column->SetBiDiMode(bdLeftToRight);
    EXPECT_EQ(Display->PrepareDrawText(u"Text", R, true), UINT(DT_NOPREFIX | DT_CENTER | DT_SINGLELINE));

    Column->SetWrapKind(wkWordWrap);
    EXPECT_EQ(Display->PrepareDrawText(u"Text", R, true), UINT(DT_NOPREFIX | DT_CENTER | DT_WORDBREAK));
    EXPECT_EQ(R, TRect(0, 0, 60, 30)); // aligned to the top: left where it is
}

TEST_F(GxColumnDisplay, SeveralLinesArePlacedByMovingTheRectanglesTop)
{
    Column->SetWrapKind(wkWordWrap);
    Column->SetVerticalAlignment(taAlignBottom);
    TRect R(0, 0, 60, 30);
    EXPECT_EQ(Display->PrepareDrawText(u"Text", R, true), UINT(DT_NOPREFIX | DT_BOTTOM | DT_WORDBREAK));
    EXPECT_EQ(R, TRect(0, 30 - LineHeight(), 60, 30));

    auto* Multi = static_cast<TTestColumn*>(Columns->Add(ColumnClass<TMultiLineColumn>, u""));
    Multi->SetWrapKind(wkNone);
    Multi->GetDisplay()->SetCanvas(Picture->GetCanvas());
    R = TRect(0, 10, 60, 40);
    const UINT Flags = Multi->GetDisplay()->PrepareDrawText(u"Text", R, true);
    EXPECT_EQ(Flags, UINT(DT_NOPREFIX | DT_VCENTER));
    // Half of what the text leaves free, rounded to even: (40 - (10 + h)) / 2.
    EXPECT_EQ(R.Top, 10 + int(Round((40.0 - (10 + LineHeight())) / 2)));
}

TEST_F(GxColumnDisplay, TextIsDrawnOnAClearBrushWhereTheAlignmentSays)
{
    Column->SetAlignment(taRightJustify);
    Display->DrawTextRect(u"ii", TRect(0, 0, 60, 30));
    EXPECT_TRUE(Inked(40, 60));
    EXPECT_FALSE(Inked(0, 30));
    EXPECT_EQ(Picture->GetCanvas()->GetBrush()->GetStyle(), bsSolid);
    EXPECT_EQ(Display->GetTextRect(), TRect(2, 0, 58, 30));
}

TEST_F(GxColumnDisplay, BackgroundFillsOrFramesTheCell)
{
    TCanvas* Canvas = Picture->GetCanvas();
    Display->SetClientRect(TRect(5, 5, 25, 15));
    Display->PaintBackground(clRed, true);
    EXPECT_EQ(Canvas->GetPixels(5, 5), clRed);
    EXPECT_EQ(Canvas->GetPixels(24, 14), clRed);
    EXPECT_EQ(Canvas->GetPixels(25, 15), clWhite);
    EXPECT_EQ(Canvas->GetPixels(4, 4), clWhite);

    Display->SetClientRect(TRect(30, 5, 50, 15));
    Display->PaintBackground(clBlue, false);
    EXPECT_EQ(Canvas->GetPixels(30, 5), clBlue);
    EXPECT_EQ(Canvas->GetPixels(49, 14), clBlue);
    EXPECT_EQ(Canvas->GetPixels(40, 10), clWhite);
}

TEST_F(GxColumnDisplay, TheHintMarkIsARedCornerTriangle)
{
    TCanvas* Canvas = Picture->GetCanvas();
    Display->DrawHintMark(); // corners (55, 0), (59, 0), (59, 4)
    EXPECT_EQ(Canvas->GetPixels(57, 0), clRed);
    EXPECT_EQ(Canvas->GetPixels(58, 1), clRed);
    EXPECT_EQ(Canvas->GetPixels(54, 0), clWhite);
    EXPECT_EQ(Canvas->GetPixels(56, 3), clWhite);
    EXPECT_EQ(Canvas->GetPixels(58, 6), clWhite);
}

TEST_F(GxColumnDisplay, MeasuringAndBestFit)
{
    TCanvas* Canvas = Picture->GetCanvas();
    Display->SetAsString(u"Wide text");
    const int Width = GetTextWidth(Canvas, u"Wide text");
    EXPECT_EQ(Display->GetTextSize(), TSize(Width, LineHeight()));
    EXPECT_EQ(Display->GetContentWidth(), Width);
    EXPECT_EQ(Display->GetContentHeight(), 0);

    EXPECT_EQ(Column->GetCellBestFit(u"Wide text"), Width + 6);
    EXPECT_EQ(Column->GetCellBestFit(u""), 8);
    Display->SetCanvas(nullptr);
    EXPECT_EQ(Column->GetCellBestFit(u"Wide text"), 8);
    TOwned<TGxCustomColumn> NoDisplay = MakeOwned<TGxCustomColumn>(nullptr);
    EXPECT_EQ(NoDisplay->GetCellBestFit(u"Wide text"), 8);
}
