#include "platform/graphics/Graphics.h"

#include <gtest/gtest.h>

namespace {

TEST(SystemColors, AFixedClassicPaletteThatColoursResolveThrough)
{
    EXPECT_EQ(GetSysColor(COLOR_BTNFACE), RGB(212, 208, 200));
    EXPECT_EQ(GetSysColor(COLOR_HIGHLIGHT), RGB(10, 36, 106));
    EXPECT_EQ(GetSysColor(COLOR_WINDOW), RGB(255, 255, 255));
    EXPECT_EQ(GetSysColor(COLOR_INFOBK), RGB(255, 255, 225));
    EXPECT_EQ(GetSysColor(COLOR_HOTLIGHT), RGB(0, 0, 128));
    EXPECT_EQ(GetSysColor(COLOR_3DDKSHADOW), RGB(64, 64, 64));
    EXPECT_EQ(ColorToRGB(clWindowText), clBlack);
    EXPECT_EQ(GetSysColor(-1), 0u);
    EXPECT_EQ(GetSysColor(99), 0u);
    for (TColor C : {clScrollBar, clBtnFace, clBtnShadow, clHighlight, clInfoBk, clWindowFrame, cl3DDkShadow,
                     clGradientInactiveCaption, clMenuHighlight, clMenuBar})
        EXPECT_EQ(ColorToRGB(C), TColor(GetSysColor(C & 0xFF))) << std::hex << C;
    // Other colours pass unchanged, clNone and clDefault included.
    EXPECT_EQ(ColorToRGB(clRed), clRed);
    EXPECT_EQ(ColorToRGB(0x123456), 0x123456);
    EXPECT_EQ(ColorToRGB(clNone), clNone);
    EXPECT_EQ(clNone, 0x1FFFFFFF);
    EXPECT_EQ(ColorToRGB(clDefault), clDefault);
}

} // namespace
