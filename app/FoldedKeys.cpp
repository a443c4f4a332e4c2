#include "app/FoldedKeys.h"
#include "platform/classes/Threads.h"
#include "platform/rtl/Codec.h"

#include <algorithm>
#include <functional>

namespace FoldedKeys {

namespace {

// The key's first sixteen bytes as two numbers that order as the bytes do
// (shorter keys padded with zeros, which order first as a shorter key does):
// extracts often share their first eight bytes (a name before a number).
struct TPrefix {
    std::uint64_t High = 0, Low = 0;
    auto operator<=>(const TPrefix&) const = default;
};

std::uint64_t EightBytesFrom(std::string_view Key, std::size_t From)
{
    std::uint64_t N = 0;
    for (std::size_t I = From; I < From + 8; ++I)
        N = (N << 8) | (I < Key.size() ? static_cast<unsigned char>(Key[I]) : 0u);
    return N;
}

TPrefix PrefixOf(std::string_view Key)
{
    return {EightBytesFrom(Key, 0), EightBytesFrom(Key, 8)};
}

struct TItem {
    TPrefix Prefix;
    std::size_t Index;
};

constexpr std::size_t LeastRun = 16384; // fewer keys a thread sort faster than it starts
constexpr int MostRuns = 8;             // the runs are merged by looking at each one's head

} // namespace

std::uint32_t TFoldedKeys::HashOf(std::string_view Key)
{
    return static_cast<std::uint32_t>(std::hash<std::string_view>()(Key));
}

TFoldedKey TFoldedKeys::AppendKey(AnsiString& To, std::string_view Text)
{
    const std::size_t Offset = To.size();
    AppendFoldedKey(To, Text);
    const std::string_view Key = std::string_view(To).substr(Offset);
    return {Key, HashOf(Key)};
}

bool TFoldedKeys::Add(std::string_view Text, bool Unique)
{
    const std::size_t Offset = FBytes.size();
    return Keep(Offset, AppendKey(FBytes, Text).Hash, Unique);
}

bool TFoldedKeys::Add(TFoldedKey Key, bool Unique)
{
    const std::size_t Offset = FBytes.size();
    FBytes.append(Key.Bytes);
    return Keep(Offset, Key.Hash, Unique);
}

bool TFoldedKeys::Keep(std::size_t Offset, std::uint32_t Hash, bool Unique)
{
    const std::string_view Key = std::string_view(FBytes).substr(Offset);
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

std::vector<std::size_t> TFoldedKeys::SortedOrder(int Threads) const
{
    // Most keys differ in their first bytes: those compare as numbers, side
    // by side in memory, and only equal prefixes look at the keys.
    std::vector<TItem> Items(FSpans.size());
    for (std::size_t I = 0; I < Items.size(); ++I)
        Items[I] = {PrefixOf(Get(I)), I};
    const auto Less = [this](const TItem& A, const TItem& B) {
        if (A.Prefix != B.Prefix) return A.Prefix < B.Prefix;
        const int C = Get(A.Index).compare(Get(B.Index));
        return C < 0 || (C == 0 && A.Index < B.Index);
    };
    // Runs of consecutive indices sorted side by side, then merged; a tie
    // between runs goes to the earlier run, whose indices are lower.
    const std::size_t Runs =
        std::clamp<std::size_t>(std::min<std::size_t>(Threads, Items.size() / LeastRun), 1, MostRuns);
    std::vector<std::size_t> Bounds(Runs + 1);
    for (std::size_t R = 0; R <= Runs; ++R)
        Bounds[R] = Items.size() * R / Runs;
    const auto SortRun = [&](std::size_t R) {
        std::sort(Items.begin() + static_cast<std::ptrdiff_t>(Bounds[R]),
                  Items.begin() + static_cast<std::ptrdiff_t>(Bounds[R + 1]), Less);
    };
    {
        std::vector<TOwned<TFunctionThread>> Sorters;
        for (std::size_t R = 1; R < Runs; ++R)
            Sorters.emplace_back(New<TFunctionThread>([&SortRun, R] { SortRun(R); }));
        SortRun(0);
    } // each sorter is waited for as it goes
    std::vector<std::size_t> Order;
    Order.reserve(Items.size());
    std::vector<std::size_t> Heads(Bounds.begin(), Bounds.end() - 1);
    for (std::size_t N = 0; N < Items.size(); ++N) {
        std::size_t Best = Runs;
        for (std::size_t R = 0; R < Runs; ++R)
            if (Heads[R] < Bounds[R + 1] && (Best == Runs || Less(Items[Heads[R]], Items[Heads[Best]]))) Best = R;
        Order.push_back(Items[Heads[Best]++].Index);
    }
    return Order;
}

void TFoldedKeys::Clear()
{
    AnsiString().swap(FBytes);
    std::vector<TSpan>().swap(FSpans);
    std::vector<std::uint32_t>().swap(FSlots);
}

} // namespace FoldedKeys
