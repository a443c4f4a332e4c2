// grid/GxCustomGrid_Mouse.cpp: where the mouse is, and what a press, a move,
// a release and the wheel do there: header clicks that sort, clicks that
// select, the pressed and hovered header. Hit tests walk only the columns
// and the rows in view.
#include "grid/GxCustomGrid.h"
#include "grid/shared/GxClasses.h"
#include "platform/controls/Forms.h"

#include <utility>

namespace GxCustomGrid {

namespace {

// The usual half-open test on a rectangle that lost its last column and row.
bool InShrunk(const TRect& R, const TPoint& P)
{
    return P.X >= R.Left && P.X < R.Right - 1 && P.Y >= R.Top && P.Y < R.Bottom - 1;
}

} // namespace

// ---- Hit tests --------------------------------------------------------------------------------

TGridArea TGxCustomGrid::GetGridArea(const TPoint& P)
{
    const TGridOptions Options = GetOptions();
    if (Options.Contains(goHeader) && InShrunk(GetHeaderRect(), P)) return gaHeader;
    if (GetGridStyle() == gsSlides) return gaBody;
    if (Options.Contains(goInput) && InShrunk(GetInputRect(), P)) return gaInput;
    if (InShrunk(GetBodyRect(), P)) return gaBody;
    if (Options.Contains(goFooter) && InShrunk(GetFooterRect(), P)) return gaFooter;
    if (Options.Contains(goIndicator) && InShrunk(GetIndicatorRect(), P)) return gaIndicator;
    return gaNone;
}

TGxCustomColumn* TGxCustomGrid::GetColumnAtPos(const TPoint& P)
{
    TGxColumns* Columns = GetColumns();
    for (int Pos = 0; Pos < Columns->GetCount(); ++Pos) {
        TGxCustomColumn* Column = Columns->GetPositionItem(Pos);
        if (!Column->GetVisible()) continue;
        const int Left = Column->GetAbsoluteLeft();
        if (P.X >= Left && P.X <= Left + Column->GetWidth()) return Column;
    }
    return nullptr;
}

int TGxCustomGrid::GetRowAtPos(int X, int Y)
{
    const TRect Body = GetBodyRect();
    if (X < Body.Left || X >= Body.Right || Y < Body.Top || Y >= Body.Bottom) return -1;
    std::int64_t Bottom = Body.Top;
    const int Top = GetGridSpace(lpTop), Under = GetGridSpace(lpBottom);
    for (int Row = GetNextOnScreen(std::max(GetFirstRowInView(), 0) - 1); Row >= 0; Row = GetNextOnScreen(Row)) {
        Bottom += GetActualRowHeight(Row) + Top;
        if (Bottom >= Y) return Row;
        Bottom += Under;
        // Rows below the body lie under no point of it.
        if (Bottom >= Body.Bottom) break;
    }
    return -1;
}

TPoint TGxCustomGrid::GetCellAtPos(const TPoint& P)
{
    TGxCustomColumn* Column = GetColumnAtPos(P);
    return TPoint(Column ? Column->GetIndex() : -1, GetRowAtPos(P.X, P.Y));
}

// ---- Press ------------------------------------------------------------------------------------

void TGxCustomGrid::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y)
{
    TGxCustomGridControl::MouseDown(Button, Shift, X, Y);
    FMouseDownPoint = TPoint(X, Y);
    FDownCell = GetCellAtPos(FMouseDownPoint);
    if (Shift.Contains(ssDouble)) {
        // The second press of a double click starts nothing of its own.
        DoubleClickAt(FMouseDownPoint);
        return;
    }
    // A press of another button while a resize runs ends it unsized.
    if (Sizing()) CancelSizing();
    const bool Designing = GetComponentState().Contains(csDesigning);
    if (!Designing && GetVisible() && CanFocus()) SetFocus();
    if (GetColumns()->GetCount() == 0 || (Button != mbLeft && Button != mbRight)) return;
    if (Button == mbLeft && GetOptions().Contains(goHeader) && PtInRect(GetHeaderRect(), FMouseDownPoint))
        FResizingColumn = GetColumnSizeGripAtPos(X, Y);
    if (FResizingColumn) {
        StartColumnSizing();
        return;
    }
    switch (GetGridArea(TPoint(X, Y))) {
    case gaBody:
        CellPress(Button, Shift);
        break;
    case gaHeader:
        HeaderPress(Button, X, Y);
        break;
    case gaIndicator:
        if (!StartRowSizing(X, Y)) CellPress(Button, Shift);
        break;
    case gaInput:
        break;
    default:
        ApplyAndEndEditing();
        break;
    }
}

void TGxCustomGrid::CellPress(TMouseButton Button, TShiftState Shift)
{
    const TGridState State = GetGridState();
    if (State.Contains(gtEdit) || State.Contains(gtInput)) {
        const bool Input = State.Contains(gtInput);
        if (ApplyEditing() && Input) AddRowFromInput();
        EndEditing();
    }
    if (GetGridStyle() == gsReport) SetInputSelected(false);
    int Col = FDownCell.X, Row = FDownCell.Y;
    FClickedSelectedCell = IsSameCell(FDownCell, GetSelectedCell());
    // A press below the last row or beside the last column finds no cell:
    // no play hears of it and nothing is selected.
    if (Row < 0 || Row >= GetRowCount()) return;
    // Dragging rows of a multi-row selection keeps them selected; the
    // press selects its row alone when the drag comes to nothing.
    bool SelectOnPress = true;
    FDeferredSelect = false;
    const TGridOptions Options = GetOptions();
    if (Options.Contains(goMultiSelect) && Options.Contains(goSelectFullRow) && GetSelected(Row) && Dragging()) {
        SelectOnPress = false;
        FDeferredSelect = true;
    }
    FPressedRow = Row;
    if (Col < 0 || Col >= GetColumns()->GetCount()) Col = GetSelectedColumn();
    if (Col < 0 || Col >= GetColumns()->GetCount()) return;
    const TRect R = GetCellRect(Col, Row);
    if (TColumnPlay* Play = CellPlay(Col, Row, R, true))
        Play->MouseDown(Button, Shift, FMouseDownPoint.X - R.Left, FMouseDownPoint.Y - R.Top);
    SelectCell(Col, Row, Shift, SelectOnPress);
    if (GetGridStyle() == gsReport && GetRowTop(Row) + GetRowHeight(Row) > GetBodyRect().Bottom) ScrollToRow(Row);
}

void TGxCustomGrid::HeaderPress(TMouseButton Button, int X, int Y)
{
    if (GetComponentState().Contains(csDesigning) || Button != mbLeft) return;
    FDraggedColumn = GetColumnAtPos(TPoint(X, Y));
    if (!FDraggedColumn || !FDraggedColumn->GetOptions().Contains(coCanClick)) {
        FDraggedColumn = nullptr;
        return;
    }
    SetGridState(GetGridState() + TGridState{gtColumnHeaderDown});
    SetHeaderDownColumn(FDraggedColumn);
    RefreshColumn(FDraggedColumn, gaHeader);
}

// ---- Move -------------------------------------------------------------------------------------

void TGxCustomGrid::MouseMove(TShiftState Shift, int X, int Y)
{
    TGxCustomGridControl::MouseMove(Shift, X, Y);
    const TPoint Previous = FHoverCell;
    FHoverCell = TPoint(-1, -1);
    if (GetColumns()->GetCount() == 0 || GetViewState().Contains(vsRolling)) return;
    if (FResizingColumn) {
        MoveColumnSizing(X);
        return;
    }
    if (GetOptions().Contains(goRowResizing) && FResizingRow != -1) {
        MoveRowSizing(X, Y);
        return;
    }
    const TGridArea Area = GetGridArea(TPoint(X, Y));
    if (Area == gaHeader)
        HeaderMove(Shift, X, Y);
    else {
        if (FHintKind == hpHeader) RemoveHint();
        FHeaderHintColumn = nullptr;
        FGripColumn = nullptr;
        SetHover(nullptr);
    }
    if (Area == gaFooter)
        FooterMove(X, Y);
    else {
        if (FHintKind == hpFooter) RemoveHint();
        FFooterHintColumn = nullptr;
    }
    if (Area == gaBody)
        CellMove(Previous, Shift, X, Y);
    else {
        LeavePlay();
        if (FHintKind == hpTextFit || FHintKind == hpCellHint) RemoveHint();
    }
    if (Area == gaIndicator) IndicatorMove(X, Y);
    if (Area == gaNone) {
        RemoveHint();
        SetCursor(crDefault);
    }
}

void TGxCustomGrid::CellMove(const TPoint& Previous, TShiftState Shift, int X, int Y)
{
    FHoverCell = GetCellAtPos(TPoint(X, Y));
    RowMoveStep(Shift, X, Y);
    const int Col = FHoverCell.X, Row = FHoverCell.Y;
    // The play of the cell left hears so before the next cell's play (maybe
    // the same object) is readied for its own.
    if (FPlayColumn && (FPlayColumn->GetIndex() != Col || FPlayRow != Row)) LeavePlay();
    if (CellBounds(Col, Row)) {
        const TRect R = GetCellRect(Col, Row);
        if (TColumnPlay* Play = CellPlay(Col, Row, R, false)) {
            FPlayColumn = GetColumns()->GetItem(Col);
            FPlayRow = Row;
            Play->MouseMove(Shift, X - R.Left, Y - R.Top);
        }
    }
    if (!CellBounds(Col, Row)) {
        SetCursor(crDefault);
        RemoveHint();
        return;
    }
    // The editor shows the text itself.
    if (GetGridState().Contains(gtEdit) && IsSameCell(FHoverCell, GetEditingCell())) {
        RemoveHint();
        return;
    }
    TGxCustomColumn* Column = GetColumns()->GetItem(Col);
    SetCursor(Column->GetCursor());
    if (IsSameCell(FHoverCell, Previous)) return;
    if (Column->GetOptions().Contains(coShowTextFitHint) && !IsTextFit(Col, Row)) {
        ShowCellTextFitHint(Col, Row);
        return;
    }
    // A text-fit hint left behind by the cell before goes with it.
    const WideString Hint = FHintKind == hpTextFit ? WideString() : GetCellHint(Col, Row);
    if (Hint.empty())
        RemoveHint();
    else
        ShowCellHint(Col, Row, Hint);
}

TColumnPlay* TGxCustomGrid::CellPlay(int ACol, int ARow, const TRect& Rect, bool Clicking)
{
    TGxCustomColumn* Column = GetColumns()->GetItem(ACol);
    if (!Column->GetPlay() || GetReadOnly()) return nullptr;
    if (Clicking && !Column->GetOptions().Contains(coEditing) && !Column->GetColumnStyle().Contains(csClickable))
        return nullptr;
    return UpdateColumnPlay(ACol, ARow, Rect) ? Column->GetPlay() : nullptr;
}

void TGxCustomGrid::LeavePlay()
{
    TGxCustomColumn* Column = std::exchange(FPlayColumn, nullptr);
    const int Row = std::exchange(FPlayRow, -1);
    TColumnPlay* Play = Column ? Column->GetPlay() : nullptr;
    if (!Play) return;
    // A play whose row went since still hears of it (a hand it showed must
    // go), readied as it was for that row: there is no cell to ready it for.
    const int Col = Column->GetIndex();
    if (CellBounds(Col, Row)) UpdateColumnPlay(Col, Row, GetCellRect(Col, Row));
    Play->MouseLeave();
}

void TGxCustomGrid::RemoveHint()
{
    FHintKind = hpNone;
    if (FHintWindow) GxClasses::DeactivateHint(FHintWindow);
}

void TGxCustomGrid::HeaderMove(TShiftState Shift, int X, int Y)
{
    if (GetComponentState().Contains(csDesigning)) return;
    FGripColumn = GetColumnSizeGripAtPos(X, Y);
    SetCursor(FGripColumn ? crHorzSplit : crDefault);
    if (StartColumnMoving(Shift, X, Y)) return;
    TGxCustomColumn* Column = GetColumnAtPos(TPoint(X, Y));
    FollowColumnHint(Column, Column ? Column->GetHeader()->GetHint() : WideString(), hpHeader, FHeaderHintColumn,
                     GetHeaderSize() + 2);
    SetHover(Column);
}

void TGxCustomGrid::FooterMove(int X, int Y)
{
    TGxCustomColumn* Column = GetColumnAtPos(TPoint(X, Y));
    FollowColumnHint(Column, Column ? Column->GetFooter()->GetHint() : WideString(), hpFooter, FFooterHintColumn,
                     GetClientHeight() + 2);
}

void TGxCustomGrid::FollowColumnHint(TGxCustomColumn* Column, const WideString& Hint, THintPosition Kind,
                                     TGxCustomColumn*& Showing, int Y)
{
    if (Hint.empty()) {
        RemoveHint();
        Showing = nullptr;
    } else if (Column != Showing) {
        FHintKind = Kind;
        Showing = Column;
        ShowColumnHint(Column->GetAbsoluteLeft(), Y, Hint);
    }
}

void TGxCustomGrid::SetHover(TGxCustomColumn* Column)
{
    TGxCustomColumn* Old = GetHoverColumn();
    if (Old == Column) return;
    SetHoverColumn(Column);
    if (!GetStyleDisplay() || !GetStyleDisplay()->GetStyleDisplayAttributes().Contains(sdaHoverEnabled)) return;
    if (Column) RefreshColumn(Column, gaHeader);
    if (Old) RefreshColumn(Old, gaHeader);
}

void TGxCustomGrid::CMMouseLeave(TMessage& Message)
{
    TGxCustomGridControl::CMMouseLeave(Message);
    LeavePlay();
    RemoveHint();
    FHoverCell = TPoint(-1, -1);
    FHeaderHintColumn = nullptr;
    SetHover(nullptr);
}

// ---- Release ----------------------------------------------------------------------------------

void TGxCustomGrid::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y)
{
    TGxCustomGridControl::MouseUp(Button, Shift, X, Y);
    FMouseDownPoint = TPoint(-1, -1);
    if (GetGridState().Contains(gtRowMoving)) DropRow(X, Y);
    FPressedRow = -1;
    SetGridState(GetGridState() - TGridState{gtColumnHeaderDown, gtIndicatorMouseDown});
    if (FResizingColumn) {
        FDraggedColumn = nullptr;
        EndColumnSizing(X, Y);
        return;
    }
    SetGridState(GetGridState() - TGridState{gtColumnResizing});
    if (FResizingRow != -1) EndRowSizing();
    // The pressed header hears of its click wherever the button comes up.
    if (TGxCustomColumn* Down = GetHeaderDownColumn()) {
        SetHeaderDownColumn(nullptr);
        RefreshColumn(Down, gaHeader);
        DoHeaderClick(Down->GetIndex());
    }
    // Taken only now: a column that the click's handler freed is forgotten.
    TGxCustomColumn* Pressed = FDraggedColumn;
    FDraggedColumn = nullptr;
    if (Button != mbLeft) {
        EndEditing();
        return;
    }
    const bool Designing = GetComponentState().Contains(csDesigning);
    TGxCustomColumn* Column = nullptr;
    switch (GetGridArea(TPoint(X, Y))) {
    case gaBody:
        if (!Designing) CellRelease(Button, Shift, X, Y);
        break;
    case gaFooter:
        if ((Column = GetColumnAtPos(TPoint(X, Y)))) DoFooterClick(Column->GetIndex());
        break;
    case gaHeader:
        if (!Designing) SortToggle(Pressed, X, Y);
        break;
    case gaInput:
        if (!Designing && (Column = GetColumnAtPos(TPoint(X, Y)))) InputColumn(Column, WideString());
        break;
    default:
        break;
    }
}

void TGxCustomGrid::SortToggle(TGxCustomColumn* Pressed, int X, int Y)
{
    TGxCustomColumn* Column = GetColumnAtPos(TPoint(X, Y));
    if (!Column || Column != Pressed || !Column->GetOptions().Contains(coCanSort)) return;
    if (!Column->GetSorted())
        Column->SetSorted(true);
    else
        Column->SetSortKind(Column->GetSortKind() == skDescending ? skAscending : skDescending);
}

void TGxCustomGrid::CellRelease(TMouseButton Button, TShiftState Shift, int X, int Y)
{
    const TPoint P(X, Y);
    const TPoint Cell = GetCellAtPos(P);
    const int Col = Cell.X, Row = Cell.Y;
    const bool SameCell = Col >= 0 && Row >= 0 && Row < GetRowCount() && IsSameCell(Cell, FDownCell);
    if (SameCell) DoCellClick(Col, Row);
    if (Col < 0 || Col >= GetColumns()->GetCount()) return;
    if (GetGridState().Contains(gtMultiSelect)) {
        if (Row == -1) ClearSelection();
        return;
    }
    // The click's handler may have taken the row away.
    if (!SameCell || !CellBounds(Col, Row)) return;
    TRect R = GetCellRect(Col, Row);
    if (TColumnPlay* Play = CellPlay(Col, Row, R, true)) Play->MouseUp(Button, Shift, X - R.Left, Y - R.Top);
    GetColumns()->GetItem(Col)->AdjustEditRect(GetRowLevel(Row), R);
    if (PtInRect(R, P) && (!GetOptions().Contains(goSecondClickEdit) || FClickedSelectedCell))
        EditCell(Col, Row, WideString());
}

// ---- Hints ------------------------------------------------------------------------------------

bool TGxCustomGrid::MayShowHint()
{
    const TCustomForm* Form = GetParentForm(this);
    return Form && Form->GetActive() && Application->GetShowHint();
}

void TGxCustomGrid::ShowColumnHint(int X, int Y, const WideString& Hint)
{
    if (!MayShowHint()) return;
    RecreateHintWnd();
    TRect R = GxClasses::CalcHintRect(FHintWindow, GetClientWidth(), Hint);
    const TPoint Corner = ClientToScreen(TPoint(X, Y));
    OffsetRect(R, Corner.X, Corner.Y);
    GxClasses::ActivateHint(FHintWindow, R, Hint);
}

void TGxCustomGrid::ShowCellHint(int ACol, int ARow, const WideString& Hint)
{
    if (!MayShowHint()) return;
    RecreateHintWnd();
    FHintKind = hpCellHint;
    const TRect Cell = GetCellRect(ACol, ARow);
    TGxCustomColumn* Column = GetColumns()->GetItem(ACol);
    const int Width = GetGridStyle() == gsSlides ? Column->GetSlideWidth() : Column->GetWidth();
    TRect R = GxClasses::CalcHintRect(FHintWindow, 250, Hint);
    const TPoint Corner = ClientToScreen(TPoint(Cell.Left + Width, Cell.Top - 20));
    OffsetRect(R, Corner.X, Corner.Y);
    GxClasses::ActivateHint(FHintWindow, R, Hint);
}

// ---- Wheel ------------------------------------------------------------------------------------

void TGxCustomGrid::WheelStep(TGxScrollBar* Bar, TShiftState Shift, bool Down)
{
    const bool Page = Shift.Contains(ssCtrl);
    if (Down)
        Page ? Bar->PageDown() : Bar->Next();
    else
        Page ? Bar->PageUp() : Bar->Prior();
}

bool TGxCustomGrid::DoMouseWheelDown(TShiftState Shift, TPoint MousePos)
{
    const bool Result = TGxCustomGridControl::DoMouseWheelDown(Shift, MousePos);
    // Scrolling would carry a resize line away with the rows under it.
    if (!Result || GetGridState().Contains(gtEdit) || Sizing()) return Result;
    TGxScrollBar* Vert = GetVertScrollBar();
    TGxScrollBar* Horz = GetHorzScrollBar();
    if (Vert->GetMax() > 0 && Vert->GetPosition() < Vert->GetMax())
        WheelStep(Vert, Shift, true);
    else if (GetGridStyle() == gsReport && Horz->GetMax() > 0 && !Vert->GetVisible())
        WheelStep(Horz, Shift, true);
    return Result;
}

bool TGxCustomGrid::DoMouseWheelUp(TShiftState Shift, TPoint MousePos)
{
    const bool Result = TGxCustomGridControl::DoMouseWheelUp(Shift, MousePos);
    // Scrolling would carry a resize line away with the rows under it.
    if (!Result || GetGridState().Contains(gtEdit) || Sizing()) return Result;
    TGxScrollBar* Vert = GetVertScrollBar();
    TGxScrollBar* Horz = GetHorzScrollBar();
    if (Vert->GetMax() >= 1)
        WheelStep(Vert, Shift, false);
    else if (GetGridStyle() == gsReport && Horz->GetMax() > 0)
        WheelStep(Horz, Shift, false);
    return Result;
}

} // namespace GxCustomGrid
