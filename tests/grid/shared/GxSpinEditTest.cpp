#include "grid/shared/GxNumberEdit.h"
#include "tests/grid/shared/ArrowProbe.h"
#include "platform/testing/Pointer.h"
#include "platform/win/WindowHook.h"
#include "tests/platform/controls/ControlFixtures.h"
#include "tests/support/PumpUntil.h"
#include "tests/support/TestSupport.h"

#include <climits>
#include <cstdlib>
#include <functional>
#include <vector>

namespace {

using namespace GxNumberEdit;
using namespace platform::test;

// A spin edit on the form whose steps are timed as they come.
class GxSpinEditTest : public TFormTest {
protected:
    void SetUp() override
    {
        TFormTest::SetUp();
        Spin = New<TGxSpinEdit>(Form);
        Spin->SetParent(Form);
        Spin->SetBounds(10, 10, 120, 22);
        Spin->OnSpin = [this](TObject*, TSpinButtonSet) { Steps.push_back(MonotonicMilliseconds()); };
        Other = New<TEdit>(Form);
        Other->SetParent(Form);
        Other->SetTop(60);
        ProcessEvents();
    }
    // Holds Up for 2 s, ends the spin with End and expects no step in the
    // 300 ms after, though the key may still repeat.
    void HoldUpThen(const char* How, const std::function<void(THeldKey&)>& End)
    {
        SCOPED_TRACE(How);
        Steps.clear();
        THeldKey Up(Spin, VK_UP);
        ASSERT_EQ(Steps.size(), 1u);
        PumpFor(2000);
        ASSERT_GE(Steps.size(), 5u);
        EXPECT_GE(Steps[1] - Steps[0], Int64(0.9 * TGxSpinButtons::RepeatDelay));
        End(Up);
        const std::size_t Count = Steps.size();
        PumpFor(300);
        EXPECT_EQ(Steps.size(), Count);
    }
    double Step(TSpinButton Button, double From)
    {
        Spin->SetValue(From);
        Spin->GetButtons()->SetPressedButtons({Button});
        Spin->GetButtons()->SetPressedButtons({});
        return Spin->GetValue();
    }
    TGxSpinEdit* Spin = nullptr;
    TEdit* Other = nullptr;
    std::vector<Int64> Steps;
};

TEST_F(GxSpinEditTest, HoldingUpStepsAtThePressThenOnTheButtonsRhythmUntilItEnds)
{
    int Repeats = 0, Releases = 0;
    TWindowHook Hook;
    Hook.Hook(Spin->GetHandle(), [&](TMessage& M) {
        Repeats += M.Msg == WM_KEYDOWN && (M.LParam & 0x40000000);
        Releases += M.Msg == WM_KEYUP;
        Hook.PassOn(M);
    });
    HoldUpThen("released", [&](THeldKey& Up) {
        EXPECT_GT(Repeats, 0);
        EXPECT_EQ(Releases, 0);
        Up.Release();
        EXPECT_EQ(Releases, 1);
    });
    Hook.Unhook();
    EXPECT_EQ(Spin->GetValue(), double(Steps.size()));
    EXPECT_EQ(Spin->GetSelStart(), int(Spin->GetText().size()));
    HoldUpThen("focus lost", [&](THeldKey&) { Other->SetFocus(); });
    HoldUpThen("hidden", [&](THeldKey&) { Spin->Hide(); });
}

TEST_F(GxSpinEditTest, TheWheelStepsOncePerNotchButNotInAGridCellOrWithoutButtons)
{
    const int Y = Spin->GetClientHeight() / 2;
    MouseWheel(Spin, 20, Y, -WHEEL_DELTA);
    EXPECT_EQ(Spin->GetValue(), -1);
    MouseWheel(Spin, 20, Y, 2 * WHEEL_DELTA);
    EXPECT_EQ(Spin->GetValue(), 1);
    EXPECT_EQ(Steps.size(), 3u);
    for (const bool InGrid : {true, false}) {
        Spin->SetInplaceEditor(InGrid);
        Spin->SetSpinButtons(InGrid);
        MouseWheel(Spin, 20, Y, WHEEL_DELTA);
        PressKey(Spin, VK_UP);
        PressKey(Spin, VK_DOWN);
        EXPECT_EQ(Steps.size(), 3u);
    }
    EXPECT_EQ(Spin->GetValue(), 1);
}

TEST_F(GxSpinEditTest, TheButtonsSitAtTheRightInsideTheBorderAndTheTextEndsBeforeThem)
{
    TGxSpinButtons* Buttons = Spin->GetButtons();
    const auto RightMargin = [&] { return HIWORD(SendMessageA(Spin->GetHandle(), EM_GETMARGINS, 0, 0)); };
    for (const int Width : {120, 200}) {
        Spin->SetWidth(Width);
        ProcessEvents();
        EXPECT_EQ(Buttons->GetBoundsRect(), Bounds(Spin->GetClientWidth() - 17, 1, 17, Spin->GetClientHeight() - 1));
        EXPECT_TRUE(IsWindowVisible(Buttons->GetHandle()));
        EXPECT_EQ(RightMargin(), 17);
    }
    MouseMove(Spin, 10, 5);
    EXPECT_EQ(Buttons->GetHoverButtons(), (TSpinButtonSet{sbUp, sbDown}));
    MouseMove(Form, 250, 150);
    EXPECT_TRUE(Buttons->GetHoverButtons().Empty());
    Spin->SetSpinButtons(false);
    EXPECT_FALSE(IsWindowVisible(Buttons->GetHandle()));
    EXPECT_EQ(RightMargin(), 0);
}

TEST_F(GxSpinEditTest, StepsKeepToTheRangeAndWithoutSignsEndAtZero)
{
    Spin->SetOptions({eoAllowFloat});
    EXPECT_EQ(Step(sbDown, 3), 2);
    EXPECT_EQ(Step(sbDown, 0.5), 0);
    const std::size_t Count = Steps.size();
    EXPECT_EQ(Step(sbDown, 0), 0);
    EXPECT_EQ(Steps.size(), Count); // no step, no OnSpin
    Spin->SetMax(10);
    EXPECT_EQ(Step(sbUp, 8.5), 9.5);
    EXPECT_EQ(Step(sbUp, 9.5), 9.5);
    Spin->SetMin(5);
    Spin->SetMax(0);
    EXPECT_EQ(Step(sbUp, 17), 18);
    EXPECT_EQ(Step(sbDown, 5.5), 5.5);
    Spin->SetReadOnly(true);
    EXPECT_EQ(Step(sbUp, 7), 7);
    Spin->SetMin(0);

    for (const auto& [Value, Integer] : {std::pair{2.5, 2}, {3.5, 4}, {-2.5, -2}, {1e12, INT_MAX}}) {
        Spin->SetValue(Value);
        EXPECT_EQ(Spin->GetAsInteger(), Integer) << Value;
    }
}

TEST_F(GxSpinEditTest, TheTimeEditShowsTheTimeNowKeepsItsButtonsHiddenAndFallsBackToTheLocale)
{
    TFormatSettingsGuard Restore;
    FormatSettings = DefaultFormatSettings();
    const AnsiString Before = TimeToStr(Now());
    auto* Time = New<TGxTimeEdit>(Form);
    EXPECT_TRUE(Time->GetText() == Before || Time->GetText() == TimeToStr(Now())) << Time->GetText();
    Time->SetParent(Form);
    Time->SetWidth(150);
    EXPECT_FALSE(IsWindowVisible(Time->GetButtons()->GetHandle()));

    EXPECT_EQ(Time->GetTimeFormat() + Time->GetTimeSeparator(), "h:mm:ss:");
    FormatSettings.LongTimeFormat = "HH:mm:ss";
    FormatSettings.TimeSeparator = '.';
    EXPECT_EQ(Time->GetTimeFormat() + Time->GetTimeSeparator(), "HH:mm:ss.");
    Time->SetTimeFormat("hh:mm:ss AM/PM");
    Time->SetTimeSeparator("-");
    EXPECT_EQ(Time->GetTimeFormat() + Time->GetTimeSeparator(), "hh:mm:ss-");
    EXPECT_EQ(CleanTimeFormat("hhh:mmm:sss:"), "hh:mm:ss");
}

// Spin edits (buttons normal, hovered, pressed, disabled), a number edit with
// a unit, one showing its zero text and a time edit; with
// QUILLMOTE_SHEET_DIR set, saved as a PNG to be looked at.
TEST_F(GxSpinEditTest, SheetOfNumberSpinAndTimeEdits)
{
    TFormatSettingsGuard Restore;
    FormatSettings = DefaultFormatSettings();
    Form->SetClientWidth(310);
    Form->SetClientHeight(146);
    Form->SetColor(clWhite);
    Other->Hide();
    Spin->SetWidth(130);
    std::vector<TGxCustomEdit*> Edits{Spin};
    for (int I = 1; I < 7; ++I) {
        TGxCustomEdit* E = I < 4   ? static_cast<TGxCustomEdit*>(New<TGxSpinEdit>(Form))
                           : I < 6 ? static_cast<TGxCustomEdit*>(New<TGxNumberEdit>(Form))
                                   : New<TGxTimeEdit>(Form);
        E->SetParent(Form);
        E->SetBounds(10 + (I % 2) * 150, 10 + (I / 2) * 34, 130, 24);
        Edits.push_back(E);
    }
    auto Buttons = [&](int I) { return static_cast<TGxSpinEdit*>(Edits[I])->GetButtons(); };
    static_cast<TGxNumberEdit*>(Edits[4])->SetTextAfter(" kg");
    static_cast<TGxNumberEdit*>(Edits[4])->SetValue(1.5);
    static_cast<TGxNumberEdit*>(Edits[5])->SetNullText("n/a");
    Edits[6]->SetText("12:34:56 PM");
    Buttons(1)->SetHoverButtons({sbUp});
    Buttons(2)->SetPressedButtons({sbDown});
    Edits[3]->SetEnabled(false);
    ProcessEvents();
    for (int I = 0; I < 4; ++I)
        EXPECT_NE(PixelAt(Buttons(I), 3, Buttons(I)->GetHeight() / 4), PixelAt(Edits[I], 5, 5)) << I;
    // Each half's arrow at least 3 pixels wide and narrower than the face.
    auto HalfRect = [&](int I, bool Up) {
        const int W = Buttons(I)->GetClientWidth(), H = Buttons(I)->GetClientHeight();
        return Up ? TRect(0, 0, W, H / 2) : TRect(0, H / 2, W, H);
    };
    for (int I = 0; I < 4; ++I)
        for (bool Up : {true, false}) {
            const int Width = ArrowWidth(Buttons(I), HalfRect(I, Up));
            EXPECT_GE(Width, 3) << I << (Up ? " up" : " down");
            EXPECT_LE(Width, Buttons(I)->GetClientWidth() / 2) << I << (Up ? " up" : " down");
        }
    // Edits 1 to 3 are of one size: 1 hovers over its up half, 2 presses its
    // down half, 3 is disabled, and the other halves of 1 and 2 are normal.
    auto Half = [&](int I, bool Up) {
        const TRect R = HalfRect(I, Up);
        std::vector<TColor> Pixels;
        for (int Y = R.Top + 2; Y < R.Bottom - 2; ++Y)
            for (int X = 2; X < R.Right - 2; ++X)
                Pixels.push_back(PixelAt(Buttons(I), X, Y));
        return Pixels;
    };
    const auto NormalUp = Half(2, true), NormalDown = Half(1, false);
    EXPECT_NE(Half(2, false), NormalDown); // pressed
    EXPECT_NE(Half(3, false), NormalDown); // disabled
    EXPECT_NE(Half(3, true), NormalUp);
    EXPECT_NE(Half(2, false), Half(3, false)); // pressed and disabled apart
    if (GxThemesSupport::IsThemed()) {
        EXPECT_NE(Half(1, true), NormalUp); // hovered
        EXPECT_NE(Half(1, true), Half(3, true));
    } else {
        EXPECT_EQ(Half(1, true), NormalUp); // the classic look has no hovered state
    }
    EXPECT_EQ(Edits[4]->GetText(), "1.50 kg");
    EXPECT_EQ(Edits[5]->GetText(), "n/a");
    if (const char* Dir = std::getenv("QUILLMOTE_SHEET_DIR")) {
        const char* Look = GxThemesSupport::IsThemed() ? "themed" : "classic";
        EXPECT_TRUE(SaveWindowImage(Form, AnsiString(Dir) + "/GxNumberEditSheet-" + Look + ".png"));
    }
    Buttons(2)->SetPressedButtons({});
}

TEST_F(GxSpinEditTest, EachHalfOfATwentyTwoPixelSpinEditShowsAnArrowAtLeastThreePixelsWide)
{
    TGxSpinButtons* Buttons = Spin->GetButtons();
    const int W = Buttons->GetClientWidth(), H = Buttons->GetClientHeight();
    ASSERT_GE(H, 16);
    for (bool Disabled : {false, true}) {
        SCOPED_TRACE(Disabled ? "disabled" : "enabled");
        Spin->SetEnabled(!Disabled);
        Buttons->Invalidate();
        const int Up = ArrowWidth(Buttons, TRect(0, 0, W, H / 2));
        const int Down = ArrowWidth(Buttons, TRect(0, H / 2, W, H));
        EXPECT_GE(Up, 3);
        EXPECT_GE(Down, 3);
        // An arrow, not the whole face.
        EXPECT_LE(Up, W / 2);
        EXPECT_LE(Down, W / 2);
    }
}

TEST_F(GxSpinEditTest, ADisabledSpinEditStepsNeitherFromItsButtonsNorFromTheWheel)
{
    std::vector<TPoint> FormDowns;
    Form->OnMouseDown = [&FormDowns](TObject*, TMouseButton, TShiftState, int X, int Y) {
        FormDowns.push_back(TPoint(X, Y));
    };
    ActivateWindow(Form);
    TGxSpinButtons* Buttons = Spin->GetButtons();
    const TPoint Up = Buttons->ClientToScreen(TPoint(Buttons->GetWidth() / 2, 3));
    const int Y = Spin->GetClientHeight() / 2;
    // Enabled, a click on the upper button and a notch of the wheel step once each.
    ClickAtScreen(Up);
    MouseWheel(Spin, 20, Y, WHEEL_DELTA);
    EXPECT_EQ(Spin->GetValue(), 2);

    // Disabled, the press goes to the form in its coordinates, the wheel to nobody that steps.
    Spin->SetEnabled(false);
    ClickAtScreen(Up);
    MouseWheel(Spin, 20, Y, WHEEL_DELTA);
    MouseWheel(Buttons, 3, 3, WHEEL_DELTA);
    EXPECT_EQ(Spin->GetValue(), 2);
    EXPECT_EQ(Steps.size(), 2u);
    EXPECT_EQ(FormDowns, std::vector<TPoint>{Form->ScreenToClient(Up)});
    EXPECT_TRUE(Buttons->GetPressedButtons().Empty());
}

} // namespace
