// The menu bar built, rebuilt and used with the keyboard. The row popup is used with the mouse
// and the keyboard in the program's end-to-end tests.
#include "toolkit/Menu.h"

#include "support/WinTestUtil_win32.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

TEST(Menu, TwoTitlesGiveTwoDropDownsPickedWithTheKeyboardAndARebuildReplacesTheBar) {
    ToolkitTestInit();
    MenusInit();
    HWND window = reinterpret_cast<HWND>(WindowOpen(1, 100, 100, 400, 200, "Menus", 0, nullptr));
    ASSERT_TRUE(WindowForegroundMake(window));
    HMENU first = nullptr, bar = nullptr;
    for (HMENU* made : {&first, &bar}) {
        *made = reinterpret_cast<HMENU>(MenuCreate(1, window));
        MenuAddTitle("&File");
        EXPECT_EQ(GetMenu(window), *made); // attached while it is built
        MenuAddItem(1, "&Open");
        MenuAddBar();
        MenuAddItem(2, "&Quit");
        MenuAddTitle("&Help");
        MenuAddItem(9, "&About");
    }
    EXPECT_FALSE(IsMenu(first));
    ASSERT_EQ(GetMenuItemCount(bar), 2);
    HMENU file = GetSubMenu(bar, 0);
    ASSERT_EQ(GetMenuItemCount(file), 3);
    EXPECT_EQ(GetMenuState(file, 1, MF_BYPOSITION) & MF_SEPARATOR, UINT(MF_SEPARATOR));
    EXPECT_EQ(GetSubMenu(file, 2), nullptr); // the second title is not nested in the first
    EXPECT_EQ(GetMenuItemCount(GetSubMenu(bar, 1)), 1);
    const int popup = static_cast<int>(PopupMenuCreate(AutoNumber));
    MenuAddItem(20, "&Copy");
    EXPECT_EQ(GetMenuItemCount(GetSubMenu(bar, 1)), 1); // a popup built later leaves the bar
    MenuFree(popup);

    // Alt alone, then the title's letter, opens its drop-down; the separator is passed over.
    const std::pair<std::vector<WORD>, int> cases[] = {{{VK_MENU, 'H', VK_RETURN}, 9},
                                                       {{VK_MENU, 'F', VK_DOWN, VK_RETURN}, 2}};
    for (const auto& [keys, item] : cases) {
        SetForegroundWindow(window);
        for (WORD key : keys)
            InputKey(key);
        EXPECT_TRUE(EventWaitFor(EventKindMenu));
        EXPECT_EQ(EventMenuId(), item);
    }
    MenuFree(1);
    EXPECT_EQ(GetMenu(window), nullptr);
    EXPECT_FALSE(IsMenu(bar));
    WindowCloseAll();
}

} // namespace
