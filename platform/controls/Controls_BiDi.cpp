// The reading direction of a control.
#include "platform/controls/Controls.h"

void TControl::SetBiDiMode(TBiDiMode Value)
{
    if (Value == FBiDiMode) return;
    FBiDiMode = Value;
    Perform(CM_BIDIMODECHANGED, 0, 0);
}

bool TControl::UseRightToLeftScrollBar() const
{
    // Outside a right-to-left locale every control reads from left to right.
    return SysLocale.MiddleEast && (FBiDiMode == bdRightToLeft || FBiDiMode == bdRightToLeftNoAlign);
}
