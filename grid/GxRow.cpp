// grid/GxRow.cpp
#include "grid/GxRow.h"

#include <algorithm>

namespace GxCells {

std::uint32_t TRowPool::Allocate()
{
    std::uint32_t Slot;
    if (FFreeHead >= 0) {
        Slot = std::uint32_t(FFreeHead);
        FFreeHead = At(Slot).FIndex;
    } else {
        if (FSlotCount == FBlocks.size() * BlockSize) {
            FBlocks.emplace_back(BlockSize);
            const TRow* Base = FBlocks.back().get();
            const auto Where = std::lower_bound(FByAddress.begin(), FByAddress.end(), Base,
                                                [](const auto& Entry, const TRow* B) { return Entry.first < B; });
            FByAddress.insert(Where, {Base, std::uint32_t(FBlocks.size() - 1)});
        }
        Slot = FSlotCount++;
    }
    TRow& Row = At(Slot);
    Row = TRow();
    // Serial 0 marks a free slot; after 2^32 rows the serials start again.
    if (++FSerial == 0) ++FSerial;
    Row.FSerial = FSerial;
    return Slot;
}

void TRowPool::Release(std::uint32_t Slot)
{
    TRow& Row = At(Slot);
    Row.FSerial = 0;
    Row.FParent = nullptr;
    Row.FIndex = int(FFreeHead);
    FFreeHead = Slot;
}

void TRowPool::Clear()
{
    FBlocks = decltype(FBlocks)();
    FByAddress = decltype(FByAddress)();
    FSlotCount = 0;
    FFreeHead = -1;
}

std::int64_t TRowPool::SlotOf(const TRow* Row) const
{
    // Ordering unrelated pointers is left to std::less, which is total.
    const auto Where = std::upper_bound(FByAddress.begin(), FByAddress.end(), Row, [](const TRow* R, const auto& E) {
        return std::less<const TRow*>()(R, E.first);
    });
    if (Where == FByAddress.begin()) return -1;
    const auto& [Base, Block] = *std::prev(Where);
    if (!std::less<const TRow*>()(Row, Base + BlockSize)) return -1;
    const std::uint32_t Slot = (Block << BlockBits) + std::uint32_t(Row - Base);
    return Slot < FSlotCount && Row->FSerial != 0 ? std::int64_t(Slot) : -1;
}

} // namespace GxCells
