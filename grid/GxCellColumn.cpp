// grid/GxCellColumn.cpp
#include "grid/GxCellColumn.h"

#include <functional>

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

void TCellColumn::Grow(std::uint32_t SlotCount)
{
    if (Values.size() >= SlotCount) return;
    Values.resize(SlotCount);
    Colors.resize(SlotCount);
    Attrs.resize(SlotCount);
}

void TCellColumn::Make(std::uint32_t Row, TCellSlot Slot, TColor Color, TFontStyles Style)
{
    Values[Row] = 0;
    Colors[Row] = Color;
    Attrs[Row] = std::uint16_t(std::uint16_t(Slot) | StyleBits(Style));
}

void TCellColumn::Release(std::uint32_t Row)
{
    const std::uint16_t Attr = Attrs[Row];
    if (HoldsText(TCellSlot(Attr & SlotMask))) FGarbage += LengthOf(Values[Row]);
    if (Attr & HintBit) Hints.erase(Row);
    if (Attr & ObjectBit) Objects.erase(Row);
    Values[Row] = 0;
    Attrs[Row] = 0;
}

void TCellColumn::Reset()
{
    Values = {};
    Colors = {};
    Attrs = {};
    Hints = {};
    Objects = {};
    FText = {};
    FGarbage = 0;
}

std::u16string_view TCellColumn::GetText(std::uint32_t Row) const
{
    const std::uint64_t V = Values[Row];
    return {FText.data() + OffsetOf(V), LengthOf(V)};
}

void TCellColumn::SetText(std::uint32_t Row, std::u16string_view Value)
{
    const std::uint64_t Old = Values[Row];
    const std::size_t OldLength = LengthOf(Old);
    if (Value.size() <= OldLength) {
        // Shorter text takes the old place; overlapping is fine for move.
        std::char_traits<char16_t>::move(FText.data() + OffsetOf(Old), Value.data(), Value.size());
        Values[Row] = Value.empty() ? 0 : TextAt(OffsetOf(Old), Value.size());
        FGarbage += OldLength - Value.size();
        return;
    }
    if (Value.size() > UINT32_MAX) throw EOutOfResources("Text too long for a cell");
    // A text from this very arena must survive its growing.
    const std::less<const char16_t*> Before;
    const bool Inside = !Before(Value.data(), FText.data()) && Before(Value.data(), FText.data() + FText.size());
    WideString Copy;
    if (Inside) Value = Copy = WideString(Value);
    FGarbage += OldLength;
    Values[Row] = 0;
    if (FGarbage > FText.size() / 2 && FGarbage > 65536) Compact();
    if (FText.size() + Value.size() > UINT32_MAX) {
        Compact();
        if (FText.size() + Value.size() > UINT32_MAX) throw EOutOfResources("Too much text in one column");
    }
    const std::size_t Offset = FText.size();
    FText.insert(FText.end(), Value.begin(), Value.end());
    Values[Row] = TextAt(Offset, Value.size());
}

void TCellColumn::Compact()
{
    std::vector<char16_t> Packed;
    Packed.reserve(FText.size() - FGarbage);
    for (std::size_t Row = 0; Row < Values.size(); ++Row) {
        const std::uint64_t V = Values[Row];
        if (!HoldsText(TCellSlot(Attrs[Row] & SlotMask)) || LengthOf(V) == 0) continue;
        const std::size_t Offset = Packed.size();
        Packed.insert(Packed.end(), FText.begin() + OffsetOf(V), FText.begin() + OffsetOf(V) + LengthOf(V));
        Values[Row] = TextAt(Offset, LengthOf(V));
    }
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

std::uint16_t TCellColumn::StyleBits(TFontStyles Style)
{
    std::uint16_t Bits = 0;
    for (int S = fsBold; S <= fsStrikeOut; ++S)
        if (Style.Contains(TFontStyle(S))) Bits |= std::uint16_t(1 << (StyleShift + S));
    return Bits;
}

} // namespace GxCells
