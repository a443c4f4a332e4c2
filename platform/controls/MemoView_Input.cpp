// The read-only memo's view: where things are, and the user's keys and mouse.
#include "platform/controls/MemoView.h"
#include "platform/qt/Bridge.h"
#include "platform/rtl/QtStrings.h"
#include "platform/win/WinUser.h"

#include <QGuiApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QScrollBar>
#include <QStyleHints>
#include <QTextBoundaryFinder>
#include <QWheelEvent>

#include <algorithm>

namespace platform::detail {

namespace {

constexpr int AutoScrollMs = 50;

} // namespace

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

bool TMemoView::OnSelection(QPoint Point)
{
    const auto [From, To] = std::minmax(FSelection->Anchor, FSelection->Caret);
    if (From == To) return false;
    const int Pos = PositionAt(Point);
    return Pos >= From && Pos <= To;
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
    FBlocksFrom = -1;
    FSelection->Caret = std::clamp(Pos, 0, FLines->Length());
    viewport()->update();
}

void TMemoView::SelectTo(int Pos)
{
    if (FBlocksFrom < 0) {
        ExtendTo(Pos);
        return;
    }
    // The triple-clicked block stays selected; past it, the selection takes
    // the whole block Pos is in.
    const int Block = FLines->BlockAt(std::clamp(Pos, 0, FLines->Length()));
    if (Pos < FBlocksFrom) {
        FSelection->Anchor = FBlocksTo;
        FSelection->Caret = FLines->BlockPosition(Block);
    } else {
        FSelection->Anchor = FBlocksFrom;
        FSelection->Caret = Pos <= FBlocksTo ? FBlocksTo : FLines->BlockEnd(Block);
    }
    viewport()->update();
}

bool TMemoView::IsTripleClick(const QMouseEvent* Event) const
{
    const QStyleHints* Hints = QGuiApplication::styleHints();
    return FDoubleClicked.isValid() && !FDoubleClicked.hasExpired(Hints->mouseDoubleClickInterval()) &&
           (Event->position().toPoint() - FDoubleClickPoint).manhattanLength() < Hints->startDragDistance();
}

void TMemoView::DragSelection()
{
    FPressedOnSelection = false;
    if (const HWND Wnd = WindowAbove(this); Wnd && GetCapture() == Wnd) ReleaseCapture();
    // Read-only: the text goes as a copy, and nothing here changes.
    RunDrag(this, SelectedData(), Qt::CopyAction);
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
    const QPoint Point = Event->position().toPoint();
    const int Pos = PositionAt(Point);
    const bool Triple = IsTripleClick(Event);
    FDoubleClicked.invalidate(); // a fourth press is a click of its own
    FPressedOnSelection = false; // its release may have gone elsewhere
    if (Triple) {
        const int Block = FLines->BlockAt(Pos);
        FBlocksFrom = FLines->BlockPosition(Block);
        FBlocksTo = FLines->BlockEnd(Block);
        SelectTo(Pos);
    } else if (Event->modifiers() & Qt::ShiftModifier) {
        SelectTo(Pos);
    } else if (OnSelection(Point)) {
        // The selection stays until the mouse shows whether it is dragged.
        FPressedOnSelection = true;
        FPressPoint = Point;
    } else {
        FSelection->Anchor = Pos;
        ExtendTo(Pos);
    }
    FDragging = !FPressedOnSelection;
    FDragPoint = Point;
    // As a native edit does: its window holds the mouse while the button is
    // down, so that a drag past its edges still reaches it.
    if (const HWND Wnd = WindowAbove(this)) SetCapture(Wnd);
}

void TMemoView::mouseMoveEvent(QMouseEvent* Event)
{
    if (!FLines || !(Event->buttons() & Qt::LeftButton)) {
        Event->accept();
        return;
    }
    const QPoint Point = Event->position().toPoint();
    if (FPressedOnSelection) {
        if ((Point - FPressPoint).manhattanLength() >= QGuiApplication::styleHints()->startDragDistance())
            DragSelection();
        return;
    }
    if (!FDragging) return;
    FDragPoint = Point;
    SelectTo(PositionAt(FDragPoint));
    if (viewport()->rect().contains(FDragPoint))
        FAutoScroll.stop();
    else if (!FAutoScroll.isActive())
        FAutoScroll.start(AutoScrollMs, this);
}

void TMemoView::mouseReleaseEvent(QMouseEvent* Event)
{
    if (Event->button() == Qt::LeftButton && (FDragging || FPressedOnSelection)) {
        if (FPressedOnSelection && FLines) {
            // Pressed on the selection and let go without dragging it.
            FPressedOnSelection = false;
            FSelection->Anchor = PositionAt(FPressPoint);
            ExtendTo(FSelection->Anchor);
        }
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
    FDoubleClicked.start();
    FDoubleClickPoint = Event->position().toPoint();
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
    SelectTo(PositionAt(FDragPoint));
}

} // namespace platform::detail
