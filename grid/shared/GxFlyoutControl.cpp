// grid/shared/GxFlyoutControl.cpp
#include "grid/shared/GxFlyoutControl.h"
#include "platform/win/WinGdi.h"
#include "platform/win/WinShape.h"

namespace GxFlyoutControl {

// ---- Floating windows ------------------------------------------------------------------

void FloatingWindowParams(TCreateParams& Params)
{
    Params.Style &= ~(WS_CHILD | WS_GROUP | WS_TABSTOP);
    Params.Style |= WS_POPUP;
    Params.ExStyle |= WS_EX_TOPMOST | WS_EX_TOOLWINDOW;
    Params.WindowClass.style |= CS_SAVEBITS;
}

void ShowFloatingWindow(TWinControl* Control)
{
    // A top-level window shows and hides by itself, not by its parent.
    if (Control->GetVisible())
        ShowWindow(Control->GetHandle(), SW_SHOWNOACTIVATE);
    else if (Control->HandleAllocated())
        ShowWindow(Control->GetHandle(), SW_HIDE);
}

// ---- TGxFlyoutControl ------------------------------------------------------------------

TGxFlyoutControl::TGxFlyoutControl(TComponent* AOwner) : TCustomControl(AOwner)
{
    SetControlStyle(GetControlStyle() + TControlStyle{csNoDesignVisible});
    BringToFront();
    // A window of its own on the screen, shown when asked for.
    SetVisible(false);
}

void TGxFlyoutControl::CreateParams(TCreateParams& Params)
{
    TCustomControl::CreateParams(Params);
    FloatingWindowParams(Params);
}

void TGxFlyoutControl::WMEraseBkgnd(TMessage& Message)
{
    Message.Result = 1;
}

void TGxFlyoutControl::CMVisibleChanged(TMessage& Message)
{
    TCustomControl::CMVisibleChanged(Message);
    ShowFloatingWindow(this);
}

// ---- TRollShadow -----------------------------------------------------------------------

TRollShadow::TRollShadow(TComponent* AOwner) : TGxFlyoutControl(AOwner) {}

void TRollShadow::AfterConstruction()
{
    TGxFlyoutControl::AfterConstruction();
    SetWindowShape();
    FKind = rkVertical;
}

void TRollShadow::SetPosition(const TPoint& P)
{
    SetWindowShape();
    FPosition = P;
    SetBounds(P.X - 7, P.Y - 11, 32, 32);
}

void TRollShadow::Paint()
{
    TGxFlyoutControl::Paint();
    GetCanvas()->GetBrush()->SetColor(clGrayText);
    GetCanvas()->FillRect(GetClientRect());
}

void TRollShadow::SetWindowShape()
{
    const TPoint Up[] = {{-1, 7}, {7, -1}, {8, 0}, {14, 7}, {0, 6}};
    const TPoint Down[] = {{-1, 15}, {14, 15}, {6, 22}, {6, 22}, {-1, 14}};
    HRGN Shape = CreateRectRgn(0, 0, 0, 0);
    HRGN UpArrow = CreatePolygonRgn(Up, 5, WINDING);
    HRGN DownArrow = CreatePolygonRgn(Down, 5, WINDING);
    HRGN Dot = CreateEllipticRgn(5, 9, 10, 14);
    CombineRgn(Shape, UpArrow, DownArrow, RGN_OR);
    CombineRgn(Shape, Shape, Dot, RGN_OR);
    SetWindowRgn(GetHandle(), Shape, true);
    DeleteObject(UpArrow);
    DeleteObject(DownArrow);
    DeleteObject(Dot);
}

} // namespace GxFlyoutControl
