// Private: the one table behind the platform's handles, windows (HWND) and
// GDI objects (HRGN, HFONT), open themes (HTHEME), shell drops (HDROP) and screens (HMONITOR). A handle is an id, never
// an address: a slot of the table and the count of objects that slot has held. A handle whose object is gone therefore
// stays refused after its slot and its memory serve another object, for as long as the program runs. Ids are never 0
// and never one of the sentinel handles (1, -1, -2). Looking a handle up is an index and a comparison: it runs on every
// message and every paint. The table belongs to the user-interface thread.
#pragma once
#include <cstddef>
#include <cstdint>

namespace platform::detail {

// What a handle stands for; a lookup asks for one or several kinds.
enum THandleKind : std::uint8_t {
    hkWindow = 1,
    hkRegion = 2,
    hkFont = 4,
    hkGdiObject = hkRegion | hkFont,
    hkTheme = 8,
    hkDrop = 16,
    hkMonitor = 32,
};

// A new handle for Object, live until RemoveHandle.
void* AddHandle(THandleKind Kind, void* Object);
// The object of a live handle of one of Kinds, or null.
void* HandleObject(const void* Handle, unsigned Kinds);
// The handle is over for good; a handle that is not live is ignored.
void RemoveHandle(const void* Handle);
// How many handles are live.
std::size_t LiveHandleCount();

} // namespace platform::detail
