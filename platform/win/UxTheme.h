// The visual-styles library (uxtheme): themed parts of the standard
// controls, drawn through a device context into its image.
//
// The library is part of the platform and is present and active unless the
// environment variable QUILLMOTE_NO_THEME is set when the program starts
// (read once); then the program runs as on a system without visual styles:
// IsThemeLibraryPresent, IsThemeActive and IsAppThemed answer FALSE and
// OpenThemeData answers 0, so callers take their classic drawing path.
//
// Themed drawing renders every part with one fixed Qt style (Fusion) and a
// fixed palette made of the system colours (GetSysColor), so a part looks
// the same on every machine. OpenThemeData knows the classes "button",
// "edit", "spin", "combobox", "scrollbar", "toolbar", "tab", "header",
// "listview", "treeview" and "status" (case ignored; a class list "a;b"
// takes the first one known). Parts and states keep the numbers of the
// Windows visual-style headers below; a state outside a part's range, and
// state 0, draw as the part's normal state.
//
// How to draw a themed part:
//     if (IsThemeActive() && IsAppThemed())
//         if (HTHEME Theme = OpenThemeData(Handle, u"button")) {
//             DrawThemeBackground(Theme, Canvas->GetHandle(), BP_CHECKBOX, CBS_CHECKEDHOT, &R, nullptr);
//             CloseThemeData(Theme);
//         }
#pragma once
#include "platform/rtl/System.h"
#include "platform/rtl/Types.h"
#include "platform/win/ThemeParts.h"

// ---- Results ------------------------------------------------------------------

inline constexpr HRESULT E_HANDLE = HRESULT(0x80070006); // S_OK, E_INVALIDARG ...: WinTypes.h

// ---- The library ---------------------------------------------------------------

// Whether the library can be loaded at all (LoadLibrary("uxtheme.dll") succeeding).
BOOL IsThemeLibraryPresent();
// Whether visual styles are switched on for the system / for this program.
BOOL IsThemeActive();
BOOL IsAppThemed();

// The theme data of a class for a window (Wnd may be 0), or 0 when the class
// is unknown or themes are off. Close each one.
HTHEME OpenThemeData(HWND Wnd, const WideChar* ClassList);
HRESULT CloseThemeData(HTHEME Theme);

// Draws the part's background into Rect (logical coordinates of DC), clipped
// to ClipRect when one is given. S_OK when drawn; E_HANDLE for a null theme,
// E_INVALIDARG for a null DC or rectangle or a part the class does not have.
HRESULT DrawThemeBackground(HTHEME Theme, HDC DC, int PartId, int StateId, const TRect* Rect, const TRect* ClipRect);
// Text in Rect with DrawText's DT_* flags (TextFlags), in the part's text
// colour for the state (DTT_GRAYED: the disabled colour) and DC's font.
inline constexpr DWORD DTT_GRAYED = 0x1;
HRESULT DrawThemeText(HTHEME Theme, HDC DC, int PartId, int StateId, const WideChar* Text, int CharCount,
                      DWORD TextFlags, DWORD TextFlags2, const TRect* Rect);

enum THEMESIZE { TS_MIN, TS_TRUE, TS_DRAW };
// The part's size: its own size (check and radio boxes, arrow buttons, the
// size gripper, tree glyphs ...); TS_DRAW with a Rect gives the size it
// would be drawn at in Rect. E_INVALIDARG for an unknown part.
HRESULT GetThemePartSize(HTHEME Theme, HDC DC, int PartId, int StateId, const TRect* Rect, THEMESIZE ESize,
                         TSize* Size);
// An edge (EDGE_* and BF_* of WinUser.h) as DrawEdge draws it (the theme
// palette is made of the same system colours); with BF_ADJUST, ContentRect
// (when given) receives the inside.
HRESULT DrawThemeEdge(HTHEME Theme, HDC DC, int PartId, int StateId, const TRect* DestRect, UINT Edge, UINT Flags,
                      TRect* ContentRect);
// A system size (SM_CXVSCROLL, SM_CYHSCROLL, SM_CXBORDER ...) as the theme
// has it: the same as GetSystemMetrics, so that themed and classic layouts agree.
int GetThemeSysSize(HTHEME Theme, int SizeId);
