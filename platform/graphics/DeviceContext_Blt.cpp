// Bit-block transfers: every ternary raster operation over the pattern (the
// selected brush), the source and the destination.
#include "platform/graphics/DeviceContext.h"

#include <QPainter>

#include <cstring>

using namespace platform::detail;

namespace {

constexpr QRgb RgbMask = 0x00FFFFFF;
constexpr QRgb Opaque = 0xFF000000;

bool UsesSource(Byte Rop)
{
    return (((Rop >> 2) ^ Rop) & 0x33) != 0;
}

bool UsesPattern(Byte Rop)
{
    return (((Rop >> 4) ^ Rop) & 0x0F) != 0;
}

bool UsesDestination(Byte Rop)
{
    return (((Rop >> 1) ^ Rop) & 0x55) != 0;
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

bool Is32Bit(const QImage& Image)
{
    return Image.format() == QImage::Format_RGB32 || Image.format() == QImage::Format_ARGB32;
}

// Rows of W pixels, one for each row of the destination area: either lines
// of an image as they are or a picture made for the transfer.
struct TRows {
    const QImage* Image = nullptr;
    QImage Own;
    QPoint Offset;      // where the area's top-left pixel lies in Image
    bool Opaque = true; // every pixel's alpha is 255
    const QRgb* Row(int Y) const
    {
        return reinterpret_cast<const QRgb*>(Image->constScanLine(Offset.y() + Y)) + Offset.x();
    }
    void Take(QImage Made)
    {
        Own = std::move(Made);
        Image = &Own;
        Offset = QPoint();
    }
};

// The source under the destination area, read before anything is written
// (the source may be the destination itself). An unscaled 32-bit source is
// read where it lies; everything else is mapped into a picture the size of
// the destination: scaled to the nearest pixel, monochrome mapped to and
// from the destination's colours, black outside the source's image.
void SourceRows(HDC Dest, HDC Src, const QRect& DestArea, const QRect& SrcArea, bool MirrorX, bool MirrorY,
                const QImage* Target, TRows& Rows)
{
    const int W = DestArea.width();
    const int H = DestArea.height();
    QImage* From = Src->Target ? Src->Target->Image() : nullptr;
    const bool MonoIn = From && Src->Target->Monochrome();
    const bool MonoOut = Dest->Target->Monochrome();
    const QRect SrcDevice = SrcArea.translated(Src->Origin);
    Rows.Opaque = !From || From->format() != QImage::Format_ARGB32;
    if (From && !From->isNull() && Is32Bit(*From) && MonoIn == MonoOut && !MirrorX && !MirrorY &&
        SrcArea.size() == DestArea.size() && From->rect().contains(SrcDevice)) {
        if (From == Target && SrcDevice.intersects(DestArea.translated(Dest->Origin))) {
            Rows.Take(From->copy(SrcDevice));
            return;
        }
        Rows.Image = From;
        Rows.Offset = SrcDevice.topLeft();
        return;
    }
    QImage Source(W, H, QImage::Format_RGB32);
    Source.fill(Qt::black);
    if (From && !From->isNull()) {
        const QRgb Fore = ToRgb(Dest->TextColor);
        const QRgb Back = ToRgb(Dest->BkColor);
        const QRgb SrcBack = ToRgb(Src->BkColor);
        // 32-bit pictures are read as they are (a copy takes their alpha along).
        const QImage Colors = Is32Bit(*From) ? *From : From->convertToFormat(QImage::Format_RGB32);
        std::vector<int> Columns(static_cast<std::size_t>(W));
        for (int X = 0; X < W; ++X)
            Columns[std::size_t(X)] = SrcDevice.left() + int((qint64(MirrorX ? W - 1 - X : X) * SrcArea.width()) / W);
        for (int Y = 0; Y < H; ++Y) {
            const int SY = SrcDevice.top() + int((qint64(MirrorY ? H - 1 - Y : Y) * SrcArea.height()) / H);
            auto* Row = reinterpret_cast<QRgb*>(Source.scanLine(Y));
            if (SY < 0 || SY >= Colors.height()) continue;
            const auto* In = reinterpret_cast<const QRgb*>(Colors.constScanLine(SY));
            for (int X = 0; X < W; ++X) {
                const int SX = Columns[std::size_t(X)];
                if (SX < 0 || SX >= Colors.width()) continue;
                QRgb C = In[SX];
                if (MonoIn && !MonoOut)
                    C = Opaque | (Mono(C) ? Back : Fore); // 1 (white) takes the background colour
                else if (MonoOut && !MonoIn)
                    C = Opaque | ((C & RgbMask) == SrcBack ? RgbMask : 0);
                Row[X] = C;
            }
        }
    }
    Rows.Take(std::move(Source));
}

// The brush under Area (logical) as the context paints it: one colour for a
// solid or clear brush (a clear one leaves the background colour), else a
// picture.
bool PatternRows(HDC DC, const QRect& Area, QRgb& Solid, TRows& Rows)
{
    if (DC->BrushPattern.isNull() && (DC->BrushStyle == bsSolid || DC->BrushStyle == bsClear)) {
        Solid = ToRgb(DC->BrushStyle == bsSolid ? DC->BrushColor : DC->BkColor);
        return false;
    }
    QImage Pattern(Area.size(), QImage::Format_RGB32);
    Pattern.fill(RgbColor(DC->BkColor));
    QPainter Painter(&Pattern);
    Painter.translate(-Area.topLeft());
    Painter.fillRect(Area, BrushOf(*DC));
    Painter.end();
    Rows.Take(std::move(Pattern));
    return true;
}

// How a line's result meets the alpha of the pixels it lands on.
enum class TAlpha {
    Opaque, // a picture without alpha: every pixel opaque
    Keep,   // a 32-bit picture keeps its alpha...
    Take,   // ...unless copied over: then the source's alpha comes along
};

// Writes Value(I), an RGB colour (or a source pixel for Take), to Out[0, N).
template <class TValue> void Put(QRgb* Out, int N, TAlpha Alpha, TValue Value)
{
    switch (Alpha) {
    case TAlpha::Opaque:
        for (int I = 0; I < N; ++I)
            Out[I] = Opaque | Value(I);
        break;
    case TAlpha::Keep:
        for (int I = 0; I < N; ++I)
            Out[I] = (Out[I] & Opaque) | (Value(I) & RgbMask);
        break;
    case TAlpha::Take:
        for (int I = 0; I < N; ++I)
            Out[I] = Value(I);
        break;
    }
}

// One line of the transfer: N pixels from the source line S, the pattern
// line P (null: the solid colour), the destination line D (null when not
// read) into Out, which may be D itself. Operations that leave the
// destination alone and a one-colour brush take no per-pixel truth table.
struct TLineOp {
    Byte Rop;
    bool MonoOut;
    TAlpha Alpha;
    QRgb Solid;
    bool SourceOpaque;

    void operator()(QRgb* Out, int N, const QRgb* S, const QRgb* P, const QRgb* D) const
    {
        if (!MonoOut) {
            switch (Rop) {
            case 0xCC: // SRCCOPY; an opaque source onto an opaque picture copies as it is
                if (Alpha == TAlpha::Take || (Alpha == TAlpha::Opaque && SourceOpaque)) {
                    std::memcpy(Out, S, std::size_t(N) * sizeof(QRgb));
                    return;
                }
                Put(Out, N, Alpha, [S](int I) { return S[I]; });
                return;
            case 0x33: // NOTSRCCOPY
                Put(Out, N, Alpha, [S](int I) { return ~S[I] & RgbMask; });
                return;
            case 0x00: // BLACKNESS
            case 0xFF: // WHITENESS
                Put(Out, N, Alpha, [this](int) { return Rop ? RgbMask : 0; });
                return;
            case 0xF0: // PATCOPY
                if (P)
                    Put(Out, N, Alpha, [P](int I) { return P[I] & RgbMask; });
                else
                    Put(Out, N, Alpha, [this](int) { return Solid; });
                return;
            case 0x0F: // NOT PATCOPY
                if (P)
                    Put(Out, N, Alpha, [P](int I) { return ~P[I] & RgbMask; });
                else
                    Put(Out, N, Alpha, [this](int) { return ~Solid & RgbMask; });
                return;
            case 0xAA: // the destination as it is
                if (Out != D) Put(Out, N, Alpha, [D](int I) { return D[I] & RgbMask; });
                return;
            default:
                break;
            }
        }
        Put(Out, N, Alpha, [&](int I) {
            QRgb PV = P ? P[I] & RgbMask : Solid;
            QRgb DV = D ? D[I] & RgbMask : 0;
            if (MonoOut) {
                PV = Mono(PV);
                DV = Mono(DV);
            }
            return Apply(Rop, PV, S ? S[I] & RgbMask : 0, DV);
        });
    }
};

} // namespace

namespace platform::detail {

bool BitTransfer(HDC Dest, QRect DestArea, HDC Src, QRect SrcArea, DWORD RasterOp)
{
    if (!Dest) return false;
    const Byte Rop = Byte((RasterOp >> 16) & 0xFF);
    const bool NeedsSource = UsesSource(Rop);
    if (NeedsSource && !Src) return false;
    QImage* Target = Dest->Target ? Dest->Target->Image() : nullptr;
    if (!Target || Target->isNull()) return true;

    const bool MirrorX = (DestArea.width() < 0) != (SrcArea.width() < 0);
    const bool MirrorY = (DestArea.height() < 0) != (SrcArea.height() < 0);
    auto Normal = [](QRect R) {
        const int L = std::min(R.left(), R.left() + R.width());
        const int T = std::min(R.top(), R.top() + R.height());
        return QRect(L, T, std::abs(R.width()), std::abs(R.height()));
    };
    DestArea = Normal(DestArea);
    SrcArea = Normal(SrcArea);
    if (DestArea.isEmpty()) return true;
    const QRect Device = DestArea.translated(Dest->Origin);
    const QRegion Area = DrawableRegion(*Dest) & Device;
    if (Area.isEmpty()) return true;

    TRows Source;
    if (NeedsSource) {
        if (SrcArea.isEmpty()) return true;
        SourceRows(Dest, Src, DestArea, SrcArea, MirrorX, MirrorY, Target, Source);
    }
    TRows Pattern;
    TLineOp Line{Rop, Dest->Target->Monochrome(), TAlpha::Opaque, 0, Source.Opaque};
    const bool PatternImage = UsesPattern(Rop) && PatternRows(Dest, DestArea, Line.Solid, Pattern);
    auto SourceAt = [&](int Y, int X) { return NeedsSource ? Source.Row(Y) + X : nullptr; };
    auto PatternAt = [&](int Y, int X) { return PatternImage ? Pattern.Row(Y) + X : nullptr; };

    if (Is32Bit(*Target)) {
        // Straight into the pixels, line by line.
        if (Target->format() == QImage::Format_ARGB32) Line.Alpha = Rop == 0xCC ? TAlpha::Take : TAlpha::Keep;
        const bool ReadsDest = UsesDestination(Rop) || Line.Alpha == TAlpha::Keep;
        for (const QRect& R : Area)
            for (int Y = R.top(); Y <= R.bottom(); ++Y) {
                auto* Row = reinterpret_cast<QRgb*>(Target->scanLine(Y)) + R.left();
                const int SY = Y - Device.top(), SX = R.left() - Device.left();
                Line(Row, R.width(), SourceAt(SY, SX), PatternAt(SY, SX), ReadsDest ? Row : nullptr);
            }
        Dest->Target->Touched(Area.boundingRect());
        return true;
    }
    // Other pictures: the result made whole, then painted over them.
    const int W = DestArea.width();
    const int H = DestArea.height();
    const QImage Before = UsesDestination(Rop) ? Target->copy(Device).convertToFormat(QImage::Format_RGB32) : QImage();
    QImage Result(W, H, QImage::Format_RGB32);
    for (int Y = 0; Y < H; ++Y)
        Line(reinterpret_cast<QRgb*>(Result.scanLine(Y)), W, SourceAt(Y, 0), PatternAt(Y, 0),
             Before.isNull() ? nullptr : reinterpret_cast<const QRgb*>(Before.constScanLine(Y)));
    TDCPainter Painter(Dest, DestArea);
    if (Painter.Active()) {
        Painter.Painter().setCompositionMode(QPainter::CompositionMode_Source);
        Painter.Painter().drawImage(DestArea.topLeft(), Result);
    }
    return true;
}

} // namespace platform::detail
