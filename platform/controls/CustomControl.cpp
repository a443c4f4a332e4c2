// TCustomControl: a windowed control that paints itself.
#include "platform/controls/CustomControl.h"

TCustomControl::TCustomControl(TComponent* AOwner) : TWinControl(AOwner), FCanvas(std::make_unique<TControlCanvas>())
{
    FCanvas->SetControl(this);
}

TCustomControl::~TCustomControl()
{
    FCanvas->FreeHandle();
}

void TCustomControl::PaintWindow(HDC DC)
{
    FCanvas->PaintOn(DC, [this] { Paint(); });
}

void TCustomControl::WMPaint(TMessage& Message)
{
    CustomPaintHandler(Message);
}
