// tests/grid/GridStorage.cpp
#include "GridStorage.h"
#include "platform/rtl/Codec.h"

#include <algorithm>

namespace GridStorage {

void TStorageGrid::AfterConstruction()
{
    TGxCustomGridControl::AfterConstruction();
    FStore.reset(New<GxCells::TCells>(this, GetColumns()));
    FStore->SetDefaultRowHeight(GetRowSize());
}

void TStorageGrid::BeforeDestruction()
{
    FStore.reset();
    TGxCustomGridControl::BeforeDestruction();
}

void TStorageGrid::ColumnsChange(TColumnsOperation Operation, int Value1, int Value2)
{
    TGxCustomGridControl::ColumnsChange(Operation, Value1, Value2);
    if (!FStore) return;
    FStore->ColumnsChange(Operation, Value1, Value2);
    // Without columns the store keeps no rows.
    if (GetRowCount() == 0) {
        FSelectedRows.clear();
        SetLastVisibleRowField(GetLastVisible(GetRowCount() - 1));
    }
}

// ---- Editing --------------------------------------------------------------------------------------

void TStorageGrid::OpenEdit(int ACol)
{
    FEditCol = ACol;
    SetGridState(GetGridState() + TGridState{gtEdit});
}

bool TStorageGrid::ApplyEditing()
{
    if (FEditCol >= 0) EditLog.push_back("apply " + GetColumns()->GetItem(FEditCol)->GetName());
    return TGxCustomGridControl::ApplyEditing();
}

void TStorageGrid::EndEditing()
{
    EditLog.push_back("end");
    TGxCustomGridControl::EndEditing();
}

// ---- Cells --------------------------------------------------------------------------------------------

void TStorageGrid::GetCellInfo(int ACol, int ARow, TCellInfo& Info)
{
    Info.AsString = GetCells(ACol, ARow);
}

WideString TStorageGrid::GetCells(int ACol, int ARow)
{
    return FStore->GetCell(ACol, ARow).GetAsString();
}

void TStorageGrid::SetCells(int ACol, int ARow, const WideString& Value)
{
    FStore->GetCell(ACol, ARow).SetAsString(Value);
}

WideString TStorageGrid::GetDrawText(int ACol, int ARow)
{
    TCellInfo Info;
    GetCellInfo(ACol, ARow, Info);
    return GetColumns()->GetItem(ACol)->GetDrawText(Info);
}

bool TStorageGrid::GetSelected(int ARow)
{
    ++Calls.Selection;
    return FStore->GetRow(ARow)->GetSelected();
}

void TStorageGrid::SetSelected(int ARow, bool Value)
{
    ++Calls.Selection;
    ForgetSelectionRange();
    FStore->GetRow(ARow)->SetSelected(Value);
    if (Value)
        FSelectedRows.insert(ARow);
    else
        FSelectedRows.erase(ARow);
}

void TStorageGrid::KeepSelectedRows()
{
    FSelectedRows.clear();
    for (int Row = 0; Row < GetRowCount(); ++Row)
        if (FStore->GetRow(Row)->GetSelected()) FSelectedRows.insert(Row);
    ForgetSelectionRange();
}

void TStorageGrid::SwapRows(int A, int B)
{
    FStore->SwapRows(A, B);
    KeepSelectedRows();
}

void TStorageGrid::SelectRange(int FromRow, int ToRow, bool Value)
{
    ForgetSelectionRange();
    for (int Row = FromRow; Row <= ToRow; ++Row)
        SetSelected(Row, Value);
}

// ---- Rows ------------------------------------------------------------------------------------------------

void TStorageGrid::RowsChanged()
{
    SetLastVisibleRowField(GetLastVisible(GetRowCount() - 1));
    if (!IsUpdating()) Invalidate();
    UpdateVertScrollBar();
}

void TStorageGrid::AddRow(int Count)
{
    if (Count < 1) return;
    CountRowOp();
    FStore->AddRow(Count);
    RowsChanged();
}

void TStorageGrid::InsertRow(int Index)
{
    CountRowOp();
    TGxCustomGridControl::InsertRow(Index);
    FStore->InsertRow(Index);
    KeepSelectedRows();
    RowsChanged();
}

void TStorageGrid::DeleteRow(int Index)
{
    CountRowOp();
    TGxCustomGridControl::DeleteRow(Index);
    FStore->DeleteRow(Index);
    KeepSelectedRows();
    if (GetFirstRowInView() >= GetRowCount()) SetFirstRowInView(std::max(GetRowCount() - 1, 0));
    RowsChanged();
}

void TStorageGrid::ClearRows()
{
    TGxCustomGridControl::ClearRows();
    FStore->ClearRows();
    FSelectedRows.clear();
    RowsChanged();
}

int TStorageGrid::GetRowHeight(int ARow)
{
    ++Calls.Heights;
    int Height = FStore->GetRow(ARow)->GetHeight();
    DoMeasuringRowHeight(ARow, Height);
    return Height;
}

void TStorageGrid::SetRowHeight(int ARow, int Value)
{
    FStore->GetRow(ARow)->SetHeight(Value);
    TGxCustomGridControl::SetRowHeight(ARow, Value);
    UpdateVertScrollBar();
}

bool TStorageGrid::GetRowVisible(int ARow)
{
    ++Calls.Visibility;
    return FStore->GetRow(ARow)->GetOnScreen();
}

void TStorageGrid::SetRowVisible(int ARow, bool Value)
{
    FStore->ShowRow(ARow, Value);
    TGxCustomGridControl::SetRowVisible(ARow, Value);
    RowsChanged();
}

void TStorageGrid::SetRowSize(int Value)
{
    TGxCustomGridControl::SetRowSize(Value);
    FStore->SetDefaultRowHeight(GetRowSize());
}

int TStorageGrid::GetOnScreenBefore(int ARow)
{
    ++Calls.Index;
    return FStore->GetOnScreenBefore(ARow);
}

int TStorageGrid::GetOnScreenRow(int K)
{
    ++Calls.Index;
    return FStore->GetOnScreenRow(K);
}

int TStorageGrid::GetNextOnScreen(int ARow)
{
    ++Calls.Index;
    return FStore->GetNextOnScreen(ARow);
}

int TStorageGrid::GetPriorOnScreen(int ARow)
{
    ++Calls.Index;
    return FStore->GetPriorOnScreen(ARow);
}

// ---- A storage that refuses a text -------------------------------------------------------------------

void TEditGrid::Refuse(const WideString& Value) const
{
    if (!Refused.empty() && Value == Refused) throw EConvertError("'" + WideToUtf8(Value) + "' is not a valid value");
}

void TEditGrid::CompleteEdit(int ACol, int ARow, const WideString& Value)
{
    Refuse(Value);
    TStorageGrid::CompleteEdit(ACol, ARow, Value);
}

void TEditGrid::SetCells(int ACol, int ARow, const WideString& Value)
{
    Refuse(Value);
    TStorageGrid::SetCells(ACol, ARow, Value);
}

void TEditGrid::KeyDown(Word& Key, TShiftState Shift)
{
    Keys.push_back("key " + std::to_string(Key));
    TStorageGrid::KeyDown(Key, Shift);
}

} // namespace GridStorage
