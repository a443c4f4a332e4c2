// TGraphicControl: a control without a window, painted by its parent.
#pragma once
#include "platform/controls/Control.h"
#include "platform/controls/ControlCanvas.h"

#include <memory>

// A control without a window of its own, painted by its parent.
class TGraphicControl : public TControl {
public:
    QM_CLASS(TGraphicControl, TControl)
    explicit TGraphicControl(TComponent* AOwner);
    ~TGraphicControl() override;
    TCanvas* GetCanvas() const { return FCanvas.get(); }

protected:
    virtual void Paint() {}
    void WMPaint(TMessage& Message) override;

private:
    std::unique_ptr<TControlCanvas> FCanvas;
};
