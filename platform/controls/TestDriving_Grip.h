// Driving the mouse at screen points from tests: a press of the left button
// over a control's window, moves and the release, each event carrying the
// screen position given. MouseDown/MouseMove/MouseUp (TestDriving.h) map
// client points through the control as it stands at each event; these keep
// the mouse's path still on the screen while the drag moves or resizes the
// windows under it, as when the user drags a size grip. Tests include this
// instead of any Qt header.
#pragma once
#include "platform/controls/TestDriving.h"

namespace platform::test {

// Each event goes to Control's window; the button stays down from the press
// to the release.
void MouseDownAtScreen(TWinControl* Control, const TPoint& ScreenPos);
void MouseMoveAtScreen(TWinControl* Control, const TPoint& ScreenPos);
void MouseUpAtScreen(TWinControl* Control, const TPoint& ScreenPos);

} // namespace platform::test
