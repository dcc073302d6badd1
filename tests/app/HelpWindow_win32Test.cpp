// The help window in this process: a window that cannot open loses nothing, and every help
// line is shown however many there are.
#include "app/HelpWindow.h"

#include "support/DialogDriver_win32.h"
#include "support/WinTestUtil_win32.h"

#include <gtest/gtest.h>

#include <thread>

TEST(HelpWindow, AWindowThatCannotOpenIsReportedAndTheLoopIsNotEntered) {
    ToolkitTestInit();
    std::string text;
    DialogDriver driver("ERROR", [&text](HWND box) {
        text = DialogStaticTexts(box);
        DialogPress(box, IDOK);
    });
    HelpWindowRun({"a line"}, nullptr, 70000); // a number the registry refuses
    EXPECT_TRUE(driver.Found());
    EXPECT_NE(text.find("Can't open the help window!"), std::string::npos) << text;
}

TEST(HelpWindow, ShowsEveryLineInOrderAndOkCloses) {
    ToolkitTestInit();
    std::vector<std::string> lines;
    for (int i = 0; i < 150; ++i) // more than the 101 lines once foreseen
        lines.push_back(i % 10 ? "line " + std::to_string(i) : "");
    std::string shown;
    std::thread user([&shown] {
        HWND help = nullptr;
        for (int turn = 0; turn < 400 && !help; ++turn, Sleep(50))
            help = FindWindowA(nullptr, "Information");
        if (!help)
            return;
        char buffer[4096] = {};
        GetWindowTextA(GetDlgItem(help, HelpText), buffer, sizeof buffer);
        shown = buffer;
        SendMessageA(GetDlgItem(help, HelpOkButton), BM_CLICK, 0, 0);
    });
    HelpWindowRun(lines, nullptr);
    user.join();
    std::string expected;
    for (const std::string& line : lines)
        expected += line + "\r\n";
    EXPECT_EQ(shown.substr(0, shown.find_last_not_of("\r\n") + 1),
              expected.substr(0, expected.find_last_not_of("\r\n") + 1));
    EXPECT_EQ(WindowNativeHandle(HelpWindow), nullptr);
}
