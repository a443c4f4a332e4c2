// A window's own scroll bars (WS_HSCROLL / WS_VSCROLL) and scrolling its
// contents.
//
// Scroll bars. Each window has a horizontal (SB_HORZ) and a vertical
// (SB_VERT) bar with a range Min..Max, a page and a position. The highest
// position the user can reach is Max - Page + 1 (Max when Page is 0), and
// SetScrollInfo clamps the position to that. A bar is shown while its style
// bit is set; it lies outside the client area, at the right or bottom edge
// inside the border. SetScrollInfo with a range or a page hides a bar that
// has nothing to scroll (Max - Page + 1 <= Min), unless SIF_DISABLENOSCROLL
// asks to keep it shown but disabled, and shows and enables a bar that has
// something to scroll (a page alone shows nothing).
//
// The user's actions on a bar arrive as WM_HSCROLL / WM_VSCROLL (low word of
// wParam the SB_* code, high word the 16-bit track position, lParam 0), each
// action followed by SB_ENDSCROLL; the bar itself does not move until the
// window sets a new position, as on Windows. During a thumb drag SIF_TRACKPOS answers the
// whole 32-bit track position. A turn of the wheel over a bar is the
// window's wheel message.
#pragma once
#include "platform/rtl/Types.h"
#include "platform/win/WinGdi.h"
#include "platform/win/WinMessages.h"

struct SCROLLINFO {
    UINT cbSize = sizeof(SCROLLINFO);
    UINT fMask = 0;
    int nMin = 0;
    int nMax = 0;
    UINT nPage = 0;
    int nPos = 0;
    int nTrackPos = 0;
};

inline constexpr UINT SIF_RANGE = 0x0001, SIF_PAGE = 0x0002, SIF_POS = 0x0004, SIF_DISABLENOSCROLL = 0x0008,
                      SIF_TRACKPOS = 0x0010, SIF_ALL = SIF_RANGE | SIF_PAGE | SIF_POS | SIF_TRACKPOS;

// EnableScrollBar arrows.
inline constexpr UINT ESB_ENABLE_BOTH = 0x0000, ESB_DISABLE_BOTH = 0x0003, ESB_DISABLE_LEFT = 0x0001,
                      ESB_DISABLE_RIGHT = 0x0002, ESB_DISABLE_UP = 0x0001, ESB_DISABLE_DOWN = 0x0002,
                      ESB_DISABLE_LTUP = ESB_DISABLE_LEFT, ESB_DISABLE_RTDN = ESB_DISABLE_RIGHT;

// Sets what fMask names (SIF_RANGE, SIF_PAGE, SIF_POS, SIF_DISABLENOSCROLL)
// and answers the new position. Bar is SB_HORZ or SB_VERT.
int SetScrollInfo(HWND Wnd, int Bar, const SCROLLINFO* Info, BOOL Redraw);
// Fills what fMask names; false for a window that is gone.
BOOL GetScrollInfo(HWND Wnd, int Bar, SCROLLINFO* Info);
// The old position.
int SetScrollPos(HWND Wnd, int Bar, int Pos, BOOL Redraw);
int GetScrollPos(HWND Wnd, int Bar);
BOOL GetScrollRange(HWND Wnd, int Bar, int* MinPos, int* MaxPos);
// Shows or hides SB_HORZ, SB_VERT or SB_BOTH; the client area changes
// (WM_NCCALCSIZE, WM_SIZE).
BOOL ShowScrollBar(HWND Wnd, int Bar, BOOL Show);
// Bar SB_HORZ, SB_VERT or SB_BOTH; Arrows an ESB_* value. A bar with both
// arrows disabled takes no input (one arrow alone is not disabled here).
// False when nothing changed.
BOOL EnableScrollBar(HWND Wnd, UINT Bar, UINT Arrows);

// ---- Scrolling a window's contents --------------------------------------------------

inline constexpr UINT SW_INVALIDATE = 0x0002, SW_ERASE = 0x0004;

// Moves the pixels of the client area by (DX, DY). Only pixels inside both
// the scroll rectangle (the client area when null) and the clip rectangle
// (the client area when null) move, and only to places inside both; the part
// of that area they leave uncovered goes into UpdateRegion and UpdateRect
// (when given) and, with SW_INVALIDATE, into the window's update region
// (with SW_ERASE, to be erased first). The update region already pending in
// the area moves along with the pixels. Child windows stay where they are.
// Answers the kind of the uncovered region (NULLREGION, SIMPLEREGION,
// COMPLEXREGION), ERROR for a window that is gone.
int ScrollWindowEx(HWND Wnd, int DX, int DY, const TRect* Scroll, const TRect* Clip, HRGN UpdateRegion,
                   TRect* UpdateRect, UINT Flags);

// ---- Repainting ----------------------------------------------------------------------------

inline constexpr UINT RDW_INVALIDATE = 0x0001, RDW_INTERNALPAINT = 0x0002, RDW_ERASE = 0x0004, RDW_VALIDATE = 0x0008,
                      RDW_NOINTERNALPAINT = 0x0010, RDW_NOERASE = 0x0020, RDW_NOCHILDREN = 0x0040,
                      RDW_ALLCHILDREN = 0x0080, RDW_UPDATENOW = 0x0100, RDW_ERASENOW = 0x0200, RDW_FRAME = 0x0400,
                      RDW_NOFRAME = 0x0800;

// Invalidates (RDW_INVALIDATE, with RDW_ERASE erased first) or validates
// (RDW_VALIDATE) a part of the client area: Region when given, else Rect,
// else all of it; RDW_FRAME does the same to the non-client area (WM_NCPAINT).
// RDW_UPDATENOW and RDW_ERASENOW paint what is invalid before returning.
BOOL RedrawWindow(HWND Wnd, const TRect* Rect, HRGN Region, UINT Flags);
