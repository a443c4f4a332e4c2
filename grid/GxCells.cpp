// grid/GxCells.cpp
#include "grid/GxCells.h"

#include <algorithm>

namespace GxCells {

namespace {

[[noreturn]] void IndexError(int Index)
{
    throw EListError(Format("List index out of bounds (%d)", {Index}));
}

void CheckRange(int Index, int Count)
{
    if (Index < 0 || Index >= Count) IndexError(Index);
}

} // namespace

TCells::TCells(IGridHost* AOwner, TGxColumns* AColumns) : FOwner(AOwner), FColumnItems(AColumns) {}

TCells::~TCells()
{
    ClearRows();
    ClearColumns();
}

void TCells::CheckRow(int ARow) const
{
    CheckRange(ARow, GetRowCount());
}

void TCells::CheckColumn(int ACol) const
{
    CheckRange(ACol, GetColumnCount());
}

int TCells::FindColumn(const TCell& Cell) const
{
    for (int C = 0; C < GetColumnCount(); ++C)
        if (FColumns[std::size_t(C)]->Serial == Cell.FColumnSerial) return Cell.FColumnHint = C;
    return -1;
}

// ---- Reading ------------------------------------------------------------------

TCell TCells::GetCell(int ACol, int ARow)
{
    CheckColumn(ACol);
    CheckRow(ARow);
    FCurrentColumn = ACol;
    FCurrentRow = ARow;
    return CellAt(ACol, FRows[std::size_t(ARow)]);
}

bool TCells::GetStoredText(int ACol, int ARow, std::u16string_view& Text)
{
    CheckColumn(ACol);
    CheckRow(ARow);
    FCurrentColumn = ACol;
    FCurrentRow = ARow;
    const TCellColumn& Column = ColumnAt(ACol);
    const std::uint32_t Slot = FRows[std::size_t(ARow)];
    if (Column.GetSlot(Slot) != TCellSlot::String) return false;
    Text = Column.GetText(Slot);
    return true;
}

void TCells::ReadRowTexts(int ARow, TRowTexts& Row)
{
    CheckRow(ARow);
    const std::uint32_t Slot = FRows[std::size_t(ARow)];
    const auto Count = std::size_t(GetColumnCount());
    Row.Texts.resize(Count);
    Row.Held.resize(Count); // before any view into it is taken
    // A virtual cell asks the program for its text, which may change the
    // store: when a row has such cells, the views into the columns are taken
    // again once they are made.
    const std::uint64_t Shape = FShape;
    bool Made = false;
    for (std::size_t C = 0; C < Count; ++C) {
        const TCellColumn& Column = ColumnAt(int(C));
        if (Column.GetSlot(Slot) == TCellSlot::String)
            Row.Texts[C] = Column.GetText(Slot);
        else {
            Row.Texts[C] = Row.Held[C] = CellAt(int(C), Slot).GetAsString();
            Made = true;
        }
    }
    if (Made && FShape != Shape) throw EInvalidOperation("Rows or columns changed while a row was read");
    for (std::size_t C = 0; Made && C < Count; ++C) {
        const TCellColumn& Column = ColumnAt(int(C));
        if (Column.GetSlot(Slot) == TCellSlot::String) Row.Texts[C] = Column.GetText(Slot);
    }
    if (GetColumnCount() > 0) {
        FCurrentColumn = GetColumnCount() - 1;
        FCurrentRow = ARow;
    }
}

namespace {

// Reads the columns' arrays and the row order, nothing else: no index, cache
// or current cell is touched, so threads may read it together.
class TCellTexts : public TStoredRows {
public:
    TCellTexts(std::vector<const TCellColumn*> AColumns, const std::vector<std::uint32_t>& ARows)
        : FColumns(std::move(AColumns)), FRows(ARows)
    {
    }
    void Read(int Row, std::vector<std::u16string_view>& Texts) const override
    {
        const std::uint32_t Slot = FRows[std::size_t(Row)];
        Texts.resize(FColumns.size());
        for (std::size_t C = 0; C < FColumns.size(); ++C)
            Texts[C] = FColumns[C]->GetText(Slot);
    }

private:
    const std::vector<const TCellColumn*> FColumns;
    const std::vector<std::uint32_t>& FRows;
};

} // namespace

std::unique_ptr<TStoredRows> TCells::StoredRows(const std::vector<int>& Cols, std::size_t RangeSize,
                                                std::size_t RowExtra)
{
    std::vector<const TCellColumn*> Columns;
    for (const int Col : Cols) {
        CheckColumn(Col);
        Columns.push_back(&ColumnAt(Col));
    }
    std::vector<int> Ranges;
    std::size_t Size = 0;
    for (int Row = 0; Row < GetRowCount(); ++Row) {
        const std::uint32_t Slot = FRows[std::size_t(Row)];
        if (Size == 0) Ranges.push_back(Row);
        Size += RowExtra;
        for (const TCellColumn* Column : Columns) {
            if (Column->GetSlot(Slot) != TCellSlot::String) return nullptr;
            Size += Column->GetText(Slot).size();
        }
        if (Size >= RangeSize) Size = 0;
    }
    Ranges.push_back(GetRowCount());
    auto Texts = std::make_unique<TCellTexts>(std::move(Columns), FRows);
    Texts->Ranges = std::move(Ranges);
    if (!Cols.empty() && GetRowCount() > 0) {
        FCurrentColumn = Cols.back();
        FCurrentRow = GetRowCount() - 1;
    }
    return Texts;
}

int TCells::FindRow(int ACol, int From, int To, bool OffScreen, const std::function<bool(std::u16string_view)>& Match)
{
    CheckColumn(ACol);
    const TCellColumn& Column = ColumnAt(ACol);
    WideString Held;
    for (int Row = std::max(From, 0), Last = std::min(To, GetRowCount() - 1); Row <= Last; ++Row) {
        if (!OffScreen && !FOnScreen.Get(Row)) continue;
        const std::uint32_t Slot = FRows[std::size_t(Row)];
        if (Column.GetSlot(Slot) == TCellSlot::String) {
            if (Match(Column.GetText(Slot))) return Row;
        } else {
            // A virtual cell asks the program for its text, which may change the store under the search.
            const std::uint64_t Shape = FShape;
            Held = CellAt(ACol, Slot).GetAsString();
            if (FShape != Shape) throw EInvalidOperation("Rows or columns changed during a search");
            if (Match(Held)) return Row;
        }
    }
    return -1;
}

TRow* TCells::GetRow(int ARow) const
{
    CheckRow(ARow);
    return &RowAt(ARow);
}

int TCells::GetRowIndex(const TRow* ARow) const
{
    return FPool.SlotOf(ARow) < 0 ? -1 : ARow->FIndex;
}

int TCells::GetCellRowIndex(const TCell& ACell) const
{
    if (ACell.FCells != this || ColumnIndexOf(ACell) < 0) return -1;
    const TRow* Row = FPool.Find(ACell.FRowSlot, ACell.FRowSerial);
    return Row ? Row->FIndex : -1;
}

int TCells::GetChildCount(int ARow) const
{
    CheckRow(ARow);
    const int Level = RowAt(ARow).FLevel;
    int K = ARow + 1;
    while (K < GetRowCount() && RowAt(K).FLevel > Level)
        ++K;
    return K - ARow - 1;
}

int TCells::GetChildsCount(int ARow) const
{
    CheckRow(ARow);
    const int Level = RowAt(ARow).FLevel;
    int K = ARow + 1;
    while (K < GetRowCount() && RowAt(K).FLevel == Level + 1)
        ++K;
    return K - ARow - 1;
}

int TCells::GetAbsoluteIndex(int AIndex, int ARow) const
{
    CheckRow(ARow);
    const int Level = RowAt(ARow).FLevel;
    int Found = 0;
    for (int K = ARow + 1; K < GetRowCount() && RowAt(K).FLevel > Level; ++K)
        if (RowAt(K).FLevel == Level + 1 && Found++ == AIndex) return K;
    return -1;
}

// ---- Making rows and cells ------------------------------------------------------

namespace {

// Each operation keeps its own table: an appended or child row counts itself
// in an auto-increment column, an inserted one holds an integer; a GUID
// column draws a GUID for appended rows and new columns only.
TCellSlot SlotFor(TColumnType Type, bool Appending, bool InsertingRow)
{
    switch (Type) {
    case ctAutoInc:
        return Appending ? TCellSlot::Increment : TCellSlot::Integer;
    case ctBoolean:
        return TCellSlot::Boolean;
    case ctDate:
        return TCellSlot::DateTime;
    case ctFloat:
        return TCellSlot::Float;
    case ctInteger:
        return TCellSlot::Integer;
    case ctGuid:
        return InsertingRow ? TCellSlot::String : TCellSlot::Guid;
    case ctVirtual:
        return TCellSlot::Virtual;
    default:
        return TCellSlot::String;
    }
}

} // namespace

void TCells::MakeCell(int ACol, const TGxCustomColumn* Item, std::uint32_t Slot, TMaker Maker)
{
    const bool Appending = Maker == TMaker::Append || Maker == TMaker::Child;
    const bool InsertingRow = Maker == TMaker::Insert || Maker == TMaker::Child;
    const TCellSlot Class = SlotFor(Item->GetColumnType(), Appending, InsertingRow);
    ColumnAt(ACol).Make(Slot, Class, Item->GetColor(), Item->GetFont()->GetStyle());
    if (Class >= TCellSlot::Guid) TCellBehaviour::Of(Class).Made(CellAt(ACol, Slot));
}

void TCells::MakeCells(std::uint32_t Slot, TMaker Maker)
{
    for (int C = 0; C < GetColumnCount(); ++C)
        MakeCell(C, FColumnItems->GetItem(C), Slot, Maker);
}

static_assert(TCellColumn::BlockSize == TRowPool::BlockSize, "the columns grow a pool block at a time");

std::uint32_t TCells::NewRow(int Height, TRow* Parent)
{
    const std::uint32_t Slot = FPool.Allocate();
    // The columns grow a pool block at a time.
    if (!FColumns.empty() && Slot >= FColumns.front()->GetSlotCount())
        for (auto& Column : FColumns)
            Column->Grow(std::uint32_t(FPool.GetBlockCount()) * TRowPool::BlockSize);
    TRow& Row = FPool.At(Slot);
    Row.FHeight = Height;
    if (Parent) {
        Row.FParent = Parent;
        Row.FLevel = Parent->FLevel + 1;
        ++FTreeRows;
    }
    ++FShape;
    return Slot;
}

void TCells::Renumber(int From, int To)
{
    for (int R = From; R <= To; ++R)
        RowAt(R).FIndex = R;
}

void TCells::PlaceRow(int Index, std::uint32_t Slot)
{
    FRows.insert(FRows.begin() + Index, Slot);
    Renumber(Index, GetRowCount() - 1);
    FOnScreen.Insert(Index, FPool.At(Slot).GetOnScreen());
}

// ---- Row operations ---------------------------------------------------------------

void TCells::AddRow(int Count)
{
    for (int K = 0; K < Count; ++K) {
        const std::uint32_t Slot = NewRow(FDefaultRowHeight, nullptr);
        FPool.At(Slot).FIndex = GetRowCount();
        FRows.push_back(Slot);
        FOnScreen.Append(true);
        MakeCells(Slot, TMaker::Append);
    }
    FSorted = false;
}

void TCells::InsertRow(int Index)
{
    if (Index < 0 || Index > GetRowCount()) IndexError(Index);
    const std::uint32_t Slot = NewRow(FDefaultRowHeight, nullptr);
    MakeCells(Slot, TMaker::Insert);
    PlaceRow(Index, Slot);
    FSorted = false;
}

void TCells::AddChildRow(int AParent, int AIndex)
{
    CheckRow(AParent);
    if (AIndex < 0 || AIndex > GetRowCount()) IndexError(AIndex);
    TRow& Parent = RowAt(AParent);
    const std::uint32_t Slot = NewRow(FDefaultRowHeight, &Parent);
    // Under a collapsed parent the row starts hidden.
    FPool.At(Slot).SetFlag(TRow::rfVisible, Parent.GetExpanded());
    Parent.AddChild();
    PlaceRow(AIndex, Slot);
    MakeCells(Slot, TMaker::Child);
    FSorted = false;
}

void TCells::DeleteRow(int Index)
{
    DeleteRows(Index, 1);
}

void TCells::DeleteRows(int Index, int Count)
{
    if (Count < 1) return;
    CheckRow(Index);
    CheckRow(Index + Count - 1);
    const auto First = FRows.begin() + Index, Last = First + Count;
    // Children of the rows going that stay must not point at a slot another
    // row may take; only when some child stays is there one to look for.
    std::int64_t Staying = 0;
    for (auto S = First; S != Last; ++S) {
        const TRow& Row = FPool.At(*S);
        Staying += Row.FChildCount;
        if (Row.FParent && Row.FParent->FIndex >= Index && Row.FParent->FIndex < Index + Count) --Staying;
    }
    for (auto S = First; S != Last; ++S) {
        for (auto& Column : FColumns)
            Column->Release(*S);
        if (FPool.At(*S).FLevel > 0) --FTreeRows;
    }
    if (Staying > 0)
        for (std::uint32_t S : FRows) {
            TRow& Row = FPool.At(S);
            if (Row.FParent && Row.FParent->FIndex >= Index && Row.FParent->FIndex < Index + Count &&
                (Row.FIndex < Index || Row.FIndex >= Index + Count))
                Row.FParent = nullptr;
        }
    for (auto S = First; S != Last; ++S)
        FPool.Release(*S);
    FRows.erase(First, Last);
    // The flags of the rows that moved up, then the rows at the end let go.
    FOnScreen.Refill(Index, GetRowCount() - 1, [this](int R) { return RowAt(R).GetOnScreen(); });
    for (int K = 0; K < Count; ++K)
        FOnScreen.Delete(FOnScreen.GetSize() - 1);
    Renumber(Index, GetRowCount() - 1);
    ++FShape;
}

void TCells::MoveRow(int FromIndex, int ToIndex)
{
    CheckRow(FromIndex);
    CheckRow(ToIndex);
    const std::uint32_t Slot = FRows[std::size_t(FromIndex)];
    FRows.erase(FRows.begin() + FromIndex);
    FRows.insert(FRows.begin() + ToIndex, Slot);
    Renumber(std::min(FromIndex, ToIndex), std::max(FromIndex, ToIndex));
    FOnScreen.Delete(FromIndex);
    FOnScreen.Insert(ToIndex, FPool.At(Slot).GetOnScreen());
    FSorted = false;
    ++FShape;
}

void TCells::SwapRows(int A, int B)
{
    CheckRow(A);
    CheckRow(B);
    std::swap(FRows[std::size_t(A)], FRows[std::size_t(B)]);
    RowAt(A).FIndex = A;
    RowAt(B).FIndex = B;
    FOnScreen.Set(A, RowAt(A).GetOnScreen());
    FOnScreen.Set(B, RowAt(B).GetOnScreen());
    // Swapped rows are no longer in the order of the last sort.
    FSorted = false;
    ++FShape;
}

void TCells::ShowRow(int Index, bool Value)
{
    CheckRow(Index);
    RowAt(Index).SetFlag(TRow::rfVisible, Value);
    FOnScreen.Set(Index, RowAt(Index).GetOnScreen());
}

void TCells::ExpandRow(int Index, bool Value)
{
    CheckRow(Index);
    RowAt(Index).SetFlag(TRow::rfShown, Value);
    FOnScreen.Set(Index, RowAt(Index).GetOnScreen());
}

void TCells::FreeAllRows()
{
    for (auto& Column : FColumns)
        Column->Reset();
    FRows = decltype(FRows)();
    FPool.Clear();
    FOnScreen.Clear();
    FTreeRows = 0;
    ++FShape;
}

void TCells::ClearRows()
{
    FreeAllRows();
    FSorted = false;
}

// ---- Columns -----------------------------------------------------------------------

void TCells::NewColumnAt(int Index)
{
    if (GetColumnCount() >= MaxColumns) IndexError(GetColumnCount());
    auto Column = std::make_unique<TCellColumn>(FNextColumnSerial++);
    Column->Grow(std::uint32_t(FPool.GetBlockCount()) * TRowPool::BlockSize);
    FColumns.insert(FColumns.begin() + Index, std::move(Column));
    ++FShape;
}

void TCells::AddColumn()
{
    NewColumnAt(GetColumnCount());
    const int C = GetColumnCount() - 1;
    try {
        // Made from the column just appended to the collection.
        const TGxCustomColumn* Item = FColumnItems->GetItem(FColumnItems->GetCount() - 1);
        for (std::uint32_t Slot : FRows)
            MakeCell(C, Item, Slot, TMaker::Append);
    } catch (...) {
        FColumns.pop_back();
        throw;
    }
}

void TCells::InsertColumn(int Index)
{
    if (Index < 0 || Index > GetColumnCount()) IndexError(Index);
    NewColumnAt(Index);
    try {
        const TGxCustomColumn* Item = FColumnItems->GetItem(Index);
        for (std::uint32_t Slot : FRows)
            MakeCell(Index, Item, Slot, TMaker::InsertColumn);
    } catch (...) {
        FColumns.erase(FColumns.begin() + Index);
        throw;
    }
    FSorted = false;
}

void TCells::DeleteColumn(int Index)
{
    CheckColumn(Index);
    FColumns.erase(FColumns.begin() + Index);
    if (FColumns.empty()) FreeAllRows();
    FSorted = false;
    ++FShape;
}

void TCells::MoveColumn(int FromIndex, int ToIndex)
{
    CheckColumn(FromIndex);
    CheckColumn(ToIndex);
    auto Column = std::move(FColumns[std::size_t(FromIndex)]);
    FColumns.erase(FColumns.begin() + FromIndex);
    FColumns.insert(FColumns.begin() + ToIndex, std::move(Column));
    FSorted = false;
    ++FShape;
}

void TCells::ClearColumns()
{
    FColumns.clear();
    FreeAllRows();
    FSorted = false;
}

void TCells::ColumnsChange(TColumnsOperation Operation, int Value1, int Value2)
{
    switch (Operation) {
    case opAdd:
        AddColumn();
        break;
    case opDelete:
        DeleteColumn(Value1);
        break;
    case opClear:
        ClearColumns();
        break;
    case GxColumns::opInsert:
        InsertColumn(Value1);
        break;
    case opMove:
        MoveColumn(Value1, Value2);
        break;
    }
}

// ---- Notification -------------------------------------------------------------------

void TCells::Changed(int ACol, int ARow)
{
    // First, so that a handler that raises leaves no stale order behind.
    FSorted = false;
    if (OnCellChange) OnCellChange(this, ACol, ARow);
}

void TCells::DoCellCompare(const TCell& Cell1, const TCell& Cell2, int& Compare)
{
    if (OnCompare) OnCompare(this, Cell1, Cell2, Compare);
}

} // namespace GxCells
