#include "grid/shared/GxScrollControl.h"
#include "grid/shared/GxThemesSupport.h"
#include "platform/rtl/SysUtils.h"
#include "platform/win/WinGdi.h"
#include "tests/platform/controls/ControlFixtures.h"
#include "tests/support/PumpUntil.h"

namespace {

using namespace GxScrollControl;
using namespace platform::test;

// A bordered control 120 x 150 whose bar has 40 steps and a 20-pixel thumb,
// placed where the control puts it; it notes when each step happened.
class TBarOwner : public TGxControl {
public:
    explicit TBarOwner(TComponent* AOwner) : TGxControl(AOwner)
    {
        SetBounds(10, 10, 120, 150);
        SetColor(clYellow);
        GetVertScrollBar()->SetMax(40);
        GetVertScrollBar()->SetPageSize(20);
        const TRect R = GetVertScrollBarRect();
        GetVertScrollBar()->SetBounds(R.Left, R.Top, R.Width(), R.Height());
    }
    std::vector<Int64> Steps;

protected:
    int GetVertOffset(int, int) override
    {
        Steps.push_back(MonotonicMilliseconds());
        return 0;
    }
};

class GxPaintedScrollBar : public TFormTest {
protected:
    void SetUp() override
    {
        TFormTest::SetUp();
        Owner = New<TBarOwner>(Form);
        Owner->SetParent(Form);
        Bar = Owner->GetVertScrollBar();
    }
    TPoint Middle(const TRect& R) const { return TPoint((R.Left + R.Right) / 2, (R.Top + R.Bottom) / 2); }
    // True when the control shows in R the theme's Part in State or, classic,
    // the frame control Look.
    bool Shows(const TRect& R, int Part, int State, UINT Look = 0)
    {
        TBitmap Expected;
        Expected.SetSize(R.Width(), R.Height());
        TRect Box(0, 0, R.Width(), R.Height());
        const HDC DC = Expected.GetCanvas()->GetHandle();
        if (GxThemesSupport::IsThemed())
            GxThemesSupport::ThemeRect(Owner->GetHandle(), DC, Box, u"scrollbar", Part, State);
        else
            DrawFrameControl(DC, &Box, DFC_SCROLL, Look | DFCS_ADJUSTRECT);
        for (int Y = 0; Y < R.Height(); ++Y)
            for (int X = 0; X < R.Width(); ++X)
                if (ColorToRGB(Expected.GetCanvas()->GetPixels(X, Y)) != PixelAt(Owner, R.Left + X, R.Top + Y))
                    return false;
        return true;
    }
    TBarOwner* Owner = nullptr;
    TGxVertScrollBar* Bar = nullptr;
};

TEST_F(GxPaintedScrollBar, GeometryInsideTheBorder)
{
    EXPECT_EQ(Owner->GetControlRect(), TRect(2, 2, 101, 148));
    EXPECT_EQ(Owner->GetVertScrollBarRect(), TRect(101, 2, 118, 148));
    EXPECT_EQ(Bar->GetButtonRect(bkForward), TRect(101, 131, 118, 148));
    EXPECT_EQ(Bar->GetInnerHeight(), 112);
    // The thumb travels the track less its height: (112 - 20) * 10 / 40 = 23.
    Bar->SetPosition(10);
    EXPECT_EQ(Bar->GetThumbRect(), TRect(101, 42, 118, 62));
    EXPECT_EQ(Bar->GetPageDownRect(), TRect(101, 62, 118, 131));
    Bar->SetPosition(40);
    EXPECT_EQ(Bar->GetThumbRect().Bottom, 131);

    // The border: black outside, the control's colour one pixel in.
    EXPECT_EQ(PixelAt(Owner, 0, 0), clBlack);
    EXPECT_EQ(PixelAt(Owner, 1, 1), clYellow);
    // Without the bar the control takes its place.
    Bar->SetMax(0);
    EXPECT_EQ(Owner->GetControlWidth(), 116);
}

TEST_F(GxPaintedScrollBar, PartsShowTheirStates)
{
    const bool Themed = GxThemesSupport::IsThemed();
    const TRect Forward = Bar->GetButtonRect(bkForward);
    const TRect Back = Bar->GetButtonRect(bkBack);
    Bar->SetPosition(10);
    EXPECT_TRUE(Shows(Forward, SBP_ARROWBTN, ABS_DOWNNORMAL, DFCS_SCROLLDOWN));
    EXPECT_TRUE(Shows(Back, SBP_ARROWBTN, ABS_UPNORMAL, DFCS_SCROLLUP));
    if (Themed) {
        EXPECT_TRUE(Shows(Bar->GetPageUpRect(), SBP_LOWERTRACKVERT, 1));
    } else {
        // The checkered track, and the raised thumb filled with the button face.
        const TPoint P = Middle(Bar->GetPageDownRect());
        EXPECT_NE(PixelAt(Owner, P.X, P.Y), PixelAt(Owner, P.X + 1, P.Y));
        EXPECT_EQ(PixelAt(Owner, P.X, P.Y), PixelAt(Owner, P.X + 1, P.Y + 1));
        const TPoint T = Middle(Bar->GetThumbRect());
        EXPECT_EQ(PixelAt(Owner, T.X, T.Y), ColorToRGB(clBtnFace));
    }

    // Hover (no classic look of its own), then pushed, which wins over hover.
    const TPoint F = Middle(Forward);
    MouseMove(Owner, F.X, F.Y);
    EXPECT_TRUE(Shows(Forward, SBP_ARROWBTN, ABS_DOWNHOT, DFCS_SCROLLDOWN));
    MouseDown(Owner, F.X, F.Y);
    EXPECT_TRUE(Shows(Forward, SBP_ARROWBTN, ABS_DOWNPRESSED, DFCS_SCROLLDOWN | DFCS_PUSHED | DFCS_FLAT));
    MouseUp(Owner, F.X, F.Y);
    MouseMove(Owner, 20, 20);
    EXPECT_TRUE(Bar->GetForwardButtonState().Empty());

    // A page held down darkens its track in the classic look.
    const TPoint Page = Middle(Bar->GetPageDownRect());
    MouseDown(Owner, Page.X, Page.Y);
    if (!Themed) {
        EXPECT_EQ(PixelAt(Owner, Page.X, Bar->GetPageDownRect().Bottom - 2), ColorToRGB(cl3DDkShadow));
    }
    MouseUp(Owner, Page.X, Page.Y);

    // The gripper only on a thumb taller than 16 pixels.
    if (Themed) {
        Bar->SetPageSize(16);
        EXPECT_TRUE(Shows(Bar->GetThumbRect(), SBP_THUMBBTNVERT, SCRBS_NORMAL));
        Bar->SetPageSize(30);
        EXPECT_FALSE(Shows(Bar->GetThumbRect(), SBP_THUMBBTNVERT, SCRBS_NORMAL));
    }
}

TEST_F(GxPaintedScrollBar, APressActsOnOneAreaAndTheThumbStaysUnderThePointer)
{
    // A page that brings the thumb under the pointer moves one page and starts no drag.
    Bar->SetLargeChange(20);
    const int Y = Bar->GetPageDownRect().Top + 40;
    MouseDown(Owner, 105, Y);
    EXPECT_EQ(Bar->GetPosition(), 20);
    ASSERT_TRUE(PtInRect(Bar->GetThumbRect(), TPoint(105, Y)));
    EXPECT_FALSE(Bar->GetThumbState().Contains(tsPushed));
    MouseMove(Owner, 105, Y + 30);
    EXPECT_EQ(Bar->GetPosition(), 20);
    MouseUp(Owner, 105, Y + 30);

    // Taken 5 pixels below its top, the thumb keeps that point under the pointer.
    const TRect Thumb = Bar->GetThumbRect();
    MouseDown(Owner, 105, Thumb.Top + 5);
    EXPECT_TRUE(Bar->GetThumbState().Contains(tsPushed));
    for (int Dy : {23, 46, -40}) {
        MouseMove(Owner, 130, Thumb.Top + 5 + Dy); // beside the bar too
        EXPECT_NEAR(Bar->GetThumbRect().Top, Thumb.Top + Dy, 1) << Dy;
    }
    MouseUp(Owner, 105, 60);

    // Without a range there is no thumb to take; a thumb that fills the track cannot move.
    Bar->SetMax(0);
    EXPECT_TRUE(IsRectEmpty(Bar->GetThumbRect()));
    MouseDown(Owner, 105, 60);
    EXPECT_FALSE(Bar->GetThumbState().Contains(tsPushed));
    MouseUp(Owner, 105, 60);
    Bar->SetMax(40);
    Bar->SetPosition(0);
    Bar->SetPageSize(200);
    MouseDown(Owner, 105, 25);
    MouseMove(Owner, 105, 90);
    EXPECT_EQ(Bar->GetPosition(), 0);
    MouseUp(Owner, 105, 90);
}

TEST_F(GxPaintedScrollBar, AHeldArrowRepeatsAfterTheDelayUntilLetGo)
{
    const TPoint F = Middle(Bar->GetButtonRect(bkForward));
    auto Hold = [&] {
        Owner->Steps.clear();
        MouseDown(Owner, F.X, F.Y);
        return PumpUntil([&] { return Owner->Steps.size() >= 5; }, 2000);
    };
    auto StepsIn300ms = [&] {
        const size_t Before = Owner->Steps.size();
        PumpFor(300);
        return Owner->Steps.size() - Before;
    };
    ASSERT_TRUE(Hold());
    EXPECT_EQ(Bar->GetPosition(), int(Owner->Steps.size()));
    EXPECT_GE(Owner->Steps[1] - Owner->Steps[0], 270);
    MouseUp(Owner, F.X, F.Y);
    EXPECT_EQ(StepsIn300ms(), 0u);

    // Losing the mouse stops it, and so does hiding.
    ASSERT_TRUE(Hold());
    ReleaseCapture();
    EXPECT_EQ(StepsIn300ms(), 0u);
    MouseUp(Owner, F.X, F.Y);
    ASSERT_TRUE(Hold());
    Owner->Hide();
    EXPECT_EQ(StepsIn300ms(), 0u);
    EXPECT_EQ(Owner->GetScrollDirection(), sdIdle);
    MouseUp(Owner, F.X, F.Y);
}

} // namespace
