// grid/shared/GxPopupDate.h
// The month calendar that the date picker drops down.
#pragma once
#include "grid/shared/GxMonthGrid.h"
#include "grid/shared/GxPopupControl.h"

namespace GxPopupControl {

// A month calendar: a title strip with the month and year between two
// arrows, a row of day letters and six weeks of day cells, then Today and
// None. A press (and drag) on a cell selects its date; a release on a cell
// hands its date on as text, Today hands on today's date and None an empty
// text. The owning date picker gives the buttons their captions and sets
// the names, the start day and the None button's visibility before each
// opening.
class TGxDatePopup : public TGxPopupControl, public GxMonthGrid::TGxMonthGridOwner {
public:
    QM_CLASS(TGxDatePopup, TGxPopupControl)
    explicit TGxDatePopup(TComponent* AOwner);

    void SetSelectedDate(TDateTime Value) { FGrid.SetSelectedDate(Value); }
    // Seven lines, the first for the first column; fewer fall back to the locale's names.
    TStrings* GetDayNames() const { return FGrid.GetDayNames(); }
    void SetDayNames(TStrings* Value) { FGrid.SetDayNames(Value); }
    // Twelve lines, January first; fewer fall back to the locale's names.
    TStrings* GetMonthNames() const { return FGrid.GetMonthNames(); }
    void SetMonthNames(TStrings* Value) { FGrid.SetMonthNames(Value); }
    TGxMiniButton* GetTodayButton() const { return FTodayButton; }
    TGxMiniButton* GetNoneButton() const { return FNoneButton; }

    TRect GetMonthRect() { return GxMonthGrid::TGxMonthGrid::GetMonthRect(GetClientWidth()); }
    // The letter over column I (1..7): the first character of its day name.
    AnsiString GetDayInWeekChar(int I) const { return FGrid.GetDayInWeekChar(I, " "); }
    // A month forward or backward, the year following across its turn.
    static void SetPastMonth(Word& Year, Word& Month, bool Backward)
    {
        GxMonthGrid::TGxMonthGrid::SetPastMonth(Year, Month, Backward);
    }

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
    TRect GetDayArea() { return GxMonthGrid::TGxMonthGrid::GetDayArea(GetClientWidth(), GetClientHeight()); }

    bool FMouseDown = false;
    TGxMiniButton* FTodayButton;
    TGxMiniButton* FNoneButton;
};

} // namespace GxPopupControl
