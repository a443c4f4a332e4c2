// Measuring the arrow painted in a button, classic or themed alike.
#pragma once
#include "platform/controls/Controls.h"
#include "platform/testing/TestDriving.h"

#include <algorithm>
#include <cstdlib>

// The widest run, along any row of R (client coordinates of Control) but
// two pixels clear of its rim, of pixels that stand out from the button's
// face: the face is the row's colour two pixels inside R's left edge, and
// a pixel stands out when a channel differs from it by more than 40.
inline int ArrowWidth(TControl* Control, const TRect& R)
{
    int Widest = 0;
    for (int Y = R.Top + 2; Y < R.Bottom - 2; ++Y) {
        const TColor Face = ColorToRGB(platform::test::PixelAt(Control, R.Left + 2, Y));
        int Run = 0;
        for (int X = R.Left + 2; X < R.Right - 2; ++X) {
            const TColor C = ColorToRGB(platform::test::PixelAt(Control, X, Y));
            bool Ink = false;
            for (int Shift : {0, 8, 16})
                Ink = Ink || std::abs(int((C >> Shift) & 0xFF) - int((Face >> Shift) & 0xFF)) > 40;
            Run = Ink ? Run + 1 : 0;
            Widest = std::max(Widest, Run);
        }
    }
    return Widest;
}
