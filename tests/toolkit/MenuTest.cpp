#include "toolkit/Menu.h"

#include "support/WinTestUtil_win32.h"

#include <gtest/gtest.h>

#include <thread>
#include <vector>

namespace {

// The item number of the first menu event within a few seconds; 0 when none came.
int MenuEventWait() {
    return EventWaitFor(EventKindMenu) ? EventMenuId() : 0;
}

// On a second thread: waits for a popup menu to show and types `keys`; Escape after.
struct PopupPicker {
    explicit PopupPicker(std::vector<WORD> keys) : thread([keys] { Run(keys); }) {}
    ~PopupPicker() { thread.join(); }
    static HWND PopupFind() {
        HWND popup = FindWindowA("#32768", nullptr);
        return popup && IsWindowVisible(popup) ? popup : nullptr;
    }
    static void Run(const std::vector<WORD>& keys) {
        if (!ThreadWaitUntil([] { return PopupFind() != nullptr; }, 3000))
            return;
        for (WORD key : keys)
            InputKey(key);
        if (!ThreadWaitUntil([] { return PopupFind() == nullptr; }, 3000))
            InputKey(VK_ESCAPE);
    }
    std::thread thread;
};

class MenuTest : public testing::Test {
  protected:
    static void SetUpTestSuite() {
        ToolkitTestInit();
        MenusInit();
        WindowOpen(1, 100, 100, 400, 200, "Menus", 0, nullptr);
    }
    static void TearDownTestSuite() { WindowCloseAll(); }
    void SetUp() override {
        ASSERT_NE(window, nullptr);
        ASSERT_TRUE(WindowForegroundMake(window));
    }
    void TearDown() override { MenuFree(1); }
    HMENU BarBuild() {
        HMENU bar = reinterpret_cast<HMENU>(MenuCreate(1, window));
        MenuAddTitle("&File");
        EXPECT_EQ(GetMenu(window), bar); // attached while it is built
        MenuAddItem(1, "&Open");
        MenuAddBar();
        MenuAddItem(2, "&Quit");
        MenuAddTitle("&Help");
        MenuAddItem(9, "&About");
        return bar;
    }
    HWND window = WindowNativeHandle(1);
};

TEST_F(MenuTest, TwoTitlesGiveTwoDropDownsPickedWithTheKeyboard) {
    HMENU first = BarBuild();
    HMENU bar = BarBuild();
    EXPECT_FALSE(IsMenu(first));
    EXPECT_EQ(GetMenu(window), bar);
    ASSERT_EQ(GetMenuItemCount(bar), 2);
    HMENU file = GetSubMenu(bar, 0);
    ASSERT_EQ(GetMenuItemCount(file), 3);
    EXPECT_EQ(GetMenuState(file, 1, MF_BYPOSITION) & MF_SEPARATOR, static_cast<UINT>(MF_SEPARATOR));
    EXPECT_EQ(GetSubMenu(file, 2), nullptr); // the second title is not nested in the first
    EXPECT_EQ(GetMenuItemCount(GetSubMenu(bar, 1)), 1);

    struct Case {
        std::vector<WORD> keys; // Alt alone, then the title's letter, opens its drop-down
        int item;
    } cases[] = {
        {{VK_MENU, 'H', VK_RETURN}, 9},
        {{VK_MENU, 'F', VK_DOWN, VK_RETURN}, 2}, // the separator is passed over
    };
    for (const Case& c : cases) {
        SetForegroundWindow(window);
        for (WORD key : c.keys)
            InputKey(key);
        EXPECT_EQ(MenuEventWait(), c.item) << &c - cases;
    }
    MenuFree(1);
    EXPECT_EQ(GetMenu(window), nullptr);
    EXPECT_FALSE(IsMenu(bar));
}

TEST_F(MenuTest, PopupReportsTheChoiceToItsOwner) {
    HMENU bar = BarBuild();
    const int number = static_cast<int>(PopupMenuCreate(AutoNumber));
    MenuAddItem(20, "&Copy");
    MenuAddBar();
    MenuAddItem(21, "&Paste");
    EXPECT_EQ(GetMenuItemCount(GetSubMenu(bar, 1)), 1); // the bar stays as it was
    // Another window is in front: the popup must still show and report to its owner.
    ASSERT_NE(WindowOpen(2, 500, 100, 200, 100, "Other", 0, nullptr), 0);
    SetForegroundWindow(WindowNativeHandle(2));
    {
        PopupPicker picker({'P'}); // the pointer may already rest on the first item
        PopupMenuShow(number, window);
    }
    EXPECT_EQ(MenuEventWait(), 21);
    MenuFree(number);
}

} // namespace
