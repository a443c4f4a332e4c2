#include "ControlFixtures.h"
#include "platform/controls/HintWindow.h"
#include "platform/qt/Bridge.h"

#include <QWidget>
#include <QWindow>

namespace {

using HintWindowTest = TFormTest;

TEST_F(HintWindowTest, HintRectangleFitsTheTextAndBreaksLongOnes)
{
    TOwned<THintWindow> Hint(New<THintWindow>(nullptr));
    auto* C = New<TProbeControl>(Form);
    C->SetParent(Form);
    TCanvas* Canvas = C->GetCanvas();
    Canvas->SetFont(Hint->GetFont());

    const TRect One = Hint->CalcHintRect(300, "Short & sweet", nullptr);
    EXPECT_EQ(One, Rect(0, 0, Canvas->TextWidth("Short & sweet") + 6, Canvas->TextHeight("S") + 2));
    const TRect Many = Hint->CalcHintRect(80, "a rather longer hint that cannot fit on one line", nullptr);
    EXPECT_LE(Many.Right, 80 + 6);
    EXPECT_GE(Many.Bottom, 3 * Canvas->TextHeight("S") + 2);
    EXPECT_FALSE(Hint->HandleAllocated()); // measuring needs no window
}

TEST_F(HintWindowTest, ShowsOnTopWithoutTakingTheFocus)
{
    auto* Edit = platform::test::NewWrappedLineEdit(Form);
    Edit->SetParent(Form);
    platform::test::ActivateWindow(Form);
    Edit->SetFocus();
    platform::test::ProcessEvents();
    ASSERT_TRUE(Edit->Focused());

    TOwned<THintWindow> Hint(New<THintWindow>(nullptr));
    TRect R = Hint->CalcHintRect(200, "Hint text", nullptr);
    OffsetRect(R, 40, 50);
    Hint->ActivateHint(R, "Hint text");
    platform::test::ProcessEvents();
    EXPECT_TRUE(Hint->HandleAllocated());
    EXPECT_TRUE(IsWindowVisible(Hint->GetHandle()));
    EXPECT_EQ(Hint->GetCaption(), "Hint text");
    EXPECT_EQ(Hint->GetBoundsRect(), Rect(40, 50, R.Right, R.Bottom + 4));
    EXPECT_EQ(GetParent(Hint->GetHandle()), nullptr); // a top-level window
    EXPECT_TRUE(Form->GetActive());
    EXPECT_TRUE(Edit->Focused());

    // The info colour inside a one-pixel frame.
    const int W = Hint->GetWidth(), H = Hint->GetHeight();
    EXPECT_EQ(Hint->GetClientRect(), Rect(0, 0, W - 2, H - 2));
    EXPECT_EQ(platform::test::PixelAt(Hint.get(), W - 3, H - 3), ColorToRGB(clInfoBk));
    EXPECT_EQ(platform::test::PixelAt(Hint.get(), -1, -1), ColorToRGB(clWindowFrame));

    // Released, it goes; shown again, it comes back.
    Hint->ReleaseHandle();
    EXPECT_FALSE(Hint->HandleAllocated());
    EXPECT_FALSE(Hint->GetVisible());
    Hint->ActivateHint(R, "Again");
    EXPECT_TRUE(IsWindowVisible(Hint->GetHandle()));
    EXPECT_TRUE(Edit->Focused());
}

// Whether the shown window lets the pointer through to the windows beneath.
bool PassesThePointer(THintWindow* Hint)
{
    const QWindow* Window = platform::detail::WidgetOf(Hint->GetHandle())->windowHandle();
    return Window && Window->isVisible() && Window->flags().testFlag(Qt::WindowTransparentForInput);
}

TEST_F(HintWindowTest, LetsThePointerThroughAfterEveryShow)
{
    TOwned<THintWindow> Hint(New<THintWindow>(nullptr));
    const TRect R = Bounds(40, 50, 80, 16);
    Hint->ActivateHint(R, "over a cell");
    EXPECT_TRUE(PassesThePointer(Hint.get()));
    EXPECT_EQ(Hint->Perform(WM_NCHITTEST, 0, 0), HTTRANSPARENT);

    // The window system forgets it when the window is hidden (X does); the
    // next show puts it back.
    Hint->SetVisible(false);
    platform::detail::WidgetOf(Hint->GetHandle())->windowHandle()->setFlag(Qt::WindowTransparentForInput, false);
    Hint->ActivateHint(R, "again");
    EXPECT_TRUE(PassesThePointer(Hint.get()));

    // A new window after the old one went.
    Hint->ReleaseHandle();
    Hint->ActivateHint(R, "anew");
    EXPECT_TRUE(PassesThePointer(Hint.get()));
}

TEST_F(HintWindowTest, KeptOnTheScreen)
{
    TOwned<THintWindow> Hint(New<THintWindow>(nullptr));
    Hint->ActivateHint(Bounds(Screen->GetWidth() - 10, Screen->GetHeight() - 5, 60, 16), "edge");
    EXPECT_EQ(Hint->GetLeft(), Screen->GetWidth() - 60);
    EXPECT_EQ(Hint->GetTop(), Screen->GetHeight() - 20);
    Hint->ActivateHint(Bounds(-30, -40, 60, 16), "edge");
    EXPECT_EQ(Hint->GetLeft(), 0);
    EXPECT_EQ(Hint->GetTop(), 0);
}

TEST(HintWindow, ApplicationHintPauses)
{
    EXPECT_EQ(Application->GetHintPause(), 500);
    EXPECT_EQ(Application->GetHintHidePause(), 2500);
    Application->SetHintPause(100);
    Application->SetHintHidePause(900);
    EXPECT_EQ(Application->GetHintPause(), 100);
    EXPECT_EQ(Application->GetHintHidePause(), 900);
    Application->SetHintPause(500);
    Application->SetHintHidePause(2500);
}

} // namespace
