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
    // ---- Keys
    // The window takes its size while the grid loads, when the columns do
    // not fit themselves yet: they fit a width taken while loading or
    // hidden once loading has ended and the grid shows.
    void Loaded() override;

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
    // ---- Keys
    // Both run the inherited handler first: a handler of the grid's own
    // events that clears the key keeps the grid out of it.
    void KeyDown(Word& Key, TShiftState Shift) override;
    void KeyPress(WideChar& Key) override;
    // Tab only with WantTabs and something to move through.
    void WMGetDlgCode(TMessage& Message) override;
    void WMSetFocus(TMessage& Message) override;
    // Focus loss and the program's deactivation end every mouse operation.
    void WMKillFocus(TMessage& Message) override;
    void WMActivateApp(TMessage& Message) override;
    // A new window size, or a scroll through a bar, applies an open edit and ends it.
    void WMSize(TMessage& Message) override;
    void WMHScroll(TMessage& Message) override;
    void WMVScroll(TMessage& Message) override;
    void CMShowingChanged(TMessage& Message) override;

private:
    // ---- Keys
    // A press, a drag, a resize in progress: all forgotten, the mouse let go.
    void CancelMouseOperations();
    // The selection's look follows the focus and the program's activation.
    void RefreshFocusLook();
    void PageKey(bool Down);
    void SidewaysKey(bool Right);
    // Enter with WantReturns.
    void ReturnKey();
    void FitPendingColumns();
    // The client size the last WM_SIZE left, and the window's: only a new
    // window size ends an edit, not a scroll bar coming or going.
    TSize FSizedClient;
    TSize FSizedWindow;
    // A width came while loading and the columns have not fitted it yet.
    bool FFitPending = false;
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
