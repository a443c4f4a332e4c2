// grid/shared/GxSharedCommon.h
// The grid library's one place for rectangle arithmetic, colour blending,
// clipping, small standard pictures (buttons, focus rectangles, check
// boxes, gradients) and text in rectangles: five provider classes with
// class methods only, free routines and the HTML colour routines. Every
// operation works on the canvas it is handed and keeps nothing between
// calls.
#pragma once
#include "platform/controls/Controls.h"

#include <vector>

namespace GxSharedCommon {

// ---- Arithmetic --------------------------------------------------------------------------------

class TCalcProvider : public TObject {
public:
    QM_CLASS(TCalcProvider, TObject)
    // Part as a percentage of Whole; 0 when Whole is 0.
    static double GetRatio(double Part, double Whole);
    // True unless the rectangles lie apart; touching at an edge counts as meeting.
    static bool IsRectInRect(const TRect& R1, const TRect& R2);
    // The top-left corner of a Width x Height item placed in Rect: Margin
    // from the edge it is aligned to, or centred (no margin).
    static TPoint PosInRect(int Width, int Height, int Margin, const TRect& Rect, TAlignment Alignment,
                            TVerticalAlignment VerticalAlignment);
    static TRect ResizeRect(const TRect& Rect, int DLeft, int DTop, int DRight, int DBottom);
};

// ---- Colours, clipping and standard pictures --------------------------------------------------------

class TGraphicsProvider : public TObject {
public:
    QM_CLASS(TGraphicsProvider, TObject)
    // (C1 * Alpha + C2 * (255 - Alpha)) shr 8 per channel, colours resolved:
    // Alpha 255 gives Color1 less a rounding step. Alpha outside 0..255
    // fails an assertion.
    static TColor BlendColor(TColor Color1, TColor Color2, int Alpha);
    // Round(C2 * Factor + (1 - Factor) * C1) per channel, halves to even:
    // Factor 0 gives Color1, 1 gives Color2 (a factor outside 0..1 counts as
    // the nearer end).
    static TColor BlendColor(TColor Color1, TColor Color2, double Factor);
    // The canvas's clip region becomes Rect.
    static void SetClipingRect(TCanvas* Canvas, const TRect& Rect);
    // The clip region becomes the polygon of all the points (winding fill);
    // Count is not needed.
    static void SetClipingPolygon(TCanvas* Canvas, const std::vector<TPoint>& Points, int Count);
    // Draws the bitmap resource ResName at (X, Y); Transparent leaves out
    // the colour of its bottom-left pixel.
    static void DrawBitmapFromRes(TCanvas* Canvas, int X, int Y, const AnsiString& ResName, bool Transparent);
    static void DrawImageFromRes(TCanvas* Canvas, int X, int Y, const AnsiString& ResName);
    // A classic push-button face: the button face inside a one-pixel 3-D frame.
    static void DrawButton(TCanvas* Canvas, const TRect& Rect, bool Down);
    // A solid highlight frame, or the dotted focus rectangle.
    static void DrawFocused(TCanvas* Canvas, const TRect& Rect, bool Solid);
    // A check box placed in Rect: the themed part when themes are in use,
    // the classic 11 x 11 box otherwise.
    static void DrawCheckBox(HWND Handle, TCanvas* Canvas, const TRect& Rect, TAlignment Alignment,
                             TVerticalAlignment VerticalAlignment, bool Checked, bool Down, bool Hover);
    // The classic 11 x 11 check box with its top-left corner at P: filled
    // with the button face while Down, the three-line mark when Checked.
    static void DrawClassicCheckBox(TCanvas* Canvas, TPoint P, bool Checked, bool Down);
    // Horizontal lines from FromColor (top) towards ToColor.
    static void DrawGradient(TCanvas* Canvas, const TRect& Rect, TColor FromColor, TColor ToColor);
    // Vertical lines from FromColor (left) towards ToColor.
    static void DrawVertGradient(TCanvas* Canvas, const TRect& Rect, TColor FromColor, TColor ToColor);
    // One line, vertically centred, cut with an ellipsis.
    static void DrawTextRect(TCanvas* Canvas, const TRect& Rect, TAlignment Alignment, const WideString& Text,
                             TBiDiMode BiDiMode);
    // Text with or without word wrap, placed by both alignments.
    static void DrawWrapedTextRect(TCanvas* Canvas, const TRect& Rect, TAlignment Alignment,
                                   TVerticalAlignment VerticalAlignment, bool WordWrap, const WideString& Text,
                                   TBiDiMode BiDiMode);
};

// ---- Masks and bitmaps ----------------------------------------------------------------------------

class TMaskProvider : public TObject {
public:
    QM_CLASS(TMaskProvider, TObject)
    // The brightness of a colour, 0..255.
    static int GetColorLevel(TColor Color);
    // The integer BlendColor.
    static TColor MixColors(TColor Color1, TColor Color2, int Alpha);
    static void GetRGB(TColor Color, Byte& R, Byte& G, Byte& B);
    // Image blended onto the canvas at (X, Y) by the brightness of Mask
    // (white shows the image, black keeps the canvas). Both become pf24bit.
    // Different sizes raise Exception "Image and Mask size differ".
    static void DrawMaskedImage(TCanvas* Canvas, int X, int Y, TBitmap* Image, TBitmap* Mask);
};

class TDrawProvider : public TObject {
public:
    QM_CLASS(TDrawProvider, TObject)
    // A pf32bit bitmap blended onto the canvas by its alpha; others drawn as they are.
    static void ApplyBitmap(TCanvas* Canvas, int X, int Y, TBitmap* Bitmap);
    // A pf32bit bitmap blended by its alpha against the solid Color.
    static void DrawBitmap(TCanvas* Canvas, int X, int Y, TBitmap* Bitmap, TColor Color);
    // The bitmap in grey: others than pf32bit are turned grey in place (as
    // pf24bit); a pf32bit one is blended by its alpha against Color.
    static void GrayscaleBitmap(TCanvas* Canvas, int X, int Y, TBitmap* Bitmap, TColor Color);
};

class TDisplayProvider : public TObject {
public:
    QM_CLASS(TDisplayProvider, TObject)
    // "ab" in the face FontName on the highlight colour.
    static void DrawFontPreview(TCanvas* Canvas, const TRect& Rect, const AnsiString& FontName);
};

// ---- Routines ----------------------------------------------------------------------------------------

// True when the points are more than Delta apart along either axis.
bool PointOffset(const TPoint& P1, const TPoint& P2, int Delta);
// Draws a bitmap, blending a pf32bit one by its alpha onto the canvas.
void ApplyBitmap(TCanvas* Canvas, int X, int Y, TBitmap* Bitmap);
// Saves a pf32bit copy of the bitmap (alpha kept from a pf32bit one, else opaque).
void Save32BitBitmap(TBitmap* Bitmap, const AnsiString& FileName);
// One line of text turned to run upwards, at the bottom of Rect; the brush stays clear.
void DrawVerticalText(TCanvas* Canvas, const TRect& Rect, const AnsiString& Text);
// The polyline with the canvas pen; Flip mirrors a copy of the points in Rect first.
void DrawPolyline(TCanvas* Canvas, const std::vector<TPoint>& Points, const TRect& Rect, bool Flip);
// As TGraphicsProvider::DrawTextRect.
void DrawTextRect(TCanvas* Canvas, const TRect& Rect, TAlignment Alignment, const WideString& Text, TBiDiMode BiDiMode);
// Mirrors every point about Rect's middle line, in place.
void FlipPointsVert(std::vector<TPoint>& Points, const TRect& Rect);
void SetClipPoly(TCanvas* Canvas, const std::vector<TPoint>& Points);
void SetClipRect(TCanvas* Canvas, const TRect& Rect);

// ---- HTML colours ---------------------------------------------------------------------------------

// The "#RRGGBB" of a web colour name (case ignored), or Name unchanged.
AnsiString GetHTMLColorName(const AnsiString& Name);
// A web colour name or "#RRGGBB" as a colour; clNone for anything else.
TColor GetColorFromHTML(const AnsiString& Text);
// "#RRGGBB" in upper-case digits.
AnsiString HTMLColorToString(TColor Color);

// ---- HTML-like text ------------------------------------------------------------------------------

enum THtmlTag { htNone, htA, htB, htBr, htFont, htI, htU };
enum TTagParameter { tpNone, tpColor, tpName, tpHref, tpSize };

struct THtmlInfo {
    WideString Link; // the href of the link under the point; empty when none
    int Width = 0;   // the largest pen X reached (absolute)
    int Height = 0;  // relative to Rect.Top
};

// Draws (Draw) or measures and hit-tests a short text with <b>, <i>, <u>,
// <font color= name= size=>, <a href=> and <br> tags, starting at
// (Rect.Left + 2, Rect.Top + 1), neither clipped nor wrapped. Point is
// relative to Rect's top-left corner and only used when measuring. The
// canvas font is the base font and keeps the last tag's font afterwards;
// the brush ends solid.
THtmlInfo ProcessHTML(TCanvas* Canvas, const TRect& Rect, const WideString& Text, const TPoint& Point, bool Draw);

} // namespace GxSharedCommon
