// grid/GxCustomGridControl_Refresh.cpp: asking for the least repaint. Every
// request is clipped to what is in view; a row above the view is known to
// be out of it at once, one below it by a walk that ends at the body's
// bottom, so no request ever walks to a row far from the view.
#include "grid/GxCustomGridControl.h"
#include "platform/win/WinUser.h"

#include <algorithm>
#include <cstdint>

namespace GxCustomGridControl {

void TGxCustomGridControl::InvalidateClientRect(const TRect& Rect)
{
    if (HandleAllocated() && Rect.Left < Rect.Right && Rect.Top < Rect.Bottom)
        InvalidateRect(GetHandle(), &Rect, false);
}

bool TGxCustomGridControl::AreaRect(TGridArea Area, TRect& Rect)
{
    switch (Area) {
    case gaBody:
        Rect = GetBodyRect();
        return true;
    case gaFooter:
        Rect = GetFooterRect();
        return FOptions.Contains(goFooter);
    case gaHeader:
        Rect = GetHeaderRect();
        return FOptions.Contains(goHeader);
    case gaIndicator:
        Rect = GetIndicatorRect();
        return FOptions.Contains(goIndicator);
    case gaInput:
        Rect = GetInputRect();
        return FOptions.Contains(goInput);
    default:
        return false;
    }
}

bool TGxCustomGridControl::RowsRect(int First, int Last, TRect& Rect)
{
    if (Last < FFirstRowInView || First > Last) return false;
    const TRect Body = GetBodyRect();
    const bool Slides = FGridStyle == gsSlides;
    const auto Top = [&](int Row) { return Slides ? GetSlideTop(Row) + FGridSpace[lpTop] : GetRowTop(Row); };
    const int FirstTop = Top(std::max(First, FFirstRowInView));
    if (FirstTop >= Body.Bottom) return false;
    int Bottom = Body.Bottom;
    const int LastTop = Top(Last);
    if (LastTop < Body.Bottom) {
        const std::int64_t Height = Slides ? FSlideSize : HeightOrRowSize(Last);
        Bottom = int(std::min<std::int64_t>(Bottom, LastTop + Height + FGridSpace[lpBottom]));
    }
    Rect = TRect(0, FirstTop, Body.Right, Bottom);
    return true;
}

void TGxCustomGridControl::RefreshArea(TGridArea Area)
{
    TRect R;
    if (AreaRect(Area, R)) InvalidateClientRect(R);
}

void TGxCustomGridControl::RefreshCell(int ACol, int ARow)
{
    if (!CellBounds(ACol, ARow) || ARow < FFirstRowInView) return;
    const int Body = GetBodyRect().Bottom;
    // Below the view the walk to the row ends at the body's bottom.
    if (FGridStyle == gsReport && GetRowTop(ARow) >= Body) return;
    TRect R = GetCellRect(ACol, ARow);
    if (R.Top >= Body) return;
    // The bottom line's width, on the right as well.
    R.Right += FGridSpace[lpBottom];
    R.Bottom = std::min<int>(R.Bottom + FGridSpace[lpBottom], Body);
    InvalidateClientRect(R);
}

void TGxCustomGridControl::RefreshColumn(TGxCustomColumn* Column, TGridArea Area)
{
    if (IsUpdating()) return;
    TRect R = GetClientRect();
    if (Area != gaNone && !AreaRect(Area, R)) return;
    R.Left = Column->GetAbsoluteLeft();
    R.Right = R.Left + Column->GetWidth();
    InvalidateClientRect(R);
}

void TGxCustomGridControl::RefreshColumnSlide(TGxCustomColumn*)
{
    if (HandleAllocated()) InvalidateRect(GetHandle(), nullptr, false);
}

void TGxCustomGridControl::RefreshRow(int ARow, bool FrameOnly)
{
    if (ARow < FFirstRowInView || ARow >= FLastPaintedRow || ARow >= GetRowCount()) return;
    TRect R;
    if (!RowsRect(ARow, ARow, R)) return;
    const TRect Inside(R.Left + 1, R.Top + 1, R.Right - 1, R.Bottom - 1);
    // Whatever waited to be painted inside stays waiting.
    TRect Pending;
    const bool Waiting = HandleAllocated() && GetUpdateRect(GetHandle(), &Pending, false) &&
                         Pending.Left < Inside.Right && Inside.Left < Pending.Right && Pending.Top < Inside.Bottom &&
                         Inside.Top < Pending.Bottom;
    InvalidateClientRect(R);
    if (FrameOnly && !Waiting && HandleAllocated()) ValidateRect(GetHandle(), &Inside);
    // The row's indicator begins on the line above the row.
    if (FOptions.Contains(goIndicator) && FGridStyle == gsReport)
        InvalidateClientRect(TRect(0, R.Top - FGridSpace[lpTop], IndicatorWidth, R.Top));
}

void TGxCustomGridControl::RefreshRowGrid(int ARow)
{
    if (FGridSpace[lpBottom] == 0) return;
    TRect R;
    if (!RowsRect(ARow, ARow, R) || R.Bottom >= GetBodyRect().Bottom) return;
    R.Top = R.Bottom - FGridSpace[lpBottom];
    InvalidateClientRect(R);
}

void TGxCustomGridControl::RefreshRange(int Row1, int Row2)
{
    TRect R;
    if (RowsRect(std::min(Row1, Row2), std::max(Row1, Row2), R)) InvalidateClientRect(R);
}

void TGxCustomGridControl::RefreshVisibleRows(int From, int To)
{
    TRect R;
    if (RowsRect(From, To, R)) InvalidateClientRect(R);
}

void TGxCustomGridControl::RefreshIndicator(int ARow)
{
    TRect R;
    if (ARow < 0 || ARow >= GetRowCount() || !RowsRect(ARow, ARow, R)) return;
    R.Top -= FGridSpace[lpTop];
    R.Right = IndicatorWidth;
    InvalidateClientRect(R);
}

void TGxCustomGridControl::RefreshSlide(int Index, bool FrameOnly)
{
    if (Index < FFirstRowInView) return;
    const TRect R = GetSlideRect(Index);
    if (R.Top >= GetBodyRect().Bottom) return;
    InvalidateClientRect(R);
    const TRect Inside(R.Left + 3, R.Top + 4, R.Right - 3, R.Bottom - 4);
    if (FrameOnly && HandleAllocated()) ValidateRect(GetHandle(), &Inside);
}

void TGxCustomGridControl::RefreshSelectedCells()
{
    if (FInputSelected) RefreshArea(gaInput);
    if (!FOptions.Contains(goSelectFullRow)) {
        RefreshCell(FSelectedColumn, GetSelectedRow());
        return;
    }
    // The selected rows in view, each walked to once.
    const TRect Body = GetBodyRect();
    int Top = GetRowTop(FFirstRowInView);
    for (int Row = VisibleFrom(FFirstRowInView); Row >= 0 && Top < Body.Bottom; Row = GetNextOnScreen(Row)) {
        const int Height = GetRowHeight(Row);
        if (GetSelected(Row)) InvalidateClientRect(TRect(0, Top, Body.Right, Top + Height + FGridSpace[lpBottom]));
        if (Height > 0) Top += Height + FGridSpace[lpTopBottom];
    }
}

void TGxCustomGridControl::RefreshSelectedSlides()
{
    const int Bottom = GetBodyRect().Bottom;
    int Top = GetSlideTop(FFirstRowInView);
    for (int Row = VisibleFrom(FFirstRowInView); Row >= 0 && Top < Bottom; Row = GetNextOnScreen(Row)) {
        if (GetSelected(Row)) RefreshSlide(Row, false);
        Top += FSlideSize + FGridSpace[lpTopBottom];
    }
}

void TGxCustomGridControl::RefreshRect(const TRect& Rect)
{
    InvalidateClientRect(Rect);
}

void TGxCustomGridControl::RefreshFromColumn(TGxCustomColumn* Column)
{
    InvalidateClientRect(TRect(Column->GetLeft() - GetHorzScrollPos(), 0, GetClientWidth(), GetClientHeight()));
}

} // namespace GxCustomGridControl
