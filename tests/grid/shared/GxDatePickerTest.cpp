#include "grid/shared/GxDatePicker.h"
#include "grid/shared/GxSharedCommon.h"
#include "grid/shared/GxThemesSupport.h"
#include "platform/testing/Pointer.h"
#include "platform/testing/TestDriving.h"
#include "platform/win/WinUser.h"
#include "tests/platform/controls/ControlFixtures.h"
#include "tests/support/TestSupport.h"

#include <cstdlib>
#include <vector>

namespace {

using namespace GxDatePicker;
using namespace platform::test;

AnsiString Ymd(TDateTime D)
{
    return FormatDateTime("yyyy-mm-dd", D);
}

TPoint CellCentre(int Col, int Row)
{
    return TPoint(15 + 17 * Col + 8, 38 + 15 * Row + 7);
}

bool Themed()
{
    return GxThemesSupport::IsThemed();
}

void SaveImage(TWinControl* C, const AnsiString& Name)
{
    if (const char* Dir = std::getenv("QUILLMOTE_SHEET_DIR"))
        SaveWindowImage(C, AnsiString(Dir) + "/" + Name + (Themed() ? "-themed" : "-classic") + ".png");
}

class GxDatePickerTest : public TFormTest {
protected:
    void SetUp() override
    {
        TFormTest::SetUp();
        FormatSettings = DefaultFormatSettings();
    }
    TGxDatePicker* MakePicker()
    {
        auto* E = New<TGxDatePicker>(Form);
        E->SetParent(Form);
        E->SetBounds(10, 10, 120, 21);
        ProcessEvents();
        E->SetFocus();
        return E;
    }
    TGxMonthCalendar* MakeCalendar()
    {
        auto* C = New<TGxMonthCalendar>(Form);
        C->SetParent(Form);
        C->SetLeft(20);
        C->SetTop(20);
        ProcessEvents();
        return C;
    }
    static TGxDatePopup* PopupOf(TGxDatePicker* E) { return dynamic_cast<TGxDatePopup*>(E->GetPopupControl()); }
    static void ClickOn(TControl* C, int X, int Y) { ClickAtScreen(C->ClientToScreen(TPoint(X, Y))); }
    TFormatSettingsGuard KeepSettings;
};

TEST_F(GxDatePickerTest, AnEmptyOrForeignTextOpensOnTodayAndOnlyANonDateRaises)
{
    auto* E = MakePicker();
    EXPECT_EQ(E->GetText(), FormatDateTime("", Date()));
    for (const char* Text : {"", "0"}) {
        E->SetText(Text);
        EXPECT_EQ(E->GetAsDateTime(), Date()) << Text;
    }
    E->SetText("");
    E->SetDroppedDown(true);
    EXPECT_EQ(PopupOf(E)->GetSelectedDate(), Date());
    Word Y, M, D;
    DecodeDate(Date(), Y, M, D);
    EXPECT_EQ(PopupOf(E)->GetYear() * 100 + PopupOf(E)->GetMonth(), Y * 100 + M);
    E->SetDroppedDown(false);

    E->SetText("no date");
    EXPECT_THROW(E->GetAsDateTime(), EConvertError);
    E->SetDroppedDown(true);
    EXPECT_EQ(PopupOf(E)->GetSelectedDate(), Date());
    // The keys step from today too.
    PressKey(E, VK_RIGHT);
    EXPECT_EQ(Ymd(E->GetAsDateTime()), Ymd(Date() + 1));

    E->SetText(DateToStr(EncodeDate(2026, 3, 9)));
    E->SetDroppedDown(false);
    E->SetDroppedDown(true);
    EXPECT_EQ(Ymd(PopupOf(E)->GetSelectedDate()), "2026-03-09");
    EXPECT_EQ(PopupOf(E)->GetMonth(), 3);
}

TEST_F(GxDatePickerTest, BeforeDropHandsOverNamesCaptionsStartDayAndSize)
{
    auto* E = MakePicker();
    TStringList Days, Months;
    for (const char* D : {"Lu", "Ma", "Me", "Je", "Ve", "Sa", "Di"})
        Days.Add(D);
    for (int M = 1; M <= 12; ++M)
        Months.Add("Mois" + IntToStr(M));
    E->SetDayNames(&Days);
    E->SetMonthNames(&Months);
    Days.Clear(); // copied, not referenced
    E->SetTodayCaption(u"Auj.");
    E->SetNoneCaption(u"Aucun");
    E->SetStartDay(dwMonday);
    E->SetShowNoneButton(false);
    E->SetDroppedDown(true);
    TGxDatePopup* D = PopupOf(E);
    EXPECT_EQ(D->GetDayInWeekChar(7), "D");
    EXPECT_EQ(D->GetMonthName(4), "Mois4");
    EXPECT_EQ(D->GetStartDay(), dwMonday);
    EXPECT_EQ(D->GetTodayButton()->GetCaption(), "Auj.");
    EXPECT_EQ(D->GetNoneButton()->GetCaption(), "Aucun");
    EXPECT_EQ(D->GetWidth(), 151);
    EXPECT_EQ(D->GetHeight(), 163);
    EXPECT_FALSE(D->GetNoneButton()->GetVisible());
    EXPECT_EQ(D->GetTodayButton()->GetLeft(), D->GetClientWidth() / 2 - 47 / 2);
    SaveImage(D, "date-picker-open-monday");

    E->SetDroppedDown(false);
    E->SetShowNoneButton(true);
    E->SetDroppedDown(true);
    EXPECT_TRUE(D->GetNoneButton()->GetVisible());
    EXPECT_EQ(D->GetTodayButton()->GetLeft(), 20);
}

TEST_F(GxDatePickerTest, KeysMoveTheDateByDayWeekAndMonthOnlyWhileOpen)
{
    auto* E = MakePicker();
    E->SetAsDateTime(EncodeDate(2026, 1, 31));
    PressKey(E, VK_NEXT);
    EXPECT_EQ(Ymd(E->GetAsDateTime()), "2026-01-31");

    E->SetDroppedDown(true);
    TGxDatePopup* D = PopupOf(E);
    PressKey(E, VK_NEXT);
    EXPECT_EQ(Ymd(E->GetAsDateTime()), "2026-02-28");
    EXPECT_EQ(D->GetMonth(), 2);
    EXPECT_EQ(Ymd(D->GetSelectedDate()), "2026-02-28");
    E->SetAsDateTime(EncodeDate(2024, 1, 31));
    PressKey(E, VK_NEXT);
    EXPECT_EQ(Ymd(E->GetAsDateTime()), "2024-02-29");
    PressKey(E, VK_PRIOR);
    EXPECT_EQ(Ymd(E->GetAsDateTime()), "2024-01-29");
    std::vector<AnsiString> Steps;
    for (Word Key : {VK_LEFT, VK_RIGHT, VK_RIGHT, VK_UP, VK_DOWN, VK_DOWN}) {
        PressKey(E, Key);
        Steps.push_back(Ymd(E->GetAsDateTime()));
    }
    EXPECT_EQ(Steps, (std::vector<AnsiString>{"2024-01-28", "2024-01-29", "2024-01-30", "2024-01-23", "2024-01-30",
                                              "2024-02-06"}));
    EXPECT_EQ(D->GetMonth(), 2);
    EXPECT_EQ(Ymd(D->GetSelectedDate()), "2024-02-06");
    EXPECT_TRUE(E->GetDroppedDown());

    // Alt+Up opening the calendar is no step back.
    E->SetDroppedDown(false);
    PressKey(E, VK_UP, {ssAlt});
    ASSERT_TRUE(E->GetDroppedDown());
    EXPECT_EQ(Ymd(E->GetAsDateTime()), "2024-02-06");
}

TEST_F(GxDatePickerTest, TheListStyleDropsOtherKeysWhileOpen)
{
    auto* E = MakePicker();
    E->SetStyle(dsDropDownList);
    E->SetAsDateTime(EncodeDate(2026, 5, 5));
    const AnsiString Text = E->GetText();
    E->SetDroppedDown(true);
    PressKey(E, 'A', {}, u"a");
    PressKey(E, VK_DELETE);
    EXPECT_EQ(E->GetText(), Text);
    EXPECT_TRUE(E->GetDroppedDown());
    PressKey(E, VK_DOWN);
    EXPECT_EQ(Ymd(E->GetAsDateTime()), "2026-05-12");
}

TEST_F(GxDatePickerTest, TodayAndNoneArePickedInThePopup)
{
    auto* E = MakePicker();
    E->SetAsDateTime(EncodeDate(2020, 2, 2));
    E->SetDroppedDown(true);
    TGxDatePopup* D = PopupOf(E);
    MouseMoveAtScreen(D->ClientToScreen(TPoint(60, 60)));
    ClickOn(D->GetTodayButton(), 10, 10);
    EXPECT_EQ(E->GetText(), DateTimeToStr(Date()));
    EXPECT_FALSE(E->GetDroppedDown());

    E->SetDroppedDown(true);
    MouseMoveAtScreen(D->ClientToScreen(TPoint(60, 60)));
    ClickOn(D->GetNoneButton(), 10, 10);
    EXPECT_EQ(E->GetText(), "");
    EXPECT_EQ(E->GetAsDateTime(), Date());
}

TEST_F(GxDatePickerTest, TheCalendarStartsItsWeekAsTheLocaleSays)
{
    auto* C = MakeCalendar();
    C->SetDate(EncodeDate(2026, 8, 15)); // 1 August 2026 is a Saturday
    // Monday, Saturday, Sunday as the locale's first day.
    const std::vector<std::pair<int, AnsiString>> Cases{{0, "2026-07-27"}, {5, "2026-07-26"}, {6, "2026-07-26"}};
    for (const auto& [First, TopLeft] : Cases) {
        FormatSettings.FirstDayOfWeek = First;
        EXPECT_EQ(Ymd(C->GetDateAtPos(0, 0)), TopLeft) << First;
        EXPECT_EQ(C->GetDayInWeekChar(1), First == 0 ? "M" : "S") << First;
        EXPECT_EQ(C->GetDayInWeekChar(2), First == 0 ? "T" : "M") << First;
    }
    C->SetStartDay(dwMonday);
    FormatSettings.FirstDayOfWeek = 6;
    EXPECT_EQ(C->GetDayOfWeek(EncodeDate(2026, 8, 2)), 7);
    EXPECT_EQ(Ymd(C->GetDateAtPos(5, 0)), "2026-08-01");
    EXPECT_EQ(Ymd(C->GetDateAtPos(6, 5)), "2026-09-06");

    // Seven day names are used, six are not; whole characters only.
    TStringList Days;
    for (const char* D : {"\xC3\x89r", "b", "c", "d", "e", "f"})
        Days.Add(D);
    C->SetDayNames(&Days);
    EXPECT_EQ(C->GetDayInWeekChar(1), "M");
    Days.Add("g");
    C->SetDayNames(&Days);
    EXPECT_EQ(C->GetDayInWeekChar(1), "\xC3\x89");
    EXPECT_EQ(C->GetDayInWeekChar(7), "g");
    EXPECT_EQ(C->GetMonthName(8), "August");
}

TEST_F(GxDatePickerTest, TheArrowsTurnTheMonthAcrossTheYear)
{
    auto* C = MakeCalendar();
    C->SetDate(EncodeDate(2026, 1, 10));
    ClickOn(C, 6, 9);
    EXPECT_EQ(C->GetYear() * 100 + C->GetMonth(), 202512);
    ClickOn(C, C->GetClientWidth() - 6, 9);
    ClickOn(C, C->GetClientWidth() - 6, 9);
    EXPECT_EQ(C->GetYear() * 100 + C->GetMonth(), 202602);
    EXPECT_EQ(Ymd(C->GetSelectedDate()), "2026-01-10");
}

TEST_F(GxDatePickerTest, AClickPicksThePaintedCellAndADragEachDateItPasses)
{
    auto* C = MakeCalendar();
    C->SetStartDay(dwSunday);
    C->SetDate(EncodeDate(2026, 11, 15));
    std::vector<AnsiString> Changes;
    C->OnChange = [&](TObject*) { Changes.push_back(Ymd(C->GetSelectedDate())); };

    // The bottom pixel row of a cell, and its right pixel column.
    ClickOn(C, 15 + 17 * 3 + 16, 38 + 15 * 2 + 14);
    EXPECT_EQ(Ymd(C->GetSelectedDate()), Ymd(C->GetDateAtPos(3, 2)));
    // The strip above the buttons and the margin left of the grid pick nothing.
    ClickOn(C, 120, 140);
    ClickOn(C, 14, 60);
    EXPECT_EQ(Changes.size(), 1u);

    Changes.clear();
    MouseDownAtScreen(C->ClientToScreen(CellCentre(0, 1)));
    // Two points in one cell make one change.
    for (TPoint P : {CellCentre(1, 1), TPoint(15 + 17 + 2, 38 + 15 + 3), CellCentre(2, 1)})
        MouseMoveAtScreen(C->ClientToScreen(P));
    MouseUpAtScreen(C->ClientToScreen(CellCentre(2, 1)));
    EXPECT_EQ(Changes, (std::vector<AnsiString>{"2026-11-08", "2026-11-09", "2026-11-10"}));
    // Released, moving selects no more.
    MouseMoveAtScreen(C->ClientToScreen(CellCentre(4, 1)));
    EXPECT_EQ(Changes.size(), 3u);
}

TEST_F(GxDatePickerTest, TodayAndNoneSetTheDateWithoutAChange)
{
    auto* C = MakeCalendar();
    C->SetDate(EncodeDate(2001, 1, 1));
    int Changes = 0;
    C->OnChange = [&](TObject*) { ++Changes; };
    EXPECT_FALSE(C->GetNoneButton()->GetVisible());
    C->SetShowNoneButton(true);
    MouseMoveAtScreen(C->ClientToScreen(TPoint(60, 60)));
    ClickOn(C->GetTodayButton(), 10, 10);
    EXPECT_EQ(C->GetDate(), Date());
    EXPECT_EQ(C->GetSelectedDate(), Date());
    ClickOn(C->GetNoneButton(), 10, 10);
    EXPECT_EQ(C->GetDate(), 0);
    EXPECT_EQ(C->GetYear() * 100 + C->GetMonth(), 189912);
    EXPECT_EQ(Changes, 0);
}

TEST_F(GxDatePickerTest, TheTodayButtonIsCentredWithoutNone)
{
    auto* C = New<TGxMonthCalendar>(Form);
    // Before its window, the placing waits for the window's creation.
    EXPECT_EQ(C->GetTodayButton()->GetLeft(), 20);
    C->SetParent(Form);
    C->HandleNeeded();
    EXPECT_EQ(C->GetTodayButton()->GetLeft(), C->GetClientWidth() / 2 - 47 / 2);
    C->SetShowNoneButton(true);
    EXPECT_EQ(C->GetTodayButton()->GetLeft(), 20);
    EXPECT_TRUE(C->GetNoneButton()->GetVisible());
    C->SetTodayCaption(u"Heute");
    C->SetNoneCaption(u"Keins");
    EXPECT_EQ(C->GetTodayButton()->GetCaption(), "Heute");
    EXPECT_EQ(C->GetNoneButton()->GetCaption(), "Keins");
}

TEST_F(GxDatePickerTest, RefreshMonthInvalidatesTheTitleAndTheDays)
{
    auto* C = MakeCalendar();
    PaintNow(C);
    C->RefreshMonth();
    TRect R;
    ASSERT_TRUE(GetUpdateRect(C->GetHandle(), &R, false));
    const int W = C->GetClientWidth();
    EXPECT_EQ(R, TRect(15, 5, W - 15, 127));
}

TEST_F(GxDatePickerTest, OneRepaintAsksForEachDaysFontInCellOrder)
{
    auto* C = MakeCalendar();
    C->SetStartDay(dwMonday);
    C->SetDate(EncodeDate(2026, 2, 14));
    C->Invalidate();
    std::vector<int> Days;
    C->OnDayFont = [&](TObject*, int Day, TFont* Font) {
        Days.push_back(Day);
        if (Day == 20) Font->SetColor(TColor(0x0000FF));
    };
    PaintNow(C);
    Days.clear();
    C->Repaint();
    std::vector<int> Shown;
    for (int Row = 0; Row < 6; ++Row)
        for (int Col = 0; Col < 7; ++Col) {
            Word Y, M, D;
            DecodeDate(C->GetDateAtPos(Col, Row), Y, M, D);
            Shown.push_back(D);
        }
    EXPECT_EQ(Days.size(), 42u);
    EXPECT_EQ(Days, Shown);
    // The handler's colour reaches the number: 20 February is Friday of the fourth row.
    ASSERT_EQ(Ymd(C->GetDateAtPos(4, 3)), "2026-02-20");
    bool Red = false;
    for (int Y = 38 + 45; Y < 38 + 60; ++Y)
        for (int X = 15 + 17 * 4; X < 15 + 17 * 5; ++X) {
            const TColor P = PixelAt(C, X, Y);
            Red = Red || (GetRValue(P) > 150 && GetGValue(P) < 90 && GetBValue(P) < 90);
        }
    EXPECT_TRUE(Red);
}

TEST_F(GxDatePickerTest, TheHeaderSelectionAndTodayArePaintedInEitherMode)
{
    for (TStartDayOfWeek Start : {dwMonday, dwSunday}) {
        auto* C = MakeCalendar();
        C->SetStartDay(Start);
        C->SetShowNoneButton(true);
        const TDateTime Today = Date();
        C->SetDate(Today);
        C->Invalidate();
        // Another day of the month selected, so that today's cell shows only its frame.
        int TodayCol = -1, TodayRow = -1, SelCol = -1, SelRow = -1;
        for (int R = 0; R < 6; ++R)
            for (int Col = 0; Col < 7; ++Col) {
                if (C->GetDateAtPos(Col, R) == Today) TodayCol = Col, TodayRow = R;
                if (C->GetDateAtPos(Col, R) == Today + (TodayRow == 5 ? -7 : 7)) SelCol = Col, SelRow = R;
            }
        ASSERT_GE(TodayRow, 0);
        if (SelRow < 0)
            for (int Col = 0; Col < 7; ++Col)
                if (C->GetDateAtPos(Col, TodayRow - 1) == Today - 7) SelCol = Col, SelRow = TodayRow - 1;
        ASSERT_GE(SelRow, 0);
        ClickOn(C, CellCentre(SelCol, SelRow).X, CellCentre(SelCol, SelRow).Y);

        const TColor Header =
            Themed() ? GxSharedCommon::TGraphicsProvider::BlendColor(clGradientInactiveCaption, clWindow, 249)
                     : ColorToRGB(clBtnFace);
        EXPECT_EQ(PixelAt(C, 6, 6), ColorToRGB(Header));
        EXPECT_EQ(PixelAt(C, C->GetClientWidth() - 7, 19), ColorToRGB(Header));
        const TColor Fill = Themed() ? TColor(0x94E6FB) : TColor(0xC0C0C0);
        EXPECT_EQ(PixelAt(C, 15 + 17 * SelCol + 1, 38 + 15 * SelRow + 1), Fill);
        EXPECT_EQ(PixelAt(C, 15 + 17 * SelCol + 16, 38 + 15 * SelRow + 14), Fill);
        const TColor Frame = Themed() ? TColor(0x000080) : ColorToRGB(clHighlight);
        const TPoint T(15 + 17 * TodayCol, 38 + 15 * TodayRow);
        EXPECT_EQ(PixelAt(C, T.X, T.Y), Frame);
        EXPECT_EQ(PixelAt(C, T.X + 16, T.Y + 14), Frame);
        EXPECT_EQ(PixelAt(C, T.X + 1, T.Y + 1), ColorToRGB(clWindow));
        SaveImage(C, Start == dwMonday ? "month-calendar-monday" : "month-calendar-sunday");
        Free(C);
    }
}

TEST_F(GxDatePickerTest, ThePickerRendersClosedAndOpen)
{
    auto* E = MakePicker();
    E->SetAsDateTime(EncodeDate(2026, 12, 7));
    SaveImage(E, "date-picker-closed");
    E->SetStartDay(dwSunday);
    E->SetDroppedDown(true);
    TGxDatePopup* D = PopupOf(E);
    EXPECT_EQ(PixelAt(D, 15 + 17 * 1 + 2, 38 + 15 * 1 + 2), Themed() ? TColor(0x94E6FB) : TColor(0xC0C0C0));
    SaveImage(D, "date-picker-open-sunday");
}

} // namespace
