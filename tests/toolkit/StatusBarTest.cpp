#include "toolkit/StatusBar.h"

#include "support/WinTestUtil_win32.h"

#include <commctrl.h>
#include <gtest/gtest.h>

#include <string>

namespace {

TEST(StatusBar, AppearanceChoosesFrameAndAlignmentOnKnownFieldsAndLiveBarsOnly) {
    ToolkitTestInit();
    StatusBarsInit();
    HWND window = reinterpret_cast<HWND>(WindowOpen(1, 50, 50, 500, 300, "Status", 0, nullptr));
    HWND bar = reinterpret_cast<HWND>(StatusBarCreate(3, window));
    ASSERT_NE(bar, nullptr);
    StatusBarAddField(1024);
    const auto shown = [bar] { // the text and, after a "|", the SBT_ type bits
        char text[256] = {};
        const LRESULT result = SendMessageA(bar, SB_GETTEXTA, 0, reinterpret_cast<LPARAM>(text));
        return std::string(text) + "|" + std::to_string(HIWORD(result));
    };
    const std::pair<int, const char*> cases[] = {
        {0, "Information-Bar|0"}, // SBT_POPOUT is 512, SBT_NOBORDERS 256
        {StatusBarCentred | StatusBarRightAlign, "\tInformation-Bar|0"},
        {StatusBarRaised | StatusBarNoBorder, "Information-Bar|512"},
        {StatusBarNoBorder | StatusBarRightAlign, "\t\tInformation-Bar|256"},
    };
    for (auto [appearance, text] : cases) {
        StatusBarSetText(3, 0, "Information-Bar", appearance);
        EXPECT_EQ(shown(), text) << appearance;
    }
    StatusBarSetTextPlain(3, 0, nullptr);
    EXPECT_EQ(shown(), "|0");
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
