// grid/shared/GxMonthGrid.h
// The month that both calendars show, the date popup and the month calendar
// control: the shown month and the selected date, the day arithmetic, the
// layout of the title, the day letters and six weeks of day cells, and the
// painting of all of it.
#pragma once
#include "grid/shared/GxPopupControl.h"

#include <functional>

namespace GxMonthGrid {

using namespace GxPopupControl;

// Both calendars are this size.
inline constexpr int CalendarWidth = 151, CalendarHeight = 163;

using TMonthPaint = std::function<void(const TRect& Rect)>;
using TDayPaint = std::function<void(int Day, const TRect& Rect)>;

class TGxMonthGrid {
public:
    // Sets the selected date too, and shows its month.
    void SetDate(TDateTime Value);
    TDateTime GetDate() const { return FDate; }
    Word GetDay() const { return FDay; }
    void SetDay(Word Value) { FDay = Value; }
    Word GetMonth() const { return FMonth; }
    void SetMonth(Word Value) { FMonth = Value; }
    Word GetYear() const { return FYear; }
    void SetYear(Word Value) { FYear = Value; }
    TDateTime GetSelectedDate() const { return FSelectedDate; }
    void SetSelectedDate(TDateTime Value) { FSelectedDate = Value; }
    // Seven lines, the first for the first column, and twelve lines, January
    // first; fewer (or none) fall back to the locale's names. Not owned.
    TStrings* GetDayNames() const { return FDayNames; }
    void SetDayNames(TStrings* Value) { FDayNames = Value; }
    TStrings* GetMonthNames() const { return FMonthNames; }
    void SetMonthNames(TStrings* Value) { FMonthNames = Value; }
    TStartDayOfWeek GetStartDay() const { return FStartDay; }
    void SetStartDay(TStartDayOfWeek Value) { FStartDay = Value; }

    // dwMonday or dwSunday: StartDay, or the locale's first day of the week.
    TStartDayOfWeek GetActualStartDay() const;
    // 1 for the first column's weekday ... 7.
    int GetDayOfWeek(TDateTime Value) const;
    // The letter over column I (1..7): the first character of its day name;
    // Blank when the locale's name for it is empty.
    AnsiString GetDayInWeekChar(int I, const AnsiString& Blank) const;
    AnsiString GetMonthName(int Month) const;
    // The date shown in cell (Col, Row).
    TDateTime GetDateAtPos(int Col, int Row) const;
    // A month forward or backward, the year following across its turn.
    static void SetPastMonth(Word& Year, Word& Month, bool Backward);
    void TurnMonth(bool Backward) { SetPastMonth(FYear, FMonth, Backward); }

    // ---- Layout, in client coordinates
    static TRect GetMonthRect(int ClientWidth) { return TRect(5, 5, ClientWidth - 5, 21); }
    // Where a press selects a day.
    static TRect GetDayArea(int ClientWidth, int ClientHeight);
    // -1 for a point on the back arrow, 1 on the forward arrow, else 0.
    static int ArrowAt(const TPoint& P, int ClientWidth);
    // The painted cell under a point; false off the cells.
    static bool CellAt(int X, int Y, int& Col, int& Row);
    static TRect CellRect(int Col, int Row);
    // The Today (tag 0) or None (tag 1) button, below the cells.
    static TGxMiniButton* MakeButton(TWinControl* Parent, int Tag, const TMouseEvent& OnMouseUp);
    // Today's button alone is centred; beside None it keeps its place.
    static void PlaceTodayButton(TControl* Today, int ClientWidth, bool NoneShown);

    // Selects the date of the cell under (X, Y) of Control when it is not
    // selected yet: Changed runs (when given), then the old and the new
    // cell are painted again.
    void SelectAt(TWinControl* Control, int X, int Y, const std::function<void()>& Changed);

    // ---- Painting
    // The whole calendar but its buttons: the frame, the title through
    // PaintMonth, the day letters (aligned as Headings says), the lines and
    // the cells, each number through PaintDay in the cell's font colour.
    void Paint(TCanvas* Canvas, TFont* Font, TColor Color, const TRect& Client, TAlignment Headings,
               const TMonthPaint& PaintMonth, const TDayPaint& PaintDay);
    // The title strip: the month and year between two arrows.
    void PaintMonth(TCanvas* Canvas, const TRect& Rect, int ClientWidth) const;
    static void PaintDayNumber(TCanvas* Canvas, int Day, const TRect& Rect);

private:
    // The first day of the shown month, year and month kept in range.
    TDateTime FirstOfMonth() const;

    TDateTime FDate = 0;
    Word FDay = 1;
    Word FMonth = 1;
    Word FYear = 1;
    TDateTime FSelectedDate = 0;
    TStrings* FDayNames = nullptr;
    TStrings* FMonthNames = nullptr;
    TStartDayOfWeek FStartDay = dwAutomatic;
    TRect FSelRect; // the selected cell as last painted or selected
};

// What both calendars offer of the month grid they hold, as their own
// public face.
class TGxMonthGridOwner {
public:
    // Sets the selected date too, and shows its month.
    void SetDate(TDateTime Value) { FGrid.SetDate(Value); }
    TDateTime GetDate() const { return FGrid.GetDate(); }
    Word GetDay() const { return FGrid.GetDay(); }
    void SetDay(Word Value) { FGrid.SetDay(Value); }
    Word GetMonth() const { return FGrid.GetMonth(); }
    void SetMonth(Word Value) { FGrid.SetMonth(Value); }
    Word GetYear() const { return FGrid.GetYear(); }
    void SetYear(Word Value) { FGrid.SetYear(Value); }
    TDateTime GetSelectedDate() const { return FGrid.GetSelectedDate(); }
    TStartDayOfWeek GetStartDay() const { return FGrid.GetStartDay(); }
    void SetStartDay(TStartDayOfWeek Value) { FGrid.SetStartDay(Value); }

    // dwMonday or dwSunday: StartDay, or the locale's first day of the week.
    TStartDayOfWeek GetActualStartDay() const { return FGrid.GetActualStartDay(); }
    // 1 for the first column's weekday ... 7.
    int GetDayOfWeek(TDateTime Value) const { return FGrid.GetDayOfWeek(Value); }
    AnsiString GetMonthName(int Month) const { return FGrid.GetMonthName(Month); }
    // The date shown in cell (Col, Row).
    TDateTime GetDateAtPos(int Col, int Row) const { return FGrid.GetDateAtPos(Col, Row); }

protected:
    TGxMonthGrid FGrid;
};

} // namespace GxMonthGrid
