// TGraphicControl: a control without a window, painted on its parent.
#include "platform/controls/GraphicControl.h"

TGraphicControl::TGraphicControl(TComponent* AOwner) : TControl(AOwner), FCanvas(std::make_unique<TControlCanvas>())
{
    FCanvas->SetControl(this);
}

TGraphicControl::~TGraphicControl()
{
    FCanvas->FreeHandle();
}

void TGraphicControl::WMPaint(TMessage& Message)
{
    if (Message.WParam == 0 || GetComponentState().Contains(csDestroying)) return;
    FCanvas->PaintOn(reinterpret_cast<HDC>(Message.WParam), [this] { Paint(); });
}
