// components/SizeGripThemed.h
// The size grip drawn as the visual style's status-bar gripper while visual
// styles are on, and as its plain self otherwise.
#pragma once
#include "components/SizeGrip.h"

namespace SizeGripThemed {

using namespace SizeGrip;

class TSizeGripThemed : public TSizeGrip {
public:
    QM_CLASS(TSizeGripThemed, TSizeGrip)
    using TSizeGrip::TSizeGrip;

    bool GetThemed() const { return FThemed; }
    void SetThemed(bool Value);

    // Themed: at least a scroll bar's width and height, or the gripper's own
    // size when that is larger.
    void GetGripRect(TRect& Rect) override;

protected:
    void PaintIt(HDC DC, const TRect& R) override;

private:
    // Themed, and the program runs with visual styles.
    bool UseThemes() const;

    bool FThemed = true;
};

} // namespace SizeGripThemed
