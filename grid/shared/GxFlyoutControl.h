// grid/shared/GxFlyoutControl.h
// Windows that float above everything: the flyout base and the marker of
// middle-button roll scrolling.
#pragma once
#include "platform/controls/Controls.h"

namespace GxFlyoutControl {

// The window of a floating control: a borderless top-level tool window that
// stays above the others, takes no part in its parent's layout and never
// takes the focus.
void FloatingWindowParams(TCreateParams& Params);
// Shows or hides the floating control's window as its Visible says; showing
// it never takes the activation from the form below.
void ShowFloatingWindow(TWinControl* Control);

// A borderless top-most tool window. It never takes the focus and takes no
// part in its parent's layout. Placed in screen coordinates, it starts
// hidden and shows (without taking the activation) when Visible becomes true.
class TGxFlyoutControl : public TCustomControl {
public:
    QM_CLASS(TGxFlyoutControl, TCustomControl)
    explicit TGxFlyoutControl(TComponent* AOwner);

protected:
    void CreateParams(TCreateParams& Params) override;
    void WMEraseBkgnd(TMessage& Message) override;
    void CMVisibleChanged(TMessage& Message) override;
};

enum TRollShadowKind { rkBoth, rkVertical, rkHorizontal };

// The small shaped marker at the point where roll scrolling started: an
// upward arrow, a dot and a downward arrow.
class TRollShadow : public TGxFlyoutControl {
public:
    QM_CLASS(TRollShadow, TGxFlyoutControl)
    explicit TRollShadow(TComponent* AOwner);
    void AfterConstruction() override;

    // The screen point marked; the dot's centre lies there.
    TPoint GetPosition() const { return FPosition; }
    void SetPosition(const TPoint& P);
    TRollShadowKind GetKind() const { return FKind; }
    void SetKind(TRollShadowKind Value) { FKind = Value; }

protected:
    void Paint() override;
    virtual void SetWindowShape();

private:
    TPoint FPosition;
    TRollShadowKind FKind = rkVertical;
};

} // namespace GxFlyoutControl
