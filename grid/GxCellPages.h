// grid/GxCellPages.h
// Memory for the store's large blocks (rows, cells, texts) taken from the
// system page by page rather than from the heap. On the heap one small live
// allocation made between two blocks, as a scan makes beside the grid, keeps
// the pages around it resident after the blocks are freed; pages of their own
// go back to the system the moment a block is freed.
#pragma once
#include <cstddef>
#include <memory>
#include <utility>

namespace GxCells {

// Zeroed memory; raises std::bad_alloc when the system has no more.
void* AllocatePages(std::size_t Bytes);
void FreePages(void* Pages, std::size_t Bytes) noexcept;

// A fixed-length array on pages of its own. Numbers start at zero, and
// classes are constructed.
template <typename T> class TPageArray {
public:
    TPageArray() = default;
    explicit TPageArray(std::size_t Count)
        : FData(Count ? static_cast<T*>(AllocatePages(Count * sizeof(T))) : nullptr), FCount(FData ? Count : 0)
    {
        std::uninitialized_default_construct_n(FData, FCount);
    }
    TPageArray(TPageArray&& Other) noexcept
        : FData(std::exchange(Other.FData, nullptr)), FCount(std::exchange(Other.FCount, 0))
    {
    }
    TPageArray& operator=(TPageArray&& Other) noexcept
    {
        if (this != &Other) {
            Reset();
            FData = std::exchange(Other.FData, nullptr);
            FCount = std::exchange(Other.FCount, 0);
        }
        return *this;
    }
    TPageArray(const TPageArray&) = delete;
    TPageArray& operator=(const TPageArray&) = delete;
    ~TPageArray() { Reset(); }

    T* get() const { return FData; }
    T& operator[](std::size_t I) const { return FData[I]; }
    explicit operator bool() const { return FData != nullptr; }

    void Reset() noexcept
    {
        if (!FData) return;
        std::destroy_n(FData, FCount);
        FreePages(FData, FCount * sizeof(T));
        FData = nullptr;
        FCount = 0;
    }

private:
    T* FData = nullptr;
    std::size_t FCount = 0;
};

} // namespace GxCells
