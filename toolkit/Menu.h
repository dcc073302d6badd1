// Numbered menus: a window's menu bar with drop-down titles, and popup menus shown at the
// mouse. A menu is built by calls that append to the menu created last; a chosen item
// reaches the application as an EventKindMenu event carrying the item number.
//
// A bar:   MenuCreate, then per drop-down MenuAddTitle and its MenuAddItem / MenuAddBar calls.
// A popup: PopupMenuCreate, then its items. A bar can't be added to after PopupMenuCreate.
#pragma once

#include <windows.h>

#include <cstdint>

// Once at start-up, before any menu is built.
void MenusInit();

// A new, empty menu bar for `window` (AutoNumber: a new number); a menu already under that
// number is freed first. It is attached as soon as its first title or item is added.
// Result: the native menu handle, or for AutoNumber the new number; 0 on failure.
intptr_t MenuCreate(int number, HWND window);
// Starts a drop-down on the bar being built; the following items go into it.
void MenuAddTitle(const char* text);
// Item numbers are 1 .. 65535 (the native command field is 16 bits).
void MenuAddItem(int item, const char* text);
// A separator line: it has no item number and can't be chosen.
void MenuAddBar();

// A new, empty popup menu; result as for MenuCreate.
intptr_t PopupMenuCreate(int number);
// Shows the popup just above and left of the mouse pointer; returns when it closes.
// The chosen item comes as WM_COMMAND to `window`. Unknown numbers do nothing.
void PopupMenuShow(int number, HWND window);
// As PopupMenuShow, with the popup's top-left corner at screen position x, y.
void PopupMenuShowAt(int number, HWND window, int x, int y);

// Puts popup menu `popup` into the drop-down being built, as a submenu titled `text`. The
// popup stays the one to change (MenuClear, MenuAppend); the bar frees it with itself.
void MenuAddSubmenu(int popup, const char* text);

// Changing a menu after it was built: `number` names a bar or a popup; an item is found in
// its drop-downs and submenus too. Unknown numbers or items do nothing.
void MenuClear(int number); // every item of a popup goes
void MenuAppend(int number, int item, const char* text, bool enabled = true);
void MenuItemSet(int number, int item, const char* text, bool enabled);

// Detaches a bar from its window and destroys the menu; unknown numbers do nothing.
void MenuFree(int number);
