#include "platform/graphics/HandleTable.h"

#include <vector>

namespace platform::detail {

namespace {

// An id holds its slot's generation in the high half and the slot in the low
// half. Generations start at 1, so every id is at least 2^32 (never 0 or 1),
// and end below 2^31, so no id is negative (never -1 or -2).
static_assert(sizeof(void*) == sizeof(std::uint64_t), "a handle holds a slot and its generation");
constexpr int GenerationShift = 32;
constexpr std::uint64_t SlotMask = 0xFFFFFFFF;
constexpr std::uint64_t OneGeneration = std::uint64_t(1) << GenerationShift;
constexpr std::uint64_t LastGeneration = 0x7FFFFFFF;

struct TEntry {
    // The live handle of the slot, or the one it issues next while it is free.
    std::uint64_t Id;
    void* Object = nullptr;
    std::uint8_t Kind = 0; // 0 while free
};

struct TTable {
    std::vector<TEntry> Entries;
    std::vector<std::uint32_t> FreeSlots; // the slot freed last is used first
    std::size_t Live = 0;
};

// Made by the first handle and never destroyed: objects that outlive static
// destruction (their fonts) may still give their handles back.
constinit TTable* Table = nullptr;

TEntry* LiveEntry(const void* Handle)
{
    const auto Id = std::uint64_t(reinterpret_cast<std::uintptr_t>(Handle));
    const std::uint64_t Slot = Id & SlotMask;
    if (!Table || Slot >= Table->Entries.size()) return nullptr;
    TEntry& E = Table->Entries[Slot];
    return E.Id == Id && E.Kind ? &E : nullptr;
}

} // namespace

void* AddHandle(THandleKind Kind, void* Object)
{
    if (!Table) Table = new TTable;
    TTable& T = *Table;
    std::uint32_t Slot;
    if (!T.FreeSlots.empty()) {
        Slot = T.FreeSlots.back();
        T.FreeSlots.pop_back();
    } else {
        Slot = std::uint32_t(T.Entries.size());
        T.Entries.push_back({OneGeneration | Slot});
    }
    TEntry& E = T.Entries[Slot];
    E.Object = Object;
    E.Kind = Kind;
    ++T.Live;
    return reinterpret_cast<void*>(std::uintptr_t(E.Id));
}

void* HandleObject(const void* Handle, unsigned Kinds)
{
    const TEntry* E = LiveEntry(Handle);
    return E && (E->Kind & Kinds) ? E->Object : nullptr;
}

void RemoveHandle(const void* Handle)
{
    TEntry* E = LiveEntry(Handle);
    if (!E) return;
    E->Object = nullptr;
    E->Kind = 0;
    TTable& T = *Table;
    --T.Live;
    // A slot that has issued its last generation is never used again, so no
    // id comes back.
    if ((E->Id >> GenerationShift) == LastGeneration) return;
    E->Id += OneGeneration;
    T.FreeSlots.push_back(std::uint32_t(E->Id & SlotMask));
}

std::size_t LiveHandleCount()
{
    return Table ? Table->Live : 0;
}

} // namespace platform::detail
