// The read-only memo's view: its layouts, scroll bars and painting.
#include "platform/controls/MemoView.h"
#include "platform/rtl/QtStrings.h"

#include <QClipboard>
#include <QFontMetricsF>
#include <QGuiApplication>
#include <QPaintEvent>
#include <QPainter>
#include <QScrollBar>

#include <algorithm>
#include <cmath>

namespace platform::detail {

namespace {

// Layouts kept at most, and how far around the view they are kept then.
constexpr std::size_t MostLayouts = 2048;
constexpr int KeptAround = 512;
constexpr qreal TabStop = 80; // a text layout's default

} // namespace

TMemoView::TMemoView(QWidget* Parent, TMemoLines* Lines, TMemoSelection* Selection)
    : QAbstractScrollArea(Parent), FLines(Lines), FSelection(Selection)
{
    setFrameShape(QFrame::NoFrame);
    setFocusPolicy(Qt::StrongFocus);
    viewport()->setCursor(Qt::IBeamCursor);
    viewport()->setBackgroundRole(QPalette::Base);
    viewport()->setAutoFillBackground(true);
    verticalScrollBar()->setSingleStep(1);
}

TMemoView::~TMemoView() = default;

void TMemoView::Detach()
{
    FLines = nullptr;
    FSelection = nullptr;
    FLayouts.clear();
    FAutoScroll.stop();
    FDragging = false;
    FPressedOnSelection = false;
    viewport()->update();
}

void TMemoView::SetWordWrap(bool Value)
{
    if (Value == FWrap) return;
    FWrap = Value;
    ForgetLayouts();
    UpdateScrollBars();
    viewport()->update();
}

void TMemoView::SetAlignment(Qt::Alignment Value)
{
    if (Value == FAlignment) return;
    FAlignment = Value;
    ForgetLayouts();
    viewport()->update();
}

void TMemoView::TextChanged(int First, bool Appended)
{
    if (Appended) {
        FMeasured = std::min(FMeasured, First);
    } else {
        FMeasured = 0;
        FWidest = 0;
    }
    ForgetLayouts(First);
    UpdateScrollBars();
    viewport()->update();
    FBlocksFrom = -1; // the program moved the selection
    FPressedOnSelection = false;
}

void TMemoView::SelectionChanged(bool Follow)
{
    FBlocksFrom = -1; // the program's selection grows by characters
    FPressedOnSelection = false;
    if (Follow) ShowCaret();
    viewport()->update();
}

void TMemoView::SetTextRect(const TRect& Rect)
{
    FMargin = 0;
    ForgetLayouts();
    setViewportMargins(TextRectMargins(rect(), Rect));
    UpdateScrollBars();
    viewport()->update();
}

void TMemoView::SetTextMargins(int Left, int Right)
{
    setViewportMargins(WithTextMargins(viewportMargins(), Left, Right));
}

void TMemoView::CopySelection()
{
    if (!FLines || FSelection->Anchor == FSelection->Caret) return;
    QGuiApplication::clipboard()->setMimeData(SelectedData());
}

QMimeData* TMemoView::SelectedData() const
{
    const auto [From, To] = std::minmax(FSelection->Anchor, FSelection->Caret);
    return SelectionMimeData(ToQString(FLines->Text(From, To)));
}

// ---- Layout -------------------------------------------------------------------------------------

int TMemoView::Top() const
{
    return FLines ? std::clamp(verticalScrollBar()->value(), 0, FLines->BlockCount() - 1) : 0;
}

qreal TMemoView::LineHeight()
{
    // A line's height as a layout gives it, so that unwrapped lines stand
    // exactly where an editor's would.
    if (FLineHeight <= 0) {
        QTextLayout Empty(QString(), font());
        Empty.beginLayout();
        QTextLine Line = Empty.createLine();
        Line.setLeadingIncluded(true);
        Empty.endLayout();
        FLineHeight = Line.height();
    }
    return FLineHeight;
}

QTextLayout& TMemoView::LayoutOf(int Block)
{
    const int Width = std::max(1, int(viewport()->width() - 2 * FMargin));
    if (Width != FLayoutWidth) {
        FLayouts.clear();
        FLayoutWidth = Width;
    }
    if (const auto Found = FLayouts.find(Block); Found != FLayouts.end()) return *Found->second;
    // Too many kept: those far from the view go.
    if (FLayouts.size() >= MostLayouts) KeepLayoutsNear(Top(), Top() + verticalScrollBar()->pageStep());
    std::unique_ptr<QTextLayout>& Layout = FLayouts[Block];
    ++FLaidOut;
    Layout = std::make_unique<QTextLayout>(ToQString(FLines->Block(Block)), font());
    QTextOption Option(FAlignment);
    Option.setWrapMode(FWrap ? QTextOption::WrapAtWordBoundaryOrAnywhere : QTextOption::NoWrap);
    Layout->setTextOption(Option);
    Layout->setCacheEnabled(true);
    Layout->beginLayout();
    qreal Y = 0;
    for (QTextLine Line = Layout->createLine(); Line.isValid(); Line = Layout->createLine()) {
        Line.setLeadingIncluded(true);
        Line.setLineWidth(Width);
        Line.setPosition(QPointF(0, Y));
        Y += Line.height();
    }
    Layout->endLayout();
    return *Layout;
}

qreal TMemoView::HeightOf(int Block)
{
    // Unwrapped, every line is one line high: nothing to lay out.
    return FWrap ? LayoutOf(Block).boundingRect().height() : LineHeight();
}

void TMemoView::ForgetLayouts(int First)
{
    if (First <= 0) {
        FLayouts.clear();
        return;
    }
    std::erase_if(FLayouts, [First](const auto& Entry) { return Entry.first >= First; });
}

void TMemoView::KeepLayoutsNear(int Top, int Bottom)
{
    if (FLayouts.size() < MostLayouts / 2) return;
    std::erase_if(FLayouts, [=](const auto& Entry) {
        return Entry.first < Top - KeptAround || Entry.first > Bottom + KeptAround;
    });
}

int TMemoView::TopShowingBottomOf(int Block)
{
    const qreal Height = viewport()->height();
    qreal Sum = HeightOf(Block);
    int Top = Block;
    while (Top > 0) {
        const qreal Next = Sum + HeightOf(Top - 1) + (Top - 1 == 0 ? TopMargin() : 0);
        if (Next > Height) break;
        Sum = Next;
        --Top;
    }
    return Top;
}

int TMemoView::WidestLine()
{
    if (FAdvances.empty()) {
        const QFontMetricsF Metrics(font());
        FAdvances.resize(0x10000, -1);
        for (char16_t C = 0; C < 0x80; ++C)
            FAdvances[C] = float(Metrics.horizontalAdvance(QChar(C)));
    }
    for (; FMeasured < FLines->BlockCount(); ++FMeasured) {
        float X = 0;
        for (const char16_t C : FLines->Block(FMeasured)) {
            if (C == u'\t') {
                X = float((std::floor(X / TabStop) + 1) * TabStop);
                continue;
            }
            float& Advance = FAdvances[C];
            if (Advance < 0) Advance = float(QFontMetricsF(font()).horizontalAdvance(QChar(C)));
            X += Advance;
        }
        FWidest = std::max(FWidest, int(std::ceil(X)));
    }
    return FWidest;
}

void TMemoView::UpdateScrollBars()
{
    QScrollBar* Vertical = verticalScrollBar();
    QScrollBar* Horizontal = horizontalScrollBar();
    if (!FLines) {
        Vertical->setRange(0, 0);
        Horizontal->setRange(0, 0);
        return;
    }
    const int Width = viewport()->width();
    Vertical->setPageStep(std::max(1, int(viewport()->height() / LineHeight())));
    Vertical->setRange(0, TopShowingBottomOf(FLines->BlockCount() - 1));
    Horizontal->setPageStep(Width);
    Horizontal->setSingleStep(std::max(1, fontMetrics().averageCharWidth()));
    Horizontal->setRange(0, FWrap ? 0 : std::max(0, WidestLine() + int(2 * FMargin) + 1 - Width));
}

// ---- Painting -----------------------------------------------------------------------------------

void TMemoView::paintEvent(QPaintEvent* Event)
{
    if (!FLines) return;
    QPainter Painter(viewport());
    const QRect Clip = Event->rect();
    const qreal Height = viewport()->height();
    const int Top = this->Top();
    const QPointF Origin(FMargin - horizontalScrollBar()->value(), Top == 0 ? TopMargin() : 0);
    const auto [SelStart, SelEnd] = std::minmax(FSelection->Anchor, FSelection->Caret);
    // As a read-only editor draws its selection: the focus's colours, and
    // a line's break as a little space when the selection takes it.
    const QPalette::ColorGroup Group = hasFocus() ? QPalette::Active : QPalette::Inactive;
    QTextCharFormat Selected;
    Selected.setBackground(palette().brush(Group, QPalette::Highlight));
    Selected.setForeground(palette().brush(Group, QPalette::HighlightedText));
    Painter.setPen(palette().color(QPalette::Text));
    qreal Y = Origin.y();
    int Block = Top;
    for (; Block < FLines->BlockCount() && Y < Height; ++Block) {
        const qreal H = HeightOf(Block);
        if (Y + H >= Clip.top() && Y <= Clip.bottom()) {
            QList<QTextLayout::FormatRange> Ranges;
            const int Start = FLines->BlockPosition(Block);
            const int Length = FLines->BlockLength(Block);
            if (SelEnd > SelStart && SelStart - Start < Length + 1 && SelEnd > Start) {
                QTextLayout::FormatRange Range;
                Range.start = std::max(SelStart - Start, 0);
                Range.length = std::min(SelEnd - Start, Length + 1) - Range.start;
                Range.format = Selected;
                Ranges.append(Range);
            }
            LayoutOf(Block).draw(&Painter, QPointF(Origin.x(), Y), Ranges, Clip);
        }
        Y += H;
    }
    KeepLayoutsNear(Top, Block);
}

bool TMemoView::event(QEvent* Event)
{
    switch (Event->type()) {
    case QEvent::FontChange:
        FLineHeight = 0;
        FAdvances.clear();
        FMeasured = 0;
        FWidest = 0;
        ForgetLayouts();
        UpdateScrollBars();
        break;
    case QEvent::PaletteChange:
    case QEvent::EnabledChange:
        viewport()->update();
        break;
    default:
        break;
    }
    return QAbstractScrollArea::event(Event);
}

void TMemoView::resizeEvent(QResizeEvent* Event)
{
    QAbstractScrollArea::resizeEvent(Event);
    UpdateScrollBars();
}

void TMemoView::scrollContentsBy(int, int)
{
    viewport()->update();
}

void TMemoView::focusInEvent(QFocusEvent* Event)
{
    QAbstractScrollArea::focusInEvent(Event);
    viewport()->update();
}

void TMemoView::focusOutEvent(QFocusEvent* Event)
{
    QAbstractScrollArea::focusOutEvent(Event);
    viewport()->update();
}

} // namespace platform::detail
