// grid/GxCustomGridControl.cpp: life, the window, properties, updating,
// the base row operations and the slots later parts fill in.
#include "grid/GxCustomGridControl.h"
#include "platform/rtl/ScopeExit.h"
#include "platform/win/WinScroll.h"

#include <algorithm>

namespace GxCustomGridControl {

namespace {

// A header, input or footer size: from nothing to the largest size painted.
int PartSize(int Value)
{
    return std::clamp(Value, 0, MaxPaintedSize);
}

} // namespace

// ---- Life -------------------------------------------------------------------------------------

TGxCustomGridControl::TGxCustomGridControl(TComponent* AOwner) : TGxScrollControl(AOwner)
{
    SetTabStop(true);
    // Every pixel of the client area is the grid's own: nothing is erased first.
    SetControlStyle(GetControlStyle() + TControlStyle{csOpaque});
    SetBounds(GetLeft(), GetTop(), 250, 150);
    for (int Style = hsAuto; Style <= hsVista; ++Style)
        FStyleDisplays[Style].reset(GetStyleDisplayClass(THeaderStyle(Style))(this));
    FStyleDisplay = FStyleDisplays[hsAuto].get();
    FStyleDisplay->SetCanvas(GetCanvas());
}

TGxCustomGridControl::~TGxCustomGridControl() = default;

void TGxCustomGridControl::AfterConstruction()
{
    TGxScrollControl::AfterConstruction();
    FColumns = GetColumnsClass()(this);
    FColumns->OnChanging = [this](TObject*, TColumnsOperation Operation, int Value1, int Value2) {
        DoColumnsChanging(Operation, Value1, Value2);
    };
    FColumns->OnChange = [this](TObject* Sender, TColumnsOperation Operation, int Value1, int Value2) {
        DoColumnsChange(Sender, Operation, Value1, Value2);
    };
    FColumns->OnColumnChange = [this](TObject* Sender, TGxCustomColumn* Column, TColumnChangeKind Kind, int Param) {
        DoColumnChange(Sender, Column, Kind, Param);
    };
    FColumns->OnRepaint = [this](TObject* Sender, TColumnsOperation Operation, int Value1, int Value2) {
        DoColumnsRepaint(Sender, Operation, Value1, Value2);
    };
}

void TGxCustomGridControl::BeforeDestruction()
{
    TGxScrollControl::BeforeDestruction();
    // An editor that outlives the grid (a user's, on the form) no longer calls into it.
    SetInplaceEdit(nullptr);
    if (FColumns) {
        // The columns go quietly: nobody is left to repaint for.
        FColumns->OnChanging = FColumns->OnChange = FColumns->OnRepaint = nullptr;
        FColumns->OnColumnChange = nullptr;
        FreeAndNil(FColumns);
    }
}

TGxColumnsClass TGxCustomGridControl::GetColumnsClass() const
{
    return [](TComponent* AGrid) -> TGxColumns* { return New<TGxColumns>(AGrid); };
}

void TGxCustomGridControl::CreateParams(TCreateParams& Params)
{
    TGxScrollControl::CreateParams(Params);
    if (FBorderStyle == bsSingle)
        Params.ExStyle |= WS_EX_STATICEDGE;
    else
        Params.ExStyle &= ~WS_EX_STATICEDGE;
    // A new size repaints only what it uncovers; the grid repaints its own parts.
    Params.WindowClass.style &= ~(CS_HREDRAW | CS_VREDRAW);
}

// ---- Properties -----------------------------------------------------------------------------------

void TGxCustomGridControl::SetAppearanceOptions(TAppearanceOptions Value)
{
    FAppearanceOptions = Value;
    RecalculateGridSpace();
    Invalidate();
    RedrawBorder();
    // 3-D lines make every row a pixel taller.
    UpdateVertScrollBar();
}

void TGxCustomGridControl::SetBorderStyle(TBorderStyle Value)
{
    FBorderStyle = Value;
    RecreateWnd();
    // The border took or gave back client height.
    UpdateVertScrollBar();
}

void TGxCustomGridControl::SetCaption(const WideString& Value)
{
    FCaption = Value;
    RefreshArea(gaBody);
}

void TGxCustomGridControl::SetEnableVisualStyles(bool Value)
{
    FEnableVisualStyles = Value;
    Invalidate();
    RedrawBorder();
}

void TGxCustomGridControl::SetFixedCols(int Value)
{
    FFixedCols = Value;
    FColumns->SetFixedCols(Value);
    Invalidate();
}

void TGxCustomGridControl::SetFooterSize(int Value)
{
    FFooterSize = PartSize(Value);
    Invalidate();
    UpdateVertScrollBar();
}

void TGxCustomGridControl::SetGridLinesColor(TColor Value)
{
    FGridLinesColor = Value;
    Invalidate();
}

void TGxCustomGridControl::SetGridLinesStyle(TGridLinesStyle Value)
{
    FGridLinesStyle = Value;
    RecalculateGridSpace();
    Invalidate();
    UpdateVertScrollBar();
}

void TGxCustomGridControl::SetGridStyle(TGridStyle Value)
{
    if (Value == FGridStyle) return;
    FGridStyle = Value;
    // The indicator shows only in the report view: the columns start elsewhere.
    DoUpdateColumns();
    GridStyleChanged();
    if (Value == gsSlides) {
        ApplyAndEndEditing();
        FInputSelected = false;
    }
    Invalidate();
    RefreshCellEditor();
    UpdateHorzScrollBar();
    UpdateVertScrollBar();
}

void TGxCustomGridControl::SetHeaderSize(int Value)
{
    FHeaderSize = PartSize(Value);
    Invalidate();
    RefreshCellEditor();
    UpdateVertScrollBar();
}

void TGxCustomGridControl::SetHeaderStyle(THeaderStyle Value)
{
    if (Value == FHeaderStyle) return;
    FHeaderStyle = Value;
    RecreateStyleDisplay();
}

void TGxCustomGridControl::SetHideScrollBar(bool Value)
{
    FHideScrollBar = Value;
    GetVertScrollBar()->SetAutoHide(Value);
}

void TGxCustomGridControl::SetHighlightedTextColor(TColor Value)
{
    FHighlightedTextColor = Value;
    RefreshSelectedCells();
}

void TGxCustomGridControl::SetInactiveSelectionColor(TColor Value)
{
    FInactiveSelectionColor = Value;
    Invalidate();
}

void TGxCustomGridControl::SetInputSize(int Value)
{
    FInputSize = PartSize(Value);
    Invalidate();
    UpdateVertScrollBar();
}

void TGxCustomGridControl::SetOptions(TGridOptions Value)
{
    const bool IndicatorChanged = Value.Contains(goIndicator) != FOptions.Contains(goIndicator);
    FOptions = Value;
    // The body's left edge moved: the columns are laid out from it again.
    if (IndicatorChanged) DoUpdateColumns();
    RecalculateGridSpace();
    Invalidate();
    RefreshCellEditor();
    UpdateHorzScrollBar();
    // The header, input row, footer and grid lines take body height.
    UpdateVertScrollBar();
}

void TGxCustomGridControl::SetRowSize(int Value)
{
    if (Value < 1) return;
    FRowSize = std::min(Value, MaxPaintedSize);
    RefreshArea(gaBody);
    RefreshArea(gaInput);
    RefreshArea(gaIndicator);
    RefreshCellEditor();
    // As many rows fit as before only if nothing else changed.
    UpdateVertScrollBar();
}

void TGxCustomGridControl::SetSlideCaptionColor(TColor Value)
{
    FSlideCaptionColor = Value;
    Invalidate();
}

void TGxCustomGridControl::SetSlidesOptions(TSlideOptions Value)
{
    FSlidesOptions = Value;
    Invalidate();
}

void TGxCustomGridControl::SetSlideSelectionColor(TColor Value)
{
    FSlideSelectionColor = Value;
    Invalidate();
}

void TGxCustomGridControl::SetSlideSize(int Value)
{
    // A slide is never empty.
    if (Value < 1) return;
    FSlideSize = std::min(Value, MaxPaintedSize);
    UpdateVertScrollBar();
    Invalidate();
}

void TGxCustomGridControl::SetSortedStyle(TSortedStyle Value)
{
    FSortedStyle = Value;
    Invalidate();
}

void TGxCustomGridControl::RecreateStyleDisplay()
{
    FStyleDisplay = FStyleDisplays[FHeaderStyle].get();
    FStyleDisplay->SetCanvas(GetCanvas());
    Invalidate();
    RedrawBorder();
}

void TGxCustomGridControl::RecalculateGridSpace()
{
    FGridSpace = {};
    if (FOptions.Contains(goGrid)) {
        const bool Lines3D = FAppearanceOptions.Contains(ao3DGridLines);
        if (FGridLinesStyle != lsHorizontalOnly && FGridLinesStyle != lsActiveHorzOnly) {
            FGridSpace[lpRight] = 1;
            FGridSpace[lpLeft] = Lines3D;
        }
        if (FGridLinesStyle != lsVerticalOnly) {
            FGridSpace[lpBottom] = 1;
            FGridSpace[lpTop] = Lines3D;
        }
    }
    FGridSpace[lpTopBottom] = FGridSpace[lpTop] + FGridSpace[lpBottom];
}

// ---- Updating -------------------------------------------------------------------------------------

void TGxCustomGridControl::BeginUpdate()
{
    ++FUpdateCount;
}

void TGxCustomGridControl::EndUpdate()
{
    if (FUpdateCount > 0) --FUpdateCount;
    if (FUpdateCount > 0) return;
    RefreshArea(gaBody);
    if (FOptions.Contains(goHeader)) RefreshArea(gaHeader);
    if (FOptions.Contains(goIndicator)) RefreshArea(gaIndicator);
    UpdateVertScrollBar();
}

// ---- Rows -------------------------------------------------------------------------------------------

int TGxCustomGridControl::GetRowHeight(int)
{
    return FRowSize;
}

void TGxCustomGridControl::SetRowHeight(int ARow, int Value)
{
    DoChangeRowHeight(ARow, Value);
}

bool TGxCustomGridControl::GetRowVisible(int)
{
    return true;
}

void TGxCustomGridControl::SetRowVisible(int ARow, bool Value)
{
    if (Value) {
        FFirstVisibleRow = std::min(FFirstVisibleRow, ARow);
        FLastVisibleRow = std::max(FLastVisibleRow, ARow);
        return;
    }
    if (ARow == FFirstVisibleRow) FFirstVisibleRow = GetFirstVisible(ARow);
    if (ARow == FLastVisibleRow) FLastVisibleRow = GetLastVisible(ARow);
}

int TGxCustomGridControl::GetRowLevel(int)
{
    return 0;
}

int TGxCustomGridControl::GetOnScreenBefore(int ARow)
{
    return std::clamp(ARow, 0, GetRowCount());
}

int TGxCustomGridControl::GetOnScreenRow(int K)
{
    return K >= 0 && K < GetRowCount() ? K : -1;
}

int TGxCustomGridControl::GetNextOnScreen(int ARow)
{
    const int Next = std::max(ARow + 1, 0);
    return Next < GetRowCount() ? Next : -1;
}

int TGxCustomGridControl::GetPriorOnScreen(int ARow)
{
    const int Prior = std::min(ARow, GetRowCount()) - 1;
    return Prior >= 0 ? Prior : -1;
}

void TGxCustomGridControl::ClearRows()
{
    ApplyAndEndEditing();
    FFirstRowInView = 0;
    FSelectedColumn = 0;
    FSelectedRow = -1;
    FSelectionAnchorRow = -1;
    FRange.Valid = false;
}

void TGxCustomGridControl::InsertRow(int Index)
{
    ApplyAndEndEditing();
    FRange.Valid = false;
    if (FSelectionAnchorRow >= Index) ++FSelectionAnchorRow;
    FFirstVisibleRow = std::min(FFirstVisibleRow, Index);
    if (GetVertScrollBar()->GetPosition() == 0) FFirstRowInView = FFirstVisibleRow;
}

void TGxCustomGridControl::MoveRow(int, int)
{
    FRange.Valid = false;
    Invalidate();
    ApplyAndEndEditing();
}

void TGxCustomGridControl::DeleteRow(int Index)
{
    ApplyAndEndEditing();
    FRange.Valid = false;
    // The anchor follows its row, and names none once its row goes.
    if (FSelectionAnchorRow == Index)
        FSelectionAnchorRow = -1;
    else if (FSelectionAnchorRow > Index)
        --FSelectionAnchorRow;
}

void TGxCustomGridControl::SetRowCount(int Value)
{
    if (Value < 0) return;
    // One repaint at the end instead of one scroll per row.
    BeginUpdate();
    const TScopeExit Ended([this] { EndUpdate(); });
    while (GetRowCount() > Value)
        DeleteRow(GetRowCount() - 1);
    if (GetRowCount() < Value) AddRow(Value - GetRowCount());
}

bool TGxCustomGridControl::CanMoveRow(int FromIndex, int ToIndex)
{
    bool Accept = true;
    DoRowMove(FromIndex, ToIndex, Accept);
    return Accept;
}

void TGxCustomGridControl::ReadRowTexts(int ARow, TRowTexts& Row)
{
    const auto Count = std::size_t(FColumns->GetCount());
    Row.Texts.resize(Count);
    Row.Held.resize(Count); // before any view into it is taken
    for (std::size_t Col = 0; Col < Count; ++Col)
        Row.Texts[Col] = Row.Held[Col] = GetCells(int(Col), ARow);
}

void TGxCustomGridControl::ReadDrawTexts(int ARow, const std::vector<int>& Cols, TRowTexts& Row)
{
    Row.Texts.resize(Cols.size());
    Row.Held.resize(Cols.size()); // before any view into it is taken
    for (std::size_t I = 0; I < Cols.size(); ++I)
        Row.Texts[I] = Row.Held[I] = GetDrawText(Cols[I], ARow);
}

std::unique_ptr<TStoredRows> TGxCustomGridControl::StoredRows(const std::vector<int>&, bool, std::size_t, std::size_t)
{
    return nullptr;
}

WideString TGxCustomGridControl::GetTextStr()
{
    WideString Text;
    TRowTexts Texts;
    const int Rows = GetRowCount();
    for (int Row = 0; Row < Rows; ++Row) {
        ReadRowTexts(Row, Texts);
        for (const std::u16string_view Cell : Texts.Texts) {
            Text += Cell;
            Text += u"\r\n";
        }
    }
    return Text;
}

bool TGxCustomGridControl::IsCellEmpty(int, int)
{
    return false;
}

TColor TGxCustomGridControl::GetCellColor(int ACol, int)
{
    return FColumns->GetItem(ACol)->GetColor();
}

WideString TGxCustomGridControl::GetCellHint(int ACol, int ARow)
{
    WideString Hint;
    DoCellHint(ACol, ARow, Hint);
    return Hint;
}

bool TGxCustomGridControl::CanSelectCell(int ACol, int ARow)
{
    bool Accept = true;
    DoBeforeSelect(ACol, ARow, Accept);
    return Accept;
}

bool TGxCustomGridControl::CanEdit(int, int)
{
    return true;
}

void TGxCustomGridControl::SortColumn(TGxCustomColumn* Column, bool)
{
    if (!Column->GetOptions().Contains(coCanSort)) return;
    ApplyAndEndEditing();
    FRange.Valid = false;
    FSortedColumn = Column;
    DoSortColumn(Column->GetIndex(), Column->GetSortKind() == skAscending);
}

void TGxCustomGridControl::Resort()
{
    if (FSortedColumn) SortColumn(FSortedColumn, FSortedColumn->GetSortKind() == skAscending);
}

} // namespace GxCustomGridControl
