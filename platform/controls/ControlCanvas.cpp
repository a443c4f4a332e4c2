// The canvas of a control.
#include "platform/controls/ControlCanvas.h"
#include "platform/win/WinUser.h"

TControlCanvas::~TControlCanvas()
{
    FreeHandle();
}

void TControlCanvas::SetControl(TControl* Value)
{
    if (FControl == Value) return;
    FreeHandle();
    FControl = Value;
}

void TControlCanvas::CreateHandle()
{
    if (!FControl) {
        TCanvas::CreateHandle();
        return;
    }
    if (FDeviceContext && !IsWindow(FWindowHandle)) FreeHandle();
    if (!FDeviceContext) FDeviceContext = FControl->GetDeviceContext(FWindowHandle);
    SetHandle(FDeviceContext);
}

void TControlCanvas::FreeHandle()
{
    if (!FDeviceContext) return;
    SetHandle(nullptr);
    ReleaseDC(FWindowHandle, FDeviceContext);
    FDeviceContext = nullptr;
}
