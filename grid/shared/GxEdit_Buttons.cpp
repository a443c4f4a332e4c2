// grid/shared/GxEdit_Buttons.cpp
// The small painted button inside an edit and the spin buttons with their
// auto-repeat.
#include "grid/shared/GxEdit.h"

namespace GxEdit {

// ---- Small button --------------------------------------------------------------------------

TGxSmallButton::TGxSmallButton(TComponent* AOwner) : TCustomControl(AOwner) {}

void TGxSmallButton::SetDown(bool Value)
{
    FDown = Value;
    Invalidate();
}

void TGxSmallButton::SetHover(bool Value)
{
    if (Value == FHover) return;
    FHover = Value;
    Invalidate();
}

void TGxSmallButton::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y)
{
    TCustomControl::MouseDown(Button, Shift, X, Y);
    if (Button != mbLeft) return;
    if (FEdit && FEdit->GetVisible()) FEdit->SetFocus();
    SetDown(true);
    if (OnButtonDown) OnButtonDown(this);
}

void TGxSmallButton::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y)
{
    TCustomControl::MouseUp(Button, Shift, X, Y);
    if (!FDown) return;
    SetDown(false);
    if (OnButtonClick) OnButtonClick(this);
}

void TGxSmallButton::CMMouseEnter(TMessage& Message)
{
    TCustomControl::CMMouseEnter(Message);
    if (!GetComponentState().Contains(csDesigning)) SetHover(true);
}

void TGxSmallButton::CMMouseLeave(TMessage& Message)
{
    TCustomControl::CMMouseLeave(Message);
    SetHover(false);
}

void TGxSmallButton::WMEraseBkgnd(TMessage& Message)
{
    Message.Result = 1;
}

// ---- Spin buttons --------------------------------------------------------------------------

TGxSpinButtons::TGxSpinButtons(TComponent* AOwner) : TCustomControl(AOwner)
{
    FDelayTimer.reset(New<TTimer>(nullptr));
    FDelayTimer->SetEnabled(false);
    FDelayTimer->SetInterval(RepeatDelay);
    FDelayTimer->SetOnTimer([this](TObject* Sender) { DelayTimerTick(Sender); });
    FRepeatTimer.reset(New<TTimer>(nullptr));
    FRepeatTimer->SetEnabled(false);
    FRepeatTimer->SetInterval(RepeatInterval);
    FRepeatTimer->SetOnTimer([this](TObject* Sender) { RepeatTimerTick(Sender); });
}

TGxSpinButtons::~TGxSpinButtons()
{
    StopSpinning();
}

void TGxSpinButtons::SetHoverButtons(TSpinButtonSet Value)
{
    if (GetComponentState().Contains(csDesigning)) return;
    FHoverButtons = Value;
    Invalidate();
}

void TGxSpinButtons::SetPressedButtons(TSpinButtonSet Value)
{
    FPressedButtons = Value;
    if (Value.Empty()) {
        StopSpinning();
    } else {
        FDelayTimer->SetEnabled(true);
        DoSpin(Value);
    }
    Repaint();
}

void TGxSpinButtons::DoSpin(TSpinButtonSet Buttons)
{
    if (OnSpin) OnSpin(this, Buttons);
}

TSpinButtonSet TGxSpinButtons::HalfAt(int Y)
{
    return Y < GetHeight() / 2 ? TSpinButtonSet{sbUp} : TSpinButtonSet{sbDown};
}

bool TGxSpinButtons::CanSpin()
{
    return GetEnabled() && GetShowing() && (!FEdit || (FEdit->GetEnabled() && FEdit->GetShowing()));
}

void TGxSpinButtons::StopSpinning()
{
    FDelayTimer->SetEnabled(false);
    FRepeatTimer->SetEnabled(false);
}

void TGxSpinButtons::DelayTimerTick(TObject*)
{
    // The delay timer keeps running; each tick only lets the repeat go on.
    FRepeatTimer->SetEnabled(true);
}

void TGxSpinButtons::RepeatTimerTick(TObject*)
{
    // A press that ended without a release (the window went away under the
    // mouse, or the edit was disabled) stops here rather than spin on.
    if (FPressedButtons.Empty() || !CanSpin()) {
        FPressedButtons = {};
        StopSpinning();
        Invalidate();
        return;
    }
    DoSpin(FPressedButtons);
}

void TGxSpinButtons::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y)
{
    TCustomControl::MouseDown(Button, Shift, X, Y);
    if (Button != mbLeft) return;
    FPressedButtons = HalfAt(Y);
    FDelayTimer->SetEnabled(true);
    DoSpin(FPressedButtons);
    Invalidate();
}

void TGxSpinButtons::MouseMove(TShiftState Shift, int X, int Y)
{
    TCustomControl::MouseMove(Shift, X, Y);
    SetHoverButtons(HalfAt(Y));
}

void TGxSpinButtons::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y)
{
    TCustomControl::MouseUp(Button, Shift, X, Y);
    FPressedButtons = {};
    StopSpinning();
    Invalidate();
}

void TGxSpinButtons::CMMouseLeave(TMessage& Message)
{
    TCustomControl::CMMouseLeave(Message);
    SetHoverButtons({});
}

void TGxSpinButtons::CMEnabledChanged(TMessage& Message)
{
    TCustomControl::CMEnabledChanged(Message);
    if (!GetEnabled()) SetPressedButtons({});
}

void TGxSpinButtons::CMVisibleChanged(TMessage& Message)
{
    TCustomControl::CMVisibleChanged(Message);
    if (!GetVisible()) SetPressedButtons({});
}

void TGxSpinButtons::WMCaptureChanged(TMessage& Message)
{
    TCustomControl::WMCaptureChanged(Message);
    if (!FPressedButtons.Empty()) SetPressedButtons({});
}

void TGxSpinButtons::WMEraseBkgnd(TMessage& Message)
{
    Message.Result = 1;
}

void TGxSpinButtons::Paint()
{
    TCustomControl::Paint();
    TCanvas* C = GetCanvas();
    const int Middle = GetClientHeight() / 2;
    TRect Up = Rect(0, -1, GetClientWidth(), Middle);
    TRect Down = Rect(0, Middle, GetClientWidth(), GetClientHeight());
    const bool Disabled = FEdit ? !FEdit->GetEnabled() : !GetEnabled();
    if (IsThemed()) {
        auto State = [&](TSpinButton Half) {
            if (Disabled) return 4;
            if (FPressedButtons.Contains(Half)) return 3;
            return FHoverButtons.Contains(Half) ? 2 : 1;
        };
        ThemeRect(GetHandle(), C->GetHandle(), Up, u"spin", SPNP_UP, State(sbUp));
        ThemeRect(GetHandle(), C->GetHandle(), Down, u"spin", SPNP_DOWN, State(sbDown));
        return;
    }
    auto Flags = [&](TSpinButton Half, UINT Arrow) {
        UINT F = Arrow | DFCS_ADJUSTRECT;
        if (FPressedButtons.Contains(Half)) F |= DFCS_PUSHED;
        if (Disabled) F |= DFCS_INACTIVE;
        return F;
    };
    DrawFrameControl(C->GetHandle(), &Up, DFC_SCROLL, Flags(sbUp, DFCS_SCROLLUP));
    DrawFrameControl(C->GetHandle(), &Down, DFC_SCROLL, Flags(sbDown, DFCS_SCROLLDOWN));
}

} // namespace GxEdit
