// A control state held for a scope.
#pragma once
#include "platform/controls/Control.h"

// Includes Item in the control's state and excludes it again when the scope
// ends, however it ends.
class TControlStateGuard {
public:
    TControlStateGuard(TControl* Control, TControlStateItem Item) : FControl(Control), FItem(Item)
    {
        FControl->SetControlState(FControl->GetControlState() + TControlState{FItem});
    }
    ~TControlStateGuard() { FControl->SetControlState(FControl->GetControlState() - TControlState{FItem}); }
    TControlStateGuard(const TControlStateGuard&) = delete;
    TControlStateGuard& operator=(const TControlStateGuard&) = delete;

private:
    TControl* FControl;
    TControlStateItem FItem;
};
