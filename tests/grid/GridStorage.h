// tests/grid/GridStorage.h
// A grid control over the cell store, kept as a storage subclass keeps it,
// that counts the questions the control asks about rows: heights,
// visibility and the index of the rows on screen. It notes whether each row
// operation came inside an update, and logs the edit steps it is asked for.
#pragma once
#include "grid/GxCells.h"
#include "grid/GxCustomGridControl.h"

#include <cstdint>
#include <set>
#include <string>
#include <vector>

namespace GridStorage {

using namespace GxCustomGridControl;

class TStorageGrid : public TGxCustomGridControl {
public:
    QM_CLASS(TStorageGrid, TGxCustomGridControl)
    using TGxCustomGridControl::TGxCustomGridControl;
    void AfterConstruction() override;
    void BeforeDestruction() override;

    GxCells::TCells* GetStore() const { return FStore.get(); }
    // The questions about rows since the last reset.
    struct TCalls {
        std::int64_t Heights = 0;
        std::int64_t Visibility = 0;
        std::int64_t Index = 0;
        // Selected flags read or written, apart from the rest.
        std::int64_t Selection = 0;
        std::int64_t All() const { return Heights + Visibility + Index; }
    } Calls;
    void ResetCalls() { Calls = {}; }
    // Row operations made inside an update and outside one.
    int RowOpsUpdating = 0;
    int RowOpsAlone = 0;

    // An edit opened on column ACol of the selected row; the log gets
    // "apply <name of the column>" and "end".
    void OpenEdit(int ACol);
    std::vector<std::string> EditLog;
    bool ApplyEditing() override;
    void EndEditing() override;

    void GetCellInfo(int ACol, int ARow, TCellInfo& Info) override;
    WideString GetCells(int ACol, int ARow) override;
    void SetCells(int ACol, int ARow, const WideString& Value) override;
    WideString GetDrawText(int ACol, int ARow) override;
    int GetRowCount() override { return FStore->GetRowCount(); }
    int GetVisibleRows() override { return FStore->GetVisibleRowCount(); }
    int GetFirstVisibleRow() override { return GetFirstVisibleRowField(); }
    int GetLastVisibleRow() override { return GetLastVisibleRowField(); }
    bool GetSelected(int ARow) override;
    void SetSelected(int ARow, bool Value) override;
    void SelectRange(int FromRow, int ToRow, bool Value) override;
    // Answered from the selected rows it keeps.
    int GetSelectedCount() override { return int(FSelectedRows.size()); }
    void GetSelectedRows(std::vector<int>& Rows) override { Rows.assign(FSelectedRows.begin(), FSelectedRows.end()); }
    void SwapRows(int A, int B) override;
    void AddRow(int Count) override;
    void CalculateFooter(bool) override {}
    int GetRowHeight(int ARow) override;
    void SetRowHeight(int ARow, int Value) override;
    bool GetRowVisible(int ARow) override;
    void SetRowVisible(int ARow, bool Value) override;
    int GetOnScreenBefore(int ARow) override;
    int GetOnScreenRow(int K) override;
    int GetNextOnScreen(int ARow) override;
    int GetPriorOnScreen(int ARow) override;
    void SetRowSize(int Value) override;
    void ClearRows() override;
    void InsertRow(int Index) override;
    void DeleteRow(int Index) override;

    using TGxCustomGridControl::GetCellState;
    using TGxCustomGridControl::GetVertOffset;

protected:
    void ColumnsChange(TColumnsOperation Operation, int Value1, int Value2) override;

private:
    void CountRowOp() { ++(IsUpdating() ? RowOpsUpdating : RowOpsAlone); }
    void RowsChanged();
    // Rows moved: the selected rows as the store now has them.
    void KeepSelectedRows();

    TOwned<GxCells::TCells> FStore;
    int FEditCol = -1;
    std::set<int> FSelectedRows;
};

// A storage grid whose cells refuse one text: CompleteEdit and SetCells
// raise for it. Cells may be locked against editing, and the keys that
// reach the grid's own key handling are logged.
class TEditGrid : public TStorageGrid {
public:
    QM_CLASS(TEditGrid, TStorageGrid)
    using TStorageGrid::TStorageGrid;
    // Nothing is refused while empty.
    WideString Refused;
    std::set<std::pair<int, int>> Locked;
    std::vector<std::string> Keys;

    void CompleteEdit(int ACol, int ARow, const WideString& Value) override;
    void SetCells(int ACol, int ARow, const WideString& Value) override;
    bool CanEdit(int ACol, int ARow) override { return Locked.count({ACol, ARow}) == 0; }

protected:
    void KeyDown(Word& Key, TShiftState Shift) override;

private:
    void Refuse(const WideString& Value) const;
};

} // namespace GridStorage
