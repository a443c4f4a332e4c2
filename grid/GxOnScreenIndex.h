// grid/GxOnScreenIndex.h
// Which rows are on screen, one bit per row, with a Fenwick tree over the
// counts of 64-row words: counting the rows on screen before a row, finding
// the k-th one and stepping to the next or previous one each take O(log n).
// Appending is amortised O(1): the tree is brought up to date lazily, from
// the first word that changed, when a question needs it.
#pragma once
#include <cstdint>
#include <vector>

namespace GxCells {

class TOnScreenIndex {
public:
    int GetSize() const { return FSize; }
    int GetCount() const { return FCount; }
    bool Get(int Index) const { return (FWords[std::size_t(Index) >> 6] >> (Index & 63)) & 1; }

    void Clear();
    void Append(bool OnScreen);
    void Set(int Index, bool OnScreen);
    // Room for one more row at Index, on screen or not (the rows after move up).
    void Insert(int Index, bool OnScreen);
    void Delete(int Index);
    // Rows From to To (inclusive) take the given flags; the size stays.
    template <typename FlagOf> void Refill(int From, int To, FlagOf Flag)
    {
        Stale(std::size_t(From) >> 6);
        for (int I = From; I <= To; ++I)
            Put(I, Flag(I));
    }

    int CountBefore(int Index) const;
    int Select(int K) const;
    int Next(int Index) const;
    int Prior(int Index) const;

private:
    void Put(int Index, bool OnScreen);
    void Stale(std::size_t Word) const;
    void Sync() const;
    void Shift(int Index, int Step); // moves the bits from Index on by +1 or -1

    std::vector<std::uint64_t> FWords;
    mutable std::vector<std::uint32_t> FTree; // 1-based Fenwick tree over word counts
    mutable std::size_t FValid = 0;           // tree nodes 1..FValid are up to date
    int FSize = 0;
    int FCount = 0;
};

} // namespace GxCells
