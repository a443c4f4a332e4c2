// grid/GxCellColumn.h
// The cells of one column, kept by row slot: an 8-byte value, a colour and
// two bytes of class, state and font style per cell; texts in one arena per
// column; hints and object references only for the cells that have them.
#pragma once
#include "grid/GxColumns.h"

#include <cstdint>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace GxCells {

using namespace GxColumns;

// Which class a cell behaves as; the creation tables choose it.
enum class TCellSlot : std::uint8_t { String, Boolean, DateTime, Float, Integer, Increment, Guid, Virtual };
inline constexpr int CellSlotCount = 8;

class TCellColumn {
public:
    // Attribute bits of a cell.
    enum : std::uint16_t {
        SlotMask = 7,
        EmptyBit = 1 << 3,
        LockedBit = 1 << 4,
        StyleShift = 5, // four font styles
        HintBit = 1 << 9,
        ObjectBit = 1 << 10,
    };

    explicit TCellColumn(std::uint32_t ASerial) : Serial(ASerial) {}

    // Every array as long as the store's row pool has slots.
    void Grow(std::uint32_t SlotCount);
    // A cell of class Slot with no value, Color and Style, at row slot Row.
    void Make(std::uint32_t Row, TCellSlot Slot, TColor Color, TFontStyles Style);
    // Forgets what a cell of a freed row kept.
    void Release(std::uint32_t Row);
    // No cells at all, and their memory returned.
    void Reset();

    TCellSlot GetSlot(std::uint32_t Row) const { return TCellSlot(Attrs[Row] & SlotMask); }
    std::u16string_view GetText(std::uint32_t Row) const;
    void SetText(std::uint32_t Row, std::u16string_view Value);
    static TFontStyles StyleOf(std::uint16_t Attr);
    static std::uint16_t StyleBits(TFontStyles Style);

    const std::uint32_t Serial;        // who the column is, wherever it moves
    std::vector<std::uint64_t> Values; // a number, or where the text lies in Text
    std::vector<TColor> Colors;
    std::vector<std::uint16_t> Attrs;
    std::unordered_map<std::uint32_t, WideString> Hints;
    std::unordered_map<std::uint32_t, TObject*> Objects;

private:
    void Compact();
    std::vector<char16_t> FText;
    std::size_t FGarbage = 0; // units of FText that no cell uses
};

} // namespace GxCells
