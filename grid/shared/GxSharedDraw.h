// grid/shared/GxSharedDraw.h
// The older set of free drawing routines beside the drawing providers:
// colour blending, the named colours of tool-button and task-pane looks,
// gradients with glass, fade and shine, text with and without prefixes,
// embossed disabled text, bitmaps with per-pixel alpha, grey bitmaps and
// pseudo-transparency. Every routine works on the canvas or bitmap it is
// handed and keeps nothing between calls.
#pragma once
#include "platform/controls/Controls.h"

namespace GxSharedDraw {

enum TColorElement {
    ceMenuHighlight,
    ceTaskPaneHeadFromColor,
    ceTaskPaneHeadToColor,
    ceToolBtnBorder,
    ceToolBtnFromColor,
    ceToolBtnToColor,
    ceToolBtnHFromColor,
    ceToolBtnHToColor,
    ceToolBtnDFromColor,
    ceToolBtnDToColor,
    ceToolbarFromColor,
    ceToolbarToColor,
    ceWhidbeyTabBorder
};

// ---- Colours ----------------------------------------------------------------------------------------

// (C1 * Alpha + C2 * (255 - Alpha)) shr 8 per channel, colours resolved.
// Alpha outside 0..255 fails an assertion.
TColor BlendColor(TColor Color1, TColor Color2, int Alpha);
// Round(C2 * Factor + (1 - Factor) * C1) per channel, colours resolved; a
// factor outside 0..1 counts as the nearer end.
TColor BlendColor(TColor Color1, TColor Color2, double Factor);
Byte MixBytes(Byte Fore, Byte Back, Byte Alpha);
// The element's colour, themed or classic; clNone for no element.
TColor GetColor(TColorElement Element);
// Each channel moved by Amount and kept in 0..255; the colour resolved.
TColor Lighten(TColor Color, int Amount);

// ---- Pixels of 24-bit (B, G, R) and 32-bit (B, G, R, A) rows ------------------------------------------------
// Each reads or writes one pixel and moves the pointer to the next.

void PutColorValues24(Byte*& Pixel, Byte R, Byte G, Byte B);
void PutColorValues32(Byte*& Pixel, Byte R, Byte G, Byte B); // the alpha byte stays
void SetColorValues24(Byte*& Pixel, Byte& R, Byte& G, Byte& B);
void SetColorValues32(Byte*& Pixel, Byte& R, Byte& G, Byte& B, Byte& A);
void SetColorValues32(Byte*& Pixel, Byte& R, Byte& G, Byte& B);
// The pixel becomes the grey (B + G + R) div 3.
void GrayscaleValues24(Byte*& Pixel);
void GrayscaleValues32(Byte*& Pixel);

// ---- Bitmaps ----------------------------------------------------------------------------------------------

// A pf32bit bitmap blended by its alpha onto the canvas; others drawn as they are.
void ApplyBitmap(TCanvas* Canvas, int X, int Y, TBitmap* Bitmap);
// A pf32bit bitmap blended by its alpha against the solid Color; others drawn as they are.
void DrawBitmap(TCanvas* Canvas, int X, int Y, TBitmap* Bitmap, TColor Color);
// The bitmap resource ResName at (X, Y); Transparent leaves out the colour
// of its bottom-left pixel.
void DrawBitmapRes(TCanvas* Canvas, int X, int Y, const AnsiString& ResName, bool Transparent);
// pf24bit and pf32bit pixels turned grey in place (alpha kept); a pf4bit
// bitmap becomes an embossed disabled picture; other formats stay.
void GrayscaleBitmap(TBitmap* Bitmap);
// The classic disabled picture: the button face, with the bitmap's shape
// (every pixel unlike its bottom-left one) in the highlight colour one pixel
// right and down and in the shadow colour over it.
void GrayscaleSimpleBitmap(TBitmap* Bitmap);

// ---- Gradients and effects -------------------------------------------------------------------------------

// Vertical lines from FromColor (left) towards ToColor.
void DrawHorzGradient(TCanvas* Canvas, const TRect& Rect, TColor FromColor, TColor ToColor);
// FromColor in the middle column, blending towards ToColor at both edges.
void DrawHorzReflectGrad(TCanvas* Canvas, const TRect& Rect, TColor FromColor, TColor ToColor);
// Horizontal lines from FromColor (top) towards ToColor.
void DrawVertGradient(TCanvas* Canvas, const TRect& Rect, TColor FromColor, TColor ToColor);
// A vertical gradient whose first GlassHeight rows are whitened: white at
// the top, half-way to the row colour at GlassHeight.
void DrawVertGlass(TCanvas* Canvas, const TRect& Rect, TColor FromColor, TColor ToColor, int GlassHeight);
// The glass gradient with a white shine down the middle column, fading out
// 78 pixels to either side.
void DrawVertShine(TCanvas* Canvas, const TRect& Rect, TColor FromColor, TColor ToColor, int ShineHeight);
// Whitens the top rows of what the canvas shows in Rect, less with each row
// (22 rows at most, within the top half).
void DrawVertFade(TCanvas* Canvas, const TRect& Rect);

// ---- Text ---------------------------------------------------------------------------------------------------
// One line, vertically centred, cut with an ellipsis, on a clear brush (the
// brush is solid again afterwards).

// '&' prefixes handled unless NoPrefix.
void DrawText(TCanvas* Canvas, const TRect& Rect, TAlignment Alignment, const WideString& Text, bool NoPrefix);
// Left-aligned, '&' drawn as it is; right to left only for bdRightToLeft.
void DrawTextRect(TCanvas* Canvas, const TRect& Rect, const WideString& Text, TBiDiMode BiDiMode);
// Left-aligned; '&' underlines the character after it.
void DrawPrefixText(TCanvas* Canvas, const TRect& Rect, const WideString& Text);
// Embossed grey text: in the highlight colour one pixel right and down, in
// the shadow colour over it; the font colour stays the shadow colour.
void DrawDisabledText(TCanvas* Canvas, const TRect& Rect, const AnsiString& Text, TAlignment Alignment, bool NoPrefix);

// ---- Clipping and transparency ----------------------------------------------------------------------------

// The canvas's clip region becomes Rect.
void SetClipRect(TCanvas* Canvas, const TRect& Rect);
// Paints the parent's background and picture into Control's canvas, at the
// control's place, so that the control looks transparent. Nothing happens
// without a parent window.
void DrawTransparent(TCustomControl* Control, TCanvas* Canvas);

} // namespace GxSharedDraw
