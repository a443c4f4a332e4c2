// grid/shared/GxScrollControl_Cursors.cpp
// The cursor pictures of roll scrolling, this unit's resources: a dot
// between an upward and a downward arrow while the mouse rests, one arrow
// while it scrolls. Black shapes with a white rim, so that they show on any
// background; the hot spot is the dot's centre.
#include "grid/shared/GxScrollControl.h"
#include "platform/graphics/Resources.h"

#include <array>

namespace GxScrollControl {

namespace {

constexpr int CursorSize = 32;
const TPoint HotSpot(15, 15);

using TMask = std::array<std::array<bool, CursorSize>, CursorSize>;

// True when pixel (X, Y) lies inside the triangle A, B, C.
bool InTriangle(int X, int Y, TPoint A, TPoint B, TPoint C)
{
    auto Side = [&](TPoint P, TPoint Q) { return (Q.X - P.X) * (Y - P.Y) - (Q.Y - P.Y) * (X - P.X); };
    const int S1 = Side(A, B), S2 = Side(B, C), S3 = Side(C, A);
    return (S1 >= 0 && S2 >= 0 && S3 >= 0) || (S1 <= 0 && S2 <= 0 && S3 <= 0);
}

void DrawRollCursor(TBitmap* Bitmap, bool Up, bool Down)
{
    TMask Shape{};
    for (int Y = 0; Y < CursorSize; ++Y)
        for (int X = 0; X < CursorSize; ++X) {
            const int DX = X - HotSpot.X, DY = Y - HotSpot.Y;
            Shape[Y][X] = DX * DX + DY * DY <= 9 || (Up && InTriangle(X, Y, {15, 4}, {21, 10}, {9, 10})) ||
                          (Down && InTriangle(X, Y, {15, 26}, {9, 20}, {21, 20}));
        }
    Bitmap->SetPixelFormat(pf32bit);
    Bitmap->SetSize(CursorSize, CursorSize);
    for (int Y = 0; Y < CursorSize; ++Y) {
        Byte* Line = Bitmap->GetScanLine(Y);
        for (int X = 0; X < CursorSize; ++X) {
            bool Rim = false;
            for (int NY = std::max(Y - 1, 0); NY <= std::min(Y + 1, CursorSize - 1); ++NY)
                for (int NX = std::max(X - 1, 0); NX <= std::min(X + 1, CursorSize - 1); ++NX)
                    Rim = Rim || Shape[NY][NX];
            const Byte Value = Shape[Y][X] ? 0 : 255;
            const Byte Alpha = Shape[Y][X] || Rim ? 255 : 0;
            Byte* Pixel = Line + X * 4;
            Pixel[0] = Pixel[1] = Pixel[2] = Alpha ? Value : 0;
            Pixel[3] = Alpha;
        }
    }
}

} // namespace

void RegisterRollCursorPictures()
{
    static bool Registered = false;
    if (Registered) return;
    Registered = true;
    RegisterCursorResource(
        "ROLL", [](TBitmap* B) { DrawRollCursor(B, true, true); }, HotSpot);
    RegisterCursorResource(
        "ROLLUP", [](TBitmap* B) { DrawRollCursor(B, true, false); }, HotSpot);
    RegisterCursorResource(
        "ROLLDOWN", [](TBitmap* B) { DrawRollCursor(B, false, true); }, HotSpot);
}

} // namespace GxScrollControl
