// grid/shared/GxMonthGrid.cpp
#include "grid/shared/GxMonthGrid.h"
#include "grid/shared/GxSharedCommon.h"
#include "grid/shared/GxThemesSupport.h"
#include "platform/rtl/Codec.h"
#include "platform/win/WinGdi.h"
#include "platform/win/WinUser.h"

#include <algorithm>

namespace GxMonthGrid {

using namespace GxSharedCommon;
using namespace GxThemesSupport;

namespace {

constexpr int GridLeft = 15, GridTop = 38, CellWidth = 17, CellHeight = 15, Columns = 7, Rows = 6;
constexpr int ArrowArea = 18, ButtonLeft = 20;

// The first whole character of a UTF-8 text (a lead byte and its continuation bytes).
AnsiString FirstCharacter(const AnsiString& Text)
{
    std::size_t Length = Text.empty() ? 0 : 1;
    while (Length < Text.size() && (static_cast<unsigned char>(Text[Length]) & 0xC0) == 0x80)
        ++Length;
    return Text.substr(0, Length);
}

} // namespace

void TGxMonthGrid::SetDate(TDateTime Value)
{
    FDate = Value;
    FSelectedDate = Value;
    DecodeDate(Value, FYear, FMonth, FDay);
}

TStartDayOfWeek TGxMonthGrid::GetActualStartDay() const
{
    if (FStartDay != dwAutomatic) return FStartDay;
    return FormatSettings.FirstDayOfWeek == 0 ? dwMonday : dwSunday;
}

int TGxMonthGrid::GetDayOfWeek(TDateTime Value) const
{
    const int FromSunday = DayOfWeek(Value);
    return GetActualStartDay() == dwMonday ? (FromSunday + 5) % 7 + 1 : FromSunday;
}

AnsiString TGxMonthGrid::GetDayInWeekChar(int I, const AnsiString& Blank) const
{
    if (I < 1 || I > 7) return " ";
    if (FDayNames && FDayNames->GetCount() >= 7) return FirstCharacter(FDayNames->Get(I - 1));
    // LongDayNames runs from Sunday.
    const int Index = GetActualStartDay() == dwMonday ? I % 7 : I - 1;
    const AnsiString Letter = FirstCharacter(FormatSettings.LongDayNames[Index]);
    return Letter.empty() ? Blank : Letter;
}

AnsiString TGxMonthGrid::GetMonthName(int Month) const
{
    if (Month < 1 || Month > 12) return AnsiString();
    if (FMonthNames && FMonthNames->GetCount() >= 12) return FMonthNames->Get(Month - 1);
    return FormatSettings.LongMonthNames[Month - 1];
}

void TGxMonthGrid::SetPastMonth(Word& Year, Word& Month, bool Backward)
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

TDateTime TGxMonthGrid::FirstOfMonth() const
{
    return EncodeDate(std::clamp<Word>(FYear, 1, 9999), std::clamp<Word>(FMonth, 1, 12), 1);
}

TDateTime TGxMonthGrid::GetDateAtPos(int Col, int Row) const
{
    // The grid starts on the first column's weekday on or before the 1st:
    // the days before are the previous month's, those past its end the next's.
    const TDateTime First = FirstOfMonth();
    return First - (GetDayOfWeek(First) - 1) + (Row * Columns + Col);
}

// ---- Layout ---------------------------------------------------------------------------------

TRect TGxMonthGrid::GetDayArea(int ClientWidth, int ClientHeight)
{
    return TRect(14, GridTop, ClientWidth - 14, ClientHeight - 20);
}

int TGxMonthGrid::ArrowAt(const TPoint& P, int ClientWidth)
{
    if (PtInRect(TRect(0, 0, ArrowArea, ArrowArea), P)) return -1;
    if (PtInRect(TRect(ClientWidth - ArrowArea, 0, ClientWidth, ArrowArea), P)) return 1;
    return 0;
}

bool TGxMonthGrid::CellAt(int X, int Y, int& Col, int& Row)
{
    // The cells as they are painted: the bottom pixel row of a cell is still that cell.
    if (X < GridLeft || Y < GridTop) return false;
    Col = (X - GridLeft) / CellWidth;
    Row = (Y - GridTop) / CellHeight;
    return Col < Columns && Row < Rows;
}

TRect TGxMonthGrid::CellRect(int Col, int Row)
{
    const int X = GridLeft + Col * CellWidth, Y = GridTop + Row * CellHeight;
    return TRect(X, Y, X + CellWidth, Y + CellHeight);
}

TGxMiniButton* TGxMonthGrid::MakeButton(TWinControl* Parent, int Tag, const TMouseEvent& OnMouseUp)
{
    auto* Button = new TGxMiniButton(Parent);
    Button->SetBounds(Tag == 1 ? 82 : ButtonLeft, 133, 47, 20);
    Button->SetParent(Parent);
    Button->SetTag(Tag);
    Button->OnMouseUp = OnMouseUp;
    return Button;
}

void TGxMonthGrid::PlaceTodayButton(TControl* Today, int ClientWidth, bool NoneShown)
{
    Today->SetLeft(NoneShown ? ButtonLeft : ClientWidth / 2 - Today->GetWidth() / 2);
}

void TGxMonthGrid::SelectAt(TWinControl* Control, int X, int Y, const std::function<void()>& Changed)
{
    int Col, Row;
    if (!CellAt(X, Y, Col, Row)) return;
    const TDateTime D = GetDateAtPos(Col, Row);
    if (D == FSelectedDate) return;
    FSelectedDate = D;
    if (Changed) Changed();
    const TRect R = CellRect(Col, Row);
    if (Control->HandleAllocated()) {
        InvalidateRect(Control->GetHandle(), &FSelRect, false);
        InvalidateRect(Control->GetHandle(), &R, false);
    }
    FSelRect = R;
}

// ---- Painting -------------------------------------------------------------------------------

void TGxMonthGrid::Paint(TCanvas* Canvas, TFont* Font, TColor Color, const TRect& Client, TAlignment Headings,
                         const TMonthPaint& PaintMonth, const TDayPaint& PaintDay)
{
    const bool Themed = IsThemed();
    const int W = Client.Right - Client.Left;
    Canvas->SetFont(Font);
    Canvas->GetFont()->SetColor(clWindowText);
    Canvas->GetBrush()->SetColor(Color);
    Canvas->GetPen()->SetColor(clGrayText);
    Canvas->Rectangle(Client);
    PaintMonth(GetMonthRect(W));

    Canvas->GetFont()->SetColor(clWindowText);
    Canvas->GetBrush()->SetStyle(bsClear);
    for (int I = 0; I < Columns; ++I) {
        const int X = GridLeft + I * CellWidth;
        DrawTextRect(Canvas, TRect(X, 22, X + 15, 36), Headings, Utf8ToWide(GetDayInWeekChar(I + 1, " ")),
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
                FSelRect = R;
            }
            if (D == Today) {
                Canvas->GetBrush()->SetColor(Themed ? TColor(0x000080) : clHighlight);
                Canvas->FrameRect(R);
            }
            PaintDay(Day, R);
        }
}

void TGxMonthGrid::PaintMonth(TCanvas* Canvas, const TRect& Rect, int ClientWidth) const
{
    Canvas->GetBrush()->SetColor(IsThemed() ? TGraphicsProvider::BlendColor(clGradientInactiveCaption, clWindow, 249)
                                            : clBtnFace);
    Canvas->FillRect(Rect);
    Canvas->GetFont()->SetColor(clWindowText);
    DrawTextRect(Canvas, Rect, taCenter, Utf8ToWide(GetMonthName(FMonth) + " " + IntToStr(FYear)), bdLeftToRight);
    Canvas->GetBrush()->SetColor(clWindowText);
    Canvas->GetPen()->SetColor(clWindowText);
    const int M = Rect.Top + (Rect.Bottom - Rect.Top) / 2 - 4;
    const int W = ClientWidth;
    Canvas->Polygon({TPoint(15, M), TPoint(15, M + 8), TPoint(11, M + 4)});
    Canvas->Polygon({TPoint(W - 15, M), TPoint(W - 15, M + 8), TPoint(W - 11, M + 4)});
}

void TGxMonthGrid::PaintDayNumber(TCanvas* Canvas, int Day, const TRect& Rect)
{
    Canvas->GetBrush()->SetStyle(bsClear);
    TRect R = Rect;
    const AnsiString Text = IntToStr(Day);
    DrawTextA(Canvas->GetHandle(), Text.c_str(), int(Text.size()), &R,
              DT_RIGHT | DT_VCENTER | DT_SINGLELINE | DT_EXTERNALLEADING | DT_NOPREFIX);
    Canvas->GetBrush()->SetStyle(bsSolid);
}

} // namespace GxMonthGrid
