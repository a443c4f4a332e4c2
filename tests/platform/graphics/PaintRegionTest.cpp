// What a paint is asked to repaint, as its context's clip region tells it.
#include "../controls/ControlFixtures.h"
#include "platform/win/WinGdi.h"
#include "platform/win/WinUser.h"

#include <functional>

namespace {

// A control whose Paint hands its context's clip region to the test.
class TRegionSheet : public TCustomControl {
public:
    explicit TRegionSheet(TComponent* AOwner) : TCustomControl(AOwner) { SetBounds(0, 0, 120, 80); }
    std::function<void(HRGN Region, int Kind)> Seen;

protected:
    void Paint() override
    {
        HRGN Region = CreateRectRgn(0, 0, 0, 0);
        const int Kind = GetClipRgn(GetCanvas()->GetHandle(), Region);
        if (Seen) Seen(Region, Kind);
        DeleteObject(Region);
    }
};

class PaintRegionTest : public TFormTest {};

TEST_F(PaintRegionTest, APaintsClipRegionIsWhatWasInvalidatedNotItsBox)
{
    auto* Sheet = New<TRegionSheet>(Form);
    Sheet->SetParent(Form);
    platform::test::PaintNow(Sheet);
    const TRect Top(10, 5, 30, 15), Bottom(60, 50, 90, 70);
    InvalidateRect(Sheet->GetHandle(), &Top, false);
    InvalidateRect(Sheet->GetHandle(), &Bottom, false);
    int Paints = 0;
    Sheet->Seen = [&](HRGN Region, int Kind) {
        ++Paints;
        EXPECT_EQ(Kind, 1);
        const auto In = [Region](const TRect& R) { return RectInRegion(Region, &R) != 0; };
        EXPECT_TRUE(In(Top));
        EXPECT_TRUE(In(TRect(29, 14, 31, 16)));    // its last pixel
        EXPECT_FALSE(In(TRect(30, 5, 60, 15)));    // right of it, edge excluded
        EXPECT_FALSE(In(TRect(10, 15, 30, 50)));   // below it, down to the other
        EXPECT_FALSE(In(TRect(35, 20, 55, 45)));   // inside their box, in neither
        EXPECT_TRUE(In(TRect(-100, 69, 61, 500))); // the other's bottom-left pixel
        EXPECT_TRUE(In(TRect(-2000000000, -2000000000, 2000000000, 2000000000)));
        EXPECT_FALSE(In(TRect(89, 70, 2000000000, 2000000000)));
        // What the program selects narrows it.
        IntersectClipRect(Sheet->GetCanvas()->GetHandle(), 0, 0, 20, 80);
        HRGN Narrowed = CreateRectRgn(0, 0, 0, 0);
        EXPECT_EQ(GetClipRgn(Sheet->GetCanvas()->GetHandle(), Narrowed), 1);
        EXPECT_TRUE(PtInRegion(Narrowed, 19, 10));
        EXPECT_FALSE(PtInRegion(Narrowed, 20, 10));
        EXPECT_FALSE(PtInRegion(Narrowed, 65, 55));
        DeleteObject(Narrowed);
    };
    platform::test::PaintNow(Sheet);
    EXPECT_EQ(Paints, 1);
    // A region that is gone answers nothing.
    EXPECT_FALSE(RectInRegion(nullptr, &Top));
}

} // namespace
