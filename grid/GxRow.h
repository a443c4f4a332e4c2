// grid/GxRow.h
// A row's attributes, and the pool that keeps the rows of a store where they
// stay put: a row keeps its address while rows are sorted, moved or deleted
// around it, and 32 bytes is all a row costs.
#pragma once
#include "grid/GxCellPages.h"
#include "grid/GxColumns.h"

#include <cstdint>
#include <memory>
#include <vector>

namespace GxCells {

using namespace GxColumns;

class TRow {
public:
    int GetChildCount() const { return FChildCount; }
    bool GetExpanded() const { return FFlags & rfExpanded; }
    void SetExpanded(bool Value) { SetFlag(rfExpanded, Value); }
    int GetLevel() const { return FLevel; }
    TRow* GetParent() const { return FParent; }
    int GetHeight() const { return FHeight; }
    void SetHeight(int Value) { FHeight = Value; }
    bool GetSelected() const { return FFlags & rfSelected; }
    void SetSelected(bool Value) { SetFlag(rfSelected, Value); }
    // False while a collapsed ancestor hides the row (the store's ExpandRow).
    bool GetShown() const { return FFlags & rfShown; }
    // The row's own visibility (the store's ShowRow).
    bool GetVisible() const { return FFlags & rfVisible; }
    bool GetOnScreen() const { return (FFlags & (rfShown | rfVisible)) == (rfShown | rfVisible); }

    void AddChild() { ++FChildCount; }
    void DeleteChild() { --FChildCount; }
    void Clear() { FChildCount = 0; }

private:
    friend class TCells;
    friend class TRowPool;
    enum : std::uint8_t { rfExpanded = 1, rfSelected = 2, rfShown = 4, rfVisible = 8 };
    void SetFlag(std::uint8_t Flag, bool Value) { FFlags = Value ? FFlags | Flag : FFlags & ~Flag; }

    TRow* FParent = nullptr;
    int FChildCount = 0;
    int FLevel = 0;
    int FHeight = 0;
    int FIndex = -1;           // position in the store; the next free slot while free
    std::uint32_t FSerial = 0; // 0 while free; a cell checks it to know its row still lives
    std::uint8_t FFlags = rfExpanded | rfShown | rfVisible;
};

// Rows in blocks of BlockSize, found by slot number; freed slots are reused.
class TRowPool {
public:
    static constexpr std::uint32_t BlockBits = 12, BlockSize = 1u << BlockBits;

    TRow& At(std::uint32_t Slot) const { return FBlocks[Slot >> BlockBits][Slot & (BlockSize - 1)]; }
    // The slot of a new row with a fresh serial.
    std::uint32_t Allocate();
    void Release(std::uint32_t Slot);
    void Clear();
    // One past the highest slot ever handed out: the length of the columns' arrays.
    std::uint32_t GetSlotCount() const { return FSlotCount; }
    std::size_t GetBlockCount() const { return FBlocks.size(); }
    // The live row at Slot with that serial, null when it has gone.
    TRow* Find(std::uint32_t Slot, std::uint32_t Serial) const
    {
        if (Slot >= FSlotCount) return nullptr;
        TRow& Row = At(Slot);
        return Row.FSerial == Serial && Serial != 0 ? &Row : nullptr;
    }
    // The slot of a live row of this pool, -1 for any other pointer.
    std::int64_t SlotOf(const TRow* Row) const;

private:
    static_assert(sizeof(TRow) * BlockSize % 4096 == 0, "a block of rows fills its pages");
    std::vector<TPageArray<TRow>> FBlocks;
    // Block addresses in ascending order with their block numbers, for SlotOf.
    std::vector<std::pair<const TRow*, std::uint32_t>> FByAddress;
    std::uint32_t FSlotCount = 0;
    std::int64_t FFreeHead = -1;
    std::uint32_t FSerial = 0;
};

} // namespace GxCells
