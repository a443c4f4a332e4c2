// grid/shared/GxPopupControl_Date.cpp
// The month calendar popup: the shared month grid, handing its dates on.
#include "grid/shared/GxPopupDate.h"

namespace GxPopupControl {

using GxMonthGrid::TGxMonthGrid;

namespace {

constexpr int TitleHeight = 19;

} // namespace

TGxDatePopup::TGxDatePopup(TComponent* AOwner) : TGxPopupControl(AOwner)
{
    SetBounds(GetLeft(), GetTop(), GxMonthGrid::CalendarWidth, GxMonthGrid::CalendarHeight);
    SetColor(clWindow);
    const TMouseEvent ButtonUp = [this](TObject* Sender, TMouseButton B, TShiftState S, int X, int Y) {
        DoButtonMouseUp(Sender, B, S, X, Y);
    };
    FTodayButton = TGxMonthGrid::MakeButton(this, 0, ButtonUp);
    FNoneButton = TGxMonthGrid::MakeButton(this, 1, ButtonUp);
}

void TGxDatePopup::SelectDate(int X, int Y)
{
    FGrid.SelectAt(this, X, Y, nullptr);
}

void TGxDatePopup::AcquireValue(int X, int Y)
{
    // Only a painted cell is a date: the margins beside and below the grid are none.
    int Col, Row;
    if (PtInRect(GetDayArea(), TPoint(X, Y)) && TGxMonthGrid::CellAt(X, Y, Col, Row))
        DoInput(DateTimeToStr(GetDateAtPos(Col, Row)));
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
    const TPoint P(X, Y);
    if (const int Arrow = TGxMonthGrid::ArrowAt(P, GetClientWidth())) {
        FGrid.TurnMonth(Arrow < 0);
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
    FGrid.Paint(
        GetCanvas(), GetFont(), GetColor(), GetClientRect(), taCenter, [this](const TRect& R) { PaintMonth(R); },
        [this](int Day, const TRect& R) { PaintDay(Day, R); });
}

void TGxDatePopup::PaintDay(int Day, const TRect& Rect)
{
    TGxMonthGrid::PaintDayNumber(GetCanvas(), Day, Rect);
}

void TGxDatePopup::PaintMonth(const TRect& Rect)
{
    FGrid.PaintMonth(GetCanvas(), Rect, GetClientWidth());
}

} // namespace GxPopupControl
