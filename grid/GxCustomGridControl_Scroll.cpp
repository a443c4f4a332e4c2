// grid/GxCustomGridControl_Scroll.cpp: counting the rows in view, the
// scroll ranges and scrolling. Hidden rows are never stepped over one by
// one: the storage's index of the rows on screen counts and finds them, and
// a walk over rows ends where the body ends.
#include "grid/GxCustomGridControl.h"
#include "platform/win/WinScroll.h"

#include <algorithm>

namespace GxCustomGridControl {

// ---- Counting ----------------------------------------------------------------------------------

int TGxCustomGridControl::RowsSpan(int Row, int Rows, bool Forward, int Limit)
{
    std::int64_t Sum = 0;
    int R = Forward ? Row : GetPriorOnScreen(Row);
    for (int I = 0; I < Rows && R >= 0; ++I) {
        Sum += GetActualRowHeight(R) + FGridSpace[lpTopBottom];
        if (Sum > Limit) return Limit + 1;
        R = Forward ? GetNextOnScreen(R) : GetPriorOnScreen(R);
    }
    return int(Sum);
}

int TGxCustomGridControl::GetVisibleCount(bool Backward)
{
    const TRect Body = GetBodyRect();
    const std::int64_t Height = Body.Height();
    const int Space = FGridSpace[lpTopBottom];
    std::int64_t Sum = 0;
    int Count = 0;
    for (int Row = VisibleFrom(FFirstRowInView); Row >= 0; Row = GetNextOnScreen(Row)) {
        Sum += GetActualRowHeight(Row) + Space;
        if (Sum > Height) return Count; // a row partly in view does not count
        ++Count;
    }
    if (Backward)
        for (int Row = GetPriorOnScreen(FFirstRowInView); Row >= 0; Row = GetPriorOnScreen(Row)) {
            Sum += GetActualRowHeight(Row) + Space;
            if (Sum > Height) break;
            ++Count;
        }
    return Count;
}

int TGxCustomGridControl::GetRowsInRange(int Row1, int Row2)
{
    if (Row1 == Row2) return 0;
    return GetOnScreenBefore(std::max(Row1, Row2)) - GetOnScreenBefore(std::min(Row1, Row2));
}

int TGxCustomGridControl::GetLastRowInView(int Count)
{
    const int First = VisibleFrom(FFirstRowInView);
    if (Count < 1 || First < 0) return FFirstRowInView;
    const int Last = GetOnScreenRow(GetOnScreenBefore(First) + Count - 1);
    return Last >= 0 ? Last : std::max(GetRowCount() - 1, FFirstRowInView);
}

int TGxCustomGridControl::GetFirstVisible(int ARow)
{
    const int Row = VisibleFrom(ARow);
    return Row >= 0 ? Row : ARow;
}

int TGxCustomGridControl::GetLastVisible(int ARow)
{
    if (ARow < 0) return ARow;
    const int Row = GetPriorOnScreen(std::min(ARow, GetRowCount() - 1) + 1);
    return Row >= 0 ? Row : ARow;
}

bool TGxCustomGridControl::IsRowInView()
{
    const int Selected = GetSelectedRow();
    const int Count = GetVisibleCount(false);
    return Count > 0 && Selected >= FFirstRowInView && Selected <= GetLastRowInView(Count);
}

// ---- Scroll ranges -----------------------------------------------------------------------------

int TGxCustomGridControl::GetHorzMax()
{
    const int Wanted = FColumns->GetClientWidth();
    const int Room = GetClientWidth() - IndicatorLeft();
    return Wanted <= Room ? 0 : Wanted - Room;
}

int TGxCustomGridControl::GetVertMax()
{
    // Columns first: a setter may run before the storage stands, and then there are none.
    if (!FColumns || FColumns->GetCount() == 0 || GetRowCount() == 0) return 0;
    return std::max(GetVisibleRows() - GetVisibleCount(GetVertScrollBar()->IsLast()), 0);
}

void TGxCustomGridControl::UpdateHorzScrollBar()
{
    TGxScrollBar* Bar = GetHorzScrollBar();
    if (FGridStyle == gsSlides) {
        Bar->SetMax(0);
        Bar->SetVisible(false);
        return;
    }
    Bar->SetMax(GetHorzMax());
    Bar->SetLargeChange(int(Round(GetClientWidth() * 0.1)));
}

void TGxCustomGridControl::UpdateVertScrollBar()
{
    GetVertScrollBar()->SetMax(GetVertMax());
    GetVertScrollBar()->SetPageSize(0);
}

// ---- Scrolling ----------------------------------------------------------------------------------

int TGxCustomGridControl::GetHorzOffset(int FromPos, int ToPos)
{
    SetHorzScrollRect(GetScrollRect());
    return FromPos - ToPos;
}

int TGxCustomGridControl::GetVertOffset(int, int ToPos)
{
    const TRect Body = GetBodyRect();
    SetVertScrollRect(TRect(0, Body.Top, GetClientWidth(), Body.Bottom));
    const int Visible = GetVisibleRows();
    if (Visible == 0) return 0;
    // The bar's position counts the visible rows above the view, so the
    // first row in view is found from it alone: a view that drifted from
    // the position (rows hidden or shown above it) is put right by the
    // next scroll rather than carried along.
    const int Before = GetOnScreenBefore(FFirstRowInView);
    const int Target = std::clamp(ToPos, 0, Visible - 1);
    if (Target == Before) {
        FFirstRowInView = GetOnScreenRow(Target);
        return 0;
    }
    // A move of more than the body repaints all of it.
    const int Limit = Body.Height();
    const int Dy = Target > Before ? -RowsSpan(VisibleFrom(FFirstRowInView), Target - Before, true, Limit)
                                   : RowsSpan(FFirstRowInView, Before - Target, false, Limit);
    FFirstRowInView = GetOnScreenRow(Target);
    return Dy;
}

void TGxCustomGridControl::ScrollToRow(int ARow)
{
    const int Count = GetVisibleCount(false);
    const int Last = GetLastRowInView(Count);
    if (ARow >= FFirstRowInView && ARow <= Last) return;
    int Rows;
    if (ARow < FFirstRowInView) {
        Rows = GetRowsInRange(ARow, FFirstRowInView);
        GetVertScrollBar()->MoveBy(-Rows);
    } else {
        Rows = GetRowsInRange(Last, ARow);
        GetVertScrollBar()->MoveBy(Rows);
    }
    CellsScrolled(Rows);
}

void TGxCustomGridControl::ScrollToColumn(TGxCustomColumn* Column)
{
    if (Column->GetPosition() < FFixedCols) return;
    const int X = Column->GetLeft() - GetHorzScrollPos();
    const TRect Scroll = GetScrollRect();
    if (X < Scroll.Left)
        GetHorzScrollBar()->MoveBy(X - Scroll.Left);
    else if (X + Column->GetWidth() > Scroll.Right)
        GetHorzScrollBar()->MoveBy(X + Column->GetWidth() - Scroll.Right);
    RefreshCellEditor();
}

void TGxCustomGridControl::ScrollRows(int Old, int New)
{
    if (Old == New) return;
    TRect Body = GetBodyRect();
    const int Low = std::min(Old, New);
    const int Span = RowsSpan(VisibleFrom(Low), GetRowsInRange(Old, New), true, Body.Height());
    const int Dy = Old > New ? Span : -Span;
    if (!HandleAllocated()) return;
    Body.Left = 0;
    ScrollWindowEx(GetHandle(), 0, Dy, &Body, &Body, nullptr, nullptr, SW_INVALIDATE);
}

void TGxCustomGridControl::ExpandColumn(TGxCustomColumn* Column, int Delta, bool Slides)
{
    RefreshColumn(Column, gaNone);
    if (!HandleAllocated()) return;
    // The columns to the right move with the column's right edge, which
    // stood Delta to the left before.
    const int Right = Column->GetAbsoluteLeft() + Column->GetWidth();
    TRect Area(Right - std::max(Delta, 0), 0, GetClientWidth(), Slides ? FHeaderSize : GetClientHeight());
    ScrollWindowEx(GetHandle(), Delta, 0, &Area, &Area, nullptr, nullptr, SW_INVALIDATE);
}

} // namespace GxCustomGridControl
