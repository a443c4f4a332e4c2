// Private: the Qt menus behind the menu items shown now and the menu bars of
// forms, for the platform's own code (the menus and forms units, and
// platform/testing/Menus.cpp, which drives them as a user would).
#pragma once

class QAction;
class QMenu;
class QMenuBar;
class TCustomForm;
class TMainMenu;
class TMenuItem;

namespace platform::detail {
// The item's action (a sub-menu's own action for an item with sub-items),
// or null while the item is not shown.
QAction* MenuItemAction(TMenuItem* Item);
// The item's sub-menu, or null.
QMenu* MenuItemSubMenu(TMenuItem* Item);

// Puts Bar at the top of the form's window (null takes it away). The client
// size stays; the form's outer height becomes the bar's height + the client height.
void SetFormMenuBar(TCustomForm* Form, QMenuBar* Bar);
QMenuBar* FormMenuBar(TCustomForm* Form);
// Set by the menus unit: told when a form's Menu changes, so that the menu
// can build its bar (SetFormMenuBar) or take it away.
extern void (*FormMenuChanged)(TCustomForm* Form, TMainMenu* OldMenu, TMainMenu* NewMenu);
} // namespace platform::detail
