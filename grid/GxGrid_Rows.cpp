// grid/GxGrid_Rows.cpp: the row operations, child rows, expanding and
// collapsing, heights and visibility, and tree navigation. The selected row
// and the anchor of a range follow their rows through every operation.
#include "grid/GxGrid.h"
#include "platform/win/WinScroll.h"
#include "platform/win/WinTimers.h"

#include <algorithm>

namespace GxGrid {

namespace {

constexpr int MaxRowHeight = 32767;

} // namespace

// ---- Bookkeeping ----------------------------------------------------------------------------------

void TGxGrid::RenewVisibleBounds()
{
    const int Count = GetRowCount();
    SetFirstVisibleRowField(Count ? GetFirstVisible(0) : 0);
    SetLastVisibleRowField(Count ? GetLastVisible(Count - 1) : 0);
}

void TGxGrid::RowsInserted(int From, int Count)
{
    const int Selected = GetSelectedRow();
    if (Selected >= From) SetSelectedCell(GetSelectedColumn(), Selected + Count);
}

void TGxGrid::RowsDeleted(int From, int Count)
{
    // A row after the deleted ones keeps its selection; the selected row
    // itself hands it to the row that takes its place.
    const int Selected = GetSelectedRow();
    if (Selected >= From + Count)
        SetSelectedCell(GetSelectedColumn(), Selected - Count);
    else if (Selected > From)
        SetSelectedCell(GetSelectedColumn(), From);
    const int Anchor = GetSelectionAnchorRow();
    if (Anchor >= From + Count)
        SetSelectionAnchorRow(Anchor - Count);
    else if (Anchor >= From)
        SetSelectionAnchorRow(-1);
    // The view's first row follows its row, or the row that takes its place.
    const int First = GetFirstRowInView();
    if (First >= From + Count)
        SetFirstRowInView(First - Count);
    else if (First > From)
        SetFirstRowInView(From);
    if (GetFirstRowInView() >= GetRowCount()) SetFirstRowInView(std::max(GetRowCount() - 1, 0));
    RenewVisibleBounds();
    if (GetRowCount() == 0)
        SetSelectedCell(GetSelectedColumn(), -1);
    else if (GetSelectedRow() >= GetLastVisibleRow())
        SetSelectedCell(GetSelectedColumn(), GetLastVisibleRow());
}

// ---- The vertical bar while rows arrive ------------------------------------------------------------

namespace {

constexpr Int64 BarIntervalMs = 100;

} // namespace

void TGxGrid::UpdateVertScrollBar()
{
    FBarStale = false;
    FLastBarMs = MonotonicMilliseconds();
    TGxCustomGrid::UpdateVertScrollBar();
}

void TGxGrid::DeferVertScrollBar()
{
    const Int64 Since = MonotonicMilliseconds() - FLastBarMs;
    if (!HandleAllocated() || Since >= BarIntervalMs) {
        UpdateVertScrollBar();
        return;
    }
    FBarStale = true;
    if (!FBarTimer) FBarTimer = SetTimer(GetHandle(), BarTimerId, UINT(BarIntervalMs - Since), nullptr) != 0;
}

void TGxGrid::FlushVertScrollBar()
{
    if (FBarStale) UpdateVertScrollBar();
}

void TGxGrid::WndProc(TMessage& Message)
{
    if (Message.Msg != WM_TIMER || Message.WParam != BarTimerId) {
        TGxCustomGrid::WndProc(Message);
        return;
    }
    KillTimer(GetHandle(), BarTimerId);
    FBarTimer = false;
    FlushVertScrollBar();
}

void TGxGrid::SelectCell(int ACol, int ARow, TShiftState Shift, bool Deselect)
{
    FlushVertScrollBar();
    TGxCustomGrid::SelectCell(ACol, ARow, Shift, Deselect);
}

// ---- Appending ------------------------------------------------------------------------------------

bool TGxGrid::BelowView(int ARow)
{
    // No row is lower than the lowest height a row was ever given, so a row
    // with enough rows on screen above it in view is out of sight: known in
    // O(log n) instead of a walk over the view. Every row between but the
    // hidden ones is on screen, so when that many fill the view already
    // nothing need be counted (asked as each cell of a new row is written).
    if (OnMeasuringRowHeight || GetGridStyle() != gsReport || ARow <= GetFirstRowInView()) return false;
    const std::int64_t Least = FMinRowHeight + GetGridSpace(lpTopBottom);
    const std::int64_t Body = BodyToClientRight().Height();
    const std::int64_t Hidden = GetRowCount() - GetVisibleRows();
    if ((ARow - GetFirstRowInView() - Hidden) * Least >= Body) return true;
    return GetRowsInRange(GetFirstRowInView(), ARow) * Least >= Body;
}

void TGxGrid::RefreshCell(int ACol, int ARow)
{
    if (!BelowView(ARow)) TGxCustomGrid::RefreshCell(ACol, ARow);
}

void TGxGrid::AddRow(int Count)
{
    if (Count < 1) return;
    const int Old = GetRowCount();
    const bool NoneOnScreen = GetVisibleRows() == 0;
    FCells->AddRow(Count);
    const int Rows = GetRowCount();
    if (GetOptions().Contains(goUseDefaultValues))
        for (int C = 0; C < GetColumns()->GetCount(); ++C) {
            const WideString& Default = GetColumns()->GetItem(C)->GetDefaultValue();
            if (!Default.empty())
                for (int R = Old; R < Rows; ++R)
                    SetCells(C, R, Default);
        }
    if (!BelowView(std::max(Old - 1, 0))) {
        if (GetGridLinesStyle() == lsFramed && GetOptions().Contains(goGrid) && Rows >= 2 && Old >= 1)
            RefreshRowGrid(Old - 1);
        RefreshRowGrid(Rows - 1);
        if (!IsUpdating()) RefreshVisibleRows(Rows - Count, Rows - 1);
    }
    if (NoneOnScreen) SetFirstVisibleRowField(Old);
    SetLastVisibleRowField(Rows - 1);
    // Rows arriving below the view change only the bar's range: it follows
    // them at a pace a person can see, not once per row.
    if (BelowView(std::max(Old - 1, 0)))
        DeferVertScrollBar();
    else
        UpdateVertScrollBar();
}

void TGxGrid::ReserveRows(int Count)
{
    if (Count < 1) return;
    const bool NoneOnScreen = GetVisibleRows() == 0;
    const int Old = GetRowCount();
    FCells->AddRow(Count);
    if (NoneOnScreen) SetFirstVisibleRowField(Old);
    SetLastVisibleRowField(GetRowCount() - 1);
    Invalidate();
    RefreshCellEditor();
    UpdateVertScrollBar();
}

void TGxGrid::AddCells(const std::vector<WideString>& Values)
{
    AddRow(1);
    const int Cols = GetColumns()->GetCount();
    if (Cols == 0) return;
    std::size_t I = 0;
    while (true) {
        const int R = GetRowCount() - 1;
        for (int C = 0; C < Cols && I < Values.size(); ++C)
            SetCells(C, R, Values[I++]);
        if (I >= Values.size()) break;
        AddRow(1);
    }
}

void TGxGrid::AddCells(const std::vector<WideString>& Values, int ARow)
{
    // Checked before anything is written, so that a call that cannot be
    // served changes nothing.
    if (ARow < 0) throw Exception("Cell out of bounds (0, " + IntToStr(ARow) + ")");
    if (int(Values.size()) > GetColumns()->GetCount())
        throw Exception("Cell out of bounds (" + IntToStr(GetColumns()->GetCount()) + ", " + IntToStr(ARow) + ")");
    if (Values.empty()) return;
    if (GetRowCount() <= ARow) SetRowCount(ARow + 1);
    for (std::size_t I = 0; I < Values.size(); ++I)
        GetCell(int(I), ARow).SetAsString(Values[I]);
}

// ---- Inserting ------------------------------------------------------------------------------------

void TGxGrid::InsertRow(int Index)
{
    if (Index < 0 || Index > GetRowCount()) FCells->InsertRow(Index); // raises, changing nothing
    TGxCustomGrid::InsertRow(Index);
    FCells->InsertRow(Index);
    ShowRow(Index, GetGridStyle() == gsSlides ? GetSlideSize() : GetRowSize(), true);
    RowsInserted(Index, 1);
    RenewVisibleBounds();
    UpdateVertScrollBar();
}

void TGxGrid::AddChildRow(int ARow, TChildRowPosition Position)
{
    const int Index = ARow + 1 + (Position == crLast ? FCells->GetChildCount(ARow) : 0);
    ApplyAndEndEditing();
    ForgetSelectionRange();
    FCells->AddChildRow(ARow, Index);
    // A collapsed ancestor hides the parent: it hides the new row too.
    if (!Row(ARow)->GetShown()) FCells->ExpandRow(Index, false);
    RowsInserted(Index, 1);
    if (GetSelectionAnchorRow() >= Index) SetSelectionAnchorRow(GetSelectionAnchorRow() + 1);
    if (GetFirstRowInView() >= Index) SetFirstRowInView(GetFirstRowInView() + 1);
    RenewVisibleBounds();
    if (GetRowVisible(Index)) ShowRow(Index, GetRowSize(), true);
    if (Row(ARow)->GetChildCount() == 1) RefreshRow(ARow, false);
    UpdateVertScrollBar();
}

// ---- Deleting -------------------------------------------------------------------------------------

void TGxGrid::GetRowsHeight(int ARow, int& Count, int& Height)
{
    const int Space = GetGridSpace(lpTopBottom);
    Count = FCells->GetChildCount(ARow);
    Height = GetRowHeight(ARow) + Space;
    for (int K = ARow + 1; K <= ARow + Count; ++K)
        if (GetRowVisible(K)) Height += GetRowHeight(K) + Space;
}

void TGxGrid::DeleteRow(int ARow)
{
    TRow* Gone = Row(ARow); // raises for a row that does not exist
    // The anchor follows the whole range below, not the base's one row.
    const int Anchor = GetSelectionAnchorRow();
    TGxCustomGrid::DeleteRow(ARow);
    SetSelectionAnchorRow(Anchor);
    int Descendants = 0, Height = 0;
    GetRowsHeight(ARow, Descendants, Height);
    const int Count = Descendants + 1;
    const int OnScreen = GetRowsInRange(ARow, ARow + Count);
    if (GetGridStyle() != gsReport) Height = (GetSlideSize() + GetGridSpace(lpTopBottom)) * OnScreen;
    const bool Before = ARow < GetFirstRowInView();
    if (TRow* Parent = Gone->GetParent()) Parent->DeleteChild();
    ForgetSelectedRows(ARow, Count);
    FCells->DeleteRows(ARow, Count);
    RowsDeleted(ARow, Count);
    if (OnScreen > 0) ShowRow(ARow, Height - GetGridSpace(lpTopBottom), false, Before ? OnScreen : 1);
    RefreshSelectedCells();
    UpdateVertScrollBar();
}

void TGxGrid::ClearChildRows(int ARow)
{
    const int Count = FCells->GetChildCount(ARow);
    if (Count > 0) {
        ApplyAndEndEditing();
        ForgetSelectionRange();
        ForgetSelectedRows(ARow + 1, Count);
        FCells->DeleteRows(ARow + 1, Count);
        // A selected descendant hands its selection to the row it hung from.
        const int Selected = GetSelectedRow();
        if (Selected > ARow && Selected <= ARow + Count) SetSelectedCell(GetSelectedColumn(), ARow);
        RowsDeleted(ARow + 1, Count);
    }
    Row(ARow)->Clear();
    Invalidate();
    UpdateVertScrollBar();
}

void TGxGrid::DeleteChildRow(int ARow, int Index)
{
    const int Child = FCells->GetAbsoluteIndex(Index, ARow);
    if (Child < 0) return;
    const bool Last = FCells->GetChildCount(ARow) == 1;
    DeleteRow(Child);
    if (Last) RefreshRow(ARow, false);
}

void TGxGrid::ClearRows()
{
    TGxCustomGrid::ClearRows();
    FCells->ClearRows();
    FSelectedRows.clear();
    SetFirstRowInView(0);
    SetFirstVisibleRowField(0);
    SetLastVisibleRowField(0);
    RefreshArea(gaBody);
    RefreshArea(gaIndicator);
    UpdateHorzScrollBar();
    UpdateVertScrollBar();
}

void TGxGrid::ClearRow(int ARow)
{
    if (ARow < 0 || ARow >= GetRowCount()) return;
    for (int C = 0; C < GetColumns()->GetCount(); ++C)
        GetCell(C, ARow).Clear();
}

// ---- Moving ---------------------------------------------------------------------------------------

bool TGxGrid::CanPlace(int FromIndex, int ToIndex)
{
    if (FromIndex == ToIndex) return true;
    const TRow* Moved = Row(FromIndex);
    if (FCells->GetChildCount(FromIndex) > 0) return false;
    // Positions once the row is out: the place it lands between.
    const auto Before = [&](int K) { return K < FromIndex ? K : K + 1; };
    const int Rest = GetRowCount() - 1;
    const int Level = Moved->GetLevel();
    if (ToIndex < Rest && Row(Before(ToIndex))->GetLevel() > Level) return false;
    if (Level == 0) return true;
    if (ToIndex == 0) return false;
    const TRow* Above = Row(Before(ToIndex - 1));
    while (Above && Above->GetLevel() > Level - 1)
        Above = Above->GetParent();
    return Above == Moved->GetParent();
}

bool TGxGrid::CanSwap(int A, int B)
{
    if (A == B) return true;
    const TRow* RowA = Row(A);
    const TRow* RowB = Row(B);
    return RowA->GetParent() == RowB->GetParent() && RowA->GetLevel() == RowB->GetLevel() &&
           FCells->GetChildCount(A) == 0 && FCells->GetChildCount(B) == 0;
}

void TGxGrid::DoRowMove(int FromPos, int ToPos, bool& Accept)
{
    const int Count = GetRowCount();
    if (FromPos >= 0 && FromPos < Count && ToPos >= 0 && ToPos < Count && !CanPlace(FromPos, ToPos)) {
        Accept = false;
        return;
    }
    TGxCustomGrid::DoRowMove(FromPos, ToPos, Accept);
}

namespace {

[[noreturn]] void WouldPartTree()
{
    throw EInvalidOperation("A row cannot be moved apart from its child rows");
}

// Where the row at Row is after the row at From moved to To.
int Moved(int Row, int From, int To)
{
    if (Row == From) return To;
    if (From < To && Row > From && Row <= To) return Row - 1;
    if (To < From && Row >= To && Row < From) return Row + 1;
    return Row;
}

} // namespace

void TGxGrid::MoveRow(int FromIndex, int ToIndex)
{
    Row(FromIndex);
    Row(ToIndex);
    if (FromIndex == ToIndex) return;
    if (!CanPlace(FromIndex, ToIndex)) WouldPartTree();
    TGxCustomGrid::MoveRow(FromIndex, ToIndex);
    const bool MovedOnScreen = GetRowVisible(FromIndex);
    const bool TargetOnScreen = GetRowVisible(ToIndex);
    FCells->MoveRow(FromIndex, ToIndex);
    if (GetSelectedRow() >= 0) SetSelectedCell(GetSelectedColumn(), Moved(GetSelectedRow(), FromIndex, ToIndex));
    if (GetSelectionAnchorRow() >= 0) SetSelectionAnchorRow(Moved(GetSelectionAnchorRow(), FromIndex, ToIndex));
    RenewVisibleBounds();
    if (MovedOnScreen && !TargetOnScreen) ShowRow(ToIndex, GetRowHeight(ToIndex), true);
}

void TGxGrid::SwapRows(int A, int B)
{
    Row(A);
    Row(B);
    if (!CanSwap(A, B)) WouldPartTree();
    FCells->SwapRows(A, B);
    ForgetSelectionRange();
    const auto Swapped = [&](int R) { return R == A ? B : R == B ? A : R; };
    if (GetSelectedRow() >= 0) SetSelectedCell(GetSelectedColumn(), Swapped(GetSelectedRow()));
    if (GetSelectionAnchorRow() >= 0) SetSelectionAnchorRow(Swapped(GetSelectionAnchorRow()));
    RenewVisibleBounds();
    if (!IsUpdating()) {
        RefreshRow(A, false);
        RefreshRow(B, false);
    }
}

// ---- Heights and visibility --------------------------------------------------------------------------

void TGxGrid::SetRowSize(int Value)
{
    TGxCustomGrid::SetRowSize(Value);
    FCells->SetDefaultRowHeight(GetRowSize());
    FMinRowHeight = std::min(FMinRowHeight, GetRowSize());
}

void TGxGrid::SetRowHeight(int ARow, int Value)
{
    Value = std::clamp(Value, 1, MaxRowHeight);
    const int Old = GetRowHeight(ARow);
    if (Old == Value) return;
    Row(ARow)->SetHeight(Value);
    FMinRowHeight = std::min(FMinRowHeight, Value);
    TGxCustomGrid::SetRowHeight(ARow, Value);
    RefreshRow(ARow, false);
    // The rows below move by the difference.
    if (GetGridStyle() == gsReport && GetRowVisible(ARow) && ARow >= GetFirstRowInView() && HandleAllocated()) {
        TRect R = GetBodyRect();
        R.Left = 0;
        R.Top = GetRowTop(ARow) + std::min(Old, Value) + GetGridSpace(lpBottom);
        if (R.Top < R.Bottom) ScrollWindowEx(GetHandle(), 0, Value - Old, &R, &R, nullptr, nullptr, SW_INVALIDATE);
    }
    UpdateVertScrollBar();
}

void TGxGrid::SetRowVisible(int ARow, bool Value)
{
    const bool Before = GetRowVisible(ARow);
    FCells->ShowRow(ARow, Value);
    if (GetRowVisible(ARow) == Before) return;
    ShowRow(ARow, GetGridStyle() == gsSlides ? GetSlideSize() : GetRowHeight(ARow), Value);
    TGxCustomGrid::SetRowVisible(ARow, Value);
    RenewVisibleBounds();
}

void TGxGrid::SetExpanded(int ARow, bool Value)
{
    TRow* R = Row(ARow);
    if (R->GetChildCount() == 0 || R->GetExpanded() == Value) return;
    ExpandRows(ARow, Value);
    R->SetExpanded(Value);
    RenewVisibleBounds();
    UpdateVertScrollBar();
    RefreshRow(ARow, false);
    DoExpand(ARow);
}

void TGxGrid::ExpandRows(int ARow, bool Expand)
{
    const int Level = GetRowLevel(ARow);
    const int Count = GetRowCount();
    bool Changed = false;
    for (int K = ARow + 1; K < Count && GetRowLevel(K) > Level;) {
        const TRow* R = Row(K);
        const bool Was = R->GetOnScreen();
        if (!Expand) {
            if (R->GetShown()) FCells->ExpandRow(K, false);
            ++K;
        } else {
            // Shown takes the row's own Visible, so a row hidden before stays hidden.
            FCells->ExpandRow(K, R->GetVisible());
            K += R->GetExpanded() ? 1 : 1 + FCells->GetChildCount(K);
        }
        Changed = Changed || Was != R->GetOnScreen();
    }
    if (!Changed) return;
    // The view's first row may have gone out of sight with its parent's rows.
    if (GetFirstRowInView() < Count && !GetRowVisible(GetFirstRowInView())) {
        const int Shown = GetNextOnScreen(GetFirstRowInView());
        SetFirstRowInView(Shown >= 0 ? Shown : GetLastVisible(Count - 1));
    }
    RefreshArea(gaBody);
    RefreshArea(gaIndicator);
}

// ---- Tree navigation --------------------------------------------------------------------------------

int TGxGrid::GetFirstChild(int ARow)
{
    return ARow + 1 < GetRowCount() && GetRowLevel(ARow + 1) > GetRowLevel(ARow) ? ARow + 1 : -1;
}

int TGxGrid::GetLastChild(int ARow)
{
    const int Count = FCells->GetChildCount(ARow);
    return Count > 0 ? ARow + Count : -1;
}

int TGxGrid::GetNextSibling(int ARow)
{
    const int Level = GetRowLevel(ARow);
    for (int K = ARow + 1; K < GetRowCount(); ++K) {
        const int L = GetRowLevel(K);
        if (L == Level) return K;
        if (L < Level) return -1;
    }
    return -1;
}

int TGxGrid::GetPrevSibling(int ARow)
{
    const int Level = GetRowLevel(ARow);
    for (int K = ARow - 1; K >= 0; --K) {
        const int L = GetRowLevel(K);
        if (L == Level) return K;
        if (L < Level) return -1;
    }
    return -1;
}

int TGxGrid::GetParent(int ARow)
{
    const TRow* R = Row(ARow);
    if (R->GetLevel() == 0 || !R->GetParent()) return -1;
    return FCells->GetRowIndex(R->GetParent());
}

} // namespace GxGrid
