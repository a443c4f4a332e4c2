// The drawing providers: arithmetic, blends, gradients, clipping, standard
// pictures, text, bitmaps and the HTML colours, probed pixel by pixel.
#include "grid/shared/GxConsts.h"
#include "grid/shared/GxSharedCommon.h"
#include "grid/shared/GxThemesSupport.h"
#include "platform/graphics/Resources.h"
#include "platform/win/WinGdi.h"
#include "tests/support/TestSupport.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

using namespace GxSharedCommon;

namespace {

// A white 24-bit bitmap to draw on, with probes.
struct TPaper {
    explicit TPaper(int Width = 60, int Height = 40, TColor Ground = clWhite)
    {
        Bitmap.SetPixelFormat(pf24bit);
        Bitmap.SetSize(Width, Height);
        Fill(TRect(0, 0, Width, Height), Ground);
    }
    TCanvas* Canvas() { return Bitmap.GetCanvas(); }
    TColor At(int X, int Y) { return Bitmap.GetCanvas()->GetPixels(X, Y); }
    void Fill(const TRect& R, TColor Color)
    {
        Canvas()->GetBrush()->SetColor(Color);
        Canvas()->FillRect(R);
    }
    // The bounding box of the pixels in Area that differ from Ground.
    TRect Ink(const TRect& Area, TColor Ground = clWhite)
    {
        TRect Box(Area.Right, Area.Bottom, Area.Left - 1, Area.Top - 1);
        for (int Y = Area.Top; Y < Area.Bottom; ++Y)
            for (int X = Area.Left; X < Area.Right; ++X)
                if (At(X, Y) != Ground) {
                    Box.Left = std::min<LONG>(Box.Left, X);
                    Box.Top = std::min<LONG>(Box.Top, Y);
                    Box.Right = std::max<LONG>(Box.Right, X + 1);
                    Box.Bottom = std::max<LONG>(Box.Bottom, Y + 1);
                }
        return Box.Right < Box.Left ? TRect() : Box;
    }
    TBitmap Bitmap;
};

TBitmap* NewBitmap(TPixelFormat Format, int W, int H, TColor Color)
{
    auto* B = new TBitmap;
    B->SetPixelFormat(Format);
    B->SetSize(W, H);
    B->GetCanvas()->GetBrush()->SetColor(Color);
    B->GetCanvas()->FillRect(TRect(0, 0, W, H));
    return B;
}

void SetPixel32(TBitmap* B, int X, int Y, TColor Color, Byte Alpha)
{
    Byte* P = B->GetScanLine(Y) + X * 4;
    P[0] = GetBValue(COLORREF(Color));
    P[1] = GetGValue(COLORREF(Color));
    P[2] = GetRValue(COLORREF(Color));
    P[3] = Alpha;
}

// ---- Arithmetic -----------------------------------------------------------------------------------

TEST(GxCalcProvider, RatiosRectanglesAndPlacement)
{
    EXPECT_DOUBLE_EQ(TCalcProvider::GetRatio(50, 200), 25);
    EXPECT_DOUBLE_EQ(TCalcProvider::GetRatio(-1, 4), -25);
    EXPECT_EQ(TCalcProvider::GetRatio(5, 0), 0); // an empty whole: 0, not infinity
    EXPECT_EQ(TCalcProvider::GetRatio(0, 0), 0);

    EXPECT_TRUE(TCalcProvider::IsRectInRect(TRect(0, 0, 10, 10), TRect(10, 10, 20, 20)));
    EXPECT_FALSE(TCalcProvider::IsRectInRect(TRect(0, 0, 10, 10), TRect(11, 0, 20, 10)));
    EXPECT_FALSE(TCalcProvider::IsRectInRect(TRect(0, 12, 10, 20), TRect(0, 0, 10, 11)));
    EXPECT_TRUE(TCalcProvider::IsRectInRect(TRect(2, 2, 3, 3), TRect(0, 0, 10, 10)));

    const TRect R(0, 0, 21, 21);
    EXPECT_EQ(TCalcProvider::PosInRect(10, 10, 2, R, taCenter, taVerticalCenter), TPoint(5, 5));
    EXPECT_EQ(TCalcProvider::PosInRect(10, 10, 2, R, taRightJustify, taAlignBottom), TPoint(9, 9));
    EXPECT_EQ(TCalcProvider::PosInRect(10, 10, 2, R, taLeftJustify, taAlignTop), TPoint(2, 2));
    // Halving truncates towards zero, also left of the origin.
    EXPECT_EQ(TCalcProvider::PosInRect(10, 10, 0, TRect(-21, -21, 0, 0), taCenter, taVerticalCenter), TPoint(-15, -15));

    EXPECT_EQ(TCalcProvider::ResizeRect(TRect(10, 10, 20, 20), 1, -2, 3, -4), TRect(11, 8, 23, 16));

    EXPECT_TRUE(PointOffset(TPoint(0, 0), TPoint(1, 0), 0));
    EXPECT_FALSE(PointOffset(TPoint(3, 3), TPoint(3, 3), 0));
    EXPECT_FALSE(PointOffset(TPoint(0, 0), TPoint(-4, 4), 4));
    EXPECT_TRUE(PointOffset(TPoint(0, 0), TPoint(0, -5), 4));
    const LONG Far = std::numeric_limits<LONG>::max();
    EXPECT_TRUE(PointOffset(TPoint(-Far, 0), TPoint(Far, 0), 4)); // no overflow on the way

    std::vector<TPoint> Points{{1, 0}, {2, 3}, {3, 10}};
    FlipPointsVert(Points, TRect(0, 0, 10, 11)); // middle line 5
    EXPECT_EQ(Points, (std::vector<TPoint>{{1, 10}, {2, 7}, {3, 0}}));
}

// ---- Blending -----------------------------------------------------------------------------------------

TEST(GxGraphicsProvider, IntegerBlendsLoseOneStepAndNeverOverflow)
{
    EXPECT_EQ(TGraphicsProvider::BlendColor(TColor(0xFFFFFF), TColor(0x000000), 255), TColor(0xFEFEFE));
    for (int Alpha : {0, 1, 77, 128, 254, 255})
        EXPECT_EQ(TGraphicsProvider::BlendColor(clWhite, clWhite, Alpha), TColor(0xFEFEFE)) << Alpha;
    EXPECT_EQ(TGraphicsProvider::BlendColor(clBlack, clWhite, 0), TColor(0xFEFEFE));
    EXPECT_EQ(TGraphicsProvider::BlendColor(clRed, clBlue, 128), TColor(0x7E007F));
    // Red and blue at full strength together: the sum passes 2^31.
    EXPECT_EQ(TGraphicsProvider::BlendColor(TColor(0xFF00FF), TColor(0xFF00FF), 128), TColor(0xFE00FE));
    // System colours are resolved first: the button face (212, 208, 200).
    EXPECT_EQ(TGraphicsProvider::BlendColor(clBtnFace, clBlack, 255), TColor(RGB(211, 207, 199)));
    EXPECT_EQ(TMaskProvider::MixColors(clRed, clBlue, 128), TColor(0x7E007F));

    for (int Alpha : {256, 1000, -1}) {
        try {
            TGraphicsProvider::BlendColor(clRed, clBlue, Alpha);
            ADD_FAILURE() << "no assertion for " << Alpha;
        } catch (const EAssertionFailed& E) {
            EXPECT_EQ(E.Text, "Assertion failure");
            EXPECT_EQ(E.UnitName, "GxSharedCommon");
        }
    }
}

TEST(GxGraphicsProvider, RealBlendsRoundHalvesToEvenAndStayBetweenTheColours)
{
    EXPECT_EQ(TGraphicsProvider::BlendColor(clBlack, clWhite, 0.5), TColor(0x808080));                   // 127.5 -> 128
    EXPECT_EQ(TGraphicsProvider::BlendColor(TColor(0x010101), TColor(0x020202), 0.5), TColor(0x020202)); // 1.5 -> 2
    EXPECT_EQ(TGraphicsProvider::BlendColor(TColor(0x000000), TColor(0x050505), 0.5), TColor(0x020202)); // 2.5 -> 2
    EXPECT_EQ(TGraphicsProvider::BlendColor(clRed, clBlue, 0.0), clRed);
    EXPECT_EQ(TGraphicsProvider::BlendColor(clRed, clBlue, 1.0), clBlue);
    EXPECT_EQ(TGraphicsProvider::BlendColor(clHighlight, clWhite, 0.0), ColorToRGB(clHighlight));
    // Outside 0..1 the nearer end, never a channel wrapped round.
    EXPECT_EQ(TGraphicsProvider::BlendColor(clRed, clBlue, 1.5), clBlue);
    EXPECT_EQ(TGraphicsProvider::BlendColor(clRed, clBlue, -0.5), clRed);
    EXPECT_EQ(TGraphicsProvider::BlendColor(clRed, clBlue, std::nan("")), clRed);
}

TEST(GxMaskProvider, LevelsAndChannels)
{
    EXPECT_EQ(TMaskProvider::GetColorLevel(clWhite), 255);
    EXPECT_EQ(TMaskProvider::GetColorLevel(clBlack), 0);
    EXPECT_EQ(TMaskProvider::GetColorLevel(clRed), 76);
    EXPECT_EQ(TMaskProvider::GetColorLevel(clLime), 150);
    Byte R = 0, G = 0, B = 0;
    TMaskProvider::GetRGB(clBtnFace, R, G, B);
    EXPECT_EQ(R, 212);
    EXPECT_EQ(G, 208);
    EXPECT_EQ(B, 200);
}

// ---- Gradients ------------------------------------------------------------------------------------------

TEST(GxGraphicsProvider, GradientsRunFromTheFirstColourTowardsTheSecond)
{
    TPaper P;
    TGraphicsProvider::DrawGradient(P.Canvas(), TRect(0, 0, 10, 4), clRed, clBlue);
    EXPECT_EQ(P.At(0, 0), clRed);
    EXPECT_EQ(P.At(9, 0), clRed);
    EXPECT_EQ(P.At(10, 0), clWhite);                // the line's end is not painted
    EXPECT_EQ(P.At(5, 2), TColor(0x800080));        // the middle row: 127.5 each way
    EXPECT_EQ(P.At(5, 3), TColor(RGB(64, 0, 191))); // the last row: 3/4, not all the way
    EXPECT_EQ(P.At(5, 4), clWhite);

    TGraphicsProvider::DrawVertGradient(P.Canvas(), TRect(20, 0, 24, 10), clBlack, clWhite);
    EXPECT_EQ(P.At(20, 0), clBlack);
    EXPECT_EQ(P.At(20, 9), clBlack);
    EXPECT_EQ(P.At(22, 5), TColor(0x808080));
    EXPECT_EQ(P.At(23, 5), TColor(RGB(191, 191, 191)));
    EXPECT_EQ(P.At(24, 5), clWhite);
    EXPECT_EQ(P.At(21, 10), clWhite);

    // One pixel high: one line in the first colour. Empty: nothing.
    TGraphicsProvider::DrawGradient(P.Canvas(), TRect(30, 20, 40, 21), clLime, clBlue);
    EXPECT_EQ(P.At(35, 20), clLime);
    TGraphicsProvider::DrawGradient(P.Canvas(), TRect(30, 30, 40, 30), clRed, clBlue);
    TGraphicsProvider::DrawGradient(P.Canvas(), TRect(30, 35, 40, 31), clRed, clBlue);
    TGraphicsProvider::DrawVertGradient(P.Canvas(), TRect(50, 30, 50, 39), clRed, clBlue);
    EXPECT_EQ(P.Ink(TRect(30, 25, 60, 40)), TRect());
}

// ---- Clipping -----------------------------------------------------------------------------------------

TEST(GxGraphicsProvider, ClippingToARectangleAndToEveryPointOfAPolygon)
{
    TPaper P;
    SetClipRect(P.Canvas(), TRect(5, 5, 10, 10));
    P.Fill(TRect(0, 0, 60, 40), clRed);
    SelectClipRgn(P.Canvas()->GetHandle(), nullptr);
    EXPECT_EQ(P.At(5, 5), clRed);
    EXPECT_EQ(P.At(9, 9), clRed);
    EXPECT_EQ(P.At(10, 9), clWhite);
    EXPECT_EQ(P.At(4, 5), clWhite);

    // A square: without its last corner it would be a triangle.
    const std::vector<TPoint> Square{{20, 0}, {40, 0}, {40, 20}, {20, 20}};
    TGraphicsProvider::SetClipingPolygon(P.Canvas(), Square, int(Square.size()));
    P.Fill(TRect(0, 0, 60, 40), clBlue);
    SelectClipRgn(P.Canvas()->GetHandle(), nullptr);
    EXPECT_EQ(P.At(22, 18), clBlue); // the corner a triangle would have cut off
    EXPECT_EQ(P.At(38, 2), clBlue);
    EXPECT_EQ(P.At(40, 10), clWhite);
    EXPECT_EQ(P.At(9, 9), clRed);

    const std::vector<TPoint> Triangle{{0, 20}, {10, 20}, {0, 30}};
    SetClipPoly(P.Canvas(), Triangle);
    P.Fill(TRect(0, 0, 60, 40), clLime);
    TGraphicsProvider::SetClipingRect(P.Canvas(), TRect(0, 0, 60, 40));
    EXPECT_EQ(P.At(1, 21), clLime);
    EXPECT_EQ(P.At(8, 28), clWhite);
    EXPECT_EQ(P.At(22, 18), clBlue);
}

// ---- Standard pictures --------------------------------------------------------------------------------

TEST(GxGraphicsProvider, ButtonsInBothStates)
{
    TPaper P;
    TGraphicsProvider::DrawButton(P.Canvas(), TRect(0, 0, 20, 10), false);
    TGraphicsProvider::DrawButton(P.Canvas(), TRect(30, 0, 50, 10), true);
    const TColor Highlight = ColorToRGB(clBtnHighlight), Shadow = ColorToRGB(clBtnShadow), Face = ColorToRGB(clBtnFace);
    EXPECT_EQ(P.At(0, 0), Highlight);
    EXPECT_EQ(P.At(0, 8), Highlight);
    EXPECT_EQ(P.At(19, 9), Shadow);
    EXPECT_EQ(P.At(19, 0), Shadow);
    EXPECT_EQ(P.At(10, 5), Face);
    EXPECT_EQ(P.At(20, 5), clWhite);
    EXPECT_EQ(P.At(30, 0), Highlight);
    EXPECT_EQ(P.At(49, 9), ColorToRGB(clWindowFrame));
    EXPECT_EQ(P.At(40, 5), Face);
}

TEST(GxGraphicsProvider, FocusRectanglesSolidAndDottedAndDottedTwiceRestores)
{
    TPaper P(40, 20, TColor(0x336699));
    HDC DC = P.Canvas()->GetHandle();
    SetBkColor(DC, RGB(1, 2, 3));
    SetTextColor(DC, RGB(4, 5, 6));
    const TRect R(2, 2, 20, 12);
    TGraphicsProvider::DrawFocused(P.Canvas(), R, false);
    // White on the even pixels of the pattern, black on the odd ones.
    EXPECT_EQ(P.At(2, 2), TColor(~0x336699 & 0xFFFFFF));
    EXPECT_EQ(P.At(3, 2), TColor(0x336699));
    EXPECT_EQ(P.At(10, 6), TColor(0x336699));
    EXPECT_EQ(GetBkColor(DC), RGB(1, 2, 3)); // the colours are put back
    EXPECT_EQ(GetTextColor(DC), RGB(4, 5, 6));
    TGraphicsProvider::DrawFocused(P.Canvas(), R, false);
    EXPECT_EQ(P.Ink(TRect(0, 0, 40, 20), TColor(0x336699)), TRect());

    TGraphicsProvider::DrawFocused(P.Canvas(), TRect(25, 2, 35, 12), true);
    EXPECT_EQ(P.At(25, 2), ColorToRGB(clHighlight));
    EXPECT_EQ(P.At(34, 11), ColorToRGB(clHighlight));
    EXPECT_EQ(P.At(30, 6), TColor(0x336699));
}

TEST(GxGraphicsProvider, CheckBoxesInTheirStates)
{
    TPaper P(120, 20);
    auto Box = [&](int Left, bool Checked, bool Down, bool Hover) {
        TGraphicsProvider::DrawCheckBox(nullptr, P.Canvas(), TRect(Left, 0, Left + 20, 20), taLeftJustify, taAlignTop,
                                        Checked, Down, Hover);
    };
    Box(0, false, false, false);
    Box(20, true, false, false);
    Box(40, false, true, false);
    Box(60, true, true, true);
    Box(80, false, false, true);
    if (GxThemesSupport::IsThemed()) {
        // The themed part: a 13 x 13 box two pixels in; the states look different.
        const TRect Ink = P.Ink(TRect(0, 0, 20, 20));
        EXPECT_FALSE(IsRectEmpty(Ink));
        EXPECT_GE(Ink.Left, 2);
        EXPECT_GE(Ink.Top, 2);
        EXPECT_LE(Ink.Right, 15);
        EXPECT_LE(Ink.Bottom, 15);
        auto Same = [&](int A, int B) {
            for (int Y = 2; Y < 15; ++Y)
                for (int X = 2; X < 15; ++X)
                    if (P.At(A + X, Y) != P.At(B + X, Y)) return false;
            return true;
        };
        EXPECT_FALSE(Same(0, 20)); // checked
        EXPECT_FALSE(Same(0, 60));
        return;
    }
    // Classic: an 11 x 11 box two pixels in, with a three-line tick.
    EXPECT_EQ(P.Ink(TRect(0, 0, 20, 20)), TRect(2, 2, 13, 13));
    EXPECT_EQ(P.At(2, 2), ColorToRGB(clBtnShadow));
    EXPECT_EQ(P.At(7, 7), clWhite);
    EXPECT_EQ(P.At(20 + 4, 6), clBlack);               // (x+2, y+4)
    EXPECT_EQ(P.At(20 + 6, 8), clBlack);               // (x+4, y+6)
    EXPECT_EQ(P.At(20 + 6, 10), clBlack);              // (x+4, y+8)
    EXPECT_EQ(P.At(20 + 10, 4), clBlack);              // on the way to (x+9, y+3)
    EXPECT_EQ(P.At(20 + 11, 3), clWhite);              // (x+9, y+1), an end point, stays
    EXPECT_EQ(P.At(40 + 7, 7), ColorToRGB(clBtnFace)); // down
    EXPECT_EQ(P.At(60 + 6, 8), clBlack);
    EXPECT_EQ(P.At(60 + 7, 4), ColorToRGB(clBtnFace));
}

// ---- Text --------------------------------------------------------------------------------------------

TEST(GxGraphicsProvider, TextInARectangleIsAlignedCentredAndCutWithAnEllipsis)
{
    TPaper P(100, 90);
    P.Canvas()->GetFont()->SetColor(clBlack);
    TGraphicsProvider::DrawTextRect(P.Canvas(), TRect(0, 0, 100, 20), taLeftJustify, u"WW", bdLeftToRight);
    EXPECT_EQ(P.Canvas()->GetBrush()->GetStyle(), bsSolid);
    TGraphicsProvider::DrawTextRect(P.Canvas(), TRect(0, 20, 100, 40), taRightJustify, u"WW", bdLeftToRight);
    DrawTextRect(P.Canvas(), TRect(0, 40, 100, 60), taCenter, u"WW", bdLeftToRight);
    const TRect Left = P.Ink(TRect(0, 0, 100, 20));
    const TRect Right = P.Ink(TRect(0, 20, 100, 40));
    const TRect Centre = P.Ink(TRect(0, 40, 100, 60));
    EXPECT_LE(Left.Left, 1);
    EXPECT_GE(Right.Right, 98);
    EXPECT_NEAR((Centre.Left + Centre.Right) / 2.0, 50, 2);
    EXPECT_NEAR((Left.Top + Left.Bottom) / 2.0, 10, 4); // vertically centred
    EXPECT_EQ(Left.Width(), Right.Width());

    // Too long for 40 pixels: the end becomes dots, low on the line; the
    // same text without the ellipsis is cut by the rectangle, strokes to the top.
    const WideString Long = u"WWWWWWWWWWWWWWWW";
    DrawTextRect(P.Canvas(), TRect(0, 60, 40, 75), taLeftJustify, Long, bdLeftToRight);
    TGraphicsProvider::DrawWrapedTextRect(P.Canvas(), TRect(50, 60, 90, 75), taLeftJustify, taAlignTop, false, Long,
                                          bdLeftToRight);
    const TRect Cut = P.Ink(TRect(0, 60, 40, 75));
    const TRect Clipped = P.Ink(TRect(50, 60, 90, 75));
    EXPECT_LE(Cut.Right, 40);
    EXPECT_GE(Clipped.Right, 88);
    const TRect Dots = P.Ink(TRect(Cut.Right - 3, 60, Cut.Right, 75));
    const TRect Strokes = P.Ink(TRect(84, 60, 90, 75));
    EXPECT_LE(Dots.Height(), 3);
    EXPECT_GT(Strokes.Height(), 5);
}

TEST(GxGraphicsProvider, WrappedTextSitsWhereItsAlignmentsSay)
{
    TPaper P(150, 120);
    const WideString Text = u"aaa bbb ccc ddd eee";
    TGraphicsProvider::DrawWrapedTextRect(P.Canvas(), TRect(0, 0, 40, 120), taLeftJustify, taAlignTop, true, Text,
                                          bdLeftToRight);
    TGraphicsProvider::DrawWrapedTextRect(P.Canvas(), TRect(50, 0, 90, 120), taLeftJustify, taAlignBottom, true, Text,
                                          bdLeftToRight);
    TGraphicsProvider::DrawWrapedTextRect(P.Canvas(), TRect(100, 0, 140, 120), taCenter, taVerticalCenter, true, Text,
                                          bdLeftToRight);
    const TRect Top = P.Ink(TRect(0, 0, 40, 120));
    const TRect Bottom = P.Ink(TRect(50, 0, 90, 120));
    const TRect Middle = P.Ink(TRect(100, 0, 140, 120));
    EXPECT_GT(Top.Height(), 3 * 10); // several lines
    EXPECT_LE(Top.Top, 4);
    EXPECT_GE(Bottom.Bottom, 116);
    EXPECT_EQ(Bottom.Height(), Top.Height());
    EXPECT_NEAR((Middle.Top + Middle.Bottom) / 2.0, 60, 4);
    EXPECT_EQ(P.Canvas()->GetBrush()->GetStyle(), bsSolid);

    // Text beyond Latin-1 reaches the canvas whole.
    TPaper Q(80, 20);
    DrawTextRect(Q.Canvas(), TRect(0, 0, 80, 20), taLeftJustify, u"\u03A9\u0416\u4E2D", bdRightToLeft);
    EXPECT_GT(Q.Ink(TRect(0, 0, 80, 20)).Width(), 10);
}

TEST(GxSharedRoutines, VerticalTextRunsUpwardsFromTheBottomAndKeepsTheFont)
{
    TPaper P(60, 120);
    TCanvas* C = P.Canvas();
    const int Height = C->TextHeight("W");
    DrawVerticalText(C, TRect(10, 10, 50, 110), "WWWWWW");
    EXPECT_EQ(C->GetBrush()->GetStyle(), bsClear);
    const TRect Ink = P.Ink(TRect(0, 0, 60, 120));
    EXPECT_GT(Ink.Height(), 2 * Ink.Width());
    EXPECT_GE(Ink.Left, 10);
    EXPECT_LE(Ink.Right, 10 + Height + 1);
    EXPECT_LE(Ink.Bottom, 110 - Height + 1); // the line's cell sits at the bottom
    EXPECT_GE(Ink.Top, 10);
    LOGFONT LF;
    GetObject(C->GetFont()->GetHandle(), sizeof(LF), &LF);
    EXPECT_EQ(LF.lfEscapement, 0);
    EXPECT_EQ(C->TextHeight("W"), Height);

    // Kept inside its rectangle: a long text stops at the top edge.
    TPaper Q(60, 60);
    DrawVerticalText(Q.Canvas(), TRect(10, 20, 50, 60), "WWWWWWWWWWWWWWWWWWWW");
    EXPECT_GE(Q.Ink(TRect(0, 0, 60, 60)).Top, 20);
}

TEST(GxSharedRoutines, PolylinesFlipACopy)
{
    TPaper P(20, 20);
    const std::vector<TPoint> Line{{0, 2}, {10, 2}};
    DrawPolyline(P.Canvas(), Line, TRect(0, 0, 20, 20), true);
    EXPECT_EQ(P.At(5, 18), clBlack); // 2 * 10 - 2
    EXPECT_EQ(P.At(5, 2), clWhite);
    EXPECT_EQ(Line[0].Y, 2);
    DrawPolyline(P.Canvas(), Line, TRect(0, 0, 20, 20), false);
    EXPECT_EQ(P.At(5, 2), clBlack);
}

TEST(GxDisplayProvider, FontPreviewOnTheHighlight)
{
    TPaper P(40, 20);
    TDisplayProvider::DrawFontPreview(P.Canvas(), TRect(2, 2, 30, 18), "Tahoma");
    EXPECT_EQ(P.At(2, 17), ColorToRGB(clHighlight));
    EXPECT_EQ(P.At(29, 2), ColorToRGB(clHighlight));
    EXPECT_EQ(P.At(30, 2), clWhite);
    EXPECT_EQ(P.Canvas()->GetFont()->GetSize(), 8);
    EXPECT_EQ(P.Canvas()->GetFont()->GetName(), "Tahoma");
    EXPECT_NE(P.Ink(TRect(2, 2, 30, 18), ColorToRGB(clHighlight)), TRect()); // "ab"
}

// ---- Bitmaps ------------------------------------------------------------------------------------------

TEST(GxMaskProvider, MaskedImagesBlendByTheMasksBrightness)
{
    TPaper P(20, 10, clBlue);
    std::unique_ptr<TBitmap> Image(NewBitmap(pf8bit, 3, 2, clRed));
    std::unique_ptr<TBitmap> Mask(NewBitmap(pf4bit, 3, 2, clWhite));
    Mask->GetCanvas()->SetPixels(1, 0, clBlack);
    Mask->GetCanvas()->SetPixels(2, 0, clGray);
    TMaskProvider::DrawMaskedImage(P.Canvas(), 5, 5, Image.get(), Mask.get());
    EXPECT_EQ(P.At(5, 5), TColor(0x0000FE)); // white: the image
    EXPECT_EQ(P.At(6, 5), TColor(0xFE0000)); // black: the ground
    EXPECT_EQ(P.At(7, 5), TMaskProvider::MixColors(clRed, clBlue, 128));
    EXPECT_EQ(P.At(8, 5), clBlue);
    EXPECT_EQ(Image->GetPixelFormat(), pf24bit);
    EXPECT_EQ(Mask->GetPixelFormat(), pf24bit);

    std::unique_ptr<TBitmap> Small(NewBitmap(pf24bit, 2, 2, clWhite));
    try {
        TMaskProvider::DrawMaskedImage(P.Canvas(), 0, 0, Image.get(), Small.get());
        FAIL() << "no exception";
    } catch (const Exception& E) {
        EXPECT_EQ(E.Message, "Image and Mask size differ");
    }
    EXPECT_EQ(P.At(0, 0), clBlue);
    TBitmap Empty1, Empty2;
    TMaskProvider::DrawMaskedImage(P.Canvas(), 0, 0, &Empty1, &Empty2);
    EXPECT_EQ(P.At(0, 0), clBlue);
}

TEST(GxDrawProvider, ThirtyTwoBitPicturesBlendByTheirAlpha)
{
    std::unique_ptr<TBitmap> Picture(NewBitmap(pf32bit, 3, 1, clRed));
    SetPixel32(Picture.get(), 0, 0, clRed, 255);
    SetPixel32(Picture.get(), 1, 0, clRed, 0);
    SetPixel32(Picture.get(), 2, 0, clRed, 128);

    TPaper P(20, 10, clBlue);
    TDrawProvider::ApplyBitmap(P.Canvas(), 1, 1, Picture.get());
    EXPECT_EQ(P.At(1, 1), clRed);
    EXPECT_EQ(P.At(2, 1), clBlue);
    EXPECT_EQ(P.At(3, 1), TColor(RGB(128, 0, 127)));

    ApplyBitmap(P.Canvas(), 1, 3, Picture.get());
    EXPECT_EQ(P.At(1, 3), TColor(0x0000FE));
    EXPECT_EQ(P.At(2, 3), TColor(0xFE0000));
    EXPECT_EQ(P.At(3, 3), TMaskProvider::MixColors(clRed, clBlue, 128));

    TDrawProvider::DrawBitmap(P.Canvas(), 1, 5, Picture.get(), clLime);
    EXPECT_EQ(P.At(1, 5), TColor(0x0000FE));
    EXPECT_EQ(P.At(2, 5), TColor(0x00FE00));
    EXPECT_EQ(Picture->GetScanLine(0)[4 + 3], 0); // the picture itself unchanged

    TDrawProvider::GrayscaleBitmap(P.Canvas(), 1, 7, Picture.get(), clWhite);
    EXPECT_EQ(P.At(1, 7), TColor(RGB(84, 84, 84))); // (0 + 0 + 255) / 3, blended at 255
    EXPECT_EQ(P.At(2, 7), TColor(0xFEFEFE));

    // Other formats are drawn as they are; grey turns the bitmap itself grey.
    std::unique_ptr<TBitmap> Plain(NewBitmap(pf8bit, 2, 1, clRed));
    TDrawProvider::ApplyBitmap(P.Canvas(), 10, 1, Plain.get());
    ApplyBitmap(P.Canvas(), 10, 3, Plain.get());
    TDrawProvider::DrawBitmap(P.Canvas(), 10, 5, Plain.get(), clLime);
    EXPECT_EQ(P.At(10, 1), clRed);
    EXPECT_EQ(P.At(11, 3), clRed);
    EXPECT_EQ(P.At(10, 5), clRed);
    TDrawProvider::GrayscaleBitmap(P.Canvas(), 10, 7, Plain.get(), clLime);
    EXPECT_EQ(P.At(10, 7), TColor(RGB(85, 85, 85)));
    EXPECT_EQ(Plain->GetPixelFormat(), pf24bit);
    EXPECT_EQ(Plain->GetScanLine(0)[0], 85);

    // Empty bitmaps draw nothing.
    TBitmap Empty;
    Empty.SetPixelFormat(pf32bit);
    TDrawProvider::ApplyBitmap(P.Canvas(), 0, 0, &Empty);
    ApplyBitmap(P.Canvas(), 0, 0, &Empty);
    TDrawProvider::DrawBitmap(P.Canvas(), 0, 0, &Empty, clLime);
    TDrawProvider::GrayscaleBitmap(P.Canvas(), 0, 0, &Empty, clLime);
    TDrawProvider::ApplyBitmap(P.Canvas(), 0, 0, nullptr);
    EXPECT_EQ(P.At(0, 0), clBlue);

    // Partly outside the canvas: only the part inside lands.
    TDrawProvider::ApplyBitmap(P.Canvas(), 18, 9, Picture.get());
    EXPECT_EQ(P.At(18, 9), clRed);
    EXPECT_EQ(P.At(19, 9), clBlue);
}

TEST(GxSharedRoutines, ThirtyTwoBitCopiesSaveAndResourcesDraw)
{
    TTempDir Dir;
    std::unique_ptr<TBitmap> Picture(NewBitmap(pf24bit, 3, 2, clTeal));
    Save32BitBitmap(Picture.get(), Dir.Path() + "plain.bmp");
    TBitmap Loaded;
    Loaded.LoadFromFile(Dir.Path() + "plain.bmp");
    EXPECT_EQ(Loaded.GetPixelFormat(), pf32bit);
    EXPECT_EQ(Loaded.GetCanvas()->GetPixels(2, 1), clTeal);
    EXPECT_EQ(Loaded.GetScanLine(1)[3], 255);
    EXPECT_EQ(Picture->GetPixelFormat(), pf24bit); // the original stays as it was
    std::unique_ptr<TBitmap> Alpha(NewBitmap(pf32bit, 2, 1, clRed));
    SetPixel32(Alpha.get(), 1, 0, clRed, 7);
    Save32BitBitmap(Alpha.get(), Dir.Path() + "alpha.bmp");
    Loaded.LoadFromFile(Dir.Path() + "alpha.bmp");
    EXPECT_EQ(Loaded.GetScanLine(0)[4 + 3], 7);

    RegisterBitmapResource("GXTESTGLYPH", [](TBitmap* B) {
        B->SetPixelFormat(pf24bit);
        B->SetSize(4, 4);
        B->GetCanvas()->GetBrush()->SetColor(clGreen);
        B->GetCanvas()->FillRect(TRect(0, 0, 4, 4));
        B->GetCanvas()->SetPixels(1, 1, clRed);
    });
    TPaper P(20, 10);
    TGraphicsProvider::DrawBitmapFromRes(P.Canvas(), 0, 0, "GXTESTGLYPH", false);
    TGraphicsProvider::DrawBitmapFromRes(P.Canvas(), 5, 0, "gxtestglyph", true);
    TGraphicsProvider::DrawImageFromRes(P.Canvas(), 10, 0, "GxTestGlyph");
    EXPECT_EQ(P.At(0, 0), clGreen);
    EXPECT_EQ(P.At(1, 1), clRed);
    EXPECT_EQ(P.At(5, 0), clWhite); // the bottom-left colour is left out
    EXPECT_EQ(P.At(6, 1), clRed);
    EXPECT_EQ(P.At(10, 3), clWhite);
    EXPECT_EQ(P.At(11, 1), clRed);
    EXPECT_THROW(TGraphicsProvider::DrawImageFromRes(P.Canvas(), 0, 0, "NOSUCHGLYPH"), EResNotFound);
}

// ---- HTML colours -------------------------------------------------------------------------------------

TEST(GxHtmlColors, NamesAndHexadecimalTextsBothWays)
{
    EXPECT_EQ(GetHTMLColorName("Red"), "#FF0000");
    EXPECT_EQ(GetHTMLColorName("LIGHTGREY"), "#D3D3D3");
    EXPECT_EQ(GetHTMLColorName("transparent"), "#FFFFFF");
    EXPECT_EQ(GetHTMLColorName("NoSuchColour"), "NoSuchColour");

    EXPECT_EQ(GetColorFromHTML("Red"), TColor(0x0000FF));
    EXPECT_EQ(GetColorFromHTML("#00FF00"), TColor(0x00FF00));
    EXPECT_EQ(GetColorFromHTML("#0000ff"), TColor(0xFF0000));
    EXPECT_EQ(GetColorFromHTML("#123456"), TColor(0x563412));
    EXPECT_EQ(GetColorFromHTML("neither"), clNone);
    EXPECT_EQ(GetColorFromHTML("#12345G"), clNone);
    EXPECT_EQ(GetColorFromHTML("#1234567890"), clNone);

    EXPECT_EQ(HTMLColorToString(TColor(0x0000FF)), "#FF0000");
    EXPECT_EQ(HTMLColorToString(TColor(0x563412)), "#123456");
    EXPECT_EQ(HTMLColorToString(clBtnFace), "#D4D0C8");
    for (int I = 0; I < GxConsts::WebColorNameCount; ++I) {
        const GxConsts::TColorName& Entry = GxConsts::WebColorNames[I];
        EXPECT_EQ(HTMLColorToString(GetColorFromHTML(Entry.cnColorName)), Entry.cnColorValue) << Entry.cnColorName;
    }
}

} // namespace
