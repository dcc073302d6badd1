// The system's parts of a window: the menu bar (used with the keys and the mouse in the
// program's end-to-end tests), the status bar, real message boxes and file dialogs driven from
// a second thread.
#include "toolkit/Dialogs.h"
#include "toolkit/Dpi.h"
#include "toolkit/Menu.h"
#include "toolkit/StatusBar.h"

#include "support/TestFolder.h"
#include "support/WinTestUtil_win32.h"

#include <commctrl.h>
#include <gtest/gtest.h>

#include <string>

namespace {

// Picked with the keyboard, the real menu bar is shown in the program's end-to-end test.
TEST(Menu, TwoTitlesGiveTwoDropDownsAndAPopupBuiltLaterLeavesThem) {
    ToolkitTestInit();
    MenusInit();
    HWND window = TestWindowOpen(1, 100, 100, 400, 200, 0);
    HMENU bar = reinterpret_cast<HMENU>(MenuCreate(1, window));
    MenuAddTitle("&File");
    EXPECT_EQ(GetMenu(window), bar); // attached while it is built
    MenuAddItem(1, "&Open");
    MenuAddBar();
    MenuAddItem(2, "&Quit");
    MenuAddTitle("&Help");
    MenuAddItem(9, "&About");
    ASSERT_EQ(GetMenuItemCount(bar), 2); // the second title is not nested in the first
    PopupMenuCreate(2);
    MenuAddItem(20, "&Copy");
    EXPECT_EQ(GetMenuItemCount(GetSubMenu(bar, 1)), 1); // a popup built later leaves the bar
    WindowCloseAll();
}

// The program's two appearances, and texts for a bar or a field that is not there.
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
        {StatusBarCentered | StatusBarRightAlign, "\tInformation-Bar|0"},
    };
    for (auto [appearance, text] : cases) {
        StatusBarSetText(3, 0, "Information-Bar", appearance);
        EXPECT_EQ(shown(), text) << appearance;
    }
    StatusBarSetText(3, 0, "kept", StatusBarCentered);
    StatusBarSetText(99, 0, "elsewhere", 0); // an unknown bar
    // 256 and above would reach the control's type bits and turn field 0 owner-drawn.
    for (int field : {256, 0x1000, -1, 7})
        StatusBarSetText(3, field, "stray", 0);
    EXPECT_EQ(shown(), "\tkept|0");
    WindowCloseAll();
}

// The bar's procedure and the scale handler's, both in front of one window's own: the bar
// follows the window's size, a scale change reaches the handler, and the next window, made
// after the first has gone, gets both anew.
TEST(StatusBar, FollowsItsWindowBesideTheScaleHandlerAndAgainOnTheNextWindow) {
    ToolkitTestInit();
    StatusBarsInit();
    static int scaled = 0;
    for (int dpi : {144, 120}) {
        HWND window = TestWindowOpen(1, 50, 50, 500, 300, 0);
        HWND bar = reinterpret_cast<HWND>(StatusBarCreate(3, window));
        ASSERT_NE(bar, nullptr);
        WindowDpiHandlerSet(window, [](HWND, int changed) { scaled = changed; });
        SetWindowPos(window, nullptr, 0, 0, 640, 420, SWP_NOMOVE | SWP_NOZORDER);
        RECT client = {}, area = {};
        GetClientRect(window, &client);
        GetWindowRect(bar, &area);
        MapWindowPoints(nullptr, window, reinterpret_cast<POINT*>(&area), 2);
        EXPECT_EQ(area.bottom, client.bottom);
        EXPECT_EQ(area.right - area.left, client.right);
        SendMessageA(window, WM_DPICHANGED, MAKEWPARAM(dpi, dpi), 0);
        EXPECT_EQ(scaled, dpi);
        WindowCloseAll();
    }
}

// When the program shows a box, the calculator's window is its only one: the box belongs to
// it, and the window waits while the box shows.
TEST(MessageDialog, OwnedByTheForegroundWindowWhichWaitsWhileItShows) {
    HWND main = CreateWindowExA(0, "Static", "w", WS_VISIBLE, 0, 0, 99, 99, 0, 0, 0, 0);
    SetForegroundWindow(main);
    bool enabledWhileShown = true;
    HWND owner = nullptr;
    std::string texts;
    {
        DialogDriver driver("ERROR", [&](HWND dialog) {
            enabledWhileShown = IsWindowEnabled(main);
            owner = GetWindow(dialog, GW_OWNER);
            texts = DialogStaticTexts(dialog);
            DialogPress(dialog, IDNO);
        });
        EXPECT_EQ(MessageBoxShowEx("ERROR", "Can't save this file!", MB_YESNO), IDNO);
    }
    EXPECT_EQ(texts, "Can't save this file!\n");
    EXPECT_EQ(owner, main);
    EXPECT_FALSE(enabledWhileShown);
    EXPECT_TRUE(IsWindowEnabled(main));
    DestroyWindow(main);
}

// The program's end-to-end tests save and open through these dialogs with a typed name; here
// what they don't see: a default path too long to show, and cancelling.
TEST(FileDialog, ADefaultPathTooLongLeavesTheNameEmptyAndCancelGivesNothing) {
    const TestFolder temp;
    const std::string folder = temp.Path(""), tooLong = folder + std::string(300, 'n');
    std::string shown = "(not seen)", result;
    {
        DialogDriver driver("Save test", [&](HWND d) {
            shown = DialogGetFileName(d);
            DialogSetFileName(d, "week");
            DialogPress(d, IDOK);
        });
        result = FileSaveDialog("Save test", tooLong.c_str(), "A (*.kve)|*.kve", 0);
    }
    EXPECT_EQ(shown, "");
    EXPECT_EQ(result.substr(0, folder.size() + 4), folder + "week");
    DialogDriver driver("Cancel", [](HWND d) { DialogPress(d, IDCANCEL); });
    EXPECT_EQ(FileOpenDialog("Cancel", (folder + "x.kve").c_str(), "A|*.kve", 0), "");
}

} // namespace
