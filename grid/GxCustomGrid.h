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
    // ---- Sizing, double clicks and column plays
    // The column whose splitter (its right edge, 3 pixels left to 2 right)
    // lies under X, first in display order; a scrolled column's only right
    // of the fixed columns. Columns of fixed size have none.
    TGxCustomColumn* GetColumnSizeGripAtPos(int X, int Y);
    // The row whose lower edge lies under Y (2 pixels above to the edge) in
    // the indicator strip; -1 when none.
    int GetRowSizeGripAtPos(int X, int Y);
    // Where the rows in view end: from the body's top down over each row
    // and its lines, until the body's bottom is passed or the rows end.
    int GetBodyDownLimit();
    // The column whose splitter the pointer was last over in the header.
    TGxCustomColumn* GetGripColumn() const { return FGripColumn; }
    TGxCustomColumn* GetResizingColumn() const { return FResizingColumn; }
    // A column's header or footer hint at client point (X, Y), as wide as the
    // client area at most, while the grid's form is active and the program
    // shows hints.
    void ShowColumnHint(int X, int Y, const WideString& Hint);

    // ---- Moving columns and rows
    // Where a dragged column may drop (client coordinates): the header and
    // the body, as far as both reach.
    TRect GetColumnDropRect();
    // The display position Column takes when dropped at P: after a column
    // when P lies in its right half, before it in its left half; its own
    // position where no column lies or the one there has scrolled under the
    // fixed columns.
    int GetNearestPosition(TGxCustomColumn* Column, const TPoint& P);
    // The row a row dropped at (X, Y) goes before: the row under the point,
    // or the next one below its middle; ARow outside the rows in view.
    int GetNearestRow(int ARow, int X, int Y);
    // The arrows over the gap a column moving from FromPos to ToPos drops
    // into; with FromPos = ToPos, hidden unless Force.
    void UpdateArrows(int FromPos, int ToPos, bool Force);
    // The arrows above and below the header at the screen point P, or hidden.
    void ShowPositionIndicator(const TPoint& P, bool Hide);
    void HideArrows();
    // The red marker over the top edge of ARow, where a moved row drops.
    void DrawRowPosition(int ARow);
    // Takes away the marker where it was drawn last.
    void RefreshRowPosition();
    // Ends any column or row move at once, nothing moved.
    void CancelMoving();
    TGxCustomColumn* GetDraggedColumn() const { return FDraggedColumn; }
    int GetRowMoveTarget() const { return FRowMoveTarget; }

    // The columns stored inside the grid keep their owner.
    TComponent* GetChildOwner() const override { return nullptr; }
    // ---- Keys
    // The window takes its size while the grid loads, when the columns do
    // not fit themselves yet: they fit a width taken while loading or
    // hidden once loading has ended and the grid shows.
    void Loaded() override;

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
    // ---- Moving columns and rows
    // The drag box's reports (screen points); column moving answers them.
    void DoDragBoxDrop(TObject* Sender, int X, int Y);
    void DoDragBoxMove(TObject* Sender, int X, int Y);
    void DoDragBoxCancel(TObject* Sender);
    // A press on a row of a multi-row selection that the drag kept selects now.
    void DragCanceled() override;
    // ---- Sizing, double clicks and column plays
    // Paints, then draws again what stands drawn outside Paint.
    void Paint() override;
    // Runs last in every Paint, while the canvas is still clipped to what
    // that paint repainted: a line or a mark drawn outside Paint that is
    // still meant to show is drawn there again, so none is left half erased.
    virtual void PaintOverlays();
    // Ends a column or row resize in progress without sizing anything: the
    // lines are taken away and the resize is forgotten.
    void CancelSizing();
    // A resize ends unsized when another window takes the mouse while the
    // button is held (the grid hidden by a page switch, say).
    void WMCaptureChanged(TMessage& Message) override;
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

    // ---- Search
    // The first row of From..To (those that exist) whose text in column ACol,
    // as GetCells gives it, Match takes, testing only visible rows unless
    // Invisible; -1 when none. A storage may read the texts where it keeps them.
    virtual int SearchCells(int ACol, int From, int To, bool Invisible, const TTextMatch& Match);

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
    // ---- Search
    bool SelectFound(int ARow);
    // What a new window and a recreated one get.
    void WindowCreated();
    // ---- Moving columns and rows
    // Starts moving the pressed column once the pointer is away from the
    // press with the left button held; false when it does not start.
    bool StartColumnMoving(TShiftState Shift, int X, int Y);
    // The dragged and the pressed column forgotten, repainted, the arrows hidden.
    void EndColumnMoving();
    // goLockFixedCols keeps the fixed columns where they are.
    bool MoveLocked(int ToPos);
    // A move over the body while a row is pressed.
    void RowMoveStep(TShiftState Shift, int X, int Y);
    // The release that ends a row move at (X, Y).
    void DropRow(int X, int Y);
    // The marker again where it stands, within the canvas's clip.
    void RedrawRowMarker();
    void PaintRowMarker(int Y);
    // The right end of the marker: the body's, or the client's in slides view.
    int MarkerRight();
    // Where the marker was drawn (client y); none while no row moves.
    int FRowMarkerY = -1;

    void CellPress(TMouseButton Button, TShiftState Shift);
    void HeaderPress(TMouseButton Button, int X, int Y);
    void CellRelease(TMouseButton Button, TShiftState Shift, int X, int Y);
    // A release in the header over the column that was pressed sorts by it,
    // or reverses its order when it is sorted already.
    void SortToggle(TGxCustomColumn* Pressed, int X, int Y);
    void HeaderMove(TShiftState Shift, int X, int Y);
    // Previous: the cell under the pointer at the move before.
    void CellMove(const TPoint& Previous, TShiftState Shift, int X, int Y);
    void RemoveHint();
    // The hover column becomes Column, both headers repainted.
    void SetHover(TGxCustomColumn* Column);
    // The wheel steps Bar one line, or one page with Ctrl.
    static void WheelStep(TGxScrollBar* Bar, TShiftState Shift, bool Down);

    // ---- Sizing, double clicks and column plays
    void DoubleClickAt(TPoint P);
    void StartColumnSizing();
    void MoveColumnSizing(int X);
    // Sizes the column at the release point (X, Y).
    void EndColumnSizing(int X, int Y);
    // True when the press landed on a row's splitter and started sizing it.
    bool StartRowSizing(int X, int Y);
    void MoveRowSizing(int X, int Y);
    void EndRowSizing();
    void IndicatorMove(int X, int Y);
    void FooterMove(int X, int Y);
    // The hint of the column under the pointer, Hint (of kind Kind), shows
    // below its left edge at y Y unless it shows already (Showing is the
    // column whose hint shows); an empty one takes the hint away.
    void FollowColumnHint(TGxCustomColumn* Column, const WideString& Hint, THintPosition Kind,
                          TGxCustomColumn*& Showing, int Y);
    // Inverts a line across the client area (pmNot): a vertical one at x At,
    // else a horizontal one at y At.
    void InvertLine(bool Vertical, int At);
    // The column play of a body cell, readied for a mouse call on that
    // cell at Rect; null when there is none, the grid is read-only, or for
    // a press or release (Clicking) when the column neither edits nor clicks.
    TColumnPlay* CellPlay(int ACol, int ARow, const TRect& Rect, bool Clicking);
    // The play that heard the last move hears that the pointer left its cell.
    void LeavePlay();
    // The grid's form is active and the program shows hints.
    bool MayShowHint();
    bool Sizing() const { return FColumnLinesShown || FRowLineShown; }
    bool FColumnLinesShown = false;
    bool FRowLineShown = false;
    // The column whose play heard the last move, and the row it was over;
    // null when none. Kept as the column rather than its index, so the play
    // hears that the pointer left after its column moved or its row went.
    TGxCustomColumn* FPlayColumn = nullptr;
    int FPlayRow = -1;

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
