// grid/GxColumns_Properties.cpp: a column's property setters. Each stores
// first, then reports; a column without a collection reaches no grid.
#include "grid/GxColumns.h"
#include "grid/shared/GxEdit.h"
#include "platform/rtl/ScopeExit.h"

#include <algorithm>

namespace GxColumns {

void TGxCustomColumn::SetAlignment(TAlignment Value)
{
    FAlignment = Value;
    Notify(ccAlignChange);
    NotifyColumnChange(ccUndefined, -1);
}

void TGxCustomColumn::SetBiDiMode(TBiDiMode Value)
{
    FBiDiMode = Value;
    NotifyColumnChange(ccUndefined, -1);
}

void TGxCustomColumn::SetColor(TColor Value)
{
    FColor = Value;
    Notify(cnColorChange);
    NotifyColumnChange(ccUndefined, -1);
}

void TGxCustomColumn::SetCursor(TCursor Value)
{
    FCursor = Value;
    NotifyColumnChange(ccUndefined, -1);
}

void TGxCustomColumn::SetDrawingOptions(TDrawingOptions Value)
{
    FDrawingOptions = Value;
    Notify(ccDrawingChange);
    NotifyColumnChange(ccUndefined, -1);
}

void TGxCustomColumn::SetFont(TFont* Value)
{
    FFont->Assign(Value);
    NotifyColumnChange(ccUndefined, -1);
}

void TGxCustomColumn::SetFooter(TColumnFooter* Value)
{
    FFooter->Assign(Value);
    NotifyColumnChange(ccUndefined, -1);
}

void TGxCustomColumn::SetHeader(TColumnHeader* Value)
{
    FHeader->Assign(Value);
    NotifyColumnChange(ccUndefined, -1);
}

void TGxCustomColumn::SetInplaceEdit(GxEdit::TGxCustomEdit* Value)
{
    if (Value == FInplaceEdit) return;
    if (FInplaceEdit) FInplaceEdit->RemoveFreeNotification(this);
    FInplaceEdit = Value;
    if (Value) Value->FreeNotification(this);
}

void TGxCustomColumn::SetInputCaption(const WideString& Value)
{
    FInputCaption = Value;
    NotifyColumnChange(ccUndefined, -1);
}

void TGxCustomColumn::SetInputValue(const WideString& Value)
{
    FInputValue = Value;
    NotifyColumnChange(ccInputChange, -1);
}

void TGxCustomColumn::SetOptions(TColumnOptions Value)
{
    const TColumnOptions Old = FOptions;
    if (FColumns && Value.Contains(coSearchColumn) && !Old.Contains(coSearchColumn)) {
        // One search column at a time. A handler may free columns on the way:
        // one that has left the collection is not read again.
        const std::vector<TGxCustomColumn*> Items = FColumns->FItems;
        for (TGxCustomColumn* Column : Items) {
            if (!FColumns || FColumns->IndexOf(Column) < 0) continue;
            if (Column == this || !Column->FOptions.Contains(coSearchColumn)) continue;
            TColumnOptions Options = Column->FOptions;
            Options.Exclude(coSearchColumn);
            Column->SetOptions(Options);
        }
    }
    FOptions = Value;
    if (FColumns && FColumns->IsReadingState()) return;
    if (FColumns && !(Old.Contains(coAutoSize) && Value.Contains(coAutoSize))) FColumns->ResizeColumns(this, true);
    NotifyColumnChange(ccUndefined, -1);
    Notify(cnOptionsChange);
}

void TGxCustomColumn::SetParentCellColor(bool Value)
{
    FParentCellColor = Value;
    Refresh(gaBody);
}

void TGxCustomColumn::SetParentFont(bool Value)
{
    FParentFont = Value;
    IGridHost* Host = Grid();
    if (!Value || !Host) return;
    TRestore<bool> Copying(FCopyingParentFont, true);
    FFont->Assign(Host->GetFont());
}

void TGxCustomColumn::SetPosition(int Value)
{
    if (FColumns && !FColumns->IsReadingState()) {
        FColumns->ChangePosition(FPosition, Value);
        NotifyColumnChange(ccPosition, -1);
    }
    FPosition = Value;
}

void TGxCustomColumn::SetSlideBounds(TGxSlideBounds* Value)
{
    FSlideBounds->Assign(Value);
    NotifyColumnChange(ccUndefined, -1);
}

void TGxCustomColumn::SetSlideCaption(const AnsiString& Value)
{
    FSlideCaption = Value;
    Refresh(gaNone);
}

void TGxCustomColumn::SetSlideCaptionLocation(TSlideCatpionLocation Value)
{
    FSlideCaptionLocation = Value;
    NotifyColumnChange(ccUndefined, -1);
}

void TGxCustomColumn::SetSorted(bool Value)
{
    if (GetColumnStyle().Contains(csDisableSorting)) return;
    if (!Value) {
        FSorted = false;
        NotifyColumnChange(ccUnsorted, -1);
        return;
    }
    // One sorted column at a time: the one that was sorted reports first.
    // A handler may free columns on the way: one that has left the
    // collection is not read again.
    if (FColumns) {
        const std::vector<TGxCustomColumn*> Items = FColumns->FItems;
        for (TGxCustomColumn* Column : Items)
            if (FColumns && FColumns->IndexOf(Column) >= 0 && Column->FSorted) Column->SetSorted(false);
    }
    FSorted = true;
    NotifyColumnChange(ccSorted, -1);
}

void TGxCustomColumn::SetSortKind(TSortKind Value)
{
    FSortKind = Value;
    NotifyColumnChange(ccSortTypeChange, -1);
}

void TGxCustomColumn::SetSortType(TSortType Value)
{
    FSortType = Value;
    NotifyColumnChange(ccSortTypeChange, -1);
}

void TGxCustomColumn::SetVerticalAlignment(TVerticalAlignment Value)
{
    FVerticalAlignment = Value;
    NotifyColumnChange(ccUndefined, -1);
}

void TGxCustomColumn::SetVisible(bool Value)
{
    if (Value == FVisible) return;
    FVisible = Value;
    Notify(ccVisibleChange);
    if (!FColumns || IsLoading()) return;
    FColumns->UpdateColumns(false);
    FColumns->ResizeColumns(nullptr, false);
    NotifyColumnChange(ccVisible, -1);
}

void TGxCustomColumn::SetWidth(int Value)
{
    SetSilentWidth(Value);
    if (FColumns) FColumns->ResizeColumns(this, false);
    if (GetComponentState().Contains(csDesigning)) FDefaultWidth = FWidth;
}

void TGxCustomColumn::SetSilentWidth(int Value)
{
    const int Old = FWidth;
    FWidth = std::clamp(Value, 8, MaxPaintedSize);
    if (FColumns && !IsLoading()) FColumns->UpdateColumns(false);
    NotifyColumnChange(ccWidth, FWidth - Old);
}

void TGxCustomColumn::SetWrapKind(TWrapKind Value)
{
    FWrapKind = Value;
    Refresh(gaBody);
}

} // namespace GxColumns
