// The menu bar built and used with the keyboard (the row popup is used with the mouse
// and the keyboard in the program's end-to-end tests), and the status bar's appearances.
#include "toolkit/Menu.h"
#include "toolkit/StatusBar.h"

#include "support/WinTestUtil_win32.h"

#include <commctrl.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

TEST(Menu, TwoTitlesGiveTwoDropDownsPickedWithTheKeyboard) {
    ToolkitTestInit();
    MenusInit();
    HWND window = TestWindowOpen(1, 100, 100, 400, 200, 0);
    ASSERT_TRUE(WindowForegroundMake(window));
    HMENU bar = reinterpret_cast<HMENU>(MenuCreate(1, window));
    MenuAddTitle("&File");
    EXPECT_EQ(GetMenu(window), bar); // attached while it is built
    MenuAddItem(1, "&Open");
    MenuAddBar();
    MenuAddItem(2, "&Quit");
    MenuAddTitle("&Help");
    MenuAddItem(9, "&About");
    ASSERT_EQ(GetMenuItemCount(bar), 2); // the second title is not nested in the first
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

// The program's two appearances and one more, and texts for a bar or a field that is not there.
TEST(StatusBar, AppearanceChoosesFrameAndAlignmentOnKnownFieldsAndLiveBarsOnly) {
    ToolkitTestInit();
    StatusBarsInit();
    HWND bar = reinterpret_cast<HWND>(StatusBarCreate(3, TestWindowOpen(1, 50, 50, 500, 300, 0)));
    ASSERT_NE(bar, nullptr);
    StatusBarAddField(1024);
    const auto shown = [bar] { // the text and, after a "|", the SBT_ type bits
        char text[256] = {};
        const LRESULT result = SendMessageA(bar, SB_GETTEXTA, 0, reinterpret_cast<LPARAM>(text));
        return std::string(text) + "|" + std::to_string(HIWORD(result));
    };
    const std::pair<int, const char*> cases[] = {
        {0, "Information-Bar|0"},
        {StatusBarCentred | StatusBarRightAlign, "\tInformation-Bar|0"},
        {StatusBarRaised | StatusBarNoBorder, "Information-Bar|512"}, // SBT_POPOUT
    };
    for (auto [appearance, text] : cases) {
        StatusBarSetText(3, 0, "Information-Bar", appearance);
        EXPECT_EQ(shown(), text) << appearance;
    }
    StatusBarSetText(3, 0, "kept", StatusBarRaised);
    StatusBarSetText(99, 0, "elsewhere", 0); // an unknown bar
    // 256 and above would reach the control's type bits and turn field 0 owner-drawn.
    for (int field : {256, 0x1000, -1, 7})
        StatusBarSetText(3, field, "stray", 0);
    EXPECT_EQ(shown(), "kept|512");
    StatusBarFree(3);
    EXPECT_FALSE(IsWindow(bar));
    StatusBarAddField(5); // the bar being built is gone: nothing to add to
    WindowCloseAll();
}

} // namespace
