// The Win32 value types the system's units are written in.
#pragma once
#include <cstdint>

struct HWND__;
using HWND = HWND__*; // a window: the handle of a TWinControl
using HANDLE = void*;
using HINSTANCE = void*;
using HDC = struct HDC__*;
using HRGN = struct HRGN__*;
using HBITMAP = struct HBITMAP__*;
using HFONT = struct HFONT__*;
using HBRUSH = struct HBRUSH__*;
using HPEN = struct HPEN__*;
using HGDIOBJ = void*;
using HDROP = struct HDROP__*;
using HKEY = struct HKEY__*;
using HTHEME = struct HTHEME__*;
using HCURSOR = struct HCURSOR__*;
using HICON = struct HICON__*;
using HMONITOR = struct HMONITOR__*; // a screen
inline const HANDLE INVALID_HANDLE_VALUE = reinterpret_cast<HANDLE>(~std::uintptr_t(0));

using UINT = std::uint32_t;
using BOOL = int;
using BYTE = std::uint8_t;
using WORD = std::uint16_t;
using LONG = std::int32_t;
using ULONG = std::uint32_t;
using WPARAM = std::uintptr_t;
using LPARAM = std::intptr_t;
using LRESULT = std::intptr_t;
using COLORREF = std::uint32_t;

// COM-style results (the theme library and GUIDs answer them).
using HRESULT = std::int32_t;
inline constexpr HRESULT S_OK = 0, S_FALSE = 1, E_NOTIMPL = HRESULT(0x80004001), E_FAIL = HRESULT(0x80004005),
                         E_INVALIDARG = HRESULT(0x80070057);
constexpr bool SUCCEEDED(HRESULT Result)
{
    return Result >= 0;
}

struct POINT {
    LONG x = 0;
    LONG y = 0;
    friend bool operator==(const POINT&, const POINT&) = default;
};
struct SIZE {
    LONG cx = 0;
    LONG cy = 0;
    friend bool operator==(const SIZE&, const SIZE&) = default;
};
struct RECT {
    LONG left = 0;
    LONG top = 0;
    LONG right = 0;
    LONG bottom = 0;
    friend bool operator==(const RECT&, const RECT&) = default;
};

inline WORD LOWORD(std::uintptr_t V)
{
    return static_cast<WORD>(V & 0xFFFF);
}
inline WORD HIWORD(std::uintptr_t V)
{
    return static_cast<WORD>((V >> 16) & 0xFFFF);
}
inline std::intptr_t MAKELONG(WORD Lo, WORD Hi)
{
    return static_cast<std::intptr_t>(static_cast<std::uint32_t>(Lo) | (static_cast<std::uint32_t>(Hi) << 16));
}
