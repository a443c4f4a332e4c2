// grid/GxCustomGridControl.h
// The heart of the data grid: its columns, options, sizes and events, the
// geometry of its areas, rows and cells, counting the rows in view and
// scrolling. It knows nothing of how rows and cells are stored: a storage
// subclass answers the abstract row and cell operations.
#pragma once
#include "grid/GxGridControlTypes.h"
#include "grid/shared/GxScrollControl.h"
#include "platform/rtl/Variant.h"

#include <array>
#include <memory>
#include <vector>

namespace GxEdit {
class TGxCustomEdit;
} // namespace GxEdit

class TCustomIniFile;

namespace GxCustomGridControl {

using namespace GxScrollControl;

// The row indicator column, when goIndicator shows it, is this wide.
inline constexpr int IndicatorWidth = 12;

// The class of a grid's column collection: makes one for its grid.
using TGxColumnsClass = TGxColumns* (*)(TComponent* AGrid);

// Delimited text files: 8-bit (UTF-8, no mark), UTF-16 little- or big-endian
// (with the byte-order mark). What goes into the HTML report.
enum TEncodingKind { ekAnsi, ekUnicode, ekUnicodeBigEndian };
enum TGxHtmlSaveSetting { hsCreateStyleSheet, hsSaveHeaders, hsSaveFooter, hsSaveCaption };
using TGxHtmlSaveSettings = Set<TGxHtmlSaveSetting>;

class TGxCustomGridControl : public TGxScrollControl, public IGridHost {
public:
    QM_CLASS(TGxCustomGridControl, TGxScrollControl)
    explicit TGxCustomGridControl(TComponent* AOwner);
    ~TGxCustomGridControl() override;
    // Makes the columns of GetColumnsClass, wired to the grid.
    void AfterConstruction() override;
    // Frees the columns while the grid is whole.
    void BeforeDestruction() override;
    // The columns are stored inside the grid, in index order; their order
    // is their index, so nothing reorders them.
    void GetChildren(const TGetChildProc& Proc, TComponent* Root) override;
    void SetChildOrder(TComponent*, int) override {}

    // ---- The grid as its columns see it
    TFont* GetFont() const override { return TGxScrollControl::GetFont(); }
    TColor GetColor() const override { return TGxScrollControl::GetColor(); }
    TCursor GetCursor() const override { return TGxScrollControl::GetCursor(); }
    TComponent* GetOwner() const override { return TGxScrollControl::GetOwner(); }
    TGxColumns* GetColumns() const override { return FColumns; }
    bool IsLoading() const override { return GetComponentState().Contains(csLoading); }
    int GetClientHeight() override { return TGxScrollControl::GetClientHeight(); }
    int GetHorzScrollPos() override { return GetHorzScrollBar()->GetPosition(); }
    bool HasIndicator() const override { return FOptions.Contains(goIndicator); }
    TGxCustomColumn* GetHeaderDownColumn() const override { return FHeaderDownColumn; }
    TGxCustomColumn* GetHoverColumn() const override { return FHoverColumn; }
    int GetSelectedColumn() const override { return FSelectedColumn; }
    void SetOnUpdateColumns(const TNotifyEvent& Handler) override { FOnUpdateColumns = Handler; }

    // ---- Published properties
    TAppearanceOptions GetAppearanceOptions() const { return FAppearanceOptions; }
    void SetAppearanceOptions(TAppearanceOptions Value);
    bool GetAutoScroll() const { return FAutoScroll; }
    void SetAutoScroll(bool Value) { FAutoScroll = Value; }
    TBorderStyle GetBorderStyle() const { return FBorderStyle; }
    void SetBorderStyle(TBorderStyle Value);
    const WideString& GetCaption() const { return FCaption; }
    void SetCaption(const WideString& Value);
    bool GetEnableVisualStyles() const { return FEnableVisualStyles; }
    void SetEnableVisualStyles(bool Value);
    int GetFixedCols() const { return FFixedCols; }
    void SetFixedCols(int Value);
    int GetFooterSize() const { return FFooterSize; }
    void SetFooterSize(int Value);
    TColor GetGridLinesColor() const { return FGridLinesColor; }
    void SetGridLinesColor(TColor Value);
    TGridLinesStyle GetGridLinesStyle() const { return FGridLinesStyle; }
    void SetGridLinesStyle(TGridLinesStyle Value);
    TGridStyle GetGridStyle() const { return FGridStyle; }
    void SetGridStyle(TGridStyle Value);
    int GetHeaderSize() const { return FHeaderSize; }
    void SetHeaderSize(int Value);
    THeaderStyle GetHeaderStyle() const { return FHeaderStyle; }
    void SetHeaderStyle(THeaderStyle Value);
    bool GetHideScrollBar() const { return FHideScrollBar; }
    void SetHideScrollBar(bool Value);
    TColor GetHighlightedTextColor() const { return FHighlightedTextColor; }
    void SetHighlightedTextColor(TColor Value);
    TColor GetInactiveSelectionColor() const { return FInactiveSelectionColor; }
    void SetInactiveSelectionColor(TColor Value);
    TInputEnterMode GetInputEnterMode() const { return FInputEnterMode; }
    void SetInputEnterMode(TInputEnterMode Value) { FInputEnterMode = Value; }
    int GetInputSize() const { return FInputSize; }
    void SetInputSize(int Value);
    TGridOptions GetOptions() const { return FOptions; }
    void SetOptions(TGridOptions Value);
    bool GetReadOnly() const { return FReadOnly; }
    void SetReadOnly(bool Value) { FReadOnly = Value; }
    int GetRowSize() const { return FRowSize; }
    virtual void SetRowSize(int Value);
    TColor GetSelectionColor() const { return FSelectionColor; }
    void SetSelectionColor(TColor Value) { FSelectionColor = Value; }
    TSelectionMoveDirection GetSelectionMoveDirection() const { return FSelectionMoveDirection; }
    void SetSelectionMoveDirection(TSelectionMoveDirection Value) { FSelectionMoveDirection = Value; }
    TColor GetSlideCaptionColor() const { return FSlideCaptionColor; }
    void SetSlideCaptionColor(TColor Value);
    TSlideOptions GetSlidesOptions() const { return FSlidesOptions; }
    void SetSlidesOptions(TSlideOptions Value);
    TColor GetSlideSelectionColor() const { return FSlideSelectionColor; }
    void SetSlideSelectionColor(TColor Value);
    int GetSlideSize() const { return FSlideSize; }
    void SetSlideSize(int Value);
    TSortedStyle GetSortedStyle() const { return FSortedStyle; }
    void SetSortedStyle(TSortedStyle Value);
    // Always "4.4": it is not stored, and assigning any value puts it back.
    const AnsiString& GetVersion() const { return FVersion; }
    void SetVersion(const AnsiString&) { FVersion = "4.4"; }
    bool GetWantReturns() const { return FWantReturns; }
    void SetWantReturns(bool Value) { FWantReturns = Value; }
    bool GetWantTabs() const { return FWantTabs; }
    void SetWantTabs(bool Value) { FWantTabs = Value; }

    // ---- State
    TStyleDisplay* GetStyleDisplay() const { return FStyleDisplay; }
    TGridState GetGridState() const { return FGridState; }
    int GetFirstRowInView() const { return FFirstRowInView; }
    TPoint GetSelectedCell() { return TPoint(FSelectedColumn, GetSelectedRow()); }
    void SetSelectedColumn(int Value);
    // Stores both without any other effect.
    void SetSelectedCell(int ACol, int ARow);
    int GetSelectionAnchorRow() const { return FSelectionAnchorRow; }
    void SetSelectionAnchorRow(int Value) { FSelectionAnchorRow = Value; }
    TPoint GetEditingCell() const { return FEditingCell; }
    bool GetInputSelected() const { return FInputSelected; }
    int GetInputColumnIndex() const { return FInputColumnIndex; }
    GxEdit::TGxCustomEdit* GetInplaceEdit() const { return FInplaceEdit; }
    TGxCustomColumn* GetSortedColumn() const { return FSortedColumn; }
    void SetHeaderDownColumn(TGxCustomColumn* Value) { FHeaderDownColumn = Value; }
    void SetHoverColumn(TGxCustomColumn* Value) { FHoverColumn = Value; }

    // ---- Rows and cells, as the storage keeps them
    virtual void GetCellInfo(int ACol, int ARow, TCellInfo& Info) = 0;
    virtual WideString GetCells(int ACol, int ARow) = 0;
    virtual void SetCells(int ACol, int ARow, const WideString& Value) = 0;
    virtual WideString GetDrawText(int ACol, int ARow) = 0;
    virtual int GetRowCount() = 0;
    // The rows on screen (visible, with every ancestor expanded).
    virtual int GetVisibleRows() = 0;
    virtual int GetFirstVisibleRow() = 0;
    virtual int GetLastVisibleRow() = 0;
    virtual bool GetSelected(int ARow) = 0;
    virtual void SetSelected(int ARow, bool Value) = 0;
    virtual void SelectRange(int FromRow, int ToRow, bool Value) = 0;
    virtual void SwapRows(int A, int B) = 0;
    virtual void AddRow(int Count) = 0;
    virtual void CalculateFooter(bool VisibleOnly) = 0;
    // The base's row height is RowSize, every row is visible and at level 0.
    virtual int GetRowHeight(int ARow);
    virtual void SetRowHeight(int ARow, int Value);
    virtual bool GetRowVisible(int ARow);
    virtual void SetRowVisible(int ARow, bool Value);
    virtual int GetRowLevel(int ARow);
    // The rows on screen as an index answers them; a storage that hides
    // rows overrides all four. How many rows before ARow are visible; the
    // K-th visible row (from 0, -1 when there are not that many); the next
    // (previous) visible row after (before) ARow, -1 when none.
    virtual int GetOnScreenBefore(int ARow);
    virtual int GetOnScreenRow(int K);
    virtual int GetNextOnScreen(int ARow);
    virtual int GetPriorOnScreen(int ARow);

    // ---- Base row operations (the storage calls them first)
    virtual void ClearRows();
    virtual void InsertRow(int Index);
    virtual void MoveRow(int FromIndex, int ToIndex);
    virtual void DeleteRow(int Index);
    // Deletes the last rows or adds rows until Value remain, in one update.
    void SetRowCount(int Value);
    bool CanMoveRow(int FromIndex, int ToIndex);
    // Every cell's text followed by CR LF, rows in order, columns by index.
    virtual WideString GetTextStr();
    // Reads into Row the text of every cell of ARow as GetCells gives it,
    // columns by index. A storage that keeps its texts overrides it to hand
    // them over without a copy, for the writers that walk every row.
    virtual void ReadRowTexts(int ARow, TRowTexts& Row);
    // GetDrawText of ARow's cells in the columns Cols (by index), for the
    // writers that walk every cell: each text made in Row.Held, or a view of
    // where the storage keeps it when that is what the cell shows.
    virtual void ReadDrawTexts(int ARow, const std::vector<int>& Cols, TRowTexts& Row);
    // The texts of the columns Cols (by index) of every row for readers on
    // other threads, as ReadRowTexts (Drawn: ReadDrawTexts) gives them, when
    // every one of them lies where the storage keeps it; null otherwise (the
    // base: always). Ranges hold about RangeSize units each, a row counting
    // RowExtra units beside its texts. Leaves the grid as reading every row
    // would.
    virtual std::unique_ptr<TStoredRows> StoredRows(const std::vector<int>& Cols, bool Drawn, std::size_t RangeSize,
                                                    std::size_t RowExtra);
    virtual bool IsCellEmpty(int ACol, int ARow);
    virtual TColor GetCellColor(int ACol, int ARow);
    virtual WideString GetCellHint(int ACol, int ARow);
    virtual bool CanSelectCell(int ACol, int ARow);
    virtual bool CanEdit(int ACol, int ARow);
    virtual int GetSelectedRow() { return FSelectedRow; }
    virtual void SetSelectedRow(int Value);
    virtual void SortColumn(TGxCustomColumn* Column, bool Ascending);
    // Sorts SortedColumn again, when there is one.
    void Resort();

    // ---- Selection and navigation
    // The one operation that moves the selection; Deselect clears a
    // multi-selection when neither Shift nor Ctrl is held.
    virtual void SelectCell(int ACol, int ARow, TShiftState Shift, bool Deselect);
    virtual void SelectFirstRow(TShiftState Shift);
    virtual void SelectLastRow(TShiftState Shift);
    virtual void MoveSelectionDown(TShiftState Shift, bool Wrap);
    virtual void MoveSelectionUp(TShiftState Shift);
    void MoveSelectionLeft() { MoveSelectionSideways(false); }
    void MoveSelectionRight() { MoveSelectionSideways(true); }
    void MoveSelectionBy(int Distance);
    void MoveToNextCell(bool Wrap);
    void MoveToPrevCell();
    void NoSelection();
    virtual void ClearSelection();
    void SelectAll();
    // More than one row may be selected from now on (gtMultiSelect).
    void SetMultiSelected();
    // The rows whose selected flag is set. The base asks every row; a
    // storage that keeps its selected rows answers both from them.
    virtual int GetSelectedCount();
    virtual void GetSelectedRows(std::vector<int>& Rows);
    void SetInputSelected(bool Value);

    // ---- Names
    TGxCustomColumn* GetColumnByName(const AnsiString& Name) const { return FColumns->GetColumn(Name); }
    // "First", "Last" and "Selected" (case ignored), a column's name, or a
    // number; anything else raises Exception naming the grid.
    TPoint GetCellByVariant(const Variant& ACol, const Variant& ARow);
    WideString GetCellsByName(const Variant& ACol, const Variant& ARow);
    void SetCellsByName(const Variant& ACol, const Variant& ARow, const WideString& Value);

    // ---- Layout and export
    // The columns' sort kind, visibility, sorted flag, position and width,
    // in sections named after their value with Section appended. FileName
    // is not used: IniFile is the store.
    void SaveToIniFile(const WideString& FileName, TCustomIniFile* IniFile, const AnsiString& Section);
    void LoadFromIniFile(const WideString& FileName, TCustomIniFile* IniFile, const AnsiString& Section);
    void SaveToIni(const WideString& FileName, const AnsiString& Section);
    void LoadFromIni(const WideString& FileName, const AnsiString& Section);
    // Key is below HKEY_CURRENT_USER.
    void SaveToRegistry(const WideString& Key, const AnsiString& Section);
    void LoadFromRegistry(const WideString& Key, const AnsiString& Section);
    bool RowExist(int Index);
    // One line per row, one field per column by index; each file is
    // replaced whole or, on failure, left as it was.
    void SaveToTextFile(const WideString& FileName, WideChar Separator, WideChar LineBreakChar, TEncodingKind Encoding);
    // Replaces the rows only when the whole file loads.
    void LoadFromTextFile(const WideString& FileName, WideChar Separator, WideChar LineBreakChar);
    // GetTextStr's bytes, nothing before or after.
    void SaveToStream(TStream* Stream);
    // The style sheet, with hsCreateStyleSheet, goes beside the report.
    void SaveToHtml(const WideString& FileName, TGxHtmlSaveSettings Settings);

    // ---- Updating
    void BeginUpdate();
    void EndUpdate();
    bool IsUpdating() const { return FUpdateCount > 0; }

    // ---- Best fit
    void BestFitColumn(int Index, TBestFitMode Mode);
    void BestFitRow(int ARow);

    // ---- Geometry (client coordinates)
    TRect GetBodyRect() override;
    TRect GetHeaderRect() override;
    TRect GetInputRect() override;
    TRect GetFooterRect() override;
    TRect GetIndicatorRect();
    TRect GetScrollRect();
    TRect GetCaptionRect();
    int GetInnerWidth() override;
    int GetFixedWidth() const { return FColumns->GetFixedWidth(); }
    int GetGridSpace(TGridLinePosition Position) const { return FGridSpace[Position]; }
    // Takes the left and right grid lines off a cell rectangle.
    void ExcludeGrid(TRect& Rect);
    int GetActualRowHeight(int ARow);
    // A row above FirstRowInView has the body top; a row below the body
    // reports a top at or below the body's bottom.
    int GetRowTop(int ARow);
    TRect GetRowRect(int ARow);
    int GetSlideTop(int Index);
    TRect GetSlideRect(int Index);
    virtual TRect GetCellRect(int ACol, int ARow);
    int GetCellTop(int ACol, int ARow);
    TRect GetInputCellRect(int Index);
    TRect GetEditingRect();

    // ---- Counting
    // The rows wholly in view from FirstRowInView; with Backward, when the
    // rows end first, the rows above it that fit as well.
    int GetVisibleCount(bool Backward);
    // The visible rows from the smaller index up to but without the larger.
    int GetRowsInRange(int Row1, int Row2);
    // The row at which Count visible rows from FirstRowInView end.
    int GetLastRowInView(int Count);
    // The first visible row from ARow on (the last up to ARow), else ARow.
    int GetFirstVisible(int ARow);
    int GetLastVisible(int ARow);
    // The selected row lies from FirstRowInView to the last row wholly in view.
    bool IsRowInView();
    bool CellBounds(int ACol, int ARow);

    // ---- Scrolling
    virtual int GetHorzMax();
    virtual int GetVertMax();
    virtual void UpdateHorzScrollBar();
    virtual void UpdateVertScrollBar();
    void ScrollToRow(int ARow);
    void ScrollToColumn(TGxCustomColumn* Column);
    // Scrolls the body by the rows between row indexes Old and New.
    void ScrollRows(int Old, int New);
    void ExpandColumn(TGxCustomColumn* Column, int Delta, bool Slides);

    // ---- Repainting: each asks for the least repaint, without erasing, and
    // asks nothing for what lies outside the view.
    void RefreshArea(TGridArea Area);
    // The cell and its right and bottom grid lines.
    virtual void RefreshCell(int ACol, int ARow);
    void RefreshColumn(TGxCustomColumn* Column, TGridArea Area) override;
    virtual void RefreshColumnSlide(TGxCustomColumn* Column);
    // A row painted last time, indicator included; FrameOnly repaints only
    // its one-pixel frame.
    void RefreshRow(int ARow, bool FrameOnly);
    // The grid line under the row (or slide).
    void RefreshRowGrid(int ARow);
    // The rows between the two, in any order.
    void RefreshRange(int Row1, int Row2);
    void RefreshVisibleRows(int From, int To);
    void RefreshIndicator(int ARow);
    // FrameOnly repaints the slide's edge, 3 pixels at the sides and 4 at
    // the top and bottom.
    void RefreshSlide(int Index, bool FrameOnly);
    void RefreshSelectedCells();
    void RefreshSelectedSlides();
    void RefreshRect(const TRect& Rect);
    // From the column's left edge on screen to the right, full height.
    void RefreshFromColumn(TGxCustomColumn* Column);
    // The themed list border when the grid draws it, else the window's own frame.
    void RedrawBorder();
    // The client rectangles the last paint clipped scrolling columns and rows to.
    const TRect& GetHorzClipRect() const { return FHorzClipRect; }
    const TRect& GetVertClipRect() const { return FVertClipRect; }
    // One past the last row the report view painted.
    int GetLastPaintedRow() const { return FLastPaintedRow; }

    // ---- A cell's colours
    virtual TColor GetActualCellColor(int ACol, int ARow) override;
    virtual TColor GetActualCellFontColor(int ACol, int ARow) override;
    bool IsCellHighlighted(int ACol, int ARow) override;
    // The grid, or the editor open in it, has the focus.
    bool Focused();

    // ---- In-place editing
    // Opens the column's editor over a body cell, filled with Value or, when
    // Value is empty, with the cell's text. Nothing when the cell is the one
    // being edited or may not be edited.
    virtual void EditCell(int ACol, int ARow, const WideString& Value);
    void SetEditingCell(TPoint Value) { EditCell(Value.X, Value.Y, WideString()); }
    // Opens the editor on a body cell because Key was typed: the editor
    // holds Key alone, as the user typed it.
    void StartEdit(int ACol, int ARow, WideChar Key);
    // Opens the editor on the input cell of the column at Index, typing Key
    // (none when 0) into it.
    void StartInput(int Index, WideChar Key);
    // StartInput for Column, which becomes the selected column; the editor
    // holds Value or, when Value is empty, the column's input value.
    void InputColumn(TGxCustomColumn* Column, const WideString& Value);
    // Moves the editor's text into its cell (or its column's input value);
    // true when something was stored. A value the cell refuses raises and
    // leaves the edit open as it was.
    virtual bool ApplyEditing();
    virtual void CompleteEdit(int ACol, int ARow, const WideString& Value);
    // Closes the editor without storing.
    virtual void EndEditing();
    // Applies an open edit to its cell, then ends it; an edit the cell
    // refuses still ends, and the error goes to the application's report.
    void ApplyAndEndEditing();
    // Turns the input row into a new row: a whole row or, when a value
    // fails to store, none (the input values stay and the error raises).
    virtual void AddRowFromInput();
    // Places the editor over its cell and shows it, or hides it while its
    // row is out of the body.
    void RefreshCellEditor();
    void SetInplaceEdit(GxEdit::TGxCustomEdit* Editor);
    bool GetLoadingEditText() const { return FLoadingEditText; }

    // ---- Events
    TGxEditEvent OnAfterEdit;
    TGxRowMovedEvent OnAfterRowMove;
    TGxColumnEvent OnAfterSort;
    TGxCellTextEvent OnApplyCell;
    TGxCellTextEvent OnApplyEditText;
    TGxAcceptCellEvent OnBeforeEdit;
    TGxAcceptCellEvent OnBeforeSelect;
    TGxCellEvent OnCellClick;
    TGxCellColoringEvent OnCellColoring;
    TGxCellEvent OnCellDblClick;
    TGxCellTextEvent OnCellHint;
    TGxCellEvent OnChange;
    TGxRowHeightEvent OnChangeRowHeight;
    TGxFooterValueEvent OnColumnFooterValue;
    TGxColumnMoveEvent OnColumnMove;
    TGxColumnEvent OnColumnResize;
    TGxCustomDrawCellEvent OnCustomDrawCell;
    TGxCellEvent OnDeselectCell;
    TGxDrawCellBackgroundEvent OnDrawCellBackground;
    TGxEditEvent OnEdit;
    TGxEditAcceptEvent OnEditAccept;
    TNotifyEvent OnEditExit;
    TGxCellTextEvent OnEditText;
    TGxFooterValueEvent OnFooterCalculate;
    TGxColumnEvent OnFooterClick;
    TGxColumnEvent OnHeaderClick;
    TGxColumnEvent OnHeaderDblClick;
    TGxAcceptEvent OnInputAccept;
    TNotifyEvent OnInputAdded;
    TGxColumnEvent OnInputSelectCell;
    TGxMeasureRowHeightEvent OnMeasuringRowHeight;
    TNotifyEvent OnPostDraw;
    TGxRowMoveEvent OnRowMove;
    TGxCellEvent OnSelectCell;
    TGxColumnEvent OnSlideChange;
    TGxSlideColoringEvent OnSlideColoring;
    TGxSortColumnEvent OnSortColumn;

protected:
    virtual TGxColumnsClass GetColumnsClass() const;
    void SetGridState(TGridState Value) { FGridState = Value; }
    void SetEditingCellField(TPoint Value) { FEditingCell = Value; }
    void SetFirstRowInView(int Value) { FFirstRowInView = Value; }
    void SetFirstVisibleRowField(int Value) { FFirstVisibleRow = Value; }
    void SetLastVisibleRowField(int Value) { FLastVisibleRow = Value; }
    int GetFirstVisibleRowField() const { return FFirstVisibleRow; }
    int GetLastVisibleRowField() const { return FLastVisibleRow; }
    // The body but for its right edge, which asks every column: for its height.
    TRect BodyToClientRight();

    void CreateParams(TCreateParams& Params) override;
    void DoEnter() override;
    // An open edit is applied and ended before OnExit.
    void DoExit() override;
    void Notification(TComponent* AComponent, TOperation Operation) override;
    void Resize() override;
    void AfterScroll(TScrollBarKind Kind) override;
    // A storage calls it when selected flags change other than through the
    // selection operations, so the next Shift step does not trust the range
    // the last one left.
    void ForgetSelectionRange() { FRange.Valid = false; }
    void Paint() override;
    int GetHorzOffset(int FromPos, int ToPos) override;
    int GetVertOffset(int FromPos, int ToPos) override;

    // ---- The editor's events, while the grid has taken them over
    virtual void SetInplaceEditEvents();
    // Runs after the editor's text is loaded.
    virtual void PrepareEdit() {}
    void DoCellEditorChange(TObject* Sender);
    void DoCellEditorEnter(TObject* Sender);
    void DoCellEditorExit(TObject* Sender);
    void DoCellEditorKeyDown(TObject* Sender, Word& Key, TShiftState Shift);
    void DoCellEditorKeyPress(TObject* Sender, WideChar& Key);
    void DoCellEditorKeyUp(TObject* Sender, Word& Key, TShiftState Shift);

    // ---- Slots of painting, selection and editing
    virtual void CellsScrolled(int /*Count*/) {}
    virtual void GridStyleChanged() {}
    virtual bool IntegralHeight() { return false; }
    virtual void ApplyCellFormating(int /*ACol*/, int /*ARow*/, WideString& /*Value*/, TCellState /*CellState*/) {}
    virtual void SetDisplayParams(int /*ACol*/, int /*ARow*/, TColumnDisplay* /*Display*/) {}
    // The state a cell is drawn in; lets OnCellColoring run.
    TCellState GetCellState(int ACol, int ARow);
    // Readies Column's display to measure its cell of ARow within Rect, the
    // canvas font as the cell paints; answers the cell's state.
    TCellState PrepareMeasure(TGxCustomColumn* Column, int ARow, const TRect& Rect);

    // ---- Painting: rows first, then the header, input and footer parts
    // over them; every cell only where it meets the canvas's clip box.
    void WMNCPaint(TMessage& Message) override;
    virtual void PaintReport();
    virtual void PaintReportRows();
    virtual void PaintReportParts();
    // The slides view: the header parts, then the slides over the body.
    virtual void PaintSlides();
    virtual void PaintSlidesParts();
    virtual void PaintSlidesRows();
    virtual void DrawHeaders();
    virtual void DrawSlideCaption(int ACol, int ARow);
    virtual void DrawCell(int ACol, int ARow);
    // Readies the canvas's font; true when the display has a value to paint.
    virtual bool DrawCellData(int ACol, int ARow, TCellState CellState);
    virtual void DrawRowIndicator(int ARow, bool Selected, bool Highlighted);
    void DrawGrid(int ACol, int ARow, const TRect& CellRect, TColor GridColor);
    // A cell of the space below the last row.
    void DrawEmptyCell(int ACol, int ARow);
    void DrawFocusCell();
    // Clips to Rect grown by the grid lines, never below the body.
    void SetClipCellRect(const TRect& Rect);

    // ---- Column reports
    virtual void ColumnsChange(TColumnsOperation Operation, int Value1, int Value2);
    virtual void DoColumnChange(TObject* Sender, TGxCustomColumn* Column, TColumnChangeKind ChangeKind, int Param);
    virtual void DoColumnsRepaint(TObject* Sender, TColumnsOperation Operation, int Value1, int Value2);
    void DoColumnsChanging(TColumnsOperation Operation, int Value1, int Value2);
    void DoColumnsChange(TObject* Sender, TColumnsOperation Operation, int Value1, int Value2);
    // Column becomes null once it has left the columns.
    void ForgetIfGone(TGxCustomColumn*& Column) const;
    void RecreateStyleDisplay();
    void RecalculateGridSpace();

    // ---- Event dispatchers
    virtual void DoAfterEdit(int ACol, int ARow, const WideString& Value);
    virtual void DoAfterRowMove(int FromPos, int ToPos);
    virtual void DoAfterSort(int ACol);
    virtual void DoApplyCell(int ACol, int ARow, WideString& Value);
    virtual void DoApplyEditText(int ACol, int ARow, WideString& Value);
    virtual void DoBeforeEdit(int ACol, int ARow, bool& Accept);
    virtual void DoBeforeSelect(int ACol, int ARow, bool& Accept);
    virtual void DoCellClick(int ACol, int ARow);
    virtual void DoCellColoring(int ACol, int ARow, TColor& CellColor, TColor& GridColor, TCellState CellState);
    virtual void DoCellDblClick(int ACol, int ARow);
    virtual void DoCellHint(int ACol, int ARow, WideString& Value);
    virtual void DoChange(int ACol, int ARow);
    virtual void DoChangeRowHeight(int Index, int Height);
    virtual void DoColumnFooterValue(int ACol, double& Value);
    virtual void DoColumnMove(int ACol, int FromPos, int ToPos);
    virtual void DoColumnResize(int ACol);
    virtual void DoCustomDrawCell(int ACol, int ARow, const TRect& CellRect, TCellState CellState);
    virtual void DoDeselectCell(int ACol, int ARow);
    virtual void DoDrawCellBackground(int ACol, int ARow, const TRect& CellRect, TCellState CellState,
                                      bool& DefaultDrawing);
    virtual void DoEdit(int ACol, int ARow, const WideString& Value);
    virtual void DoEditAccept(int ACol, int ARow, const WideString& Value, bool& Accept);
    virtual void DoEditExit();
    virtual void DoEditText(int ACol, int ARow, WideString& Value);
    virtual void DoFooterCalculate(int ACol, double& Value);
    virtual void DoFooterClick(int ACol);
    virtual void DoHeaderClick(int ACol);
    virtual void DoHeaderDblClick(int ACol);
    virtual void DoInputAccept(bool& Accept);
    virtual void DoInputAdded();
    virtual void DoInputSelectCell(int ACol);
    virtual void DoMeasuringRowHeight(int Index, int& RowHeight);
    virtual void DoPostDraw();
    virtual void DoRowMove(int FromPos, int ToPos, bool& Accept);
    virtual void DoSelectCell(int ACol, int ARow);
    virtual void DoSlideChange(int ACol);
    virtual void DoSlideColoring(int Index, TColor& SlideColor, TColor& GridColor, TSlideState SlideState);
    virtual void DoSortColumn(int ACol, bool Ascending);
    virtual void DoUpdateColumns();

private:
    // The editor a column edits with: the user's, else its own.
    static GxEdit::TGxCustomEdit* EditorOf(TGxCustomColumn* Column);
    // Takes Column's editor for an edit: events, colours, font, its
    // preparation. Input edits colour it as the input row.
    void TakeEditor(TGxCustomColumn* Column, bool Input, int ACol, int ARow);
    // The checks and set-up that open an edit on a body cell, the old edit
    // applied and ended; the cell's column, or null when none may open.
    TGxCustomColumn* OpenCellEdit(int ACol, int ARow);
    // The caret at the end, or everything selected with coEditorAutoSelect.
    void PlaceCaret(TGxCustomColumn* Column);
    // Types Key into the editor as the user would, so it fires OnEdit.
    void TypeIntoEditor(WideChar Key);
    bool OpenInput(TGxCustomColumn* Column);
    // The editor's rectangle over its cell; false while the cell is out of
    // the body (or nothing is edited).
    bool CellEditorRect(TRect& Rect);
    // Applies and ends an edit at a key; false (the edit open, the error
    // reported) when the cell refused the value.
    bool ApplyAndEndAtKey();
    // The editor gives the focus back to the grid, as it goes.
    void FocusGridFromEditor();
    void MoveSelectionSideways(bool Right);
    void SelectEndRow(bool Last, TShiftState Shift);
    // A Shift step's flags: only what differs from the range the last step
    // left, while that range still tells the truth.
    void SelectShiftRange(int Low, int High, bool Add);
    // The next (Down) or previous visible row from ARow that may be selected.
    int SelectableRow(int ARow, bool Down);
    // The left edge of the columns: after the indicator when it shows.
    int IndicatorLeft() const { return HasIndicator() ? IndicatorWidth : 0; }
    int InputHeight() const { return FInputSize + 6 + FGridSpace[lpBottom]; }
    // The right edge of the header, input and footer strips.
    int ColumnsRight();
    // The first visible row from ARow on, -1 when none.
    int VisibleFrom(int ARow);
    // GetRowHeight of a row, RowSize past the rows.
    int HeightOrRowSize(int ARow);
    // The pixels Rows visible rows take, with their grid lines: from the
    // visible row Row on (Forward), or the rows before Row. Past Limit it
    // answers Limit + 1, having looked at no more rows than fit in Limit.
    int RowsSpan(int Row, int Rows, bool Forward, int Limit);
    // Painting's helpers: the cell's rectangle (the row being painted from
    // the paint's running top), the style display readied, the look.
    TRect PaintCellRect(int ACol, int ARow);
    // What a cell may paint (its rectangle grown by its grid lines, within
    // the body and, scrolled, right of the fixed columns); whether R meets
    // what this paint repaints.
    TRect CellExtent(const TRect& CellRect, bool Scrolling);
    bool MeetsPaint(const TRect& R);
    bool Themed();
    void PrepareStyleDisplay();
    void PaintRightOfColumns();
    void PaintCaption();
    void PaintThemedBorder();
    // The colour a slide is filled with before OnSlideColoring sees it.
    TColor SlideFillColor(bool Selected);
    // Refreshing's helpers: an area's rectangle (false while it is not
    // shown); the rows' rectangle clipped to the body (false when none of it
    // is in view); Rect invalidated.
    bool AreaRect(TGridArea Area, TRect& Rect);
    bool RowsRect(int First, int Last, TRect& Rect);
    void InvalidateClientRect(const TRect& Rect);

    TGxColumns* FColumns = nullptr;
    std::array<TOwned<TStyleDisplay>, 5> FStyleDisplays;
    TStyleDisplay* FStyleDisplay = nullptr;
    TNotifyEvent FOnUpdateColumns;
    std::array<int, 5> FGridSpace{};

    TAppearanceOptions FAppearanceOptions{aoHideSelection, aoHighlightSlideCells};
    bool FAutoScroll = false;
    TBorderStyle FBorderStyle = bsSingle;
    WideString FCaption;
    bool FEnableVisualStyles = true;
    int FFixedCols = 0;
    int FFooterSize = 18;
    TColor FGridLinesColor = clBtnFace;
    TGridLinesStyle FGridLinesStyle = lsNormal;
    TGridStyle FGridStyle = gsReport;
    int FHeaderSize = 18;
    THeaderStyle FHeaderStyle = hsAuto;
    bool FHideScrollBar = true;
    TColor FHighlightedTextColor = clHighlightText;
    TColor FInactiveSelectionColor = clBtnFace;
    TInputEnterMode FInputEnterMode = imEditing;
    int FInputSize = 16;
    TGridOptions FOptions{goHeader};
    bool FReadOnly = false;
    int FRowSize = 16;
    TColor FSelectionColor = clHighlight;
    TSelectionMoveDirection FSelectionMoveDirection = mdDown;
    TColor FSlideCaptionColor = clGrayText;
    TSlideOptions FSlidesOptions{soFrame, soHideSelection};
    TColor FSlideSelectionColor = clWindow;
    int FSlideSize = 80;
    TSortedStyle FSortedStyle = soDefault;
    AnsiString FVersion = "4.4";
    bool FWantReturns = false;
    bool FWantTabs = false;

    TGridState FGridState;
    int FFirstRowInView = 0;
    int FFirstVisibleRow = 0;
    int FLastVisibleRow = 0;
    int FSelectedColumn = 0;
    int FSelectedRow = -1;
    int FSelectionAnchorRow = -1;
    // The rows from Low to High that the last Shift step selected; Exact
    // when no other row is selected. Valid until flags change another way.
    struct TSelectionRange {
        bool Valid = false;
        bool Exact = false;
        int Low = 0;
        int High = -1;
    };
    TSelectionRange FRange;
    TPoint FEditingCell{-1, -1};
    bool FInputSelected = false;
    int FInputColumnIndex = -1;
    int FUpdateCount = 0;
    TGxCustomColumn* FSortedColumn = nullptr;
    TGxCustomColumn* FHeaderDownColumn = nullptr;
    TGxCustomColumn* FHoverColumn = nullptr;
    GxEdit::TGxCustomEdit* FInplaceEdit = nullptr;
    // The editor's events are the grid's handlers.
    bool FEditorEventsTaken = false;
    bool FLoadingEditText = false;
    // The last ApplyEditing met a refusing OnEditAccept.
    bool FEditRefused = false;

    TRect FHorzClipRect;
    TRect FVertClipRect;
    int FLastPaintedRow = 0;
    // While the report view paints: the clip box, the row being painted
    // (-1 between rows) with its top and height, the columns in view.
    TRect FPaintClip;
    HRGN FPaintRgn = nullptr;
    int FPaintRow = -1;
    int FPaintTop = 0;
    int FPaintHeight = 0;
    std::vector<int> FPaintColumns;
};

} // namespace GxCustomGridControl
