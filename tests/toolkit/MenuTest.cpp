#include "toolkit/Menu.h"

#include "runtime/Memory.h"
#include "runtime/Registry.h"
#include "toolkit/Window.h"

#include <gtest/gtest.h>

#include <thread>
#include <vector>

namespace {

INPUT KeyInput(WORD key, DWORD flags) {
    INPUT input = {};
    input.type = INPUT_KEYBOARD;
    input.ki.wVk = key;
    input.ki.dwFlags = flags;
    return input;
}

// Presses the keys in turn; with `altLetter`, Alt+that letter comes first (opens a drop-down).
void InputKeys(const std::vector<WORD>& keys, WORD altLetter = 0) {
    std::vector<INPUT> inputs;
    if (altLetter)
        inputs = {KeyInput(VK_MENU, 0), KeyInput(altLetter, 0),
                  KeyInput(altLetter, KEYEVENTF_KEYUP), KeyInput(VK_MENU, KEYEVENTF_KEYUP)};
    for (WORD key : keys) {
        inputs.push_back(KeyInput(key, 0));
        inputs.push_back(KeyInput(key, KEYEVENTF_KEYUP));
    }
    SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT));
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
            InputKeys({VK_ESCAPE});
    }
    bool found = false;
    RECT shown = {};
    std::thread thread;
};

class MenuTest : public testing::Test {
  protected:
    // One window for all tests: closing windows is slow under Wine.
    static void SetUpTestSuite() {
        MemoryInit();
        WindowsInit();
        MenusInit();
        WindowOpen(1, 100, 100, 400, 200, "Menus", 0, nullptr);
    }
    static void TearDownTestSuite() { WindowCloseAll(); }
    void SetUp() override {
        window = WindowNativeHandle(1);
        ASSERT_NE(window, nullptr);
        SetForegroundWindow(window);
        while (EventWaitTimeout(50) != EventNone) {
        }
    }
    void TearDown() override { MenuFree(1); }
    // The calculator's kind of bar: two titles, items and a separator.
    HMENU BarBuild(int number) {
        HMENU bar = reinterpret_cast<HMENU>(MenuCreate(number, window));
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
    HWND window = nullptr;
};

TEST_F(MenuTest, TwoTitlesGiveTwoDropDownsSideBySide) {
    HMENU bar = BarBuild(1);
    ASSERT_EQ(GetMenuItemCount(bar), 2);
    HMENU file = GetSubMenu(bar, 0);
    ASSERT_EQ(GetMenuItemCount(file), 3);
    EXPECT_EQ(GetMenuItemID(file, 0), 1u);
    EXPECT_EQ(GetMenuState(file, 1, MF_BYPOSITION) & MF_SEPARATOR, static_cast<UINT>(MF_SEPARATOR));
    EXPECT_EQ(GetMenuItemID(file, 2), 2u);
    EXPECT_EQ(GetSubMenu(file, 2), nullptr); // the second title is not nested in the first
    EXPECT_EQ(GetMenuItemCount(GetSubMenu(bar, 1)), 1);
    EXPECT_EQ(GetMenuItemID(GetSubMenu(bar, 1), 0), 9u);
}

TEST_F(MenuTest, KeyboardChoiceBecomesAMenuEvent) {
    BarBuild(1);
    struct Case {
        WORD title;
        std::vector<WORD> keys;
        int item;
    } cases[] = {
        {'H', {VK_RETURN}, 9},
        {'F', {VK_RETURN}, 1},
        {'F', {VK_DOWN, VK_RETURN}, 2}, // the separator is passed over
        {'F', {VK_RIGHT, VK_RETURN}, 9},
    };
    for (const Case& c : cases) {
        SetForegroundWindow(window);
        InputKeys(c.keys, c.title);
        EXPECT_EQ(MenuEventWait(), c.item) << static_cast<char>(c.title) << c.keys.size();
    }
}

TEST_F(MenuTest, ReusedNumberFreesTheOldBar) {
    HMENU first = BarBuild(1);
    HMENU second = BarBuild(1);
    EXPECT_FALSE(IsMenu(first));
    EXPECT_EQ(GetMenu(window), second);
    MenuFree(1);
    EXPECT_EQ(GetMenu(window), nullptr);
    EXPECT_FALSE(IsMenu(second));
}

TEST_F(MenuTest, PopupTakesTheItemsOpensAtTheMouseAndReportsTheChoice) {
    HMENU bar = BarBuild(1);
    intptr_t popup = PopupMenuCreate(AutoNumber);
    ASSERT_GE(popup, AutoNumberFirst);
    const int number = static_cast<int>(popup);
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
