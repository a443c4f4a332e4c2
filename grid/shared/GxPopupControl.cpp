// grid/shared/GxPopupControl.cpp
// The popup base and the mini button; the item and font lists live in
// GxPopupControl_List.cpp.
#include "grid/shared/GxPopupControl.h"
#include "grid/shared/GxPopupColor.h"
#include "grid/shared/GxSharedCommon.h"
#include "grid/shared/GxThemesSupport.h"
#include "platform/rtl/Codec.h"
#include "platform/win/WinGdi.h"

#include <algorithm>

namespace GxPopupControl {

using namespace GxSharedCommon;
using namespace GxThemesSupport;

// ---- TGxPopupControl ----------------------------------------------------------------------

TGxPopupControl::TGxPopupControl(TComponent* AOwner) : TGxControl(AOwner), FEditor(AOwner)
{
    SetControlStyle(GetControlStyle() + TControlStyle{csNoDesignVisible});
    SetBorderWidth(0);
    SetVisible(false);
}

void TGxPopupControl::CreateParams(TCreateParams& Params)
{
    TGxControl::CreateParams(Params);
    FloatingWindowParams(Params);
    Params.Style |= WS_CLIPSIBLINGS;
    Params.WindowClass.style |= CS_DBLCLKS;
}

void TGxPopupControl::CreateWnd()
{
    TGxControl::CreateWnd();
    GetVertScrollBar()->SetLargeChange(10);
}

void TGxPopupControl::Popup(int X, int Y)
{
    const int W = GetWidth();
    const int H = GetHeight();
    // The whole popup, not only its edit's size, stays inside the work area;
    // one larger than it keeps its top-left corner in.
    const TRect R = Bounds(X, Y, W, H);
    MONITORINFO Info;
    if (GetMonitorInfo(MonitorFromRect(&R, MONITOR_DEFAULTTONEAREST), &Info)) {
        const TRect& Work = Info.rcWork;
        X = std::max<int>(std::min<int>(X, Work.Right - W), Work.Left);
        Y = std::max<int>(std::min<int>(Y, Work.Bottom - H), Work.Top);
    }
    SetWindowPos(GetHandle(), HWND_TOP, X, Y, W, H, SWP_SHOWWINDOW | SWP_NOACTIVATE);
    FClosed = false;
    SetVisible(true);
    Repaint();
    // Opened by a click, the popup waits for that click's release before it
    // acts; opened with no button down (a key, the program), the first
    // click acts.
    FArmed = GetKeyState(VK_LBUTTON) >= 0 && GetKeyState(VK_RBUTTON) >= 0 && GetKeyState(VK_MBUTTON) >= 0;
    SetCaptureControl(this);
}

void TGxPopupControl::ClosePopup()
{
    FArmed = false;
    if (auto* Owner = dynamic_cast<IGxPopupOwner*>(FEditor)) {
        Owner->SetDroppedDown(false);
    } else {
        Hide();
        FClosed = true;
    }
    DoDeactivate();
}

void TGxPopupControl::DoDeactivate()
{
    if (OnDeactivate) OnDeactivate(this);
}

void TGxPopupControl::DoInput(const AnsiString& Value)
{
    if (OnInput) OnInput(this, Value);
}

void TGxPopupControl::WndProc(TMessage& Message)
{
    TGxControl::WndProc(Message);
    if (Message.Msg == WM_ACTIVATEAPP && Message.WParam == 0 && !FClosed) ClosePopup();
}

void TGxPopupControl::WMEraseBkgnd(TMessage& Message)
{
    Message.Result = 1;
}

void TGxPopupControl::CMVisibleChanged(TMessage& Message)
{
    TGxControl::CMVisibleChanged(Message);
    ShowFloatingWindow(this);
    // A hidden popup lets the mouse go, however it was closed.
    if (!GetVisible() && HandleAllocated() && GetCapture() == GetHandle()) ReleaseCapture();
}

void TGxPopupControl::CMMouseEnter(TMessage& Message)
{
    TGxControl::CMMouseEnter(Message);
    // The pointer back inside (on the popup or on one of its buttons): the
    // buttons take their own clicks again.
    if (HandleAllocated() && GetCapture() == GetHandle()) ReleaseCapture();
}

void TGxPopupControl::CMMouseLeave(TMessage& Message)
{
    TGxControl::CMMouseLeave(Message);
    // Outside, the popup holds the mouse, so that the next click anywhere
    // reaches it. Leaving the popup for one of its buttons is no leaving:
    // held there, the mouse would never reach the button.
    if (FClosed || !HandleAllocated()) return;
    TPoint Cursor;
    TRect Window;
    if (GetCursorPos(&Cursor) && GetWindowRect(GetHandle(), &Window) && PtInRect(Window, Cursor)) return;
    SetCapture(GetHandle());
}

void TGxPopupControl::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y)
{
    TGxControl::MouseUp(Button, Shift, X, Y);
    if (!FArmed) {
        FArmed = true;
        SetCaptureControl(this);
    } else if (PtInRect(GetClientRect(), TPoint(X, Y))) {
        AcquireValue(X, Y);
    } else if (!FClosed) {
        ClosePopup();
    }
}

// ---- TGxMiniButton -------------------------------------------------------------------------

TGxMiniButton::TGxMiniButton(TComponent* AOwner) : TGraphicControl(AOwner), FGlyph(std::make_unique<TBitmap>()) {}

TGxMiniButton::~TGxMiniButton() = default;

void TGxMiniButton::SetGlyph(TBitmap* Value)
{
    FGlyph->Assign(Value);
    Invalidate();
}

void TGxMiniButton::SetKind(TSmallButtonKind Value)
{
    FKind = Value;
    Invalidate();
}

void TGxMiniButton::SetState(bool& Flag, bool Value)
{
    if (Flag == Value) return;
    Flag = Value;
    Invalidate();
}

void TGxMiniButton::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y)
{
    TGraphicControl::MouseDown(Button, Shift, X, Y);
    SetState(FDown, true);
}

void TGxMiniButton::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y)
{
    TGraphicControl::MouseUp(Button, Shift, X, Y);
    SetState(FDown, false);
}

void TGxMiniButton::CMMouseEnter(TMessage& Message)
{
    TGraphicControl::CMMouseEnter(Message);
    SetState(FHover, true);
}

void TGxMiniButton::CMMouseLeave(TMessage& Message)
{
    TGraphicControl::CMMouseLeave(Message);
    SetState(FHover, false);
}

void TGxMiniButton::Paint()
{
    TCanvas* Canvas = GetCanvas();
    TRect R = GetClientRect();
    if (IsThemed()) {
        const HWND Wnd = GetParent() ? GetParent()->GetHandle() : nullptr;
        if (FKind == sbkNormal)
            ThemeRect(Wnd, Canvas->GetHandle(), R, u"button", BP_PUSHBUTTON,
                      FDown    ? PBS_PRESSED
                      : FHover ? PBS_HOT
                               : PBS_NORMAL);
        else
            ThemeRect(Wnd, Canvas->GetHandle(), R, u"toolbar", TP_BUTTON,
                      FDown    ? TS_PRESSED
                      : FHover ? TS_HOT
                               : TS_NORMAL);
    } else {
        Canvas->GetBrush()->SetColor(clBtnFace);
        Canvas->FillRect(R);
        DrawEdge(Canvas->GetHandle(), &R, FDown ? EDGE_SUNKEN : EDGE_RAISED, BF_RECT);
        R = GetClientRect();
    }
    if (!FGlyph->GetEmpty())
        Canvas->Draw(GetWidth() / 2 - FGlyph->GetWidth() / 2, GetHeight() / 2 - FGlyph->GetHeight() / 2, FGlyph.get());
    Canvas->SetFont(GetFont());
    DrawTextRect(Canvas, R, taCenter, Utf8ToWide(GetCaption()), bdLeftToRight);
}

// ---- Unit start-up ---------------------------------------------------------------------------

namespace {

void Initialization()
{
    RegisterColorPopupBitmaps();
}

} // namespace

void RegisterUnit()
{
    AddUnitSection("GxPopupControl", Initialization, nullptr);
}

} // namespace GxPopupControl
