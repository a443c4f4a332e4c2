// Pixel probes of the shared drawing routines, drawn on bitmaps (and, for
// pseudo-transparency, in windows).
#include "grid/shared/GxSharedDraw.h"
#include "grid/shared/GxThemesSupport.h"
#include "platform/controls/Forms.h"
#include "platform/controls/TestDriving.h"
#include "platform/win/WinGdi.h"

#include <gtest/gtest.h>

#include <memory>

using namespace GxSharedDraw;

namespace {

// A pf24bit bitmap of W x H filled with Color.
std::unique_ptr<TBitmap> Surface(int W, int H, TColor Color = clWhite)
{
    auto B = std::make_unique<TBitmap>();
    B->SetPixelFormat(pf24bit);
    B->SetSize(W, H);
    B->GetCanvas()->GetBrush()->SetColor(Color);
    B->GetCanvas()->FillRect(TRect(0, 0, W, H));
    return B;
}

TColor Pixel(TBitmap* B, int X, int Y)
{
    return B->GetCanvas()->GetPixels(X, Y);
}

Byte Green(TColor C)
{
    return GetGValue(COLORREF(C));
}

} // namespace

TEST(GxSharedDraw, BlendingMixingAndLightening)
{
    EXPECT_EQ(BlendColor(clWhite, clBlack, 255), TColor(0xFEFEFE));
    EXPECT_EQ(BlendColor(clWhite, clBlack, 0), clBlack);
    EXPECT_EQ(BlendColor(clBtnFace, clBtnFace, 128), BlendColor(ColorToRGB(clBtnFace), ColorToRGB(clBtnFace), 128));
    try {
        BlendColor(clWhite, clBlack, 256);
        ADD_FAILURE() << "no assertion";
    } catch (const EAssertionFailed& E) {
        EXPECT_NE(AnsiString(E.what()).find("GxSharedDraw"), AnsiString::npos) << E.what();
    }
    EXPECT_THROW(BlendColor(clWhite, clBlack, -1), EAssertionFailed);
    EXPECT_EQ(BlendColor(clRed, clBlue, 0.5), TColor(0x800080));
    EXPECT_EQ(BlendColor(clRed, clBlue, 1.5), clBlue); // never beyond the ends
    EXPECT_EQ(BlendColor(clRed, clBlue, -0.5), clRed);
    EXPECT_EQ(MixBytes(255, 0, 255), 254);
    EXPECT_EQ(MixBytes(200, 100, 0), 99);
    EXPECT_EQ(MixBytes(255, 255, 128), 254);
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
    EXPECT_EQ(GetColor(ceToolbarToColor), Themed ? BlendColor(clHighlight, clInactiveCaptionText, 132) : clBtnFace);
    EXPECT_EQ(GetColor(ceToolBtnBorder), TColor(GetSysColor(COLOR_HOTLIGHT)));
    EXPECT_EQ(GetColor(ceToolBtnToColor), TColor(0x55ADFF));
    EXPECT_EQ(GetColor(TColorElement(13)), clNone);
}

TEST(GxSharedDraw, PixelRowsAreReadWrittenAndGreyedInPlace)
{
    Byte Row[8] = {1, 2, 3, 4, 5, 6, 7, 8};
    Byte* P = Row;
    PutColorValues32(P, 30, 60, 90);
    EXPECT_EQ(P, Row + 4);
    EXPECT_EQ(Row[0], 90);
    EXPECT_EQ(Row[2], 30);
    EXPECT_EQ(Row[3], 4); // alpha untouched
    PutColorValues24(P, 10, 20, 30);
    EXPECT_EQ(P, Row + 7);
    Byte R = 0, G = 0, B = 0, A = 0;
    P = Row;
    SetColorValues32(P, R, G, B, A);
    EXPECT_EQ(P, Row + 4);
    EXPECT_EQ(R, 30);
    EXPECT_EQ(B, 90);
    EXPECT_EQ(A, 4);
    SetColorValues24(P, R, G, B);
    EXPECT_EQ(P, Row + 7);
    EXPECT_EQ(R, 10);
    EXPECT_EQ(B, 30);
    P = Row;
    GrayscaleValues32(P);
    EXPECT_EQ(P, Row + 4);
    EXPECT_EQ(Row[0], 60);
    EXPECT_EQ(Row[1], 60);
    EXPECT_EQ(Row[2], 60);
    EXPECT_EQ(Row[3], 4);
    Byte White[3] = {255, 255, 255};
    P = White;
    GrayscaleValues24(P); // 765 / 3 without overflowing a byte
    EXPECT_EQ(White[0], 255);
}

TEST(GxSharedDraw, GradientsRunFromEndToEnd)
{
    auto B = Surface(120, 60);
    TCanvas* C = B->GetCanvas();
    DrawHorzGradient(C, TRect(10, 5, 110, 25), clRed, clBlue);
    EXPECT_EQ(Pixel(B.get(), 10, 5), clRed);
    EXPECT_EQ(Pixel(B.get(), 60, 24), BlendColor(clRed, clBlue, 0.5));
    EXPECT_EQ(Pixel(B.get(), 109, 10), BlendColor(clRed, clBlue, 0.99));
    EXPECT_EQ(Pixel(B.get(), 110, 10), clWhite);
    EXPECT_EQ(Pixel(B.get(), 50, 25), clWhite);

    DrawVertGradient(C, TRect(0, 30, 120, 60), clBlack, clLime);
    EXPECT_EQ(Pixel(B.get(), 0, 30), clBlack);
    EXPECT_EQ(Pixel(B.get(), 119, 45), BlendColor(clBlack, clLime, 0.5));
    EXPECT_EQ(Pixel(B.get(), 60, 59), BlendColor(clBlack, clLime, 29.0 / 30));
}

TEST(GxSharedDraw, ReflectedGradientBlendsFromTheMiddleOutwards)
{
    auto B = Surface(101, 4);
    DrawHorzReflectGrad(B->GetCanvas(), TRect(0, 0, 101, 4), clWhite, clBlack);
    EXPECT_EQ(Pixel(B.get(), 50, 0), clWhite);
    EXPECT_EQ(Pixel(B.get(), 0, 3), BlendColor(clWhite, clBlack, 50 / 50.5));
    for (int D = 1; D <= 50; D += 7) {
        EXPECT_EQ(Pixel(B.get(), 50 - D, 1), Pixel(B.get(), 50 + D, 1)) << D;
        EXPECT_LT(Green(Pixel(B.get(), 50 + D, 1)), Green(Pixel(B.get(), 50 + D - 1, 1))) << D;
    }
    auto One = Surface(1, 1, clRed);
    DrawHorzReflectGrad(One->GetCanvas(), TRect(0, 0, 1, 1), clWhite, clBlack);
    EXPECT_EQ(Pixel(One.get(), 0, 0), clWhite);
}

TEST(GxSharedDraw, GlassAndShineWhitenTheirBands)
{
    auto B = Surface(200, 40);
    TCanvas* C = B->GetCanvas();
    DrawVertGlass(C, TRect(0, 0, 100, 40), clBlue, clNavy, 10);
    auto Plain = [](int Y) { return BlendColor(clNavy, clBlue, int(Round(Y / 40.0 * 255))); };
    EXPECT_EQ(Pixel(B.get(), 0, 0), TColor(0xFEFEFE)); // white at the top
    EXPECT_EQ(Pixel(B.get(), 99, 5), BlendColor(Plain(5), clWhite, int(Round(5 / 20.0 * 255))));
    EXPECT_EQ(Pixel(B.get(), 50, 10), Plain(10)); // the band ends at GlassHeight
    EXPECT_EQ(Pixel(B.get(), 50, 39), Plain(39));
    EXPECT_EQ(Pixel(B.get(), 100, 0), clWhite);

    DrawVertShine(C, TRect(100, 0, 200, 40), clBlue, clNavy, 0);
    // Mid column 50: 100 of 255 row colour; 78 pixels away: the row colour.
    EXPECT_EQ(Pixel(B.get(), 150, 20), BlendColor(Plain(20), clWhite, 100));
    EXPECT_EQ(Pixel(B.get(), 149, 20), BlendColor(Plain(20), clWhite, 102));
    EXPECT_EQ(Pixel(B.get(), 100, 20), BlendColor(Plain(20), clWhite, 200));
    auto Wide = Surface(200, 2);
    DrawVertShine(Wide->GetCanvas(), TRect(0, 0, 200, 2), clBlue, clBlue, 0);
    EXPECT_EQ(Pixel(Wide.get(), 178, 1), BlendColor(BlendColor(clBlue, clBlue, 128), clWhite, 255));
    EXPECT_EQ(Pixel(Wide.get(), 199, 1), Pixel(Wide.get(), 178, 1));
}

TEST(GxSharedDraw, FadeWhitensAtMostTheTop22Rows)
{
    const TColor Base = 0x204060;
    auto B = Surface(30, 100, Base);
    DrawVertFade(B->GetCanvas(), TRect(0, 0, 30, 100));
    EXPECT_EQ(Pixel(B.get(), 0, 0), BlendColor(clWhite, Base, 150));
    EXPECT_EQ(Pixel(B.get(), 29, 1), BlendColor(clWhite, Base, 143));
    EXPECT_EQ(Pixel(B.get(), 10, 21), BlendColor(clWhite, Base, 3));
    EXPECT_EQ(Pixel(B.get(), 10, 22), Base);

    auto Short = Surface(10, 11, Base);
    DrawVertFade(Short->GetCanvas(), TRect(0, 0, 10, 11));
    EXPECT_EQ(Pixel(Short.get(), 5, 4), BlendColor(clWhite, Base, 150 - 4 * 7));
    EXPECT_EQ(Pixel(Short.get(), 5, 5), Base); // only the top half
}

TEST(GxSharedDraw, EmptyRectanglesAndBitmapsDrawNothing)
{
    auto B = Surface(20, 20, clRed);
    TCanvas* C = B->GetCanvas();
    for (const TRect& R : {TRect(5, 5, 5, 15), TRect(5, 5, 15, 5), TRect(15, 15, 5, 5)}) {
        DrawHorzGradient(C, R, clBlack, clBlack);
        DrawHorzReflectGrad(C, R, clBlack, clBlack);
        DrawVertGradient(C, R, clBlack, clBlack);
        DrawVertGlass(C, R, clBlack, clBlack, 5);
        DrawVertShine(C, R, clBlack, clBlack, 5);
        DrawVertFade(C, R);
    }
    DrawVertFade(C, TRect(0, 0, 20, 1)); // no whole row in the top half
    TBitmap Empty;
    Empty.SetPixelFormat(pf32bit);
    ApplyBitmap(C, 0, 0, &Empty);
    DrawBitmap(C, 0, 0, &Empty, clBlack);
    GrayscaleBitmap(&Empty);
    GrayscaleSimpleBitmap(&Empty);
    ApplyBitmap(C, 0, 0, nullptr);
    GrayscaleBitmap(nullptr);
    for (int Y = 0; Y < 20; Y += 3)
        for (int X = 0; X < 20; X += 3)
            ASSERT_EQ(Pixel(B.get(), X, Y), clRed) << X << "," << Y;
}

TEST(GxSharedDraw, AlphaBitmapsBlendTheirPixels)
{
    TBitmap Picture;
    Picture.SetPixelFormat(pf32bit);
    Picture.SetSize(2, 1);
    Byte* P = Picture.GetScanLine(0);
    const Byte Pixels[8] = {0, 0, 255, 128, 255, 0, 0, 255}; // red half, blue whole
    std::copy(Pixels, Pixels + 8, P);
    auto B = Surface(4, 1, clLime);
    ApplyBitmap(B->GetCanvas(), 1, 0, &Picture);
    EXPECT_EQ(Pixel(B.get(), 0, 0), clLime);
    EXPECT_EQ(Pixel(B.get(), 1, 0), BlendColor(clRed, clLime, 128));
    EXPECT_EQ(Pixel(B.get(), 2, 0), BlendColor(clBlue, clLime, 255));
    DrawBitmap(B->GetCanvas(), 0, 0, &Picture, clWhite);
    EXPECT_EQ(Pixel(B.get(), 0, 0), BlendColor(clRed, clWhite, 128));
    EXPECT_EQ(Pixel(B.get(), 1, 0), BlendColor(clBlue, clWhite, 255));
}

TEST(GxSharedDraw, GreyConversionByFormat)
{
    auto B = Surface(3, 1, TColor(RGB(30, 60, 91)));
    GrayscaleBitmap(B.get());
    EXPECT_EQ(Pixel(B.get(), 2, 0), TColor(RGB(60, 60, 60)));

    TBitmap Alpha;
    Alpha.SetPixelFormat(pf32bit);
    Alpha.SetSize(1, 1);
    Byte* P = Alpha.GetScanLine(0);
    P[0] = 255, P[1] = 0, P[2] = 0, P[3] = 77;
    GrayscaleBitmap(&Alpha);
    P = Alpha.GetScanLine(0);
    EXPECT_EQ(P[0], 85);
    EXPECT_EQ(P[2], 85);
    EXPECT_EQ(P[3], 77);

    auto Palette = Surface(2, 2, clRed);
    Palette->SetPixelFormat(pf8bit);
    GrayscaleBitmap(Palette.get());
    EXPECT_EQ(Pixel(Palette.get(), 1, 1), clRed);
}

TEST(GxSharedDraw, SixteenColourBitmapsBecomeEmbossed)
{
    auto B = Surface(10, 10, clWhite);
    B->GetCanvas()->GetBrush()->SetColor(clNavy);
    B->GetCanvas()->FillRect(TRect(2, 2, 6, 6));
    B->SetPixelFormat(pf4bit);
    GrayscaleBitmap(B.get());
    const TColor Face = ColorToRGB(clBtnFace), Light = ColorToRGB(clBtnHighlight), Dark = ColorToRGB(clBtnShadow);
    EXPECT_EQ(Pixel(B.get(), 0, 0), Face);
    EXPECT_EQ(Pixel(B.get(), 9, 9), Face);
    EXPECT_EQ(Pixel(B.get(), 2, 2), Dark);
    EXPECT_EQ(Pixel(B.get(), 5, 5), Dark);
    EXPECT_EQ(Pixel(B.get(), 6, 6), Light); // the highlight one pixel right and down
    EXPECT_EQ(Pixel(B.get(), 6, 3), Light);
    EXPECT_EQ(Pixel(B.get(), 7, 7), Face);
}

namespace {

// The columns of row Y that hold the exact colour Color.
int CountRow(TBitmap* B, int Y, TColor Color)
{
    int N = 0;
    for (int X = 0; X < B->GetWidth(); ++X)
        N += Pixel(B, X, Y) == Color;
    return N;
}

// The longest run of pure black below the base line (the underline).
int UnderlineRun(TBitmap* B, int Ascent)
{
    int Best = 0;
    for (int Y = Ascent; Y < B->GetHeight(); ++Y) {
        int Run = 0;
        for (int X = 0; X < B->GetWidth(); ++X) {
            Run = Pixel(B, X, Y) == clBlack ? Run + 1 : 0;
            Best = std::max(Best, Run);
        }
    }
    return Best;
}

} // namespace

TEST(GxSharedDraw, PrefixUnderlinesWhereLiteralAmpersandDoesNot)
{
    auto Draw = [](auto Routine) {
        auto B = Surface(80, 16);
        B->GetCanvas()->GetFont()->SetColor(clBlack);
        Routine(B->GetCanvas(), TRect(0, 0, 80, 16));
        return B;
    };
    TEXTMETRIC M;
    auto Probe = Surface(4, 4);
    GetTextMetrics(Probe->GetCanvas()->GetHandle(), &M);
    TSize A;
    GetTextExtentPoint32A(Probe->GetCanvas()->GetHandle(), "A", 1, &A);
    const int Ascent = (16 - M.tmHeight - M.tmExternalLeading) / 2 + M.tmAscent;

    auto Prefixed = Draw([](TCanvas* C, const TRect& R) { DrawPrefixText(C, R, u"&Ab"); });
    EXPECT_GE(UnderlineRun(Prefixed.get(), Ascent), A.cx - 1);
    auto ThroughText =
        Draw([](TCanvas* C, const TRect& R) { GxSharedDraw::DrawText(C, R, taLeftJustify, u"&Ab", false); });
    EXPECT_GE(UnderlineRun(ThroughText.get(), Ascent), A.cx - 1);
    auto Literal = Draw([](TCanvas* C, const TRect& R) { DrawTextRect(C, R, u"&Ab", bdLeftToRight); });
    EXPECT_LT(UnderlineRun(Literal.get(), Ascent), 3);
    auto NoPrefix = Draw([](TCanvas* C, const TRect& R) { GxSharedDraw::DrawText(C, R, taLeftJustify, u"&Ab", true); });
    EXPECT_LT(UnderlineRun(NoPrefix.get(), Ascent), 3);
    auto Doubled = Draw([](TCanvas* C, const TRect& R) { DrawPrefixText(C, R, u"&&Ab"); });
    EXPECT_LT(UnderlineRun(Doubled.get(), Ascent), 3);
    // Both draw on a clear brush and leave it solid.
    EXPECT_EQ(CountRow(Prefixed.get(), 0, clWhite), 80);
    EXPECT_EQ(Prefixed->GetCanvas()->GetBrush()->GetStyle(), bsSolid);
}

TEST(GxSharedDraw, DisabledTextIsEmbossedOnePixelRightAndDown)
{
    auto B = Surface(60, 20, clBtnFace);
    DrawDisabledText(B->GetCanvas(), TRect(0, 0, 60, 20), "HM", taCenter, true);
    EXPECT_EQ(B->GetCanvas()->GetFont()->GetColor(), clBtnShadow);
    const Byte Face = Green(ColorToRGB(clBtnFace));
    TRect Light(1000, 1000, -1, -1), Dark(1000, 1000, -1, -1);
    for (int Y = 0; Y < 20; ++Y)
        for (int X = 0; X < 60; ++X) {
            const Byte G = Green(Pixel(B.get(), X, Y));
            TRect& Box = G > Face ? Light : Dark;
            if (G == Face) continue;
            Box.Left = std::min<LONG>(Box.Left, X);
            Box.Top = std::min<LONG>(Box.Top, Y);
            Box.Right = std::max<LONG>(Box.Right, X);
            Box.Bottom = std::max<LONG>(Box.Bottom, Y);
        }
    ASSERT_GE(Dark.Right, 0);
    EXPECT_EQ(Light.Right, Dark.Right + 1);
    EXPECT_EQ(Light.Bottom, Dark.Bottom + 1);
    EXPECT_GT(Dark.Left, 15); // centred
}

namespace {

// A parent whose picture differs at every point: a gradient in each direction.
class TStriped : public TCustomControl {
public:
    explicit TStriped(TComponent* AOwner) : TCustomControl(AOwner) {}

protected:
    void Paint() override
    {
        for (int Y = 0; Y < GetClientHeight(); ++Y)
            for (int X = 0; X < GetClientWidth(); ++X)
                GetCanvas()->SetPixels(X, Y, TColor(RGB(Byte(X * 2), Byte(Y * 2), 40)));
    }
};

class TSeeThrough : public TCustomControl {
public:
    explicit TSeeThrough(TComponent* AOwner) : TCustomControl(AOwner) {}

protected:
    void Paint() override
    {
        GetCanvas()->GetBrush()->SetColor(clRed);
        GetCanvas()->FillRect(GetClientRect());
        DrawTransparent(this, GetCanvas());
        GetCanvas()->GetBrush()->SetColor(clBlue); // the canvas is its own again
        GetCanvas()->FillRect(TRect(0, 0, 2, 2));
    }
};

} // namespace

TEST(GxSharedDraw, ChildShowsItsParentsBackground)
{
    auto* Form = New<TForm>(Application);
    std::unique_ptr<TForm, FreeDeleter> Guard(Form);
    Form->SetClientWidth(120);
    Form->SetClientHeight(100);
    auto* Parent = New<TStriped>(Form);
    Parent->SetParent(Form);
    Parent->SetBounds(0, 0, 110, 90);
    auto* Child = New<TSeeThrough>(Form);
    Child->SetParent(Parent);
    Child->SetBounds(30, 20, 40, 30);
    Form->Show();
    platform::test::PaintNow(Parent);
    platform::test::PaintNow(Child);
    for (const TPoint& P : {TPoint(5, 5), TPoint(39, 29), TPoint(20, 10)})
        EXPECT_EQ(platform::test::PixelAt(Child, P.X, P.Y), TColor(RGB(Byte((P.X + 30) * 2), Byte((P.Y + 20) * 2), 40)))
            << P.X << "," << P.Y;
    EXPECT_EQ(platform::test::PixelAt(Child, 0, 0), clBlue);

    auto* Orphan = New<TSeeThrough>(nullptr); // no parent: only its own paint
    std::unique_ptr<TSeeThrough, FreeDeleter> OrphanGuard(Orphan);
    TBitmap Bitmap;
    Bitmap.SetSize(4, 4);
    DrawTransparent(Orphan, Bitmap.GetCanvas());
    EXPECT_EQ(Bitmap.GetCanvas()->GetPixels(3, 3), clWhite);
}
