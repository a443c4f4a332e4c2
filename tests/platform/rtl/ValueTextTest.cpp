// The conversions an edit's value goes through: Boolean, date and time, and
// floating point text on the fixed profile and on one with other separators.
#include "platform/rtl/SysUtils.h"
#include "tests/support/TestSupport.h"

#include <gtest/gtest.h>

TEST(ValueText, BooleansReadNumbersAndTheLongForm)
{
    EXPECT_EQ(BoolToStr(true, true), "True");
    EXPECT_EQ(BoolToStr(false, true), "False");
    EXPECT_TRUE(StrToBool("True"));
    EXPECT_TRUE(StrToBool(" tRUE "));
    EXPECT_FALSE(StrToBool("false"));
    EXPECT_TRUE(StrToBool("-1"));
    EXPECT_TRUE(StrToBool("0.5"));
    EXPECT_FALSE(StrToBool("0"));
    for (const char* Bad : {"", "yes", "Truth", "1x"}) {
        try {
            StrToBool(Bad);
            ADD_FAILURE() << Bad;
        } catch (const EConvertError& E) {
            EXPECT_EQ(E.Message, "'" + AnsiString(Bad) + "' is not a valid boolean value");
        }
    }
}

TEST(ValueText, DateAndTimeTextReadsBackWhatTheEmptyFormatWrites)
{
    TFormatSettingsGuard Guard;
    FormatSettings = DefaultFormatSettings(); // M/d/yyyy, h:mm:ss AMPM
    const TDateTime Afternoon = EncodeDate(2026, 12, 6) + EncodeTime(13, 5, 7, 0);
    for (TDateTime Value : {Afternoon, EncodeDate(2026, 12, 6), EncodeDate(1899, 12, 29) - 0.25}) {
        const AnsiString Text = FormatDateTime("", Value);
        EXPECT_NEAR(StrToDateTime(Text), Value, 1e-9) << Text;
    }
    EXPECT_EQ(FormatDateTime("", Afternoon), "12/6/2026 1:05:07 PM");
    // Milliseconds are a number of their own, as the class library reads them.
    EXPECT_NEAR(StrToDateTime("12/6/2026 13:05:07.5"), Afternoon + 0.005 / 86400, 1e-9);
    EXPECT_NEAR(StrToDateTime("PM 1:05:07"), EncodeTime(13, 5, 7, 0), 1e-9);
    EXPECT_NEAR(StrToDateTime("12 am"), 0, 1e-9);

    // Day first, with dots; a two-digit year falls into the window before this year.
    FormatSettings.ShortDateFormat = "dd.MM.yyyy";
    FormatSettings.DateSeparator = '.';
    FormatSettings.TwoDigitYearCenturyWindow = 50;
    EXPECT_NEAR(StrToDateTime("6.12.2026 13:05:07"), Afternoon, 1e-9);
    Word ThisYear, M, D;
    DecodeDate(Now(), ThisYear, M, D);
    Word Y;
    DecodeDate(StrToDateTime("1.2.00"), Y, M, D);
    EXPECT_EQ(M, 2);
    EXPECT_EQ(D, 1);
    EXPECT_TRUE(Y > ThisYear - 50 && Y <= ThisYear + 50 && Y % 100 == 0) << Y;
    DecodeDate(StrToDateTime("3.4"), Y, M, D); // no year: this one
    EXPECT_EQ(Y, ThisYear);
    EXPECT_EQ(M, 4);

    for (const char* Bad : {"", "6.13.2026", "31.2.2026", "6.12.2026 25:00", "6.12.2026 1:00 junk", "13 pm", "x"}) {
        try {
            StrToDateTime(Bad);
            ADD_FAILURE() << Bad;
        } catch (const EConvertError& E) {
            EXPECT_EQ(E.Message, "'" + AnsiString(Bad) + "' is not a valid date and time");
        }
    }
}

TEST(ValueText, FloatsGoThroughTextWithTheProfilesSeparator)
{
    TFormatSettingsGuard Guard;
    FormatSettings = DefaultFormatSettings();
    FormatSettings.DecimalSeparator = ',';
    FormatSettings.ThousandSeparator = '.';
    EXPECT_EQ(FloatToStr(1234.5), "1234,5");
    EXPECT_EQ(FloatToStr(0.1 + 0.2), "0,3"); // 15 significant digits
    EXPECT_DOUBLE_EQ(StrToFloat("1234,5"), 1234.5);
    EXPECT_THROW(StrToFloat("1234.5"), EConvertError);
    EXPECT_THROW(StrToFloat("1.234,5"), EConvertError);
}
