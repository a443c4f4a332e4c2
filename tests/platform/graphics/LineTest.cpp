// One-pixel lines in every direction and pen style, whole, clipped and
// billions of pixels long, against GDI's stepping.
#include "../controls/ControlFixtures.h"
#include "platform/win/WinGdi.h"

#include <cstdint>
#include <random>
#include <vector>

namespace {

constexpr int Width = 64, Height = 48;
constexpr TColor Ink = TColor(0x0000FF), Gap = TColor(0xFF0000);

// A white pf32bit picture read straight from its scan lines.
struct TPicture {
    TBitmap Bitmap;
    TPicture()
    {
        Bitmap.SetPixelFormat(pf32bit);
        Bitmap.SetSize(Width, Height);
        Bitmap.GetCanvas()->GetBrush()->SetColor(clWhite);
        Bitmap.GetCanvas()->FillRect(TRect(0, 0, Width, Height));
    }
    TColor At(int X, int Y)
    {
        const Byte* P = Bitmap.GetScanLine(Y) + X * 4;
        return TColor(P[2] | P[1] << 8 | P[0] << 16);
    }
    void Line(TPoint A, TPoint B, TPenStyle Style, int PenWidth = 1)
    {
        TCanvas* C = Bitmap.GetCanvas();
        C->GetPen()->SetColor(Ink);
        C->GetPen()->SetStyle(Style);
        C->GetPen()->SetWidth(PenWidth);
        C->GetBrush()->SetColor(Gap); // the gaps of a dashed line take the background colour
        C->MoveTo(A.X, A.Y);
        C->LineTo(B.X, B.Y);
    }
};

// GDI's stepping, walked pixel by pixel: the pixels from A up to, not
// including, B.
std::vector<TPoint> Walk(TPoint A, TPoint B)
{
    std::vector<TPoint> Pixels;
    const int DX = std::abs(B.X - A.X), DY = -std::abs(B.Y - A.Y);
    const int SX = A.X < B.X ? 1 : -1, SY = A.Y < B.Y ? 1 : -1;
    int Err = DX + DY, X = A.X, Y = A.Y;
    while (X != B.X || Y != B.Y) {
        Pixels.push_back({X, Y});
        const int E2 = 2 * Err;
        if (E2 >= DY) Err += DY, X += SX;
        if (E2 <= DX) Err += DX, Y += SY;
    }
    return Pixels;
}

// Whether step I of a line in this style is a dash (true) or a gap.
bool OnDash(TPenStyle Style, std::int64_t I)
{
    std::vector<int> Runs;
    if (Style == psDash) Runs = {18, 6};
    if (Style == psDot) Runs = {3, 3};
    if (Style == psDashDot) Runs = {9, 6, 3, 6};
    if (Style == psDashDotDot) Runs = {9, 3, 3, 3, 3, 3};
    if (Runs.empty()) return true;
    std::int64_t Period = 0;
    for (int R : Runs)
        Period += R;
    std::int64_t Phase = I % Period;
    for (std::size_t K = 0;; ++K) {
        if (Phase < Runs[K]) return K % 2 == 0;
        Phase -= Runs[K];
    }
}

TEST(Lines, EveryDirectionAndStyleDrawsGdisPixelsWholeAndClipped)
{
    std::mt19937 Random(20261207);
    std::uniform_int_distribution<int> Coordinate(-90, 150);
    const TPenStyle Styles[] = {psSolid, psDash, psDot, psDashDot, psDashDotDot};
    const TRect Clip(9, 7, 51, 40);
    for (int Case = 0; Case < 300; ++Case) {
        const TPoint A{Coordinate(Random), Coordinate(Random)}, B{Coordinate(Random), Coordinate(Random)};
        const TPenStyle Style = Styles[Case % 5];
        SCOPED_TRACE(testing::Message() << "(" << A.X << "," << A.Y << ")-(" << B.X << "," << B.Y << ") " << Style);
        TPicture Whole, Clipped;
        Whole.Line(A, B, Style);
        IntersectClipRect(Clipped.Bitmap.GetCanvas()->GetHandle(), Clip.Left, Clip.Top, Clip.Right, Clip.Bottom);
        Clipped.Line(A, B, Style);
        SelectClipRgn(Clipped.Bitmap.GetCanvas()->GetHandle(), nullptr);
        // The whole line is the walk, dashes in phase from its start.
        TColor Expected[Height][Width];
        for (auto& Row : Expected)
            for (TColor& C : Row)
                C = clWhite;
        const std::vector<TPoint> Pixels = Walk(A, B);
        for (std::size_t I = 0; I < Pixels.size(); ++I)
            if (Pixels[I].X >= 0 && Pixels[I].X < Width && Pixels[I].Y >= 0 && Pixels[I].Y < Height)
                Expected[Pixels[I].Y][Pixels[I].X] = OnDash(Style, std::int64_t(I)) ? Ink : Gap;
        int Wrong = 0;
        for (int Y = 0; Y < Height; ++Y)
            for (int X = 0; X < Width; ++X) {
                const bool Inside = X >= Clip.Left && X < Clip.Right && Y >= Clip.Top && Y < Clip.Bottom;
                Wrong += Whole.At(X, Y) != Expected[Y][X];
                Wrong += Clipped.At(X, Y) != (Inside ? Expected[Y][X] : clWhite);
            }
        ASSERT_EQ(Wrong, 0);
    }
}

TEST(Lines, ALineBillionsOfPixelsLongDrawsOnlyWhatShows)
{
    const int Far = 1000000000;
    TPicture P;
    // Horizontal and vertical dashed lines from far outside, the dashes in
    // phase from where each began.
    P.Line({-Far, 5}, {Far, 5}, psDash);
    P.Line({40, -Far}, {40, Far}, psDashDot);
    // A diagonal from corner to corner of the plane, and one far off the picture.
    P.Line({-Far, -Far}, {Far, Far}, psDot);
    P.Line({-Far, 3 * Height}, {Far, 3 * Height}, psSolid);
    for (int X = 0; X < Width; ++X) {
        if (X != 40) {
            EXPECT_EQ(P.At(X, 5), OnDash(psDash, std::int64_t(X) + Far) ? Ink : Gap) << X;
        }
        if (X < Height && X != 5 && X != 40) {
            EXPECT_EQ(P.At(X, X), OnDash(psDot, std::int64_t(X) + Far) ? Ink : Gap) << X;
        }
    }
    for (int Y = 0; Y < Height; ++Y)
        if (Y != 5 && Y != 40) {
            EXPECT_EQ(P.At(40, Y), OnDash(psDashDot, std::int64_t(Y) + Far) ? Ink : Gap) << Y;
        }
    EXPECT_EQ(P.At(20, 30), clWhite);
    // A wide pen across the whole plane is a band through the picture.
    TPicture Wide;
    Wide.Line({-Far, 20}, {Far, 20}, psSolid, 3);
    Wide.Line({Far, 70 - Far}, {-Far, 70 + Far}, psSolid, 3); // through (35, 35)
    for (int X : {0, 10, Width - 1}) {
        EXPECT_EQ(Wide.At(X, 20), Ink) << X;
        EXPECT_EQ(Wide.At(X, 24), clWhite) << X;
    }
    EXPECT_EQ(Wide.At(35, 35), Ink);
    EXPECT_EQ(Wide.At(30, 30), clWhite);
}

} // namespace
