// The graphics objects: fonts, pens and brushes, each telling its owner
// (a canvas) of every change.
#pragma once
#include "platform/classes/Classes.h"
#include "platform/graphics/Colors.h"

#include <memory>

class TBitmap; // platform/graphics/Bitmaps.h
class TCanvas; // platform/graphics/Canvas.h
namespace platform::detail {
class TBrushPattern; // platform/graphics/DeviceContext.h
} // namespace platform::detail

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
    friend class TCanvas; // selects the pattern
    TColor FColor = clWhite;
    TBrushStyle FStyle = bsSolid;
    std::shared_ptr<TBitmap> FBitmap;
    // The picture of the bitmap, made when a canvas selects the brush.
    std::shared_ptr<const platform::detail::TBrushPattern> FPattern;
};
