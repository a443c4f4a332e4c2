// The Win32 GDI calls the system makes directly: regions and clipping, GDI
// objects (regions, fonts) selected into device contexts, text and
// background colours, text output and bit-block transfers with raster
// operations. (Focus rectangles, edges and frame controls are user32's:
// WinUser.h.)
//
// Coordinates are logical, with GDI's pixel rules: a rectangle covers
// Left..Right-1 x Top..Bottom-1, and so do the regions made from it; a
// polygon region holds the pixels whose centres lie inside the polygon.
// Clip regions given to a device context are in its logical coordinates at
// the time of the call; the context draws only where both its own area (a
// window's paint region, a control's bounds) and the selected clip region
// allow.
//
// GDI objects live until DeleteObject. A handle that is not (or no longer)
// a live object of the right kind is refused: the call fails (0 or ERROR)
// and touches nothing.
#pragma once
#include "platform/graphics/GdiTypes.h"
#include "platform/graphics/Graphics.h"
#include "platform/rtl/WinTypes.h"

// ---- Regions ------------------------------------------------------------------

// CombineRgn modes.
inline constexpr int RGN_AND = 1, RGN_OR = 2, RGN_XOR = 3, RGN_DIFF = 4, RGN_COPY = 5;
// Polygon fill modes: ALTERNATE fills between odd and even crossings, WINDING
// everything the outline winds around.
inline constexpr int ALTERNATE = 1, WINDING = 2;

HRGN CreateRectRgn(int Left, int Top, int Right, int Bottom);
HRGN CreateRectRgnIndirect(const TRect* Rect);
// The ellipse inscribed in Left..Right-1 x Top..Bottom-1.
HRGN CreateEllipticRgn(int Left, int Top, int Right, int Bottom);
// Count points; fewer than three make an empty region.
HRGN CreatePolygonRgn(const TPoint* Points, int Count, int FillMode);
// Dest = Src1 combined with Src2 by Mode (RGN_COPY takes Src1 alone). Dest
// may be one of the sources. Answers the kind of the result.
int CombineRgn(HRGN Dest, HRGN Src1, HRGN Src2, int Mode);
BOOL PtInRegion(HRGN Region, int X, int Y);
// Whether any pixel of the rectangle (right and bottom edges excluded) lies in the region.
BOOL RectInRegion(HRGN Region, const TRect* Rect);
// The bounding rectangle; answers the kind of the region.
int GetRgnBox(HRGN Region, TRect* Rect);
int OffsetRgn(HRGN Region, int DX, int DY);
BOOL EqualRgn(HRGN Region1, HRGN Region2);

// ---- Clipping ------------------------------------------------------------------

// Makes a copy of Region the context's clip region; a null Region removes it.
int SelectClipRgn(HDC DC, HRGN Region);
// Takes the rectangle out of (or narrows to it) the clip region.
int ExcludeClipRect(HDC DC, int Left, int Top, int Right, int Bottom);
int IntersectClipRect(HDC DC, int Left, int Top, int Right, int Bottom);
// The bounding rectangle of what the context can draw on now.
int GetClipBox(HDC DC, TRect* Rect);
// Copies the clip region into Region: 1 when there is one, 0 when none is
// selected, -1 on failure. A context confined to part of its window (a
// paint's to the region being painted) answers that part, narrowed by the
// region selected, as a paint handler that clips its children out leaves it.
int GetClipRgn(HDC DC, HRGN Region);

// ---- Fonts and GDI objects ------------------------------------------------------------

HFONT CreateFontIndirectA(const LOGFONTA* LogFont);
inline HFONT CreateFontIndirect(const LOGFONTA* LogFont)
{
    return CreateFontIndirectA(LogFont);
}
// Copies the description of a font (a LOGFONTA, Size bytes at most) into
// Buffer and answers the bytes copied; 0 for anything else.
int GetObjectA(HGDIOBJ Object, int Size, void* Buffer);
inline int GetObject(HGDIOBJ Object, int Size, void* Buffer)
{
    return GetObjectA(Object, Size, Buffer);
}
// Selects a font into the context (answering the font it had) or a region
// as its clip region (answering the region kind).
HGDIOBJ SelectObject(HDC DC, HGDIOBJ Object);
BOOL DeleteObject(HGDIOBJ Object);

// ---- Colours of text and background ---------------------------------------------------------

inline constexpr int TRANSPARENT = 1, OPAQUE = 2;

// Each answers the previous value.
COLORREF SetTextColor(HDC DC, COLORREF Color);
COLORREF GetTextColor(HDC DC);
COLORREF SetBkColor(HDC DC, COLORREF Color);
COLORREF GetBkColor(HDC DC);
int SetBkMode(HDC DC, int Mode);
int GetBkMode(HDC DC);

// ---- Text -----------------------------------------------------------------------------------

// The measures of the selected font, in pixels.
struct TEXTMETRICA {
    LONG tmHeight = 0; // ascent + descent: a line without leading
    LONG tmAscent = 0;
    LONG tmDescent = 0;
    LONG tmInternalLeading = 0;
    LONG tmExternalLeading = 0; // the gap between lines (DT_EXTERNALLEADING adds it)
    LONG tmAveCharWidth = 0;
    LONG tmMaxCharWidth = 0;
};
using TEXTMETRIC = TEXTMETRICA;
BOOL GetTextMetricsA(HDC DC, TEXTMETRICA* Metrics);
inline BOOL GetTextMetrics(HDC DC, TEXTMETRICA* Metrics)
{
    return GetTextMetricsA(DC, Metrics);
}

// Text with its cell's top-left corner at (X, Y) in the selected font, turned
// by its escapement, in the text colour; the cell is filled with the
// background colour unless the background mode is TRANSPARENT. ETO_OPAQUE
// fills Rect with the background colour first, ETO_CLIPPED keeps the text
// inside Rect. Dx, when given, holds the advance of each character.
BOOL ExtTextOutW(HDC DC, int X, int Y, UINT Options, const TRect* Rect, const WideChar* Text, UINT Count,
                 const int* Dx);
BOOL ExtTextOutA(HDC DC, int X, int Y, UINT Options, const TRect* Rect, const char* Text, UINT Count, const int* Dx);

// ---- Bit-block transfers --------------------------------------------------------------------

// Combines Width x Height pixels of Src at (XSrc, YSrc) with the destination
// at (X, Y) and the brush by Rop. A monochrome source paints its 0 pixels in
// the destination's text colour and its 1 pixels in its background colour;
// a monochrome destination takes 1 where a colour source has the source's
// background colour and 0 elsewhere. Src may be null when Rop ignores it.
BOOL BitBlt(HDC Dest, int X, int Y, int Width, int Height, HDC Src, int XSrc, int YSrc, DWORD Rop);
// As BitBlt, the source rectangle scaled to the destination's (nearest
// pixel; a negative width or height mirrors).
BOOL StretchBlt(HDC Dest, int X, int Y, int Width, int Height, HDC Src, int XSrc, int YSrc, int SrcWidth, int SrcHeight,
                DWORD Rop);
BOOL PatBlt(HDC DC, int X, int Y, int Width, int Height, DWORD Rop);

// ---- Device-context state ---------------------------------------------------------------------

// Pushes the context's state (selected objects, colours, modes, pen
// position, window origin, clipping) and answers its level, 1 for the first
// push; 0 on failure.
int SaveDC(HDC DC);
// Goes back to the state pushed at level SavedDC (a negative value counts
// back from the latest push: -1 is the latest); the states pushed after it
// are dropped. Fails for a level that was never pushed.
BOOL RestoreDC(HDC DC, int SavedDC);
// The window origin: the logical point that lands where logical (0, 0) lay
// before any origin was set. Each answers the previous origin in Old when given.
BOOL SetWindowOrgEx(HDC DC, int X, int Y, TPoint* Old);
BOOL OffsetWindowOrgEx(HDC DC, int DX, int DY, TPoint* Old);
BOOL GetWindowOrgEx(HDC DC, TPoint* Point);
