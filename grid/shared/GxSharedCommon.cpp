// grid/shared/GxSharedCommon.cpp: arithmetic, colour blending, clipping, the
// free routines and the HTML colours.
#include "grid/shared/GxSharedCommon.h"
#include "grid/shared/GxConsts.h"
#include "platform/win/WinGdi.h"

#include <cstdlib>

namespace GxSharedCommon {

using namespace GxConsts;

namespace {

// Sums and products of coordinates in 64 bits, cut back to a coordinate.
LONG Coord(std::int64_t Value)
{
    return LONG(std::uint32_t(Value));
}

TColor Rgb(int R, int G, int B)
{
    return TColor(RGB(Byte(R), Byte(G), Byte(B)));
}

} // namespace

// ---- TCalcProvider -------------------------------------------------------------------------------

double TCalcProvider::GetRatio(double Part, double Whole)
{
    // Nothing is a part of an empty whole: no division by zero.
    if (Whole == 0) return 0;
    return Part / Whole * 100;
}

bool TCalcProvider::IsRectInRect(const TRect& R1, const TRect& R2)
{
    return !(R1.Right < R2.Left || R1.Left > R2.Right || R1.Bottom < R2.Top || R1.Top > R2.Bottom);
}

TPoint TCalcProvider::PosInRect(int Width, int Height, int Margin, const TRect& Rect, TAlignment Alignment,
                                TVerticalAlignment VerticalAlignment)
{
    std::int64_t X = 0, Y = 0;
    switch (Alignment) {
    case taLeftJustify:
        X = std::int64_t(Rect.Left) + Margin;
        break;
    case taRightJustify:
        X = std::int64_t(Rect.Right) - (std::int64_t(Width) + Margin);
        break;
    case taCenter:
        X = (std::int64_t(Rect.Left) + Rect.Right) / 2 - Width / 2;
        break;
    }
    switch (VerticalAlignment) {
    case taAlignTop:
        Y = std::int64_t(Rect.Top) + Margin;
        break;
    case taAlignBottom:
        Y = std::int64_t(Rect.Bottom) - (std::int64_t(Height) + Margin);
        break;
    case taVerticalCenter:
        Y = (std::int64_t(Rect.Top) + Rect.Bottom) / 2 - Height / 2;
        break;
    }
    return TPoint(Coord(X), Coord(Y));
}

TRect TCalcProvider::ResizeRect(const TRect& Rect, int DLeft, int DTop, int DRight, int DBottom)
{
    return TRect(Coord(std::int64_t(Rect.Left) + DLeft), Coord(std::int64_t(Rect.Top) + DTop),
                 Coord(std::int64_t(Rect.Right) + DRight), Coord(std::int64_t(Rect.Bottom) + DBottom));
}

// ---- Blending ----------------------------------------------------------------------------------------

TColor TGraphicsProvider::BlendColor(TColor Color1, TColor Color2, int Alpha)
{
    QM_ASSERT(Alpha >= 0 && Alpha < 256, "Assertion failure", "GxSharedCommon");
    const std::uint32_t C1 = std::uint32_t(ColorToRGB(Color1));
    const std::uint32_t C2 = std::uint32_t(ColorToRGB(Color2));
    const std::uint32_t A = std::uint32_t(Alpha);
    // Red and blue together, green apart; at most $FF00FF * 255, which fits
    // an unsigned 32-bit value.
    const std::uint32_t RedBlue = ((C1 & 0xFF00FF) * A + (C2 & 0xFF00FF) * (255 - A)) >> 8;
    const std::uint32_t Green = ((C1 & 0x00FF00) * A + (C2 & 0x00FF00) * (255 - A)) >> 8;
    return TColor((RedBlue & 0xFF00FF) | (Green & 0x00FF00));
}

TColor TGraphicsProvider::BlendColor(TColor Color1, TColor Color2, double Factor)
{
    // Outside 0..1 a channel would leave 0..255 and wrap into nonsense.
    if (!(Factor >= 0)) Factor = 0; // NaN too
    if (Factor > 1) Factor = 1;
    const TColor C1 = ColorToRGB(Color1);
    const TColor C2 = ColorToRGB(Color2);
    auto Mix = [Factor](Byte A, Byte B) { return int(Round(B * Factor + (1 - Factor) * A)) & 0xFF; };
    return Rgb(Mix(GetRValue(C1), GetRValue(C2)), Mix(GetGValue(C1), GetGValue(C2)), Mix(GetBValue(C1), GetBValue(C2)));
}

int TMaskProvider::GetColorLevel(TColor Color)
{
    const TColor C = ColorToRGB(Color);
    return (GetRValue(C) * 77 + GetGValue(C) * 151 + GetBValue(C) * 28) >> 8;
}

TColor TMaskProvider::MixColors(TColor Color1, TColor Color2, int Alpha)
{
    return TGraphicsProvider::BlendColor(Color1, Color2, Alpha);
}

void TMaskProvider::GetRGB(TColor Color, Byte& R, Byte& G, Byte& B)
{
    const TColor C = ColorToRGB(Color);
    R = GetRValue(C);
    G = GetGValue(C);
    B = GetBValue(C);
}

// ---- Clipping ------------------------------------------------------------------------------------------

void TGraphicsProvider::SetClipingRect(TCanvas* Canvas, const TRect& Rect)
{
    SetClipRect(Canvas, Rect);
}

void TGraphicsProvider::SetClipingPolygon(TCanvas* Canvas, const std::vector<TPoint>& Points, int)
{
    // Every point counts: leaving out the last one would cut a corner off.
    SetClipPoly(Canvas, Points);
}

void SetClipRect(TCanvas* Canvas, const TRect& Rect)
{
    HRGN Region = CreateRectRgnIndirect(&Rect);
    SelectClipRgn(Canvas->GetHandle(), Region);
    DeleteObject(Region);
}

void SetClipPoly(TCanvas* Canvas, const std::vector<TPoint>& Points)
{
    HRGN Region = CreatePolygonRgn(Points.data(), int(Points.size()), WINDING);
    SelectClipRgn(Canvas->GetHandle(), Region);
    DeleteObject(Region);
}

// ---- Routines ------------------------------------------------------------------------------------------

bool PointOffset(const TPoint& P1, const TPoint& P2, int Delta)
{
    return std::llabs(std::int64_t(P2.X) - P1.X) > Delta || std::llabs(std::int64_t(P2.Y) - P1.Y) > Delta;
}

void FlipPointsVert(std::vector<TPoint>& Points, const TRect& Rect)
{
    const std::int64_t Mid = Rect.Top + (std::int64_t(Rect.Bottom) - Rect.Top) / 2;
    for (TPoint& P : Points)
        P.Y = Coord(2 * Mid - P.Y);
}

void DrawPolyline(TCanvas* Canvas, const std::vector<TPoint>& Points, const TRect& Rect, bool Flip)
{
    std::vector<TPoint> Line = Points;
    if (Flip) FlipPointsVert(Line, Rect);
    Canvas->Polyline(Line);
}

// ---- HTML colours ------------------------------------------------------------------------------------

AnsiString GetHTMLColorName(const AnsiString& Name)
{
    const AnsiString Key = AnsiLowerCase(Name);
    for (int I = 0; I < WebColorNameCount; ++I)
        if (Key == WebColorNames[I].cnColorName) return WebColorNames[I].cnColorValue;
    return Name;
}

TColor GetColorFromHTML(const AnsiString& Text)
{
    try {
        AnsiString S = GetHTMLColorName(Text);
        if (!S.empty()) S.erase(0, 1); // the "#"
        const std::uint32_t C = std::uint32_t(StrToInt("$00" + S));
        return Rgb(int(C >> 16) & 0xFF, int(C >> 8) & 0xFF, int(C & 0xFF));
    } catch (...) {
        return clNone;
    }
}

AnsiString HTMLColorToString(TColor Color)
{
    const TColor C = ColorToRGB(Color);
    return "#" + IntToHex((Int64(GetRValue(C)) << 16) | (Int64(GetGValue(C)) << 8) | GetBValue(C), 6);
}

} // namespace GxSharedCommon
