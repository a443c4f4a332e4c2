// Focus rectangles, edges and frame controls, probed pixel by pixel.
#include "platform/win/WinGdi.h"
#include "platform/win/WinUser.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace {

const TColor Light = ColorToRGB(cl3DLight), DkShadow = ColorToRGB(cl3DDkShadow), Shadow = ColorToRGB(clBtnShadow),
             Highlight = ColorToRGB(clBtnHighlight), Face = ColorToRGB(clBtnFace);

struct TSheet {
    explicit TSheet(int W = 40, int H = 40, TColor Ground = clWhite)
    {
        Bitmap.SetPixelFormat(pf24bit);
        Bitmap.SetSize(W, H);
        Bitmap.GetCanvas()->GetBrush()->SetColor(Ground);
        Bitmap.GetCanvas()->FillRect(TRect(0, 0, W, H));
    }
    HDC DC() { return Bitmap.GetCanvas()->GetHandle(); }
    TColor At(int X, int Y) { return Bitmap.GetCanvas()->GetPixels(X, Y); }
    TBitmap Bitmap;
};

TEST(FocusRect, InvertsEveryOtherBorderPixelAndASecondCallRestores)
{
    TSheet S(30, 30, TColor(0x336699));
    S.Bitmap.GetCanvas()->SetPixels(12, 5, clRed);
    const TRect R(5, 5, 20, 15);
    // The pattern's colours are the context's: text black, background white
    // here, so the odd pixels invert.
    SetTextColor(S.DC(), RGB(0, 0, 0));
    SetBkColor(S.DC(), RGB(255, 255, 255));
    ASSERT_TRUE(DrawFocusRect(S.DC(), &R));
    EXPECT_EQ(S.At(5, 5), TColor(0x336699));
    EXPECT_EQ(S.At(6, 5), TColor(~0x336699 & 0xFFFFFF));
    EXPECT_EQ(S.At(19, 6), TColor(~0x336699 & 0xFFFFFF));
    EXPECT_EQ(S.At(10, 10), TColor(0x336699)); // inside untouched
    EXPECT_EQ(S.At(20, 5), TColor(0x336699));  // right edge excluded
    ASSERT_TRUE(DrawFocusRect(S.DC(), &R));
    for (int X = 4; X <= 21; ++X)
        for (int Y = 4; Y <= 16; ++Y)
            EXPECT_EQ(S.At(X, Y), X == 12 && Y == 5 ? clRed : TColor(0x336699)) << X << "," << Y;

    // With the colours swapped the other half inverts.
    SetTextColor(S.DC(), RGB(255, 255, 255));
    SetBkColor(S.DC(), RGB(0, 0, 0));
    DrawFocusRect(S.DC(), &R);
    EXPECT_EQ(S.At(5, 5), TColor(~0x336699 & 0xFFFFFF));
    EXPECT_EQ(S.At(6, 5), TColor(0x336699));
    const TRect Empty(3, 3, 3, 9);
    EXPECT_FALSE(DrawFocusRect(S.DC(), &Empty));
}

TEST(Edges, RaisedAndSunkenRingsWithTheirCorners)
{
    TSheet S;
    TRect R(0, 0, 10, 10);
    ASSERT_TRUE(DrawEdge(S.DC(), &R, EDGE_RAISED, BF_RECT | BF_ADJUST));
    EXPECT_EQ(R, TRect(2, 2, 8, 8));
    EXPECT_EQ(S.At(0, 0), Light);
    EXPECT_EQ(S.At(1, 1), Highlight);
    EXPECT_EQ(S.At(9, 9), DkShadow);
    EXPECT_EQ(S.At(8, 8), Shadow);
    EXPECT_EQ(S.At(9, 0), DkShadow); // the far corners are the dark side's
    EXPECT_EQ(S.At(0, 9), DkShadow);
    EXPECT_EQ(S.At(5, 5), clWhite);

    TRect Sunken(20, 0, 30, 10);
    DrawEdge(S.DC(), &Sunken, EDGE_SUNKEN, BF_RECT | BF_MIDDLE);
    EXPECT_EQ(Sunken, TRect(20, 0, 30, 10));
    EXPECT_EQ(S.At(20, 0), Shadow);
    EXPECT_EQ(S.At(21, 1), DkShadow);
    EXPECT_EQ(S.At(29, 9), Highlight);
    EXPECT_EQ(S.At(28, 8), Light);
    EXPECT_EQ(S.At(25, 5), Face);

    TRect Sides(0, 20, 10, 30);
    DrawEdge(S.DC(), &Sides, BDR_RAISEDINNER, BF_BOTTOM | BF_ADJUST);
    EXPECT_EQ(Sides, TRect(0, 20, 10, 29));
    EXPECT_EQ(S.At(5, 29), Shadow);
    EXPECT_EQ(S.At(5, 20), clWhite);
    EXPECT_EQ(S.At(0, 25), clWhite);
}

TEST(FrameControls, CheckBoxesInTheirStates)
{
    TSheet S(80, 20);
    TRect Unchecked(0, 0, 13, 13), Checked(20, 0, 33, 13), Pushed(40, 0, 53, 13), Inactive(60, 0, 73, 13);
    DrawFrameControl(S.DC(), &Unchecked, DFC_BUTTON, DFCS_BUTTONCHECK);
    DrawFrameControl(S.DC(), &Checked, DFC_BUTTON, DFCS_BUTTONCHECK | DFCS_CHECKED);
    DrawFrameControl(S.DC(), &Pushed, DFC_BUTTON, DFCS_BUTTONCHECK | DFCS_PUSHED);
    DrawFrameControl(S.DC(), &Inactive, DFC_BUTTON, DFCS_BUTTONCHECK | DFCS_CHECKED | DFCS_INACTIVE);
    EXPECT_EQ(S.At(0, 0), Shadow); // a sunken box
    EXPECT_EQ(S.At(1, 1), DkShadow);
    EXPECT_EQ(S.At(12, 12), Highlight);
    int Ticks = 0;
    for (int X = 2; X < 11; ++X)
        for (int Y = 2; Y < 11; ++Y) {
            EXPECT_EQ(S.At(X, Y), clWhite);
            Ticks += S.At(20 + X, Y) == clBlack;
            EXPECT_EQ(S.At(40 + X, Y), Face);
        }
    EXPECT_EQ(Ticks, 21);                // the classic tick's pixels
    EXPECT_EQ(S.At(20 + 5, 9), clBlack); // the tick's lowest pixel
    EXPECT_EQ(S.At(60 + 5, 9), ColorToRGB(clGrayText));
    EXPECT_EQ(S.At(60 + 3, 3), Face);
}

TEST(FrameControls, RadioButtonsPushButtonsAndScrollArrows)
{
    TSheet S(100, 40);
    TRect Off(0, 0, 12, 12), On(20, 0, 32, 12);
    DrawFrameControl(S.DC(), &Off, DFC_BUTTON, DFCS_BUTTONRADIO);
    DrawFrameControl(S.DC(), &On, DFC_BUTTON, DFCS_BUTTONRADIO | DFCS_CHECKED);
    EXPECT_EQ(S.At(6, 6), clWhite);
    EXPECT_EQ(S.At(26, 6), clBlack);
    EXPECT_EQ(S.At(0, 0), clWhite); // round: the corners stay
    EXPECT_EQ(S.At(5, 0), Shadow);
    EXPECT_EQ(S.At(6, 11), Highlight);

    TRect Button(40, 0, 60, 20);
    DrawFrameControl(S.DC(), &Button, DFC_BUTTON, DFCS_BUTTONPUSH | DFCS_ADJUSTRECT);
    EXPECT_EQ(Button, TRect(42, 2, 58, 18));
    EXPECT_EQ(S.At(40, 0), Light);
    EXPECT_EQ(S.At(50, 10), Face);
    TRect Down(62, 0, 82, 20);
    DrawFrameControl(S.DC(), &Down, DFC_BUTTON, DFCS_BUTTONPUSH | DFCS_PUSHED);
    EXPECT_EQ(Down, TRect(62, 0, 82, 20)); // no adjustment asked
    EXPECT_EQ(S.At(62, 0), Shadow);

    // A 17-pixel down arrow: a triangle 7 wide and 4 high, centred.
    TRect Arrow(0, 20, 17, 37);
    DrawFrameControl(S.DC(), &Arrow, DFC_SCROLL, DFCS_SCROLLDOWN);
    int Black = 0;
    for (int X = 0; X < 17; ++X)
        for (int Y = 20; Y < 37; ++Y)
            Black += S.At(X, Y) == ColorToRGB(clBtnText);
    EXPECT_EQ(Black, 7 + 5 + 3 + 1);
    EXPECT_EQ(S.At(5, 26), ColorToRGB(clBtnText)); // the base row
    EXPECT_EQ(S.At(8, 29), ColorToRGB(clBtnText)); // the tip
    TRect Pressed(20, 20, 37, 37);
    DrawFrameControl(S.DC(), &Pressed, DFC_SCROLL, DFCS_SCROLLDOWN | DFCS_PUSHED | DFCS_ADJUSTRECT);
    EXPECT_EQ(Pressed, TRect(22, 22, 35, 35));
    EXPECT_EQ(S.At(20, 20), Shadow); // flat
    EXPECT_EQ(S.At(36, 36), Shadow);
    EXPECT_EQ(S.At(20 + 8 + 1, 29 + 1), ColorToRGB(clBtnText)); // moved by one
    TRect Grey(40, 20, 57, 37);
    DrawFrameControl(S.DC(), &Grey, DFC_SCROLL, DFCS_SCROLLCOMBOBOX | DFCS_INACTIVE);
    EXPECT_EQ(S.At(40 + 8, 29), Shadow);
    EXPECT_EQ(S.At(40 + 9, 30), Highlight);
    TRect Up(60, 20, 77, 37);
    DrawFrameControl(S.DC(), &Up, DFC_SCROLL, DFCS_SCROLLUP);
    EXPECT_EQ(S.At(60 + 8, 26), ColorToRGB(clBtnText)); // the tip on top
    EXPECT_EQ(S.At(60 + 5, 29), ColorToRGB(clBtnText));
    TRect Unknown(80, 20, 90, 30);
    EXPECT_FALSE(DrawFrameControl(S.DC(), &Unknown, DFC_CAPTION, 0));
}

// The arrow's pixels in R (of colour C): its widest line across the way it
// points, and how many lines it has.
struct TArrowShape {
    int Widest = 0;
    int Lines = 0;
    bool operator==(const TArrowShape&) const = default;
};

TArrowShape ArrowIn(TSheet& S, const TRect& R, TColor C, bool Vertical)
{
    TArrowShape Shape;
    const int Outer = Vertical ? R.Bottom - R.Top : R.Right - R.Left;
    const int Inner = Vertical ? R.Right - R.Left : R.Bottom - R.Top;
    for (int I = 0; I < Outer; ++I) {
        int Count = 0;
        for (int J = 0; J < Inner; ++J)
            Count += S.At(Vertical ? R.Left + J : R.Left + I, Vertical ? R.Top + I : R.Top + J) == C;
        Shape.Widest = std::max(Shape.Widest, Count);
        Shape.Lines += Count > 0;
    }
    return Shape;
}

TEST(FrameControls, ArrowsOfSmallButtonsKeepTwoLinesWhereTheInsideHasRoom)
{
    const TColor Text = ColorToRGB(clBtnText);
    struct TCase {
        UINT Kind;
        int W, H;
        TArrowShape Expected;
    };
    // A spin edit's half (17 x 9) had one pixel; 7 x 6 leaves an inside of
    // 3 x 2, just room; 6 x 6 does not; 17 x 17 and 13 x 13 keep theirs.
    const TCase Cases[] = {
        {DFCS_SCROLLUP, 17, 9, {3, 2}},     {DFCS_SCROLLDOWN, 17, 9, {3, 2}},  {DFCS_SCROLLCOMBOBOX, 15, 8, {3, 2}},
        {DFCS_SCROLLLEFT, 9, 17, {3, 2}},   {DFCS_SCROLLRIGHT, 8, 12, {3, 2}}, {DFCS_SCROLLUP, 7, 6, {3, 2}},
        {DFCS_SCROLLDOWN, 6, 6, {1, 1}},    {DFCS_SCROLLLEFT, 7, 6, {1, 1}},   {DFCS_SCROLLDOWN, 17, 17, {7, 4}},
        {DFCS_SCROLLRIGHT, 13, 13, {5, 3}},
    };
    for (const TCase& C : Cases) {
        SCOPED_TRACE(testing::Message() << C.Kind << " in " << C.W << " x " << C.H);
        const bool Vertical = C.Kind == DFCS_SCROLLUP || C.Kind == DFCS_SCROLLDOWN || C.Kind == DFCS_SCROLLCOMBOBOX;
        TSheet S(C.W, C.H);
        TRect R(0, 0, C.W, C.H);
        DrawFrameControl(S.DC(), &R, DFC_SCROLL, C.Kind);
        EXPECT_EQ(ArrowIn(S, R, Text, Vertical), C.Expected);
        // Centred: as much room on either side of the base.
        if (C.Expected.Widest == 3 && Vertical) {
            int First = -1;
            for (int X = 0; X < C.W && First < 0; ++X)
                for (int Y = 0; Y < C.H; ++Y)
                    if (S.At(X, Y) == Text) First = X;
            EXPECT_EQ(First, (C.W - 3) / 2);
        }
        // Pushed and grey arrows are as big.
        TSheet Pushed(C.W, C.H), Grey(C.W, C.H);
        DrawFrameControl(Pushed.DC(), &R, DFC_SCROLL, C.Kind | DFCS_PUSHED);
        EXPECT_EQ(ArrowIn(Pushed, R, Text, Vertical), C.Expected);
        DrawFrameControl(Grey.DC(), &R, DFC_SCROLL, C.Kind | DFCS_INACTIVE);
        const TRect Inside(2, 2, C.W - 2, C.H - 2); // the edge has shadow too
        EXPECT_EQ(ArrowIn(Grey, Inside, Shadow, Vertical), C.Expected);
    }
}

} // namespace
