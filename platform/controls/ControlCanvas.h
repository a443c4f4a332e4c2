// The canvas of a control.
#pragma once
#include "platform/controls/Control.h"
#include "platform/graphics/Graphics.h"
#include "platform/rtl/ScopeExit.h"

// Draws on its control through the control's device context, made when the
// first drawing needs it and given back by FreeHandle.
class TControlCanvas : public TCanvas {
public:
    QM_CLASS(TControlCanvas, TCanvas)
    ~TControlCanvas() override;
    TControl* GetControl() const { return FControl; }
    void SetControl(TControl* Value);
    void FreeHandle();
    // Runs Paint with the canvas locked on DC, and lets it go however Paint ends.
    template <typename TPaint> void PaintOn(HDC DC, TPaint Paint)
    {
        Lock();
        SetHandle(DC);
        TScopeExit Done([this] {
            SetHandle(nullptr);
            Unlock();
        });
        Paint();
    }
    void UpdateTextFlags() {}

protected:
    void CreateHandle() override;

private:
    TControl* FControl = nullptr;
    HDC FDeviceContext = nullptr;
    HWND FWindowHandle = nullptr;
};
