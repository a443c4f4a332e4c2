// grid/shared/GxSharedDraw_Effects.cpp: gradients, glass, shine and fade,
// bitmaps with alpha and grey bitmaps.
#include "grid/shared/GxSharedCommon.h"
#include "grid/shared/GxSharedDraw.h"
#include "platform/win/WinGdi.h"

#include <cmath>
#include <cstdlib>

namespace GxSharedDraw {

using namespace GxSharedCommon;

namespace {

bool IsEmpty(const TRect& Rect)
{
    return Rect.Right <= Rect.Left || Rect.Bottom <= Rect.Top;
}

int WidthOf(const TRect& Rect)
{
    return int(std::int64_t(Rect.Right) - Rect.Left);
}

int HeightOf(const TRect& Rect)
{
    return int(std::int64_t(Rect.Bottom) - Rect.Top);
}

void VerticalLine(TCanvas* Canvas, int X, int Top, int Bottom, TColor Color)
{
    Canvas->GetPen()->SetColor(Color);
    Canvas->MoveTo(X, Top);
    Canvas->LineTo(X, Bottom);
}

int AlphaOf(double Ratio)
{
    return int(std::clamp<Int64>(Round(Ratio * 255), 0, 255));
}

void PutPixel(Byte* Row, int X, TColor Color)
{
    Byte* P = Row + std::size_t(X) * 3;
    PutColorValues24(P, GetRValue(COLORREF(Color)), GetGValue(COLORREF(Color)), GetBValue(COLORREF(Color)));
}

// A 24-bit bitmap of Rect's size whose row Y (0 based) is filled by
// Fill(Row, Y, Width), drawn at Rect's top-left corner.
template <class TFill> void DrawRows(TCanvas* Canvas, const TRect& Rect, TFill Fill)
{
    if (IsEmpty(Rect)) return;
    TBitmap Bitmap;
    Bitmap.SetPixelFormat(pf24bit);
    Bitmap.SetSize(WidthOf(Rect), HeightOf(Rect));
    for (int Y = 0; Y < Bitmap.GetHeight(); ++Y)
        Fill(Bitmap.GetScanLine(Y), Y, Bitmap.GetWidth());
    Canvas->Draw(Rect.Left, Rect.Top, &Bitmap);
}

// The colour of row Y of H of a glass gradient.
TColor GlassRow(TColor FromColor, TColor ToColor, int Y, int H, int GlassHeight)
{
    TColor Row = BlendColor(ToColor, FromColor, AlphaOf(double(Y) / H));
    if (Y < GlassHeight) Row = BlendColor(Row, clWhite, AlphaOf(Y / (double(GlassHeight) * 2)));
    return Row;
}

} // namespace

// ---- Gradients ----------------------------------------------------------------------------------------

void DrawHorzGradient(TCanvas* Canvas, const TRect& Rect, TColor FromColor, TColor ToColor)
{
    if (IsEmpty(Rect)) return;
    const double Width = WidthOf(Rect);
    for (int X = Rect.Left; X < Rect.Right; ++X)
        VerticalLine(Canvas, X, Rect.Top, Rect.Bottom, BlendColor(FromColor, ToColor, (X - double(Rect.Left)) / Width));
}

void DrawHorzReflectGrad(TCanvas* Canvas, const TRect& Rect, TColor FromColor, TColor ToColor)
{
    if (IsEmpty(Rect)) return;
    // From the middle column outwards, a factor of 0 there and 1 at the
    // edges (the old factor ran from -0.5 to 0, outside a blend's range).
    const int Width = WidthOf(Rect);
    const int Mid = Rect.Left + Width / 2;
    const double Half = std::max(1.0, Width / 2.0);
    for (int X = Rect.Left; X < Rect.Right; ++X)
        VerticalLine(Canvas, X, Rect.Top, Rect.Bottom,
                     BlendColor(FromColor, ToColor, std::min(1.0, std::abs(double(X) - Mid) / Half)));
}

void DrawVertGradient(TCanvas* Canvas, const TRect& Rect, TColor FromColor, TColor ToColor)
{
    // The provider's DrawGradient draws exactly these rows, top to bottom.
    if (IsEmpty(Rect)) return;
    TGraphicsProvider::DrawGradient(Canvas, Rect, FromColor, ToColor);
}

void DrawVertGlass(TCanvas* Canvas, const TRect& Rect, TColor FromColor, TColor ToColor, int GlassHeight)
{
    DrawRows(Canvas, Rect, [&](Byte* Row, int Y, int Width) {
        const TColor Color = GlassRow(FromColor, ToColor, Y, HeightOf(Rect), GlassHeight);
        for (int X = 0; X < Width; ++X)
            PutPixel(Row, X, Color);
    });
}

void DrawVertShine(TCanvas* Canvas, const TRect& Rect, TColor FromColor, TColor ToColor, int ShineHeight)
{
    const std::int64_t Mid = WidthOf(Rect) / 2;
    DrawRows(Canvas, Rect, [&](Byte* Row, int Y, int Width) {
        const TColor Color = GlassRow(FromColor, ToColor, Y, HeightOf(Rect), ShineHeight);
        for (int X = 0; X < Width; ++X) {
            const int W = int(std::clamp<std::int64_t>(std::llabs(Mid - X) * 2 + 100, 0, 255));
            PutPixel(Row, X, BlendColor(Color, clWhite, W));
        }
    });
}

void DrawVertFade(TCanvas* Canvas, const TRect& Rect)
{
    if (IsEmpty(Rect)) return;
    const int Width = WidthOf(Rect);
    const int Rows = HeightOf(Rect) / 2;
    if (Rows == 0) return;
    TBitmap Bitmap;
    Bitmap.SetPixelFormat(pf24bit);
    Bitmap.SetSize(Width, Rows);
    Bitmap.GetCanvas()->CopyRect(TRect(0, 0, Width, Rows), Canvas, Bounds(Rect.Left, Rect.Top, Width, Rows));
    int Alpha = 150;
    for (int Y = 0; Y < Rows && Alpha >= 0; ++Y, Alpha -= 7) {
        Byte* Row = Bitmap.GetScanLine(Y);
        for (int X = 0; X < Width; ++X) {
            const Byte* P = Row + std::size_t(X) * 3;
            PutPixel(Row, X, BlendColor(clWhite, TColor(RGB(P[2], P[1], P[0])), Alpha));
        }
    }
    Canvas->Draw(Rect.Left, Rect.Top, &Bitmap);
}

// ---- Bitmaps ----------------------------------------------------------------------------------------------

void ApplyBitmap(TCanvas* Canvas, int X, int Y, TBitmap* Bitmap)
{
    GxSharedCommon::ApplyBitmap(Canvas, X, Y, Bitmap);
}

void DrawBitmap(TCanvas* Canvas, int X, int Y, TBitmap* Bitmap, TColor Color)
{
    TDrawProvider::DrawBitmap(Canvas, X, Y, Bitmap, Color);
}

void DrawBitmapRes(TCanvas* Canvas, int X, int Y, const AnsiString& ResName, bool Transparent)
{
    TGraphicsProvider::DrawBitmapFromRes(Canvas, X, Y, ResName, Transparent);
}

void GrayscaleBitmap(TBitmap* Bitmap)
{
    if (!Bitmap || Bitmap->GetEmpty()) return;
    const TPixelFormat Format = Bitmap->GetPixelFormat();
    if (Format == pf4bit) {
        GrayscaleSimpleBitmap(Bitmap);
        return;
    }
    if (Format != pf24bit && Format != pf32bit) return;
    for (int Y = 0; Y < Bitmap->GetHeight(); ++Y) {
        Byte* P = Bitmap->GetScanLine(Y);
        for (int X = 0; X < Bitmap->GetWidth(); ++X)
            Format == pf24bit ? GrayscaleValues24(P) : GrayscaleValues32(P);
    }
}

void GrayscaleSimpleBitmap(TBitmap* Bitmap)
{
    if (!Bitmap || Bitmap->GetEmpty()) return;
    const int Width = Bitmap->GetWidth();
    const int Height = Bitmap->GetHeight();
    TBitmap Mask;
    Mask.Assign(Bitmap);
    Mask.Mask(Bitmap->GetCanvas()->GetPixels(0, Height - 1));
    TCanvas* Canvas = Bitmap->GetCanvas();
    Canvas->GetBrush()->SetColor(clBtnFace);
    Canvas->FillRect(TRect(0, 0, Width, Height));
    HDC MaskDC = Mask.GetCanvas()->GetHandle();
    // Raster operation $E20746 paints the brush where the source is white and
    // keeps the picture elsewhere. The mask holds the background as white, so
    // its colours are swapped on the way in: the shape arrives white and takes
    // the brush, the background keeps the button face.
    auto Emboss = [&](TColor Color, int X, int Y) {
        Canvas->GetBrush()->SetColor(Color);
        HDC DC = Canvas->GetHandle(); // selects the brush
        SetBkColor(DC, RGB(0, 0, 0));
        SetTextColor(DC, RGB(255, 255, 255));
        BitBlt(DC, X, Y, Width, Height, MaskDC, 0, 0, 0x00E20746);
    };
    Emboss(clBtnHighlight, 1, 1);
    Emboss(clBtnShadow, 0, 0);
    Canvas->Refresh(); // the text and background colours are the font's again
}

} // namespace GxSharedDraw
