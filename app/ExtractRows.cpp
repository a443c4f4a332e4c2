#include "app/ExtractRows.h"

namespace ExtractRows {

void TExtractRows::AddRow(int Count)
{
    if (Count > 0) FRows.resize(FRows.size() + static_cast<std::size_t>(Count));
}

TExtractCell* TExtractRows::GetCell(int Column, int Row)
{
    if (Row < 0 || Row >= GetRowCount() || Column < 0 || Column >= ExtractColumnCount)
        throw EListError("List index out of bounds (" + IntToStr(Row < 0 || Row >= GetRowCount() ? Row : Column) + ")");
    FCell.FText = &FRows[static_cast<std::size_t>(Row)][static_cast<std::size_t>(Column)];
    return &FCell;
}

} // namespace ExtractRows
