// Actions: a command that controls share. Only what the controls here ask
// of one: a checked mark a control can read and clear.
#pragma once
#include "platform/classes/Classes.h"

class TBasicAction : public TComponent {
public:
    QM_CLASS(TBasicAction, TComponent)
    using TComponent::TComponent;
};

class TCustomAction : public TBasicAction {
public:
    QM_CLASS(TCustomAction, TBasicAction)
    using TBasicAction::TBasicAction;

    bool GetChecked() const { return FChecked; }
    void SetChecked(bool Value) { FChecked = Value; }

private:
    bool FChecked = false;
};

class TAction : public TCustomAction {
public:
    QM_CLASS(TAction, TCustomAction)
    using TCustomAction::TCustomAction;
};
