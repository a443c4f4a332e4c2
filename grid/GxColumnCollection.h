// grid/GxColumnCollection.h
// A grid's columns in item order (the index the cell store uses) and in
// display order (left to right on screen), laid out and sized there.
#pragma once
#include "grid/GxColumn.h"

namespace GxColumns {

// Belongs to its grid (its owner, which must be an IGridHost) and reports
// every change to it through three events. Every index and position is
// checked: a bad one raises EListError, except where Move ignores it.
class TGxColumns : public TComponent {
public:
    QM_CLASS(TGxColumns, TComponent)
    explicit TGxColumns(TComponent* AOwner);
    ~TGxColumns() override;
    // Frees every column, last item first, while the collection is whole.
    void BeforeDestruction() override;

    virtual TGxCustomColumn* GetItem(int Index) const;
    TGxCustomColumn* GetPositionItem(int Index) const;
    int GetCount() const { return int(FItems.size()); }
    bool GetEmpty() const { return FItems.empty(); }
    int GetVisibleCount() const;
    // The sum of the visible columns' widths.
    int GetClientWidth() const;
    // The first and last visible column on screen, null when none.
    TGxCustomColumn* GetFirst() const;
    TGxCustomColumn* GetLast() const;
    // The nearest enabled, visible column after (before) AColumn on screen;
    // AColumn itself when there is none.
    TGxCustomColumn* GetNextColumn(TGxCustomColumn* AColumn) const;
    TGxCustomColumn* GetPrevColumn(TGxCustomColumn* AColumn) const;
    int IndexOf(const TGxCustomColumn* AColumn) const;
    bool Exists(int Index) const { return Index >= 0 && Index < GetCount(); }
    // The first column in item order of that name, case ignored; null when none.
    TGxCustomColumn* GetColumn(const AnsiString& Name) const;
    // Base and the smallest number from 1 that no component of the grid's form is named.
    AnsiString UniqueName(const AnsiString& Base) const;
    int GetFixedCols() const { return FFixedCols; }
    void SetFixedCols(int Value);
    int GetFixedWidth() const { return FFixedWidth; }
    IGridHost* GetGrid() const { return FGrid; }

    // A new column of ColumnClass owned here, added last, in the grid's
    // colour, cursor and (with ParentFont) font, its header saying Caption.
    // When a step fails, the new column is freed and the exception passes on.
    TGxCustomColumn* Add(TGxCustomColumnClass ColumnClass, const WideString& Caption);
    virtual void AddColumn(TGxCustomColumn* AColumn);
    // A new column at Index in item order, shown last; freed again when a step fails.
    TGxCustomColumn* Insert(TGxCustomColumnClass ColumnClass, int Index);
    void InsertColumn(TGxCustomColumn* AColumn, int Index);
    // Moves a column in item order only; nothing unless both indexes exist.
    void Move(int FromIndex, int ToIndex);
    // Moves a column on screen.
    void ChangePosition(int FromPos, int ToPos);
    void Remove(TGxCustomColumn* AColumn);
    // Frees the column at Index.
    void Delete(int Index);
    void Clear();
    void HideAll();
    // False for a fixed column; else whether it has scrolled under the fixed ones.
    bool Clipped(const TGxCustomColumn* AColumn) const;
    void UpdateColumn(TGxCustomColumn* AColumn, TGridArea Area);
    // The grid is being read from its form.
    bool IsReadingState() const { return FGrid->IsLoading(); }

    // Lefts and visible indexes from the display order (and, with
    // UpdatePositions, each column's Position from its place there).
    void UpdateColumns(bool UpdatePositions);
    // Puts AColumn on screen before the first column of a greater Position.
    void UpdatePositionList(TGxCustomColumn* AColumn);
    // Shares the free width among the visible auto-size columns from
    // AColumn's position on (all with null), in proportion to their widths.
    void ResizeColumns(TGxCustomColumn* AColumn, bool Inclusive);

    TColumnChangeEvent OnColumnChange;
    // Before an operation changes the columns, as they still stand.
    TColumnsChangeEvent OnChanging;
    TColumnsChangeEvent OnChange;
    TColumnsChangeEvent OnRepaint;

protected:
    virtual void DoChanging(TColumnsOperation Operation, int Value1, int Value2);
    virtual void DoColumnChange(TGxCustomColumn* AColumn, TColumnChangeKind ChangeKind, int Param);
    virtual void DoChange(TColumnsOperation Operation, TColumnType ColumnType, int Value1, int Value2);
    virtual void DoRepaint(TColumnsOperation Operation, TColumnType ColumnType, int Value1, int Value2);

private:
    friend class TGxCustomColumn;
    // Raises EListError when the grid holds all the columns it can.
    void CheckCapacity() const;
    // Takes AColumn from any collection it is in and makes it this one's.
    void Adopt(TGxCustomColumn* AColumn);
    // Makes a column of ColumnClass owned here and hands it to Place; frees it when that fails.
    TGxCustomColumn* MakeColumn(TGxCustomColumnClass ColumnClass, const std::function<void(TGxCustomColumn*)>& Place);
    void UpdateFixedWidth();
    bool GridDestroying() const;
    int PositionOf(const TGxCustomColumn* AColumn) const;
    // Frees every column, last item first.
    void FreeColumns();

    IGridHost* FGrid;
    int FFixedCols = 0;
    int FFixedWidth = 0;
    std::vector<TGxCustomColumn*> FItems;
    std::vector<TGxCustomColumn*> FPositions;
};

} // namespace GxColumns
