// grid/GxCellColumn.h
// The cells of one column, kept by row slot: an 8-byte value and two bytes
// of class, state and font style per cell, a colour per block of cells until
// one of them takes another; texts in one arena per column; hints and object
// references only for the cells that have them. Everything grows in pieces
// of a fixed size, so that growing copies nothing and leaves no freed halves
// behind.
#pragma once
#include "grid/GxCellPages.h"
#include "grid/GxColumns.h"

#include <cstdint>
#include <memory>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace GxCells {

using namespace GxColumns;

// Which class a cell behaves as; the creation tables choose it.
enum class TCellSlot : std::uint8_t { String, Boolean, DateTime, Float, Integer, Increment, Guid, Virtual };
inline constexpr int CellSlotCount = 8;

// Texts one after another in chunks of ChunkSize units, addressed by a 32-bit
// offset. A text never crosses into another chunk: one that does not fit
// the rest of a chunk starts the next, and one longer than a chunk gets an
// allocation of its own at a chunk boundary and every offset up to the next
// boundary after its end.
class TTextArena {
public:
    static constexpr unsigned ChunkBits = 15;
    static constexpr std::uint64_t ChunkSize = std::uint64_t(1) << ChunkBits;

    char16_t* At(std::uint32_t Offset) const { return FChunks[Offset >> ChunkBits].get() + (Offset & (ChunkSize - 1)); }
    // Where Text now lies; false, with nothing placed, when the offsets run out.
    bool Place(std::u16string_view Text, std::uint32_t& Offset);
    // Offsets handed out, including the unused ends of chunks.
    std::uint64_t GetSize() const { return FEnd; }

private:
    std::vector<TPageArray<char16_t>> FChunks; // by offset >> ChunkBits; null behind a long text
    std::uint64_t FEnd = 0;                    // where the next text may start
};

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
    // Row slots per block of cells: as many as the row pool keeps per block.
    static constexpr std::uint32_t BlockBits = 12, BlockSize = 1u << BlockBits;

    explicit TCellColumn(std::uint32_t ASerial) : Serial(ASerial) {}

    // Blocks for at least SlotCount row slots.
    void Grow(std::uint32_t SlotCount);
    std::uint32_t GetSlotCount() const { return std::uint32_t(FBlocks.size()) << BlockBits; }
    // A cell of class Slot with no value, Color and Style, at row slot Row.
    void Make(std::uint32_t Row, TCellSlot Slot, TColor Color, TFontStyles Style)
    {
        TBlock& B = BlockOf(Row);
        const std::uint32_t I = Row & (BlockSize - 1);
        B->Values[I] = 0;
        B->Attrs[I] = std::uint16_t(std::uint16_t(Slot) | StyleBits(Style));
        if (!B.Colors && !B.Coloured) {
            B.Color = Color;
            B.Coloured = true;
        } else {
            SetColor(Row, Color);
        }
    }
    // Forgets what a cell of a freed row kept.
    void Release(std::uint32_t Row);
    // No cells at all, and their memory returned.
    void Reset();

    std::uint64_t& Value(std::uint32_t Row) { return BlockOf(Row)->Values[Row & (BlockSize - 1)]; }
    TColor GetColor(std::uint32_t Row) const
    {
        const TBlock& B = BlockOf(Row);
        return B.Colors ? B.Colors[Row & (BlockSize - 1)] : B.Color;
    }
    void SetColor(std::uint32_t Row, TColor Value);
    std::uint16_t& Attr(std::uint32_t Row) { return BlockOf(Row)->Attrs[Row & (BlockSize - 1)]; }
    std::uint16_t Attr(std::uint32_t Row) const { return BlockOf(Row)->Attrs[Row & (BlockSize - 1)]; }
    TCellSlot GetSlot(std::uint32_t Row) const { return TCellSlot(Attr(Row) & SlotMask); }

    std::u16string_view GetText(std::uint32_t Row) const
    {
        const std::uint64_t V = BlockOf(Row)->Values[Row & (BlockSize - 1)];
        const std::uint32_t Length = std::uint32_t(V >> 32);
        return Length ? std::u16string_view(FText.At(std::uint32_t(V)), Length) : std::u16string_view();
    }
    void SetText(std::uint32_t Row, std::u16string_view Text);
    static TFontStyles StyleOf(std::uint16_t Attr);
    static std::uint16_t StyleBits(TFontStyles Style)
    {
        std::uint16_t Bits = 0;
        for (int S = fsBold; S <= fsStrikeOut; ++S)
            if (Style.Contains(TFontStyle(S))) Bits |= std::uint16_t(1 << (StyleShift + S));
        return Bits;
    }

    const std::uint32_t Serial; // who the column is, wherever it moves
    std::unordered_map<std::uint32_t, WideString> Hints;
    std::unordered_map<std::uint32_t, TObject*> Objects;

private:
    struct TSlots {
        std::uint64_t Values[BlockSize]; // a number, or where the text lies in FText
        std::uint16_t Attrs[BlockSize];
    };
    static_assert(sizeof(TSlots) % 4096 == 0, "a block of cells fills its pages");
    struct TBlock {
        TPageArray<TSlots> Slots{1};
        // The cells of a block mostly keep their column's colour: one for all
        // of them, until a cell takes another.
        TColor Color = 0;
        bool Coloured = false; // Color holds the cells' colour
        TPageArray<TColor> Colors;
        TSlots* operator->() const { return Slots.get(); }
    };
    TBlock& BlockOf(std::uint32_t Row) { return FBlocks[Row >> BlockBits]; }
    const TBlock& BlockOf(std::uint32_t Row) const { return FBlocks[Row >> BlockBits]; }
    void Compact();

    std::vector<TBlock> FBlocks;
    TTextArena FText;
    std::uint64_t FGarbage = 0; // units of FText that no cell uses
};

} // namespace GxCells
