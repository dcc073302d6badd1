// Real message boxes and file dialogs, driven from a second thread.
#include "toolkit/Dialogs.h"

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
