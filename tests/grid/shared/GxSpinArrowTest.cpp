// The arrows of a 22-pixel spin edit, measured in the picture.
#include "grid/shared/GxNumberEdit.h"
#include "tests/grid/shared/ArrowProbe.h"
#include "tests/platform/controls/ControlFixtures.h"

namespace {

using namespace GxNumberEdit;
using namespace platform::test;

using GxSpinArrowTest = TFormTest;

TEST_F(GxSpinArrowTest, EachHalfOfATwentyTwoPixelSpinEditShowsAnArrowAtLeastThreePixelsWide)
{
    auto* Spin = New<TGxSpinEdit>(Form);
    Spin->SetParent(Form);
    Spin->SetBounds(10, 10, 120, 22);
    ProcessEvents();
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

} // namespace
