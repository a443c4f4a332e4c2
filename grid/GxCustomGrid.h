// grid/GxCustomGrid.h
// The grid that answers the user: what its mouse, keyboard, moving, search
// and hints keep between events, the floating windows of a column drag, its
// cursors and its hint window.
#pragma once
#include "grid/GxColumnDragBox.h"
#include "grid/GxCustomGridControl.h"

namespace GxCustomGrid {

using namespace GxColumnDragBox;
using namespace GxCustomGridControl;

// The grid's screen cursors: over a column splitter, where a dragged column
// cannot drop, over a row splitter, and over the indicator beside the rows.
inline constexpr TCursor crHorzSplit = 3000, crColumnNoDrag = 3001, crVertSplit = 3003, crIndicatorSelect = 3006;

// What the grid's hint shows: a footer's or a header's hint, the whole text
// of a cell that does not fit, or a cell's own hint.
enum THintPosition { hpNone, hpFooter, hpHeader, hpTextFit, hpCellHint };

// The numbers a formula of kind fkAverage, fkSum, fkMaximum or fkMinimum
// takes over Rows rows, the average divided by Rows; Number gives a row's
// value, or false for a row that gives none. 0 for the other kinds.
double FoldFormula(TFormulaKind Kind, int Rows, const std::function<bool(int ARow, double& Value)>& Number);

// ---- Search
enum TSearchOption { soCaseInsensitive, soContinueFromTop, soFromSelected, soSearchInvisible, soExactMatch };
using TSearchOptions = Set<TSearchOption>;
// Whether a cell's text is what a search looks for.
using TTextMatch = std::function<bool(std::u16string_view Text)>;

class TGxCustomGrid : public TGxCustomGridControl {
public:
    QM_CLASS(TGxCustomGrid, TGxCustomGridControl)
    explicit TGxCustomGrid(TComponent* AOwner);
    ~TGxCustomGrid() override;
    // Frees the drag box, the arrows and the hint window while the grid is whole.
    void BeforeDestruction() override;

    TColumnDragBox* GetDragBox() const { return FDragBox; }
    TDragArrow* GetDownArrow() const { return FDownArrow; }
    TDragArrow* GetUpArrow() const { return FUpArrow; }
    THintWindow* GetHintWindow() const { return FHintWindow; }
    // (-1, -1) while no press is in progress.
    TPoint GetMouseDownPoint() const { return FMouseDownPoint; }
    TPoint GetDownCell() const { return FDownCell; }
    int GetPressedRow() const { return FPressedRow; }
    int GetResizingRow() const { return FResizingRow; }
    const WideString& GetSearchText() const { return FSearchText; }
    // Ends an incremental search 500 ms after its last key.
    TTimer* GetSearchTimer() const { return FSearchTimer.get(); }

    // Readies column ACol's play for a mouse call on its cell (ACol, ARow)
    // at Rect; false when the column has no play.
    virtual bool UpdateColumnPlay(int ACol, int ARow, const TRect& Rect);
    virtual void SetColumnPlayAttributes(TColumnPlay* Play) = 0;
    virtual void DoColumnPlayChange(TObject* /*Sender*/) {}
    virtual void DoColumnPlayExpand(TObject* /*Sender*/) {}
    // Keeps a hint window of the program's hint window class, making one as needed.
    virtual void RecreateHintWnd();

    // Whether the cell's text, measured as it will be painted, fits its
    // column (its slide in slides view) with 5 pixels to spare.
    bool IsTextFit(int ACol, int ARow);
    // Shows the cell's whole text in the hint window over the cell, while
    // the grid's form is active, whatever the program's ShowHint says.
    void ShowCellTextFitHint(int ACol, int ARow);
    // The cell's own hint, at most 250 pixels wide, beside the cell's right
    // edge 20 pixels above it, while the grid's form is active.
    void ShowCellHint(int ACol, int ARow, const WideString& Hint);
    THintPosition GetHintKind() const { return FHintKind; }
    // A footer formula over Column's cell texts, every row counted: the
    // average, sum, maximum or minimum of those that are not empty; 0 for
    // the other kinds. A text that is no number raises EConvertError.
    double GetFormulaValue(TGxCustomColumn* Column, TFormulaKind FormulaKind);
    // ---- Where the mouse is (client coordinates)
    // Each area without its last pixel column and row; gaNone outside them all.
    TGridArea GetGridArea(const TPoint& P);
    // The visible column whose left and right edges (both counted) hold X,
    // the left one on a shared edge; null when none.
    TGxCustomColumn* GetColumnAtPos(const TPoint& P);
    // The row under a point of the body; -1 outside it and past the last row.
    int GetRowAtPos(int X, int Y);
    // (column index or -1, row or -1).
    TPoint GetCellAtPos(const TPoint& P);
    static bool IsSameCell(const TPoint& A, const TPoint& B) { return A.X == B.X && A.Y == B.Y; }
    TPoint GetHoverCell() const { return FHoverCell; }

    // The columns stored inside the grid keep their owner.
    TComponent* GetChildOwner() const override { return nullptr; }

    // ---- Search
    // A row found by column ACol's text becomes the selected row, the
    // selected column staying, and is scrolled to unless the grid is
    // updating. Each answers whether a row was found. A column that does not
    // exist raises "Cell out of bounds (c, r)" before anything is tested
    // (FindText and SearchNext answer false at once in a grid without rows).
    // The first row of FromRow..ToRow (those that exist) whose text matches
    // Text: visible rows only, unless soSearchInvisible; the whole text with
    // soExactMatch, else a part of it; soCaseInsensitive ignores case.
    bool Locate(int ACol, int FromRow, int ToRow, const WideString& Text, TSearchOptions Options);
    // The whole grid, or with soFromSelected the rows below the selected row
    // and then, with soContinueFromTop, those above it and itself.
    bool FindText(int ACol, const WideString& Text, TSearchOptions Options);
    // The first visible row whose text starts with Text ignoring case: from
    // the top, or from below the selected row round to the selected row.
    bool SearchNext(int ACol, const WideString& Text, bool FromTop);
    // The first column in collection order with coSearchColumn; null when none.
    TGxCustomColumn* GetSearchColumn() const;
    // A key typed for the incremental search: keys typed within 500 ms of
    // each other form one prefix, searched in the search column. A prefix
    // that grows stays on the selected row while that row still starts with it.
    void SearchKeyPress(WideChar Key);

protected:
    void CreateWnd() override;
    void CMRecreateWnd(TMessage& Message) override;
    // The columns the mouse works on, and the drag box's, are forgotten when they go.
    void ColumnsChange(TColumnsOperation Operation, int Value1, int Value2) override;
    // The columns that take the grid's font follow it to its parent's.
    void CMParentFontChanged(TMessage& Message) override;
    void SetSearchText(const WideString& Value) { FSearchText = Value; }
    void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
    void MouseMove(TShiftState Shift, int X, int Y) override;
    void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) override;
    bool DoMouseWheelDown(TShiftState Shift, TPoint MousePos) override;
    bool DoMouseWheelUp(TShiftState Shift, TPoint MousePos) override;
    void CMMouseLeave(TMessage& Message) override;
    // The drag box's reports (screen points); column moving answers them.
    void DoDragBoxDrop(TObject* /*Sender*/, int /*X*/, int /*Y*/) {}
    void DoDragBoxMove(TObject* /*Sender*/, int /*X*/, int /*Y*/) {}
    void DoDragBoxCancel(TObject* /*Sender*/) {}
    // ---- Search
    // The first row of From..To (those that exist) whose text in column ACol,
    // as GetCells gives it, Match takes, testing only visible rows unless
    // Invisible; -1 when none. A storage may read the texts where it keeps them.
    virtual int SearchCells(int ACol, int From, int To, bool Invisible, const TTextMatch& Match);

private:
    // ---- Search
    bool SelectFound(int ARow);
    // What a new window and a recreated one get.
    void WindowCreated();
    void CellPress(TMouseButton Button, TShiftState Shift);
    void HeaderPress(TMouseButton Button, int X, int Y);
    void CellRelease(int X, int Y);
    // A release in the header over the column that was pressed sorts by it,
    // or reverses its order when it is sorted already.
    void SortToggle(TGxCustomColumn* Pressed, int X, int Y);
    void HeaderMove(int X, int Y);
    // Previous: the cell under the pointer at the move before.
    void CellMove(const TPoint& Previous, int X, int Y);
    void RemoveHint();
    // The hover column becomes Column, both headers repainted.
    void SetHover(TGxCustomColumn* Column);
    // The wheel steps Bar one line, or one page with Ctrl.
    static void WheelStep(TGxScrollBar* Bar, TShiftState Shift, bool Down);

    TColumnDragBox* FDragBox = nullptr;
    TDragArrow* FDownArrow = nullptr;
    TDragArrow* FUpArrow = nullptr;
    TPoint FMouseDownPoint{-1, -1};
    TPoint FDownCell{-1, -1};
    bool FDeferredSelect = false;
    bool FClickedSelectedCell = false;
    TGxCustomColumn* FDraggedColumn = nullptr;
    TGxCustomColumn* FResizingColumn = nullptr;
    TGxCustomColumn* FGripColumn = nullptr;
    int FResizeStartX = 0;
    int FResizeLineX = 0;
    int FResizeDelta = 0;
    int FPressedRow = -1;
    int FRowMoveTarget = 0;
    int FRowMovePrevTarget = -1;
    int FResizingRow = -1;
    TPoint FRowResizePoint;
    TPoint FHoverCell;
    THintPosition FHintKind = hpNone;
    TGxCustomColumn* FFooterHintColumn = nullptr;
    TGxCustomColumn* FHeaderHintColumn = nullptr;
    THintWindow* FHintWindow = nullptr;
    WideString FSearchText;
    TOwned<TTimer> FSearchTimer;
};

} // namespace GxCustomGrid
