// grid/GxCustomGrid_Moving.cpp: moving a column by dragging its header (the
// drag box under the pointer, the arrows over the gap it drops into) and a
// row by dragging it in the body (the red marker over the line it drops on).
#include "grid/GxCustomGrid.h"
#include "platform/controls/Forms.h"

#include <cstdlib>
#include <utility>

namespace GxCustomGrid {

namespace {

constexpr TColor MarkerColor = TColor(0x0000FF);

// More than Distance pixels from the press, across or down.
bool MovedAway(const TPoint& From, int X, int Y, int Distance)
{
    return std::abs(X - From.X) > Distance || std::abs(Y - From.Y) > Distance;
}

void SetScreenCursor(TCursor Cursor)
{
    if (Screen) Screen->SetCursor(Cursor);
}

} // namespace

// ---- Columns: where they drop -----------------------------------------------------------------

TRect TGxCustomGrid::GetColumnDropRect()
{
    return TRect(0, 0, std::min(GetHeaderRect().Right, GetClientWidth()), GetBodyRect().Bottom);
}

int TGxCustomGrid::GetNearestPosition(TGxCustomColumn* Column, const TPoint& P)
{
    TGxColumns* Columns = GetColumns();
    const int From = Column->GetPosition();
    TGxCustomColumn* Prev = Columns->GetCount() ? Columns->GetPositionItem(0) : nullptr;
    for (int Pos = 0; Pos < Columns->GetCount(); ++Pos) {
        TGxCustomColumn* Under = Columns->GetPositionItem(Pos);
        if (!Under->GetVisible() && Under != Column) continue;
        const int Left = Under->GetAbsoluteLeft(), Width = Under->GetWidth();
        if (P.X < Left || P.X > Left + Width) {
            Prev = Under;
            continue;
        }
        if (Under == Column) return From;
        int To;
        if (P.X > Left + Width - Width / 2)
            To = From >= Pos ? Pos + 1 : Pos;
        else
            To = From <= Pos ? Prev->GetPosition() : Pos;
        // A column scrolled under the fixed ones is no place to drop.
        if (To >= GetFixedCols() && Columns->Clipped(Under)) return From;
        return To;
    }
    return From;
}

bool TGxCustomGrid::MoveLocked(int ToPos)
{
    return GetOptions().Contains(goLockFixedCols) &&
           (ToPos < GetFixedCols() || FDraggedColumn->GetPosition() < GetFixedCols());
}

// ---- Columns: the arrows ----------------------------------------------------------------------

void TGxCustomGrid::UpdateArrows(int FromPos, int ToPos, bool Force)
{
    if (GetComponentState().Contains(csDesigning)) return;
    TGxColumns* Columns = GetColumns();
    TGxCustomColumn* Target = Columns->GetPositionItem(ToPos);
    int X = Target->GetLeft();
    if (FromPos == ToPos) {
        if (!Force) {
            ShowPositionIndicator(TPoint(), true);
            return;
        }
    } else if (ToPos > FromPos) {
        // Moving right, the column drops behind the target; a target at
        // the left end is never passed, so its left edge stays the gap.
        const TColumnLocation Location = Target->GetLocation();
        const bool Visible = Columns->GetPositionItem(FromPos)->GetVisible();
        if (!Visible || (Location != clAlone && Location != clLeftSide)) X += Target->GetWidth();
    }
    TPoint P = ClientToScreen(TPoint(X, 0));
    if (ToPos >= GetFixedCols()) P.X -= GetHorzScrollPos();
    ShowPositionIndicator(P, false);
}

void TGxCustomGrid::ShowPositionIndicator(const TPoint& P, bool Hide)
{
    if (Hide) {
        HideArrows();
        return;
    }
    FDownArrow->SetBounds(P.X - 4, P.Y - 12, FDownArrow->GetWidth(), FDownArrow->GetHeight());
    FUpArrow->SetBounds(P.X - 4, P.Y + GetHeaderSize() - 1, FUpArrow->GetWidth(), FUpArrow->GetHeight());
    FDownArrow->SetVisible(true);
    FUpArrow->SetVisible(true);
}

void TGxCustomGrid::HideArrows()
{
    FDownArrow->SetVisible(false);
    FUpArrow->SetVisible(false);
}

// ---- Columns: the drag ------------------------------------------------------------------------

bool TGxCustomGrid::StartColumnMoving(TShiftState Shift, int X, int Y)
{
    // A pressed header dragged away from the press moves its column.
    if (!FDraggedColumn || !Shift.Contains(ssLeft) || GetGridState().Contains(gtColumnMoving) ||
        FDraggedColumn->GetOptions().Contains(coDisableMoving) || GetOptions().Contains(goDisableColumnMoving) ||
        !MovedAway(FMouseDownPoint, X, Y, 3))
        return false;
    SetGridState(GetGridState() + TGridState{gtColumnMoving});
    FDragBox->SetFont(GetFont());
    const TPoint Corner = ClientToScreen(TPoint(FDraggedColumn->GetAbsoluteLeft(), 0));
    FDragBox->SetBounds(Corner.X, Corner.Y, FDraggedColumn->GetWidth(), GetHeaderSize());
    const TPoint P = ClientToScreen(TPoint(X, Y));
    FDragBox->Show(P.X, P.Y, FDraggedColumn, false);
    return true;
}

void TGxCustomGrid::DoDragBoxMove(TObject*, int X, int Y)
{
    // A focus loss may have ended the move while the box still had the mouse.
    if (!FDraggedColumn) return;
    const TPoint P = ScreenToClient(TPoint(X, Y));
    if (!PtInRect(GetColumnDropRect(), P)) {
        HideArrows();
        SetScreenCursor(crColumnNoDrag);
        return;
    }
    const int To = GetNearestPosition(FDraggedColumn, P);
    if (MoveLocked(To)) {
        HideArrows();
        SetScreenCursor(crColumnNoDrag);
        return;
    }
    if (GetColumns()->GetPositionItem(To)->GetVisible()) UpdateArrows(FDraggedColumn->GetPosition(), To, false);
    SetScreenCursor(crDefault);
}

void TGxCustomGrid::DoDragBoxDrop(TObject*, int X, int Y)
{
    if (!FDraggedColumn) return;
    SetScreenCursor(crDefault);
    const TPoint P = ScreenToClient(TPoint(X, Y));
    if (PtInRect(GetColumnDropRect(), P)) {
        const int To = GetNearestPosition(FDraggedColumn, P);
        if (!MoveLocked(To)) GetColumns()->ChangePosition(FDraggedColumn->GetPosition(), To);
    } else if (GetOptions().Contains(goCanHideColumn))
        FDraggedColumn->SetVisible(false);
    // The handlers of the change may have freed the column: it is forgotten then.
    EndColumnMoving();
}

void TGxCustomGrid::DoDragBoxCancel(TObject*)
{
    if (!GetGridState().Contains(gtColumnMoving)) return;
    EndColumnMoving();
    SetScreenCursor(crDefault);
}

void TGxCustomGrid::EndColumnMoving()
{
    if (FDraggedColumn) RefreshColumn(FDraggedColumn, gaNone);
    FDraggedColumn = nullptr;
    FMouseDownPoint = TPoint(-1, -1);
    // The release went to the box: the pressed header is up without a click.
    if (TGxCustomColumn* Down = GetHeaderDownColumn()) {
        SetHeaderDownColumn(nullptr);
        RefreshColumn(Down, gaHeader);
    }
    HideArrows();
    SetGridState(GetGridState() - TGridState{gtColumnMoving, gtColumnHeaderDown});
}

// ---- Rows -------------------------------------------------------------------------------------

int TGxCustomGrid::GetNearestRow(int ARow, int, int Y)
{
    const TRect Body = GetBodyRect();
    const bool Slides = GetGridStyle() == gsSlides;
    const int Space = GetGridSpace(lpTopBottom);
    std::int64_t Top = Body.Top;
    for (int Row = GetNextOnScreen(std::max(GetFirstRowInView(), 0) - 1); Row >= 0 && Top < Body.Bottom;
         Row = GetNextOnScreen(Row)) {
        const int Height = Slides ? GetSlideSize() : GetRowHeight(Row);
        if (Top < Y && Y <= Top + Height + Space) {
            if (Y <= Top + Height / 2) return Row;
            // Below the last row the drop goes after it.
            const int Next = GetNextOnScreen(Row);
            return Next >= 0 ? Next : GetRowCount();
        }
        Top += Height + Space;
    }
    return ARow;
}

void TGxCustomGrid::RowMoveStep(TShiftState Shift, int X, int Y)
{
    if (!GetGridState().Contains(gtRowMoving)) {
        if (FPressedRow == -1 || !GetOptions().Contains(goRowMoving) || !Shift.Contains(ssLeft) ||
            !MovedAway(FMouseDownPoint, X, Y, 5))
            return;
        SetGridState(GetGridState() + TGridState{gtRowMoving});
        FRowMoveTarget = -1;
    }
    FRowMovePrevTarget = FRowMoveTarget;
    FRowMoveTarget = GetNearestRow(FPressedRow, X, Y);
    if (FRowMoveTarget != FRowMovePrevTarget) RefreshRowPosition();
    if (FRowMoveTarget == GetFirstRowInView() && GetVertScrollBar()->GetPosition() > 0) {
        // The marker goes before the picture moves, or its pixels would move with it.
        RefreshRowPosition();
        GetVertScrollBar()->Prior();
    }
    DrawRowPosition(FRowMoveTarget);
}

void TGxCustomGrid::DropRow(int X, int Y)
{
    const int From = FPressedRow;
    int To = GetNearestRow(From, X, Y);
    // The row leaves its place before it takes the new one.
    if (From < To) --To;
    RefreshRowPosition();
    SetGridState(GetGridState() - TGridState{gtRowMoving});
    // Rows the program took away meanwhile leave nothing to move.
    const int Count = GetRowCount();
    if (From < 0 || From >= Count || To < 0 || To >= Count || !CanMoveRow(From, To)) return;
    MoveRow(From, To);
    DoAfterRowMove(From, To);
    SetSelectedRow(To);
}

void TGxCustomGrid::DrawRowPosition(int ARow)
{
    const bool Slides = GetGridStyle() == gsSlides;
    int Y = Slides ? GetSlideRect(ARow).Top : GetRowRect(ARow).Top;
    if (ARow != GetFirstRowInView()) --Y;
    FRowMarkerY = Y;
    PaintRowMarker(Y);
}

void TGxCustomGrid::RefreshRowPosition()
{
    if (FRowMarkerY < 0 || !HandleAllocated()) {
        FRowMarkerY = -1;
        return;
    }
    const int Y = std::exchange(FRowMarkerY, -1), Right = MarkerRight();
    for (const TRect& R :
         {TRect(0, Y - 5, 7, Y + 6), TRect(Right - 7, Y - 5, Right + 1, Y + 6), TRect(7, Y, Right, Y + 1)})
        InvalidateRect(GetHandle(), &R, false);
}

void TGxCustomGrid::RedrawRowMarker()
{
    if (FRowMarkerY >= 0 && GetGridState().Contains(gtRowMoving)) PaintRowMarker(FRowMarkerY);
}

int TGxCustomGrid::MarkerRight()
{
    return GetGridStyle() == gsSlides ? GetClientWidth() : GetBodyRect().Right;
}

void TGxCustomGrid::PaintRowMarker(int Y)
{
    TCanvas* Canvas = GetCanvas();
    const TColor PenColor = Canvas->GetPen()->GetColor(), BrushColor = Canvas->GetBrush()->GetColor();
    Canvas->GetPen()->SetColor(MarkerColor);
    Canvas->GetBrush()->SetColor(MarkerColor);
    // An arrow at each end pointing inwards, a line between them.
    const int X = MarkerRight() - 1;
    Canvas->Polygon({{0, Y - 2}, {2, Y - 2}, {2, Y - 5}, {7, Y}, {2, Y + 5}, {2, Y + 2}, {0, Y + 2}});
    Canvas->Polygon(
        {{X, Y - 2}, {X - 2, Y - 2}, {X - 2, Y - 5}, {X - 7, Y}, {X - 2, Y + 5}, {X - 2, Y + 2}, {X, Y + 2}});
    Canvas->MoveTo(8, Y);
    Canvas->LineTo(X - 7, Y);
    Canvas->GetPen()->SetColor(PenColor);
    Canvas->GetBrush()->SetColor(BrushColor);
}

// ---- Ending ------------------------------------------------------------------------------------

void TGxCustomGrid::CancelMoving()
{
    FDragBox->Hide();
    // A hidden box may hold the mouse still; letting it go ends its drag.
    if (FDragBox->HandleAllocated() && GetCapture() == FDragBox->GetHandle()) ReleaseCapture();
    EndColumnMoving();
    RefreshRowPosition();
    SetGridState(GetGridState() - TGridState{gtRowMoving});
    FPressedRow = -1;
    SetScreenCursor(crDefault);
}

void TGxCustomGrid::DragCanceled()
{
    TGxCustomGridControl::DragCanceled();
    if (!FDeferredSelect) return;
    FDeferredSelect = false;
    SelectCell(GetSelectedColumn(), GetSelectedRow(), {}, true);
}

} // namespace GxCustomGrid
