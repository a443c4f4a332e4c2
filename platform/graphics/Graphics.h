// Colours, fonts, pens, brushes and the canvas.
//
// A canvas draws through a device context (HDC) into an image: a control's
// backing image (see Controls.h) or, later, a bitmap's. GDI's pixel rules
// hold: a rectangle covers Left..Right-1 and Top..Bottom-1, LineTo leaves its
// end point unpainted, raster operations (TPen::Mode) act on the pixels.
// The drawing primitives beyond this core (polygons, text in rectangles,
// bitmaps, regions ...) live in sources of their own on the private
// device-context header platform/graphics/DeviceContext.h.
#pragma once
#include "platform/classes/Classes.h"
#include "platform/rtl/Types.h"

#include <functional>
#include <memory>
#include <vector>

class TGraphic; // platform/graphics/Bitmaps.h, included at the end
class TBitmap;

// ---- Colours ----------------------------------------------------------------

// 0x00BBGGRR; a negative value (0xFF0000nn) names system colour nn.
using TColor = std::int32_t;

constexpr COLORREF RGB(Byte R, Byte G, Byte B)
{
    return COLORREF(R) | (COLORREF(G) << 8) | (COLORREF(B) << 16);
}
constexpr Byte GetRValue(COLORREF C)
{
    return Byte(C & 0xFF);
}
constexpr Byte GetGValue(COLORREF C)
{
    return Byte((C >> 8) & 0xFF);
}
constexpr Byte GetBValue(COLORREF C)
{
    return Byte((C >> 16) & 0xFF);
}

// System colour indexes (GetSysColor).
inline constexpr int COLOR_SCROLLBAR = 0, COLOR_BACKGROUND = 1, COLOR_ACTIVECAPTION = 2, COLOR_INACTIVECAPTION = 3,
                     COLOR_MENU = 4, COLOR_WINDOW = 5, COLOR_WINDOWFRAME = 6, COLOR_MENUTEXT = 7, COLOR_WINDOWTEXT = 8,
                     COLOR_CAPTIONTEXT = 9, COLOR_ACTIVEBORDER = 10, COLOR_INACTIVEBORDER = 11, COLOR_APPWORKSPACE = 12,
                     COLOR_HIGHLIGHT = 13, COLOR_HIGHLIGHTTEXT = 14, COLOR_BTNFACE = 15, COLOR_BTNSHADOW = 16,
                     COLOR_GRAYTEXT = 17, COLOR_BTNTEXT = 18, COLOR_INACTIVECAPTIONTEXT = 19, COLOR_BTNHIGHLIGHT = 20,
                     COLOR_3DDKSHADOW = 21, COLOR_3DLIGHT = 22, COLOR_INFOTEXT = 23, COLOR_INFOBK = 24,
                     COLOR_HOTLIGHT = 26, COLOR_GRADIENTACTIVECAPTION = 27, COLOR_GRADIENTINACTIVECAPTION = 28,
                     COLOR_MENUHILIGHT = 29, COLOR_MENUBAR = 30, COLOR_3DFACE = COLOR_BTNFACE,
                     COLOR_3DSHADOW = COLOR_BTNSHADOW, COLOR_3DHIGHLIGHT = COLOR_BTNHIGHLIGHT,
                     COLOR_3DHILIGHT = COLOR_BTNHIGHLIGHT, COLOR_BTNHILIGHT = COLOR_BTNHIGHLIGHT;

inline constexpr TColor clSystemColor = TColor(0xFF000000);
inline constexpr TColor clScrollBar = clSystemColor | COLOR_SCROLLBAR, clBackground = clSystemColor | COLOR_BACKGROUND,
                        clActiveCaption = clSystemColor | COLOR_ACTIVECAPTION,
                        clInactiveCaption = clSystemColor | COLOR_INACTIVECAPTION, clMenu = clSystemColor | COLOR_MENU,
                        clWindow = clSystemColor | COLOR_WINDOW, clWindowFrame = clSystemColor | COLOR_WINDOWFRAME,
                        clMenuText = clSystemColor | COLOR_MENUTEXT, clWindowText = clSystemColor | COLOR_WINDOWTEXT,
                        clCaptionText = clSystemColor | COLOR_CAPTIONTEXT,
                        clActiveBorder = clSystemColor | COLOR_ACTIVEBORDER,
                        clInactiveBorder = clSystemColor | COLOR_INACTIVEBORDER,
                        clAppWorkSpace = clSystemColor | COLOR_APPWORKSPACE,
                        clHighlight = clSystemColor | COLOR_HIGHLIGHT,
                        clHighlightText = clSystemColor | COLOR_HIGHLIGHTTEXT,
                        clBtnFace = clSystemColor | COLOR_BTNFACE, clBtnShadow = clSystemColor | COLOR_BTNSHADOW,
                        clGrayText = clSystemColor | COLOR_GRAYTEXT, clBtnText = clSystemColor | COLOR_BTNTEXT,
                        clInactiveCaptionText = clSystemColor | COLOR_INACTIVECAPTIONTEXT,
                        clBtnHighlight = clSystemColor | COLOR_BTNHIGHLIGHT,
                        cl3DDkShadow = clSystemColor | COLOR_3DDKSHADOW, cl3DLight = clSystemColor | COLOR_3DLIGHT,
                        clInfoText = clSystemColor | COLOR_INFOTEXT, clInfoBk = clSystemColor | COLOR_INFOBK,
                        clHotLight = clSystemColor | COLOR_HOTLIGHT,
                        clGradientActiveCaption = clSystemColor | COLOR_GRADIENTACTIVECAPTION,
                        clGradientInactiveCaption = clSystemColor | COLOR_GRADIENTINACTIVECAPTION,
                        clMenuHighlight = clSystemColor | COLOR_MENUHILIGHT, clMenuBar = clSystemColor | COLOR_MENUBAR;

inline constexpr TColor clBlack = 0x000000, clMaroon = 0x000080, clGreen = 0x008000, clOlive = 0x008080,
                        clNavy = 0x800000, clPurple = 0x800080, clTeal = 0x808000, clGray = 0x808080,
                        clSilver = 0xC0C0C0, clRed = 0x0000FF, clLime = 0x00FF00, clYellow = 0x00FFFF,
                        clBlue = 0xFF0000, clFuchsia = 0xFF00FF, clAqua = 0xFFFF00, clLtGray = 0xC0C0C0,
                        clDkGray = 0x808080, clWhite = 0xFFFFFF, clMoneyGreen = 0xC0DCC0, clSkyBlue = 0xF0CAA6,
                        clCream = 0xF0FBFF, clMedGray = 0xA4A0A0, clNone = 0x1FFFFFFF, clDefault = 0x20000000;

// The colour of a system colour index, from a fixed palette (the classic
// Windows scheme), so that drawing looks and tests the same everywhere.
COLORREF GetSysColor(int Index);
// A system colour resolved to its RGB value; other colours pass unchanged.
TColor ColorToRGB(TColor Color);

// ---- Fonts, pens and brushes ----------------------------------------------------

enum TFontStyle { fsBold, fsItalic, fsUnderline, fsStrikeOut };
using TFontStyles = Set<TFontStyle>;
enum TFontPitch { fpDefault, fpVariable, fpFixed };
using TFontCharset = Byte;
using TFontName = AnsiString;
inline constexpr TFontCharset ANSI_CHARSET = 0, DEFAULT_CHARSET = 1, SYMBOL_CHARSET = 2, OEM_CHARSET = 255;

// Base of TFont, TPen and TBrush: tells its owner of every change.
class TGraphicsObject : public TPersistent {
public:
    QM_CLASS(TGraphicsObject, TPersistent)
    TNotifyEvent OnChange;

protected:
    virtual void Changed();
};

// Heights are pixels at 96 dots per inch: a negative Height is the character
// height (without internal leading), a positive one the cell height.
class TFont : public TGraphicsObject {
public:
    QM_CLASS(TFont, TGraphicsObject)
    TFont();
    ~TFont() override;
    void Assign(TPersistent* Source) override;
    // A GDI font (WinGdi.h) describing the font as it is now; it stays the
    // same handle for the font's life and goes with it.
    HFONT GetHandle();

    const TFontName& GetName() const { return FName; }
    void SetName(const TFontName& Value);
    int GetHeight() const { return FHeight; }
    void SetHeight(int Value);
    // Points: -Height * 72 / PixelsPerInch, rounded.
    int GetSize() const;
    void SetSize(int Value);
    TFontStyles GetStyle() const { return FStyle; }
    void SetStyle(TFontStyles Value);
    TColor GetColor() const { return FColor; }
    void SetColor(TColor Value);
    TFontCharset GetCharset() const { return FCharset; }
    void SetCharset(TFontCharset Value);
    TFontPitch GetPitch() const { return FPitch; }
    void SetPitch(TFontPitch Value);
    int GetPixelsPerInch() const { return 96; }

private:
    TFontName FName = "MS Sans Serif";
    int FHeight = -11;
    TFontStyles FStyle;
    TColor FColor = clWindowText;
    TFontCharset FCharset = DEFAULT_CHARSET;
    TFontPitch FPitch = fpDefault;
    HFONT FHandle = nullptr;
};

enum TPenStyle { psSolid, psDash, psDot, psDashDot, psDashDotDot, psClear, psInsideFrame };
// Raster operations: how the pen's colour combines with the pixels under it.
enum TPenMode {
    pmBlack,
    pmWhite,
    pmNop,
    pmNot,
    pmCopy,
    pmNotCopy,
    pmMergePenNot,
    pmMaskPenNot,
    pmMergeNotPen,
    pmMaskNotPen,
    pmMerge,
    pmNotMerge,
    pmMask,
    pmNotMask,
    pmXor,
    pmNotXor
};

class TPen : public TGraphicsObject {
public:
    QM_CLASS(TPen, TGraphicsObject)
    void Assign(TPersistent* Source) override;

    TColor GetColor() const { return FColor; }
    void SetColor(TColor Value);
    int GetWidth() const { return FWidth; }
    void SetWidth(int Value);
    TPenStyle GetStyle() const { return FStyle; }
    void SetStyle(TPenStyle Value);
    TPenMode GetMode() const { return FMode; }
    void SetMode(TPenMode Value);

private:
    TColor FColor = clBlack;
    int FWidth = 1;
    TPenStyle FStyle = psSolid;
    TPenMode FMode = pmCopy;
};

enum TBrushStyle { bsSolid, bsClear, bsHorizontal, bsVertical, bsFDiagonal, bsBDiagonal, bsCross, bsDiagCross };

class TBrush : public TGraphicsObject {
public:
    QM_CLASS(TBrush, TGraphicsObject)
    void Assign(TPersistent* Source) override;

    TColor GetColor() const { return FColor; }
    // Setting a colour makes a clear brush solid, as the class library does.
    void SetColor(TColor Value);
    TBrushStyle GetStyle() const { return FStyle; }
    void SetStyle(TBrushStyle Value);
    // A pattern brush: the bitmap is tiled over what the brush fills, in
    // place of the colour and style (a monochrome one in the text and
    // background colours). The brush keeps a copy; null takes it away.
    TBitmap* GetBitmap() const { return FBitmap.get(); }
    void SetBitmap(TBitmap* Value);

private:
    TColor FColor = clWhite;
    TBrushStyle FStyle = bsSolid;
    std::shared_ptr<TBitmap> FBitmap;
};

// ---- The canvas --------------------------------------------------------------------

class TCanvas : public TPersistent {
public:
    QM_CLASS(TCanvas, TPersistent)
    TCanvas();
    ~TCanvas() override;

    // Fills Left..Right-1 x Top..Bottom-1 with the brush (raster operations do not apply).
    void FillRect(const TRect& Rect);
    // A one-pixel frame in the brush's colour just inside Rect.
    void FrameRect(const TRect& Rect);
    // Outline with the pen, inside filled with the brush, right and bottom edges excluded.
    void Rectangle(int X1, int Y1, int X2, int Y2);
    void Rectangle(const TRect& Rect) { Rectangle(Rect.Left, Rect.Top, Rect.Right, Rect.Bottom); }
    void RoundRect(int X1, int Y1, int X2, int Y2, int X3, int Y3);
    // The ellipse inscribed in X1..X2-1 x Y1..Y2-1.
    void Ellipse(int X1, int Y1, int X2, int Y2);
    void Ellipse(const TRect& Rect) { Ellipse(Rect.Left, Rect.Top, Rect.Right, Rect.Bottom); }
    void MoveTo(int X, int Y);
    // A line from the pen position to (X, Y) without (X, Y) itself; the pen moves there.
    void LineTo(int X, int Y);
    // Lines through the points; the last point is not painted and the pen does not move.
    void Polyline(const std::vector<TPoint>& Points);
    // The polygon's inside (odd and even crossings, right and bottom edges
    // excluded) filled with the brush, then its closed outline with the pen.
    void Polygon(const std::vector<TPoint>& Points);
    // Text with its top-left corner at (X, Y), on the brush unless the brush
    // is clear; the pen moves to the end of the text.
    void TextOut(int X, int Y, const AnsiString& Text);
    TSize TextExtent(const AnsiString& Text);
    int TextWidth(const AnsiString& Text) { return TextExtent(Text).cx; }
    int TextHeight(const AnsiString& Text) { return TextExtent(Text).cy; }
    // Text at (X, Y) kept inside Rect; a solid brush fills Rect first.
    void TextRect(const TRect& Rect, int X, int Y, const AnsiString& Text);

    // A picture with its top-left corner at (X, Y), at its own size.
    void Draw(int X, int Y, TGraphic* Graphic);
    // A picture scaled to fill Rect.
    void StretchDraw(const TRect& Rect, TGraphic* Graphic);
    // Copies Source of Canvas (scaled when the sizes differ) to Dest of this
    // canvas with the raster operation CopyMode (a GdiTypes.h ROP, SRCCOPY at first).
    void CopyRect(const TRect& Dest, TCanvas* Canvas, const TRect& Source);
    DWORD GetCopyMode() const { return FCopyMode; }
    void SetCopyMode(DWORD Value) { FCopyMode = Value; }

    // A pixel's colour as 0x00BBGGRR, or -1 (CLR_INVALID) outside the drawable area.
    TColor GetPixels(int X, int Y);
    void SetPixels(int X, int Y, TColor Value);

    TPoint GetPenPos();
    void SetPenPos(const TPoint& Value);
    // The part of the canvas that drawing can reach, in canvas coordinates.
    TRect GetClipRect();

    TFont* GetFont() const { return FFont.get(); }
    void SetFont(TFont* Value) { FFont->Assign(Value); }
    TPen* GetPen() const { return FPen.get(); }
    void SetPen(TPen* Value) { FPen->Assign(Value); }
    TBrush* GetBrush() const { return FBrush.get(); }
    void SetBrush(TBrush* Value) { FBrush->Assign(Value); }

    // The device context drawn through; asking for it creates it.
    HDC GetHandle();
    // Attaches a device context owned by someone else (0 detaches).
    void SetHandle(HDC Value);
    bool HandleAllocated() const { return FHandle != nullptr; }

    void Lock() { ++FLockCount; }
    void Unlock() { --FLockCount; }
    int GetLockCount() const { return FLockCount; }
    // Forgets what was selected into the device context; the next drawing selects it again.
    void Refresh();

    TNotifyEvent OnChange;
    TNotifyEvent OnChanging;

protected:
    // Called when a drawing needs a device context and none is attached; the
    // base class has none to give and raises EInvalidOperation.
    virtual void CreateHandle();
    virtual void Changing();
    virtual void Changed();

    enum TStateItem { csHandleValid, csFontValid, csPenValid, csBrushValid };
    using TState = Set<TStateItem>;
    // Makes sure the device context exists and holds the canvas's current objects.
    void RequiredState(TState ReqState);

private:
    template <typename TDraw> void DrawShape(int X1, int Y1, int X2, int Y2, TDraw Draw);
    void FontChanged(TObject*);
    void PenChanged(TObject*);
    void BrushChanged(TObject*);

    HDC FHandle = nullptr;
    TState FState;
    std::unique_ptr<TFont> FFont;
    std::unique_ptr<TPen> FPen;
    std::unique_ptr<TBrush> FBrush;
    int FLockCount = 0;
    DWORD FCopyMode = 0x00CC0020; // SRCCOPY
};

inline constexpr TColor CLR_INVALID = -1;

#include "platform/graphics/Bitmaps.h"
