// Private: the pixels behind a TBitmap, for the platform's drawing code.
#pragma once
#include "platform/graphics/Bitmaps.h"

#include <QImage>
#include <QList>

#include <vector>

namespace platform::detail {

// Bits per pixel of Format as a bitmap file stores it: 1, 4 or 8 for the
// palette formats, 16, 24 or 32 for the direct ones (32 for pfDevice).
int BitCount(TPixelFormat Format);

struct TBitmapData;
TBitmapData& DataOf(const TBitmap* Bitmap);

// A bitmap's pixels. Direct formats (pfDevice, pf15bit, pf16bit, pf24bit,
// pf32bit) live in Image, laid out as ScanLine shows them. Palette formats
// (pf1bit, pf4bit, pf8bit) keep their indexes in Bits and their colours, for
// drawing, in Image (RGB32); each side is brought up to date from the other
// when it is next used.
struct TBitmapData {
    TPixelFormat Format = pfDevice;
    int Width = 0;
    int Height = 0;
    QImage Image;
    std::vector<uchar> Bits;
    int Stride = 0;
    QList<QRgb> Palette;
    bool ImageCurrent = true;
    bool BitsCurrent = true;

    bool Indexed() const { return BitCount(Format) <= 8; }
    // The colours to read (palette formats: brought up to date).
    const QImage& Colors();
    // The image to draw on: afterwards a palette format's indexes follow it.
    QImage& Surface();
    // Row Y as ScanLine shows it; afterwards a palette format's colours follow it.
    uchar* Row(int Y);
};

// The colours of a bitmap as an opaque image (alpha left out), its own copy.
QImage OpaqueImage(const TBitmap* Bitmap);
// The picture of a pattern brush made from Bitmap: Format_Mono for a
// monochrome bitmap (painted in the text and background colours), RGB32
// otherwise; a null image for a null or empty bitmap.
QImage BrushPatternImage(const TBitmap* Bitmap);
// Makes Bitmap hold Image (any Qt format) in Format.
void SetBitmapImage(TBitmap* Bitmap, const QImage& Image, TPixelFormat Format);
// Draws Image into Dest (logical, scaled, mirrored for a negative width or
// height) of DC: its alpha blends it unless Opaque, where it replaces the
// pixels (all four bytes on a 32-bit image).
void DrawImage(HDC DC, QRect Dest, const QImage& Image, bool Opaque);

} // namespace platform::detail

// What a bitmap holds: its pixels.
struct TBitmap::TData : platform::detail::TBitmapData {
    static TData& Of(const TBitmap* Bitmap) { return *Bitmap->FData; }
};
