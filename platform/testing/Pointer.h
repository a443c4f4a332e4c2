// Driving the pointer at screen points from tests, as the window system
// delivers it: each event goes to the top-level window under the point, or
// while a button is held (or a Qt popup holds the mouse) to the window that
// has the mouse; Qt then picks the widget inside, grabs it for the press and
// serves its popups, as for real input. The platform's capture (SetCapture)
// and the control under the pointer follow from there. Points stay still on
// the screen while windows move or resize under them, as when the user drags
// a size grip. Tests include this instead of any Qt header.
#pragma once
#include "platform/controls/StdCtrls.h"
#include "platform/testing/TestDriving.h"

namespace platform::test {

void MouseDownAtScreen(const TPoint& ScreenPos, TMouseButton Button = mbLeft);
void MouseMoveAtScreen(const TPoint& ScreenPos);
void MouseUpAtScreen(const TPoint& ScreenPos, TMouseButton Button = mbLeft);
void ClickAtScreen(const TPoint& ScreenPos, TMouseButton Button = mbLeft);

// Where item Index of the combo box's open drop-down list lies on the screen
// (empty while the list is closed).
TRect DropDownItemRect(TCustomComboBox* Combo, int Index);

} // namespace platform::test
