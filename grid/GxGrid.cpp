// grid/GxGrid.cpp: life, reading cells and rows, the painting hooks, the
// plays and the events. Row operations are in GxGrid_Rows.cpp, sliding rows
// in and out of view in GxGrid_Slide.cpp, the sort and footers in
// GxGrid_Footer.cpp.
#include "grid/GxGrid.h"
#include "grid/GxCellClasses.h"
#include "platform/rtl/Codec.h"
#include "platform/win/WinTimers.h"

#include <algorithm>
#include <typeinfo>

namespace GxGrid {

// ---- Life -------------------------------------------------------------------------------------

TGxGrid::TGxGrid(TComponent* AOwner) : TGxCustomGrid(AOwner) {}

TGxGrid::~TGxGrid() = default;

void TGxGrid::AfterConstruction()
{
    TGxCustomGrid::AfterConstruction();
    FCells.reset(New<TCells>(this, GetColumns()));
    FCells->SetDefaultRowHeight(GetRowSize());
    FMinRowHeight = GetRowSize();
    FCells->OnCellChange = [this](TObject*, int ACol, int ARow) { DoCellChange(ACol, ARow); };
    FCells->OnCompare = [this](TObject*, const TCell& Cell1, const TCell& Cell2, int& Compare) {
        DoCompare(Cell1, Cell2, Compare);
    };
}

void TGxGrid::BeforeDestruction()
{
    // The store goes first: the columns it was made over go with the base.
    if (FBarTimer && HandleAllocated()) KillTimer(GetHandle(), BarTimerId);
    FSelectedRows.clear();
    FCells.reset();
    TGxCustomGrid::BeforeDestruction();
}

// ---- Reading ------------------------------------------------------------------------------------

TCell TGxGrid::GetCell(int ACol, int ARow)
{
    return FCells->GetCell(ACol, ARow);
}

int TGxGrid::GetRowCount()
{
    return FCells ? FCells->GetRowCount() : 0;
}

int TGxGrid::GetVisibleRows()
{
    return FCells ? FCells->GetVisibleRowCount() : 0;
}

namespace {

[[noreturn]] void OutOfBounds(int ACol, int ARow)
{
    throw Exception("Cell out of bounds (" + IntToStr(ACol) + ", " + IntToStr(ARow) + ")");
}

} // namespace

WideString TGxGrid::GetCells(int ACol, int ARow)
{
    if (!CellBounds(ACol, ARow)) OutOfBounds(ACol, ARow);
    return GetCell(ACol, ARow).GetAsString();
}

int TGxGrid::SearchCells(int ACol, int From, int To, bool Invisible, const TTextMatch& Match)
{
    return FCells->FindRow(ACol, From, To, Invisible, Match);
}

void TGxGrid::SetCells(int ACol, int ARow, const WideString& Value)
{
    if (!CellBounds(ACol, ARow)) OutOfBounds(ACol, ARow);
    GetCell(ACol, ARow).SetAsString(Value);
}

TCell TGxGrid::GetCellByName(const Variant& ACol, const Variant& ARow)
{
    const TPoint P = GetCellByVariant(ACol, ARow);
    return GetCell(P.X, P.Y);
}

bool TGxGrid::IsCellEmpty(int ACol, int ARow)
{
    return GetCell(ACol, ARow).GetEmpty();
}

WideString TGxGrid::GetCellHint(int ACol, int ARow)
{
    WideString Hint = GetCell(ACol, ARow).GetHint();
    DoCellHint(ACol, ARow, Hint);
    return Hint;
}

TColor TGxGrid::GetCellColor(int ACol, int ARow)
{
    if (GetColumns()->GetItem(ACol)->GetParentCellColor()) return TGxCustomGrid::GetCellColor(ACol, ARow);
    return GetCell(ACol, ARow).GetColor();
}

int TGxGrid::GetRowHeight(int ARow)
{
    int Height = Row(ARow)->GetHeight();
    DoMeasuringRowHeight(ARow, Height);
    return Height;
}

bool TGxGrid::GetRowVisible(int ARow)
{
    return Row(ARow)->GetOnScreen();
}

int TGxGrid::GetRowLevel(int ARow)
{
    return Row(ARow)->GetLevel();
}

bool TGxGrid::GetSelected(int ARow)
{
    return Row(ARow)->GetSelected();
}

bool TGxGrid::GetExpanded(int ARow)
{
    return Row(ARow)->GetExpanded();
}

bool TGxGrid::HasChildren(int ARow)
{
    return Row(ARow)->GetChildCount() > 0;
}

int TGxGrid::GetFirstRow()
{
    const int Position = GetVertScrollBar()->GetPosition();
    if (Position <= 0) return 0;
    const int Found = FCells->GetOnScreenRow(Position);
    return Found >= 0 ? Found : GetRowCount();
}

int TGxGrid::GetCellRowIndex(const TCell& ACell)
{
    return FCells->GetCellRowIndex(ACell);
}

int TGxGrid::GetChildCount(int ARow, bool All)
{
    return All ? FCells->GetChildCount(ARow) : FCells->GetChildsCount(ARow);
}

WideString TGxGrid::GetDrawText(int ACol, int ARow)
{
    TCellInfo Info;
    GetCellInfo(ACol, ARow, Info);
    return GetColumns()->GetItem(ACol)->GetDrawText(Info);
}

// A column that shows its cells' texts as they are gets them where the store
// keeps them. Only this class's GetDrawText and GetCellInfo are known to
// hand a column the stored text; a grid derived from it may show another.
void TGxGrid::ReadDrawTexts(int ARow, const std::vector<int>& Cols, TRowTexts& Row)
{
    if (typeid(*this) != typeid(TGxGrid) || ARow < 0 || ARow >= GetRowCount())
        return TGxCustomGridControl::ReadDrawTexts(ARow, Cols, Row);
    const std::size_t Count = Cols.size();
    Row.Texts.resize(Count);
    Row.Held.resize(Count); // before any view into it is taken
    const auto Stored = [&](std::size_t I) {
        const int Col = Cols[I];
        return Col >= 0 && Col < GetColumns()->GetCount() && GetColumns()->GetItem(Col)->DrawsCellText() &&
               FCells->GetStoredText(Col, ARow, Row.Texts[I]);
    };
    std::size_t Kept = 0;
    for (std::size_t I = 0; I < Count; ++I) {
        if (Stored(I)) continue;
        // A cell drawn otherwise may ask the program, which may change the
        // store under the views taken so far: they are copied first, so the
        // row reads as cell after cell would.
        for (; Kept < I; ++Kept)
            if (Row.Texts[Kept].data() != Row.Held[Kept].data()) Row.Texts[Kept] = Row.Held[Kept] = Row.Texts[Kept];
        Row.Texts[I] = Row.Held[I] = GetDrawText(Cols[I], ARow);
        Kept = I + 1;
    }
}

// Only this class is known to read every row as its store keeps it, the
// shown texts of the columns that draw their cells' texts unchanged.
std::unique_ptr<TStoredRows> TGxGrid::StoredRows(const std::vector<int>& Cols, bool Drawn, std::size_t RangeSize,
                                                 std::size_t RowExtra)
{
    if (typeid(*this) != typeid(TGxGrid)) return nullptr;
    for (const int Col : Cols)
        if (Col < 0 || Col >= GetColumns()->GetCount() || (Drawn && !GetColumns()->GetItem(Col)->DrawsCellText()))
            return nullptr;
    return FCells->StoredRows(Cols, RangeSize, RowExtra);
}

void TGxGrid::GetCellInfo(int ACol, int ARow, TCellInfo& Info)
{
    const TCell Cell = GetCell(ACol, ARow);
    switch (GetColumns()->GetItem(ACol)->GetColumnType()) {
    case ctAutoInc:
        Info.AsInteger = ARow;
        break;
    case ctBoolean:
        Info.AsBoolean = Cell.GetAsBoolean();
        break;
    case ctDate:
        Info.AsDateTime = Cell.GetAsDateTime();
        break;
    case ctFloat:
        Info.AsFloat = Cell.GetAsFloat();
        break;
    case ctGraphic:
        Info.ObjectReference = Cell.GetObjectReference();
        break;
    case ctGuid:
    case ctString:
    case ctVirtual:
        Info.AsString = Cell.GetAsString();
        break;
    case ctInteger:
        Info.AsInteger = Cell.GetAsInteger();
        break;
    default:
        break;
    }
}

int TGxGrid::GetOnScreenBefore(int ARow)
{
    return FCells->GetOnScreenBefore(ARow);
}

int TGxGrid::GetOnScreenRow(int K)
{
    return FCells->GetOnScreenRow(K);
}

int TGxGrid::GetNextOnScreen(int ARow)
{
    return FCells->GetNextOnScreen(ARow);
}

int TGxGrid::GetPriorOnScreen(int ARow)
{
    return FCells->GetPriorOnScreen(ARow);
}

void TGxGrid::GetSelectedRows(std::vector<int>& Rows)
{
    Rows.clear();
    Rows.reserve(FSelectedRows.size());
    for (const TRow* R : FSelectedRows)
        Rows.push_back(FCells->GetRowIndex(R));
    std::sort(Rows.begin(), Rows.end());
}

// ---- Selected flags -------------------------------------------------------------------------------

void TGxGrid::SetSelected(int ARow, bool Value)
{
    ForgetSelectionRange();
    if (ARow < 0 || ARow >= GetRowCount()) return;
    TRow* R = Row(ARow);
    if (R->GetSelected() == Value) return;
    R->SetSelected(Value);
    if (Value)
        FSelectedRows.insert(R);
    else
        FSelectedRows.erase(R);
    if (GetGridStyle() == gsReport)
        RefreshRow(ARow, false);
    else
        RefreshSlide(ARow, !GetAppearanceOptions().Contains(aoHighlightSlideCells));
}

void TGxGrid::SelectRange(int FromRow, int ToRow, bool Value)
{
    ForgetSelectionRange();
    const int Count = GetRowCount();
    if (FromRow < 0 || FromRow >= Count || ToRow < 0 || ToRow >= Count) return;
    for (int K = std::min(FromRow, ToRow); K <= std::max(FromRow, ToRow); ++K) {
        TRow* R = Row(K);
        R->SetSelected(Value);
        if (Value)
            FSelectedRows.insert(R);
        else
            FSelectedRows.erase(R);
    }
    RefreshRange(FromRow, ToRow);
}

void TGxGrid::ForgetSelectedRows(int From, int Count)
{
    if (FSelectedRows.empty()) return;
    for (int K = From; K < From + Count; ++K)
        FSelectedRows.erase(Row(K));
}

// ---- Painting hooks -----------------------------------------------------------------------------------

bool TGxGrid::DrawCellData(int ACol, int ARow, TCellState CellState)
{
    TGxCustomGrid::DrawCellData(ACol, ARow, CellState);
    TCellInfo Info;
    GetCellInfo(ACol, ARow, Info);
    TColumnDisplay* Display = GetColumns()->GetItem(ACol)->GetDisplay();
    switch (GetColumns()->GetItem(ACol)->GetColumnType()) {
    case ctAutoInc:
    case ctInteger:
        Display->SetAsInteger(Info.AsInteger);
        break;
    case ctBoolean:
        Display->SetAsBoolean(Info.AsBoolean);
        break;
    case ctDate:
        Display->SetAsDateTime(Info.AsDateTime);
        break;
    case ctFloat:
        Display->SetAsFloat(Info.AsFloat);
        break;
    case ctGraphic:
        Display->SetObjectReference(Info.ObjectReference);
        break;
    case ctGuid:
    case ctString:
    case ctVirtual:
        Display->SetAsString(Info.AsString);
        break;
    default:
        break;
    }
    ApplyCellFormating(ACol, ARow, Info.AsString, CellState);
    return true;
}

void TGxGrid::ApplyCellFormating(int ACol, int ARow, WideString&, TCellState CellState)
{
    TFont* Font = GetCanvas()->GetFont();
    TFontStyles Style = GetCell(ACol, ARow).GetFontStyle();
    TColor TextColor = Font->GetColor();
    if (CellState.Contains(csBoldTextSelection)) Style.Include(fsBold);
    DoCellFormating(ACol, ARow, TextColor, Style, CellState);
    Font->SetStyle(Style);
    Font->SetColor(TextColor);
}

void TGxGrid::SetDisplayParams(int ACol, int ARow, TColumnDisplay* Display)
{
    TGxCustomGrid::SetDisplayParams(ACol, ARow, Display);
    const TRow* R = Row(ARow);
    Display->SetChildCount(R->GetChildCount());
    Display->SetLevel(R->GetLevel());
    Display->SetExpanded(R->GetExpanded());
}

// ---- Plays -------------------------------------------------------------------------------------------

void TGxGrid::SetColumnPlayAttributes(TColumnPlay* Play)
{
    const int ACol = Play->GetCol(), ARow = Play->GetRow();
    Play->SetLevel(GetRowLevel(ARow));
    switch (GetColumns()->GetItem(ACol)->GetColumnType()) {
    case ctBoolean:
        Play->SetAsBoolean(GetCell(ACol, ARow).GetAsBoolean());
        break;
    case ctInteger:
        Play->SetAsInteger(GetCell(ACol, ARow).GetAsInteger());
        break;
    case ctString:
        Play->SetAsString(GetDrawText(ACol, ARow));
        break;
    default:
        break;
    }
}

void TGxGrid::DoColumnPlayChange(TObject* Sender)
{
    auto* Play = static_cast<TColumnPlay*>(Sender);
    const int ACol = Play->GetCol(), ARow = Play->GetRow();
    const TColumnType Type = GetColumns()->GetItem(ACol)->GetColumnType();
    WideString Value = Type == ctBoolean   ? WideString(Play->GetAsBoolean() ? u"True" : u"False")
                       : Type == ctInteger ? Utf8ToWide(IntToStr(Play->GetAsInteger()))
                                           : Play->GetAsString();
    bool Accept = true;
    DoEditAccept(ACol, ARow, Value, Accept);
    if (!Accept) return;
    if (Type == ctBoolean)
        GetCell(ACol, ARow).SetAsBoolean(Play->GetAsBoolean());
    else if (Type == ctInteger)
        GetCell(ACol, ARow).SetAsInteger(Play->GetAsInteger());
    DoAfterEdit(ACol, ARow, GetCell(ACol, ARow).GetAsString());
}

void TGxGrid::DoColumnPlayExpand(TObject* Sender)
{
    const int ARow = static_cast<TColumnPlay*>(Sender)->GetRow();
    SetExpanded(ARow, !GetExpanded(ARow));
}

// ---- Columns and events ----------------------------------------------------------------------------------

void TGxGrid::ColumnsChange(TColumnsOperation Operation, int Value1, int Value2)
{
    TGxCustomGrid::ColumnsChange(Operation, Value1, Value2);
    if (!FCells) return;
    FCells->ColumnsChange(Operation, Value1, Value2);
    // Without columns the store has no rows either.
    if (FCells->GetRowCount() == 0) {
        FSelectedRows.clear();
        RenewVisibleBounds();
        if (GetSelectedRow() >= 0) SetSelectedCell(0, -1);
    }
}

void TGxGrid::DoCellChange(int ACol, int ARow)
{
    if (IsUpdating()) return;
    RefreshCell(ACol, ARow);
    DoChange(ACol, ARow);
}

void TGxGrid::DoCellFormating(int ACol, int ARow, TColor& TextColor, TFontStyles& FontStyle, TCellState CellState)
{
    if (OnCellFormating) OnCellFormating(this, ACol, ARow, TextColor, FontStyle, CellState);
}

void TGxGrid::DoCompare(const TCell& Cell1, const TCell& Cell2, int& Compare)
{
    if (OnCompare) OnCompare(this, Cell1, Cell2, Compare);
}

void TGxGrid::DoExpand(int ARow)
{
    if (OnExpand) OnExpand(this, ARow);
}

} // namespace GxGrid
