// grid/GxColumnDragBox.h
// The floating windows of a column drag: the box that carries the dragged
// column's header under the mouse, and the arrows that mark where it drops.
#pragma once
#include "grid/GxStyleDisplay.h"
#include "grid/shared/GxFlyoutControl.h"

namespace GxColumnDragBox {

using namespace GxDisplays;
using namespace GxFlyoutControl;

// X and Y are a screen point.
using TDragBoxEvent = std::function<void(TObject* Sender, int X, int Y)>;

// A header-sized box that shows the dragged column's header and hangs over
// the pointer until the left button comes up.
class TColumnDragBox : public TGxFlyoutControl {
public:
    QM_CLASS(TColumnDragBox, TGxFlyoutControl)
    // AOwner is the grid: the box draws with its font.
    explicit TColumnDragBox(TComponent* AOwner);
    ~TColumnDragBox() override;

    using TGxFlyoutControl::Show;
    // Starts dragging Column: the box takes the mouse as if the left button
    // went down on it, shown unless Hidden. X and Y (screen) are where the
    // drag started.
    void Show(int X, int Y, TGxCustomColumn* Column, bool Hidden);
    TGxCustomColumn* GetColumn() const { return FColumn; }
    // The column has gone: the box shows no header any more, and a drag in
    // progress ends as if the box lost the mouse.
    void ForgetColumn();
    TStyleDisplay* GetStyleDisplay() const { return FStyleDisplay.get(); }

    TDragBoxEvent OnDragBoxDrop;
    TDragBoxEvent OnDragBoxMove;
    // The box lost the mouse before the button came up: nothing drops.
    TNotifyEvent OnDragBoxCancel;

protected:
    void MouseMove(TShiftState Shift, int X, int Y) override;
    void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) override;
    void Paint() override;
    void WMCaptureChanged(TMessage& Message) override;
    virtual void DoDragBoxDrop(int X, int Y);
    virtual void DoDragBoxMove(int X, int Y);
    virtual void DoDragBoxCancel();

private:
    // Ends a drag with no drop: the box hides and lets the mouse go.
    void CancelDrag();

    TComponent* FGrid;
    TGxCustomColumn* FColumn = nullptr;
    TOwned<TStyleDisplay> FStyleDisplay;
    // From Show until the drop or the loss of the mouse.
    bool FDragging = false;
};

enum TArrowKind { akNone, akUp, akDown };

// A 9 × 9 red window shaped as an arrow pointing up or down.
class TDragArrow : public TGxFlyoutControl {
public:
    QM_CLASS(TDragArrow, TGxFlyoutControl)
    explicit TDragArrow(TComponent* AOwner);

    TArrowKind GetArrowKind() const { return FArrowKind; }
    void SetArrowKind(TArrowKind Value);

protected:
    void Paint() override;
    virtual void SetWindowShape();

private:
    TArrowKind FArrowKind = akNone;
};

} // namespace GxColumnDragBox
