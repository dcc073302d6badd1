#include "toolkit/Menu.h"

#include "runtime/Registry.h"

namespace {

struct MenuRecord {
    HMENU Handle; // the bar or popup; owned here until attached, then also by the owner
    HWND Owner;   // the window whose bar this is; null for a popup
};

constexpr int ParentStackSize = 64;

// The menu being built, by its handles; MenuFree clears it when that menu goes, so nothing
// is appended to a menu that is gone.
struct MenuBuildState {
    HMENU Current; // bar or popup created last
    HWND CurrentOwner;
    HMENU Target; // where items go: the bar, its newest drop-down, or the popup
    HMENU ParentStack[ParentStackSize];
    int ParentDepth;
};

ObjectTable* menuTable = nullptr;
MenuBuildState* menuBuild = nullptr;

MenuRecord* MenuFind(int number) {
    return menuTable ? static_cast<MenuRecord*>(ObjectLookup(menuTable, number)) : nullptr;
}

// Re-attaching after every change keeps the bar visible and current while it is built. Each
// time costs the window a new frame; a hidden window needs the bar attached only once, and
// WindowShow sizes the frame to the finished bar.
void MenuBarRefresh() {
    HWND owner = menuBuild->CurrentOwner;
    if (owner && (IsWindowVisible(owner) || GetMenu(owner) != menuBuild->Current))
        SetMenu(owner, menuBuild->Current);
}

intptr_t MenuRecordCreate(int number, HMENU (*create)(), HWND owner) {
    if (!menuTable || !menuBuild)
        return 0;
    int assigned = number;
    MenuRecord* record = static_cast<MenuRecord*>(ObjectAcquire(menuTable, number, &assigned));
    if (!record)
        return 0;
    HMENU menu = create();
    if (!menu) {
        if (number == AutoNumber)
            ObjectRelease(menuTable, assigned);
        return 0;
    }
    record->Handle = menu;
    record->Owner = owner;
    menuBuild->Current = menu;
    menuBuild->CurrentOwner = owner;
    menuBuild->Target = menu;
    menuBuild->ParentDepth = 0;
    return number == AutoNumber ? assigned : reinterpret_cast<intptr_t>(menu);
}

HMENU PopupCreate() {
    return CreatePopupMenu();
}
HMENU BarCreate() {
    return CreateMenu();
}

} // namespace

void MenusInit() {
    if (!menuTable)
        menuTable = ObjectTableCreate(sizeof(MenuRecord), 16, MenuFree);
    if (!menuBuild)
        menuBuild = static_cast<MenuBuildState*>(LibraryStateCreate(sizeof(MenuBuildState)));
}

intptr_t MenuCreate(int number, HWND window) {
    return MenuRecordCreate(number, BarCreate, window);
}

intptr_t PopupMenuCreate(int number) {
    return MenuRecordCreate(number, PopupCreate, nullptr);
}

void MenuAddTitle(const char* text) {
    if (!menuBuild || !menuBuild->Target)
        return;
    if (menuBuild->ParentDepth > 0) {
        // A title always starts a new drop-down on the bar, never one inside the last.
        menuBuild->ParentDepth = 0;
        menuBuild->Target = menuBuild->Current;
    }
    HMENU dropDown = CreateMenu();
    if (!dropDown)
        return;
    if (!AppendMenuA(menuBuild->Target, MF_POPUP, reinterpret_cast<UINT_PTR>(dropDown),
                     text ? text : "")) {
        DestroyMenu(dropDown);
        return;
    }
    if (menuBuild->ParentDepth < ParentStackSize)
        menuBuild->ParentStack[menuBuild->ParentDepth++] = menuBuild->Target;
    menuBuild->Target = dropDown;
    MenuBarRefresh();
}

void MenuAddItem(int item, const char* text) {
    if (!menuBuild || !menuBuild->Target)
        return;
    AppendMenuA(menuBuild->Target, MF_STRING, static_cast<UINT_PTR>(item), text ? text : "");
    MenuBarRefresh();
}

void MenuAddBar() {
    if (!menuBuild || !menuBuild->Target)
        return;
    AppendMenuA(menuBuild->Target, MF_SEPARATOR, static_cast<UINT_PTR>(-1), nullptr);
}

void MenuAddSubmenu(int popup, const char* text) {
    MenuRecord* menu = MenuFind(popup);
    if (!menuBuild || !menuBuild->Target || !menu || menu->Owner)
        return;
    if (AppendMenuA(menuBuild->Target, MF_POPUP, reinterpret_cast<UINT_PTR>(menu->Handle),
                    text ? text : ""))
        menu->Owner = menuBuild->CurrentOwner; // destroyed with the bar from now on
    MenuBarRefresh();
}

void MenuClear(int number) {
    if (MenuRecord* menu = MenuFind(number))
        while (GetMenuItemCount(menu->Handle) > 0)
            DeleteMenu(menu->Handle, 0, MF_BYPOSITION);
}

void MenuAppend(int number, int item, const char* text, bool enabled) {
    if (MenuRecord* menu = MenuFind(number))
        AppendMenuA(menu->Handle, MF_STRING | (enabled ? MF_ENABLED : MF_GRAYED),
                    static_cast<UINT_PTR>(item), text ? text : "");
}

void MenuItemSet(int number, int item, const char* text, bool enabled) {
    MenuRecord* menu = MenuFind(number);
    if (!menu)
        return;
    ModifyMenuA(menu->Handle, UINT(item), MF_BYCOMMAND | MF_STRING | (enabled ? 0 : MF_GRAYED),
                UINT_PTR(item), text ? text : "");
}

void PopupMenuShow(int number, HWND window) {
    POINT mouse = {};
    GetCursorPos(&mouse);
    // One pixel up and left puts the pointer inside the first item.
    PopupMenuShowAt(number, window, mouse.x - 1, mouse.y - 1);
}

void PopupMenuShowAt(int number, HWND window, int x, int y) {
    MenuRecord* menu = MenuFind(number);
    if (!menu)
        return;
    // In the foreground the popup closes when the user clicks elsewhere.
    SetForegroundWindow(window);
    TrackPopupMenu(menu->Handle, TPM_RIGHTBUTTON, x, y, 0, window, nullptr);
}

void MenuFree(int number) {
    MenuRecord* menu = MenuFind(number);
    if (!menu)
        return;
    if (menuBuild && menuBuild->Current == menu->Handle) {
        *menuBuild = MenuBuildState{}; // nothing may be appended to a menu that is gone
    }
    if (!menu->Owner) {
        DestroyMenu(menu->Handle);
    } else if (IsWindow(menu->Owner)) {
        if (GetMenu(menu->Owner) == menu->Handle)
            SetMenu(menu->Owner, nullptr);
        DestroyMenu(menu->Handle);
    }
    // A bar whose window is gone was destroyed with it; its handle may name another menu now.
    ObjectRelease(menuTable, number);
}
