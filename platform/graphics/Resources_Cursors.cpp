// The cursor pictures the platform draws itself: the reversed arrow (the
// arrow turned to point up and to the right, shown where a click selects a
// whole line of text), black with a white inside and rim, hot spot at its tip;
// and outlined shapes for the program's own cursors.
#include "platform/graphics/Resources.h"

#include <array>
#include <string_view>

namespace platform::detail {

namespace {

// The arrow pointing up and to the left: 'X' black, '.' white, ' ' clear.
constexpr std::array<std::string_view, 19> Arrow = {
    "X",         "XX",        "X.X",        "X..X",        "X...X",     "X....X",   "X.....X",
    "X......X",  "X.......X", "X........X", "X.....XXXXX", "X..X..X",   "X.X X..X", "XX  X..X",
    "X    X..X", "     X..X", "      X..X", "      X..X",  "       XX",
};
constexpr int CursorSize = 32;
constexpr int ArrowWidth = 11;

} // namespace

extern const TPoint ReversedArrowHotSpot;
const TPoint ReversedArrowHotSpot(ArrowWidth - 1, 0);

void DrawReversedArrow(TBitmap* Bitmap)
{
    Bitmap->SetPixelFormat(pf32bit);
    Bitmap->SetSize(CursorSize, CursorSize);
    for (int Y = 0; Y < CursorSize; ++Y) {
        Byte* Line = Bitmap->GetScanLine(Y);
        for (int X = 0; X < CursorSize; ++X) {
            // Mirrored: column X shows the arrow's column ArrowWidth - 1 - X.
            const int From = ArrowWidth - 1 - X;
            const std::string_view Row = Y < int(Arrow.size()) ? Arrow[std::size_t(Y)] : std::string_view();
            const char C = From >= 0 && From < int(Row.size()) ? Row[std::size_t(From)] : ' ';
            Byte* Pixel = Line + X * 4;
            Pixel[0] = Pixel[1] = Pixel[2] = C == '.' ? 255 : 0;
            Pixel[3] = C == ' ' ? 0 : 255;
        }
    }
}

} // namespace platform::detail

void DrawOutlinedCursor(TBitmap* Bitmap, const std::function<bool(int X, int Y)>& Shape)
{
    using platform::detail::CursorSize;
    std::array<std::array<bool, CursorSize + 2>, CursorSize + 2> In{};
    for (int Y = 0; Y < CursorSize; ++Y)
        for (int X = 0; X < CursorSize; ++X)
            In[std::size_t(Y + 1)][std::size_t(X + 1)] = Shape(X, Y);
    Bitmap->SetPixelFormat(pf32bit);
    Bitmap->SetSize(CursorSize, CursorSize);
    for (int Y = 0; Y < CursorSize; ++Y) {
        Byte* Line = Bitmap->GetScanLine(Y);
        for (int X = 0; X < CursorSize; ++X) {
            bool Rim = false;
            for (int NY = Y; NY <= Y + 2; ++NY)
                for (int NX = X; NX <= X + 2; ++NX)
                    Rim = Rim || In[std::size_t(NY)][std::size_t(NX)];
            const bool Black = In[std::size_t(Y + 1)][std::size_t(X + 1)];
            Byte* Pixel = Line + X * 4;
            Pixel[0] = Pixel[1] = Pixel[2] = Rim && !Black ? 255 : 0;
            Pixel[3] = Rim ? 255 : 0;
        }
    }
}
