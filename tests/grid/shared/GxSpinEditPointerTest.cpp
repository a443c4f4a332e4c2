#include "grid/shared/GxNumberEdit.h"
#include "platform/testing/Pointer.h"
#include "tests/platform/controls/ControlFixtures.h"

#include <vector>

namespace {

using namespace GxNumberEdit;
using namespace platform::test;

using GxSpinEditPointerTest = TFormTest;

TEST_F(GxSpinEditPointerTest, ADisabledSpinEditStepsNeitherFromItsButtonsNorFromTheWheel)
{
    auto* Spin = New<TGxSpinEdit>(Form);
    Spin->SetParent(Form);
    Spin->SetBounds(10, 10, 120, 22);
    int Steps = 0;
    Spin->OnSpin = [&Steps](TObject*, TSpinButtonSet) { ++Steps; };
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
    EXPECT_EQ(Steps, 2);
    EXPECT_EQ(FormDowns, std::vector<TPoint>{Form->ScreenToClient(Up)});
    EXPECT_TRUE(Buttons->GetPressedButtons().Empty());
}

} // namespace
