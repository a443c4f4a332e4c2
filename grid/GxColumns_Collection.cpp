// grid/GxColumns_Collection.cpp: the collection's two orders, its
// operations and its reports.
#include "grid/GxColumns.h"

#include <algorithm>

namespace GxColumns {

namespace {

[[noreturn]] void IndexError(int Index)
{
    throw EListError("List index out of bounds (" + IntToStr(Index) + ")");
}

TGxCustomColumn* CheckedAt(const std::vector<TGxCustomColumn*>& List, int Index)
{
    if (Index < 0 || Index >= int(List.size())) IndexError(Index);
    return List[Index];
}

int IndexIn(const std::vector<TGxCustomColumn*>& List, const TGxCustomColumn* Column)
{
    auto It = std::find(List.begin(), List.end(), Column);
    return It == List.end() ? -1 : int(It - List.begin());
}

} // namespace

TGxColumns::TGxColumns(TComponent* AOwner) : TComponent(AOwner), FGrid(dynamic_cast<IGridHost*>(AOwner))
{
    if (!FGrid) throw EInvalidOperation("Invalid class typecast");
    FGrid->SetOnUpdateColumns([this](TObject*) { UpdateColumns(false); });
}

TGxColumns::~TGxColumns()
{
    FreeColumns();
    if (!GridDestroying()) FGrid->SetOnUpdateColumns(nullptr);
}

void TGxColumns::BeforeDestruction()
{
    TComponent::BeforeDestruction();
    FreeColumns();
}

void TGxColumns::FreeColumns()
{
    while (!FItems.empty()) {
        TGxCustomColumn* Column = FItems.back();
        Free(Column); // leaves the lists on its way out
        if (!FItems.empty() && FItems.back() == Column) FItems.pop_back();
    }
    FPositions.clear();
}

bool TGxColumns::GridDestroying() const
{
    return GetOwner() && GetOwner()->GetComponentState().Contains(csDestroying);
}

// ---- Reading -------------------------------------------------------------------------------------

TGxCustomColumn* TGxColumns::GetItem(int Index) const
{
    return CheckedAt(FItems, Index);
}

TGxCustomColumn* TGxColumns::GetPositionItem(int Index) const
{
    return CheckedAt(FPositions, Index);
}

int TGxColumns::GetVisibleCount() const
{
    return int(std::count_if(FItems.begin(), FItems.end(), [](auto* C) { return C->FVisible; }));
}

int TGxColumns::GetClientWidth() const
{
    int Width = 0;
    for (const TGxCustomColumn* Column : FItems)
        if (Column->FVisible) Width += Column->FWidth;
    return Width;
}

TGxCustomColumn* TGxColumns::GetFirst() const
{
    auto It = std::find_if(FPositions.begin(), FPositions.end(), [](auto* C) { return C->FVisible; });
    return It == FPositions.end() ? nullptr : *It;
}

TGxCustomColumn* TGxColumns::GetLast() const
{
    auto It = std::find_if(FPositions.rbegin(), FPositions.rend(), [](auto* C) { return C->FVisible; });
    return It == FPositions.rend() ? nullptr : *It;
}

TGxCustomColumn* TGxColumns::GetNextColumn(TGxCustomColumn* AColumn) const
{
    for (int P = std::max(PositionOf(AColumn), 0); P < int(FPositions.size()); ++P) {
        TGxCustomColumn* Column = FPositions[P];
        if (Column != AColumn && Column->FEnabled && Column->FVisible) return Column;
    }
    return AColumn;
}

TGxCustomColumn* TGxColumns::GetPrevColumn(TGxCustomColumn* AColumn) const
{
    for (int P = PositionOf(AColumn); P >= 0; --P) {
        TGxCustomColumn* Column = FPositions[P];
        if (Column != AColumn && Column->FEnabled && Column->FVisible) return Column;
    }
    return AColumn;
}

int TGxColumns::IndexOf(const TGxCustomColumn* AColumn) const
{
    return IndexIn(FItems, AColumn);
}

int TGxColumns::PositionOf(const TGxCustomColumn* AColumn) const
{
    return IndexIn(FPositions, AColumn);
}

TGxCustomColumn* TGxColumns::GetColumn(const AnsiString& Name) const
{
    for (TGxCustomColumn* Column : FItems)
        if (SameText(Column->GetName(), Name)) return Column;
    return nullptr;
}

AnsiString TGxColumns::UniqueName(const AnsiString& Base) const
{
    TComponent* Form = FGrid->GetOwner();
    for (int N = 1;; ++N) {
        AnsiString Name = Base + IntToStr(N);
        if (!Form || !Form->FindComponent(Name)) return Name;
    }
}

bool TGxColumns::Clipped(const TGxCustomColumn* AColumn) const
{
    if (AColumn->FPosition < FFixedCols) return false;
    return AColumn->FLeft + AColumn->FWidth - FGrid->GetHorzScrollPos() < FFixedWidth;
}

// ---- Changing ------------------------------------------------------------------------------------

void TGxColumns::CheckCapacity() const
{
    // The cell store has a slot for each column the grid can hold.
    if (GetCount() >= MaxColumns) throw EListError("List capacity out of bounds (" + IntToStr(GetCount() + 1) + ")");
}

void TGxColumns::Adopt(TGxCustomColumn* AColumn)
{
    if (AColumn->FColumns != this) CheckCapacity();
    if (AColumn->FColumns) AColumn->FColumns->Remove(AColumn);
    AColumn->FColumns = this;
}

TGxCustomColumn* TGxColumns::MakeColumn(TGxCustomColumnClass ColumnClass,
                                        const std::function<void(TGxCustomColumn*)>& Place)
{
    CheckCapacity();
    TGxCustomColumn* Column = ColumnClass(this);
    try {
        Place(Column);
    } catch (...) {
        Free(Column);
        throw;
    }
    return Column;
}

TGxCustomColumn* TGxColumns::Add(TGxCustomColumnClass ColumnClass, const WideString& Caption)
{
    return MakeColumn(ColumnClass, [&](TGxCustomColumn* Column) {
        AddColumn(Column);
        Column->SetColor(FGrid->GetColor());
        Column->SetCursor(FGrid->GetCursor());
        if (Column->FParentFont) Column->SetParentFont(true);
        Column->FHeader->SetCaption(Caption);
    });
}

void TGxColumns::AddColumn(TGxCustomColumn* AColumn)
{
    Adopt(AColumn);
    DoChanging(opAdd, -1, -1);
    FItems.push_back(AColumn);
    FPositions.push_back(AColumn);
    AColumn->FPosition = int(FPositions.size()) - 1;
    UpdateColumns(false);
    ResizeColumns(nullptr, false);
    DoChange(opAdd, ctNone, -1, -1);
    DoRepaint(opAdd, ctNone, -1, -1);
}

TGxCustomColumn* TGxColumns::Insert(TGxCustomColumnClass ColumnClass, int Index)
{
    return MakeColumn(ColumnClass, [&](TGxCustomColumn* Column) {
        Column->SetColor(FGrid->GetColor());
        Column->SetCursor(FGrid->GetCursor());
        Column->SetFont(FGrid->GetFont());
        InsertColumn(Column, Index);
    });
}

void TGxColumns::InsertColumn(TGxCustomColumn* AColumn, int Index)
{
    if (Index < 0 || Index > GetCount() - (AColumn->FColumns == this ? 1 : 0)) IndexError(Index);
    Adopt(AColumn);
    DoChanging(GxColumns::opInsert, Index, -1);
    FItems.insert(FItems.begin() + Index, AColumn);
    FPositions.push_back(AColumn);
    UpdateColumns(true);
    ResizeColumns(nullptr, false);
    DoChange(GxColumns::opInsert, ctNone, Index, -1);
    DoRepaint(GxColumns::opInsert, ctNone, Index, -1);
}

void TGxColumns::Move(int FromIndex, int ToIndex)
{
    if (!Exists(FromIndex) || !Exists(ToIndex)) return;
    DoChanging(opMove, FromIndex, ToIndex);
    TGxCustomColumn* Column = FItems[FromIndex];
    FItems.erase(FItems.begin() + FromIndex);
    FItems.insert(FItems.begin() + ToIndex, Column);
    UpdateColumns(false);
    DoChange(opMove, ctNone, FromIndex, ToIndex);
    DoRepaint(opMove, ctNone, FromIndex, ToIndex);
}

void TGxColumns::ChangePosition(int FromPos, int ToPos)
{
    if (FromPos == ToPos) return;
    TGxCustomColumn* Column = CheckedAt(FPositions, FromPos);
    CheckedAt(FPositions, ToPos);
    FPositions.erase(FPositions.begin() + FromPos);
    FPositions.insert(FPositions.begin() + ToPos, Column);
    UpdateColumns(true);
    DoColumnChange(Column, ccPosition, FromPos);
}

void TGxColumns::Remove(TGxCustomColumn* AColumn)
{
    const int Index = IndexOf(AColumn);
    if (Index < 0) return;
    DoChanging(opDelete, Index, -1);
    // Both orders lose the column before anyone hears of it.
    FItems.erase(FItems.begin() + Index);
    std::erase(FPositions, AColumn);
    AColumn->FColumns = nullptr;
    DoChange(opDelete, ctNone, Index, -1);
    if (GridDestroying()) return;
    UpdateColumns(true);
    ResizeColumns(nullptr, false);
    DoRepaint(opDelete, ctNone, Index, -1);
}

void TGxColumns::Delete(int Index)
{
    Free(GetItem(Index));
}

void TGxColumns::Clear()
{
    DoChanging(opClear, -1, -1);
    FreeColumns();
    DoChange(opClear, ctNone, -1, -1);
    DoRepaint(opClear, ctNone, -1, -1);
}

void TGxColumns::HideAll()
{
    for (TGxCustomColumn* Column : FItems) {
        Column->FVisible = false;
        Column->FVisibleIndex = -1;
        Column->FLeft = 0;
        Column->Notify(ccVisibleChange);
        Column->NotifyColumnChange(ccVisible, -1);
    }
    DoRepaint(opDelete, ctNone, -1, -1);
}

void TGxColumns::SetFixedCols(int Value)
{
    FFixedCols = Value;
    UpdateColumns(false);
}

void TGxColumns::UpdateColumn(TGxCustomColumn* AColumn, TGridArea Area)
{
    FGrid->RefreshColumn(AColumn, Area);
}

// ---- Reports ----------------------------------------------------------------------------------------

void TGxColumns::DoColumnChange(TGxCustomColumn* AColumn, TColumnChangeKind ChangeKind, int Param)
{
    if (OnColumnChange) OnColumnChange(this, AColumn, ChangeKind, Param);
}

void TGxColumns::DoChanging(TColumnsOperation Operation, int Value1, int Value2)
{
    if (OnChanging) OnChanging(this, Operation, Value1, Value2);
}

void TGxColumns::DoChange(TColumnsOperation Operation, TColumnType, int Value1, int Value2)
{
    if (OnChange) OnChange(this, Operation, Value1, Value2);
}

void TGxColumns::DoRepaint(TColumnsOperation Operation, TColumnType, int Value1, int Value2)
{
    if (OnRepaint) OnRepaint(this, Operation, Value1, Value2);
}

} // namespace GxColumns
