// Private: the view of a read-only memo's own lines.
#pragma once
#include "platform/controls/MemoLines.h"
#include "platform/controls/TextControls.h"

#include <QAbstractScrollArea>
#include <QBasicTimer>
#include <QElapsedTimer>
#include <QTextLayout>

#include <memory>
#include <unordered_map>
#include <vector>

namespace platform::detail {

// The selection of a read-only memo in the editor's units.
struct TMemoSelection {
    int Anchor = 0;
    int Caret = 0;
};

// Shows a read-only memo's lines as its editor would (font, colours, the
// document's margin, word wrap, the selection), laying out only the lines
// in view and keeping those layouts while they stay there. The vertical
// scroll bar counts lines; the horizontal one, while lines do not wrap,
// reaches the widest line as an advance table for the font measures it.
// The user selects with the mouse (dragging scrolls, Shift extends, a
// double click takes a word, a triple click the line) and with Shift and
// the moving keys; without Shift those keys scroll, as a read-only editor's
// do. No caret shows. The selection can be dragged out, as a copy.
class TMemoView : public QAbstractScrollArea, public TTextArea {
public:
    TMemoView(QWidget* Parent, TMemoLines* Lines, TMemoSelection* Selection);
    ~TMemoView() override;
    // The lines go (the control goes; its window stays a moment).
    void Detach();

    void SetWordWrap(bool Value);
    void SetAlignment(Qt::Alignment Value);
    // The text changed from block First on (Appended: only at the end).
    void TextChanged(int First, bool Appended);
    // The selection changed; Follow: the view shows the caret.
    void SelectionChanged(bool Follow);
    // Blocks laid out since the view was made.
    int LaidOut() const { return FLaidOut; }

    void SetTextRect(const TRect& Rect) override;
    void SetTextMargins(int Left, int Right) override;
    QMargins GetTextMargins() const override { return viewportMargins(); }
    void CopySelection() override;

protected:
    bool event(QEvent* Event) override;
    void paintEvent(QPaintEvent* Event) override;
    void resizeEvent(QResizeEvent* Event) override;
    void scrollContentsBy(int Dx, int Dy) override;
    void keyPressEvent(QKeyEvent* Event) override;
    void mousePressEvent(QMouseEvent* Event) override;
    void mouseMoveEvent(QMouseEvent* Event) override;
    void mouseReleaseEvent(QMouseEvent* Event) override;
    void mouseDoubleClickEvent(QMouseEvent* Event) override;
    void wheelEvent(QWheelEvent* Event) override;
    void timerEvent(QTimerEvent* Event) override;
    void focusInEvent(QFocusEvent* Event) override;
    void focusOutEvent(QFocusEvent* Event) override;

private:
    QTextLayout& LayoutOf(int Block);
    qreal HeightOf(int Block);
    qreal LineHeight();
    // Where the text starts in the viewport when the view is at the top.
    qreal TopMargin() const { return FMargin; }
    // The first block that, at the top, shows Block whole at the bottom (or
    // at the top when it does not fit).
    int TopShowingBottomOf(int Block);
    void UpdateScrollBars();
    int WidestLine();
    void ForgetLayouts(int First = 0);
    void KeepLayoutsNear(int Top, int Bottom);
    // The editor position at a viewport point (clamped to the text).
    int PositionAt(QPoint Point);
    // Whether a press at Point may drag the selection: its position is
    // within it or at either end, as the editor has it.
    bool OnSelection(QPoint Point);
    // The selection as the system's text, for the clipboard or a drag.
    QMimeData* SelectedData() const;
    // Where the caret stands: its block's layout line, and x in the block.
    int LineOfCaret(int Block, int Offset, qreal& X);
    int MoveByLines(int Pos, int Lines);
    // The selection's end to Pos, by characters.
    void ExtendTo(int Pos);
    // The selection's end to Pos: whole blocks after a triple click, else
    // by characters.
    void SelectTo(int Pos);
    bool IsTripleClick(const QMouseEvent* Event) const;
    void DragSelection();
    void ShowCaret();
    int Top() const;

    TMemoLines* FLines;
    TMemoSelection* FSelection;
    bool FWrap = true;
    Qt::Alignment FAlignment = Qt::AlignLeft;
    qreal FMargin = 4; // the document's margin, none once a text rectangle is set
    std::unordered_map<int, std::unique_ptr<QTextLayout>> FLayouts;
    int FLayoutWidth = -1; // the width the layouts were made for
    int FLaidOut = 0;
    // The widest line as measured so far, and how many blocks that covers.
    int FWidest = 0;
    int FMeasured = 0;
    qreal FLineHeight = 0;
    std::vector<float> FAdvances; // each code unit's, measured when first met
    // Dragging the selection; the timer scrolls while the mouse is outside.
    bool FDragging = false;
    QPoint FDragPoint;
    QBasicTimer FAutoScroll;
    // The last double click, which a third press near it soon after makes
    // a triple one; the block that one selected (with its break), while
    // the selection grows by whole blocks from it.
    QElapsedTimer FDoubleClicked;
    QPoint FDoubleClickPoint;
    int FBlocksFrom = -1;
    int FBlocksTo = -1;
    // A press on the selection: a drag of it once the mouse moves far
    // enough, else the caret goes there on release.
    bool FPressedOnSelection = false;
    QPoint FPressPoint;
};

} // namespace platform::detail
