#include "platform/controls/MemoView.h"
#include "platform/qt/Bridge.h"
#include "platform/rtl/QtStrings.h"
#include "platform/win/WinUser.h"

#include <QClipboard>
#include <QFontMetricsF>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QScrollBar>
#include <QTextBoundaryFinder>
#include <QWheelEvent>

#include <algorithm>
#include <cmath>

namespace platform::detail {

namespace {

// Layouts kept at most, and how far around the view they are kept then.
constexpr std::size_t MostLayouts = 2048;
constexpr int KeptAround = 512;
constexpr qreal TabStop = 80; // a text layout's default
constexpr int AutoScrollMs = 50;

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
}

void TMemoView::SelectionChanged(bool Follow)
{
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
    if (!FLines) return;
    const auto [From, To] = std::minmax(FSelection->Anchor, FSelection->Caret);
    if (From == To) return;
    QGuiApplication::clipboard()->setMimeData(SelectionMimeData(ToQString(FLines->Text(From, To))));
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

// ---- Where things are ---------------------------------------------------------------------------

int TMemoView::PositionAt(QPoint Point)
{
    if (!FLines) return 0;
    const int Last = FLines->BlockCount() - 1;
    const int Y = std::clamp(Point.y(), -1, viewport()->height() + 1);
    int Block = Top();
    qreal BlockY = Block == 0 ? TopMargin() : 0;
    for (qreal H = HeightOf(Block); Block < Last && Y >= BlockY + H; H = HeightOf(Block)) {
        BlockY += H;
        ++Block;
    }
    const QTextLayout& Layout = LayoutOf(Block);
    int Line = 0;
    while (Line + 1 < Layout.lineCount() && Y - BlockY >= Layout.lineAt(Line + 1).y())
        ++Line;
    const qreal X = Point.x() - FMargin + horizontalScrollBar()->value();
    return FLines->BlockPosition(Block) + Layout.lineAt(Line).xToCursor(X);
}

int TMemoView::LineOfCaret(int Block, int Offset, qreal& X)
{
    const QTextLayout& Layout = LayoutOf(Block);
    QTextLine Line = Layout.lineForTextPosition(Offset);
    if (!Line.isValid()) Line = Layout.lineAt(Layout.lineCount() - 1);
    X = Line.cursorToX(Offset);
    return Line.lineNumber();
}

int TMemoView::MoveByLines(int Pos, int Lines)
{
    int Block = FLines->BlockAt(Pos);
    qreal X = 0;
    int Line = LineOfCaret(Block, Pos - FLines->BlockPosition(Block), X);
    for (; Lines < 0; ++Lines) {
        if (Line > 0) {
            --Line;
        } else if (Block > 0) {
            --Block;
            Line = LayoutOf(Block).lineCount() - 1;
        } else {
            break;
        }
    }
    for (; Lines > 0; --Lines) {
        if (Line + 1 < LayoutOf(Block).lineCount()) {
            ++Line;
        } else if (Block + 1 < FLines->BlockCount()) {
            ++Block;
            Line = 0;
        } else {
            break;
        }
    }
    return FLines->BlockPosition(Block) + LayoutOf(Block).lineAt(Line).xToCursor(X);
}

void TMemoView::ExtendTo(int Pos)
{
    FSelection->Caret = std::clamp(Pos, 0, FLines->Length());
    viewport()->update();
}

void TMemoView::ShowCaret()
{
    if (!FLines) return;
    const int Block = FLines->BlockAt(FSelection->Caret);
    const int Top = this->Top();
    int NewTop = Top;
    if (Block < Top) {
        NewTop = Block;
    } else if (Block > Top) {
        // Each line is at least a line high: far below the top none can show.
        bool Shows = false;
        if (Block - Top <= verticalScrollBar()->pageStep() + 1) {
            qreal Y = Top == 0 ? TopMargin() : 0;
            for (int B = Top; B <= Block; ++B)
                Y += HeightOf(B);
            Shows = Y <= viewport()->height();
        }
        if (!Shows) NewTop = TopShowingBottomOf(Block);
    }
    verticalScrollBar()->setValue(NewTop);
    if (FWrap) return;
    qreal X = 0;
    LineOfCaret(Block, FSelection->Caret - FLines->BlockPosition(Block), X);
    QScrollBar* Horizontal = horizontalScrollBar();
    const int Left = int(X + FMargin);
    const int Width = viewport()->width();
    if (Left < Horizontal->value() + int(FMargin))
        Horizontal->setValue(Left - int(FMargin));
    else if (Left >= Horizontal->value() + Width)
        Horizontal->setValue(Left - Width + 1 + int(FMargin));
}

// ---- Input --------------------------------------------------------------------------------------

void TMemoView::keyPressEvent(QKeyEvent* Event)
{
    if (!FLines) {
        QAbstractScrollArea::keyPressEvent(Event);
        return;
    }
    if (Event->matches(QKeySequence::SelectAll)) {
        FSelection->Anchor = 0;
        ExtendTo(FLines->Length());
        return;
    }
    const Qt::KeyboardModifiers Mods = Event->modifiers() & (Qt::ShiftModifier | Qt::ControlModifier | Qt::AltModifier);
    const bool Ctrl = Mods & Qt::ControlModifier;
    QScrollBar* Vertical = verticalScrollBar();
    if (Mods & Qt::ShiftModifier && Event->key() != Qt::Key_Space && !(Mods & Qt::AltModifier)) {
        // The moving keys with Shift move the selection's end, and the view follows it.
        const int Caret = FSelection->Caret;
        const int Block = FLines->BlockAt(Caret);
        const int Offset = Caret - FLines->BlockPosition(Block);
        const int Page = Vertical->pageStep();
        qreal X = 0;
        int Pos = Caret;
        switch (Event->key()) {
        case Qt::Key_Left:
            Pos =
                Offset > 0 ? FLines->BlockPosition(Block) + LayoutOf(Block).previousCursorPosition(Offset) : Caret - 1;
            break;
        case Qt::Key_Right:
            Pos = Offset < FLines->BlockLength(Block)
                      ? FLines->BlockPosition(Block) + LayoutOf(Block).nextCursorPosition(Offset)
                      : Caret + 1;
            break;
        case Qt::Key_Up:
            Pos = MoveByLines(Caret, -1);
            break;
        case Qt::Key_Down:
            Pos = MoveByLines(Caret, 1);
            break;
        case Qt::Key_PageUp:
            Pos = MoveByLines(Caret, -Page);
            break;
        case Qt::Key_PageDown:
            Pos = MoveByLines(Caret, Page);
            break;
        case Qt::Key_Home:
        case Qt::Key_End: {
            const bool Home = Event->key() == Qt::Key_Home;
            if (Ctrl) {
                Pos = Home ? 0 : FLines->Length();
                break;
            }
            const QTextLine Line = LayoutOf(Block).lineAt(LineOfCaret(Block, Offset, X));
            const bool LastLine = Line.lineNumber() + 1 == LayoutOf(Block).lineCount();
            Pos = FLines->BlockPosition(Block) + Line.textStart() +
                  (Home ? 0 : Line.textLength() - (LastLine || Line.textLength() == 0 ? 0 : 1));
            break;
        }
        default:
            Event->ignore();
            return;
        }
        ExtendTo(Pos);
        ShowCaret();
        return;
    }
    // Without Shift they scroll, as in a read-only editor.
    using A = QAbstractSlider;
    static constexpr struct {
        int Key;
        bool Across;
        A::SliderAction Action;
    } Scrolls[] = {
        {Qt::Key_Up, false, A::SliderSingleStepSub},   {Qt::Key_Down, false, A::SliderSingleStepAdd},
        {Qt::Key_Left, true, A::SliderSingleStepSub},  {Qt::Key_Right, true, A::SliderSingleStepAdd},
        {Qt::Key_PageUp, false, A::SliderPageStepSub}, {Qt::Key_PageDown, false, A::SliderPageStepAdd},
        {Qt::Key_Home, false, A::SliderToMinimum},     {Qt::Key_End, false, A::SliderToMaximum},
    };
    if (Event->key() == Qt::Key_Space) {
        Vertical->triggerAction(Mods & Qt::ShiftModifier ? A::SliderPageStepSub : A::SliderPageStepAdd);
        Event->accept();
        return;
    }
    const auto Scroll =
        std::find_if(std::begin(Scrolls), std::end(Scrolls), [&](const auto& S) { return S.Key == Event->key(); });
    if (Scroll == std::end(Scrolls)) {
        Event->ignore();
        return;
    }
    (Scroll->Across ? horizontalScrollBar() : Vertical)->triggerAction(Scroll->Action);
    Event->accept();
}

void TMemoView::mousePressEvent(QMouseEvent* Event)
{
    if (!FLines || Event->button() != Qt::LeftButton) {
        QAbstractScrollArea::mousePressEvent(Event);
        return;
    }
    const int Pos = PositionAt(Event->position().toPoint());
    if (!(Event->modifiers() & Qt::ShiftModifier)) FSelection->Anchor = Pos;
    ExtendTo(Pos);
    FDragging = true;
    FDragPoint = Event->position().toPoint();
    // As a native edit does: its window holds the mouse while the button is
    // down, so that a drag past its edges still reaches it.
    if (const HWND Wnd = WindowAbove(this)) SetCapture(Wnd);
}

void TMemoView::mouseMoveEvent(QMouseEvent* Event)
{
    if (!FLines || !FDragging || !(Event->buttons() & Qt::LeftButton)) {
        Event->accept();
        return;
    }
    FDragPoint = Event->position().toPoint();
    ExtendTo(PositionAt(FDragPoint));
    if (viewport()->rect().contains(FDragPoint))
        FAutoScroll.stop();
    else if (!FAutoScroll.isActive())
        FAutoScroll.start(AutoScrollMs, this);
}

void TMemoView::mouseReleaseEvent(QMouseEvent* Event)
{
    if (Event->button() == Qt::LeftButton && FDragging) {
        FDragging = false;
        FAutoScroll.stop();
        if (const HWND Wnd = WindowAbove(this); Wnd && GetCapture() == Wnd) ReleaseCapture();
    }
    QAbstractScrollArea::mouseReleaseEvent(Event);
}

void TMemoView::mouseDoubleClickEvent(QMouseEvent* Event)
{
    if (!FLines || Event->button() != Qt::LeftButton) {
        QAbstractScrollArea::mouseDoubleClickEvent(Event);
        return;
    }
    const int Pos = PositionAt(Event->position().toPoint());
    const int Block = FLines->BlockAt(Pos);
    const QString Text = ToQString(FLines->Block(Block));
    if (Text.isEmpty()) return;
    const int Offset = std::min<int>(Pos - FLines->BlockPosition(Block), int(Text.size()) - 1);
    QTextBoundaryFinder Words(QTextBoundaryFinder::Word, Text);
    Words.setPosition(Offset + 1);
    const qsizetype Start = Words.toPreviousBoundary();
    Words.setPosition(Offset);
    const qsizetype End = Words.toNextBoundary();
    FSelection->Anchor = FLines->BlockPosition(Block) + int(std::max<qsizetype>(Start, 0));
    ExtendTo(FLines->BlockPosition(Block) + int(End < 0 ? Text.size() : End));
}

void TMemoView::wheelEvent(QWheelEvent* Event)
{
    // A read-only editor zooms with Ctrl; a font sized in pixels, as every
    // control's is, does not zoom, so the wheel then does nothing.
    if (Event->modifiers() & Qt::ControlModifier) {
        Event->accept();
        return;
    }
    QAbstractScrollArea::wheelEvent(Event);
}

void TMemoView::timerEvent(QTimerEvent* Event)
{
    if (Event->timerId() != FAutoScroll.timerId()) {
        QAbstractScrollArea::timerEvent(Event);
        return;
    }
    if (!FLines || !FDragging) {
        FAutoScroll.stop();
        return;
    }
    const QRect Area = viewport()->rect();
    if (FDragPoint.y() < Area.top())
        verticalScrollBar()->triggerAction(QAbstractSlider::SliderSingleStepSub);
    else if (FDragPoint.y() > Area.bottom())
        verticalScrollBar()->triggerAction(QAbstractSlider::SliderSingleStepAdd);
    if (FDragPoint.x() < Area.left())
        horizontalScrollBar()->triggerAction(QAbstractSlider::SliderSingleStepSub);
    else if (FDragPoint.x() > Area.right())
        horizontalScrollBar()->triggerAction(QAbstractSlider::SliderSingleStepAdd);
    ExtendTo(PositionAt(FDragPoint));
}

} // namespace platform::detail
