#include "platform/rtl/SysUtils.h"
#include "tests/support/TestSupport.h"

#include <gtest/gtest.h>

namespace {

// Sunday 6 December 2026, 13:05:07.
const TDateTime Afternoon = EncodeDate(2026, 12, 6) + EncodeTime(13, 5, 7, 0);

} // namespace

TEST(Dates, DatesEncodeFromTheEpochOf1899)
{
    EXPECT_DOUBLE_EQ(EncodeDate(1899, 12, 30), 0.0);
    EXPECT_DOUBLE_EQ(EncodeDate(2000, 1, 1), 36526.0);
    Word Y, M, D;
    DecodeDate(36526.75, Y, M, D);
    EXPECT_EQ(Y, 2000);
    EXPECT_EQ(M, 1);
    EXPECT_EQ(D, 1);
    DecodeDate(EncodeDate(2024, 2, 29), Y, M, D);
    EXPECT_EQ(D, 29);
    EXPECT_EQ(DayOfWeek(EncodeDate(2026, 12, 6)), 1); // a Sunday
    // Before the epoch the date is the whole part and the time the fraction away from it.
    EXPECT_EQ(FormatDateTime("yyyy-mm-dd hh:nn", -1.25), "1899-12-29 06:00");
    EXPECT_EQ(DayOfWeek(-1.25), 6);
    EXPECT_THROW(EncodeDate(2023, 2, 29), EConvertError);
    // The month of a date, its time and a date before the epoch included.
    EXPECT_EQ(DaysInMonth(EncodeDate(2024, 2, 10) + 0.99), 29);
    EXPECT_EQ(DaysInMonth(EncodeDate(2023, 2, 28)), 28);
    EXPECT_EQ(DaysInMonth(-1.25), 31);

    // 31 December 65636, a leap year whose 16-bit remainder (100) is not one.
    DecodeDate(23279463, Y, M, D);
    EXPECT_EQ(M, 12);
    EXPECT_EQ(D, 31);
}

TEST(Dates, IncMonthCutsTheDayToShorterMonthsAndKeepsTheTime)
{
    EXPECT_EQ(FormatDateTime("yyyy-mm-dd", IncMonth(EncodeDate(2024, 1, 31))), "2024-02-29");
    EXPECT_EQ(FormatDateTime("yyyy-mm-dd", IncMonth(EncodeDate(2023, 1, 31))), "2023-02-28");
    EXPECT_EQ(FormatDateTime("yyyy-mm-dd", IncMonth(EncodeDate(2026, 1, 15), -1)), "2025-12-15");
    EXPECT_EQ(FormatDateTime("yyyy-mm-dd", IncMonth(EncodeDate(2026, 3, 31), -13)), "2025-02-28");
    EXPECT_EQ(FormatDateTime("yyyy-mm-dd hh:nn:ss", IncMonth(Afternoon, 2)), "2027-02-06 13:05:07");
    EXPECT_EQ(FormatDateTime("yyyy-mm-dd hh:nn", IncMonth(-1.25, 1)), "1900-01-29 06:00");
    EXPECT_THROW(IncMonth(EncodeDate(9999, 12, 1)), EConvertError);
    EXPECT_THROW(IncMonth(EncodeDate(1, 1, 1), -1), EConvertError);
}

TEST(Dates, MAfterAnHourMeansMinutesWhateverStandsBetween)
{
    EXPECT_EQ(TimeToStr(Afternoon), "1:05:07 PM");
    EXPECT_EQ(DateTimeToStr(Afternoon), "12/6/2026 1:05:07 PM");
    EXPECT_EQ(FormatDateTime("c", Afternoon), "12/6/2026 1:05:07 PM");
    EXPECT_EQ(FormatDateTime("t|tt", Afternoon), "1:05 PM|1:05:07 PM");
    EXPECT_EQ(FormatDateTime("yyyy-mm-dd hh:nn:ss", Afternoon), "2026-12-06 13:05:07");
    EXPECT_EQ(FormatDateTime("hh:mm", Afternoon), "13:05");
    EXPECT_EQ(FormatDateTime("hh 'and' mm", Afternoon), "13 and 05");
    EXPECT_EQ(FormatDateTime("h:mmm", Afternoon), "13:05");
    EXPECT_EQ(FormatDateTime("hh x mm", Afternoon), "13 x 12"); // another letter ends the hour
    EXPECT_EQ(FormatDateTime("mm hh", Afternoon), "12 13");
}

TEST(Dates, TheTwelveHourClockFollowsTheMarkerAfterTheHour)
{
    EXPECT_EQ(FormatDateTime("h:nn am/pm", Afternoon), "1:05 pm");
    EXPECT_EQ(FormatDateTime("h:nn Am/Pm", Afternoon), "1:05 Pm"); // the marker's own case
    EXPECT_EQ(FormatDateTime("h A/P", Afternoon), "1 P");
    EXPECT_EQ(FormatDateTime("hh ampm", EncodeTime(0, 30, 0, 0)), "12 AM");
    EXPECT_EQ(FormatDateTime("ampm hh", Afternoon), "PM 13");       // a marker before the hour
    EXPECT_EQ(FormatDateTime("hh 'am/pm'", Afternoon), "13 am/pm"); // a quoted one
}

TEST(Dates, FormatsNestTwoLevelsDeepAtMost)
{
    TFormatSettingsGuard Guard;
    const TDateTime Day = EncodeDate(2026, 12, 6);
    FormatSettings.ShortDateFormat = "d.m.yyyy ddddd";
    EXPECT_EQ(DateToStr(Day), "6.12.2026 6.12.2026 ");
    FormatSettings.ShortDateFormat = "c";
    EXPECT_EQ(FormatDateTime("c", Day), "");
    FormatSettings.LongDateFormat = "dddddd";
    EXPECT_EQ(FormatDateTime("dddddd", Day), "");
    FormatSettings.LongTimeFormat = "tt";
    EXPECT_EQ(TimeToStr(Afternoon), "");
}

TEST(Dates, FormatDateTimeEdges)
{
    EXPECT_EQ(FormatDateTime("", Afternoon), DateTimeToStr(Afternoon)); // an empty format is "c"
    EXPECT_EQ(FormatDateTime("c", EncodeDate(2026, 12, 6) + EncodeTime(0, 0, 0, 500)), "12/6/2026");
    EXPECT_EQ(FormatDateTime("yyyy z zzz", EncodeDate(5, 1, 1)), "0005 0 000");
    EXPECT_EQ(FormatDateTime("z zzz", EncodeTime(0, 0, 0, 7)), "7 007");
    EXPECT_EQ(FormatDateTime("ddd dddd mmm mmmm", Afternoon), "Sun Sunday Dec December");
    // Before year 1 there is no month or day to name.
    EXPECT_EQ(FormatDateTime("yyyy/m/d ddd dddd mmm mmmm|", EncodeDate(1, 1, 1) - 400), "0000/0/0    |");
}
