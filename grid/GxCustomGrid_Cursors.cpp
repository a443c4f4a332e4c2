// grid/GxCustomGrid_Cursors.cpp
// The grid's cursor pictures, this unit's resources, black with a white rim:
// the column splitter (two bars with arrows left and right), the row
// splitter (the same turned upright), a no-entry sign where a dragged column
// cannot drop, and an arrow pointing right at the rows beside the indicator.
#include "grid/GxCustomGrid.h"
#include "platform/graphics/Resources.h"

#include <array>
#include <string_view>

namespace GxCustomGrid {

namespace {

// 'X' is black. The hot spot is (10, 8), between the bars.
constexpr std::array<std::string_view, 17> Splitter = {
    "         X X",       "         X X",       "         X X",        "         X X",         "         X X",
    "    X    X X    X",  "   XX    X X    XX", "  XXXXXXXX XXXXXXXX", " XXXXXXXXX XXXXXXXXX", "  XXXXXXXX XXXXXXXX",
    "   XX    X X    XX", "    X    X X    X",  "         X X",        "         X X",         "         X X",
    "         X X",       "         X X",
};
const TPoint SplitterHotSpot(10, 8);

// The hot spot is the tip, (11, 5).
constexpr std::array<std::string_view, 11> RowArrow = {
    "",           "       X",  "       XX", "       XXX", " XXXXXXXXXX", " XXXXXXXXXXX", " XXXXXXXXXX",
    "       XXX", "       XX", "       X",  "",
};
const TPoint RowArrowHotSpot(11, 5);

const TPoint NoDropHotSpot(8, 8);

template <std::size_t N> bool InPicture(const std::array<std::string_view, N>& Rows, int X, int Y)
{
    if (Y < 0 || Y >= int(N) || X < 0 || X >= int(Rows[std::size_t(Y)].size())) return false;
    return Rows[std::size_t(Y)][std::size_t(X)] == 'X';
}

bool InNoDropSign(int X, int Y)
{
    const int DX = X - NoDropHotSpot.X, DY = Y - NoDropHotSpot.Y, D2 = DX * DX + DY * DY;
    // A ring, and a bar across it from top left to bottom right.
    return (D2 >= 25 && D2 <= 49) || (std::abs(DX - DY) <= 1 && D2 < 25);
}

} // namespace

void RegisterGridCursorPictures()
{
    static bool Registered = false;
    if (Registered) return;
    Registered = true;
    RegisterCursorResource(
        "HORZSPLIT", [](TBitmap* B) { DrawOutlinedCursor(B, [](int X, int Y) { return InPicture(Splitter, X, Y); }); },
        SplitterHotSpot);
    RegisterCursorResource(
        "VERTSPLIT", [](TBitmap* B) { DrawOutlinedCursor(B, [](int X, int Y) { return InPicture(Splitter, Y, X); }); },
        TPoint(SplitterHotSpot.Y, SplitterHotSpot.X));
    RegisterCursorResource(
        "COLUMNNODRAG", [](TBitmap* B) { DrawOutlinedCursor(B, InNoDropSign); }, NoDropHotSpot);
    RegisterCursorResource(
        "INDICATORSELECT",
        [](TBitmap* B) { DrawOutlinedCursor(B, [](int X, int Y) { return InPicture(RowArrow, X, Y); }); },
        RowArrowHotSpot);
}

} // namespace GxCustomGrid
