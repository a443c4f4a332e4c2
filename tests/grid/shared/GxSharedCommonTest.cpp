// The providers' arithmetic, blends, masks, saving and HTML colours; what
// they paint is probed on the sheet (GxSharedCommonSheetTest.cpp).
#include "grid/shared/GxConsts.h"
#include "grid/shared/GxSharedCommon.h"
#include "tests/support/TestSupport.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

using namespace GxSharedCommon;

namespace {

TEST(GxCalcProvider, RatiosRectanglesPlacementAndPoints)
{
    EXPECT_DOUBLE_EQ(TCalcProvider::GetRatio(50, 200), 25);
    EXPECT_EQ(TCalcProvider::GetRatio(5, 0), 0); // an empty whole: 0, not infinity

    EXPECT_TRUE(TCalcProvider::IsRectInRect(TRect(0, 0, 10, 10), TRect(10, 10, 20, 20))); // touching
    EXPECT_FALSE(TCalcProvider::IsRectInRect(TRect(0, 0, 10, 10), TRect(11, 0, 20, 10)));
    EXPECT_FALSE(TCalcProvider::IsRectInRect(TRect(0, 12, 10, 20), TRect(0, 0, 10, 11)));

    const TRect R(0, 0, 21, 21);
    EXPECT_EQ(TCalcProvider::PosInRect(10, 10, 2, R, taCenter, taVerticalCenter), TPoint(5, 5));
    EXPECT_EQ(TCalcProvider::PosInRect(10, 10, 2, R, taRightJustify, taAlignBottom), TPoint(9, 9));
    EXPECT_EQ(TCalcProvider::PosInRect(10, 10, 2, R, taLeftJustify, taAlignTop), TPoint(2, 2));
    // Halving truncates towards zero, also left of the origin.
    EXPECT_EQ(TCalcProvider::PosInRect(10, 10, 0, TRect(-21, -21, 0, 0), taCenter, taVerticalCenter), TPoint(-15, -15));
    EXPECT_EQ(TCalcProvider::ResizeRect(TRect(10, 10, 20, 20), 1, -2, 3, -4), TRect(11, 8, 23, 16));

    EXPECT_TRUE(PointOffset(TPoint(0, 0), TPoint(1, 0), 0));
    EXPECT_FALSE(PointOffset(TPoint(0, 0), TPoint(-4, 4), 4));
    const LONG Far = std::numeric_limits<LONG>::max();
    EXPECT_TRUE(PointOffset(TPoint(-Far, 0), TPoint(Far, 0), 4)); // no overflow on the way
    std::vector<TPoint> Points{{1, 0}, {2, 3}, {3, 10}};
    FlipPointsVert(Points, TRect(0, 0, 10, 11)); // middle line 5
    EXPECT_EQ(Points, (std::vector<TPoint>{{1, 10}, {2, 7}, {3, 0}}));
}

TEST(GxGraphicsProvider, IntegerBlendsLoseOneStepAndNeverOverflow)
{
    for (int Alpha : {0, 128, 255})
        EXPECT_EQ(TGraphicsProvider::BlendColor(clWhite, clWhite, Alpha), TColor(0xFEFEFE)) << Alpha;
    EXPECT_EQ(TGraphicsProvider::BlendColor(clRed, clBlue, 128), TColor(0x7E007F));
    // Red and blue at full strength together: the sum passes 2^31.
    EXPECT_EQ(TGraphicsProvider::BlendColor(TColor(0xFF00FF), TColor(0xFF00FF), 128), TColor(0xFE00FE));
    // System colours are resolved first: the button face (212, 208, 200).
    EXPECT_EQ(TGraphicsProvider::BlendColor(clBtnFace, clBlack, 255), TColor(RGB(211, 207, 199)));
    for (int Alpha : {256, -1}) {
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
    EXPECT_EQ(TGraphicsProvider::BlendColor(clBlack, clWhite, 0.5), TColor(0x808080));                   // 127.5
    EXPECT_EQ(TGraphicsProvider::BlendColor(TColor(0x000000), TColor(0x050505), 0.5), TColor(0x020202)); // 2.5
    EXPECT_EQ(TGraphicsProvider::BlendColor(clHighlight, clWhite, 0.0), ColorToRGB(clHighlight));
    // Outside 0..1 the nearer end, never a channel wrapped round.
    EXPECT_EQ(TGraphicsProvider::BlendColor(clRed, clBlue, 1.5), clBlue);
    EXPECT_EQ(TGraphicsProvider::BlendColor(clRed, clBlue, -0.5), clRed);
    EXPECT_EQ(TGraphicsProvider::BlendColor(clRed, clBlue, std::nan("")), clRed);
}

TEST(GxMaskProvider, LevelsChannelsAndMismatchedMasks)
{
    EXPECT_EQ(TMaskProvider::GetColorLevel(clWhite), 255);
    EXPECT_EQ(TMaskProvider::GetColorLevel(clRed), 76);
    EXPECT_EQ(TMaskProvider::GetColorLevel(clLime), 150);
    Byte R = 0, G = 0, B = 0;
    TMaskProvider::GetRGB(clBtnFace, R, G, B);
    EXPECT_EQ(RGB(R, G, B), RGB(212, 208, 200));

    TBitmap Canvas, Image, Mask;
    Canvas.SetSize(4, 4);
    Image.SetSize(3, 2);
    Mask.SetSize(2, 2);
    try {
        TMaskProvider::DrawMaskedImage(Canvas.GetCanvas(), 0, 0, &Image, &Mask);
        ADD_FAILURE() << "no exception";
    } catch (const Exception& E) {
        EXPECT_EQ(E.Message, "Image and Mask size differ");
    }
}

TEST(GxSharedRoutines, ThirtyTwoBitCopiesKeepTheAlphaOrBecomeOpaque)
{
    TTempDir Dir;
    TBitmap Picture, Loaded;
    Picture.SetPixelFormat(pf24bit);
    Picture.SetSize(3, 2);
    Picture.GetCanvas()->GetBrush()->SetColor(clTeal);
    Picture.GetCanvas()->FillRect(TRect(0, 0, 3, 2));
    Save32BitBitmap(&Picture, Dir.Path() + "plain.bmp");
    Loaded.LoadFromFile(Dir.Path() + "plain.bmp");
    EXPECT_EQ(Loaded.GetPixelFormat(), pf32bit);
    EXPECT_EQ(Loaded.GetCanvas()->GetPixels(2, 1), clTeal);
    EXPECT_EQ(Loaded.GetScanLine(1)[3], 255);
    EXPECT_EQ(Picture.GetPixelFormat(), pf24bit); // the original stays as it was

    Picture.SetPixelFormat(pf32bit);
    Picture.GetScanLine(0)[4 + 3] = 7;
    Save32BitBitmap(&Picture, Dir.Path() + "alpha.bmp");
    Loaded.LoadFromFile(Dir.Path() + "alpha.bmp");
    EXPECT_EQ(Loaded.GetScanLine(0)[4 + 3], 7);
}

TEST(GxHtmlColors, NamesAndHexadecimalTextsBothWays)
{
    EXPECT_EQ(GetHTMLColorName("LIGHTGREY"), "#D3D3D3");
    EXPECT_EQ(GetHTMLColorName("NoSuchColour"), "NoSuchColour");
    EXPECT_EQ(GetColorFromHTML("Red"), TColor(0x0000FF));
    EXPECT_EQ(GetColorFromHTML("#123456"), TColor(0x563412));
    EXPECT_EQ(GetColorFromHTML("#0000ff"), TColor(0xFF0000));
    for (const char* Bad : {"neither", "#12345G", "#1234567890"})
        EXPECT_EQ(GetColorFromHTML(Bad), clNone) << Bad;
    EXPECT_EQ(HTMLColorToString(TColor(0x563412)), "#123456");
    EXPECT_EQ(HTMLColorToString(clBtnFace), "#D4D0C8");
    for (const GxConsts::TColorName& Entry : GxConsts::WebColorNames)
        EXPECT_EQ(HTMLColorToString(GetColorFromHTML(Entry.cnColorName)), Entry.cnColorValue) << Entry.cnColorName;
}

} // namespace
