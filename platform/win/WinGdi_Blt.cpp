// Bit-block transfers: every ternary raster operation over the pattern (the
// selected brush), the source and the destination.
#include "platform/graphics/DeviceContext.h"
#include "platform/win/WinGdi.h"

#include <QPainter>

using namespace platform::detail;

namespace {

constexpr QRgb RgbMask = 0x00FFFFFF;

bool UsesSource(Byte Rop)
{
    return (((Rop >> 2) ^ Rop) & 0x33) != 0;
}

bool UsesPattern(Byte Rop)
{
    return (((Rop >> 4) ^ Rop) & 0x0F) != 0;
}

// The operation's truth table applied bit by bit: bit P*4 + S*2 + D of Rop
// is the result for those three input bits.
QRgb Apply(Byte Rop, QRgb P, QRgb S, QRgb D)
{
    switch (Rop) { // the common ones directly
    case 0xCC:
        return S;
    case 0xF0:
        return P;
    case 0xAA:
        return D;
    case 0x88:
        return S & D;
    case 0xEE:
        return S | D;
    case 0x66:
        return S ^ D;
    case 0x5A:
        return P ^ D;
    case 0x55:
        return ~D & RgbMask;
    default:
        break;
    }
    QRgb Result = 0;
    for (int I = 0; I < 8; ++I)
        if (Rop & (1 << I)) Result |= ((I & 4) ? P : ~P) & ((I & 2) ? S : ~S) & ((I & 1) ? D : ~D);
    return Result & RgbMask;
}

QRgb ToRgb(TColor Color)
{
    return RgbColor(Color).rgb() & RgbMask;
}

QRgb Mono(QRgb Color)
{
    return qGray(Color) >= 128 ? RgbMask : 0;
}

// The brush's pixels under Area (logical), as the context paints them.
QImage PatternPixels(HDC DC, const QRect& Area)
{
    QImage Pattern(Area.size(), QImage::Format_RGB32);
    Pattern.fill(RgbColor(DC->BkColor));
    QPainter Painter(&Pattern);
    Painter.translate(-Area.topLeft());
    Painter.fillRect(Area, BrushOf(*DC));
    return Pattern;
}

BOOL Transfer(HDC Dest, QRect DestArea, HDC Src, QRect SrcArea, DWORD RasterOp)
{
    if (!Dest) return 0;
    const Byte Rop = Byte((RasterOp >> 16) & 0xFF);
    const bool NeedsSource = UsesSource(Rop);
    if (NeedsSource && !Src) return 0;
    QImage* Target = Dest->Target ? Dest->Target->Image() : nullptr;
    if (!Target || Target->isNull()) return 1;

    const bool MirrorX = (DestArea.width() < 0) != (SrcArea.width() < 0);
    const bool MirrorY = (DestArea.height() < 0) != (SrcArea.height() < 0);
    auto Normal = [](QRect R) {
        const int L = std::min(R.left(), R.left() + R.width());
        const int T = std::min(R.top(), R.top() + R.height());
        return QRect(L, T, std::abs(R.width()), std::abs(R.height()));
    };
    DestArea = Normal(DestArea);
    SrcArea = Normal(SrcArea);
    if (DestArea.isEmpty()) return 1;
    const QRect Device = DestArea.translated(Dest->Origin);
    const QRegion Area = DrawableRegion(*Dest) & Device;
    if (Area.isEmpty()) return 1;

    // The source, scaled to the destination, read before anything is written
    // (the source may be the destination itself).
    const int W = DestArea.width();
    const int H = DestArea.height();
    QImage Source;
    if (NeedsSource) {
        if (SrcArea.isEmpty()) return 1;
        Source = QImage(W, H, QImage::Format_RGB32);
        Source.fill(Qt::black);
        QImage* From = Src->Target ? Src->Target->Image() : nullptr;
        if (From && !From->isNull()) {
            const bool MonoIn = Src->Target->Monochrome();
            const bool MonoOut = Dest->Target->Monochrome();
            const QRgb Fore = ToRgb(Dest->TextColor);
            const QRgb Back = ToRgb(Dest->BkColor);
            const QRgb SrcBack = ToRgb(Src->BkColor);
            // 32-bit pictures are read as they are (a copy takes their alpha along).
            const bool Direct = From->format() == QImage::Format_RGB32 || From->format() == QImage::Format_ARGB32;
            const QImage Colors = Direct ? *From : From->convertToFormat(QImage::Format_RGB32);
            for (int Y = 0; Y < H; ++Y) {
                const int SY =
                    SrcArea.top() + int((qint64(MirrorY ? H - 1 - Y : Y) * SrcArea.height()) / H) + Src->Origin.y();
                auto* Row = reinterpret_cast<QRgb*>(Source.scanLine(Y));
                if (SY < 0 || SY >= Colors.height()) continue;
                const auto* In = reinterpret_cast<const QRgb*>(Colors.constScanLine(SY));
                for (int X = 0; X < W; ++X) {
                    const int SX =
                        SrcArea.left() + int((qint64(MirrorX ? W - 1 - X : X) * SrcArea.width()) / W) + Src->Origin.x();
                    if (SX < 0 || SX >= Colors.width()) continue;
                    QRgb C = In[SX];
                    if (MonoIn && !MonoOut)
                        C = 0xFF000000 | (Mono(C) ? Back : Fore); // 1 (white) takes the background colour
                    else if (MonoOut && !MonoIn)
                        C = 0xFF000000 | ((C & RgbMask) == SrcBack ? RgbMask : 0);
                    Row[X] = C;
                }
            }
        }
    }
    const bool MonoOut = Dest->Target->Monochrome();
    const QImage Pattern = UsesPattern(Rop) ? PatternPixels(Dest, DestArea) : QImage();
    QImage Before = Target->copy(Device).convertToFormat(QImage::Format_RGB32);
    QImage Result(W, H, QImage::Format_RGB32);
    for (int Y = 0; Y < H; ++Y) {
        const auto* D = reinterpret_cast<const QRgb*>(Before.constScanLine(Y));
        const auto* S = NeedsSource ? reinterpret_cast<const QRgb*>(Source.constScanLine(Y)) : nullptr;
        const auto* P = Pattern.isNull() ? nullptr : reinterpret_cast<const QRgb*>(Pattern.constScanLine(Y));
        auto* Out = reinterpret_cast<QRgb*>(Result.scanLine(Y));
        for (int X = 0; X < W; ++X) {
            QRgb PV = P ? P[X] & RgbMask : 0;
            if (Rop == 0xCC) {
                Out[X] = S[X];
                continue;
            }
            QRgb SV = S ? S[X] & RgbMask : 0;
            QRgb DV = D[X] & RgbMask;
            if (MonoOut) {
                PV = Mono(PV);
                DV = Mono(DV);
            }
            Out[X] = 0xFF000000 | Apply(Rop, PV, SV, DV);
        }
    }

    if (Target->format() == QImage::Format_RGB32 || Target->format() == QImage::Format_ARGB32) {
        // Straight into the pixels; a 32-bit picture keeps its alpha unless copied over.
        const bool Alpha = Target->format() == QImage::Format_ARGB32;
        const bool KeepAlpha = Alpha && Rop != 0xCC;
        for (const QRect& R : Area)
            for (int Y = R.top(); Y <= R.bottom(); ++Y) {
                const auto* In = reinterpret_cast<const QRgb*>(Result.constScanLine(Y - Device.top()));
                auto* Row = reinterpret_cast<QRgb*>(Target->scanLine(Y));
                for (int X = R.left(); X <= R.right(); ++X) {
                    const QRgb V = In[X - Device.left()];
                    Row[X] = KeepAlpha ? (Row[X] & 0xFF000000) | (V & RgbMask) : Alpha ? V : 0xFF000000 | V;
                }
            }
        Dest->Target->Touched(Area.boundingRect());
        return 1;
    }
    for (int Y = 0; Y < H; ++Y) {
        auto* Row = reinterpret_cast<QRgb*>(Result.scanLine(Y));
        for (int X = 0; X < W; ++X)
            Row[X] |= 0xFF000000;
    }
    TDCPainter Painter(Dest, DestArea);
    if (Painter.Active()) {
        Painter.Painter().setCompositionMode(QPainter::CompositionMode_Source);
        Painter.Painter().drawImage(DestArea.topLeft(), Result);
    }
    return 1;
}

} // namespace

BOOL BitBlt(HDC Dest, int X, int Y, int Width, int Height, HDC Src, int XSrc, int YSrc, DWORD Rop)
{
    return Transfer(Dest, QRect(X, Y, Width, Height), Src, QRect(XSrc, YSrc, Width, Height), Rop);
}

BOOL StretchBlt(HDC Dest, int X, int Y, int Width, int Height, HDC Src, int XSrc, int YSrc, int SrcWidth, int SrcHeight,
                DWORD Rop)
{
    return Transfer(Dest, QRect(X, Y, Width, Height), Src, QRect(XSrc, YSrc, SrcWidth, SrcHeight), Rop);
}

BOOL PatBlt(HDC DC, int X, int Y, int Width, int Height, DWORD Rop)
{
    if (UsesSource(Byte((Rop >> 16) & 0xFF))) return 0;
    return Transfer(DC, QRect(X, Y, Width, Height), nullptr, QRect(X, Y, Width, Height), Rop);
}
