#include "platform/controls/ImgList.h"
#include "platform/graphics/BitmapImages.h"
#include "platform/graphics/DeviceContext.h"
#include "platform/controls/ImageLists.h"

#include <QPainter>
#include <QPainterPath>

#include <algorithm>
#include <functional>
#include <map>

struct TCustomImageList::TImages {
    std::vector<QImage> List;
    static const QImage& At(const TCustomImageList* Owner, int Index) { return Owner->FImages->List[Index]; }
};

namespace {

// ---- Stock images, drawn on a 16 x 16 grid and scaled to the list's size ----

const QColor Outline(0x50, 0x50, 0x50);

void DrawPage(QPainter& P, const QRectF& R, const QColor& Fill)
{
    const qreal Fold = 3.5;
    QPainterPath Path;
    Path.moveTo(R.left(), R.top());
    Path.lineTo(R.right() - Fold, R.top());
    Path.lineTo(R.right(), R.top() + Fold);
    Path.lineTo(R.right(), R.bottom());
    Path.lineTo(R.left(), R.bottom());
    Path.closeSubpath();
    P.setPen(QPen(Outline, 1));
    P.setBrush(Fill);
    P.drawPath(Path);
    P.drawLine(QPointF(R.right() - Fold, R.top()), QPointF(R.right() - Fold, R.top() + Fold));
    P.drawLine(QPointF(R.right() - Fold, R.top() + Fold), QPointF(R.right(), R.top() + Fold));
}

void DrawTextLines(QPainter& P, qreal Left, qreal Right, qreal Top, int Count, const QColor& Color)
{
    P.setPen(QPen(Color, 1));
    for (int I = 0; I < Count; ++I)
        P.drawLine(QPointF(Left, Top + I * 2), QPointF(Right, Top + I * 2));
}

void DrawFiles(QPainter& P)
{
    DrawPage(P, QRectF(1.5, 0.5, 9, 11), QColor(0xE8, 0xE8, 0xE8));
    DrawPage(P, QRectF(5.5, 4.5, 9, 11), Qt::white);
    DrawTextLines(P, 7.5, 12.5, 8.5, 3, QColor(0x30, 0x60, 0xC0));
}

void DrawPatterns(QPainter& P)
{
    P.setPen(QPen(QColor(0x80, 0x50, 0x20), 2.5, Qt::SolidLine, Qt::RoundCap));
    P.drawLine(QPointF(9.5, 9.5), QPointF(14.5, 14.5));
    P.setPen(QPen(Outline, 1.5));
    P.setBrush(QColor(0xC8, 0xE4, 0xFF));
    P.drawEllipse(QPointF(6.5, 6.5), 5, 5);
    P.setPen(QPen(Qt::white, 1.2, Qt::SolidLine, Qt::RoundCap));
    P.drawArc(QRectF(3.5, 3.5, 6, 6), 100 * 16, 70 * 16);
}

void DrawGrid(QPainter& P)
{
    const QRectF R(0.5, 2.5, 15, 11);
    P.setPen(Qt::NoPen);
    P.setBrush(Qt::white);
    P.drawRect(R);
    P.setBrush(QColor(0x40, 0x70, 0xC0));
    P.drawRect(QRectF(R.left(), R.top(), R.width(), 3));
    P.setPen(QPen(QColor(0x90, 0x90, 0x90), 1));
    for (qreal Y : {8.5, 11.0})
        P.drawLine(QPointF(R.left(), Y), QPointF(R.right(), Y));
    for (qreal X : {5.5, 10.5})
        P.drawLine(QPointF(X, R.top() + 3), QPointF(X, R.bottom()));
    P.setPen(QPen(Outline, 1));
    P.setBrush(Qt::NoBrush);
    P.drawRect(R);
}

void DrawCheck(QPainter& P, const QColor& Color, qreal Width)
{
    QPainterPath Check;
    Check.moveTo(5, 9);
    Check.lineTo(8, 12.5);
    Check.lineTo(14.5, 4);
    P.setPen(QPen(Color, Width, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    P.setBrush(Qt::NoBrush);
    P.drawPath(Check);
}

void DrawMatches(QPainter& P)
{
    DrawPage(P, QRectF(1.5, 0.5, 11, 14), Qt::white);
    DrawTextLines(P, 3.5, 9.5, 3.5, 3, QColor(0x90, 0x90, 0x90));
    DrawCheck(P, QColor(0x10, 0x90, 0x20), 2.2);
}

void DrawAdd(QPainter& P)
{
    P.setPen(QPen(QColor(0x10, 0x70, 0x10), 1));
    P.setBrush(QColor(0x30, 0xB0, 0x30));
    QPainterPath Plus;
    Plus.addRect(QRectF(6, 2, 4, 12));
    Plus.addRect(QRectF(2, 6, 12, 4));
    P.drawPath(Plus.simplified());
}

void DrawCopy(QPainter& P)
{
    DrawPage(P, QRectF(1.5, 0.5, 8, 10), QColor(0xE8, 0xE8, 0xE8));
    DrawPage(P, QRectF(6.5, 5.5, 8, 10), Qt::white);
    DrawTextLines(P, 8.5, 12.5, 9.5, 3, QColor(0x30, 0x60, 0xC0));
}

void DrawSave(QPainter& P)
{
    P.setPen(QPen(QColor(0x20, 0x30, 0x70), 1));
    P.setBrush(QColor(0x40, 0x60, 0xC0));
    QPainterPath Body;
    Body.moveTo(1.5, 1.5);
    Body.lineTo(12.5, 1.5);
    Body.lineTo(14.5, 3.5);
    Body.lineTo(14.5, 14.5);
    Body.lineTo(1.5, 14.5);
    Body.closeSubpath();
    P.drawPath(Body);
    P.setBrush(Qt::white);
    P.drawRect(QRectF(3.5, 1.5, 9, 5));
    P.setBrush(QColor(0xC0, 0xC0, 0xC0));
    P.drawRect(QRectF(4.5, 9.5, 7, 5));
    P.setPen(Qt::NoPen);
    P.setBrush(QColor(0x20, 0x30, 0x70));
    P.drawRect(QRectF(9, 2.5, 2, 3));
}

void DrawStart(QPainter& P)
{
    QPainterPath Arrow;
    Arrow.moveTo(4, 2);
    Arrow.lineTo(14, 8);
    Arrow.lineTo(4, 14);
    Arrow.closeSubpath();
    P.setPen(QPen(QColor(0x10, 0x70, 0x10), 1, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    P.setBrush(QColor(0x30, 0xB0, 0x30));
    P.drawPath(Arrow);
}

void DrawStop(QPainter& P)
{
    P.setPen(QPen(QColor(0x90, 0x10, 0x10), 1));
    P.setBrush(QColor(0xE0, 0x30, 0x30));
    P.drawRoundedRect(QRectF(2.5, 2.5, 11, 11), 2, 2);
}

using TDrawProc = void (*)(QPainter&);

const std::map<AnsiString, TDrawProc>& StockDrawings()
{
    static const std::map<AnsiString, TDrawProc> Map{
        {"files", DrawFiles},     {"patterns", DrawPatterns}, {"grid", DrawGrid},
        {"matches", DrawMatches}, {"add", DrawAdd},           {"copy", DrawCopy},
        {"save", DrawSave},       {"start", DrawStart},       {"stop", DrawStop}};
    return Map;
}

} // namespace

namespace platform::detail {

QImage StockImage(const AnsiString& Name, int Width, int Height)
{
    const auto& Map = StockDrawings();
    const auto It = Map.find(Name);
    if (It == Map.end() || Width <= 0 || Height <= 0) return QImage();
    QImage Image(Width, Height, QImage::Format_ARGB32_Premultiplied);
    Image.fill(Qt::transparent);
    QPainter P(&Image);
    P.setRenderHint(QPainter::Antialiasing);
    P.scale(Width / 16.0, Height / 16.0);
    It->second(P);
    return Image;
}

QImage ImageListImage(const TCustomImageList* List, int Index)
{
    if (!List || Index < 0 || Index >= List->GetCount()) return QImage();
    return TCustomImageList::TImages::At(List, Index);
}

QIcon ImageListIcon(const TCustomImageList* List, int Index)
{
    const QImage Image = ImageListImage(List, Index);
    return Image.isNull() ? QIcon() : QIcon(QPixmap::fromImage(Image));
}

} // namespace platform::detail

// ---- TChangeLink ---------------------------------------------------------------

TChangeLink::~TChangeLink()
{
    if (FSender) FSender->UnRegisterChanges(this);
}

void TChangeLink::SetSender(TCustomImageList* Value)
{
    if (Value == FSender) return;
    if (FSender) FSender->UnRegisterChanges(this);
    if (Value) Value->RegisterChanges(this);
}

void TChangeLink::Change()
{
    if (OnChange) OnChange(FSender);
}

// ---- TCustomImageList --------------------------------------------------------------

TCustomImageList::TCustomImageList(TComponent* AOwner) : TComponent(AOwner), FImages(std::make_unique<TImages>()) {}

TCustomImageList::~TCustomImageList()
{
    while (!FLinks.empty())
        UnRegisterChanges(FLinks.back());
}

int TCustomImageList::GetCount() const
{
    return static_cast<int>(FImages->List.size());
}

void TCustomImageList::SetWidth(int Value)
{
    SetSize(Value, FHeight);
}

void TCustomImageList::SetHeight(int Value)
{
    SetSize(FWidth, Value);
}

void TCustomImageList::SetSize(int AWidth, int AHeight)
{
    AWidth = std::max(1, AWidth);
    AHeight = std::max(1, AHeight);
    if (AWidth == FWidth && AHeight == FHeight) return;
    FWidth = AWidth;
    FHeight = AHeight;
    // Pictures of the old size would not fit: the list starts again empty.
    FImages->List.clear();
    Change();
}

int TCustomImageList::AddStockImage(const AnsiString& Name)
{
    QImage Image = platform::detail::StockImage(Name, FWidth, FHeight);
    if (Image.isNull()) throw EInvalidOperation("Image \"" + Name + "\" not found");
    FImages->List.push_back(std::move(Image));
    Change();
    return GetCount() - 1;
}

namespace {

// A picture with its transparency as premultiplied alpha, from a bitmap and
// a rule for which pixels are transparent.
QImage Picture(TBitmap* Image, const std::function<bool(int X, int Y, QRgb Color)>& Transparent)
{
    const QImage Colors = platform::detail::OpaqueImage(Image);
    QImage Result = Colors.convertToFormat(QImage::Format_ARGB32);
    for (int Y = 0; Y < Result.height(); ++Y) {
        auto* Row = reinterpret_cast<QRgb*>(Result.scanLine(Y));
        for (int X = 0; X < Result.width(); ++X)
            if (Transparent(X, Y, Row[X])) Row[X] = 0;
    }
    return Result;
}

} // namespace

int TCustomImageList::Add(TBitmap* Image, TBitmap* Mask)
{
    if (!Image || Image->GetEmpty()) return -1;
    QImage Whole;
    if (Mask && !Mask->GetEmpty()) {
        const QImage Bits = platform::detail::OpaqueImage(Mask);
        Whole = Picture(Image, [&](int X, int Y, QRgb) {
            return X < Bits.width() && Y < Bits.height() && qGray(Bits.pixel(X, Y)) >= 128;
        });
    } else if (Image->GetPixelFormat() == pf32bit) {
        Whole = platform::detail::DataOf(Image).Colors().convertToFormat(QImage::Format_ARGB32);
        bool AnyAlpha = false;
        for (int Y = 0; Y < Whole.height() && !AnyAlpha; ++Y)
            for (int X = 0; X < Whole.width() && !AnyAlpha; ++X)
                AnyAlpha = qAlpha(Whole.pixel(X, Y)) != 0;
        if (!AnyAlpha) Whole = platform::detail::OpaqueImage(Image).convertToFormat(QImage::Format_ARGB32);
    } else {
        Whole = platform::detail::OpaqueImage(Image).convertToFormat(QImage::Format_ARGB32);
    }
    const int Count = Whole.width() / FWidth;
    if (Count <= 0) return -1;
    const int First = GetCount();
    for (int I = 0; I < Count; ++I) {
        QImage Piece(FWidth, FHeight, QImage::Format_ARGB32_Premultiplied);
        Piece.fill(Qt::transparent);
        QPainter P(&Piece);
        P.setCompositionMode(QPainter::CompositionMode_Source);
        P.drawImage(0, 0, Whole.copy(I * FWidth, 0, FWidth, std::min(FHeight, Whole.height())));
        P.end();
        FImages->List.push_back(std::move(Piece));
    }
    Change();
    return First;
}

int TCustomImageList::AddMasked(TBitmap* Image, TColor MaskColor)
{
    if (!Image || Image->GetEmpty()) return -1;
    const QRgb Key = platform::detail::RgbColor(ColorToRGB(MaskColor)).rgb() & 0xFFFFFF;
    TBitmap Mask;
    const QImage Colors = platform::detail::OpaqueImage(Image);
    QImage Bits(Colors.size(), QImage::Format_RGB32);
    for (int Y = 0; Y < Colors.height(); ++Y)
        for (int X = 0; X < Colors.width(); ++X)
            Bits.setPixel(X, Y, (Colors.pixel(X, Y) & 0xFFFFFF) == Key ? 0xFFFFFFFF : 0xFF000000);
    platform::detail::SetBitmapImage(&Mask, Bits, pf1bit);
    return Add(Image, &Mask);
}

void TCustomImageList::Draw(TCanvas* Canvas, int X, int Y, int Index, bool Enabled)
{
    if (!Canvas || Index < 0 || Index >= GetCount()) return;
    HDC DC = Canvas->GetHandle();
    const QImage& Image = FImages->List[Index];
    const QRect Dest(X, Y, Image.width(), Image.height());
    if (Enabled) {
        platform::detail::DrawImage(DC, Dest, Image, false);
        return;
    }
    // The classic disabled look: the picture's outline embossed, light one
    // pixel right and down, shadow on top.
    auto Outline = [&](TColor Color) {
        const QRgb C = platform::detail::RgbColor(ColorToRGB(Color)).rgba();
        QImage Shape(Image.size(), QImage::Format_ARGB32);
        for (int Row = 0; Row < Image.height(); ++Row)
            for (int Col = 0; Col < Image.width(); ++Col)
                Shape.setPixel(Col, Row, qAlpha(Image.pixel(Col, Row)) >= 128 ? C : 0);
        return Shape;
    };
    platform::detail::DrawImage(DC, Dest.translated(1, 1), Outline(clBtnHighlight), false);
    platform::detail::DrawImage(DC, Dest, Outline(clBtnShadow), false);
}

void TCustomImageList::GetBitmap(int Index, TBitmap* Image)
{
    if (!Image || Index < 0 || Index >= GetCount()) return;
    platform::detail::SetBitmapImage(Image, FImages->List[Index].convertToFormat(QImage::Format_ARGB32), pf32bit);
}

void TCustomImageList::Delete(int Index)
{
    if (Index < 0 || Index >= GetCount()) throw EInvalidOperation("Image index out of bounds");
    FImages->List.erase(FImages->List.begin() + Index);
    Change();
}

void TCustomImageList::Clear()
{
    if (FImages->List.empty()) return;
    FImages->List.clear();
    Change();
}

void TCustomImageList::RegisterChanges(TChangeLink* Link)
{
    if (!Link || Link->FSender == this) return;
    if (Link->FSender) Link->FSender->UnRegisterChanges(Link);
    FLinks.push_back(Link);
    Link->FSender = this;
}

void TCustomImageList::UnRegisterChanges(TChangeLink* Link)
{
    const auto It = std::find(FLinks.begin(), FLinks.end(), Link);
    if (It == FLinks.end()) return;
    FLinks.erase(It);
    Link->FSender = nullptr;
}

void TCustomImageList::Change()
{
    // Copy: a client may unregister while it hears of the change.
    const auto Links = FLinks;
    for (TChangeLink* Link : Links)
        if (std::find(FLinks.begin(), FLinks.end(), Link) != FLinks.end()) Link->Change();
    if (OnChange) OnChange(this);
}
