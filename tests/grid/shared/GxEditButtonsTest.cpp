#include "grid/shared/GxEdit.h"
#include "tests/grid/shared/ArrowProbe.h"
#include "tests/platform/controls/ControlFixtures.h"

#include <functional>
#include <map>
#include <thread>

namespace {

using namespace GxEdit;
using namespace platform::test;

using GxEditButtonsTest = TFormTest;

// Runs the event loop for Milliseconds.
void RunFor(Int64 Milliseconds)
{
    const Int64 End = MonotonicMilliseconds() + Milliseconds;
    while (MonotonicMilliseconds() < End) {
        ProcessEvents();
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
}

TEST_F(GxEditButtonsTest, TheSmallButtonGoesDownClicksOnReleaseAndFollowsTheMouse)
{
    auto* Button = New<TGxSmallButton>(Form);
    Button->SetParent(Form);
    Button->SetBounds(10, 10, 20, 20);
    std::vector<std::string> Log;
    Button->OnButtonDown = [&](TObject* Sender) { Log.push_back(Sender == Button ? "down" : "?"); };
    Button->OnButtonClick = [&](TObject* Sender) { Log.push_back(Sender == Button ? "click" : "?"); };
    ProcessEvents();

    MouseMove(Button, 5, 5);
    EXPECT_TRUE(Button->GetHover());
    MouseDown(Button, 5, 5, mbRight);
    EXPECT_FALSE(Button->GetDown());
    MouseUp(Button, 5, 5, mbRight);
    MouseDown(Button, 5, 5);
    EXPECT_TRUE(Button->GetDown());
    EXPECT_EQ(Log, (std::vector<std::string>{"down"}));
    MouseUp(Button, 5, 5);
    EXPECT_FALSE(Button->GetDown());
    EXPECT_EQ(Log, (std::vector<std::string>{"down", "click"}));
    // A release without a press before it is no click.
    MouseUp(Button, 5, 5);
    EXPECT_EQ(Log.size(), 2u);
    MouseMove(Form, 100, 100);
    EXPECT_FALSE(Button->GetHover());
    EXPECT_EQ(Button->Perform(WM_ERASEBKGND, 0, 0), 1);
}

// Spin buttons on the form whose steps are timed as they come.
class GxSpinButtonsTest : public TFormTest {
protected:
    void SetUp() override
    {
        TFormTest::SetUp();
        Spin = New<TGxSpinButtons>(Form);
        Spin->SetParent(Form);
        Spin->SetBounds(50, 50, 17, 20);
        Spin->OnSpin = [this](TObject*, TSpinButtonSet Buttons) {
            Steps.push_back(MonotonicMilliseconds());
            Halves.push_back(Buttons);
        };
        ProcessEvents();
    }
    // Presses the up half, holds it until the repeat is running, ends the
    // press with End, and expects no step in the 300 ms after.
    void ExpectStopsOn(const std::function<void()>& End)
    {
        Steps.clear();
        MouseDown(Spin, 5, 3);
        RunFor(TGxSpinButtons::RepeatDelay + 100);
        ASSERT_GE(Steps.size(), 2u);
        End();
        const std::size_t Count = Steps.size();
        RunFor(300);
        EXPECT_EQ(Steps.size(), Count);
        if (Spin) {
            EXPECT_TRUE(Spin->GetPressedButtons().Empty());
        }
        MouseUp(Form, 0, 0);
    }
    TGxSpinButtons* Spin = nullptr;
    std::vector<Int64> Steps;
    std::vector<TSpinButtonSet> Halves;
};

TEST_F(GxSpinButtonsTest, HoldingAHalfSpinsOnceThenRepeatsAfterTheDelayUntilTheRelease)
{
    MouseDown(Spin, 5, 15);
    ASSERT_EQ(Steps.size(), 1u);
    EXPECT_EQ(Halves[0], TSpinButtonSet{sbDown});
    EXPECT_EQ(Spin->GetPressedButtons(), TSpinButtonSet{sbDown});
    RunFor(2000);
    ASSERT_GE(Steps.size(), 5u);
    EXPECT_GE(Steps[1] - Steps[0], Int64(0.9 * TGxSpinButtons::RepeatDelay));
    for (const TSpinButtonSet& H : Halves)
        EXPECT_EQ(H, TSpinButtonSet{sbDown});
    MouseUp(Spin, 5, 15);
    const std::size_t Count = Steps.size();
    RunFor(300);
    EXPECT_EQ(Steps.size(), Count);

    // The upper half (above Height div 2) spins up.
    MouseDown(Spin, 5, 9);
    MouseUp(Spin, 5, 9);
    EXPECT_EQ(Halves.back(), TSpinButtonSet{sbUp});
}

TEST_F(GxSpinButtonsTest, RepetitionStopsWhenThePressEndsAnyOtherWay)
{
    {
        SCOPED_TRACE("capture taken by another window");
        auto* Other = New<TProbeControl>(Form);
        Other->SetParent(Form);
        ExpectStopsOn([&] { SetCapture(Other->GetHandle()); });
        ReleaseCapture();
    }
    {
        SCOPED_TRACE("capture released");
        ExpectStopsOn([] { ReleaseCapture(); });
    }
    {
        SCOPED_TRACE("hidden");
        ExpectStopsOn([&] { Spin->Hide(); });
        Spin->Show();
    }
    {
        SCOPED_TRACE("parent hidden");
        auto* Panel = New<TProbeControl>(Form);
        Panel->SetParent(Form);
        Spin->SetParent(Panel);
        Spin->SetBounds(0, 0, 17, 20);
        ProcessEvents();
        ExpectStopsOn([&] { Panel->Hide(); });
        Spin->SetParent(Form);
    }
    {
        SCOPED_TRACE("disabled");
        ExpectStopsOn([&] { Spin->SetEnabled(false); });
        Spin->SetEnabled(true);
    }
    {
        SCOPED_TRACE("freed");
        ExpectStopsOn([&] { FreeAndNil(Spin); });
    }
}

TEST_F(GxSpinButtonsTest, PressingInCodeSpinsOnceAndAnEmptySetStops)
{
    Spin->SetPressedButtons({sbUp});
    EXPECT_EQ(Steps.size(), 1u);
    RunFor(TGxSpinButtons::RepeatDelay + 100);
    EXPECT_GE(Steps.size(), 2u);
    Spin->SetPressedButtons({});
    const std::size_t Count = Steps.size();
    RunFor(300);
    EXPECT_EQ(Steps.size(), Count);
}

// The inside of the up and down halves as painted (their rounded or shaded
// rims blend with what lay under them).
std::pair<std::vector<TColor>, std::vector<TColor>> Painted(TGxSpinButtons* Spin)
{
    std::pair<std::vector<TColor>, std::vector<TColor>> Result;
    Spin->Invalidate();
    const int Middle = Spin->GetHeight() / 2;
    for (int Y = 0; Y < Spin->GetHeight(); ++Y)
        for (int X = 2; X < Spin->GetWidth() - 2; ++X)
            if (Y >= 2 && Y < Middle - 2)
                Result.first.push_back(PixelAt(Spin, X, Y));
            else if (Y >= Middle + 2 && Y < Spin->GetHeight() - 2)
                Result.second.push_back(PixelAt(Spin, X, Y));
    return Result;
}

TEST_F(GxSpinButtonsTest, EachHalfPaintsItsOwnStateAndBothPaintDisabled)
{
    // Both arrows at least 3 pixels wide, and less than the face, in every state.
    auto ExpectArrows = [&](const char* State) {
        SCOPED_TRACE(State);
        const int Middle = Spin->GetHeight() / 2;
        for (const TRect& Half :
             {TRect(0, 0, Spin->GetWidth(), Middle), TRect(0, Middle, Spin->GetWidth(), Spin->GetHeight())}) {
            const int Width = ArrowWidth(Spin, Half);
            EXPECT_GE(Width, 3);
            EXPECT_LE(Width, Spin->GetWidth() / 2);
        }
    };
    const auto Normal = Painted(Spin);
    EXPECT_NE(Normal.first, Normal.second); // the arrows point apart
    ExpectArrows("normal");

    Spin->SetPressedButtons({sbUp});
    const auto UpPressed = Painted(Spin);
    ExpectArrows("up pressed");
    EXPECT_NE(UpPressed.first, Normal.first);
    EXPECT_EQ(UpPressed.second, Normal.second);
    Spin->SetPressedButtons({sbDown});
    const auto DownPressed = Painted(Spin);
    EXPECT_EQ(DownPressed.first, Normal.first);
    EXPECT_NE(DownPressed.second, Normal.second);
    Spin->SetPressedButtons({});

    MouseMove(Spin, 5, 3);
    EXPECT_EQ(Spin->GetHoverButtons(), TSpinButtonSet{sbUp});
    const auto UpHot = Painted(Spin);
    ExpectArrows("up hovered");
    if (GxThemesSupport::IsThemed()) {
        EXPECT_NE(UpHot.first, Normal.first);
    }
    EXPECT_EQ(UpHot.second, Normal.second);
    MouseMove(Form, 5, 5);
    EXPECT_TRUE(Spin->GetHoverButtons().Empty());

    Spin->SetEnabled(false);
    const auto Disabled = Painted(Spin);
    ExpectArrows("disabled");
    EXPECT_NE(Disabled.first, Normal.first);
    EXPECT_NE(Disabled.second, Normal.second);
    EXPECT_EQ(Spin->Perform(WM_ERASEBKGND, 0, 0), 1);

    // Hovered, pressed and disabled each look their own (the classic look
    // has no hovered state: there it is the normal one).
    EXPECT_NE(UpPressed.first, Disabled.first);
    if (GxThemesSupport::IsThemed()) {
        EXPECT_NE(UpHot.first, UpPressed.first);
        EXPECT_NE(UpHot.first, Disabled.first);
    } else {
        EXPECT_EQ(UpHot.first, Normal.first);
    }
}

} // namespace
