// The case-folded keys of the scan's kept extracts, in the order they came:
// whether an extract is new, ignoring case, and the order that sorts them.
// The keys lie side by side in one buffer and the hash holds their indices,
// so keeping one allocates nothing of its own and letting them go is cheap.
#pragma once
#include "platform/rtl/SysUtils.h"

#include <cstdint>
#include <string_view>
#include <vector>

namespace FoldedKeys {

// A folded key with the hash it is found by, made where the text is at hand
// (the scan's workers make them for the window's thread).
struct TFoldedKey {
    std::string_view Bytes;
    std::uint32_t Hash = 0;
};

class TFoldedKeys {
public:
    static std::uint32_t HashOf(std::string_view Key);
    // Text's key appended to To, which it then views.
    static TFoldedKey AppendKey(AnsiString& To, std::string_view Text);

    // Keeps Text's folded key; with Unique, a key kept already is not kept
    // again and false is returned.
    bool Add(std::string_view Text, bool Unique);
    // The same for a key folded already.
    bool Add(TFoldedKey Key, bool Unique);
    // Brings the hash slot a key with this hash starts at into the cache, so
    // that the window's thread can look ahead of the keys it is about to add.
    void Prefetch(std::uint32_t Hash) const
    {
        if (!FSlots.empty()) __builtin_prefetch(&FSlots[Hash & (FSlots.size() - 1)]);
    }
    std::size_t GetCount() const { return FSpans.size(); }
    std::string_view Get(std::size_t Index) const
    {
        return std::string_view(FBytes).substr(FSpans[Index].Offset, FSpans[Index].Length);
    }
    // The indices in the byte order of their keys, equal keys as they came,
    // sorted on up to Threads threads (this one among them).
    std::vector<std::size_t> SortedOrder(int Threads = 1) const;
    // Forgets every key and gives back the memory.
    void Clear();

private:
    struct TSpan {
        std::size_t Offset;
        std::uint32_t Length;
        std::uint32_t Hash;
    };
    // Keeps the key that ends FBytes from Offset on.
    bool Keep(std::size_t Offset, std::uint32_t Hash, bool Unique);
    // The slot holding an equal key, or the empty slot where it would go.
    std::size_t SlotOf(std::string_view Key, std::uint32_t Hash) const;
    void Grow();

    AnsiString FBytes;
    std::vector<TSpan> FSpans;
    std::vector<std::uint32_t> FSlots; // open addressing: a key's index + 1; 0 for an empty slot
};

} // namespace FoldedKeys
