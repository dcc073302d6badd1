// Real message boxes and file dialogs, driven from a second thread; the help window's own.
#include "toolkit/Dialogs.h"
#include "app/HelpWindow.h"

#include "support/DialogDriver_win32.h"
#include "support/TestFolder.h"
#include "support/WinTestUtil_win32.h"

#include <gtest/gtest.h>

TEST(MessageDialog, OwnedByTheForegroundWindowWhileTheOthersWait) {
    HWND windows[3];
    for (HWND& w : windows)
        w = CreateWindowExA(0, "Static", "w", WS_VISIBLE, 0, 0, 99, 99, 0, 0, 0, 0);
    HWND main = windows[0], help = windows[1], busy = windows[2];
    EnableWindow(busy, FALSE);
    SetForegroundWindow(main);
    bool enabledWhileShown = true;
    HWND owner = nullptr;
    std::string texts;
    {
        DialogDriver driver("ERROR", [&](HWND dialog) {
            enabledWhileShown = IsWindowEnabled(main) || IsWindowEnabled(help);
            owner = GetWindow(dialog, GW_OWNER);
            texts = DialogStaticTexts(dialog);
            DialogPress(dialog, IDNO);
        });
        EXPECT_EQ(MessageBoxShowEx("ERROR", "Can't save this file!", MB_YESNO), IDNO);
    }
    EXPECT_EQ(texts, "Can't save this file!\n");
    EXPECT_EQ(owner, main);
    EXPECT_FALSE(enabledWhileShown);
    EXPECT_TRUE(IsWindowEnabled(main) && IsWindowEnabled(help));
    EXPECT_FALSE(IsWindowEnabled(busy)); // was not ours to give back
    {
        DisabledWindowList outer;
        { DisabledWindowList inner; }
        EXPECT_FALSE(IsWindowEnabled(help)); // the inner list must not wake it
    }
    EXPECT_TRUE(IsWindowEnabled(help));
    for (HWND w : windows)
        DestroyWindow(w);
}

// The program's end-to-end tests save and open through these dialogs with a typed name; here
// what they don't see: a default path too long to show, the patterns and cancelling.
TEST(FileDialog, DefaultPathPatternsAndCancel) {
    const TestFolder temp;
    const std::string folder = temp.Path("");
    std::vector<std::string> filters;
    std::string shown = "(not seen)", result;
    {
        DialogDriver driver("Save test", [&](HWND d) {
            HWND types = GetDlgItem(d, cmb1);
            char text[64];
            for (int i = 0; i < int(SendMessageA(types, CB_GETCOUNT, 0, 0)); ++i)
                filters.push_back(SendMessageA(types, CB_GETLBTEXT, i, LPARAM(text)) > 0 ? text
                                                                                         : "");
            filters.push_back(GetWindowTextA(types, text, sizeof text) ? text : "");
            shown = DialogGetFileName(d);
            DialogSetFileName(d, "week");
            DialogPress(d, IDOK);
        });
        const std::string tooLong = folder + std::string(300, 'n');
        result = FileSaveDialog("Save test", tooLong.c_str(), "A (*.kve)|*.kve|B (*.kvl)|*.kvl", 1);
    }
    EXPECT_EQ(shown, ""); // the name field stays empty
    EXPECT_EQ(filters, (std::vector<std::string>{"A (*.kve)", "B (*.kvl)", "B (*.kvl)"}));
    EXPECT_EQ(FileDialogSelectedPattern(), 1);
    EXPECT_EQ(result.substr(0, folder.size() + 4), folder + "week");
    DialogDriver driver("Cancel", [](HWND d) { DialogPress(d, IDCANCEL); });
    EXPECT_EQ(FileOpenDialog("Cancel", (folder + "x.kve").c_str(), "A|*.kve", 0), "");
    EXPECT_EQ(FileDialogSelectedPattern(), -1);
}

// A help window that cannot open is reported and loses nothing.
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
