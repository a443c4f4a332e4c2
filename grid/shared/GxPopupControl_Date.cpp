// grid/shared/GxPopupControl_Date.cpp
// The month calendar popup.
#include "grid/shared/GxPopupDate.h"
#include "grid/shared/GxSharedCommon.h"
#include "grid/shared/GxThemesSupport.h"
#include "platform/rtl/Codec.h"
#include "platform/win/WinGdi.h"
#include "platform/win/WinUser.h"

#include <algorithm>

namespace GxPopupControl {

using namespace GxSharedCommon;
using namespace GxThemesSupport;

namespace {

constexpr int GridLeft = 15, GridTop = 38, CellWidth = 17, CellHeight = 15, Columns = 7, Rows = 6;
constexpr int TitleHeight = 19, ArrowArea = 18;

// The first whole character of a UTF-8 text (a lead byte and its continuation bytes).
AnsiString FirstCharacter(const AnsiString& Text)
{
    if (Text.empty()) return AnsiString();
    std::size_t Length = 1;
    while (Length < Text.size() && (static_cast<unsigned char>(Text[Length]) & 0xC0) == 0x80)
        ++Length;
    return Text.substr(0, Length);
}

} // namespace

TGxDatePopup::TGxDatePopup(TComponent* AOwner) : TGxPopupControl(AOwner)
{
    SetBounds(GetLeft(), GetTop(), 151, 163);
    SetColor(clWindow);
    auto MakeButton = [this](int Left, int Tag) {
        auto* Button = new TGxMiniButton(this);
        Button->SetBounds(Left, 133, 47, 20);
        Button->SetParent(this);
        Button->SetTag(Tag);
        Button->OnMouseUp = [this](TObject* Sender, TMouseButton B, TShiftState S, int X, int Y) {
            DoButtonMouseUp(Sender, B, S, X, Y);
        };
        return Button;
    };
    FTodayButton = MakeButton(20, 0);
    FNoneButton = MakeButton(82, 1);
}

void TGxDatePopup::SetDate(TDateTime Value)
{
    FDate = Value;
    FSelectedDate = Value;
    DecodeDate(Value, FYear, FMonth, FDay);
}

TRect TGxDatePopup::GetMonthRect()
{
    return TRect(5, 5, GetClientWidth() - 5, 21);
}

TRect TGxDatePopup::GetDayArea()
{
    return TRect(14, GridTop, GetClientWidth() - 14, GetClientHeight() - 20);
}

TStartDayOfWeek TGxDatePopup::GetActualStartDay() const
{
    if (FStartDay != dwAutomatic) return FStartDay;
    return FormatSettings.FirstDayOfWeek == 0 ? dwMonday : dwSunday;
}

int TGxDatePopup::GetDayOfWeek(TDateTime Value) const
{
    const int FromSunday = DayOfWeek(Value);
    return GetActualStartDay() == dwMonday ? (FromSunday + 5) % 7 + 1 : FromSunday;
}

AnsiString TGxDatePopup::GetDayInWeekChar(int I) const
{
    if (I < 1 || I > 7) return " ";
    if (FDayNames && FDayNames->GetCount() >= 7) return FirstCharacter(FDayNames->Get(I - 1));
    // LongDayNames runs from Sunday.
    const int Index = GetActualStartDay() == dwMonday ? I % 7 : I - 1;
    const AnsiString Letter = FirstCharacter(FormatSettings.LongDayNames[Index]);
    return Letter.empty() ? AnsiString(" ") : Letter;
}

AnsiString TGxDatePopup::GetMonthName(int Month) const
{
    if (Month < 1 || Month > 12) return AnsiString();
    if (FMonthNames && FMonthNames->GetCount() >= 12) return FMonthNames->Get(Month - 1);
    return FormatSettings.LongMonthNames[Month - 1];
}

void TGxDatePopup::SetPastMonth(Word& Year, Word& Month, bool Backward)
{
    // The calendar ends where dates do: January of year 1 and December 9999 step no further.
    if (Backward) {
        if (Month > 1)
            --Month;
        else if (Year > 1)
            Month = 12, --Year;
    } else {
        if (Month < 12)
            ++Month;
        else if (Year < 9999)
            Month = 1, ++Year;
    }
}

TDateTime TGxDatePopup::FirstOfMonth() const
{
    return EncodeDate(std::clamp<Word>(FYear, 1, 9999), std::clamp<Word>(FMonth, 1, 12), 1);
}

TDateTime TGxDatePopup::GetDateAtPos(int Col, int Row) const
{
    // The grid starts on the first column's weekday on or before the 1st:
    // the days before are the previous month's, those past its end the next's.
    const TDateTime First = FirstOfMonth();
    return First - (GetDayOfWeek(First) - 1) + (Row * Columns + Col);
}

bool TGxDatePopup::CellAt(int X, int Y, int& Col, int& Row)
{
    if (X < GridLeft || Y < GridTop) return false;
    Col = (X - GridLeft) / CellWidth;
    Row = (Y - GridTop) / CellHeight;
    return Col < Columns && Row < Rows;
}

TRect TGxDatePopup::CellRect(int Col, int Row)
{
    const int X = GridLeft + Col * CellWidth, Y = GridTop + Row * CellHeight;
    return TRect(X, Y, X + CellWidth, Y + CellHeight);
}

void TGxDatePopup::SelectDate(int X, int Y)
{
    int Col, Row;
    if (!CellAt(X, Y, Col, Row)) return;
    const TDateTime D = GetDateAtPos(Col, Row);
    if (D == FSelectedDate) return;
    FSelectedDate = D;
    const TRect R = CellRect(Col, Row);
    if (HandleAllocated()) {
        InvalidateRect(GetHandle(), &FPrevSelRect, false);
        InvalidateRect(GetHandle(), &R, false);
    }
    FPrevSelRect = R;
}

void TGxDatePopup::AcquireValue(int X, int Y)
{
    // Only a painted cell is a date: the margins beside and below the grid are none.
    int Col, Row;
    if (PtInRect(GetDayArea(), TPoint(X, Y)) && CellAt(X, Y, Col, Row)) DoInput(DateTimeToStr(GetDateAtPos(Col, Row)));
}

void TGxDatePopup::DoButtonMouseUp(TObject* Sender, TMouseButton, TShiftState, int, int)
{
    const auto* Button = dynamic_cast<TComponent*>(Sender);
    if (!Button) return;
    if (Button->GetTag() == 0)
        DoInput(DateTimeToStr(Date()));
    else if (Button->GetTag() == 1)
        DoInput(AnsiString());
}

void TGxDatePopup::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y)
{
    TGxPopupControl::MouseDown(Button, Shift, X, Y);
    const int W = GetClientWidth();
    const TPoint P(X, Y);
    if (PtInRect(TRect(0, 0, ArrowArea, ArrowArea), P)) {
        SetPastMonth(FYear, FMonth, true);
        Invalidate();
    } else if (PtInRect(TRect(W - ArrowArea, 0, W, ArrowArea), P)) {
        SetPastMonth(FYear, FMonth, false);
        Invalidate();
    } else if (PtInRect(GetDayArea(), P)) {
        FMouseDown = true;
        SelectDate(X, Y);
    }
}

void TGxDatePopup::MouseMove(TShiftState Shift, int X, int Y)
{
    TGxPopupControl::MouseMove(Shift, X, Y);
    if (FMouseDown && PtInRect(GetDayArea(), TPoint(X, Y))) SelectDate(X, Y);
}

void TGxDatePopup::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y)
{
    // A release on the title strip (the arrows) never closes the calendar.
    if (!PtInRect(TRect(0, 0, GetClientWidth(), TitleHeight), TPoint(X, Y)))
        TGxPopupControl::MouseUp(Button, Shift, X, Y);
    FMouseDown = false;
}

void TGxDatePopup::Paint()
{
    TCanvas* Canvas = GetCanvas();
    const bool Themed = IsThemed();
    const int W = GetClientWidth();
    Canvas->SetFont(GetFont());
    Canvas->GetBrush()->SetColor(GetColor());
    Canvas->GetPen()->SetColor(clGrayText);
    Canvas->Rectangle(GetClientRect());
    PaintMonth(GetMonthRect());

    Canvas->GetFont()->SetColor(clWindowText);
    Canvas->GetBrush()->SetStyle(bsClear);
    for (int I = 0; I < Columns; ++I) {
        const int X = GridLeft + I * CellWidth;
        TGraphicsProvider::DrawTextRect(Canvas, TRect(X, 22, X + 15, 36), taCenter, Utf8ToWide(GetDayInWeekChar(I + 1)),
                                        bdLeftToRight);
    }
    Canvas->GetBrush()->SetStyle(bsSolid);
    Canvas->GetPen()->SetColor(clGrayText);
    for (int Y : {36, GridTop + Rows * CellHeight}) {
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
                FPrevSelRect = R;
            }
            if (D == Today) {
                Canvas->GetBrush()->SetColor(Themed ? TColor(0x000080) : clHighlight);
                Canvas->FrameRect(R);
            }
            PaintDay(Day, R);
        }
}

void TGxDatePopup::PaintDay(int Day, const TRect& Rect)
{
    TCanvas* Canvas = GetCanvas();
    Canvas->GetBrush()->SetStyle(bsClear);
    TRect R = Rect;
    const AnsiString Text = IntToStr(Day);
    DrawTextA(Canvas->GetHandle(), Text.c_str(), int(Text.size()), &R,
              DT_RIGHT | DT_VCENTER | DT_SINGLELINE | DT_EXTERNALLEADING | DT_NOPREFIX);
    Canvas->GetBrush()->SetStyle(bsSolid);
}

void TGxDatePopup::PaintMonth(const TRect& Rect)
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

} // namespace GxPopupControl
