// grid/shared/GxScrollControl_Cursors.cpp
// The cursor pictures of roll scrolling, this unit's resources: a dot
// between an upward and a downward arrow while the mouse rests, one arrow
// while it scrolls. Black shapes with a white rim, so that they show on any
// background; the hot spot is the dot's centre.
#include "grid/shared/GxScrollControl.h"
#include "platform/graphics/Resources.h"

namespace GxScrollControl {

namespace {

const TPoint HotSpot(15, 15);

// True when pixel (X, Y) lies inside the triangle A, B, C.
bool InTriangle(int X, int Y, TPoint A, TPoint B, TPoint C)
{
    auto Side = [&](TPoint P, TPoint Q) { return (Q.X - P.X) * (Y - P.Y) - (Q.Y - P.Y) * (X - P.X); };
    const int S1 = Side(A, B), S2 = Side(B, C), S3 = Side(C, A);
    return (S1 >= 0 && S2 >= 0 && S3 >= 0) || (S1 <= 0 && S2 <= 0 && S3 <= 0);
}

void DrawRollCursor(TBitmap* Bitmap, bool Up, bool Down)
{
    DrawOutlinedCursor(Bitmap, [Up, Down](int X, int Y) {
        const int DX = X - HotSpot.X, DY = Y - HotSpot.Y;
        return DX * DX + DY * DY <= 9 || (Up && InTriangle(X, Y, {15, 4}, {21, 10}, {9, 10})) ||
               (Down && InTriangle(X, Y, {15, 26}, {9, 20}, {21, 20}));
    });
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
