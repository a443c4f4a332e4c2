// grid/shared/GxDatePicker.h
// The date editor that drops down a month calendar, and the same calendar
// as a control of its own.
#pragma once
#include "grid/shared/GxButtonEdit.h"
#include "grid/shared/GxPopupDate.h"

#include <functional>
#include <memory>

namespace GxDatePicker {

using namespace GxButtonEdit;
using namespace GxPopupControl;

// Fired before each day number is drawn; the handler may change the font.
using TGxDayFontEvent = std::function<void(TObject* Sender, int Day, TFont* Font)>;

// The grid's date editor: its drop-down calendar opens on the edit's date
// (or today), and while it is open the arrows and Page Up/Down move the date
// by day, week and month. The names, captions, start day and the None
// button take effect at the next opening.
class TGxDatePicker : public TGxPopupEdit {
public:
    QM_CLASS(TGxDatePicker, TGxPopupEdit)
    explicit TGxDatePicker(TComponent* AOwner);
    ~TGxDatePicker() override;

    // Today for an empty text or "0"; EConvertError for a text that is no date.
    TDateTime GetAsDateTime() override;

    TStrings* GetDayNames() const { return FDayNames.get(); }
    void SetDayNames(TStrings* Value) { FDayNames->Assign(Value); }
    // Stored only: nothing shows it yet.
    const AnsiString& GetEmptyText() const { return FEmptyText; }
    void SetEmptyText(const AnsiString& Value) { FEmptyText = Value; }
    TStrings* GetMonthNames() const { return FMonthNames.get(); }
    void SetMonthNames(TStrings* Value) { FMonthNames->Assign(Value); }
    const WideString& GetNoneCaption() const { return FNoneCaption; }
    void SetNoneCaption(const WideString& Value) { FNoneCaption = Value; }
    bool GetShowNoneButton() const { return FShowNoneButton; }
    void SetShowNoneButton(bool Value) { FShowNoneButton = Value; }
    TStartDayOfWeek GetStartDay() const { return FStartDay; }
    void SetStartDay(TStartDayOfWeek Value) { FStartDay = Value; }
    const WideString& GetTodayCaption() const { return FTodayCaption; }
    void SetTodayCaption(const WideString& Value) { FTodayCaption = Value; }

protected:
    TGxPopupControlClass GetPopupControlClass() override;
    void BeforeDrop(TPoint& Point) override;
    void KeyDown(Word& Key, TShiftState Shift) override;

private:
    // The edit's date for the picker's own uses: today when it is none.
    TDateTime CurrentDate();
    TGxDatePopup* DatePopup() const;

    std::unique_ptr<TStringList> FDayNames;
    AnsiString FEmptyText;
    std::unique_ptr<TStringList> FMonthNames;
    WideString FNoneCaption = u"None";
    bool FShowNoneButton = true;
    TStartDayOfWeek FStartDay = dwSunday;
    WideString FTodayCaption = u"Today";
};

// A month calendar on a form: a click or a drag over the days selects a
// date and fires OnChange for each change; the arrows turn the month;
// Today and None set the date.
class TGxMonthCalendar : public TCustomControl, public GxMonthGrid::TGxMonthGridOwner {
public:
    QM_CLASS(TGxMonthCalendar, TCustomControl)
    explicit TGxMonthCalendar(TComponent* AOwner);
    ~TGxMonthCalendar() override;

    void SetSelectedDate(TDateTime Value);
    TStrings* GetDayNames() const { return FDayNames.get(); }
    void SetDayNames(TStrings* Value) { FDayNames->Assign(Value); }
    TStrings* GetMonthNames() const { return FMonthNames.get(); }
    void SetMonthNames(TStrings* Value) { FMonthNames->Assign(Value); }
    const WideString& GetNoneCaption() const { return FNoneCaption; }
    void SetNoneCaption(const WideString& Value);
    const WideString& GetTodayCaption() const { return FTodayCaption; }
    void SetTodayCaption(const WideString& Value);
    bool GetShowNoneButton() const { return FShowNoneButton; }
    void SetShowNoneButton(bool Value);
    TGxMiniButton* GetTodayButton() const { return FTodayButton; }
    TGxMiniButton* GetNoneButton() const { return FNoneButton; }

    // The heading of column I (1..7): the first character of its day name.
    AnsiString GetDayInWeekChar(int I) const { return FGrid.GetDayInWeekChar(I, AnsiString()); }
    TRect GetMonthRect() { return GxMonthGrid::TGxMonthGrid::GetMonthRect(GetClientWidth()); }
    TRect GetDaysRect();
    // The title and the days, to be painted again.
    void RefreshMonth();

    TNotifyEvent OnChange;
    TGxDayFontEvent OnDayFont;

protected:
    virtual void DoChange();
    virtual void DoDayFont(int Day, TFont* Font);
    void Paint() override;
    virtual void PaintDay(int Day, const TRect& Rect);
    virtual void PaintMonth(const TRect& Rect);
    void SelectDate(int X, int Y);
    void CreateWnd() override;
    void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
    void MouseMove(TShiftState Shift, int X, int Y) override;
    void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) override;
    void WMEraseBkgnd(TMessage& Message) override;
    void DoButtonMouseUp(TObject* Sender, TMouseButton Button, TShiftState Shift, int X, int Y);

private:
    TRect GetDayArea() { return GxMonthGrid::TGxMonthGrid::GetDayArea(GetClientWidth(), GetClientHeight()); }

    std::unique_ptr<TStringList> FDayNames;
    bool FMouseSelecting = false;
    std::unique_ptr<TStringList> FMonthNames;
    TGxMiniButton* FNoneButton;
    WideString FNoneCaption = u"None";
    bool FShowNoneButton = false;
    TGxMiniButton* FTodayButton;
    WideString FTodayCaption = u"Today";
};

} // namespace GxDatePicker
