// grid/GxCustomGrid_Search.cpp: finding a row by a column's text, and the
// incremental search of typed keys.
#include "grid/GxCustomGrid.h"

#include <algorithm>

namespace GxCustomGrid {

namespace {

// Text ignoring case is how S starts: its first Length(Text) units compared
// whole, as the keyboard's prefix grows unit by unit.
bool StartsWithIgnoringCase(std::u16string_view S, std::u16string_view Text)
{
    return WideCompareText(S.substr(0, std::min(S.size(), Text.size())), Text) == 0;
}

// The grid's error for a cell outside it, raised before a search selects anything.
void RequireColumn(TGxColumns* Columns, int ACol, int ARow)
{
    if (ACol < 0 || ACol >= Columns->GetCount())
        throw Exception("Cell out of bounds (" + IntToStr(ACol) + ", " + IntToStr(ARow) + ")");
}

} // namespace

// Every rule reads each cell's text where the storage keeps it; the rules that
// ignore case fold it in place, so no row costs a copy.
bool TGxCustomGrid::Locate(int ACol, int FromRow, int ToRow, const WideString& Text, TSearchOptions Options)
{
    RequireColumn(GetColumns(), ACol, FromRow);
    const bool Invisible = Options.Contains(soSearchInvisible);
    const auto Search = [&](const TTextMatch& Match) { return SearchCells(ACol, FromRow, ToRow, Invisible, Match); };
    int Row;
    if (Options.Contains(soCaseInsensitive)) {
        if (Options.Contains(soExactMatch)) {
            Row = Search([&](std::u16string_view S) { return WideCompareText(S, Text) == 0; });
        } else {
            const WideString Lower = WideLowerCase(Text);
            Row = Search([&](std::u16string_view S) { return WideLowerCasePos(Lower, S) > 0; });
        }
    } else if (Options.Contains(soExactMatch)) {
        Row = Search([&](std::u16string_view S) { return WideCompareStr(S, Text) == 0; });
    } else {
        Row = Search([&](std::u16string_view S) { return Pos(Text, S) > 0; });
    }
    return SelectFound(Row);
}

bool TGxCustomGrid::FindText(int ACol, const WideString& Text, TSearchOptions Options)
{
    const int Rows = GetRowCount();
    if (Rows == 0) return false;
    if (!Options.Contains(soFromSelected)) return Locate(ACol, 0, Rows - 1, Text, Options);
    const int Selected = GetSelectedRow();
    if (Locate(ACol, Selected + 1, Rows - 1, Text, Options)) return true;
    // The rows below the selection hold no match: from the top, only the rest is left.
    return Options.Contains(soContinueFromTop) && Locate(ACol, 0, Selected, Text, Options);
}

bool TGxCustomGrid::SearchNext(int ACol, const WideString& Text, bool FromTop)
{
    const int Rows = GetRowCount();
    if (Rows == 0) return false;
    const int Selected = FromTop ? -1 : GetSelectedRow();
    RequireColumn(GetColumns(), ACol, Selected + 1);
    const TTextMatch Starts = [&](std::u16string_view S) { return StartsWithIgnoringCase(S, Text); };
    int Row = SearchCells(ACol, Selected + 1, Rows - 1, false, Starts);
    // Round to the selected row, which comes last.
    if (Row < 0) Row = SearchCells(ACol, 0, Selected, false, Starts);
    return SelectFound(Row);
}

TGxCustomColumn* TGxCustomGrid::GetSearchColumn() const
{
    TGxColumns* Columns = GetColumns();
    for (int I = 0; I < Columns->GetCount(); ++I)
        if (Columns->GetItem(I)->GetOptions().Contains(coSearchColumn)) return Columns->GetItem(I);
    return nullptr;
}

void TGxCustomGrid::SearchKeyPress(WideChar Key)
{
    TGxColumns* Columns = GetColumns();
    const int Selected = GetSelectedColumn();
    if (GetInputSelected() || (Selected >= 0 && Selected < Columns->GetCount() &&
                               Columns->GetItem(Selected)->GetOptions().Contains(coEditing)))
        return;
    TGxCustomColumn* Column = GetSearchColumn();
    const int Rows = GetRowCount();
    if (!Column || Rows == 0) return;
    FSearchTimer->SetEnabled(false);
    FSearchTimer->SetInterval(500);
    FSearchTimer->SetEnabled(true);
    const bool Growing = !FSearchText.empty();
    FSearchText += Key;
    // A longer prefix of the row it found keeps it; only a new one moves on.
    const int Row = GetSelectedRow();
    const auto Starts = [this](std::u16string_view S) { return StartsWithIgnoringCase(S, FSearchText); };
    if (Growing && Row >= 0 && SearchCells(Column->GetIndex(), Row, Row, false, Starts) == Row) return;
    SearchNext(Column->GetIndex(), FSearchText, false);
}

int TGxCustomGrid::SearchCells(int ACol, int From, int To, bool Invisible, const TTextMatch& Match)
{
    for (int Row = std::max(From, 0), Last = std::min(To, GetRowCount() - 1); Row <= Last; ++Row)
        if ((Invisible || GetRowVisible(Row)) && Match(GetCells(ACol, Row))) return Row;
    return -1;
}

bool TGxCustomGrid::SelectFound(int ARow)
{
    if (ARow < 0) return false;
    SetSelectedRow(ARow);
    if (!IsUpdating()) ScrollToRow(ARow);
    return true;
}

} // namespace GxCustomGrid
