// TControl: its life, properties and messages, invalidation, and the
// controls that hold the mouse and that are under it.
//
// The core of the controls: it calls down only. The parent is reached through
// virtual methods (SetParent, Update, GetDeviceContext ...); the topics that
// build on the core have sources of their own (Control_*.cpp, WinControl*.cpp).
#include "platform/controls/ActnList.h"
#include "platform/controls/ControlWindows.h"
#include "platform/controls/Mouse.h"
#include "platform/graphics/DeviceContext.h"
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
    TControl::SetParent(nullptr);
}

void TControl::BeforeDestruction()
{
    TComponent::BeforeDestruction();
    DragControlGone(this);
    if (GetCaptureControl() == this) SetCaptureControl(nullptr);
    ControlGone(this);
    SetParent(nullptr);
}

void TControl::SetAction(TBasicAction* Value)
{
    if (Value == FAction) return;
    if (FAction) FAction->RemoveFreeNotification(this);
    FAction = Value;
    if (FAction) FAction->FreeNotification(this);
}

void TControl::Notification(TComponent* AComponent, TOperation Operation)
{
    TComponent::Notification(AComponent, Operation);
    if (Operation == opRemove && AComponent == FAction) FAction = nullptr;
}

void TControl::DoConstraintsChange(TObject*)
{
    ConstraintsChanged();
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

void TControl::SetBiDiMode(TBiDiMode Value)
{
    if (Value == FBiDiMode) return;
    FBiDiMode = Value;
    Perform(CM_BIDIMODECHANGED, 0, 0);
}

bool TControl::UseRightToLeftScrollBar() const
{
    // Outside a right-to-left locale every control reads from left to right.
    return SysLocale.MiddleEast && (FBiDiMode == bdRightToLeft || FBiDiMode == bdRightToLeftNoAlign);
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
    if (DragIntercepts(this, Message)) return;
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

// A mouse message as the MouseDown and MouseUp events, with its keys and position.
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

// ---- TControl: invalidation and drawing on the parent ----------------------------------------------

void TControl::Invalidate()
{
    InvalidateControl(FVisible, FControlStyle.Contains(csOpaque));
}

void TControl::InvalidateControl(bool IsVisible, bool IsOpaque)
{
    if (!IsVisible || !FParent || !FParent->HandleAllocated()) return;
    const TRect R = GetBoundsRect();
    InvalidateRect(FParent->GetHandle(), &R, !(IsOpaque || FParent->GetControlStyle().Contains(csOpaque)));
}

void TControl::Repaint()
{
    Invalidate();
    Update();
}

void TControl::Update()
{
    if (FParent) FParent->Update();
}

HDC TControl::GetDeviceContext(HWND& WindowHandle)
{
    if (!FParent) throw EInvalidOperation("Control '" + GetName() + "' has no parent window");
    HDC DC = FParent->GetDeviceContext(WindowHandle);
    // Drawing on a graphic control is drawing on its parent, moved and clipped.
    DC->Origin += QPoint(FLeft, FTop);
    QRegion Clip(QRect(DC->Origin, QSize(FWidth, FHeight)));
    DC->Clip = DC->Clip ? (*DC->Clip & Clip) : Clip;
    return DC;
}

// ---- The control holding the mouse, and the control under it ------------------------------------------

namespace {

TControl* CaptureControl = nullptr;
TControl* CurrentMouseControl = nullptr;

} // namespace

TControl* GetCaptureControl()
{
    // A capture the control's window lost (another window took it) is over.
    if (CaptureControl) {
        TWinControl* Window = dynamic_cast<TWinControl*>(CaptureControl);
        if (!Window) Window = CaptureControl->GetParent();
        if (!Window || !Window->HandleAllocated() || GetCapture() != Window->GetHandle()) CaptureControl = nullptr;
    }
    return CaptureControl;
}

void SetCaptureControl(TControl* Control)
{
    ReleaseCapture();
    CaptureControl = nullptr;
    if (!Control) return;
    TWinControl* Window = dynamic_cast<TWinControl*>(Control);
    if (!Window) {
        // A graphic control holds the mouse through its parent's window.
        if (!Control->GetParent()) return;
        Window = Control->GetParent();
    }
    CaptureControl = Control;
    SetCapture(Window->GetHandle());
}

namespace platform::detail {

void SetMouseControl(TControl* Control)
{
    if (Control == CurrentMouseControl) return;
    TControl* Old = CurrentMouseControl;
    CurrentMouseControl = Control;
    if (Old) Old->Perform(CM_MOUSELEAVE, 0, 0);
    if (Control && CurrentMouseControl == Control) Control->Perform(CM_MOUSEENTER, 0, 0);
}

TControl* MouseControl()
{
    return CurrentMouseControl;
}

void ControlGone(TControl* Control)
{
    if (CurrentMouseControl == Control) CurrentMouseControl = nullptr;
    if (CaptureControl == Control) CaptureControl = nullptr;
}

} // namespace platform::detail
