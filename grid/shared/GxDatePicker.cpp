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

namespace {

constexpr int PopupWidth = 151, PopupHeight = 163;
constexpr int GridLeft = 15, GridTop = 38, CellWidth = 17, CellHeight = 15, Columns = 7, Rows = 6;
constexpr int ArrowArea = 18, ButtonLeft = 20;

// Today's button alone is centred; beside None it keeps its place.
void PlaceTodayButton(TControl* Today, int ClientWidth, bool NoneShown)
{
    Today->SetLeft(NoneShown ? ButtonLeft : ClientWidth / 2 - Today->GetWidth() / 2);
}

TRect CellRect(int Col, int Row)
{
    const int X = GridLeft + Col * CellWidth, Y = GridTop + Row * CellHeight;
    return TRect(X, Y, X + CellWidth, Y + CellHeight);
}

// The first whole character of a UTF-8 text (a lead byte and its continuation bytes).
AnsiString FirstCharacter(const AnsiString& Text)
{
    std::size_t Length = Text.empty() ? 0 : 1;
    while (Length < Text.size() && (static_cast<unsigned char>(Text[Length]) & 0xC0) == 0x80)
        ++Length;
    return Text.substr(0, Length);
}

} // namespace

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
    D->SetBounds(D->GetLeft(), D->GetTop(), PopupWidth, PopupHeight);
    D->GetNoneButton()->SetVisible(FShowNoneButton);
    PlaceTodayButton(D->GetTodayButton(), D->GetClientWidth(), FShowNoneButton);
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
    SetDate(Date());
    // clWindow is a control's own default: without this the form's colour would come through.
    SetParentColor(false);
    SetColor(clWindow);
    SetBounds(GetLeft(), GetTop(), PopupWidth, PopupHeight);
    auto MakeButton = [this](int Left, int Tag, const WideString& Caption) {
        auto* Button = new TGxMiniButton(this);
        Button->SetBounds(Left, 133, 47, 20);
        Button->SetParent(this);
        Button->SetTag(Tag);
        Button->SetCaption(WideToUtf8(Caption));
        Button->OnMouseUp = [this](TObject* Sender, TMouseButton B, TShiftState S, int X, int Y) {
            DoButtonMouseUp(Sender, B, S, X, Y);
        };
        return Button;
    };
    FTodayButton = MakeButton(ButtonLeft, 0, FTodayCaption);
    FNoneButton = MakeButton(82, 1, FNoneCaption);
    FNoneButton->SetVisible(FShowNoneButton);
}

TGxMonthCalendar::~TGxMonthCalendar() = default;

void TGxMonthCalendar::SetDate(TDateTime Value)
{
    FDate = Value;
    FSelectedDate = Value;
    DecodeDate(Value, FYear, FMonth, FDay);
}

void TGxMonthCalendar::SetSelectedDate(TDateTime Value)
{
    FSelectedDate = Value;
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
    if (!GetComponentState().Contains(csDesigning)) PlaceTodayButton(FTodayButton, GetClientWidth(), Value);
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

TStartDayOfWeek TGxMonthCalendar::GetActualStartDay() const
{
    if (FStartDay != dwAutomatic) return FStartDay;
    return FormatSettings.FirstDayOfWeek == 0 ? dwMonday : dwSunday;
}

int TGxMonthCalendar::GetDayOfWeek(TDateTime Value) const
{
    const int FromSunday = DayOfWeek(Value);
    return GetActualStartDay() == dwMonday ? (FromSunday + 5) % 7 + 1 : FromSunday;
}

AnsiString TGxMonthCalendar::GetDayInWeekChar(int I) const
{
    if (I < 1 || I > 7) return " ";
    if (FDayNames->GetCount() >= 7) return FirstCharacter(FDayNames->Get(I - 1));
    // LongDayNames runs from Sunday.
    const int Index = GetActualStartDay() == dwMonday ? I % 7 : I - 1;
    return FirstCharacter(FormatSettings.LongDayNames[Index]);
}

AnsiString TGxMonthCalendar::GetMonthName(int Month) const
{
    if (Month < 1 || Month > 12) return AnsiString();
    if (FMonthNames->GetCount() >= 12) return FMonthNames->Get(Month - 1);
    return FormatSettings.LongMonthNames[Month - 1];
}

TDateTime TGxMonthCalendar::FirstOfMonth() const
{
    return EncodeDate(std::clamp<Word>(FYear, 1, 9999), std::clamp<Word>(FMonth, 1, 12), 1);
}

TDateTime TGxMonthCalendar::GetDateAtPos(int Col, int Row) const
{
    // The grid starts on the first column's weekday on or before the 1st.
    const TDateTime First = FirstOfMonth();
    return First - (GetDayOfWeek(First) - 1) + (Row * Columns + Col);
}

TRect TGxMonthCalendar::GetMonthRect()
{
    return TRect(5, 5, GetClientWidth() - 5, 21);
}

TRect TGxMonthCalendar::GetDaysRect()
{
    return TRect(15, 37, GetClientWidth() - 15, 127);
}

TRect TGxMonthCalendar::GetDayArea()
{
    return TRect(14, GridTop, GetClientWidth() - 14, GetClientHeight() - 20);
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
    // The cells as they are painted: the bottom pixel row of a cell is still that cell.
    if (X < GridLeft || Y < GridTop) return;
    const int Col = (X - GridLeft) / CellWidth, Row = (Y - GridTop) / CellHeight;
    if (Col >= Columns || Row >= Rows) return;
    const TDateTime D = GetDateAtPos(Col, Row);
    if (D == FSelectedDate) return;
    SetSelectedDate(D);
    const TRect R = CellRect(Col, Row);
    if (HandleAllocated()) {
        InvalidateRect(GetHandle(), &FSelRect, false);
        InvalidateRect(GetHandle(), &R, false);
    }
    FSelRect = R;
}

void TGxMonthCalendar::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y)
{
    TCustomControl::MouseDown(Button, Shift, X, Y);
    const int W = GetClientWidth();
    const TPoint P(X, Y);
    if (PtInRect(TRect(0, 0, ArrowArea, ArrowArea), P)) {
        GxPopupControl::TGxDatePopup::SetPastMonth(FYear, FMonth, true);
        RefreshMonth();
    } else if (PtInRect(TRect(W - ArrowArea, 0, W, ArrowArea), P)) {
        GxPopupControl::TGxDatePopup::SetPastMonth(FYear, FMonth, false);
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
    TCanvas* Canvas = GetCanvas();
    const bool Themed = IsThemed();
    const int W = GetClientWidth();
    Canvas->SetFont(GetFont());
    Canvas->GetFont()->SetColor(clWindowText);
    Canvas->GetBrush()->SetColor(GetColor());
    Canvas->GetPen()->SetColor(clGrayText);
    Canvas->Rectangle(GetClientRect());
    PaintMonth(GetMonthRect());

    Canvas->GetFont()->SetColor(clWindowText);
    Canvas->GetBrush()->SetStyle(bsClear);
    for (int I = 0; I < Columns; ++I) {
        const int X = GridLeft + I * CellWidth;
        DrawTextRect(Canvas, TRect(X, 22, X + 15, 36), taRightJustify, Utf8ToWide(GetDayInWeekChar(I + 1)),
                     bdLeftToRight);
    }
    Canvas->GetBrush()->SetStyle(bsSolid);
    Canvas->GetPen()->SetColor(clGrayText);
    for (int Y : {36, 128}) {
        Canvas->MoveTo(GridLeft, Y);
        Canvas->LineTo(W - 17, Y);
    }

    const TDateTime Today = Date();
    for (int Row = 0; Row < Rows; ++Row)
        for (int Col = 0; Col < Columns; ++Col) {
            const TDateTime D = GetDateAtPos(Col, Row);
            Word Y, M, Day;
            DecodeDate(D, Y, M, Day);
            const TRect R = CellRect(Col, Row);
            Canvas->GetFont()->SetColor(M == FMonth && Y == FYear ? clWindowText : clGrayText);
            if (D == FSelectedDate) {
                Canvas->GetBrush()->SetColor(Themed ? TColor(0x94E6FB) : TColor(0xC0C0C0));
                Canvas->FillRect(R);
                FSelRect = R;
            }
            if (D == Today) {
                Canvas->GetBrush()->SetColor(Themed ? TColor(0x000080) : clHighlight);
                Canvas->FrameRect(R);
            }
            PaintDay(Day, R);
        }
}

void TGxMonthCalendar::PaintDay(int Day, const TRect& Rect)
{
    TCanvas* Canvas = GetCanvas();
    // The control's font in the cell's colour, for the handler to change.
    const TColor Color = Canvas->GetFont()->GetColor();
    Canvas->SetFont(GetFont());
    Canvas->GetFont()->SetColor(Color);
    DoDayFont(Day, Canvas->GetFont());
    Canvas->GetBrush()->SetStyle(bsClear);
    TRect R = Rect;
    const AnsiString Text = IntToStr(Day);
    DrawTextA(Canvas->GetHandle(), Text.c_str(), int(Text.size()), &R,
              DT_RIGHT | DT_VCENTER | DT_SINGLELINE | DT_EXTERNALLEADING | DT_NOPREFIX);
    Canvas->GetBrush()->SetStyle(bsSolid);
}

void TGxMonthCalendar::PaintMonth(const TRect& Rect)
{
    TCanvas* Canvas = GetCanvas();
    Canvas->GetBrush()->SetColor(IsThemed() ? TGraphicsProvider::BlendColor(clGradientInactiveCaption, clWindow, 249)
                                            : clBtnFace);
    Canvas->FillRect(Rect);
    Canvas->GetFont()->SetColor(clWindowText);
    DrawTextRect(Canvas, Rect, taCenter, Utf8ToWide(GetMonthName(FMonth) + " " + IntToStr(FYear)), bdLeftToRight);
    Canvas->GetBrush()->SetColor(clWindowText);
    Canvas->GetPen()->SetColor(clWindowText);
    const int M = Rect.Top + (Rect.Bottom - Rect.Top) / 2 - 4;
    const int W = GetClientWidth();
    Canvas->Polygon({TPoint(15, M), TPoint(15, M + 8), TPoint(11, M + 4)});
    Canvas->Polygon({TPoint(W - 15, M), TPoint(W - 15, M + 8), TPoint(W - 11, M + 4)});
}

} // namespace GxDatePicker
