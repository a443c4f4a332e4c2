// grid/GxCellColumn.cpp
#include "grid/GxCellColumn.h"

#include <algorithm>

namespace GxCells {

namespace {

constexpr std::uint64_t TextAt(std::uint64_t Offset, std::uint64_t Length)
{
    return Offset | (Length << 32);
}

constexpr std::uint32_t OffsetOf(std::uint64_t Value)
{
    return std::uint32_t(Value);
}

constexpr std::uint32_t LengthOf(std::uint64_t Value)
{
    return std::uint32_t(Value >> 32);
}

bool HoldsText(TCellSlot Slot)
{
    return Slot == TCellSlot::String || Slot == TCellSlot::Guid;
}

} // namespace

// ---- TTextArena --------------------------------------------------------------

bool TTextArena::Place(std::u16string_view Text, std::uint32_t& Offset)
{
    const std::uint64_t Length = Text.size();
    std::uint64_t Start = FEnd;
    const std::uint64_t Used = Start & (ChunkSize - 1);
    if (Used != 0 && Used + Length > ChunkSize) Start += ChunkSize - Used;
    const bool Long = Length > ChunkSize;
    const std::uint64_t End = Long ? Start + ((Length + ChunkSize - 1) & ~(ChunkSize - 1)) : Start + Length;
    if (End > std::uint64_t(UINT32_MAX) + 1) return false;
    if ((Start >> ChunkBits) == FChunks.size()) {
        // Nothing changes unless both allocations succeed.
        TPageArray<char16_t> Chunk(Long ? Length : ChunkSize);
        FChunks.resize(std::size_t(End + ChunkSize - 1) >> ChunkBits);
        FChunks[Start >> ChunkBits] = std::move(Chunk);
    }
    std::char_traits<char16_t>::copy(At(std::uint32_t(Start)), Text.data(), Length);
    FEnd = End;
    Offset = std::uint32_t(Start);
    return true;
}

// ---- TCellColumn ----------------------------------------------------------------

void TCellColumn::Grow(std::uint32_t SlotCount)
{
    while (GetSlotCount() < SlotCount)
        FBlocks.emplace_back();
}

void TCellColumn::SetColor(std::uint32_t Row, TColor Value)
{
    TBlock& B = BlockOf(Row);
    if (!B.Colors) {
        if (Value == B.Color) return;
        B.Colors = TPageArray<TColor>(BlockSize);
        std::fill_n(B.Colors.get(), BlockSize, B.Color);
    }
    B.Colors[Row & (BlockSize - 1)] = Value;
}

void TCellColumn::Release(std::uint32_t Row)
{
    std::uint16_t& A = Attr(Row);
    std::uint64_t& V = Value(Row);
    if (HoldsText(TCellSlot(A & SlotMask))) FGarbage += LengthOf(V);
    if (A & HintBit) Hints.erase(Row);
    if (A & ObjectBit) Objects.erase(Row);
    V = 0;
    A = 0;
}

void TCellColumn::Reset()
{
    // Fresh containers: assigning {} would keep what they hold allocated.
    FBlocks = decltype(FBlocks)();
    Hints = decltype(Hints)();
    Objects = decltype(Objects)();
    FText = TTextArena();
    FGarbage = 0;
}

void TCellColumn::SetText(std::uint32_t Row, std::u16string_view Text)
{
    std::uint64_t& V = Value(Row);
    const std::uint32_t OldLength = LengthOf(V);
    if (Text.size() <= OldLength) {
        // Shorter text takes the old place; overlapping is fine for move.
        if (!Text.empty()) std::char_traits<char16_t>::move(FText.At(OffsetOf(V)), Text.data(), Text.size());
        V = Text.empty() ? 0 : TextAt(OffsetOf(V), Text.size());
        FGarbage += OldLength - Text.size();
        return;
    }
    if (Text.size() > UINT32_MAX) throw EOutOfResources("Text too long for a cell");
    FGarbage += OldLength;
    V = 0;
    std::uint32_t Offset;
    if ((FGarbage > FText.GetSize() / 2 && FGarbage > 65536) || !FText.Place(Text, Offset)) {
        // Packing moves every text, one from this very arena too.
        const WideString Copy(Text);
        Compact();
        if (!FText.Place(Copy, Offset)) throw EOutOfResources("Too much text in one column");
    }
    V = TextAt(Offset, Text.size());
}

void TCellColumn::Compact()
{
    // Where each text goes first, so that running out of offsets changes nothing.
    TTextArena Packed;
    std::vector<std::uint32_t> Offsets(GetSlotCount());
    for (std::uint32_t Row = 0; Row < GetSlotCount(); ++Row)
        if (HoldsText(GetSlot(Row)) && !GetText(Row).empty() && !Packed.Place(GetText(Row), Offsets[Row]))
            throw EOutOfResources("Too much text in one column");
    for (std::uint32_t Row = 0; Row < GetSlotCount(); ++Row)
        if (HoldsText(GetSlot(Row)) && LengthOf(Value(Row)) != 0)
            Value(Row) = TextAt(Offsets[Row], LengthOf(Value(Row)));
    FText = std::move(Packed);
    FGarbage = 0;
}

TFontStyles TCellColumn::StyleOf(std::uint16_t Attr)
{
    TFontStyles Style;
    for (int S = fsBold; S <= fsStrikeOut; ++S)
        if (Attr & (1 << (StyleShift + S))) Style.Include(TFontStyle(S));
    return Style;
}

} // namespace GxCells
