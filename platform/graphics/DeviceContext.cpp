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

namespace {

// A one-pixel line from A to B without B, stepped as GDI steps it: the
// major axis moves every step and the minor one by the midpoint rule, so
// the pixel of any step is known without walking to it. A line may be
// billions of pixels long; only the steps inside a box are ever listed.
class TLineSteps {
public:
    TLineSteps(QPoint A, QPoint B) : FA(A)
    {
        const qint64 DX = qint64(B.x()) - A.x(), DY = qint64(B.y()) - A.y();
        FXMajor = std::abs(DX) >= std::abs(DY);
        FMajor = std::max(std::abs(DX), std::abs(DY));
        FMinor = std::min(std::abs(DX), std::abs(DY));
        FSX = DX < 0 ? -1 : 1;
        FSY = DY < 0 ? -1 : 1;
    }
    qint64 Count() const { return FMajor; }
    // The pixel after Step steps (0 <= Step < Count).
    QPoint At(qint64 Step) const
    {
        const qint64 Across = MinorSteps(Step);
        const qint64 X = FA.x() + FSX * (FXMajor ? Step : Across);
        const qint64 Y = FA.y() + FSY * (FXMajor ? Across : Step);
        return QPoint(int(X), int(Y));
    }
    // The steps [First, Last) whose pixels lie in Box; false when none do.
    bool Within(const QRect& Box, qint64& First, qint64& Last) const
    {
        if (FMajor == 0 || Box.isEmpty()) return false;
        const int MajorA = FXMajor ? FA.x() : FA.y(), MinorA = FXMajor ? FA.y() : FA.x();
        const int MajorStep = FXMajor ? FSX : FSY, MinorStep = FXMajor ? FSY : FSX;
        const qint64 MajorLo = FXMajor ? Box.left() : Box.top(), MajorHi = FXMajor ? Box.right() : Box.bottom();
        const qint64 MinorLo = FXMajor ? Box.top() : Box.left(), MinorHi = FXMajor ? Box.bottom() : Box.right();
        // Along the major axis the box is a range of steps.
        qint64 Lo = MajorStep > 0 ? MajorLo - MajorA : MajorA - MajorHi;
        qint64 Hi = MajorStep > 0 ? MajorHi - MajorA : MajorA - MajorLo;
        Lo = std::max<qint64>(Lo, 0);
        Hi = std::min<qint64>(Hi, FMajor - 1);
        if (Lo > Hi) return false;
        // Along the minor axis the pixels move one way only: the steps that
        // reached the box and have not yet left it are one range as well.
        const auto Minor = [&](qint64 Step) { return MinorA + MinorStep * MinorSteps(Step); };
        const auto Reached = [&](qint64 Step) {
            return MinorStep > 0 ? Minor(Step) >= MinorLo : Minor(Step) <= MinorHi;
        };
        const auto Left = [&](qint64 Step) { return MinorStep > 0 ? Minor(Step) > MinorHi : Minor(Step) < MinorLo; };
        First = FirstWhere(Lo, Hi + 1, Reached);
        Last = FirstWhere(First, Hi + 1, Left);
        return First < Last;
    }

private:
    // Steps taken along the minor axis in the first Step steps.
    qint64 MinorSteps(qint64 Step) const
    {
        if (FMinor == 0) return 0;
        using Wide = unsigned __int128;
        return qint64((Wide(2) * Wide(Step) * Wide(FMinor) + Wide(FMajor)) / (Wide(2) * Wide(FMajor)));
    }
    // The first step in [Lo, Hi) where a predicate that turns true once and
    // stays true holds; Hi when it never does.
    template <typename P> static qint64 FirstWhere(qint64 Lo, qint64 Hi, const P& Holds)
    {
        while (Lo < Hi) {
            const qint64 Mid = Lo + (Hi - Lo) / 2;
            if (Holds(Mid))
                Hi = Mid;
            else
                Lo = Mid + 1;
        }
        return Lo;
    }

    QPoint FA;
    bool FXMajor = true;
    qint64 FMajor = 0, FMinor = 0;
    int FSX = 1, FSY = 1;
};

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

// The part of the segment A-B inside Box, as Liang and Barsky cut it; false
// when the segment misses the box.
bool CutToBox(QPointF& A, QPointF& B, const QRectF& Box)
{
    double T0 = 0, T1 = 1;
    const double DX = B.x() - A.x(), DY = B.y() - A.y();
    const double P[4] = {-DX, DX, -DY, DY};
    const double Q[4] = {A.x() - Box.left(), Box.right() - A.x(), A.y() - Box.top(), Box.bottom() - A.y()};
    for (int I = 0; I < 4; ++I) {
        if (P[I] == 0) {
            if (Q[I] < 0) return false;
            continue;
        }
        const double T = Q[I] / P[I];
        if (P[I] < 0)
            T0 = std::max(T0, T);
        else
            T1 = std::min(T1, T);
        if (T0 > T1) return false;
    }
    const QPointF From = A;
    A = From + QPointF(DX * T0, DY * T0);
    B = From + QPointF(DX * T1, DY * T1);
    return true;
}

// A wide pen's line: Qt strokes it; a line reaching far outside the drawable
// box is first cut to the box grown by the pen, which its caps never reach.
void DrawWideLine(HDC DC, QPoint A, QPoint B, const QRect& Box, int W)
{
    const QRect Grown = Box.adjusted(-2 * W, -2 * W, 2 * W, 2 * W);
    QPointF From(A), To(B);
    if (!(Grown.contains(A) && Grown.contains(B)) && !CutToBox(From, To, QRectF(Grown))) return;
    TDCPainter P(DC, QRectF(From, To).normalized().toAlignedRect().adjusted(-W, -W, W, W));
    QPainter::CompositionMode Mode;
    if (!P.Active() || !CompositionFor(DC->Rop2, Mode)) return;
    QPainter& Painter = P.Painter();
    Painter.setCompositionMode(Mode);
    Painter.setPen(QPen(RopColor(DC->Rop2, DC->PenColor), W, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    if (From == QPointF(A) && To == QPointF(B))
        Painter.drawLine(A, B);
    else
        Painter.drawLine(From, To);
}

} // namespace

void DrawLine(HDC DC, QPoint A, QPoint B)
{
    if (!DC || DC->PenStyle == psClear || A == B) return;
    const QRegion Drawable = DrawableRegion(*DC);
    if (Drawable.isEmpty()) return;
    const QRect Box = Drawable.boundingRect().translated(-DC->Origin);
    const int W = std::max(DC->PenWidth, 1);
    if (W > 1) {
        DrawWideLine(DC, A, B, Box, W);
        return;
    }
    const TLineSteps Line(A, B);
    qint64 First = 0, Last = 0;
    if (!Line.Within(Box, First, Last)) return;
    TDCPainter P(DC, QRect(Line.At(First), Line.At(Last - 1)).normalized().adjusted(-1, -1, 1, 1));
    QPainter::CompositionMode Mode;
    if (!P.Active() || !CompositionFor(DC->Rop2, Mode)) return;
    QPainter& Painter = P.Painter();
    Painter.setCompositionMode(Mode);
    std::vector<QPoint> On, Off;
    On.reserve(std::size_t(Last - First));
    const std::vector<int> Pattern = StylePattern(DC->PenStyle);
    if (Pattern.empty()) {
        for (qint64 Step = First; Step < Last; ++Step)
            On.push_back(Line.At(Step));
    } else {
        // The dash phase of the whole line at its first step in the box.
        qint64 Period = 0;
        for (const int Run : Pattern)
            Period += Run;
        qint64 Phase = First % Period;
        std::size_t Run = 0;
        while (Phase >= Pattern[Run])
            Phase -= Pattern[Run++];
        qint64 Left = Pattern[Run] - Phase;
        for (qint64 Step = First; Step < Last; ++Step) {
            (Run % 2 == 0 ? On : Off).push_back(Line.At(Step));
            if (--Left == 0) {
                Run = (Run + 1) % Pattern.size();
                Left = Pattern[Run];
            }
        }
    }
    Painter.setPen(QPen(RopColor(DC->Rop2, DC->PenColor), 0));
    Painter.drawPoints(On.data(), int(On.size()));
    if (!Off.empty() && !DC->BkTransparent) {
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
