#include "toolkit/Menu.h"

#include "support/WinTestUtil_win32.h"

#include <gtest/gtest.h>

#include <thread>
#include <vector>

namespace {

void InputKeys(const std::vector<WORD>& keys) {
    for (WORD key : keys)
        InputKey(key);
}

// The item number of the first menu event within a few seconds; 0 when none came.
int MenuEventWait() {
    for (int turn = 0; turn < 200; ++turn)
        if (EventWaitTimeout(20) == EventKindMenu)
            return EventMenuId();
    return 0;
}

// On a second thread: waits for a popup menu to show, notes where, and types `keys`.
// Escape closes a popup that is still open later, so a failing test can't hang.
struct PopupPicker {
    explicit PopupPicker(std::vector<WORD> keys) : thread([this, keys] { Run(keys); }) {}
    ~PopupPicker() { Join(); }
    void Join() {
        if (thread.joinable())
            thread.join();
    }
    static HWND PopupFind() {
        HWND popup = FindWindowA("#32768", nullptr);
        return popup && IsWindowVisible(popup) ? popup : nullptr;
    }
    void Run(const std::vector<WORD>& keys) {
        for (int turn = 0; turn < 150 && !PopupFind(); ++turn)
            Sleep(20);
        found = GetWindowRect(PopupFind(), &shown) != 0;
        if (!found)
            return;
        InputKeys(keys);
        for (int turn = 0; turn < 150 && PopupFind(); ++turn)
            Sleep(20);
        if (PopupFind())
            InputKey(VK_ESCAPE);
    }
    bool found = false;
    RECT shown = {};
    std::thread thread;
};

class MenuTest : public testing::Test {
  protected:
    // One window for all tests: every closed window costs seconds under Wine.
    static void SetUpTestSuite() {
        ToolkitTestInit();
        MenusInit();
        WindowOpen(1, 100, 100, 400, 200, "Menus", 0, nullptr);
    }
    static void TearDownTestSuite() { WindowCloseAll(); }
    void SetUp() override {
        ASSERT_NE(window, nullptr);
        SetForegroundWindow(window);
        EventsPump(50);
    }
    void TearDown() override { MenuFree(1); }
    // The calculator's kind of bar: two titles, items and a separator.
    HMENU BarBuild() {
        HMENU bar = reinterpret_cast<HMENU>(MenuCreate(1, window));
        EXPECT_EQ(GetMenu(window), nullptr); // not before its first title
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

TEST_F(MenuTest, TwoTitlesGiveTwoDropDownsAndANumberIsReused) {
    HMENU first = BarBuild();
    HMENU bar = BarBuild();
    EXPECT_FALSE(IsMenu(first));
    EXPECT_EQ(GetMenu(window), bar);
    ASSERT_EQ(GetMenuItemCount(bar), 2);
    HMENU file = GetSubMenu(bar, 0);
    ASSERT_EQ(GetMenuItemCount(file), 3);
    EXPECT_EQ(GetMenuItemID(file, 0), 1u);
    EXPECT_EQ(GetMenuState(file, 1, MF_BYPOSITION) & MF_SEPARATOR, static_cast<UINT>(MF_SEPARATOR));
    EXPECT_EQ(GetMenuItemID(file, 2), 2u);
    EXPECT_EQ(GetSubMenu(file, 2), nullptr); // the second title is not nested in the first
    EXPECT_EQ(GetMenuItemCount(GetSubMenu(bar, 1)), 1);
    EXPECT_EQ(GetMenuItemID(GetSubMenu(bar, 1), 0), 9u);
    MenuFree(1);
    EXPECT_EQ(GetMenu(window), nullptr);
    EXPECT_FALSE(IsMenu(bar));
}

TEST_F(MenuTest, KeyboardChoiceBecomesAMenuEvent) {
    BarBuild();
    struct Case {
        std::vector<WORD> keys; // Alt alone, then the title's letter, opens its drop-down
        int item;
    } cases[] = {
        {{VK_MENU, 'H', VK_RETURN}, 9},
        {{VK_MENU, 'F', VK_RETURN}, 1},
        {{VK_MENU, 'F', VK_DOWN, VK_RETURN}, 2}, // the separator is passed over
        {{VK_MENU, 'F', VK_RIGHT, VK_RETURN}, 9},
    };
    for (const Case& c : cases) {
        SetForegroundWindow(window);
        InputKeys(c.keys);
        EXPECT_EQ(MenuEventWait(), c.item) << &c - cases;
    }
}

TEST_F(MenuTest, PopupTakesTheItemsOpensAtTheMouseAndReportsTheChoice) {
    HMENU bar = BarBuild();
    const int number = static_cast<int>(PopupMenuCreate(AutoNumber));
    ASSERT_GE(number, AutoNumberFirst);
    MenuAddItem(20, "&Copy");
    MenuAddBar();
    MenuAddItem(21, "&Paste");
    EXPECT_EQ(GetMenuItemCount(GetSubMenu(bar, 1)), 1); // the bar stays as it was
    // Another window is in front: the popup must still show and report to its owner.
    ASSERT_NE(WindowOpen(2, 500, 100, 200, 100, "Other", 0, nullptr), 0);
    SetForegroundWindow(WindowNativeHandle(2));
    SetCursorPos(300, 250);
    {
        PopupPicker picker({'P'}); // the pointer may already rest on the first item
        PopupMenuShow(number, window);
        picker.Join();
        ASSERT_TRUE(picker.found);
        EXPECT_EQ(picker.shown.left, 299);
        EXPECT_EQ(picker.shown.top, 249);
    }
    EXPECT_EQ(MenuEventWait(), 21);
    {
        PopupPicker picker({VK_DOWN, VK_RETURN});
        PopupMenuShowAt(number, window, 150, 160);
        picker.Join();
        EXPECT_EQ(picker.shown.left, 150);
    }
    EXPECT_EQ(MenuEventWait(), 20);
    MenuFree(number);
    PopupPicker picker({VK_RETURN});
    PopupMenuShow(number, window); // unknown now: nothing shows
    PopupMenuShowAt(42, window, 10, 10);
    picker.Join();
    EXPECT_FALSE(picker.found);
}

} // namespace
