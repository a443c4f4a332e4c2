// grid/shared/GxPopupDate.h
// The month calendar that the date picker drops down.
#pragma once
#include "grid/shared/GxPopupControl.h"

namespace GxPopupControl {

// A month calendar: a title strip with the month and year between two
// arrows, a row of day letters and six weeks of day cells, then Today and
// None. A press (and drag) on a cell selects its date; a release on a cell
// hands its date on as text, Today hands on today's date and None an empty
// text. The owning date picker gives the buttons their captions and sets
// the names, the start day and the None button's visibility before each
// opening.
class TGxDatePopup : public TGxPopupControl {
public:
    QM_CLASS(TGxDatePopup, TGxPopupControl)
    explicit TGxDatePopup(TComponent* AOwner);

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
    // Seven lines, the first for the first column; fewer fall back to the locale's names.
    TStrings* GetDayNames() const { return FDayNames; }
    void SetDayNames(TStrings* Value) { FDayNames = Value; }
    // Twelve lines, January first; fewer fall back to the locale's names.
    TStrings* GetMonthNames() const { return FMonthNames; }
    void SetMonthNames(TStrings* Value) { FMonthNames = Value; }
    TStartDayOfWeek GetStartDay() const { return FStartDay; }
    void SetStartDay(TStartDayOfWeek Value) { FStartDay = Value; }
    TGxMiniButton* GetTodayButton() const { return FTodayButton; }
    TGxMiniButton* GetNoneButton() const { return FNoneButton; }

    TRect GetMonthRect();
    // dwMonday or dwSunday: StartDay, or the locale's first day of the week.
    TStartDayOfWeek GetActualStartDay() const;
    // 1 for the first column's weekday ... 7.
    int GetDayOfWeek(TDateTime Value) const;
    // The letter over column I (1..7): the first character of its day name.
    AnsiString GetDayInWeekChar(int I) const;
    AnsiString GetMonthName(int Month) const;
    // The date shown in cell (Col, Row) of the grid.
    TDateTime GetDateAtPos(int Col, int Row) const;
    // A month forward or backward, the year following across its turn.
    static void SetPastMonth(Word& Year, Word& Month, bool Backward);

protected:
    void AcquireValue(int X, int Y) override;
    void Paint() override;
    virtual void PaintDay(int Day, const TRect& Rect);
    virtual void PaintMonth(const TRect& Rect);
    void SelectDate(int X, int Y);
    void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
    void MouseMove(TShiftState Shift, int X, int Y) override;
    void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) override;
    void DoButtonMouseUp(TObject* Sender, TMouseButton Button, TShiftState Shift, int X, int Y);

private:
    // The painted cell under a client point; false off the grid.
    static bool CellAt(int X, int Y, int& Col, int& Row);
    static TRect CellRect(int Col, int Row);
    TRect GetDayArea();
    // The first day of the shown month, year and month kept in range.
    TDateTime FirstOfMonth() const;

    TDateTime FDate = 0;
    Word FDay = 1;
    TStrings* FDayNames = nullptr;
    bool FMouseDown = false;
    Word FMonth = 1;
    TRect FPrevSelRect;
    TDateTime FSelectedDate = 0;
    Word FYear = 1;
    TGxMiniButton* FTodayButton;
    TGxMiniButton* FNoneButton;
    TStrings* FMonthNames = nullptr;
    TStartDayOfWeek FStartDay = dwAutomatic;
};

} // namespace GxPopupControl
