// The Win32 window calls the system makes directly: window procedures and
// their chained hooks, sending and posting messages, window geometry,
// painting requests, focus, capture, keys, system metrics and text drawing.
//
// Window procedures. Every window has one chain of procedures. A message
// sent to the window (SendMessageA, PostMessageA, and every event the window
// receives) enters the chain at the top; the bottom procedure is the one the
// window was made with (a control's: it hands the message to the control's
// WindowProc, normally WndProc -> Dispatch -> DefaultHandler). `Perform`
// skips the chain, as in the class library.
//
// A hook replaces the top with SetWindowLongA(Wnd, GWL_WNDPROC, New), keeps
// the previous procedure that call returns, passes on what it does not
// handle with CallWindowProcA(Previous, ...) and removes itself with
// SetWindowLongA(Wnd, GWL_WNDPROC, Previous). Hooks may be removed in any
// order: removing one that is not on top takes it out of the middle of the
// chain, and the hook above it then passes straight on to the one below.
// A procedure bound to an object comes from MakeObjectInstance.
#pragma once
#include "platform/rtl/System.h"
#include "platform/rtl/Types.h"
#include "platform/win/WinConstants.h" // SW_* values
#include "platform/win/WinMessages.h"
#include "platform/win/WinStyles.h"

using LONG_PTR = std::intptr_t;
using SHORT = std::int16_t;

inline constexpr int GWL_WNDPROC = -4, GWL_HINSTANCE = -6, GWL_ID = -12, GWL_STYLE = -16, GWL_EXSTYLE = -20,
                     GWL_USERDATA = -21;

inline constexpr UINT SWP_NOSIZE = 0x0001, SWP_NOMOVE = 0x0002, SWP_NOZORDER = 0x0004, SWP_NOREDRAW = 0x0008,
                      SWP_NOACTIVATE = 0x0010, SWP_FRAMECHANGED = 0x0020, SWP_SHOWWINDOW = 0x0040,
                      SWP_HIDEWINDOW = 0x0080, SWP_NOCOPYBITS = 0x0100, SWP_NOOWNERZORDER = 0x0200;
inline HWND const HWND_TOP = nullptr;
inline HWND const HWND_BOTTOM = reinterpret_cast<HWND>(1);
inline HWND const HWND_TOPMOST = reinterpret_cast<HWND>(-1);
inline HWND const HWND_NOTOPMOST = reinterpret_cast<HWND>(-2);

// ---- System metrics ---------------------------------------------------------------

inline constexpr int SM_CXSCREEN = 0, SM_CYSCREEN = 1, SM_CXVSCROLL = 2, SM_CYHSCROLL = 3, SM_CYCAPTION = 4,
                     SM_CXBORDER = 5, SM_CYBORDER = 6, SM_CXDLGFRAME = 7, SM_CYDLGFRAME = 8, SM_CYVTHUMB = 9,
                     SM_CXHTHUMB = 10, SM_CXICON = 11, SM_CYICON = 12, SM_CXCURSOR = 13, SM_CYCURSOR = 14,
                     SM_CYMENU = 15, SM_CXFULLSCREEN = 16, SM_CYFULLSCREEN = 17, SM_MOUSEPRESENT = 19,
                     SM_CYVSCROLL = 20, SM_CXHSCROLL = 21, SM_SWAPBUTTON = 23, SM_CXMIN = 28, SM_CYMIN = 29,
                     SM_CXSIZE = 30, SM_CYSIZE = 31, SM_CXFRAME = 32, SM_CYFRAME = 33, SM_CXMINTRACK = 34,
                     SM_CYMINTRACK = 35, SM_CXDOUBLECLK = 36, SM_CYDOUBLECLK = 37, SM_CXEDGE = 45, SM_CYEDGE = 46,
                     SM_CXSMICON = 49, SM_CYSMICON = 50, SM_CXDRAG = 68, SM_CYDRAG = 69, SM_MOUSEWHEELPRESENT = 75,
                     SM_CXVIRTUALSCREEN = 78, SM_CYVIRTUALSCREEN = 79, SM_CMONITORS = 80;

// The classic Windows values (scroll bars 17, edges 2, borders 1 ...) and the
// primary screen's size.
int GetSystemMetrics(int Index);

// ---- Window procedures -----------------------------------------------------------

// GWL_WNDPROC: installs or removes a procedure (see the top of this file) and
// returns the previous top. GWL_STYLE / GWL_EXSTYLE: the window's styles
// (setting them re-applies them to the window). 0 for a window that is gone.
LONG_PTR SetWindowLongA(HWND Wnd, int Index, LONG_PTR NewLong);
LONG_PTR GetWindowLongA(HWND Wnd, int Index);

// Calls Previous for Wnd; a procedure taken out of the chain in the meantime
// passes on to the one that was below it.
LRESULT CallWindowProcA(WNDPROC Previous, HWND Wnd, UINT Msg, WPARAM WParam, LPARAM LParam);

// A window procedure that calls Method with the message and answers its
// Result. Free it with FreeObjectInstance once no chain holds it any more.
// Raises EOutOfResources when every one of the platform's instances is taken.
WNDPROC MakeObjectInstance(TWndMethod Method);
void FreeObjectInstance(WNDPROC ObjectInstance);

// ---- Messages ----------------------------------------------------------------------

// Through the window's chain, at once. 0 for a window that is gone.
LRESULT SendMessageA(HWND Wnd, UINT Msg, WPARAM WParam, LPARAM LParam);
// Queued on the event loop and sent through the chain when the loop runs;
// dropped if the window is gone by then.
BOOL PostMessageA(HWND Wnd, UINT Msg, WPARAM WParam, LPARAM LParam);

// ---- Windows ---------------------------------------------------------------------------

BOOL IsWindow(HWND Wnd);
BOOL IsWindowVisible(HWND Wnd);
BOOL IsWindowEnabled(HWND Wnd);
BOOL EnableWindow(HWND Wnd, BOOL Enable);
// The parent window, or 0 for a top-level one.
HWND GetParent(HWND Wnd);
// The window rectangle in screen coordinates.
BOOL GetWindowRect(HWND Wnd, TRect* Rect);
// The client area: (0, 0, client width, client height).
BOOL GetClientRect(HWND Wnd, TRect* Rect);
BOOL ClientToScreen(HWND Wnd, TPoint* Point);
BOOL ScreenToClient(HWND Wnd, TPoint* Point);
// Moves, sizes, orders, shows or hides the window; the class library's bounds follow.
BOOL SetWindowPos(HWND Wnd, HWND InsertAfter, int X, int Y, int CX, int CY, UINT Flags);
BOOL ShowWindow(HWND Wnd, int CmdShow);

// ---- Monitors ----------------------------------------------------------------------------

inline constexpr DWORD MONITOR_DEFAULTTONULL = 0, MONITOR_DEFAULTTOPRIMARY = 1, MONITOR_DEFAULTTONEAREST = 2;
inline constexpr DWORD MONITORINFOF_PRIMARY = 1;

struct MONITORINFO {
    DWORD cbSize = sizeof(MONITORINFO);
    TRect rcMonitor; // the screen, in virtual-screen coordinates
    TRect rcWork;    // the part of it that windows may fill (without panels and docks)
    DWORD dwFlags = 0;
};

// The screen that Rect overlaps most; for a rectangle on no screen, the one
// Flags names (none, the primary one, or the one nearest to it).
HMONITOR MonitorFromRect(const TRect* Rect, DWORD Flags);
// The screen's rectangles; FALSE for a screen that is gone.
BOOL GetMonitorInfo(HMONITOR Monitor, MONITORINFO* Info);

// ---- Painting ------------------------------------------------------------------------

// Marks a part of the client area (all of it for a null Rect) for WM_PAINT,
// with WM_ERASEBKGND first when Erase is true.
BOOL InvalidateRect(HWND Wnd, const TRect* Rect, BOOL Erase);
BOOL ValidateRect(HWND Wnd, const TRect* Rect);
// The bounding box of what waits to be painted (empty when nothing does);
// true when something does. Erase is ignored.
BOOL GetUpdateRect(HWND Wnd, TRect* Rect, BOOL Erase);
// Paints the invalid part now.
BOOL UpdateWindow(HWND Wnd);
// A device context on the window's client area (GetDC) or whole window
// (GetWindowDC): drawing through it reaches the window's backing image and
// shows at once. GetDC(0) measures text but draws nothing. Release each one.
HDC GetDC(HWND Wnd);
HDC GetWindowDC(HWND Wnd);
int ReleaseDC(HWND Wnd, HDC DC);

// ---- Focus, capture, keys and the mouse ------------------------------------------------

HWND GetFocus();
HWND SetFocus(HWND Wnd);
HWND GetCapture();
HWND SetCapture(HWND Wnd);
BOOL ReleaseCapture();
// The caret of the window with the focus goes; it comes back when that
// window next gets the focus.
BOOL DestroyCaret();
// Negative while the key is down (VK_SHIFT, VK_CONTROL, VK_MENU, the mouse buttons).
SHORT GetKeyState(int VirtKey);
BOOL GetCursorPos(TPoint* Point);
// The innermost window under a screen point, or 0 where none of the program's lies.
HWND WindowFromPoint(TPoint Point);

// ---- Text --------------------------------------------------------------------------------

inline constexpr UINT DT_TOP = 0x0000, DT_LEFT = 0x0000, DT_CENTER = 0x0001, DT_RIGHT = 0x0002, DT_VCENTER = 0x0004,
                      DT_BOTTOM = 0x0008, DT_WORDBREAK = 0x0010, DT_SINGLELINE = 0x0020, DT_EXPANDTABS = 0x0040,
                      DT_TABSTOP = 0x0080, DT_NOCLIP = 0x0100, DT_EXTERNALLEADING = 0x0200, DT_CALCRECT = 0x0400,
                      DT_NOPREFIX = 0x0800, DT_INTERNAL = 0x1000, DT_EDITCONTROL = 0x2000, DT_PATH_ELLIPSIS = 0x4000,
                      DT_END_ELLIPSIS = 0x8000, DT_MODIFYSTRING = 0x10000, DT_RTLREADING = 0x20000,
                      DT_WORD_ELLIPSIS = 0x40000, DT_NOFULLWIDTHCHARBREAK = 0x80000, DT_HIDEPREFIX = 0x100000,
                      DT_PREFIXONLY = 0x200000;

// Text in a rectangle with the device context's font and text colour, on
// its background colour unless the background is transparent, clipped to
// Rect unless DT_NOCLIP:
// - DT_LEFT / DT_CENTER / DT_RIGHT; with DT_SINGLELINE (CR and LF dropped)
//   DT_TOP / DT_VCENTER / DT_BOTTOM, otherwise lines break at CR, LF and
//   CR LF, and with DT_WORDBREAK at blanks to fit the width (a wider word
//   keeps a line of its own);
// - DT_END_ELLIPSIS and DT_WORD_ELLIPSIS end a line that does not fit with
//   "...", DT_PATH_ELLIPSIS puts "..." in its middle and keeps what follows
//   the last '/' or '\' (a character outside the 16-bit plane is never cut);
// - '&' prefixes are removed ("&&" is '&') unless DT_NOPREFIX, and the
//   character after the last single '&' is underlined (not with
//   DT_HIDEPREFIX, nor on a line broken by DT_WORDBREAK); DT_EXPANDTABS
//   expands tabs to 8 columns; DT_EXTERNALLEADING adds the font's leading
//   to each line; DT_RTLREADING reads right to left (neutral characters
//   move; the alignment stays).
// DT_CALCRECT measures instead of drawing (ellipses applied) and sets Rect's
// Right and Bottom; empty text measures 0 x 0. Count -1 means up to the
// terminating NUL. Returns the height of the text.
int DrawTextA(HDC DC, const char* Text, int Count, TRect* Rect, UINT Format);
int DrawTextW(HDC DC, const WideChar* Text, int Count, TRect* Rect, UINT Format);

// The width and height of a line of text in the device context's font;
// every character counts ('&' and tabs are not processed). Count must not
// be negative, as in Win32.
BOOL GetTextExtentPoint32A(HDC DC, const char* Text, int Count, TSize* Size);
BOOL GetTextExtentPoint32W(HDC DC, const WideChar* Text, int Count, TSize* Size);

// ---- Focus rectangles, edges and frame controls (platform/win/WinGdi.h draws them) ----------------

// The dotted focus frame: every other pixel of Rect's one-pixel border is
// inverted (XOR), so drawing it twice restores the pixels.
BOOL DrawFocusRect(HDC DC, const TRect* Rect);

inline constexpr UINT BDR_RAISEDOUTER = 0x0001, BDR_SUNKENOUTER = 0x0002, BDR_RAISEDINNER = 0x0004,
                      BDR_SUNKENINNER = 0x0008, BDR_OUTER = 0x0003, BDR_INNER = 0x000C, BDR_RAISED = 0x0005,
                      BDR_SUNKEN = 0x000A;
inline constexpr UINT EDGE_RAISED = BDR_RAISEDOUTER | BDR_RAISEDINNER, EDGE_SUNKEN = BDR_SUNKENOUTER | BDR_SUNKENINNER,
                      EDGE_ETCHED = BDR_SUNKENOUTER | BDR_RAISEDINNER, EDGE_BUMP = BDR_RAISEDOUTER | BDR_SUNKENINNER;
inline constexpr UINT BF_LEFT = 0x0001, BF_TOP = 0x0002, BF_RIGHT = 0x0004, BF_BOTTOM = 0x0008,
                      BF_TOPLEFT = BF_TOP | BF_LEFT, BF_TOPRIGHT = BF_TOP | BF_RIGHT,
                      BF_BOTTOMLEFT = BF_BOTTOM | BF_LEFT, BF_BOTTOMRIGHT = BF_BOTTOM | BF_RIGHT,
                      BF_RECT = BF_LEFT | BF_TOP | BF_RIGHT | BF_BOTTOM, BF_MIDDLE = 0x0800, BF_SOFT = 0x1000,
                      BF_ADJUST = 0x2000, BF_FLAT = 0x4000, BF_MONO = 0x8000;

// A 3-D edge of one or two one-pixel rings (outer, then inner) on the
// chosen sides of Rect, in the classic scheme's colours; BF_MIDDLE fills
// the inside with the button face, BF_ADJUST shrinks Rect by the rings.
BOOL DrawEdge(HDC DC, TRect* Rect, UINT Edge, UINT Flags);

inline constexpr UINT DFC_CAPTION = 1, DFC_MENU = 2, DFC_SCROLL = 3, DFC_BUTTON = 4;
inline constexpr UINT DFCS_BUTTONCHECK = 0x0000, DFCS_BUTTONRADIOIMAGE = 0x0001, DFCS_BUTTONRADIOMASK = 0x0002,
                      DFCS_BUTTONRADIO = 0x0004, DFCS_BUTTON3STATE = 0x0008, DFCS_BUTTONPUSH = 0x0010;
inline constexpr UINT DFCS_SCROLLUP = 0x0000, DFCS_SCROLLDOWN = 0x0001, DFCS_SCROLLLEFT = 0x0002,
                      DFCS_SCROLLRIGHT = 0x0003, DFCS_SCROLLCOMBOBOX = 0x0005, DFCS_SCROLLSIZEGRIP = 0x0008;
inline constexpr UINT DFCS_INACTIVE = 0x0100, DFCS_PUSHED = 0x0200, DFCS_CHECKED = 0x0400, DFCS_TRANSPARENT = 0x0800,
                      DFCS_HOT = 0x1000, DFCS_ADJUSTRECT = 0x2000, DFCS_FLAT = 0x4000, DFCS_MONO = 0x8000;

// The classic (unthemed) pictures of push buttons, check boxes, radio
// buttons, scroll-bar arrows and the combo-box arrow, in their states
// (DFCS_PUSHED, DFCS_CHECKED, DFCS_INACTIVE, DFCS_FLAT, DFCS_MONO).
// DFCS_ADJUSTRECT shrinks Rect by the button's edge.
BOOL DrawFrameControl(HDC DC, TRect* Rect, UINT Type, UINT State);
