// The Qt menus behind the menu items shown now, for the platform's own code
// that drives them as a user would (platform/testing/Menus.cpp).
#pragma once

class QAction;
class QMenu;
class TMenuItem;

namespace platform::detail {
// The item's action (a sub-menu's own action for an item with sub-items),
// or null while the item is not shown.
QAction* MenuItemAction(TMenuItem* Item);
// The item's sub-menu, or null.
QMenu* MenuItemSubMenu(TMenuItem* Item);
} // namespace platform::detail
