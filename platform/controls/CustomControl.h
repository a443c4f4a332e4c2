// TCustomControl: a windowed control that paints itself.
#pragma once
#include "platform/controls/ControlCanvas.h"
#include "platform/controls/WinControl.h"

#include <memory>

// A windowed control that paints itself: Paint draws on Canvas into the
// window's backing image.
class TCustomControl : public TWinControl {
public:
    QM_CLASS(TCustomControl, TWinControl)
    explicit TCustomControl(TComponent* AOwner);
    ~TCustomControl() override;
    TCanvas* GetCanvas() const { return FCanvas.get(); }

protected:
    virtual void Paint() {}
    void PaintWindow(HDC DC) override;
    void WMPaint(TMessage& Message) override;

private:
    std::unique_ptr<TControlCanvas> FCanvas;
};
