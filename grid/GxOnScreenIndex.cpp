// grid/GxOnScreenIndex.cpp
#include "grid/GxOnScreenIndex.h"

#include <algorithm>
#include <bit>

namespace GxCells {

namespace {

std::size_t LowBit(std::size_t I)
{
    return I & (~I + 1);
}

} // namespace

void TOnScreenIndex::Clear()
{
    FWords = decltype(FWords)();
    FTree = decltype(FTree)();
    FValid = 0;
    FSize = FCount = 0;
}

void TOnScreenIndex::Stale(std::size_t Word) const
{
    FValid = std::min(FValid, Word);
}

void TOnScreenIndex::Put(int Index, bool OnScreen)
{
    const std::size_t W = std::size_t(Index) >> 6;
    const std::uint64_t Bit = std::uint64_t(1) << (Index & 63);
    if (bool(FWords[W] & Bit) == OnScreen) return;
    FWords[W] ^= Bit;
    const int Delta = OnScreen ? 1 : -1;
    FCount += Delta;
    for (std::size_t I = W + 1; I <= FValid; I += LowBit(I))
        FTree[I - 1] += std::uint32_t(Delta);
}

void TOnScreenIndex::Append(bool OnScreen)
{
    if ((FSize & 63) == 0) FWords.push_back(0);
    ++FSize;
    // A new word's tree node is made when a question comes; until then the
    // appended rows cost a bit each.
    Stale(FWords.size() - 1);
    Put(FSize - 1, OnScreen);
}

void TOnScreenIndex::Set(int Index, bool OnScreen)
{
    Put(Index, OnScreen);
}

void TOnScreenIndex::Shift(int Index, int Step)
{
    const std::size_t W = std::size_t(Index) >> 6;
    const unsigned B = Index & 63;
    const std::uint64_t LowMask = (std::uint64_t(1) << B) - 1;
    const std::uint64_t Low = FWords[W] & LowMask;
    if (Step > 0) {
        // Every bit from Index on moves one place up; the top bit of each word
        // goes to the bottom of the next.
        for (std::size_t I = FWords.size() - 1; I > W; --I)
            FWords[I] = (FWords[I] << 1) | (FWords[I - 1] >> 63);
        FWords[W] = ((FWords[W] & ~LowMask) << 1) | Low;
    } else {
        const std::uint64_t High = B == 63 ? 0 : (FWords[W] >> (B + 1)) << B;
        FWords[W] = Low | High;
        for (std::size_t I = W; I + 1 < FWords.size(); ++I) {
            FWords[I] |= FWords[I + 1] << 63;
            FWords[I + 1] >>= 1;
        }
    }
    Stale(W);
}

void TOnScreenIndex::Insert(int Index, bool OnScreen)
{
    if ((FSize & 63) == 0) FWords.push_back(0);
    ++FSize;
    Shift(Index, +1); // leaves the bit at Index clear
    Put(Index, OnScreen);
}

void TOnScreenIndex::Delete(int Index)
{
    if (Get(Index)) --FCount;
    Shift(Index, -1);
    --FSize;
    if ((FSize & 63) == 0) FWords.pop_back();
}

void TOnScreenIndex::Sync() const
{
    const std::size_t N = FWords.size();
    if (FTree.size() != N) FTree.resize(N);
    for (std::size_t I = FValid + 1; I <= N; ++I) {
        std::uint32_t Sum = std::uint32_t(std::popcount(FWords[I - 1]));
        for (std::size_t Child = 1; Child < LowBit(I); Child <<= 1)
            Sum += FTree[I - Child - 1];
        FTree[I - 1] = Sum;
    }
    FValid = N;
}

int TOnScreenIndex::CountBefore(int Index) const
{
    Index = std::clamp(Index, 0, FSize);
    Sync();
    std::size_t W = std::size_t(Index) >> 6;
    int Count = 0;
    for (std::size_t I = W; I > 0; I -= LowBit(I))
        Count += int(FTree[I - 1]);
    if (Index & 63) Count += std::popcount(FWords[W] & ((std::uint64_t(1) << (Index & 63)) - 1));
    return Count;
}

int TOnScreenIndex::Select(int K) const
{
    if (K < 0 || K >= FCount) return -1;
    Sync();
    // Descend the tree to the word that holds the K-th bit.
    std::size_t Pos = 0;
    std::uint32_t Rest = std::uint32_t(K);
    for (std::size_t Step = std::bit_floor(FWords.size()); Step; Step >>= 1)
        if (Pos + Step <= FWords.size() && FTree[Pos + Step - 1] <= Rest) {
            Pos += Step;
            Rest -= FTree[Pos - 1];
        }
    std::uint64_t Word = FWords[Pos];
    for (; Rest; --Rest)
        Word &= Word - 1;
    return int(Pos * 64 + std::size_t(std::countr_zero(Word)));
}

int TOnScreenIndex::Next(int Index) const
{
    if (Index + 1 >= FSize) return -1;
    return Select(CountBefore(Index + 1));
}

int TOnScreenIndex::Prior(int Index) const
{
    if (Index <= 0) return -1;
    const int Before = CountBefore(Index);
    return Before ? Select(Before - 1) : -1;
}

} // namespace GxCells
