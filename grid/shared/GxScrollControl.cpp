// grid/shared/GxScrollControl.cpp
#include "grid/shared/GxScrollControl.h"
#include "platform/controls/Forms.h"
#include "platform/win/WinResources.h"
#include "platform/win/WinScroll.h"

#include <algorithm>
#include <climits>
#include <cstdlib>

namespace GxScrollControl {

// GxScrollControl_Cursors.cpp: the pictures "ROLL", "ROLLUP" and "ROLLDOWN".
void RegisterRollCursorPictures();

namespace {

// Positions are computed wide and brought back into int's range, so that no
// step past either end wraps around.
int Saturate(std::int64_t Value)
{
    return int(std::clamp<std::int64_t>(Value, INT_MIN, INT_MAX));
}

} // namespace

// ---- TGxCustomScrollBar ------------------------------------------------------------------

TGxCustomScrollBar::TGxCustomScrollBar(TGxCustomScrollControl* AControl, TCanvas* ACanvas)
    : FCanvas(ACanvas), FControl(AControl)
{
}

void TGxCustomScrollBar::Assign(TPersistent* Source)
{
    auto* Bar = dynamic_cast<TGxCustomScrollBar*>(Source);
    if (!Bar) {
        TPersistent::Assign(Source);
        return;
    }
    // The settings a user chooses; range, page and position are the owner's.
    FLargeChange = Bar->FLargeChange;
    FSmallChange = Bar->FSmallChange;
    FManualScroll = Bar->FManualScroll;
    SetAutoHide(Bar->FAutoHide);
    SetEnabled(Bar->FEnabled);
}

void TGxCustomScrollBar::SetPosition(int Value)
{
    FPrevPosition = FPosition;
    Value = std::min(Value, FMax);
    Value = std::max(Value, FMin);
    Value = std::max(Value, 0);
    FPosition = Value;
    UpdateScrollBar();
    if (FUpdateCount > 0 || FManualScroll) return;
    // Scrolled even when the position stayed: the owner decides the distance.
    if (FKind == skVertical)
        FControl->ScrollContent(this, 0, FControl->GetVertOffset(FPrevPosition, FPosition));
    else
        FControl->ScrollContent(this, FControl->GetHorzOffset(FPrevPosition, FPosition), 0);
}

void TGxCustomScrollBar::SetMax(int Value)
{
    if (Value == FMax) return;
    FMax = std::max(Value, 0);
    SetVisible(!(FMax < 1 && FAutoHide));
    UpdateScrollBar();
    if (FPosition > FMax) SetPosition(FMax);
}

void TGxCustomScrollBar::SetMin(int Value)
{
    FMin = std::max(Value, 0);
    UpdateScrollBar();
    // A range that shrinks from below takes the position along.
    if (FPosition < FMin) SetPosition(FMin);
}

void TGxCustomScrollBar::SetPageSize(int Value)
{
    if (Value == FPageSize) return;
    FPageSize = std::max(Value, 8);
    UpdateScrollBar();
}

void TGxCustomScrollBar::SetAutoHide(bool Value)
{
    FAutoHide = Value;
    SetVisible(!(FMax == 0 && FAutoHide));
    UpdateScrollBar();
}

void TGxCustomScrollBar::SetEnabled(bool Value)
{
    FEnabled = Value;
    if (FBarType >= 0 && FControl->HandleAllocated())
        EnableScrollBar(FControl->GetHandle(), UINT(FBarType), Value ? ESB_ENABLE_BOTH : ESB_DISABLE_BOTH);
    UpdateScrollBar();
}

void TGxCustomScrollBar::SetKind(TScrollBarKind Value)
{
    FKind = Value;
    FBarType = Value == skHorizontal ? SB_HORZ : SB_VERT;
}

void TGxCustomScrollBar::SetVisible(bool Value)
{
    FVisible = Value;
}

void TGxCustomScrollBar::First()
{
    SetPosition(0);
}

void TGxCustomScrollBar::Last()
{
    SetPosition(FMax);
}

void TGxCustomScrollBar::MoveBy(int Delta)
{
    SetPosition(Saturate(std::int64_t(FPosition) + Delta));
}

void TGxCustomScrollBar::SendScrollCode(WORD Code)
{
    if (FMax < 1) return;
    const UINT Msg = FKind == skHorizontal ? WM_HSCROLL : WM_VSCROLL;
    if (FControl->HandleAllocated())
        SendMessageA(FControl->GetHandle(), Msg, Code, 0);
    else
        FControl->Perform(Msg, Code, 0);
}

void TGxCustomScrollBar::Next()
{
    SendScrollCode(SB_LINEDOWN);
}

void TGxCustomScrollBar::Prior()
{
    SendScrollCode(SB_LINEUP);
}

void TGxCustomScrollBar::PageDown()
{
    SendScrollCode(SB_PAGEDOWN);
}

void TGxCustomScrollBar::PageUp()
{
    SendScrollCode(SB_PAGEUP);
}

void TGxCustomScrollBar::Expand(bool Flag)
{
    SetMax(Saturate(std::int64_t(FMax) + (Flag ? -1 : 1)));
}

// ---- TGxScrollBar ------------------------------------------------------------------------

void TGxScrollBar::SetVisible(bool Value)
{
    TGxCustomScrollBar::SetVisible(Value);
    if (GetBarType() >= 0 && GetControl()->HandleAllocated())
        ShowScrollBar(GetControl()->GetHandle(), GetBarType(), Value);
}

void TGxScrollBar::UpdateScrollBar()
{
    SetUpdating(true);
    TGxCustomScrollControl* Owner = GetControl();
    if (GetBarType() >= 0 && Owner->HandleAllocated()) {
        const HWND Wnd = Owner->GetHandle();
        SCROLLINFO Info;
        Info.fMask = SIF_RANGE | SIF_PAGE | SIF_POS | (GetAutoHide() ? 0 : SIF_DISABLENOSCROLL);
        Info.nMin = GetMin();
        Info.nMax = GetMax();
        Info.nPage = UINT(std::max(GetPageSize(), 0));
        Info.nPos = GetPosition();
        SetScrollInfo(Wnd, GetBarType(), &Info, true);
        // After the range: a new range would enable the arrows again.
        if (GetMax() > 0)
            EnableScrollBar(Wnd, UINT(GetBarType()),
                            Owner->GetEnabled() && GetEnabled() ? ESB_ENABLE_BOTH : ESB_DISABLE_BOTH);
    }
    SetUpdating(false);
}

// ---- TGxCustomScrollControl ------------------------------------------------------------------

TGxCustomScrollControl::TGxCustomScrollControl(TComponent* AOwner) : TCustomControl(AOwner) {}

int TGxCustomScrollControl::GetHorzOffset(int, int)
{
    return 0;
}

int TGxCustomScrollControl::GetVertOffset(int, int)
{
    return 0;
}

void TGxCustomScrollControl::ScrollContent(TGxCustomScrollBar* ScrollBar, int DeltaX, int DeltaY)
{
    BeforeScroll(ScrollBar->GetKind());
    // Before the window exists there is nothing on the screen to move.
    if (HandleAllocated()) {
        const TRect Clip = DeltaX != 0 ? FHorzScrollRect : FVertScrollRect;
        ScrollWindowEx(GetHandle(), DeltaX, DeltaY, nullptr, &Clip, nullptr, nullptr, SW_INVALIDATE);
    }
    AfterScroll(ScrollBar->GetKind());
}

void TGxCustomScrollControl::TryFocus()
{
    if (GetParentForm(this)) ::SetFocus(GetHandle());
}

void TGxCustomScrollControl::SelectNextControl()
{
    if (TWinControl* P = GetParent()) PostMessageA(P->GetHandle(), WM_KEYDOWN, VK_TAB, 0);
}

// ---- TGxScrollControl: life --------------------------------------------------------------------

TGxScrollControl::TGxScrollControl(TComponent* AOwner) : TGxCustomScrollControl(AOwner)
{
    FHorzScrollBar.reset(New<TGxScrollBar>(this, GetCanvas()));
    FHorzScrollBar->SetKind(skHorizontal);
    FVertScrollBar.reset(New<TGxScrollBar>(this, GetCanvas()));
    FVertScrollBar->SetKind(skVertical);
    FRollShadow.reset(New<TRollShadow>(nullptr));
    FRollTimer.reset(New<TTimer>(nullptr));
    FRollTimer->SetEnabled(false);
    FRollTimer->SetInterval(1);
    FRollTimer->SetOnTimer([this](TObject* Sender) { RollTimerTick(Sender); });
    RegisterRollCursorPictures();
    if (Screen) {
        Screen->SetCursors(crRoll, LoadCursor(HInstance, "ROLL"));
        Screen->SetCursors(crRollUp, LoadCursor(HInstance, "ROLLUP"));
        Screen->SetCursors(crRollDown, LoadCursor(HInstance, "ROLLDOWN"));
    }
}

TGxScrollControl::~TGxScrollControl() = default;

void TGxScrollControl::BeforeDestruction()
{
    // The screen cursor and the mouse go back to the others.
    EndRoll();
    TGxCustomScrollControl::BeforeDestruction();
}

// ---- TGxScrollControl: the window --------------------------------------------------------------------

void TGxScrollControl::CreateParams(TCreateParams& Params)
{
    TGxCustomScrollControl::CreateParams(Params);
    Params.Style |= WS_HSCROLL | WS_VSCROLL | WS_CLIPCHILDREN;
}

void TGxScrollControl::CreateWnd()
{
    TGxCustomScrollControl::CreateWnd();
    FHorzScrollBar->UpdateScrollBar();
    FVertScrollBar->UpdateScrollBar();
}

void TGxScrollControl::CMRecreateWnd(TMessage& Message)
{
    // The window takes its styles afresh, both bars with them: they are set
    // again as for a new window.
    TGxCustomScrollControl::CMRecreateWnd(Message);
    FHorzScrollBar->UpdateScrollBar();
    FVertScrollBar->UpdateScrollBar();
}

void TGxScrollControl::CMEnabledChanged(TMessage& Message)
{
    TGxCustomScrollControl::CMEnabledChanged(Message);
    Invalidate();
    FHorzScrollBar->UpdateScrollBar();
    FVertScrollBar->UpdateScrollBar();
}

void TGxScrollControl::WMEraseBkgnd(TMessage& Message)
{
    Message.Result = 1;
}

void TGxScrollControl::WMGetDlgCode(TMessage& Message)
{
    Message.Result = DLGC_WANTARROWS;
}

// ---- TGxScrollControl: scroll messages ------------------------------------------------------------------

void TGxScrollControl::ScrollBarMessage(TGxCustomScrollBar* Bar, const TMessage& Message)
{
    const TWMScroll M(Message);
    switch (M.ScrollCode) {
    case SB_LINEUP:
    case SB_LINEDOWN:
        Bar->SetLastScrollKind(rkLine);
        break;
    case SB_PAGEUP:
    case SB_PAGEDOWN:
        Bar->SetLastScrollKind(rkPage);
        break;
    case SB_THUMBPOSITION:
    case SB_THUMBTRACK:
        Bar->SetLastScrollKind(rkThumb);
        break;
    case SB_TOP:
    case SB_BOTTOM:
        Bar->SetLastScrollKind(rkTopBottom);
        break;
    default:
        break;
    }
    std::int64_t Pos = Bar->GetPosition();
    switch (M.ScrollCode) {
    case SB_LINEUP:
        Pos -= Bar->GetSmallChange();
        break;
    case SB_LINEDOWN:
        Pos += Bar->GetSmallChange();
        break;
    case SB_PAGEUP:
        Pos -= Bar->GetLargeChange();
        break;
    case SB_PAGEDOWN:
        Pos += Bar->GetLargeChange();
        break;
    case SB_THUMBPOSITION:
    case SB_THUMBTRACK: {
        // The window's own tracking position: the message carries only 16 bits of it.
        SCROLLINFO Info;
        Info.fMask = SIF_TRACKPOS;
        Pos = HandleAllocated() && GetScrollInfo(GetHandle(), Bar->GetBarType(), &Info) ? Info.nTrackPos : M.Pos;
        break;
    }
    case SB_TOP:
        Pos = 0;
        break;
    case SB_BOTTOM:
        Pos = Bar->GetMax();
        break;
    default:
        break;
    }
    Bar->SetPosition(Saturate(Pos));
}

void TGxScrollControl::WMHScroll(TMessage& Message)
{
    TGxCustomScrollControl::WMHScroll(Message);
    ScrollBarMessage(FHorzScrollBar.get(), Message);
    DoHorizontalScroll(FHorzScrollBar->GetPosition());
}

void TGxScrollControl::WMVScroll(TMessage& Message)
{
    TGxCustomScrollControl::WMVScroll(Message);
    ScrollBarMessage(FVertScrollBar.get(), Message);
    DoVerticalScroll(FVertScrollBar->GetPosition());
}

void TGxScrollControl::DoHorizontalScroll(int Position)
{
    if (OnHorizontalScroll) OnHorizontalScroll(this, Position);
}

void TGxScrollControl::DoVerticalScroll(int Position)
{
    if (OnVerticalScroll) OnVerticalScroll(this, Position);
}

bool TGxScrollControl::DoMouseWheelDown(TShiftState Shift, TPoint MousePos)
{
    if (FMouseWheelEnabled) return true;
    return TGxCustomScrollControl::DoMouseWheelDown(Shift, MousePos);
}

bool TGxScrollControl::DoMouseWheelUp(TShiftState Shift, TPoint MousePos)
{
    if (FMouseWheelEnabled) return true;
    return TGxCustomScrollControl::DoMouseWheelUp(Shift, MousePos);
}

// ---- TGxScrollControl: roll scrolling -------------------------------------------------------------------

void TGxScrollControl::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y)
{
    TGxCustomScrollControl::MouseDown(Button, Shift, X, Y);
    if (Button == mbMiddle && FScrollStyle.Contains(rsRoll)) StartRoll(X, Y);
}

void TGxScrollControl::StartRoll(int X, int Y)
{
    // The mouse first: taking it may end a capture this control held.
    SetMouseCapture(true);
    FViewState.Include(vsRolling);
    FRollShadow->SetCursor(crRoll);
    FRollPoint = TPoint(X, Y);
    FRollShadow->SetPosition(ClientToScreen(FRollPoint));
    FRollShadow->Show();
    FRollTimer->SetInterval(1);
    FRollTimer->SetEnabled(true);
}

void TGxScrollControl::MouseMove(TShiftState Shift, int X, int Y)
{
    TGxCustomScrollControl::MouseMove(Shift, X, Y);
    if (!FViewState.Contains(vsRolling)) return;
    FRollDirection = TRollDirection();
    const std::int64_t DY = std::int64_t(Y) - FRollPoint.Y;
    TCursor Cursor = crRoll;
    if (DY < -5) {
        Cursor = crRollUp;
        FRollDirection = {rdUp};
    } else if (DY >= 6) {
        Cursor = crRollDown;
        FRollDirection = {rdDown};
    }
    if (Screen) Screen->SetCursor(Cursor);
    FRollShadow->SetCursor(Cursor);
}

void TGxScrollControl::RollTimerTick(TObject*)
{
    // A roll that ended without telling (the mouse taken away unnoticed) stops here.
    if (!FViewState.Contains(vsRolling) || !GetMouseCapture()) {
        EndRoll();
        FRollTimer->SetEnabled(false);
        return;
    }
    TPoint P;
    GetCursorPos(&P);
    P = ScreenToClient(P);
    const std::int64_t Distance = std::abs(std::int64_t(P.Y) - FRollPoint.Y);
    // The farther from the start point, the faster.
    FRollTimer->SetInterval(Cardinal(std::max<std::int64_t>(100 - Distance, 1)));
    if (FRollDirection.Contains(rdUp))
        FVertScrollBar->Prior();
    else if (FRollDirection.Contains(rdDown))
        FVertScrollBar->Next();
}

void TGxScrollControl::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y)
{
    TGxCustomScrollControl::MouseUp(Button, Shift, X, Y);
    EndRoll();
}

void TGxScrollControl::EndRoll()
{
    if (!FViewState.Contains(vsRolling)) return;
    FViewState.Exclude(vsRolling);
    FRollDirection = TRollDirection();
    FRollTimer->SetEnabled(false);
    FRollShadow->Hide();
    if (Screen) Screen->SetCursor(crDefault);
    if (GetMouseCapture()) SetMouseCapture(false);
}

void TGxScrollControl::WMCaptureChanged(TMessage& Message)
{
    TGxCustomScrollControl::WMCaptureChanged(Message);
    EndRoll();
}

void TGxScrollControl::WMKillFocus(TMessage& Message)
{
    TGxCustomScrollControl::WMKillFocus(Message);
    EndRoll();
}

void TGxScrollControl::CMVisibleChanged(TMessage& Message)
{
    TGxCustomScrollControl::CMVisibleChanged(Message);
    if (!GetVisible()) EndRoll();
}

void TGxScrollControl::CMShowingChanged(TMessage& Message)
{
    TGxCustomScrollControl::CMShowingChanged(Message);
    if (!GetShowing()) EndRoll();
}

void TGxScrollControl::CMWantSpecialKey(TMessage& Message)
{
    TGxCustomScrollControl::CMWantSpecialKey(Message);
    // Esc ends a roll rather than reaching the form.
    if (FViewState.Contains(vsRolling) && Message.WParam == VK_ESCAPE) Message.Result = 1;
}

void TGxScrollControl::KeyDown(Word& Key, TShiftState Shift)
{
    TGxCustomScrollControl::KeyDown(Key, Shift);
    if (Key == VK_ESCAPE && FViewState.Contains(vsRolling)) {
        EndRoll();
        Key = 0;
    }
}

} // namespace GxScrollControl
