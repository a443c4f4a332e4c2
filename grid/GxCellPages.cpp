// grid/GxCellPages.cpp
#include "grid/GxCellPages.h"

#include <cstring>
#include <new>
#include <sys/mman.h>

namespace GxCells {

// Under AddressSanitizer the blocks come from the heap, so that the sanitizer
// sees every access to them and every block left behind.
#if defined(__SANITIZE_ADDRESS__)

void* AllocatePages(std::size_t Bytes)
{
    return std::memset(::operator new(Bytes), 0, Bytes);
}

void FreePages(void* Pages, std::size_t) noexcept
{
    ::operator delete(Pages);
}

#else

void* AllocatePages(std::size_t Bytes)
{
    void* Pages = ::mmap(nullptr, Bytes, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
    if (Pages == MAP_FAILED) throw std::bad_alloc();
    return Pages;
}

void FreePages(void* Pages, std::size_t Bytes) noexcept
{
    ::munmap(Pages, Bytes);
}

#endif

} // namespace GxCells
