// Pictures: TGraphic and TBitmap (included by Graphics.h, as the class
// library has them in one unit).
//
// A bitmap holds Width x Height pixels in its PixelFormat. ScanLine(Y)
// answers row Y, rows counted from the top, laid out as a device-independent
// bitmap's: pf24bit rows are B, G, R bytes, pf32bit rows B, G, R, A,
// pf15bit / pf16bit 16-bit 5-5-5 / 5-6-5 words, pf1bit / pf4bit / pf8bit
// palette indexes (the leftmost pixel in the highest bits); pfDevice
// (the format of a new bitmap) is 32 bits, B, G, R and an unused byte.
// Changing PixelFormat converts the pixels (palette formats take the
// nearest colour of a fixed palette: black and white; the 16 standard
// colours; those 16, a 6 x 6 x 6 colour cube and 24 greys).
//
// Canvas draws on the bitmap. Everything the canvas draws on a pf32bit
// bitmap is opaque (A = 255); new pixels are white (and opaque); only
// ScanLine writes other alpha values. Drawing a bitmap shows its colours
// and ignores alpha (blending by alpha is the drawing routines' business).
//
// Transparent drawing leaves the pixels of TransparentColor out: by
// default (tmAuto) the colour of the bottom-left pixel.
#pragma once
#include "platform/graphics/Canvas.h"

#include <functional>
#include <memory>

QM_DECLARE_EXCEPTION(EInvalidGraphic, Exception);
QM_DECLARE_EXCEPTION(EInvalidGraphicOperation, Exception);
QM_DECLARE_EXCEPTION(EResNotFound, Exception);

// The program's module, for the resource calls that name one.
inline HINSTANCE const HInstance = nullptr;

class TGraphic : public TPersistent {
public:
    QM_CLASS(TGraphic, TPersistent)

    virtual int GetWidth() const = 0;
    virtual void SetWidth(int Value) = 0;
    virtual int GetHeight() const = 0;
    virtual void SetHeight(int Value) = 0;
    // No pixels (a width or height of 0).
    virtual bool GetEmpty() const = 0;
    bool GetTransparent() const { return FTransparent; }
    virtual void SetTransparent(bool Value);
    virtual void LoadFromFile(const AnsiString& FileName) = 0;
    virtual void SaveToFile(const AnsiString& FileName) = 0;

    TNotifyEvent OnChange;

protected:
    friend class TCanvas;
    // Draws the picture into Rect of ACanvas (scaled to it).
    virtual void Draw(TCanvas* ACanvas, const TRect& Rect) = 0;
    virtual void Changed(TObject* Sender);

private:
    bool FTransparent = false;
};

enum TPixelFormat { pfDevice, pf1bit, pf4bit, pf8bit, pf15bit, pf16bit, pf24bit, pf32bit, pfCustom };
enum TTransparentMode { tmAuto, tmFixed };

class TBitmap : public TGraphic {
public:
    QM_CLASS(TBitmap, TGraphic)
    TBitmap();
    ~TBitmap() override;
    // The pixels, which only the platform's drawing code sees (BitmapImages.h).
    struct TData;
    // A copy of another bitmap's pixels, format and transparency.
    void Assign(TPersistent* Source) override;

    int GetWidth() const override;
    void SetWidth(int Value) override;
    int GetHeight() const override;
    void SetHeight(int Value) override;
    // Keeps the pixels that still fit; new ones are white. Negative sizes count as 0.
    void SetSize(int AWidth, int AHeight);
    bool GetEmpty() const override;

    TPixelFormat GetPixelFormat() const;
    void SetPixelFormat(TPixelFormat Value);
    bool GetMonochrome() const { return GetPixelFormat() == pf1bit; }
    // Row Y (0 = top) laid out as the pixel format says; valid until the
    // size or format changes or the canvas draws. A row outside the bitmap
    // raises EInvalidGraphicOperation.
    Byte* GetScanLine(int Row);

    TCanvas* GetCanvas();

    TColor GetTransparentColor() const;
    // clDefault goes back to tmAuto; any other colour sets tmFixed.
    void SetTransparentColor(TColor Value);
    TTransparentMode GetTransparentMode() const { return FTransparentMode; }
    void SetTransparentMode(TTransparentMode Value);

    // Turns the bitmap into its monochrome mask (pf1bit): pixels of
    // TransparentColor become white (1), all others black (0).
    void Mask(TColor TransparentColor);

    // The bitmap resource ResName of the platform's resource registry
    // (platform/graphics/Resources.h); EResNotFound when there is none.
    void LoadFromResourceName(HINSTANCE Instance, const AnsiString& ResName);
    // Bitmap files (.bmp) of every pixel format above.
    void LoadFromFile(const AnsiString& FileName) override;
    void SaveToFile(const AnsiString& FileName) override;

protected:
    void Draw(TCanvas* ACanvas, const TRect& Rect) override;

private:
    std::shared_ptr<TData> FData;
    std::unique_ptr<TCanvas> FCanvas;
    TColor FTransparentColor = clDefault;
    TTransparentMode FTransparentMode = tmAuto;
};

// The 8 x 8 checkered bitmap of two colours (FgColor where X + Y is even,
// BkColor elsewhere) that the classic look fills scroll-bar tracks with, as a
// pattern brush. One bitmap per pair of colours, kept for the program's
// life: neither free it nor draw on it.
TBitmap* AllocPatternBitmap(TColor BkColor, TColor FgColor);
