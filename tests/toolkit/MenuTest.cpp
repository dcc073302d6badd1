#include "toolkit/Menu.h"

#include "runtime/Memory.h"
#include "runtime/Registry.h"
#include "toolkit/Window.h"

#include <gtest/gtest.h>

#include <atomic>
#include <string>
#include <thread>
#include <vector>

namespace {

void EventsDrain() {
    for (int turn = 0; turn < 1000 && EventWaitTimeout(0) != EventNone; ++turn) {
    }
}

void WindowForegroundMake(HWND window) {
    SetForegroundWindow(window);
    SetActiveWindow(window);
    for (int turn = 0; turn < 5; ++turn)
        EventWaitTimeout(10);
    EventsDrain();
}

INPUT KeyInput(WORD key, bool up) {
    INPUT input = {};
    input.type = INPUT_KEYBOARD;
    input.ki.wVk = key;
    input.ki.dwFlags = up ? KEYEVENTF_KEYUP : 0;
    return input;
}

// Alt+letter opens a drop-down by its mnemonic; the other keys are pressed one by one.
void InputMenuKeys(WORD letter, const std::vector<WORD>& keys) {
    std::vector<INPUT> inputs = {KeyInput(VK_MENU, false), KeyInput(letter, false),
                                 KeyInput(letter, true), KeyInput(VK_MENU, true)};
    for (WORD key : keys) {
        inputs.push_back(KeyInput(key, false));
        inputs.push_back(KeyInput(key, true));
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

std::string MenuItemText(HMENU menu, int position) {
    char text[64] = {};
    GetMenuStringA(menu, static_cast<UINT>(position), text, sizeof text, MF_BYPOSITION);
    return text;
}

bool MenuItemIsSeparator(HMENU menu, int position) {
    MENUITEMINFOA info = {};
    info.cbSize = sizeof info;
    info.fMask = MIIM_FTYPE;
    GetMenuItemInfoA(menu, static_cast<UINT>(position), TRUE, &info);
    return (info.fType & MFT_SEPARATOR) != 0;
}

// Waits on a second thread for a popup menu of this process to show, notes where it shows
// and types `keys` into it. A popup still open some seconds later is closed with Escape.
class PopupPicker {
  public:
    explicit PopupPicker(std::vector<WORD> keys) : thread_([this, keys] { Run(keys); }) {}
    ~PopupPicker() { Join(); }
    PopupPicker(const PopupPicker&) = delete;
    PopupPicker& operator=(const PopupPicker&) = delete;
    void Join() {
        if (thread_.joinable())
            thread_.join();
    }
    bool found = false;
    RECT shown = {};

  private:
    static HWND PopupFind() {
        HWND popup = FindWindowA("#32768", nullptr);
        return popup && IsWindowVisible(popup) ? popup : nullptr;
    }
    void Run(const std::vector<WORD>& keys) {
        HWND popup = nullptr;
        for (int turn = 0; turn < 150 && !(popup = PopupFind()); ++turn)
            Sleep(20);
        if (!popup)
            return;
        found = true;
        GetWindowRect(popup, &shown);
        std::vector<INPUT> inputs;
        for (WORD key : keys) {
            inputs.push_back(KeyInput(key, false));
            inputs.push_back(KeyInput(key, true));
        }
        SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT));
        for (int turn = 0; turn < 150 && PopupFind(); ++turn)
            Sleep(20);
        if (PopupFind()) {
            INPUT escape[2] = {KeyInput(VK_ESCAPE, false), KeyInput(VK_ESCAPE, true)};
            SendInput(2, escape, sizeof(INPUT));
        }
    }
    std::thread thread_;
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
        WindowForegroundMake(window);
    }
    void TearDown() override {
        MenuFree(1);
        EventsDrain();
    }
    // The calculator's kind of bar: two titles, items and a separator.
    HMENU BarBuild(int number) {
        HMENU bar = reinterpret_cast<HMENU>(MenuCreate(number, window));
        MenuAddTitle("&File");
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
    ASSERT_NE(bar, nullptr);
    EXPECT_EQ(GetMenu(window), bar);
    ASSERT_EQ(GetMenuItemCount(bar), 2);
    EXPECT_EQ(MenuItemText(bar, 0), "&File");
    EXPECT_EQ(MenuItemText(bar, 1), "&Help");
    HMENU file = GetSubMenu(bar, 0);
    HMENU help = GetSubMenu(bar, 1);
    ASSERT_NE(file, nullptr);
    ASSERT_NE(help, nullptr);
    ASSERT_EQ(GetMenuItemCount(file), 3);
    EXPECT_EQ(GetMenuItemID(file, 0), 1u);
    EXPECT_TRUE(MenuItemIsSeparator(file, 1));
    EXPECT_EQ(GetMenuItemID(file, 2), 2u);
    EXPECT_EQ(GetMenuItemCount(help), 1);
    EXPECT_EQ(GetMenuItemID(help, 0), 9u);
    for (int position = 0; position < 3; ++position)
        EXPECT_EQ(GetSubMenu(file, position), nullptr) << position; // nothing nested
}

TEST_F(MenuTest, BarIsAttachedWhileItIsBuilt) {
    HMENU bar = reinterpret_cast<HMENU>(MenuCreate(1, window));
    ASSERT_NE(bar, nullptr);
    EXPECT_EQ(GetMenu(window), nullptr); // not before its first title
    MenuAddTitle("&File");
    EXPECT_EQ(GetMenu(window), bar);
}

TEST_F(MenuTest, KeyboardChoiceBecomesAMenuEvent) {
    ASSERT_NE(BarBuild(1), nullptr);
    struct Case {
        WORD title;
        std::vector<WORD> keys;
        int item;
    } cases[] = {
        {'H', {VK_RETURN}, 9},
        {'F', {VK_RETURN}, 1},
        {'F', {VK_DOWN, VK_RETURN}, 2}, // the separator is passed over
        {'F', {VK_DOWN, VK_UP, VK_RETURN}, 1},
        {'F', {'Q'}, 2},
        {'F', {VK_RIGHT, VK_RETURN}, 9}, // on to the next drop-down, not into a nested one
    };
    for (const Case& c : cases) {
        WindowForegroundMake(window);
        InputMenuKeys(c.title, c.keys);
        EXPECT_EQ(MenuEventWait(), c.item) << static_cast<char>(c.title) << " " << c.keys.size();
        EventsDrain();
    }
}

TEST_F(MenuTest, NumberReusedFreesTheOldBar) {
    HMENU first = BarBuild(1);
    HMENU second = BarBuild(1);
    ASSERT_NE(second, nullptr);
    EXPECT_FALSE(IsMenu(first));
    EXPECT_EQ(GetMenu(window), second);
    MenuFree(1);
    EXPECT_EQ(GetMenu(window), nullptr);
    EXPECT_FALSE(IsMenu(second));
    MenuAddItem(3, "after free"); // the built menu is gone: nothing to append to
    MenuFree(1);
    MenuFree(777);
}

TEST_F(MenuTest, BarOfAClosedWindowIsNotDestroyedTwice) {
    window = reinterpret_cast<HWND>(WindowOpen(3, 100, 400, 300, 100, "Closed", 0, nullptr));
    ASSERT_NE(window, nullptr);
    BarBuild(4);
    WindowClose(3);
    HMENU other = reinterpret_cast<HMENU>(PopupMenuCreate(5));
    MenuAddItem(20, "Copy");
    window = WindowNativeHandle(1);
    BarBuild(4); // frees menu 4, whose bar went with its window
    EXPECT_TRUE(IsMenu(other));
    EXPECT_EQ(GetMenuItemCount(other), 1);
    MenuFree(5);
    MenuFree(4);
}

TEST_F(MenuTest, PopupAfterBarTakesTheItemsAndLeavesTheBar) {
    HMENU bar = BarBuild(1);
    intptr_t popupNumber = PopupMenuCreate(AutoNumber);
    ASSERT_GE(popupNumber, AutoNumberFirst);
    MenuAddItem(20, "Copy");
    MenuAddBar();
    MenuAddItem(21, "Paste");
    EXPECT_EQ(GetMenuItemCount(bar), 2);
    EXPECT_EQ(GetMenuItemCount(GetSubMenu(bar, 1)), 1);
    MenuFree(static_cast<int>(popupNumber));
}

TEST_F(MenuTest, PopupOpensAtTheMouseAndItsChoiceIsAnEvent) {
    HMENU popup = reinterpret_cast<HMENU>(PopupMenuCreate(5));
    ASSERT_NE(popup, nullptr);
    MenuAddItem(20, "&Copy");
    MenuAddBar();
    MenuAddItem(21, "&Paste");
    // Another window is in front: the popup must still show and report to its owner.
    ASSERT_NE(WindowOpen(2, 500, 100, 200, 100, "Other", 0, nullptr), 0);
    WindowForegroundMake(WindowNativeHandle(2));
    SetCursorPos(300, 250);
    {
        PopupPicker picker({'P'}); // the pointer may already rest on the first item
        PopupMenuShow(5, window);
        picker.Join();
        ASSERT_TRUE(picker.found);
        EXPECT_EQ(picker.shown.left, 299);
        EXPECT_EQ(picker.shown.top, 249);
    }
    EXPECT_EQ(MenuEventWait(), 21);
    EXPECT_EQ(EventMenuId(), 21);
    {
        PopupPicker picker({VK_DOWN, VK_RETURN});
        PopupMenuShowAt(5, window, 150, 160);
        picker.Join();
        EXPECT_EQ(picker.shown.left, 150);
        EXPECT_EQ(picker.shown.top, 160);
    }
    EXPECT_EQ(MenuEventWait(), 20);
    MenuFree(5);
}

TEST_F(MenuTest, UnknownPopupShowsNothing) {
    PopupPicker picker({VK_RETURN});
    PopupMenuShow(42, window);
    PopupMenuShowAt(42, window, 10, 10);
    picker.Join();
    EXPECT_FALSE(picker.found);
}

} // namespace
