// The shared drawing routines' colour arithmetic, pixel rows and '&'
// prefixes; what they paint is probed on the sheet (GxSharedDrawSheetTest.cpp).
#include "grid/shared/GxSharedDraw.h"
#include "grid/shared/GxThemesSupport.h"
#include "platform/win/WinGdi.h"

#include <gtest/gtest.h>

#include <memory>

using namespace GxSharedDraw;

TEST(GxSharedDraw, BlendingMixingAndLightening)
{
    EXPECT_EQ(BlendColor(clWhite, clBlack, 255), TColor(0xFEFEFE));
    try {
        BlendColor(clWhite, clBlack, 256);
        ADD_FAILURE() << "no assertion";
    } catch (const EAssertionFailed& E) {
        EXPECT_EQ(E.UnitName, "GxSharedDraw");
    }
    EXPECT_EQ(BlendColor(clRed, clBlue, 0.5), TColor(0x800080));
    EXPECT_EQ(MixBytes(255, 0, 255), 254);
    EXPECT_EQ(MixBytes(200, 100, 0), 99);
    EXPECT_EQ(Lighten(TColor(0xFF8000), 100), TColor(0xFFE464));
    EXPECT_EQ(Lighten(TColor(0x123456), -300), clBlack);
    EXPECT_EQ(Lighten(clBtnFace, 0), TColor(ColorToRGB(clBtnFace)));
    EXPECT_EQ(Lighten(clWhite, 2147483647), clWhite);
}

TEST(GxSharedDraw, NamedColoursFollowTheThemes)
{
    const bool Themed = GxThemesSupport::IsThemed();
    EXPECT_EQ(GetColor(ceToolBtnDFromColor), Themed ? TColor(0x4E91FE) : TColor(0xB291FE));
    EXPECT_EQ(GetColor(ceMenuHighlight), Themed ? TColor(0xC2EEFF) : BlendColor(clHighlight, clWindow, 80));
    EXPECT_EQ(GetColor(ceToolBtnBorder), TColor(GetSysColor(COLOR_HOTLIGHT)));
    EXPECT_EQ(GetColor(TColorElement(13)), clNone);
}

TEST(GxSharedDraw, PixelRowsAreReadWrittenAndGreyedInPlace)
{
    Byte Row[8] = {1, 2, 3, 4, 5, 6, 7, 8};
    Byte* P = Row;
    PutColorValues32(P, 30, 60, 90);
    PutColorValues24(P, 10, 20, 30);
    EXPECT_EQ(P, Row + 7);
    EXPECT_EQ(Row[0], 90);
    EXPECT_EQ(Row[3], 4); // alpha untouched
    Byte R = 0, G = 0, B = 0, A = 0;
    P = Row;
    SetColorValues32(P, R, G, B, A);
    EXPECT_EQ(RGB(R, G, B), RGB(30, 60, 90));
    EXPECT_EQ(A, 4);
    SetColorValues24(P, R, G, B);
    EXPECT_EQ(P, Row + 7);
    EXPECT_EQ(RGB(R, G, B), RGB(10, 20, 30));
    P = Row;
    GrayscaleValues32(P);
    EXPECT_EQ(P, Row + 4);
    EXPECT_EQ((std::vector<int>{Row[0], Row[1], Row[2], Row[3]}), (std::vector<int>{60, 60, 60, 4}));
    Byte White[3] = {255, 255, 255};
    P = White;
    GrayscaleValues24(P); // 765 / 3 without overflowing a byte
    EXPECT_EQ(White[0], 255);
}

namespace {
// A white 80 x 16 bitmap with Routine's black text.
template <class TRoutine> std::unique_ptr<TBitmap> Drawn(TRoutine Routine)
{
    auto B = std::make_unique<TBitmap>();
    B->SetPixelFormat(pf24bit);
    B->SetSize(80, 16);
    B->GetCanvas()->GetBrush()->SetColor(clWhite);
    B->GetCanvas()->FillRect(TRect(0, 0, 80, 16));
    B->GetCanvas()->GetFont()->SetColor(clBlack);
    Routine(B->GetCanvas(), TRect(0, 0, 80, 16));
    return B;
}

// The longest run of pure black below the base line (the underline).
int UnderlineRun(TBitmap* B, int Ascent)
{
    int Best = 0;
    for (int Y = Ascent; Y < B->GetHeight(); ++Y) {
        int Run = 0;
        for (int X = 0; X < B->GetWidth(); ++X) {
            Run = B->GetCanvas()->GetPixels(X, Y) == clBlack ? Run + 1 : 0;
            Best = std::max(Best, Run);
        }
    }
    return Best;
}

} // namespace

TEST(GxSharedDraw, PrefixUnderlinesWhereLiteralAmpersandDoesNot)
{
    TEXTMETRIC M;
    TBitmap Probe;
    Probe.SetSize(4, 4);
    GetTextMetrics(Probe.GetCanvas()->GetHandle(), &M);
    TSize A;
    GetTextExtentPoint32A(Probe.GetCanvas()->GetHandle(), "A", 1, &A);
    const int Ascent = (16 - M.tmHeight - M.tmExternalLeading) / 2 + M.tmAscent;

    auto Prefixed = Drawn([](TCanvas* C, const TRect& R) { DrawPrefixText(C, R, u"&Ab"); });
    EXPECT_GE(UnderlineRun(Prefixed.get(), Ascent), A.cx - 1);
    auto ThroughText =
        Drawn([](TCanvas* C, const TRect& R) { GxSharedDraw::DrawText(C, R, taLeftJustify, u"&Ab", false); });
    EXPECT_GE(UnderlineRun(ThroughText.get(), Ascent), A.cx - 1);
    auto Literal = Drawn([](TCanvas* C, const TRect& R) { DrawTextRect(C, R, u"&Ab", bdLeftToRight); });
    EXPECT_LT(UnderlineRun(Literal.get(), Ascent), 3);
    auto NoPrefix =
        Drawn([](TCanvas* C, const TRect& R) { GxSharedDraw::DrawText(C, R, taLeftJustify, u"&Ab", true); });
    EXPECT_LT(UnderlineRun(NoPrefix.get(), Ascent), 3);
    auto Doubled = Drawn([](TCanvas* C, const TRect& R) { DrawPrefixText(C, R, u"&&Ab"); });
    EXPECT_LT(UnderlineRun(Doubled.get(), Ascent), 3);
}
