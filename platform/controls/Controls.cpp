// TControl: properties, messages and the mouse.
#include "platform/controls/Controls.h"
#include "platform/controls/ControlWindows.h"
#include "platform/rtl/ScopeExit.h"

#include <cstring>

using namespace platform::detail;

namespace {

// The string a SetText is storing, so that the default WM_SETTEXT handling
// takes it whole rather than up to its first NUL.
const AnsiString* SettingText = nullptr;

} // namespace

// ---- Shift states ------------------------------------------------------------------

TShiftState KeysToShiftState(WORD Keys)
{
    TShiftState S;
    if (Keys & MK_SHIFT) S.Include(ssShift);
    if (Keys & MK_CONTROL) S.Include(ssCtrl);
    if (Keys & MK_LBUTTON) S.Include(ssLeft);
    if (Keys & MK_RBUTTON) S.Include(ssRight);
    if (Keys & MK_MBUTTON) S.Include(ssMiddle);
    if (GetKeyState(VK_MENU) < 0) S.Include(ssAlt);
    return S;
}

TShiftState KeyDataToShiftState(LPARAM KeyData)
{
    TShiftState S;
    if (GetKeyState(VK_SHIFT) < 0) S.Include(ssShift);
    if (GetKeyState(VK_CONTROL) < 0) S.Include(ssCtrl);
    if (KeyData & KF_ALTDOWN_BIT) S.Include(ssAlt);
    return S;
}

// ---- TSizeConstraints ------------------------------------------------------------------

void TSizeConstraints::Assign(TPersistent* Source)
{
    if (auto* C = dynamic_cast<TSizeConstraints*>(Source)) {
        FMinWidth = C->FMinWidth;
        FMinHeight = C->FMinHeight;
        FMaxWidth = C->FMaxWidth;
        FMaxHeight = C->FMaxHeight;
        Change();
        return;
    }
    TPersistent::Assign(Source);
}

void TSizeConstraints::SetMinWidth(int Value)
{
    if (Value == FMinWidth) return;
    FMinWidth = Value;
    if (Value > 0 && FMaxWidth > 0 && Value > FMaxWidth) FMaxWidth = Value;
    Change();
}

void TSizeConstraints::SetMinHeight(int Value)
{
    if (Value == FMinHeight) return;
    FMinHeight = Value;
    if (Value > 0 && FMaxHeight > 0 && Value > FMaxHeight) FMaxHeight = Value;
    Change();
}

void TSizeConstraints::SetMaxWidth(int Value)
{
    if (Value == FMaxWidth) return;
    FMaxWidth = Value;
    if (Value > 0 && Value < FMinWidth) FMinWidth = Value;
    Change();
}

void TSizeConstraints::SetMaxHeight(int Value)
{
    if (Value == FMaxHeight) return;
    FMaxHeight = Value;
    if (Value > 0 && Value < FMinHeight) FMinHeight = Value;
    Change();
}

void TSizeConstraints::Change()
{
    if (OnChange) OnChange(this);
}

// ---- TControl: life ---------------------------------------------------------------------

TControl::TControl(TComponent* AOwner)
    : TComponent(AOwner), FConstraints(std::make_unique<TSizeConstraints>(this)), FFont(std::make_unique<TFont>())
{
    FFont->OnChange = [this](TObject* S) { FontChanged(S); };
    FConstraints->OnChange = [this](TObject* S) { DoConstraintsChange(S); };
    FWindowProc = [this](TMessage& M) { WndProc(M); };
}

TControl::~TControl()
{
    ControlGone(this);
    if (FParent) FParent->RemoveControl(this);
}

void TControl::BeforeDestruction()
{
    TComponent::BeforeDestruction();
    if (GetCaptureControl() == this) SetCaptureControl(nullptr);
    ControlGone(this);
    SetParent(nullptr);
}

void TControl::Loaded()
{
    TComponent::Loaded();
    UpdateAnchorRules();
}

void TControl::SetParent(TWinControl* AParent)
{
    if (FParent == AParent) return;
    if (AParent == this) throw EInvalidOperation("A control cannot have itself as its parent");
    if (FParent) FParent->RemoveControl(this);
    if (AParent) {
        AParent->InsertControl(this);
        UpdateAnchorRules();
    }
}

// ---- TControl: properties -------------------------------------------------------------------

void TControl::SetText(const AnsiString& Value)
{
    if (GetText() == Value) return;
    {
        TRestore Setting(SettingText, &Value);
        Perform(WM_SETTEXT, 0, reinterpret_cast<LPARAM>(Value.c_str()));
    }
    Perform(CM_TEXTCHANGED, 0, 0);
}

void TControl::SetVisible(bool Value)
{
    if (FVisible == Value) return;
    VisibleChanging();
    FVisible = Value;
    Perform(CM_VISIBLECHANGED, Value, 0);
    RequestAlign();
}

void TControl::Show()
{
    if (FParent) FParent->ShowControl(this);
    SetVisible(true);
}

void TControl::Hide()
{
    SetVisible(false);
}

void TControl::SetEnabled(bool Value)
{
    if (FEnabled == Value) return;
    FEnabled = Value;
    Perform(CM_ENABLEDCHANGED, 0, 0);
}

void TControl::FontChanged(TObject*)
{
    FParentFont = false;
    Perform(CM_FONTCHANGED, 0, 0);
}

void TControl::SetParentFont(bool Value)
{
    if (FParentFont == Value) return;
    FParentFont = Value;
    if (FParent && !GetComponentState().Contains(csReading)) Perform(CM_PARENTFONTCHANGED, 0, 0);
}

void TControl::SetColor(TColor Value)
{
    if (FColor == Value) return;
    FColor = Value;
    FParentColor = false;
    Perform(CM_COLORCHANGED, 0, 0);
}

void TControl::SetParentColor(bool Value)
{
    if (FParentColor == Value) return;
    FParentColor = Value;
    if (FParent && !GetComponentState().Contains(csReading)) Perform(CM_PARENTCOLORCHANGED, 0, 0);
}

void TControl::SetShowHint(bool Value)
{
    if (FShowHint == Value) return;
    FShowHint = Value;
    FParentShowHint = false;
}

void TControl::SetParentShowHint(bool Value)
{
    if (FParentShowHint == Value) return;
    FParentShowHint = Value;
    if (FParent) Perform(CM_PARENTSHOWHINTCHANGED, 0, 0);
}

void TControl::SetCursor(TCursor Value)
{
    if (FCursor == Value) return;
    FCursor = Value;
    Perform(CM_CURSORCHANGED, 0, 0);
}

bool TControl::GetMouseCapture() const
{
    return GetCaptureControl() == this;
}

void TControl::SetMouseCapture(bool Value)
{
    if (GetMouseCapture() == Value) return;
    SetCaptureControl(Value ? this : nullptr);
}

// ---- TControl: messages ---------------------------------------------------------------------------

LRESULT TControl::Perform(UINT Msg, WPARAM WParam, LPARAM LParam)
{
    TMessage M{Msg, WParam, LParam, 0};
    Perform(M);
    return M.Result;
}

void TControl::Perform(TMessage& Message)
{
    if (FWindowProc)
        FWindowProc(Message);
    else
        WndProc(Message);
}

void TControl::WndProc(TMessage& Message)
{
    if (Message.Msg >= WM_MOUSEFIRST && Message.Msg <= WM_MOUSELAST) {
        if (!FControlStyle.Contains(csDoubleClicks) &&
            (Message.Msg == WM_LBUTTONDBLCLK || Message.Msg == WM_RBUTTONDBLCLK || Message.Msg == WM_MBUTTONDBLCLK))
            Message.Msg -= WM_LBUTTONDBLCLK - WM_LBUTTONDOWN;
        if (Message.Msg == WM_LBUTTONDOWN || Message.Msg == WM_LBUTTONDBLCLK)
            FControlState.Include(csLButtonDown);
        else if (Message.Msg == WM_LBUTTONUP)
            FControlState.Exclude(csLButtonDown);
    }
    Dispatch(Message);
}

void TControl::Dispatch(TMessage& Message)
{
    switch (Message.Msg) {
#define QM_DISPATCH(Id, Name)                                                                                          \
    case Id:                                                                                                           \
        Name(Message);                                                                                                 \
        break;
        QM_CONTROL_MESSAGES(QM_DISPATCH, QM_DISPATCH)
#undef QM_DISPATCH
    default:
        DefaultHandler(Message);
        break;
    }
}

void TControl::DefaultHandler(TMessage& Message)
{
    switch (Message.Msg) {
    case WM_GETTEXT: {
        const AnsiString T = RealGetText();
        auto* Buffer = reinterpret_cast<char*>(Message.LParam);
        if (Message.WParam == 0 || !Buffer) {
            Message.Result = 0;
            break;
        }
        const std::size_t N = std::min<std::size_t>(T.size(), Message.WParam - 1);
        std::memcpy(Buffer, T.data(), N);
        Buffer[N] = '\0';
        Message.Result = LRESULT(N);
        break;
    }
    case WM_GETTEXTLENGTH:
        Message.Result = LRESULT(RealGetText().size());
        break;
    case WM_SETTEXT: {
        auto* Text = reinterpret_cast<const char*>(Message.LParam);
        if (SettingText && Text == SettingText->c_str())
            RealSetText(*SettingText);
        else
            RealSetText(Text ? AnsiString(Text) : AnsiString());
        Message.Result = 1;
        break;
    }
    default:
        break;
    }
}

// ---- TControl: mouse ----------------------------------------------------------------------------------

void TControl::DoMouseDown(const TMessage& Message, TMouseButton Button, TShiftState Shift)
{
    if (FControlStyle.Contains(csNoStdEvents)) return;
    const TWMMouse M(Message);
    MouseDown(Button, KeysToShiftState(M.Keys) + Shift, M.XPos, M.YPos);
}

void TControl::DoMouseUp(const TMessage& Message, TMouseButton Button)
{
    if (FControlStyle.Contains(csNoStdEvents)) return;
    const TWMMouse M(Message);
    MouseUp(Button, KeysToShiftState(M.Keys), M.XPos, M.YPos);
}

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

void TControl::Resize()
{
    if (OnResize) OnResize(this);
}

// ---- TControl: notification handlers ----------------------------------------------------------------

void TControl::CMEnabledChanged(TMessage&)
{
    Invalidate();
}
void TControl::CMVisibleChanged(TMessage&)
{
    InvalidateControl(true, FVisible && FControlStyle.Contains(csOpaque));
}
void TControl::CMFontChanged(TMessage&)
{
    Invalidate();
}
void TControl::CMColorChanged(TMessage&)
{
    Invalidate();
}

void TControl::CMParentFontChanged(TMessage& Message)
{
    if (!FParentFont) return;
    if (Message.WParam != 0)
        SetFont(reinterpret_cast<TFont*>(Message.LParam));
    else if (FParent)
        SetFont(FParent->GetFont());
    FParentFont = true;
}

void TControl::CMParentColorChanged(TMessage& Message)
{
    if (!FParentColor) return;
    if (Message.WParam != 0)
        SetColor(TColor(Message.LParam));
    else if (FParent)
        SetColor(FParent->GetColor());
    FParentColor = true;
}

void TControl::CMParentShowHintChanged(TMessage&)
{
    if (!FParentShowHint || !FParent) return;
    SetShowHint(FParent->GetShowHint());
    FParentShowHint = true;
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

void TControl::CMHitTest(TMessage& Message)
{
    Message.Result = HTCLIENT;
}

void TControl::CMCursorChanged(TMessage&)
{
    // Show the new cursor at once when the mouse is over this control.
    if (MouseControl() != this) return;
    TWinControl* Window = dynamic_cast<TWinControl*>(this);
    if (!Window) Window = FParent;
    if (Window && Window->HandleAllocated())
        SendMessageA(Window->GetHandle(), WM_SETCURSOR, WPARAM(Window->GetHandle()), MAKELONG(HTCLIENT, WM_MOUSEMOVE));
}
