// Driving menus from tests the way a user would (see TestDriving.h).
#pragma once
#include "platform/controls/Menus.h"

namespace platform::test {
// Picks a menu item the way a user does: opens the menus above it (the form's
// menu bar, then each sub-menu) and clicks the item with the mouse.
// False when the item is not on screen in a shown menu (hidden, disabled or
// not attached to a form).
bool ClickMenuItem(TMenuItem* Item);
// The text the item shows in its menu (a separator line shows none).
AnsiString ShownMenuText(TMenuItem* Item);
} // namespace platform::test
