#include "grid/shared/GxPopupDate.h"
#include "tests/grid/shared/PopupFixtures.h"

namespace {

using namespace GxPopupControl;
using namespace platform::test;

class GxPopupDateTest : public TPopupTest<> {
protected:
    void SetUp() override
    {
        TPopupTest::SetUp();
        Popup = MakePopup<TGxDatePopup>();
    }
    static TPoint CellCentre(int Col, int Row) { return TPoint(15 + 17 * Col + 8, 38 + 15 * Row + 7); }
    TGxDatePopup* Popup = nullptr;
};

AnsiString Ymd(TDateTime D)
{
    return FormatDateTime("yyyy-mm-dd", D);
}

TEST_F(GxPopupDateTest, TheGridStartsOnTheFirstColumnsWeekday)
{
    Popup->SetStartDay(dwSunday);
    Popup->SetDate(EncodeDate(2026, 11, 15)); // 1 November 2026 is a Sunday
    EXPECT_EQ(Ymd(Popup->GetDateAtPos(0, 0)), "2026-11-01");
    EXPECT_EQ(Ymd(Popup->GetDateAtPos(1, 4)), "2026-11-30");
    EXPECT_EQ(Ymd(Popup->GetDateAtPos(2, 4)), "2026-12-01");
    EXPECT_EQ(Ymd(Popup->GetDateAtPos(6, 5)), "2026-12-12");
    Popup->SetDate(EncodeDate(2026, 8, 3)); // a Saturday: six days of July first
    EXPECT_EQ(Ymd(Popup->GetDateAtPos(0, 0)), "2026-07-26");
    EXPECT_EQ(Ymd(Popup->GetDateAtPos(5, 0)), "2026-07-31");
    EXPECT_EQ(Ymd(Popup->GetDateAtPos(6, 0)), "2026-08-01");
    Popup->SetStartDay(dwMonday);
    EXPECT_EQ(Ymd(Popup->GetDateAtPos(0, 0)), "2026-07-27");
    EXPECT_EQ(Ymd(Popup->GetDateAtPos(5, 0)), "2026-08-01");

    // Automatic follows the locale: Monday first, or Sunday for any other first day.
    Popup->SetStartDay(dwAutomatic);
    FormatSettings.FirstDayOfWeek = 0;
    EXPECT_EQ(Popup->GetActualStartDay(), dwMonday);
    EXPECT_EQ(Popup->GetDayInWeekChar(1), "M");
    EXPECT_EQ(Popup->GetDayInWeekChar(7), "S");
    FormatSettings.FirstDayOfWeek = 5; // Saturday
    EXPECT_EQ(Popup->GetActualStartDay(), dwSunday);
    EXPECT_EQ(Popup->GetDayInWeekChar(2), "M");
    EXPECT_EQ(Ymd(Popup->GetDateAtPos(0, 0)), "2026-07-26");
}

TEST_F(GxPopupDateTest, NamesComeFromFullListsElseFromTheLocale)
{
    Popup->SetStartDay(dwSunday);
    TStringList Days, Months;
    for (const char* D : {"\xC3\x9Cnday", "Mo", "Tu", "We", "Th", "Fr", "Sa"})
        Days.Add(D);
    for (int M = 1; M <= 12; ++M)
        Months.Add("\xE2\x82\xAC"
                   "Month" +
                   IntToStr(M));
    Popup->SetDayNames(&Days);
    Popup->SetMonthNames(&Months);
    // The first whole character, never half of one.
    EXPECT_EQ(Popup->GetDayInWeekChar(1), "\xC3\x9C");
    EXPECT_EQ(Popup->GetDayInWeekChar(7), "S");
    EXPECT_EQ(Popup->GetMonthName(12), "\xE2\x82\xAC"
                                       "Month12");
    Days.Delete(6);
    Months.Delete(11);
    EXPECT_EQ(Popup->GetDayInWeekChar(1), "S");
    EXPECT_EQ(Popup->GetDayInWeekChar(4), "W");
    EXPECT_EQ(Popup->GetMonthName(3), "March");
}

TEST_F(GxPopupDateTest, ArrowsStepMonthsAcrossYearsAndNeverClose)
{
    Popup->SetDate(EncodeDate(2026, 1, 20));
    Open(Popup);
    ClickOn(Popup, 6, 9);
    EXPECT_EQ(Popup->GetMonth(), 12);
    EXPECT_EQ(Popup->GetYear(), 2025);
    ClickOn(Popup, Popup->GetClientWidth() - 6, 9);
    ClickOn(Popup, Popup->GetClientWidth() - 6, 9);
    EXPECT_EQ(Popup->GetMonth(), 2);
    EXPECT_EQ(Popup->GetYear(), 2026);
    // The month title is no date either.
    ClickOn(Popup, 70, 12);
    EXPECT_FALSE(Popup->GetClosed());
    EXPECT_TRUE(Inputs.empty());
    EXPECT_EQ(Closings, 0);

    // The calendar ends where dates do.
    Word Y = 1, M = 1;
    TGxDatePopup::SetPastMonth(Y, M, true);
    EXPECT_EQ(Y * 100 + M, 101);
    Y = 9999, M = 12;
    TGxDatePopup::SetPastMonth(Y, M, false);
    EXPECT_EQ(Y * 100 + M, 999912);
}

TEST_F(GxPopupDateTest, OnlyADayCellGivesADate)
{
    Popup->SetStartDay(dwSunday);
    Popup->SetDate(EncodeDate(2026, 11, 15));
    Open(Popup);
    const TPoint C = CellCentre(3, 2);
    ClickOn(Popup, C.X, C.Y);
    ASSERT_EQ(Inputs.size(), 1u);
    EXPECT_EQ(Inputs[0], DateTimeToStr(EncodeDate(2026, 11, 18)));
    // Right of the grid and below it, inside the area that takes presses.
    ClickOn(Popup, 135, 45);
    ClickOn(Popup, 14, 45);
    ClickOn(Popup, 60, 130);
    EXPECT_EQ(Inputs.size(), 1u);
}

TEST_F(GxPopupDateTest, TodayAndNone)
{
    Popup->GetTodayButton()->SetCaption("Today");
    Popup->GetNoneButton()->SetCaption("None");
    Open(Popup);
    // The pointer comes in before it clicks, as the user's does.
    MouseMoveAtScreen(Popup->ClientToScreen(TPoint(60, 60)));
    ClickOn(Popup->GetTodayButton(), 10, 10);
    ClickOn(Popup->GetNoneButton(), 10, 10);
    EXPECT_EQ(Inputs, (std::vector<AnsiString>{DateTimeToStr(Date()), ""}));
}

TEST_F(GxPopupDateTest, SelectionAndTodayArePaintedAndFollowADrag)
{
    Popup->SetStartDay(dwSunday);
    const TDateTime Today = Date();
    Popup->SetDate(Today);
    Open(Popup);
    // Today's cell: the selection fill inside the today frame.
    int TodayCol = -1, TodayRow = -1;
    for (int R = 0; R < 6; ++R)
        for (int Col = 0; Col < 7; ++Col)
            if (Popup->GetDateAtPos(Col, R) == Today) TodayCol = Col, TodayRow = R;
    ASSERT_GE(TodayRow, 0);
    const TColor Fill = Themed() ? TColor(0x94E6FB) : TColor(0xC0C0C0);
    const TColor Frame = Themed() ? TColor(0x000080) : ColorToRGB(clHighlight);
    const TPoint T(15 + 17 * TodayCol, 38 + 15 * TodayRow);
    EXPECT_EQ(PixelAt(Popup, T.X, T.Y), Frame);
    EXPECT_EQ(PixelAt(Popup, T.X + 16, T.Y + 14), Frame);
    EXPECT_EQ(PixelAt(Popup, T.X + 2, T.Y + 2), Fill);
    SaveImage(Popup, "date-popup");

    // Pressed on one cell and dragged to another: the selection follows.
    const int OtherRow = TodayRow == 0 ? 1 : 0;
    const TPoint From = Popup->ClientToScreen(CellCentre(TodayCol, TodayRow));
    const TPoint To = Popup->ClientToScreen(CellCentre(2, OtherRow));
    MouseDownAtScreen(From);
    MouseMoveAtScreen(To);
    EXPECT_EQ(Popup->GetSelectedDate(), Popup->GetDateAtPos(2, OtherRow));
    EXPECT_EQ(PixelAt(Popup, 15 + 17 * 2 + 2, 38 + 15 * OtherRow + 2), Fill);
    EXPECT_EQ(PixelAt(Popup, T.X + 2, T.Y + 2), ColorToRGB(clWindow));
    EXPECT_EQ(PixelAt(Popup, T.X, T.Y), Frame);
    MouseUpAtScreen(To);
    ASSERT_EQ(Inputs.size(), 1u);
    EXPECT_EQ(Inputs[0], DateTimeToStr(Popup->GetDateAtPos(2, OtherRow)));
}

} // namespace
