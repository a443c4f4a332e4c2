// grid/GxCustomGridControl_Select.cpp
// The selected cell, the selected rows and the moves between them.
#include "grid/GxCustomGridControl.h"

#include <algorithm>

namespace GxCustomGridControl {

// ---- Storing ---------------------------------------------------------------------------------------

void TGxCustomGridControl::SetSelectedCell(int ACol, int ARow)
{
    FSelectedColumn = ACol;
    FSelectedRow = ARow;
}

void TGxCustomGridControl::SetSelectedRow(int Value)
{
    if (GetRowCount() == 0 || Value < -1 || Value >= GetRowCount()) return;
    SetInputSelected(false);
    SelectCell(FSelectedColumn, Value, {}, true);
}

void TGxCustomGridControl::SetSelectedColumn(int Value)
{
    if (Value < 0 || Value >= FColumns->GetCount()) return;
    SelectCell(Value, GetSelectedRow(), {}, true);
}

// ---- SelectCell ------------------------------------------------------------------------------------

void TGxCustomGridControl::SelectCell(int ACol, int ARow, TShiftState Shift, bool Deselect)
{
    if (!CanSelectCell(ACol, ARow)) return;
    const bool Shifted = Shift.Contains(ssShift);
    const bool Ctrl = Shift.Contains(ssCtrl);
    if (FGridState.Contains(gtMultiSelect) && Deselect && !Shifted && !Ctrl) NoSelection();
    const int Rows = GetRowCount();
    // The selected row is -1 or a row that exists.
    if (ACol < 0 || ACol >= FColumns->GetCount() || !FColumns->GetItem(ACol)->GetEnabled() || ARow < -1 || ARow >= Rows)
        return;

    const int OldCol = FSelectedColumn;
    const int OldRow = GetSelectedRow();
    SetSelectedCell(ACol, ARow);
    const bool CellChanged = ACol != OldCol || ARow != OldRow;
    const bool RowChanged = ARow != OldRow;
    const bool OldInside = CellBounds(OldCol, OldRow);
    if (CellChanged) {
        if (OldInside) DoDeselectCell(OldCol, OldRow);
        if (FGridState.Contains(gtEdit)) ApplyAndEndEditing();
    }
    if (FAutoScroll && ARow >= 0) ScrollToRow(ARow);

    if (FInputSelected) {
        if (ACol == OldCol) return;
        DoInputSelectCell(ACol);
        RefreshColumn(FColumns->GetItem(ACol), gaInput);
        if (OldCol >= 0 && OldCol < FColumns->GetCount()) RefreshColumn(FColumns->GetItem(OldCol), gaInput);
        return;
    }
    if (Rows == 0) return;

    const bool Slides = FGridStyle == gsSlides;
    // The storage forgets the range at each flag it sets: what it told
    // before this step is what the step may trust.
    const TSelectionRange Known = FRange;
    if (FOptions.Contains(goSelectFullRow) && FOptions.Contains(goMultiSelect) && (Ctrl || Shifted) && ARow >= 0) {
        SetMultiSelected();
        if (!Shifted) {
            FSelectionAnchorRow = ARow;
            FRange.Valid = false;
            SetSelected(ARow, !GetSelected(ARow));
            if (RowChanged) {
                RefreshRow(OldRow, false);
                if (Slides) RefreshSlide(OldRow, true);
            }
        } else {
            // Without an anchor that names a row the range starts where the selection is.
            if (FSelectionAnchorRow < 0 || FSelectionAnchorRow >= Rows)
                FSelectionAnchorRow = OldRow >= 0 && OldRow < Rows ? OldRow : ARow;
            SelectShiftRange(std::min(FSelectionAnchorRow, ARow), std::max(FSelectionAnchorRow, ARow), Ctrl);
            if (RowChanged) {
                RefreshRow(ARow, false);
                RefreshRow(OldRow, false);
                if (Slides) {
                    RefreshSlide(ARow, false);
                    RefreshSlide(OldRow, false);
                }
            }
        }
    } else if (FOptions.Contains(goSelectFullRow)) {
        const bool Multi = FGridState.Contains(gtMultiSelect);
        if (RowChanged && !Multi && OldRow >= 0 && OldRow < Rows) SetSelected(OldRow, false);
        if (!RowChanged && CellChanged && FAppearanceOptions.Contains(aoIndicateSelectedCell)) {
            RefreshCell(ACol, ARow);
            if (OldInside) RefreshCell(OldCol, OldRow);
        }
        if (ARow >= 0) SetSelected(ARow, true);
        FSelectionAnchorRow = ARow;
        // Only the new row is selected when only the old one was; no row is an empty range.
        const bool Exact = !Multi && Known.Valid && Known.Exact;
        FRange = ARow >= 0 ? TSelectionRange{true, Exact, ARow, ARow} : TSelectionRange{true, Exact, 0, -1};
        if (!IsUpdating()) {
            // The interior may stay only while the selection leaves its colour alone.
            const bool FrameOnly = !FAppearanceOptions.Contains(aoHighlightSlideCells) &&
                                   SlideFillColor(true) == SlideFillColor(false) && !OnSlideColoring;
            if (Slides) {
                RefreshSlide(ARow, FrameOnly);
                RefreshSlide(OldRow, FrameOnly);
            } else {
                RefreshRow(ARow, false);
                RefreshRow(OldRow, false);
            }
        }
    } else if (CellChanged) {
        if (RowChanged) {
            if (Slides) {
                RefreshSlide(ARow, true);
                RefreshSlide(OldRow, true);
            } else {
                RefreshIndicator(ARow);
                RefreshIndicator(OldRow);
            }
        }
        RefreshCell(ACol, ARow);
        RefreshCell(OldCol, OldRow);
    }
    DoSelectCell(ACol, ARow);
}

void TGxCustomGridControl::SelectShiftRange(int Low, int High, bool Add)
{
    // Each piece of [From, To] outside [Low, High] gets Value.
    const auto Outside = [this](int From, int To, int Low, int High, bool Value) {
        if (From > To) return;
        if (Low > High) {
            SelectRange(From, To, Value);
            return;
        }
        if (From < Low) SelectRange(From, std::min(To, Low - 1), Value);
        if (To > High) SelectRange(std::max(From, High + 1), To, Value);
    };
    // The storage forgets the range at each flag it sets below.
    const TSelectionRange Known = FRange;
    if (!Add) {
        if (Known.Valid && Known.Exact)
            Outside(Known.Low, Known.High, Low, High, false);
        else {
            std::vector<int> Selected;
            GetSelectedRows(Selected);
            for (int Row : Selected)
                if (Row < Low || Row > High) SetSelected(Row, false);
        }
    }
    if (Known.Valid)
        Outside(Low, High, Known.Low, Known.High, true);
    else
        SelectRange(Low, High, true);
    FRange = {true, !Add || (Known.Valid && Known.Exact && Known.Low >= Low && Known.High <= High), Low, High};
}

// ---- Moves --------------------------------------------------------------------------------------------

int TGxCustomGridControl::SelectableRow(int ARow, bool Down)
{
    for (int Row = Down ? GetNextOnScreen(ARow) : GetPriorOnScreen(ARow); Row >= 0;
         Row = Down ? GetNextOnScreen(Row) : GetPriorOnScreen(Row))
        if (CanSelectCell(FSelectedColumn, Row)) return Row;
    return -1;
}

void TGxCustomGridControl::SelectEndRow(bool Last, TShiftState Shift)
{
    // Without rows there is nothing to select, and the input row keeps the focus.
    const int Row = Last ? GetLastVisibleRow() : GetFirstVisibleRow();
    if (Row < 0 || Row >= GetRowCount()) return;
    SetInputSelected(false);
    SelectCell(FSelectedColumn, Row, Shift, true);
    Last ? GetVertScrollBar()->Last() : GetVertScrollBar()->First();
}

void TGxCustomGridControl::SelectFirstRow(TShiftState Shift)
{
    SelectEndRow(false, Shift);
}

void TGxCustomGridControl::SelectLastRow(TShiftState Shift)
{
    SelectEndRow(true, Shift);
}

void TGxCustomGridControl::MoveSelectionDown(TShiftState Shift, bool Wrap)
{
    if (GetRowCount() == 0) return;
    int Target;
    if (FInputSelected) {
        SetInputSelected(false);
        Target = GetFirstVisibleRow();
    } else {
        const int Row = GetSelectedRow();
        if (Row < 0) return;
        if (Row >= GetLastVisibleRow()) {
            if (Wrap) {
                SelectNextControl();
                SelectFirstRow({});
            }
            return;
        }
        Target = SelectableRow(Row, true);
        if (Target < 0) return;
    }
    SelectCell(FSelectedColumn, Target, Shift, true);
    const int Row = GetSelectedRow();
    if (Row < 0) return;
    const TRect R = FGridStyle == gsSlides ? GetSlideRect(Row) : GetCellRect(FSelectedColumn, Row);
    if (R.Bottom >= GetBodyRect().Bottom) GetVertScrollBar()->Next();
}

void TGxCustomGridControl::MoveSelectionUp(TShiftState Shift)
{
    const int Row = GetSelectedRow();
    if (Row < 0) return;
    if (Row == GetFirstVisibleRow() && FOptions.Contains(goInput) && FGridStyle == gsReport) {
        SetInputSelected(true);
        return;
    }
    if (FInputSelected || GetRowCount() == 0) return;
    const int Target = SelectableRow(Row, false);
    if (Target < 0) return;
    SelectCell(FSelectedColumn, Target, Shift, true);
    if (Target < FFirstRowInView) GetVertScrollBar()->Prior();
}

void TGxCustomGridControl::MoveSelectionBy(int Distance)
{
    int Row = GetSelectedRow();
    if (Distance == 0 || Row < 0) return;
    const int End = Distance > 0 ? GetLastVisibleRow() : GetFirstVisibleRow();
    for (int Passed = 0; Passed < std::abs(Distance) && Row != End; ++Passed) {
        const int Next = Distance > 0 ? GetNextOnScreen(Row) : GetPriorOnScreen(Row);
        if (Next < 0) break;
        Row = Next;
    }
    SetSelectedRow(Row);
}

void TGxCustomGridControl::MoveSelectionSideways(bool Right)
{
    if (FSelectedColumn < 0 || FSelectedColumn >= FColumns->GetCount()) return;
    TGxCustomColumn* Column = FColumns->GetItem(FSelectedColumn);
    TGxCustomColumn* Next = Right ? Column->GetNextColumn() : Column->GetPrevColumn();
    SelectCell(Next->GetIndex(), GetSelectedRow(), {}, true);
    if (FGridStyle == gsReport) ScrollToColumn(Next);
}

void TGxCustomGridControl::MoveToNextCell(bool Wrap)
{
    if (FSelectedColumn < 0 || FSelectedColumn >= FColumns->GetCount()) return;
    const TColumnLocation Location = FColumns->GetItem(FSelectedColumn)->GetLocation();
    if (Location == clLeftSide || Location == clMiddle)
        MoveSelectionRight();
    else if (FInputSelected)
        SelectNextControl();
    else {
        MoveSelectionDown({}, Wrap);
        if (TGxCustomColumn* First = FColumns->GetFirst()) SetSelectedColumn(First->GetIndex());
    }
}

void TGxCustomGridControl::MoveToPrevCell()
{
    if (FSelectedColumn < 0 || FSelectedColumn >= FColumns->GetCount()) return;
    const TColumnLocation Location = FColumns->GetItem(FSelectedColumn)->GetLocation();
    if (Location == clMiddle || Location == clRightSide)
        MoveSelectionLeft();
    else if (!FInputSelected) {
        MoveSelectionUp({});
        if (TGxCustomColumn* Last = FColumns->GetLast()) SetSelectedColumn(Last->GetIndex());
    }
}

// ---- Many rows ----------------------------------------------------------------------------------------

void TGxCustomGridControl::GetSelectedRows(std::vector<int>& Rows)
{
    Rows.clear();
    const int Count = GetRowCount();
    for (int Row = 0; Row < Count; ++Row)
        if (GetSelected(Row)) Rows.push_back(Row);
}

int TGxCustomGridControl::GetSelectedCount()
{
    std::vector<int> Rows;
    GetSelectedRows(Rows);
    return int(Rows.size());
}

void TGxCustomGridControl::ClearSelection()
{
    std::vector<int> Rows;
    GetSelectedRows(Rows);
    for (int Row : Rows)
        SetSelected(Row, false);
}

void TGxCustomGridControl::NoSelection()
{
    BeginUpdate();
    const TScopeExit Ended([this] { EndUpdate(); });
    ClearSelection();
    FRange = {true, true, 0, -1};
    FGridState.Exclude(gtMultiSelect);
    SetSelectedCell(0, -1);
}

void TGxCustomGridControl::SelectAll()
{
    if (!FOptions.Contains(goMultiSelect) || !FOptions.Contains(goSelectFullRow)) return;
    BeginUpdate();
    const TScopeExit Ended([this] { EndUpdate(); });
    SelectRange(0, GetRowCount() - 1, true);
    FRange = {true, true, 0, GetRowCount() - 1};
    SetMultiSelected();
}

void TGxCustomGridControl::SetMultiSelected()
{
    FGridState.Include(gtMultiSelect);
}

// ---- The input row and the focus -------------------------------------------------------------------

void TGxCustomGridControl::SetInputSelected(bool Value)
{
    if (Value == FInputSelected) return;
    FInputSelected = Value;
    const int Row = GetSelectedRow();
    if (Value && Row >= 0 && Row < GetRowCount()) {
        SetSelected(Row, false);
        FRange.Valid = false;
    }
    if (!Value) ApplyAndEndEditing();
    RefreshArea(gaInput);
    RefreshArea(gaIndicator);
    RefreshSelectedCells();
}

void TGxCustomGridControl::DoEnter()
{
    TGxScrollControl::DoEnter();
    RefreshArea(gaIndicator);
}

} // namespace GxCustomGridControl
