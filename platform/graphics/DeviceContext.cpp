#include "platform/graphics/DeviceContext.h"
#include "platform/graphics/GdiTypes.h"

#include <QFontMetrics>
#include <QTextLayout>
#include <QTransform>

#include <cstdlib>

namespace platform::detail {

bool CompositionFor(TPenMode Mode, QPainter::CompositionMode& Result)
{
    switch (Mode) {
    case pmNop:
        return false;
    case pmNot:
        Result = QPainter::RasterOp_NotDestination;
        break;
    case pmNotCopy:
        Result = QPainter::RasterOp_NotSource;
        break;
    case pmMergePenNot:
        Result = QPainter::RasterOp_SourceOrNotDestination;
        break;
    case pmMaskPenNot:
        Result = QPainter::RasterOp_SourceAndNotDestination;
        break;
    case pmMergeNotPen:
        Result = QPainter::RasterOp_NotSourceOrDestination;
        break;
    case pmMaskNotPen:
        Result = QPainter::RasterOp_NotSourceAndDestination;
        break;
    case pmMerge:
        Result = QPainter::RasterOp_SourceOrDestination;
        break;
    case pmNotMerge:
        Result = QPainter::RasterOp_NotSourceAndNotDestination;
        break;
    case pmMask:
        Result = QPainter::RasterOp_SourceAndDestination;
        break;
    case pmNotMask:
        Result = QPainter::RasterOp_NotSourceOrNotDestination;
        break;
    case pmXor:
        Result = QPainter::RasterOp_SourceXorDestination;
        break;
    case pmNotXor:
        Result = QPainter::RasterOp_NotSourceXorDestination;
        break;
    case pmBlack:
    case pmWhite:
    case pmCopy:
        Result = QPainter::CompositionMode_SourceOver;
        break;
    }
    return true;
}

QColor RopColor(TPenMode Mode, TColor Rgb)
{
    if (Mode == pmBlack) return QColor(0, 0, 0);
    if (Mode == pmWhite) return QColor(255, 255, 255);
    return RgbColor(Rgb);
}

TDCPainter::TDCPainter(HDC DC, const QRect& LogicalBounds, const QRect* LogicalClip) : FDC(DC)
{
    if (!DC || !DC->Target) return;
    FImage = DC->Target->Image();
    if (!FImage || FImage->isNull()) return;
    QRegion Clip = DrawableRegion(*DC);
    if (LogicalClip) Clip &= LogicalClip->translated(DC->Origin);
    if (Clip.isEmpty()) return;
    FBounds = LogicalBounds.translated(DC->Origin) & Clip.boundingRect();
    if (FBounds.isEmpty()) return;
    FPainter.begin(FImage);
    FPainter.setRenderHint(QPainter::Antialiasing, false);
    if (Clip.rectCount() == 1)
        FPainter.setClipRect(Clip.boundingRect());
    else
        FPainter.setClipRegion(Clip);
    FPainter.translate(DC->Origin);
    FActive = true;
}

TDCPainter::~TDCPainter()
{
    if (!FActive) return;
    FPainter.end();
    FDC->Target->Touched(FBounds);
}

bool TDCPainter::SelectPen()
{
    QPainter::CompositionMode Mode;
    if (FDC->PenStyle == psClear || !CompositionFor(FDC->Rop2, Mode)) {
        FPainter.setPen(Qt::NoPen);
        return false;
    }
    FPainter.setCompositionMode(Mode);
    Qt::PenStyle Style = Qt::SolidLine;
    if (FDC->PenWidth <= 1) {
        switch (FDC->PenStyle) {
        case psDash:
            Style = Qt::DashLine;
            break;
        case psDot:
            Style = Qt::DotLine;
            break;
        case psDashDot:
            Style = Qt::DashDotLine;
            break;
        case psDashDotDot:
            Style = Qt::DashDotDotLine;
            break;
        default:
            break;
        }
    }
    QPen Pen(RopColor(FDC->Rop2, FDC->PenColor), FDC->PenWidth <= 1 ? 0 : FDC->PenWidth, Style,
             FDC->PenWidth <= 1 ? Qt::SquareCap : Qt::RoundCap, FDC->PenWidth <= 1 ? Qt::MiterJoin : Qt::RoundJoin);
    FPainter.setPen(Pen);
    return true;
}

bool TDCPainter::SelectBrush()
{
    QPainter::CompositionMode Mode;
    if (FDC->BrushStyle == bsClear || !CompositionFor(FDC->Rop2, Mode)) {
        FPainter.setBrush(Qt::NoBrush);
        return false;
    }
    FPainter.setCompositionMode(Mode);
    QBrush Brush = BrushOf(*FDC);
    if (FDC->Rop2 == pmBlack || FDC->Rop2 == pmWhite) Brush.setColor(RopColor(FDC->Rop2, 0));
    FPainter.setBrush(Brush);
    return true;
}

QRegion DrawableRegion(const HDC__& DC)
{
    QImage* Image = DC.Target ? DC.Target->Image() : nullptr;
    if (!Image || Image->isNull()) return QRegion();
    QRegion Area(Image->rect());
    if (DC.Clip) Area &= *DC.Clip;
    if (DC.ClipRgn) Area &= *DC.ClipRgn;
    return Area;
}

bool DrawablePoint(const HDC__& DC, QPoint Device)
{
    QImage* Image = DC.Target ? DC.Target->Image() : nullptr;
    return Image && Image->rect().contains(Device) && (!DC.Clip || DC.Clip->contains(Device)) &&
           (!DC.ClipRgn || DC.ClipRgn->contains(Device));
}

QBrush BrushOf(const HDC__& DC)
{
    if (!DC.BrushPattern.isNull()) {
        QImage Pattern = DC.BrushPattern;
        if (Pattern.format() == QImage::Format_Mono) {
            Pattern.setColor(0, RgbColor(DC.TextColor).rgb());
            Pattern.setColor(1, RgbColor(DC.BkColor).rgb());
        }
        return QBrush(Pattern);
    }
    Qt::BrushStyle Style = Qt::SolidPattern;
    switch (DC.BrushStyle) {
    case bsClear:
        return QBrush(Qt::NoBrush);
    case bsSolid:
        Style = Qt::SolidPattern;
        break;
    case bsHorizontal:
        Style = Qt::HorPattern;
        break;
    case bsVertical:
        Style = Qt::VerPattern;
        break;
    case bsFDiagonal:
        Style = Qt::FDiagPattern;
        break;
    case bsBDiagonal:
        Style = Qt::BDiagPattern;
        break;
    case bsCross:
        Style = Qt::CrossPattern;
        break;
    case bsDiagCross:
        Style = Qt::DiagCrossPattern;
        break;
    }
    return QBrush(RgbColor(DC.BrushColor), Style);
}

void LinePixels(QPoint A, QPoint B, std::vector<QPoint>& Pixels)
{
    Pixels.clear();
    const int DX = std::abs(B.x() - A.x());
    const int DY = -std::abs(B.y() - A.y());
    const int SX = A.x() < B.x() ? 1 : -1;
    const int SY = A.y() < B.y() ? 1 : -1;
    int Err = DX + DY;
    int X = A.x();
    int Y = A.y();
    Pixels.reserve(std::size_t(std::max(DX, -DY)));
    while (X != B.x() || Y != B.y()) {
        Pixels.emplace_back(X, Y);
        const int E2 = 2 * Err;
        if (E2 >= DY) {
            Err += DY;
            X += SX;
        }
        if (E2 <= DX) {
            Err += DX;
            Y += SY;
        }
    }
}

namespace {

// GDI's cosmetic pen styles: lengths of the alternating on and off runs.
std::vector<int> StylePattern(TPenStyle Style)
{
    switch (Style) {
    case psDash:
        return {18, 6};
    case psDot:
        return {3, 3};
    case psDashDot:
        return {9, 6, 3, 6};
    case psDashDotDot:
        return {9, 3, 3, 3, 3, 3};
    default:
        return {};
    }
}

} // namespace

void DrawLine(HDC DC, QPoint A, QPoint B)
{
    if (!DC || DC->PenStyle == psClear || A == B) return;
    const int W = std::max(DC->PenWidth, 1);
    TDCPainter P(DC, QRect(A, B).normalized().adjusted(-W, -W, W, W));
    if (!P.Active()) return;
    QPainter::CompositionMode Mode;
    if (!CompositionFor(DC->Rop2, Mode)) return;
    QPainter& Painter = P.Painter();
    Painter.setCompositionMode(Mode);
    if (W > 1) {
        Painter.setPen(QPen(RopColor(DC->Rop2, DC->PenColor), W, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        Painter.drawLine(A, B);
        return;
    }
    std::vector<QPoint> Pixels;
    LinePixels(A, B, Pixels);
    const std::vector<int> Pattern = StylePattern(DC->PenStyle);
    if (Pattern.empty()) {
        Painter.setPen(QPen(RopColor(DC->Rop2, DC->PenColor), 0));
        Painter.drawPoints(Pixels.data(), int(Pixels.size()));
        return;
    }
    std::vector<QPoint> On, Off;
    std::size_t Run = 0;
    int Left = Pattern[0];
    for (const QPoint& Pixel : Pixels) {
        (Run % 2 == 0 ? On : Off).push_back(Pixel);
        if (--Left == 0) {
            Run = (Run + 1) % Pattern.size();
            Left = Pattern[Run];
        }
    }
    Painter.setPen(QPen(RopColor(DC->Rop2, DC->PenColor), 0));
    Painter.drawPoints(On.data(), int(On.size()));
    if (!DC->BkTransparent) {
        Painter.setPen(QPen(RgbColor(DC->BkColor), 0));
        Painter.drawPoints(Off.data(), int(Off.size()));
    }
}

TTextLine::TTextLine() = default;
TTextLine::TTextLine(TTextLine&&) noexcept = default;
TTextLine& TTextLine::operator=(TTextLine&&) noexcept = default;
TTextLine::~TTextLine() = default;

TTextLine::TTextLine(const QString& Text, const QFont& Font, Qt::LayoutDirection Direction, bool TabsAsBlanks)
    : FText(Text)
{
    if (Text.isEmpty()) return;
    const bool Blanks = TabsAsBlanks && Text.contains(u'\t');
    QString Laid = Text;
    if (Blanks) Laid.replace(u'\t', u' ');
    // A layout ends its line at a line separator; a line of text runs on
    // over it as over a line feed.
    Laid.replace(QChar::LineSeparator, u'\n');
    FLayout = std::make_unique<QTextLayout>(Laid, Font);
    QTextOption Option(Qt::AlignLeft | Qt::AlignAbsolute);
    Option.setWrapMode(QTextOption::NoWrap);
    Option.setTextDirection(Direction);
    FLayout->setTextOption(Option);
    // Without the cache the layout drops its glyphs once laid out and
    // shapes the text again to draw it.
    FLayout->setCacheEnabled(true);
    FLayout->beginLayout();
    const QTextLine Line = FLayout->createLine();
    FLayout->endLayout();
    const bool OwnOrder =
        Direction == Qt::LayoutDirectionAuto || (Direction == Qt::RightToLeft) == Text.isRightToLeft();
    FWidth = Blanks || !OwnOrder ? QFontMetrics(Font).horizontalAdvance(Text) : qRound(Line.horizontalAdvance());
}

qreal TTextLine::CursorX(qsizetype Position) const
{
    return FLayout ? FLayout->lineAt(0).cursorToX(int(Position)) : 0;
}

qreal TTextLine::Ascent() const
{
    return FLayout ? FLayout->lineAt(0).ascent() : 0;
}

void TTextLine::Draw(QPainter& Painter, QPointF TopLeft) const
{
    if (FLayout) FLayout->draw(&Painter, TopLeft);
}

int DrawTextRun(HDC DC, QPoint TopLeft, const QString& Text, const QRect* Clip, const int* Dx)
{
    if (!DC || Text.isEmpty()) return 0;
    const QFontMetrics M(DC->Font);
    // Qt draws the underline and strike-out of a laid-out line otherwise
    // than those of a run of text: such text is drawn as a run.
    const bool Run = Dx || DC->Font.underline() || DC->Font.strikeOut();
    TTextLine Line;
    int Width = 0;
    if (Dx) {
        for (qsizetype I = 0; I < Text.size(); ++I)
            Width += Dx[I];
    } else if (Run) {
        Width = M.horizontalAdvance(Text);
    } else {
        Line = TTextLine(Text, DC->Font);
        Width = Line.Width();
    }
    const QRect Cell(0, 0, Width, M.height());
    if (Cell.isEmpty()) return Width;
    // The escapement turns the text counter-clockwise about the cell's
    // top-left corner (900: the text runs upwards from TopLeft).
    QTransform Turn;
    Turn.translate(TopLeft.x(), TopLeft.y());
    Turn.rotate(-DC->FontEscapement / 10.0);
    QRect Bounds = Turn.mapRect(Cell).adjusted(-1, -1, 1, 1);
    if (Clip) Bounds &= *Clip;
    if (Bounds.isEmpty()) return Width;
    TDCPainter P(DC, Bounds, Clip);
    if (!P.Active()) return Width;
    QPainter& Painter = P.Painter();
    Painter.setTransform(Turn, true);
    if (!DC->BkTransparent) Painter.fillRect(Cell, RgbColor(DC->BkColor));
    Painter.setPen(RgbColor(DC->TextColor));
    if (!Run) {
        // The baseline sits at the font's ascent, whatever fonts stand in for some characters.
        Line.Draw(Painter, QPointF(0, M.ascent() - Line.Ascent()));
        return Width;
    }
    Painter.setFont(DC->Font);
    if (!Dx) {
        Painter.drawText(QPoint(0, M.ascent()), Text);
        return Width;
    }
    int X = 0;
    for (qsizetype I = 0; I < Text.size(); ++I) {
        Painter.drawText(QPoint(X, M.ascent()), Text.mid(I, 1));
        X += Dx[I];
    }
    return Width;
}

bool DrawTextOut(HDC DC, QPoint TopLeft, UINT Options, const TRect* Rect, const QString& Text, const int* Dx)
{
    if (!DC) return false;
    if ((Options & ETO_OPAQUE) && Rect && !IsRectEmpty(*Rect)) {
        const QRect R = ToQRect(*Rect);
        TDCPainter P(DC, R);
        if (P.Active()) P.Painter().fillRect(R, RgbColor(DC->BkColor));
    }
    QRect Clip;
    if ((Options & ETO_CLIPPED) && Rect) Clip = ToQRect(*Rect);
    DrawTextRun(DC, TopLeft, Text, (Options & ETO_CLIPPED) && Rect ? &Clip : nullptr, Dx);
    return true;
}

HDC CreateDC(std::shared_ptr<TDrawTarget> Target, QPoint Origin, std::optional<QRegion> Clip)
{
    HDC DC = new HDC__;
    DC->Target = std::move(Target);
    DC->Origin = Origin;
    DC->Clip = std::move(Clip);
    TFont DefaultFont;
    DC->Font = ToQFont(&DefaultFont);
    DC->TextColor = ColorToRGB(clWindowText);
    return DC;
}

void DeleteDC(HDC DC)
{
    delete DC;
}

} // namespace platform::detail
