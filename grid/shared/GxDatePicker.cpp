// grid/shared/GxDatePicker.cpp
// The date picker and the month calendar.
#include "grid/shared/GxDatePicker.h"
#include "grid/shared/GxSharedCommon.h"
#include "grid/shared/GxThemesSupport.h"
#include "platform/rtl/Codec.h"
#include "platform/win/WinGdi.h"
#include "platform/win/WinUser.h"

#include <algorithm>

namespace GxDatePicker {

using namespace GxSharedCommon;
using namespace GxThemesSupport;

using GxMonthGrid::TGxMonthGrid;

// ---- The date picker ---------------------------------------------------------------

TGxDatePicker::TGxDatePicker(TComponent* AOwner)
    : TGxPopupEdit(AOwner), FDayNames(std::make_unique<TStringList>()), FMonthNames(std::make_unique<TStringList>())
{
    SetAsDateTime(Date());
}

TGxDatePicker::~TGxDatePicker() = default;

TGxPopupControlClass TGxDatePicker::GetPopupControlClass()
{
    return PopupControlClass<TGxDatePopup>;
}

TDateTime TGxDatePicker::GetAsDateTime()
{
    const AnsiString Text = GetText();
    if (Text.empty() || Text == "0") return Date();
    return StrToDateTime(Text);
}

TDateTime TGxDatePicker::CurrentDate()
{
    const AnsiString Text = GetText();
    TDateTime Value = 0;
    if (Text.empty() || Text == "0" || !TryStrToDateTime(Text, Value) || Value == 0) return Date();
    return Value;
}

TGxDatePopup* TGxDatePicker::DatePopup() const
{
    return dynamic_cast<TGxDatePopup*>(GetPopupControl());
}

void TGxDatePicker::BeforeDrop(TPoint& Point)
{
    TGxPopupEdit::BeforeDrop(Point);
    TGxDatePopup* D = DatePopup();
    if (!D) return;
    D->GetNoneButton()->SetCaption(WideToUtf8(FNoneCaption));
    D->SetDate(CurrentDate());
    D->SetDayNames(FDayNames.get());
    D->SetStartDay(FStartDay);
    D->GetTodayButton()->SetCaption(WideToUtf8(FTodayCaption));
    D->SetMonthNames(FMonthNames.get());
    D->SetBounds(D->GetLeft(), D->GetTop(), GxMonthGrid::CalendarWidth, GxMonthGrid::CalendarHeight);
    D->GetNoneButton()->SetVisible(FShowNoneButton);
    TGxMonthGrid::PlaceTodayButton(D->GetTodayButton(), D->GetClientWidth(), FShowNoneButton);
}

void TGxDatePicker::KeyDown(Word& Key, TShiftState Shift)
{
    // Only a calendar that was already open moves: Alt+Up opening it is no step.
    const bool WasOpen = GetDroppedDown();
    TGxPopupEdit::KeyDown(Key, Shift);
    if (!WasOpen || !GetDroppedDown()) return;
    const TDateTime Current = CurrentDate();
    TDateTime Next;
    switch (Key) {
    case VK_PRIOR:
        Next = IncMonth(Current, -1);
        break;
    case VK_NEXT:
        Next = IncMonth(Current, 1);
        break;
    case VK_LEFT:
        Next = Current - 1;
        break;
    case VK_RIGHT:
        Next = Current + 1;
        break;
    case VK_UP:
        Next = Current - 7;
        break;
    case VK_DOWN:
        Next = Current + 7;
        break;
    default:
        // Other keys leave the date (and what is being typed) alone.
        if (GetStyle() == dsDropDownList) Key = 0;
        return;
    }
    SetAsDateTime(Next);
    if (TGxDatePopup* D = DatePopup()) {
        D->SetDate(Next);
        D->Invalidate();
    }
}

// ---- The month calendar ------------------------------------------------------------

TGxMonthCalendar::TGxMonthCalendar(TComponent* AOwner)
    : TCustomControl(AOwner), FDayNames(std::make_unique<TStringList>()), FMonthNames(std::make_unique<TStringList>())
{
    FGrid.SetDayNames(FDayNames.get());
    FGrid.SetMonthNames(FMonthNames.get());
    SetDate(Date());
    // clWindow is a control's own default: without this the form's colour would come through.
    SetParentColor(false);
    SetColor(clWindow);
    SetBounds(GetLeft(), GetTop(), GxMonthGrid::CalendarWidth, GxMonthGrid::CalendarHeight);
    const TMouseEvent ButtonUp = [this](TObject* Sender, TMouseButton B, TShiftState S, int X, int Y) {
        DoButtonMouseUp(Sender, B, S, X, Y);
    };
    FTodayButton = TGxMonthGrid::MakeButton(this, 0, ButtonUp);
    FTodayButton->SetCaption(WideToUtf8(FTodayCaption));
    FNoneButton = TGxMonthGrid::MakeButton(this, 1, ButtonUp);
    FNoneButton->SetCaption(WideToUtf8(FNoneCaption));
    FNoneButton->SetVisible(FShowNoneButton);
}

TGxMonthCalendar::~TGxMonthCalendar() = default;

void TGxMonthCalendar::SetSelectedDate(TDateTime Value)
{
    FGrid.SetSelectedDate(Value);
    DoChange();
}

void TGxMonthCalendar::SetTodayCaption(const WideString& Value)
{
    FTodayCaption = Value;
    FTodayButton->SetCaption(WideToUtf8(Value));
}

void TGxMonthCalendar::SetNoneCaption(const WideString& Value)
{
    FNoneCaption = Value;
    FNoneButton->SetCaption(WideToUtf8(Value));
}

void TGxMonthCalendar::SetShowNoneButton(bool Value)
{
    FShowNoneButton = Value;
    FNoneButton->SetVisible(Value);
    if (!GetComponentState().Contains(csDesigning))
        TGxMonthGrid::PlaceTodayButton(FTodayButton, GetClientWidth(), Value);
}

void TGxMonthCalendar::CreateWnd()
{
    TCustomControl::CreateWnd();
    SetShowNoneButton(FShowNoneButton);
}

void TGxMonthCalendar::DoChange()
{
    if (OnChange) OnChange(this);
}

void TGxMonthCalendar::DoDayFont(int Day, TFont* Font)
{
    if (OnDayFont) OnDayFont(this, Day, Font);
}

TRect TGxMonthCalendar::GetDaysRect()
{
    return TRect(15, 37, GetClientWidth() - 15, 127);
}

void TGxMonthCalendar::RefreshMonth()
{
    if (!HandleAllocated()) return;
    TRect Month = GetMonthRect();
    InflateRect(Month, -15, 0);
    const TRect Days = GetDaysRect();
    InvalidateRect(GetHandle(), &Month, false);
    InvalidateRect(GetHandle(), &Days, false);
}

void TGxMonthCalendar::SelectDate(int X, int Y)
{
    FGrid.SelectAt(this, X, Y, [this] { DoChange(); });
}

void TGxMonthCalendar::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y)
{
    TCustomControl::MouseDown(Button, Shift, X, Y);
    const TPoint P(X, Y);
    if (const int Arrow = TGxMonthGrid::ArrowAt(P, GetClientWidth())) {
        FGrid.TurnMonth(Arrow < 0);
        RefreshMonth();
    } else if (PtInRect(GetDayArea(), P)) {
        FMouseSelecting = true;
        SelectDate(X, Y);
    }
}

void TGxMonthCalendar::MouseMove(TShiftState Shift, int X, int Y)
{
    TCustomControl::MouseMove(Shift, X, Y);
    if (FMouseSelecting && PtInRect(GetDayArea(), TPoint(X, Y))) SelectDate(X, Y);
}

void TGxMonthCalendar::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y)
{
    TCustomControl::MouseUp(Button, Shift, X, Y);
    FMouseSelecting = false;
}

void TGxMonthCalendar::DoButtonMouseUp(TObject* Sender, TMouseButton, TShiftState, int, int)
{
    const auto* Button = dynamic_cast<TComponent*>(Sender);
    if (!Button) return;
    SetDate(Button->GetTag() == 1 ? TDateTime(0) : Date());
    RefreshMonth();
}

void TGxMonthCalendar::WMEraseBkgnd(TMessage& Message)
{
    Message.Result = 1;
}

void TGxMonthCalendar::Paint()
{
    FGrid.Paint(
        GetCanvas(), GetFont(), GetColor(), GetClientRect(), taRightJustify, [this](const TRect& R) { PaintMonth(R); },
        [this](int Day, const TRect& R) { PaintDay(Day, R); });
}

void TGxMonthCalendar::PaintDay(int Day, const TRect& Rect)
{
    TCanvas* Canvas = GetCanvas();
    // The control's font in the cell's colour, for the handler to change.
    const TColor Color = Canvas->GetFont()->GetColor();
    Canvas->SetFont(GetFont());
    Canvas->GetFont()->SetColor(Color);
    DoDayFont(Day, Canvas->GetFont());
    TGxMonthGrid::PaintDayNumber(Canvas, Day, Rect);
}

void TGxMonthCalendar::PaintMonth(const TRect& Rect)
{
    FGrid.PaintMonth(GetCanvas(), Rect, GetClientWidth());
}

} // namespace GxDatePicker
