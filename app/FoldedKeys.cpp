#include "app/FoldedKeys.h"
#include "platform/rtl/Codec.h"

#include <algorithm>
#include <functional>

namespace FoldedKeys {

namespace {

// The key's first eight bytes as a number that orders as the bytes do
// (shorter keys padded with zeros, which order first as a shorter key does).
std::uint64_t PrefixOf(std::string_view Key)
{
    std::uint64_t P = 0;
    for (std::size_t I = 0; I < 8; ++I)
        P = (P << 8) | (I < Key.size() ? static_cast<unsigned char>(Key[I]) : 0u);
    return P;
}

} // namespace

bool TFoldedKeys::Add(std::string_view Text, bool Unique)
{
    const std::size_t Offset = FBytes.size();
    AppendFoldedKey(FBytes, Text);
    const std::string_view Key = std::string_view(FBytes).substr(Offset);
    const auto Hash = static_cast<std::uint32_t>(std::hash<std::string_view>()(Key));
    if (Unique) {
        if (2 * (FSpans.size() + 1) > FSlots.size()) Grow();
        const std::size_t Slot = SlotOf(Key, Hash);
        if (FSlots[Slot] != 0) {
            FBytes.resize(Offset);
            return false;
        }
        FSlots[Slot] = static_cast<std::uint32_t>(FSpans.size() + 1);
    }
    FSpans.push_back({Offset, static_cast<std::uint32_t>(Key.size()), Hash});
    return true;
}

std::size_t TFoldedKeys::SlotOf(std::string_view Key, std::uint32_t Hash) const
{
    const std::size_t Mask = FSlots.size() - 1;
    for (std::size_t Slot = Hash & Mask;; Slot = (Slot + 1) & Mask) {
        const std::uint32_t At = FSlots[Slot];
        if (At == 0) return Slot;
        if (FSpans[At - 1].Hash == Hash && Get(At - 1) == Key) return Slot;
    }
}

void TFoldedKeys::Grow()
{
    std::vector<std::uint32_t> Old(std::max<std::size_t>(64, 2 * FSlots.size()), 0);
    Old.swap(FSlots);
    const std::size_t Mask = FSlots.size() - 1;
    for (const std::uint32_t At : Old) {
        if (At == 0) continue;
        std::size_t Slot = FSpans[At - 1].Hash & Mask;
        while (FSlots[Slot] != 0)
            Slot = (Slot + 1) & Mask;
        FSlots[Slot] = At;
    }
}

std::vector<std::size_t> TFoldedKeys::SortedOrder() const
{
    // Most keys differ in their first bytes: those compare as numbers, side
    // by side in memory, and only equal prefixes look at the keys.
    struct TItem {
        std::uint64_t Prefix;
        std::size_t Index;
    };
    std::vector<TItem> Items(FSpans.size());
    for (std::size_t I = 0; I < Items.size(); ++I)
        Items[I] = {PrefixOf(Get(I)), I};
    std::sort(Items.begin(), Items.end(), [this](const TItem& A, const TItem& B) {
        if (A.Prefix != B.Prefix) return A.Prefix < B.Prefix;
        const int C = Get(A.Index).compare(Get(B.Index));
        return C < 0 || (C == 0 && A.Index < B.Index);
    });
    std::vector<std::size_t> Order(Items.size());
    for (std::size_t I = 0; I < Items.size(); ++I)
        Order[I] = Items[I].Index;
    return Order;
}

void TFoldedKeys::Clear()
{
    AnsiString().swap(FBytes);
    std::vector<TSpan>().swap(FSpans);
    std::vector<std::uint32_t>().swap(FSlots);
}

} // namespace FoldedKeys
