#include "platform/rtl/MaskUtils.h"
#include "tests/support/TestSupport.h"

#include <gtest/gtest.h>

TEST(MaskUtils, LiteralsAreSavedInTheValueOrPutInByTheMask)
{
    // Saved literals (the default) are matched where they stand and kept
    // where the value lacks them.
    EXPECT_EQ(FormatMaskText("(000)000-0000", "(555)123-4567"), "(555)123-4567");
    EXPECT_EQ(FormatMaskText("(000)000-0000;1;_", "5551234567"), "(555)123-4567");
    EXPECT_EQ(FormatMaskText("(000)000-0000;0;_", "5551234567"), "(555)123-4567");
    // Without saved literals a value character equal to a literal is input.
    EXPECT_EQ(FormatMaskText("00-00;0", "1-23"), "1--23");
    // Positions the value leaves empty, and the blank character, show as spaces.
    EXPECT_EQ(FormatMaskText("00-00", "1_-23"), "1 -23");
    EXPECT_EQ(FormatMaskText("(000)000;0;*", "12*4"), "(12 )4  ");
    EXPECT_EQ(FormatMaskText("000;0", ""), "   ");
    // What does not fit is left out.
    EXPECT_EQ(FormatMaskText("LL;0", "abcd"), "ab");
}

TEST(MaskUtils, CaseShiftsEscapesSeparatorsAndDirection)
{
    TFormatSettingsGuard Guard;
    FormatSettings.DateSeparator = '.';
    FormatSettings.TimeSeparator = 'h';
    EXPECT_EQ(FormatMaskText(">LL<ll<>cc;0", "abCDeF"), "ABcdeF");
    EXPECT_EQ(FormatMaskText(">ll;0", "\xC3\xA9\xC3\xB6"), "\xC3\x89\xC3\x96"); // é ö to É Ö
    EXPECT_EQ(FormatMaskText("\\L\\\\0;0", "7"), "L\\7");
    EXPECT_EQ(FormatMaskText("99/99 00:00;0", "31120945"), "31.12 09h45");
    EXPECT_EQ(FormatMaskText("0_0 \xE2\x82\xAC;0", "12"), "1 2 \xE2\x82\xAC"); // a euro sign is a literal
    // '!' lays the value in from the right, literals and all.
    EXPECT_EQ(FormatMaskText("!9999;0", "12"), "  12");
    EXPECT_EQ(FormatMaskText("!99-99", "1-23"), " 1-23");
    EXPECT_EQ(FormatMaskText("9999;0", "12"), "12  ");
}

TEST(MaskUtils, NoMaskRaisesAndAnEmptyMaskKeepsTheValue)
{
    EXPECT_EQ(FormatMaskText("", "abc"), "abc");
    EXPECT_EQ(FormatMaskText(";0;_", "abc"), "abc");
    EXPECT_EQ(FormatMaskText("0\\", "12"), "1");
    for (const char* Mask : {"\\", ";", ";;", "!", "<>", ">", "0;", "0;;",
                             "\xFF"
                             "0",
                             "\\\xE2\x82"})
        for (const char* Value : {"", "x", "\xFF\xFE", "12345678901234567890"})
            EXPECT_NO_THROW(FormatMaskText(Mask, Value)) << Mask << " " << Value;
    // An invalid byte of the value passes through as it is.
    EXPECT_EQ(FormatMaskText(">cc;0", "\xFF"
                                      "a"),
              "\xFF"
              "A");
}
