// grid/GxCells.h
// The grid's value store: its rows (TRow, GxRow.h), the cells of every
// column kept as values in that column's arrays, the cell handle (TCell,
// GxCell.h), an index of the rows on screen, and the sort of the rows.
#pragma once
#include "grid/GxCell.h"
#include "grid/GxCellColumn.h"
#include "grid/GxOnScreenIndex.h"
#include "grid/GxRow.h"

#include <memory>
#include <vector>

namespace GxCells {

using TCellChangeEvent = std::function<void(TObject* Sender, int ACol, int ARow)>;
using TCompareEvent = std::function<void(TObject* Sender, const TCell& Cell1, const TCell& Cell2, int& Compare)>;

// Rows and columns are 0-based: a column index is the column's item index in
// the grid's collection. Every index is checked; a bad one raises EListError
// "List index out of bounds (<n>)".
class TCells : public TObject {
public:
    QM_CLASS(TCells, TObject)
    TCells(IGridHost* AOwner, TGxColumns* AColumns);
    ~TCells() override;

    // Sets CurrentColumn and CurrentRow as well.
    TCell GetCell(int ACol, int ARow);
    // The first row of From..To (those that exist) whose cell in column ACol
    // Match takes by its text, rows off screen skipped unless OffScreen; -1
    // when none. Text cells are read where their text lies, others by their
    // AsString.
    int FindRow(int ACol, int From, int To, bool OffScreen, const std::function<bool(std::u16string_view Text)>& Match);
    TRow* GetRow(int ARow) const;
    // The text of a cell that keeps one, where it lies, as GetAsString gives
    // it; false for a cell whose text is made (a value, or a virtual cell's
    // text asked of the program). Sets CurrentColumn and CurrentRow.
    bool GetStoredText(int ACol, int ARow, std::u16string_view& Text);
    // Reads into Row the text of every cell of ARow as GetAsString gives it,
    // columns by index; a text cell's text as it lies in its column, without
    // a copy. CurrentColumn and CurrentRow end as reading each cell leaves them.
    void ReadRowTexts(int ARow, TRowTexts& Row);
    // Every row's texts of the columns Cols (by index) for readers on other
    // threads, when every one of those cells keeps its text; null otherwise.
    // Ranges hold about RangeSize units, a row counting RowExtra beside its
    // texts. CurrentColumn and CurrentRow end as reading every row leaves them.
    std::unique_ptr<TStoredRows> StoredRows(const std::vector<int>& Cols, std::size_t RangeSize, std::size_t RowExtra);
    // -1 when the row is not (or no longer) one of this store's rows.
    int GetRowIndex(const TRow* ARow) const;
    // -1 when the cell's row or column has gone.
    int GetCellRowIndex(const TCell& ACell) const;
    // All descendants: the rows after ARow deeper than it.
    int GetChildCount(int ARow) const;
    // The direct children right after ARow, up to the first row of any other level.
    int GetChildsCount(int ARow) const;
    // ARow's AIndex-th direct child, -1 when it has none.
    int GetAbsoluteIndex(int AIndex, int ARow) const;

    void AddRow(int Count);
    void InsertRow(int Index);
    void AddChildRow(int AParent, int AIndex);
    void DeleteRow(int Index);
    // Rows Index to Index + Count - 1, with one renumbering of the rows after them.
    void DeleteRows(int Index, int Count);
    void MoveRow(int FromIndex, int ToIndex);
    void SwapRows(int A, int B);
    void ShowRow(int Index, bool Value);   // the row's Visible
    void ExpandRow(int Index, bool Value); // the row's Shown
    void ClearRows();

    void AddColumn();
    void InsertColumn(int Index);
    void DeleteColumn(int Index);
    void MoveColumn(int FromIndex, int ToIndex);
    void ClearColumns();
    void ColumnsChange(TColumnsOperation Operation, int Value1, int Value2);

    // Orders the rows by column ACol (GxCells_Sort.cpp): a stable sort of
    // siblings, each row moving with its descendants. A request for the
    // column just sorted, in the other direction and without FullResort,
    // reverses the order instead. Every key is taken before a row moves, so a
    // conversion error raises with the rows and the sort state unchanged.
    void SortColumn(int ACol, TSortType SortType, TSortKind SortKind, bool FullResort);
    // Cell1 against Cell2 as SortType orders them: below, equal or above 0.
    int CompareCells(TSortType SortType, const TCell& Cell1, const TCell& Cell2);

    int GetColumnCount() const { return int(FColumns.size()); }
    int GetRowCount() const { return int(FRows.size()); }
    // The rows on screen: Visible and Shown both true.
    int GetVisibleRowCount() const { return FOnScreen.GetCount(); }
    // The index of the rows on screen, each answer in O(log n).
    // How many rows before ARow (0 to RowCount) are on screen.
    int GetOnScreenBefore(int ARow) const { return FOnScreen.CountBefore(ARow); }
    // The K-th row on screen (from 0), -1 when there are not that many.
    int GetOnScreenRow(int K) const { return FOnScreen.Select(K); }
    // The first row on screen after (before) ARow, -1 when none; -1 (RowCount)
    // asks for the first (last) row on screen.
    int GetNextOnScreen(int ARow) const { return FOnScreen.Next(ARow); }
    int GetPriorOnScreen(int ARow) const { return FOnScreen.Prior(ARow); }

    int GetCurrentColumn() const { return FCurrentColumn; }
    int GetCurrentRow() const { return FCurrentRow; }
    int GetDefaultRowHeight() const { return FDefaultRowHeight; }
    void SetDefaultRowHeight(int Value) { FDefaultRowHeight = Value; }
    bool GetSorted() const { return FSorted; }
    int GetSortedColumn() const { return FSortedColumn; }
    TSortKind GetSortKind() const { return FSortKind; }
    TGxColumns* GetColumns() const { return FColumnItems; }
    IGridHost* GetOwner() const { return FOwner; }

    TCellChangeEvent OnCellChange;
    TCompareEvent OnCompare;

protected:
    // A cell's value, colour, style, hint or state changed: clears Sorted,
    // then fires OnCellChange with that cell's column and row.
    virtual void Changed(int ACol, int ARow);
    virtual void DoCellCompare(const TCell& Cell1, const TCell& Cell2, int& Compare);

private:
    friend class TCell;
    friend class TCellBehaviour;

    enum class TMaker { Append, Insert, InsertColumn, Child };

    TRow& RowAt(int ARow) const { return FPool.At(FRows[std::size_t(ARow)]); }
    int IndexOfSlot(std::uint32_t Slot) const { return FPool.At(Slot).FIndex; }
    void CheckRow(int ARow) const;
    void CheckColumn(int ACol) const;
    TCellColumn& ColumnAt(int ACol) const { return *FColumns[std::size_t(ACol)]; }
    // The column and row slot of a cell; raises when either has gone.
    TCellColumn& Resolve(const TCell& Cell, std::uint32_t& Slot) const
    {
        if (!FPool.Find(Cell.FRowSlot, Cell.FRowSerial)) throw EListError("Cell's row no longer exists");
        const int C = ColumnIndexOf(Cell);
        if (C < 0) throw EListError("Cell's column no longer exists");
        Slot = Cell.FRowSlot;
        return ColumnAt(C);
    }
    TCell CellAt(int ACol, std::uint32_t Slot) const
    {
        return TCell(const_cast<TCells*>(this), ACol, ColumnAt(ACol).Serial, Slot, FPool.At(Slot).FSerial);
    }
    int ColumnIndexOf(const TCell& Cell) const
    {
        const int Hint = Cell.FColumnHint;
        if (Hint >= 0 && Hint < GetColumnCount() && FColumns[std::size_t(Hint)]->Serial == Cell.FColumnSerial)
            return Hint;
        return FindColumn(Cell);
    }
    // The column of a cell whose column moved since it last looked; -1 when gone.
    int FindColumn(const TCell& Cell) const;

    std::uint32_t NewRow(int Height, TRow* Parent);
    void MakeCells(std::uint32_t Slot, TMaker Maker);
    void MakeCell(int ACol, const TGxCustomColumn* Item, std::uint32_t Slot, TMaker Maker);
    void PlaceRow(int Index, std::uint32_t Slot);
    void Renumber(int From, int To);
    void FreeAllRows();
    void NewColumnAt(int Index);

    // GxCells_Sort.cpp
    // The new order of the rows (their old positions) by column ACol.
    std::vector<std::uint32_t> SortOrder(int ACol, TSortType SortType, TSortKind SortKind);
    // Every row's level; none for a flat store.
    std::vector<int> TreeLevels() const;
    void ReverseRows();
    void ApplyOrder(const std::vector<std::uint32_t>& Order);
    void RowsReordered();

    IGridHost* FOwner;
    TGxColumns* FColumnItems;
    std::vector<std::unique_ptr<TCellColumn>> FColumns;
    std::uint32_t FNextColumnSerial = 1;
    TRowPool FPool;
    std::vector<std::uint32_t> FRows; // row slots in row order
    TOnScreenIndex FOnScreen;
    int FTreeRows = 0; // rows below the top level
    // Grows with every change of rows or columns and every new order of the
    // rows, so that a sort notices a compare handler that changed them under it.
    std::uint64_t FShape = 0;
    int FCurrentColumn = 0;
    int FCurrentRow = 0;
    int FDefaultRowHeight = 16;
    bool FSorted = false;
    int FSortedColumn = 0;
    TSortKind FSortKind = skAscending;
};

} // namespace GxCells
