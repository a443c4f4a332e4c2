// The rows the scan writes, one per extract, held in memory until the data
// grid takes their place: the same five calls a grid offers (ClearRows,
// AddRow, GetRowCount, GetCell, the cell's SetAsString).
#pragma once
#include "platform/classes/Classes.h"

#include <array>
#include <memory>
#include <vector>

namespace ExtractRows {

inline constexpr int ExtractColumnCount = 5; // file, line number, extract, found by, rejected by

class TExtractRows;

class TExtractCell {
public:
    const AnsiString& GetAsString() const { return *FText; }
    void SetAsString(const AnsiString& Value) { *FText = Value; }

private:
    friend class TExtractRows;
    AnsiString* FText = nullptr;
};

class TExtractRows : public TComponent {
public:
    explicit TExtractRows(TComponent* AOwner) : TComponent(AOwner) {}

    void ClearRows() { FRows.clear(); }
    // Appends Count empty rows at the end.
    void AddRow(int Count = 1);
    int GetRowCount() const { return static_cast<int>(FRows.size()); }
    // The cell of a column and a row. Like a grid's, the returned object is
    // valid until the next GetCell. Out of range raises EListError.
    TExtractCell* GetCell(int Column, int Row);

private:
    std::vector<std::array<AnsiString, ExtractColumnCount>> FRows;
    TExtractCell FCell;
};

} // namespace ExtractRows
