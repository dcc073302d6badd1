// Real message boxes and file dialogs, driven from a second thread.
#include "toolkit/Dialogs.h"

#include "support/DialogDriver_win32.h"
#include "support/TestFolder.h"

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
// what they don't see: a default path too long to show, the patterns, cancelling, and several
// files picked at once.
TEST(FileDialog, DefaultPathPatternsCancelAndMultipleSelection) {
    const TestFolder temp;
    const std::string folder = temp.Path("");
    std::vector<std::string> filters;
    std::string shown = "(not seen)";
    const auto accept = [&shown](std::string typed) {
        return [&shown, typed](HWND dialog) {
            shown = DialogGetFileName(dialog);
            DialogSetFileName(dialog, typed.c_str());
            DialogPress(dialog, IDOK);
        };
    };
    std::string result;
    {
        const auto typed = accept("week");
        DialogDriver driver("Save test", [&](HWND d) {
            HWND types = GetDlgItem(d, cmb1);
            char text[64];
            for (int i = 0; i < int(SendMessageA(types, CB_GETCOUNT, 0, 0)); ++i)
                filters.push_back(SendMessageA(types, CB_GETLBTEXT, i, LPARAM(text)) > 0 ? text
                                                                                         : "");
            filters.push_back(GetWindowTextA(types, text, sizeof text) ? text : "");
            typed(d);
        });
        const std::string tooLong = folder + std::string(300, 'n');
        result = FileSaveDialog("Save test", tooLong.c_str(), "A (*.kve)|*.kve|B (*.kvl)|*.kvl", 1);
    }
    EXPECT_EQ(shown, ""); // the name field stays empty
    EXPECT_EQ(filters, (std::vector<std::string>{"A (*.kve)", "B (*.kvl)", "B (*.kvl)"}));
    EXPECT_EQ(FileDialogSelectedPattern(), 1);
    EXPECT_EQ(result.substr(0, folder.size() + 4), folder + "week");
    {
        DialogDriver driver("Cancel", [](HWND d) { DialogPress(d, IDCANCEL); });
        EXPECT_EQ(FileOpenDialog("Cancel", (folder + "x.kve").c_str(), "A|*.kve", 0), "");
        EXPECT_EQ(FileDialogSelectedPattern(), -1);
    }

    // A multiple selection gives every file at full length.
    const std::string a = std::string(240, 'a') + ".kve", b = std::string(250, 'b') + ".kve";
    std::vector<std::string> files;
    DialogDriver driver("Open test", accept("\"" + a + "\" \"" + b + "\""));
    std::string file = FileOpenDialogEx("Open test", (folder + "New.kve").c_str(), "All|*.*", 0,
                                        FileDialogMultiple);
    for (; !file.empty() && files.size() < 9; file = FileDialogNextFile())
        files.push_back(file);
    EXPECT_EQ(shown, "New.kve"); // the default path's name, in its folder
    EXPECT_EQ(files, (std::vector<std::string>{folder + a, folder + b}));
    EXPECT_EQ(FileDialogNextFile(), ""); // stays empty once used up
}
