// The help window in this process: a window that cannot open is reported and loses nothing.
#include "app/HelpWindow.h"

#include "support/DialogDriver_win32.h"
#include "support/WinTestUtil_win32.h"

#include <gtest/gtest.h>

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
