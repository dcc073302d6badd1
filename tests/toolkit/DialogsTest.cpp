// Real message boxes and file dialogs, driven from a second thread while the test waits
// inside them.
#include "toolkit/Dialogs.h"

#include "support/DialogDriver_win32.h"

#include <gtest/gtest.h>

namespace {

std::string TempFolder(const char* name) {
    char temp[MAX_PATH] = {};
    GetTempPathA(sizeof temp, temp);
    CreateDirectoryA((std::string(temp) + name).c_str(), nullptr);
    return std::string(temp) + name;
}

// Shows the save dialog and lets `act` work on it; the dialog's result.
std::string Save(const std::string& defaultPath, const char* pattern, int index,
                 std::function<void(HWND)> act) {
    DialogDriver driver("Save test", std::move(act));
    return FileSaveDialog("Save test", defaultPath.c_str(), pattern, index);
}

std::function<void(HWND)> Accept(std::string typed, std::string* shown = nullptr) {
    return [typed, shown](HWND dialog) {
        if (shown)
            *shown = DialogGetFileName(dialog);
        if (!typed.empty())
            DialogSetFileName(dialog, typed.c_str());
        DialogPress(dialog, IDOK);
    };
}

} // namespace

TEST(MessageDialog, OwnedByTheForegroundWindowWhileTheOthersWait) {
    HWND windows[4];
    for (HWND& w : windows) // the last one stays hidden
        w = CreateWindowExA(0, "Static", "w", &w == windows + 3 ? 0 : WS_VISIBLE, 0, 0, 99, 99, 0,
                            0, 0, 0);
    HWND main = windows[0], help = windows[1], busy = windows[2], hidden = windows[3];
    EnableWindow(busy, FALSE);
    SetForegroundWindow(main);
    bool enabledWhileShown[2] = {true, true};
    HWND owner = nullptr;
    std::string texts;
    {
        DialogDriver driver("ERROR", [&](HWND dialog) {
            enabledWhileShown[0] = IsWindowEnabled(main);
            enabledWhileShown[1] = IsWindowEnabled(help);
            owner = GetWindow(dialog, GW_OWNER);
            texts = DialogStaticTexts(dialog);
            DialogPress(dialog, IDNO);
        });
        EXPECT_EQ(MessageBoxShowEx("ERROR", "Can't save this file!", MB_YESNO), IDNO);
    }
    EXPECT_EQ(texts, "Can't save this file!\n");
    EXPECT_EQ(owner, main);
    EXPECT_FALSE(enabledWhileShown[0] || enabledWhileShown[1]);
    EXPECT_TRUE(IsWindowEnabled(main) && IsWindowEnabled(help) && IsWindowEnabled(hidden));
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

TEST(FileDialog, DefaultPathGivesFolderAndName) {
    const std::string folder = TempFolder("kv-dialogs-default") + "\\";
    const struct {
        std::string defaultPath, typed, shown, result;
    } cases[] = {
        {folder + "New.kve", "", "New.kve", folder + "New.kve"},
        {folder + "bad?name.kve", "typed.kve", "", folder + "typed.kve"},
        {folder + std::string(300, 'n'), "typed.kve", "", folder + "typed.kve"},
        {"New.kve", "", "New.kve", "\\New.kve"}, // no folder: the dialog's choice
    };
    for (const auto& c : cases) {
        std::string shown = "(not seen)";
        const std::string result = Save(c.defaultPath, "All|*.*", 0, Accept(c.typed, &shown));
        EXPECT_EQ(shown, c.shown) << c.defaultPath;
        EXPECT_EQ(result.substr(result.size() - std::min(result.size(), c.result.size())),
                  c.result);
    }
}

TEST(FileDialog, PatternListSelectedPatternAndCancelKeepTheWorkingFolder) {
    const std::string folder = TempFolder("kv-dialogs-pattern") + "\\";
    char before[MAX_PATH], after[MAX_PATH];
    GetCurrentDirectoryA(MAX_PATH, before);
    std::vector<std::string> filters;
    const std::string result = Save(folder, "A (*.kve)|*.kve|B (*.kvl)|*.kvl", 1, [&](HWND d) {
        HWND types = GetDlgItem(d, cmb1);
        char text[64];
        for (int i = 0; i < int(SendMessageA(types, CB_GETCOUNT, 0, 0)); ++i)
            filters.push_back(SendMessageA(types, CB_GETLBTEXT, i, LPARAM(text)) > 0 ? text : "");
        filters.push_back(GetWindowTextA(types, text, sizeof text) ? text : "");
        Accept("week")(d);
    });
    EXPECT_EQ(filters, (std::vector<std::string>{"A (*.kve)", "B (*.kvl)", "B (*.kvl)"}));
    EXPECT_EQ(FileDialogSelectedPattern(), 1);
    EXPECT_EQ(result.substr(0, folder.size() + 4), folder + "week");
    {
        DialogDriver driver("Cancel", [](HWND d) { DialogPress(d, IDCANCEL); });
        EXPECT_EQ(FileOpenDialog("Cancel", (folder + "x.kve").c_str(), "A|*.kve", 0), "");
        EXPECT_EQ(FileDialogSelectedPattern(), -1);
    }
    GetCurrentDirectoryA(MAX_PATH, after);
    EXPECT_STREQ(before, after);
}

TEST(FileDialog, MultipleSelectionGivesEveryFileAtFullLength) {
    const std::string folder = TempFolder("kv-dialogs-multi") + "\\";
    const std::string a = std::string(240, 'a') + ".kve", b = std::string(250, 'b') + ".kve";
    const struct {
        std::string typed;
        std::vector<std::string> files;
    } cases[] = {
        {"one.kve", {folder + "one.kve"}},
        {"\"" + a + "\" \"" + b + "\"", {folder + a, folder + b}}, // well past 260 characters
    };
    for (const auto& c : cases) {
        std::vector<std::string> files;
        DialogDriver driver("Open test", Accept(c.typed));
        std::string file =
            FileOpenDialogEx("Open test", folder.c_str(), "All|*.*", 0, FileDialogMultiple);
        for (; !file.empty() && files.size() < 9; file = FileDialogNextFile())
            files.push_back(file);
        EXPECT_EQ(files, c.files);
        EXPECT_EQ(FileDialogNextFile(), ""); // stays empty once used up
    }
}
