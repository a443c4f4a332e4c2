// components/SizeGripThemed.cpp
#include "components/SizeGripThemed.h"
#include "platform/win/UxTheme.h"

#include <algorithm>

namespace SizeGripThemed {

namespace {

// The theme data of the status bar for the target's window (0 when themes are off).
HTHEME OpenStatusTheme(TWinControl* Target)
{
    return OpenThemeData(Target && Target->HandleAllocated() ? Target->GetHandle() : nullptr, u"status");
}

} // namespace

void TSizeGripThemed::SetThemed(bool Value)
{
    if (Value == FThemed) return;
    InvalidateGrip();
    FThemed = Value;
    UpdateGrip();
}

bool TSizeGripThemed::UseThemes() const
{
    return FThemed && IsThemeActive() && IsAppThemed();
}

void TSizeGripThemed::GetGripRect(TRect& Rect)
{
    if (!UseThemes() || !GetTargetControl()) {
        TSizeGrip::GetGripRect(Rect);
        return;
    }
    TSize Size(GetSystemMetrics(SM_CXVSCROLL), GetSystemMetrics(SM_CYHSCROLL));
    if (HTHEME Theme = OpenStatusTheme(GetTargetControl())) {
        TSize Gripper;
        if (SUCCEEDED(GetThemePartSize(Theme, nullptr, SP_GRIPPER, 0, nullptr, TS_TRUE, &Gripper))) {
            Size.cx = std::max(Size.cx, Gripper.cx);
            Size.cy = std::max(Size.cy, Gripper.cy);
        }
        CloseThemeData(Theme);
    }
    Rect = CornerSquare(Size.cx, Size.cy);
}

void TSizeGripThemed::PaintIt(HDC DC, const TRect& R)
{
    if (UseThemes())
        if (HTHEME Theme = OpenStatusTheme(GetTargetControl())) {
            const HRESULT Result = DrawThemeBackground(Theme, DC, SP_GRIPPER, 0, &R, &R);
            CloseThemeData(Theme);
            if (SUCCEEDED(Result)) return;
        }
    TSizeGrip::PaintIt(DC, R);
}

} // namespace SizeGripThemed
