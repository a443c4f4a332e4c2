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

namespace {

TEST(ColorTexts, NamesBothWaysAndDollarHexForTheRest)
{
    EXPECT_EQ(ColorToString(clRed), "clRed");
    EXPECT_EQ(ColorToString(clBtnFace), "clBtnFace");
    EXPECT_EQ(ColorToString(clNone), "clNone");
    EXPECT_EQ(ColorToString(0x00FF8000), "$00FF8000");
    EXPECT_EQ(ColorToString(TColor(0xFF000040)), "$FF000040"); // an unnamed system colour
    EXPECT_EQ(StringToColor("clwindowtext"), clWindowText);
    EXPECT_EQ(StringToColor("$00ff8000"), 0x00FF8000);
    EXPECT_EQ(StringToColor("$FF00000F"), clBtnFace);
    for (const char* Bad : {"", "$", "red", "12", "$1G", "$123456789", "clNoSuch"})
        EXPECT_THROW(StringToColor(Bad), EConvertError) << Bad;
    // Every identifier leads back to its colour.
    for (TColor C : {clBlack, clMedGray, clActiveBorder, clDefault, clMenuBar, cl3DLight, clWindowText}) {
        AnsiString Name;
        ASSERT_TRUE(ColorToIdent(C, Name));
        TColor Back = 0;
        ASSERT_TRUE(IdentToColor(Name, Back));
        EXPECT_EQ(Back, C) << Name;
    }
}

} // namespace
