// grid/GxCustomGridControl_Columns.cpp: how the grid follows its columns,
// cells by name, and best fit.
#include "grid/GxCustomGridControl.h"

#include <algorithm>

namespace GxCustomGridControl {

namespace {

// Where the column at Index stands after the operation.
int FollowColumn(int Index, TColumnsOperation Operation, int Value1, int Value2)
{
    switch (Operation) {
    case GxColumns::opInsert:
        return Index >= Value1 ? Index + 1 : Index;
    case opDelete:
        return Index > Value1 ? Index - 1 : Index;
    case opMove:
        if (Index == Value1) return Value2;
        if (Value1 < Index && Index <= Value2) return Index - 1;
        if (Value2 <= Index && Index < Value1) return Index + 1;
        return Index;
    case opClear:
        return 0;
    default:
        return Index;
    }
}

} // namespace

// ---- Column reports -----------------------------------------------------------------------------

void TGxCustomGridControl::DoColumnsChanging(TColumnsOperation, int, int)
{
    // While the columns still stand as the edit knew them.
    ApplyAndEndEditing();
}

void TGxCustomGridControl::DoColumnsChange(TObject*, TColumnsOperation Operation, int Value1, int Value2)
{
    ColumnsChange(Operation, Value1, Value2);
    // The storage has followed the columns by now: the rows it has left
    // (none once the columns are cleared) bound the selection and the view,
    // and the bar's range counts rows only while there are columns.
    const int Rows = GetRowCount();
    if (FSelectedRow >= Rows) FSelectedRow = -1;
    if (FSelectionAnchorRow >= Rows) FSelectionAnchorRow = -1;
    if (Rows == 0) {
        FFirstRowInView = 0;
        FRange.Valid = false;
    } else if (FFirstRowInView >= Rows)
        FFirstRowInView = Rows - 1;
    UpdateVertScrollBar();
}

void TGxCustomGridControl::ColumnsChange(TColumnsOperation Operation, int Value1, int Value2)
{
    const int Count = FColumns->GetCount();
    FSelectedColumn = std::clamp(FollowColumn(FSelectedColumn, Operation, Value1, Value2), 0, std::max(Count - 1, 0));
    // A column that went is no longer sorted, pressed or under the mouse.
    ForgetIfGone(FSortedColumn);
    ForgetIfGone(FHeaderDownColumn);
    ForgetIfGone(FHoverColumn);
    UpdateHorzScrollBar();
}

void TGxCustomGridControl::ForgetIfGone(TGxCustomColumn*& Column) const
{
    if (Column && FColumns->IndexOf(Column) < 0) Column = nullptr;
}

void TGxCustomGridControl::GetChildren(const TGetChildProc& Proc, TComponent*)
{
    for (int I = 0; I < FColumns->GetCount(); ++I)
        Proc(FColumns->GetItem(I));
}

void TGxCustomGridControl::DoColumnsRepaint(TObject*, TColumnsOperation Operation, int, int)
{
    if (Operation != opClear) RefreshCellEditor();
    Invalidate();
}

void TGxCustomGridControl::DoColumnChange(TObject*, TGxCustomColumn* Column, TColumnChangeKind ChangeKind, int Param)
{
    if (!HandleAllocated()) return;
    if (FGridState.Contains(gtEdit) || FGridState.Contains(gtInput))
        if (ChangeKind == ccVisible || ChangeKind == ccSorted || ChangeKind == ccWidth || ChangeKind == ccPosition)
            RefreshCellEditor();
    switch (ChangeKind) {
    case ccInputChange:
        RefreshColumn(Column, gaInput);
        break;
    case ccPosition:
        DoColumnMove(Column->GetIndex(), Param, Column->GetPosition());
        Invalidate();
        break;
    case ccVisible:
        UpdateHorzScrollBar();
        Invalidate();
        break;
    case ccUndefined:
        RefreshColumn(Column, gaNone);
        break;
    case ccSlideChanged:
        RefreshColumnSlide(Column);
        DoSlideChange(Column->GetIndex());
        break;
    case ccUnsorted:
        RefreshColumn(Column, gaHeader);
        if (FAppearanceOptions.Contains(aoIndicateSortedColumn)) RefreshColumn(Column, gaBody);
        if (FSortedColumn == Column) FSortedColumn = nullptr;
        break;
    case ccWidth:
        if (!IsUpdating()) ExpandColumn(Column, Param, FGridStyle == gsSlides);
        DoColumnResize(Column->GetIndex());
        UpdateHorzScrollBar();
        break;
    case ccSorted:
    case ccSortTypeChange:
        if (Column->GetSorted()) {
            RefreshColumn(Column, gaHeader);
            SortColumn(Column, Column->GetSortKind() == skAscending);
        }
        break;
    case ccFieldName:
        break;
    }
}

void TGxCustomGridControl::DoUpdateColumns()
{
    if (FOnUpdateColumns) FOnUpdateColumns(this);
}

// ---- Cells by name --------------------------------------------------------------------------------

TPoint TGxCustomGridControl::GetCellByVariant(const Variant& ACol, const Variant& ARow)
{
    const auto Invalid = [this](const char* What, const AnsiString& Text) {
        return Exception(Format("Invalid %s '%s' for '%s:%s'.", {What, Text, ClassName(), GetName()}));
    };
    TPoint Cell;
    const AnsiString RowText = ARow.ToString();
    if (SameText(RowText, "First"))
        Cell.Y = 0;
    else if (SameText(RowText, "Last"))
        Cell.Y = GetRowCount() - 1;
    else if (SameText(RowText, "Selected"))
        Cell.Y = GetSelectedRow();
    else
        try {
            Cell.Y = ARow.ToInteger();
        } catch (const EVariantError&) {
            throw Invalid("Rowname", RowText);
        }
    const AnsiString ColText = ACol.ToString();
    if (SameText(ColText, "First"))
        Cell.X = 0;
    else if (SameText(ColText, "Last"))
        Cell.X = FColumns->GetCount() - 1;
    else if (SameText(ColText, "Selected"))
        Cell.X = FSelectedColumn;
    else if (const TGxCustomColumn* Column = FColumns->GetColumn(ColText))
        Cell.X = Column->GetIndex();
    else
        try {
            Cell.X = ACol.ToInteger();
        } catch (const EVariantError&) {
            throw Invalid("Columnname", ColText);
        }
    return Cell;
}

WideString TGxCustomGridControl::GetCellsByName(const Variant& ACol, const Variant& ARow)
{
    const TPoint Cell = GetCellByVariant(ACol, ARow);
    return GetCells(Cell.X, Cell.Y);
}

void TGxCustomGridControl::SetCellsByName(const Variant& ACol, const Variant& ARow, const WideString& Value)
{
    const TPoint Cell = GetCellByVariant(ACol, ARow);
    SetCells(Cell.X, Cell.Y, Value);
}

// ---- Best fit ----------------------------------------------------------------------------------------

TCellState TGxCustomGridControl::PrepareMeasure(TGxCustomColumn* Column, int ARow, const TRect& Rect)
{
    TColumnDisplay* Display = Column->GetDisplay();
    TCanvas* Canvas = GetCanvas();
    const int Col = Column->GetIndex();
    Display->SetCanvas(Canvas);
    Display->SetClientRect(Rect);
    Canvas->GetFont()->Assign(Column->GetFont());
    const TCellState State = GetCellState(Col, ARow);
    WideString Text = GetDrawText(Col, ARow);
    DoApplyCell(Col, ARow, Text);
    ApplyCellFormating(Col, ARow, Text, State);
    SetDisplayParams(Col, ARow, Display);
    Display->SetAsString(Text);
    return State;
}

void TGxCustomGridControl::BestFitColumn(int Index, TBestFitMode Mode)
{
    TGxCustomColumn* Column = FColumns->GetItem(Index);
    TColumnDisplay* Display = Column->GetDisplay();
    int Width = 8;
    if (Mode != bfCells) {
        GetCanvas()->GetFont()->Assign(GetFont());
        Width = FStyleDisplay->GetHeaderContentWidth(Column);
    }
    if (Mode != bfHeader && Display)
        for (int Row = VisibleFrom(0); Row >= 0; Row = GetNextOnScreen(Row)) {
            PrepareMeasure(Column, Row, TRect(0, 0, Column->GetWidth(), GetRowHeight(Row)));
            Width = std::max(Width, Display->GetContentWidth());
        }
    if (Column->GetWidth() != Width + 5) Column->SetWidth(Width + 5);
}

void TGxCustomGridControl::BestFitRow(int ARow)
{
    int Height = FRowSize;
    for (int Col = 0; Col < FColumns->GetCount(); ++Col) {
        TGxCustomColumn* Column = FColumns->GetItem(Col);
        if (!Column->GetVisible() || !Column->GetDisplay()) continue;
        const int Width = Column->GetWidth() - FGridSpace[lpLeft] - FGridSpace[lpRight];
        PrepareMeasure(Column, ARow, TRect(0, 0, Width, FRowSize));
        Height = std::max(Height, Column->GetDisplay()->GetContentHeight());
    }
    SetRowHeight(ARow, Height);
}

} // namespace GxCustomGridControl
