#include "ScrollControlFixtures.h"
#include "platform/testing/Scroll.h"

namespace {

using namespace GxFlyoutControl;
using namespace platform::test;

using GxFlyoutControlTest = TFormTest;

// A flyout that paints itself blue.
class TBlueFlyout : public TGxFlyoutControl {
public:
    using TGxFlyoutControl::TGxFlyoutControl;

protected:
    void Paint() override
    {
        GetCanvas()->GetBrush()->SetColor(clBlue);
        GetCanvas()->FillRect(GetClientRect());
    }
};

TEST_F(GxFlyoutControlTest, AFlyoutFloatsOnTopAndNeverTakesTheFocus)
{
    auto* Edit = New<TProbeControl>(Form);
    Edit->SetParent(Form);
    ActivateWindow(Form);
    Edit->SetFocus();
    ProcessEvents();
    ASSERT_TRUE(Edit->Focused());

    TOwned<TBlueFlyout> Flyout(New<TBlueFlyout>(Form));
    EXPECT_TRUE(Flyout->GetControlStyle().Contains(csNoDesignVisible));
    const DWORD Style = DWORD(GetWindowLongA(Flyout->GetHandle(), GWL_STYLE));
    const DWORD ExStyle = DWORD(GetWindowLongA(Flyout->GetHandle(), GWL_EXSTYLE));
    EXPECT_EQ(Style & (WS_CHILD | WS_TABSTOP | WS_GROUP), 0u);
    EXPECT_TRUE(Style & WS_POPUP);
    EXPECT_EQ(ExStyle & (WS_EX_TOPMOST | WS_EX_TOOLWINDOW), WS_EX_TOPMOST | WS_EX_TOOLWINDOW);
    EXPECT_TRUE(IsFloatingToolWindow(Flyout.get()));

    // Placed in screen coordinates, shown and clicked: the form keeps the focus.
    const TPoint At = Form->ClientToScreen(TPoint(40, 40));
    Flyout->SetBounds(At.X, At.Y, 30, 20);
    EXPECT_FALSE(Flyout->GetVisible());
    EXPECT_FALSE(IsWindowVisible(Flyout->GetHandle()));
    Flyout->Show();
    ProcessEvents();
    EXPECT_TRUE(IsWindowVisible(Flyout->GetHandle()));
    TRect R;
    GetWindowRect(Flyout->GetHandle(), &R);
    EXPECT_EQ(R, Bounds(At.X, At.Y, 30, 20));
    Click(Flyout.get(), 5, 5);
    ProcessEvents();
    EXPECT_TRUE(Edit->Focused());
    EXPECT_EQ(Screen->GetActiveForm(), Form);
    EXPECT_EQ(PixelAt(Flyout.get(), 10, 10), clBlue);
    EXPECT_EQ(Flyout->Perform(WM_ERASEBKGND, 0, 0), 1);
    Flyout->Hide();
    EXPECT_FALSE(IsWindowVisible(Flyout->GetHandle()));
    EXPECT_TRUE(Edit->Focused());
}

TEST_F(GxFlyoutControlTest, TheRollShadowIsTwoArrowsAndADotAroundItsPoint)
{
    TOwned<TRollShadow> Shadow(New<TRollShadow>(nullptr));
    EXPECT_EQ(Shadow->GetKind(), rkVertical);
    Shadow->SetKind(rkBoth);
    EXPECT_EQ(Shadow->GetKind(), rkBoth);
    Shadow->SetPosition(TPoint(100, 100));
    EXPECT_EQ(Shadow->GetBoundsRect(), Bounds(93, 89, 32, 32));
    TRect R;
    GetWindowRect(Shadow->GetHandle(), &R);
    EXPECT_EQ(R, Bounds(93, 89, 32, 32));

    // Window point (7, 11) is the marked point: the dot.
    EXPECT_TRUE(WindowShapeContains(Shadow.get(), 7, 11));
    EXPECT_TRUE(WindowShapeContains(Shadow.get(), 7, 2));   // the upward arrow's tip
    EXPECT_TRUE(WindowShapeContains(Shadow.get(), 2, 6));   // its base
    EXPECT_TRUE(WindowShapeContains(Shadow.get(), 6, 20));  // the downward arrow
    EXPECT_TRUE(WindowShapeContains(Shadow.get(), 12, 15)); // its base
    EXPECT_FALSE(WindowShapeContains(Shadow.get(), 1, 11)); // beside the dot
    EXPECT_FALSE(WindowShapeContains(Shadow.get(), 6, 24)); // below the lower tip
    EXPECT_FALSE(WindowShapeContains(Shadow.get(), 20, 20));
    // The shape is painted in the grey of disabled text.
    EXPECT_EQ(PixelAt(Shadow.get(), 7, 11), ColorToRGB(clGrayText));
}

} // namespace
