// tests/grid/PaintGrid.h
// The storage grid painting as a storage subclass does (each cell's text
// handed to its display), noting the rows asked about and the cells drawn.
#pragma once
#include "GridStorage.h"

#include <algorithm>
#include <climits>
#include <set>
#include <utility>

namespace GridStorage {

class TPaintGrid : public TStorageGrid {
public:
    QM_CLASS(TPaintGrid, TStorageGrid)
    using TStorageGrid::TStorageGrid;

    // The lowest and highest row asked about, and the cells drawn.
    int LowRow = INT_MAX, HighRow = INT_MIN;
    std::set<std::pair<int, int>> Drawn;
    void ResetTouched()
    {
        ResetCalls();
        LowRow = INT_MAX;
        HighRow = INT_MIN;
        Drawn.clear();
    }
    void EditCellAt(int ACol, int ARow)
    {
        SetEditingCellField(TPoint(ACol, ARow));
        SetGridState(GetGridState() + TGridState{gtEdit});
    }

    int GetRowHeight(int ARow) override { return TStorageGrid::GetRowHeight(Touch(ARow)); }
    bool GetSelected(int ARow) override { return TStorageGrid::GetSelected(Touch(ARow)); }

protected:
    bool DrawCellData(int ACol, int ARow, TCellState CellState) override
    {
        TStorageGrid::DrawCellData(ACol, ARow, CellState);
        Drawn.insert({ACol, Touch(ARow)});
        return true;
    }
    void SetDisplayParams(int ACol, int ARow, TColumnDisplay* Display) override
    {
        Display->SetAsString(GetCells(ACol, Touch(ARow)));
    }

private:
    int Touch(int ARow)
    {
        LowRow = std::min(LowRow, ARow);
        HighRow = std::max(HighRow, ARow);
        return ARow;
    }
};

} // namespace GridStorage
