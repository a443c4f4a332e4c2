// Bitmaps: their pixels in every format, conversions, masks and
// transparency. Their canvas and drawing them: Bitmaps_Canvas.cpp.
#include "platform/graphics/BitmapImages.h"
#include "platform/graphics/DeviceContext.h"
#include "platform/graphics/QtGraphics.h"

#include <QPainter>

#include <algorithm>
#include <unordered_map>

namespace platform::detail {

namespace {

constexpr QRgb White = 0xFFFFFFFF;

QImage::Format QtFormat(TPixelFormat Format)
{
    switch (Format) {
    case pf15bit:
        return QImage::Format_RGB555;
    case pf16bit:
        return QImage::Format_RGB16;
    case pf24bit:
        return QImage::Format_BGR888;
    case pf32bit:
        return QImage::Format_ARGB32;
    default:
        return QImage::Format_RGB32;
    }
}

// The 16 colours of the standard palette, in their usual order.
const QList<QRgb>& StandardColors()
{
    static const QList<QRgb> Colors = {qRgb(0, 0, 0),       qRgb(128, 0, 0),   qRgb(0, 128, 0),   qRgb(128, 128, 0),
                                       qRgb(0, 0, 128),     qRgb(128, 0, 128), qRgb(0, 128, 128), qRgb(192, 192, 192),
                                       qRgb(128, 128, 128), qRgb(255, 0, 0),   qRgb(0, 255, 0),   qRgb(255, 255, 0),
                                       qRgb(0, 0, 255),     qRgb(255, 0, 255), qRgb(0, 255, 255), qRgb(255, 255, 255)};
    return Colors;
}

QList<QRgb> DefaultPalette(TPixelFormat Format)
{
    if (Format == pf1bit) return {qRgb(0, 0, 0), qRgb(255, 255, 255)};
    QList<QRgb> Palette = StandardColors();
    if (Format == pf4bit) return Palette;
    for (int R = 0; R < 6; ++R)
        for (int G = 0; G < 6; ++G)
            for (int B = 0; B < 6; ++B)
                Palette << qRgb(R * 51, G * 51, B * 51);
    for (int I = 1; I <= 24; ++I)
        Palette << qRgb(I * 10, I * 10, I * 10);
    return Palette;
}

int GetIndex(const uchar* Row, int X, int Bpp)
{
    switch (Bpp) {
    case 1:
        return (Row[X >> 3] >> (7 - (X & 7))) & 1;
    case 4:
        return (Row[X >> 1] >> ((X & 1) ? 0 : 4)) & 0x0F;
    default:
        return Row[X];
    }
}

void SetIndex(uchar* Row, int X, int Bpp, int Index)
{
    switch (Bpp) {
    case 1: {
        const uchar Bit = uchar(0x80 >> (X & 7));
        Row[X >> 3] = Index ? (Row[X >> 3] | Bit) : (Row[X >> 3] & ~Bit);
        break;
    }
    case 4: {
        const int Shift = (X & 1) ? 0 : 4;
        Row[X >> 1] = uchar((Row[X >> 1] & ~(0x0F << Shift)) | ((Index & 0x0F) << Shift));
        break;
    }
    default:
        Row[X] = uchar(Index);
    }
}

// The nearest palette entry of each colour met, remembered.
class TNearest {
public:
    explicit TNearest(const QList<QRgb>& Palette) : FPalette(Palette) {}
    int operator()(QRgb Color)
    {
        Color &= 0xFFFFFF;
        const auto It = FCache.find(Color);
        if (It != FCache.end()) return It->second;
        int Best = 0;
        long BestDistance = -1;
        for (int I = 0; I < int(FPalette.size()); ++I) {
            const long DR = qRed(FPalette[I]) - qRed(Color);
            const long DG = qGreen(FPalette[I]) - qGreen(Color);
            const long DB = qBlue(FPalette[I]) - qBlue(Color);
            const long Distance = DR * DR + DG * DG + DB * DB;
            if (BestDistance < 0 || Distance < BestDistance) {
                Best = I;
                BestDistance = Distance;
            }
        }
        FCache.emplace(Color, Best);
        return Best;
    }

private:
    const QList<QRgb>& FPalette;
    std::unordered_map<QRgb, int> FCache;
};

int StrideOf(int Width, int Bpp)
{
    return ((Width * Bpp + 31) / 32) * 4;
}

// An opaque view of an image's colours: a 32-bit image with alpha is read
// as if it had none (its colours are not premultiplied).
QImage RgbView(const QImage& Image)
{
    if (Image.format() != QImage::Format_ARGB32) return Image;
    return QImage(Image.constBits(), Image.width(), Image.height(), Image.bytesPerLine(), QImage::Format_RGB32).copy();
}

// The colours of Data in Format from an opaque RGB32 picture.
void FillFrom(TBitmapData& Data, const QImage& Rgb, TPixelFormat Format)
{
    Data.Format = Format;
    Data.Width = Rgb.width();
    Data.Height = Rgb.height();
    if (!Data.Indexed()) {
        Data.Image = Rgb.convertToFormat(QtFormat(Format));
        Data.Bits.clear();
        Data.Stride = 0;
        Data.Palette.clear();
        Data.ImageCurrent = Data.BitsCurrent = true;
        return;
    }
    const int Bpp = BitCount(Format);
    Data.Palette = DefaultPalette(Format);
    Data.Stride = StrideOf(Data.Width, Bpp);
    Data.Bits.assign(std::size_t(Data.Stride) * std::size_t(Data.Height), 0);
    TNearest Nearest(Data.Palette);
    for (int Y = 0; Y < Data.Height; ++Y) {
        const auto* Src = reinterpret_cast<const QRgb*>(Rgb.constScanLine(Y));
        uchar* Row = Data.Bits.data() + std::size_t(Y) * std::size_t(Data.Stride);
        for (int X = 0; X < Data.Width; ++X)
            SetIndex(Row, X, Bpp, Nearest(Src[X]));
    }
    Data.Image = QImage();
    Data.ImageCurrent = false;
    Data.BitsCurrent = true;
}

// The opaque RGB32 colours of Data.
QImage RgbOf(TBitmapData& Data)
{
    if (Data.Width <= 0 || Data.Height <= 0) return QImage();
    return RgbView(Data.Colors()).convertToFormat(QImage::Format_RGB32);
}

// Data at a new size: the pixels that still fit stay (all of their bytes),
// the new ones are white.
void ResizeData(TBitmapData& Data, int Width, int Height)
{
    const int Keep = std::min(Height, Data.Height);
    if (Data.Indexed()) {
        const int Bpp = BitCount(Data.Format);
        if (Data.Height > 0 && Data.Width > 0) Data.Row(0); // the indexes up to date
        const int White = TNearest(Data.Palette)(qRgb(255, 255, 255));
        const int Stride = StrideOf(Width, Bpp);
        std::vector<uchar> Bits(std::size_t(Stride) * std::size_t(Height), 0);
        for (int Y = 0; Y < Height; ++Y) {
            uchar* Row = Bits.data() + std::size_t(Y) * std::size_t(Stride);
            const uchar* Old = Y < Keep ? Data.Bits.data() + std::size_t(Y) * std::size_t(Data.Stride) : nullptr;
            for (int X = 0; X < Width; ++X)
                SetIndex(Row, X, Bpp, Old && X < Data.Width ? GetIndex(Old, X, Bpp) : White);
        }
        Data.Bits = std::move(Bits);
        Data.Stride = Stride;
        Data.Image = QImage();
        Data.ImageCurrent = false;
        Data.BitsCurrent = true;
    } else {
        QImage Image;
        if (Width > 0 && Height > 0) {
            Image = QImage(Width, Height, QtFormat(Data.Format));
            if (Image.isNull()) throw EOutOfResources("Out of system resources");
            Image.fill(QColor(255, 255, 255));
            const qsizetype Bytes =
                std::min(qsizetype(std::min(Width, Data.Width)) * Image.depth() / 8, Image.bytesPerLine());
            for (int Y = 0; Y < Keep && Bytes > 0; ++Y)
                std::copy_n(Data.Image.constScanLine(Y), Bytes, Image.scanLine(Y));
        }
        Data.Image = Image;
    }
    Data.Width = Width;
    Data.Height = Height;
}

} // namespace

int BitCount(TPixelFormat Format)
{
    switch (Format) {
    case pf1bit:
        return 1;
    case pf4bit:
        return 4;
    case pf8bit:
        return 8;
    case pf15bit:
    case pf16bit:
        return 16;
    case pf24bit:
        return 24;
    default:
        return 32;
    }
}

const QImage& TBitmapData::Colors()
{
    if (Indexed() && !ImageCurrent) {
        const int Bpp = BitCount(Format);
        Image = QImage(Width, Height, QImage::Format_RGB32);
        if (Image.isNull()) throw EOutOfResources("Out of system resources");
        for (int Y = 0; Y < Height; ++Y) {
            const uchar* Src = Bits.data() + std::size_t(Y) * std::size_t(Stride);
            auto* Dest = reinterpret_cast<QRgb*>(Image.scanLine(Y));
            for (int X = 0; X < Width; ++X) {
                const int Index = GetIndex(Src, X, Bpp);
                Dest[X] = Index < Palette.size() ? Palette[Index] : qRgb(0, 0, 0);
            }
        }
        ImageCurrent = true;
    }
    return Image;
}

QImage& TBitmapData::Surface()
{
    Colors();
    if (Indexed()) BitsCurrent = false;
    return Image;
}

uchar* TBitmapData::Row(int Y)
{
    if (!Indexed()) return Image.scanLine(Y);
    if (!BitsCurrent) {
        const int Bpp = BitCount(Format);
        TNearest Nearest(Palette);
        for (int R = 0; R < Height; ++R) {
            const auto* Src = reinterpret_cast<const QRgb*>(Image.constScanLine(R));
            uchar* Dest = Bits.data() + std::size_t(R) * std::size_t(Stride);
            for (int X = 0; X < Width; ++X)
                SetIndex(Dest, X, Bpp, Nearest(Src[X]));
        }
        BitsCurrent = true;
    }
    ImageCurrent = false;
    return Bits.data() + std::size_t(Y) * std::size_t(Stride);
}

TBitmapData& DataOf(const TBitmap* Bitmap)
{
    return TBitmap::TData::Of(Bitmap);
}

QImage OpaqueImage(const TBitmap* Bitmap)
{
    if (!Bitmap) return QImage();
    return RgbOf(DataOf(Bitmap));
}

QImage BrushPatternImage(const TBitmap* Bitmap)
{
    if (!Bitmap || Bitmap->GetEmpty()) return QImage();
    TBitmapData& Data = DataOf(Bitmap);
    if (Data.Format != pf1bit) return RgbOf(Data);
    QImage Mono(Data.Width, Data.Height, QImage::Format_Mono);
    Mono.setColorCount(2);
    for (int Y = 0; Y < Data.Height; ++Y)
        std::copy_n(Data.Row(Y), std::min<qsizetype>(Data.Stride, Mono.bytesPerLine()), Mono.scanLine(Y));
    return Mono;
}

void SetBitmapImage(TBitmap* Bitmap, const QImage& Image, TPixelFormat Format)
{
    TBitmapData& Data = DataOf(Bitmap);
    if (Image.isNull()) {
        Data = TBitmapData();
        Data.Format = Format;
    } else if (Format == pf32bit) {
        FillFrom(Data, Image.convertToFormat(QImage::Format_RGB32), pf32bit);
        Data.Image = Image.convertToFormat(QImage::Format_ARGB32);
    } else {
        FillFrom(Data, Image.convertToFormat(QImage::Format_RGB32), Format);
    }
}

void DrawImage(HDC DC, QRect Dest, const QImage& Image, bool Opaque)
{
    if (!DC || Image.isNull() || Dest.width() == 0 || Dest.height() == 0) return;
    const bool MirrorX = Dest.width() < 0;
    const bool MirrorY = Dest.height() < 0;
    Dest = QRect(std::min(Dest.x(), Dest.x() + Dest.width()), std::min(Dest.y(), Dest.y() + Dest.height()),
                 std::abs(Dest.width()), std::abs(Dest.height()));
    QImage Source = (MirrorX || MirrorY) ? Image.mirrored(MirrorX, MirrorY) : Image;
    QImage* Target = DC->Target ? DC->Target->Image() : nullptr;
    if (!Target) return;
    if (Opaque && Target->format() == QImage::Format_ARGB32 && Source.format() == QImage::Format_ARGB32 &&
        Dest.size() == Source.size()) {
        // Between two 32-bit pictures a copy takes every byte, alpha and the
        // colour of transparent pixels too (Qt's painter would premultiply).
        const QPoint Offset = Dest.topLeft() + DC->Origin;
        const QRegion Area = DrawableRegion(*DC) & QRect(Offset, Dest.size());
        for (const QRect& R : Area) {
            for (int Y = R.top(); Y <= R.bottom(); ++Y)
                std::copy_n(reinterpret_cast<const QRgb*>(Source.constScanLine(Y - Offset.y())) +
                                (R.left() - Offset.x()),
                            R.width(), reinterpret_cast<QRgb*>(Target->scanLine(Y)) + R.left());
        }
        if (!Area.isEmpty()) DC->Target->Touched(Area.boundingRect());
        return;
    }
    TDCPainter P(DC, Dest);
    if (!P.Active()) return;
    QPainter& Painter = P.Painter();
    if (Opaque) {
        Source = RgbView(Source);
        Painter.setCompositionMode(QPainter::CompositionMode_Source);
    }
    Painter.drawImage(Dest, Source);
}

} // namespace platform::detail

using namespace platform::detail;

// ---- TGraphic ----------------------------------------------------------------------------

void TGraphic::SetTransparent(bool Value)
{
    if (Value == FTransparent) return;
    FTransparent = Value;
    Changed(this);
}

void TGraphic::Changed(TObject*)
{
    if (OnChange) OnChange(this);
}

// ---- TBitmap -------------------------------------------------------------------------------

TBitmap::TBitmap() : FData(std::make_shared<TData>()) {}

TBitmap::~TBitmap() = default;

void TBitmap::Assign(TPersistent* Source)
{
    if (auto* B = dynamic_cast<TBitmap*>(Source)) {
        if (B == this) return;
        *FData = *B->FData; // the image is shared until one side writes
        FTransparentColor = B->FTransparentColor;
        FTransparentMode = B->FTransparentMode;
        SetTransparent(B->GetTransparent());
        Changed(this);
        return;
    }
    if (!Source) {
        SetSize(0, 0);
        return;
    }
    TGraphic::Assign(Source);
}

int TBitmap::GetWidth() const
{
    return FData->Width;
}

int TBitmap::GetHeight() const
{
    return FData->Height;
}

void TBitmap::SetWidth(int Value)
{
    SetSize(Value, FData->Height);
}

void TBitmap::SetHeight(int Value)
{
    SetSize(FData->Width, Value);
}

bool TBitmap::GetEmpty() const
{
    return FData->Width <= 0 || FData->Height <= 0;
}

void TBitmap::SetSize(int AWidth, int AHeight)
{
    AWidth = std::max(AWidth, 0);
    AHeight = std::max(AHeight, 0);
    TBitmapData& Data = *FData;
    if (AWidth == Data.Width && AHeight == Data.Height) return;
    ResizeData(Data, AWidth, AHeight);
    Changed(this);
}

TPixelFormat TBitmap::GetPixelFormat() const
{
    return FData->Format;
}

void TBitmap::SetPixelFormat(TPixelFormat Value)
{
    TBitmapData& Data = *FData;
    if (Value == Data.Format) return;
    if (GetEmpty()) {
        // Nothing to convert: the next size takes the new format.
        Data.Format = Value;
        Data.Image = QImage();
        Data.Bits.clear();
        Data.Stride = Data.Indexed() ? StrideOf(Data.Width, BitCount(Value)) : 0;
        Data.Palette = Data.Indexed() ? DefaultPalette(Value) : QList<QRgb>();
        Data.ImageCurrent = Data.BitsCurrent = true;
    } else {
        FillFrom(Data, RgbOf(Data), Value);
    }
    Changed(this);
}

Byte* TBitmap::GetScanLine(int Row)
{
    if (Row < 0 || Row >= FData->Height || FData->Width <= 0)
        throw EInvalidGraphicOperation("Scan line index out of range");
    return FData->Row(Row);
}

TColor TBitmap::GetTransparentColor() const
{
    if (FTransparentMode == tmFixed) return FTransparentColor;
    if (GetEmpty()) return clNone;
    return FromQColor(FData->Colors().pixelColor(0, FData->Height - 1));
}

void TBitmap::SetTransparentColor(TColor Value)
{
    FTransparentColor = Value;
    FTransparentMode = Value == clDefault ? tmAuto : tmFixed;
    Changed(this);
}

void TBitmap::SetTransparentMode(TTransparentMode Value)
{
    if (Value == FTransparentMode) return;
    FTransparentMode = Value;
    if (Value == tmAuto) FTransparentColor = clDefault;
    Changed(this);
}

void TBitmap::Mask(TColor TransparentColor)
{
    TBitmapData& Data = *FData;
    const QImage Rgb = RgbOf(Data);
    const QRgb Key = RgbColor(ColorToRGB(TransparentColor)).rgb() & 0xFFFFFF;
    QImage Mono(Rgb.size(), QImage::Format_RGB32);
    for (int Y = 0; Y < Rgb.height(); ++Y) {
        const auto* Src = reinterpret_cast<const QRgb*>(Rgb.constScanLine(Y));
        auto* Dest = reinterpret_cast<QRgb*>(Mono.scanLine(Y));
        for (int X = 0; X < Rgb.width(); ++X)
            Dest[X] = (Src[X] & 0xFFFFFF) == Key ? White : qRgb(0, 0, 0);
    }
    FillFrom(Data, Mono, pf1bit);
    Changed(this);
}

TBitmap* AllocPatternBitmap(TColor BkColor, TColor FgColor)
{
    struct TPattern {
        TColor Bk;
        TColor Fg;
        TOwned<TBitmap> Bitmap;
    };
    static std::vector<TPattern> Patterns;
    BkColor = ColorToRGB(BkColor);
    FgColor = ColorToRGB(FgColor);
    for (const TPattern& P : Patterns)
        if (P.Bk == BkColor && P.Fg == FgColor) return P.Bitmap.get();
    QImage Image(8, 8, QImage::Format_RGB32);
    for (int Y = 0; Y < 8; ++Y)
        for (int X = 0; X < 8; ++X)
            Image.setPixel(X, Y, RgbColor((X + Y) % 2 == 0 ? FgColor : BkColor).rgb());
    Patterns.push_back({BkColor, FgColor, MakeOwned<TBitmap>()});
    SetBitmapImage(Patterns.back().Bitmap.get(), Image, pfDevice);
    return Patterns.back().Bitmap.get();
}
