// TControl: mouse messages, the events they fire, the wheel and the cancel mode.
#include "platform/controls/MessageRecords.h"
#include "platform/controls/WinControl.h"

#include <cstdlib>

void TControl::WMLButtonDown(TMessage& Message)
{
    SendCancelMode(this);
    DefaultHandler(Message);
    if (FControlStyle.Contains(csCaptureMouse)) SetMouseCapture(true);
    if (FControlStyle.Contains(csClickEvents)) FControlState.Include(csClicked);
    DoMouseDown(Message, mbLeft, {});
}

void TControl::WMLButtonDblClk(TMessage& Message)
{
    SendCancelMode(this);
    DefaultHandler(Message);
    if (FControlStyle.Contains(csCaptureMouse)) SetMouseCapture(true);
    if (FControlStyle.Contains(csClickEvents)) DblClick();
    DoMouseDown(Message, mbLeft, {ssDouble});
}

void TControl::WMLButtonUp(TMessage& Message)
{
    DefaultHandler(Message);
    if (FControlStyle.Contains(csCaptureMouse)) SetMouseCapture(false);
    if (FControlState.Contains(csClicked)) {
        FControlState.Exclude(csClicked);
        if (PtInRect(GetClientRect(), TWMMouse(Message).Pos())) Click();
    }
    DoMouseUp(Message, mbLeft);
}

void TControl::WMRButtonDown(TMessage& Message)
{
    SendCancelMode(this);
    DefaultHandler(Message);
    DoMouseDown(Message, mbRight, {});
}

void TControl::WMRButtonUp(TMessage& Message)
{
    DefaultHandler(Message);
    DoMouseUp(Message, mbRight);
}

void TControl::WMRButtonDblClk(TMessage& Message)
{
    SendCancelMode(this);
    DefaultHandler(Message);
    DoMouseDown(Message, mbRight, {ssDouble});
}

void TControl::WMMButtonDown(TMessage& Message)
{
    SendCancelMode(this);
    DefaultHandler(Message);
    DoMouseDown(Message, mbMiddle, {});
}

void TControl::WMMButtonUp(TMessage& Message)
{
    DefaultHandler(Message);
    DoMouseUp(Message, mbMiddle);
}

void TControl::WMMButtonDblClk(TMessage& Message)
{
    SendCancelMode(this);
    DefaultHandler(Message);
    DoMouseDown(Message, mbMiddle, {ssDouble});
}

void TControl::WMMouseMove(TMessage& Message)
{
    DefaultHandler(Message);
    if (FControlStyle.Contains(csNoStdEvents)) return;
    const TWMMouse M(Message);
    MouseMove(KeysToShiftState(M.Keys), M.XPos, M.YPos);
}

void TControl::WMMouseWheel(TMessage& Message)
{
    // CM_MOUSEWHEEL carries the same parameters and climbs the parents until one takes it.
    Message.Result = Perform(CM_MOUSEWHEEL, Message.WParam, Message.LParam);
    if (Message.Result == 0) DefaultHandler(Message);
}

void TControl::CMMouseWheel(TMessage& Message)
{
    const TWMMouseWheel M(Message);
    Message.Result = 0;
    if (DoMouseWheel(KeysToShiftState(M.Keys), M.WheelDelta, M.Pos()))
        Message.Result = 1;
    else if (FParent)
        Message.Result = FParent->Perform(CM_MOUSEWHEEL, Message.WParam, Message.LParam);
}

bool TControl::DoMouseWheel(TShiftState Shift, int WheelDelta, TPoint MousePos)
{
    bool Result = false;
    if (OnMouseWheel) OnMouseWheel(this, Shift, WheelDelta, MousePos, Result);
    if (!Result) {
        FWheelAccumulator += WheelDelta;
        while (std::abs(FWheelAccumulator) >= WHEEL_DELTA) {
            const bool IsNeg = FWheelAccumulator < 0;
            FWheelAccumulator = std::abs(FWheelAccumulator) - WHEEL_DELTA;
            if (IsNeg) {
                FWheelAccumulator = -FWheelAccumulator;
                Result = DoMouseWheelDown(Shift, MousePos);
            } else {
                Result = DoMouseWheelUp(Shift, MousePos);
            }
        }
    }
    return Result;
}

bool TControl::DoMouseWheelDown(TShiftState Shift, TPoint MousePos)
{
    bool Result = false;
    if (OnMouseWheelDown) OnMouseWheelDown(this, Shift, MousePos, Result);
    return Result;
}

bool TControl::DoMouseWheelUp(TShiftState Shift, TPoint MousePos)
{
    bool Result = false;
    if (OnMouseWheelUp) OnMouseWheelUp(this, Shift, MousePos, Result);
    return Result;
}

void TControl::WMCancelMode(TMessage& Message)
{
    DefaultHandler(Message);
    if (GetMouseCapture()) {
        SetMouseCapture(false);
        if (FControlState.Contains(csLButtonDown)) Perform(WM_LBUTTONUP, 0, LPARAM(MAKELONG(0xFFFF, 0xFFFF)));
    }
}

void TControl::SendCancelMode(TControl* Sender)
{
    auto* Self = dynamic_cast<TWinControl*>(this);
    for (TWinControl* Form = Self ? Self : FParent; Form; Form = Form->FParent)
        if (Form->IsForm()) {
            TWinControl* Active = Form->GetActiveControl();
            if (Form->GetActive() && Active && Sender != Active) Active->Perform(CM_CANCELMODE, 0, LPARAM(Sender));
        }
}

void TControl::Click()
{
    if (OnClick) OnClick(this);
}

void TControl::DblClick()
{
    if (OnDblClick) OnDblClick(this);
}

void TControl::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y)
{
    if (OnMouseDown) OnMouseDown(this, Button, Shift, X, Y);
}

void TControl::MouseMove(TShiftState Shift, int X, int Y)
{
    if (OnMouseMove) OnMouseMove(this, Shift, X, Y);
}

void TControl::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y)
{
    if (OnMouseUp) OnMouseUp(this, Button, Shift, X, Y);
}

void TControl::CMMouseEnter(TMessage& Message)
{
    if (FParent) FParent->Perform(CM_MOUSEENTER, 0, LPARAM(this));
    if (Message.LParam == 0 && OnMouseEnter) OnMouseEnter(this);
}

void TControl::CMMouseLeave(TMessage& Message)
{
    if (FParent) FParent->Perform(CM_MOUSELEAVE, 0, LPARAM(this));
    if (Message.LParam == 0 && OnMouseLeave) OnMouseLeave(this);
}
