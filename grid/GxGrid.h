// grid/GxGrid.h
// The data grid that forms place: the cell store behind the grid's row and
// cell operations, the row operations applications use (append, insert,
// delete, move, swap, child rows with expand and collapse, heights and
// visibility), footer formulas and the column sort.
#pragma once
#include "grid/GxCells.h"
#include "grid/GxCustomGrid.h"
#include "platform/rtl/Variant.h"

#include <cstdint>
#include <unordered_set>
#include <vector>

namespace GxGrid {

using namespace GxCells;
using namespace GxCustomGrid;

enum TChildRowPosition { crFirst, crLast };

using TCellFormatingEvent = std::function<void(TObject* Sender, int ACol, int ARow, TColor& TextColor,
                                               TFontStyles& FontStyle, TCellState CellState)>;
using TGxRowExpandEvent = std::function<void(TObject* Sender, int ARow)>;

// Rows are positions in the store; columns are item indexes of Columns.
class TGxGrid : public TGxCustomGrid {
public:
    QM_CLASS(TGxGrid, TGxCustomGrid)
    explicit TGxGrid(TComponent* AOwner);
    ~TGxGrid() override;
    // Makes the store over the columns the base made.
    void AfterConstruction() override;
    void BeforeDestruction() override;

    TCells* GetStore() const { return FCells.get(); }

    // ---- Reading
    // No bounds check of its own: the store raises EListError.
    virtual TCell GetCell(int ACol, int ARow);
    int GetRowCount() override;
    int GetVisibleRows() override;
    // Outside the grid both raise "Cell out of bounds (c, r)".
    WideString GetCells(int ACol, int ARow) override;
    void SetCells(int ACol, int ARow, const WideString& Value) override;
    TCell GetCellByName(const Variant& ACol, const Variant& ARow);
    bool IsCellEmpty(int ACol, int ARow) override;
    WideString GetCellHint(int ACol, int ARow) override;
    TColor GetCellColor(int ACol, int ARow) override;
    int GetRowHeight(int ARow) override;
    bool GetRowVisible(int ARow) override;
    int GetRowLevel(int ARow) override;
    int GetLevel(int ARow) { return GetRowLevel(ARow); }
    bool GetSelected(int ARow) override;
    bool GetExpanded(int ARow);
    bool HasChildren(int ARow);
    int GetFirstVisibleRow() override { return GetFirstVisibleRowField(); }
    int GetLastVisibleRow() override { return GetLastVisibleRowField(); }
    // The row the vertical bar's position names among the rows on screen.
    int GetFirstRow();
    int GetCellRowIndex(const TCell& ACell);
    // All: every descendant; else the direct children right after the row.
    int GetChildCount(int ARow, bool All);
    WideString GetDrawText(int ACol, int ARow) override;
    void ReadRowTexts(int ARow, TRowTexts& Row) override { FCells->ReadRowTexts(ARow, Row); }
    void ReadDrawTexts(int ARow, const std::vector<int>& Cols, TRowTexts& Row) override;
    std::unique_ptr<TStoredRows> StoredRows(const std::vector<int>& Cols, bool Drawn, std::size_t RangeSize,
                                            std::size_t RowExtra) override;
    void GetCellInfo(int ACol, int ARow, TCellInfo& Info) override;
    int GetOnScreenBefore(int ARow) override;
    int GetOnScreenRow(int K) override;
    int GetNextOnScreen(int ARow) override;
    int GetPriorOnScreen(int ARow) override;
    // Answered from the selected rows the grid keeps, without a scan.
    int GetSelectedCount() override { return int(FSelectedRows.size()); }
    void GetSelectedRows(std::vector<int>& Rows) override;

    // ---- Tree navigation; -1 when there is no such row
    int GetFirstChild(int ARow);
    // The last row of the run of deeper rows right after ARow.
    int GetLastChild(int ARow);
    int GetNextSibling(int ARow);
    int GetPrevSibling(int ARow);
    int GetParent(int ARow);
    using TGxCustomGrid::GetParent; // the control's parent window

    // ---- Row operations
    void AddRow(int Count) override;
    // Rows without default values and with one repaint.
    virtual void ReserveRows(int Count);
    // Fills a new row left to right, and more rows while values remain.
    void AddCells(const std::vector<WideString>& Values);
    // Value i into cell (i, ARow); the rows grow to ARow + 1 first when needed.
    void AddCells(const std::vector<WideString>& Values, int ARow);
    void InsertRow(int Index) override;
    virtual void AddChildRow(int ARow, TChildRowPosition Position);
    // A row with children goes with all its descendants.
    void DeleteRow(int ARow) override;
    void ClearChildRows(int ARow);
    // ARow's Index-th direct child; nothing when there is none.
    void DeleteChildRow(int ARow, int Index);
    void InsertChildRow() {}
    void ClearRows() override;
    void ClearRow(int ARow);
    // Raise EInvalidOperation, changing nothing, for a move or swap that
    // would part a row from its descendants.
    void MoveRow(int FromIndex, int ToIndex) override;
    void SwapRows(int A, int B) override;
    void SetSelected(int ARow, bool Value) override;
    void SelectRange(int FromRow, int ToRow, bool Value) override;
    void SetRowSize(int Value) override;
    // Heights are held to 1..32,767.
    void SetRowHeight(int ARow, int Value) override;
    void SetRowVisible(int ARow, bool Value) override;
    void SetExpanded(int ARow, bool Value);
    // Keeps the selected row selected, wherever the sort puts it.
    void SortColumn(TGxCustomColumn* AColumn, bool Ascending) override;
    void CalculateFooter(bool VisibleOnly) override;
    // Nothing for a cell known to lie below the view.
    void RefreshCell(int ACol, int ARow) override;
    void UpdateVertScrollBar() override;
    // Brings a bar left behind by rows added below the view up to date.
    void FlushVertScrollBar();
    void SelectCell(int ACol, int ARow, TShiftState Shift, bool Deselect) override;

    // ---- Plays
    void SetColumnPlayAttributes(TColumnPlay* Play) override;
    void DoColumnPlayChange(TObject* Sender) override;
    void DoColumnPlayExpand(TObject* Sender) override;

    TCellFormatingEvent OnCellFormating;
    TCompareEvent OnCompare;
    TGxRowExpandEvent OnExpand;

protected:
    // Searched in the store, text cells where their text lies.
    int SearchCells(int ACol, int From, int To, bool Invisible, const TTextMatch& Match) override;
    bool DrawCellData(int ACol, int ARow, TCellState CellState) override;
    void ApplyCellFormating(int ACol, int ARow, WideString& Value, TCellState CellState) override;
    void SetDisplayParams(int ACol, int ARow, TColumnDisplay* Display) override;
    void ColumnsChange(TColumnsOperation Operation, int Value1, int Value2) override;
    // Refuses a move that would part a row from its descendants, so
    // CanMoveRow answers false for it.
    void DoRowMove(int FromPos, int ToPos, bool& Accept) override;
    virtual void DoCellFormating(int ACol, int ARow, TColor& TextColor, TFontStyles& FontStyle, TCellState CellState);
    virtual void DoCompare(const TCell& Cell1, const TCell& Cell2, int& Compare);
    virtual void DoExpand(int ARow);

private:
    void WndProc(TMessage& Message) override;
    // The bar's range after rows came below the view: at once when it was
    // last set a while ago, else a little later from a window timer.
    void DeferVertScrollBar();
    void DoCellChange(int ACol, int ARow);
    TRow* Row(int ARow) const { return FCells->GetRow(ARow); }
    // The rows on screen may have changed: their first and last again.
    void RenewVisibleBounds();
    // Rows From..From + Count - 1 went, or Count rows arrived at From.
    void RowsDeleted(int From, int Count);
    void RowsInserted(int From, int Count);
    // Forgets the selected flags of rows From..From + Count - 1 before they go.
    void ForgetSelectedRows(int From, int Count);
    bool CanPlace(int FromIndex, int ToIndex);
    bool CanSwap(int A, int B);
    void ExpandRows(int ARow, bool Expand);
    // The descendants of ARow, and the pixels ARow and those of them in view take.
    void GetRowsHeight(int ARow, int& Count, int& Height);
    // Slides the rows around ARow as it is shown or hidden (AHeight high;
    // Steps rows on screen when it lies above the view).
    void ShowRow(int ARow, int AHeight, bool AShow, int Steps = 1);
    void Slide(TRect R, int Dy);
    // True when ARow is surely below the body, known without a walk.
    bool BelowView(int ARow);

    TOwned<TCells> FCells;
    // No row was ever given a lower height.
    int FMinRowHeight = 1;
    bool FBarStale = false;
    // The window timer that brings a deferred vertical bar up to date.
    static constexpr std::uintptr_t BarTimerId = 0x6742;
    bool FBarTimer = false;
    Int64 FLastBarMs = 0;
    std::unordered_set<const TRow*> FSelectedRows;
};

} // namespace GxGrid
