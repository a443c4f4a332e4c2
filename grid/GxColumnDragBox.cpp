// grid/GxColumnDragBox.cpp
#include "grid/GxColumnDragBox.h"
#include "grid/shared/GxThemesSupport.h"
#include "platform/win/WinShape.h"

namespace GxColumnDragBox {

using GxThemesSupport::IsThemed;

// ---- TColumnDragBox ----------------------------------------------------------------------------

TColumnDragBox::TColumnDragBox(TComponent* AOwner)
    : TGxFlyoutControl(AOwner), FGrid(AOwner), FStyleDisplay(New<TDefaultStyleDisplay>(this))
{
    FStyleDisplay->SetCanvas(GetCanvas());
}

TColumnDragBox::~TColumnDragBox() = default;

void TColumnDragBox::Show(int, int, TGxCustomColumn* Column, bool Hidden)
{
    // The dragged header shows no sort arrow.
    FStyleDisplay->SetShowSortArrows(false);
    if (auto* Grid = dynamic_cast<TControl*>(FGrid)) FStyleDisplay->GetCanvas()->GetFont()->Assign(Grid->GetFont());
    SetVisible(!Hidden);
    FColumn = Column;
    FDragging = true;
    // As if the button went down on the box: it takes the mouse from the
    // grid that got the press, and the moves and the release come here.
    SendMessageA(GetHandle(), WM_LBUTTONDOWN, 0, 0);
}

void TColumnDragBox::MouseMove(TShiftState Shift, int X, int Y)
{
    TGxFlyoutControl::MouseMove(Shift, X, Y);
    const TPoint P = ClientToScreen(TPoint(X, Y));
    const int Width = GetClientWidth(), Height = GetClientHeight();
    // Centred over the pointer, the lower edge 4 pixels below it.
    DoDragBoxMove(P.X, P.Y);
    SetBounds(P.X - Width / 2, P.Y - Height + 4, Width, Height);
}

void TColumnDragBox::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y)
{
    TGxFlyoutControl::MouseUp(Button, Shift, X, Y);
    if (Button != mbLeft || !FDragging) return;
    FDragging = false;
    Hide();
    const TPoint P = ClientToScreen(TPoint(X, Y));
    DoDragBoxDrop(P.X, P.Y);
}

void TColumnDragBox::WMCaptureChanged(TMessage& Message)
{
    TGxFlyoutControl::WMCaptureChanged(Message);
    // The release lets the mouse go after the button is up; anything that
    // takes the mouse while the button is held ends the drag with no drop.
    if (!FDragging || !GetControlState().Contains(csLButtonDown)) return;
    CancelDrag();
}

void TColumnDragBox::ForgetColumn()
{
    FColumn = nullptr;
    if (FDragging) CancelDrag();
}

void TColumnDragBox::CancelDrag()
{
    FDragging = false;
    Hide();
    if (HandleAllocated() && GetCapture() == GetHandle()) ReleaseCapture();
    DoDragBoxCancel();
}

void TColumnDragBox::Paint()
{
    TGxFlyoutControl::Paint();
    const TRect R = GetClientRect();
    if (FColumn) {
        FStyleDisplay->SetThemed(IsThemed());
        FStyleDisplay->DrawHeader(FColumn, R);
    }
    TCanvas* Canvas = GetCanvas();
    Canvas->GetPen()->SetColor(clBlack);
    Canvas->MoveTo(0, R.Bottom - 1);
    Canvas->LineTo(R.Right - 1, R.Bottom - 1);
    Canvas->LineTo(R.Right - 1, -1);
}

void TColumnDragBox::DoDragBoxDrop(int X, int Y)
{
    if (OnDragBoxDrop) OnDragBoxDrop(this, X, Y);
}

void TColumnDragBox::DoDragBoxMove(int X, int Y)
{
    if (OnDragBoxMove) OnDragBoxMove(this, X, Y);
}

void TColumnDragBox::DoDragBoxCancel()
{
    if (OnDragBoxCancel) OnDragBoxCancel(this);
}

// ---- TDragArrow --------------------------------------------------------------------------------

TDragArrow::TDragArrow(TComponent* AOwner) : TGxFlyoutControl(AOwner)
{
    SetBounds(GetLeft(), GetTop(), 9, 9);
}

void TDragArrow::SetArrowKind(TArrowKind Value)
{
    FArrowKind = Value;
    SetWindowShape();
}

void TDragArrow::SetWindowShape()
{
    // The upward arrow's left inner corner sits one pixel higher than its
    // right one.
    static const TPoint Up[] = {{-1, 5}, {4, -1}, {9, 5}, {6, 5}, {6, 9}, {3, 9}, {3, 4}, {0, 5}};
    static const TPoint Down[] = {{5, 0}, {3, 0}, {3, 4}, {0, 4}, {4, 9}, {9, 4}, {6, 4}, {6, 0}};
    if (FArrowKind == akNone) return;
    SetWindowRgn(GetHandle(), CreatePolygonRgn(FArrowKind == akUp ? Up : Down, 8, WINDING), true);
}

void TDragArrow::Paint()
{
    TGxFlyoutControl::Paint();
    GetCanvas()->GetBrush()->SetColor(TColor(0x0000FF));
    GetCanvas()->FillRect(GetClientRect());
}

} // namespace GxColumnDragBox
