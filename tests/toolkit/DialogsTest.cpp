// Real message boxes and file dialogs, driven from a second thread while the test waits
// inside them.
#include "toolkit/Dialogs.h"

#include "support/DialogDriver_win32.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

std::string TempFolder(const char* name) {
    char temp[MAX_PATH] = {};
    GetTempPathA(sizeof temp, temp);
    std::string folder = std::string(temp) + name;
    CreateDirectoryA(folder.c_str(), nullptr);
    return folder;
}

std::string CurrentDirectory() {
    char path[MAX_PATH] = {};
    GetCurrentDirectoryA(sizeof path, path);
    return path;
}

LRESULT CALLBACK PlainProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    return DefWindowProcA(window, message, wParam, lParam);
}

HWND PlainWindow(const char* title, bool visible) {
    static bool registered = false;
    if (!registered) {
        WNDCLASSA windowClass = {};
        windowClass.lpfnWndProc = PlainProcedure;
        windowClass.hInstance = GetModuleHandleA(nullptr);
        windowClass.lpszClassName = "DialogsTestWindow";
        registered = RegisterClassA(&windowClass) != 0;
    }
    HWND window = CreateWindowExA(0, "DialogsTestWindow", title, WS_OVERLAPPEDWINDOW, 10, 10,
                                  300, 200, nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
    if (visible)
        ShowWindow(window, SW_SHOWNORMAL);
    return window;
}

// Shows the save dialog, lets `act` work on it, and returns what the dialog gave back.
std::string SaveWith(const char* defaultPath, const char* pattern, int index,
                     std::function<void(HWND)> act) {
    DialogDriver driver("Save test", std::move(act));
    return FileSaveDialog("Save test", defaultPath, pattern, index);
}

std::function<void(HWND)> TypeAndAccept(std::string name) {
    return [name](HWND dialog) {
        DialogSetFileName(dialog, name.c_str());
        DialogPress(dialog, IDOK);
    };
}

} // namespace

TEST(MessageDialog, ShowsTitleAndTextAndReturnsTheButtonPressed) {
    struct Case {
        unsigned flags;
        int press;
    } cases[] = {{0, IDOK}, {MB_YESNO | MB_ICONQUESTION, IDNO}, {MB_OKCANCEL, IDCANCEL}};
    for (const Case& c : cases) {
        std::string texts;
        DialogDriver driver("ERROR", [&](HWND dialog) {
            texts = DialogStaticTexts(dialog);
            DialogPress(dialog, c.press);
        });
        EXPECT_EQ(MessageBoxShowEx("ERROR", "Can't save this file!", c.flags), c.press);
        EXPECT_EQ(texts, "Can't save this file!\n");
    }
}

TEST(MessageDialog, AbsentTitleAndTextShowAsEmpty) {
    bool shown = false;
    {
        // The native box titles an absent title "Error"; ours stays untitled.
        DialogDriver driver("", [&](HWND dialog) {
            shown = DialogStaticTexts(dialog).empty();
            DialogPress(dialog, IDOK);
        });
        EXPECT_EQ(MessageBoxShow(nullptr, nullptr), IDOK);
    }
    EXPECT_TRUE(shown);
}

TEST(DialogModality, OtherWindowsAreDisabledWhileShownAndOnlyThoseAreGivenBack) {
    HWND main = PlainWindow("main", true);
    HWND help = PlainWindow("help", true);
    HWND busy = PlainWindow("busy", true);
    HWND hidden = PlainWindow("hidden", false);
    EnableWindow(busy, FALSE);
    SetForegroundWindow(main);
    ASSERT_EQ(GetForegroundWindow(), main);

    bool mainEnabled = true, helpEnabled = true;
    HWND owner = nullptr;
    {
        DialogDriver driver("ERROR", [&](HWND dialog) {
            mainEnabled = IsWindowEnabled(main);
            helpEnabled = IsWindowEnabled(help);
            owner = GetWindow(dialog, GW_OWNER);
            DialogPress(dialog, IDOK);
        });
        MessageBoxShow("ERROR", "x");
        EXPECT_TRUE(driver.Found());
    }
    EXPECT_EQ(owner, main);
    EXPECT_FALSE(mainEnabled);
    EXPECT_FALSE(helpEnabled);
    EXPECT_TRUE(IsWindowEnabled(main));
    EXPECT_TRUE(IsWindowEnabled(help));
    EXPECT_FALSE(IsWindowEnabled(busy)); // was not ours to give back
    EXPECT_TRUE(IsWindowEnabled(hidden));

    {
        // A nested list must not wake what the outer one still holds.
        DisabledWindowList outer;
        EXPECT_FALSE(IsWindowEnabled(help));
        { DisabledWindowList inner; }
        EXPECT_FALSE(IsWindowEnabled(help));
    }
    EXPECT_TRUE(IsWindowEnabled(help));
    for (HWND w : {main, help, busy, hidden})
        DestroyWindow(w);
}

TEST(FileDialog, DefaultPathGivesFolderAndNameField) {
    const std::string folder = TempFolder("kv-dialogs-default");
    const std::string longName(300, 'n');
    struct Case {
        std::string defaultPath;
        std::string typed;    // typed before OK; empty: accept what is shown
        std::string shown;    // the name field when the dialog opens
        std::string expected; // the dialog's result
    } cases[] = {
        {folder + "\\", "typed.kve", "", folder + "\\typed.kve"},
        {folder + "\\New.kve", "", "New.kve", folder + "\\New.kve"},
        {folder + "\\bad?name.kve", "typed.kve", "", folder + "\\typed.kve"},
        {folder + "\\" + longName, "typed.kve", "", folder + "\\typed.kve"},
    };
    for (const Case& c : cases) {
        std::string shown = "(not seen)";
        const std::string result = SaveWith(c.defaultPath.c_str(), "All|*.*", 0, [&](HWND d) {
            shown = DialogGetFileName(d);
            if (!c.typed.empty())
                DialogSetFileName(d, c.typed.c_str());
            DialogPress(d, IDOK);
        });
        EXPECT_EQ(shown, c.shown) << c.defaultPath;
        EXPECT_EQ(result, c.expected) << c.defaultPath;
    }

    // Without a backslash the whole text is the name and the folder is the dialog's choice.
    std::string shown;
    SaveWith("New.kve", "All|*.*", 0, [&](HWND d) {
        shown = DialogGetFileName(d);
        DialogPress(d, IDCANCEL);
    });
    EXPECT_EQ(shown, "New.kve");
}

TEST(FileDialog, PatternListAndSelectedPattern) {
    const std::string folder = TempFolder("kv-dialogs-pattern");
    std::vector<std::string> filters;
    std::string current;
    const std::string result = SaveWith(
        (folder + "\\").c_str(), "Kestrava entry (*.kve)|*.kve|Kestrava list (*.kvl)|*.kvl", 1,
        [&](HWND d) {
            HWND types = GetDlgItem(d, cmb1);
            const int count = int(SendMessageA(types, CB_GETCOUNT, 0, 0));
            for (int i = 0; i < count; ++i) {
                char text[128] = {};
                SendMessageA(types, CB_GETLBTEXT, i, reinterpret_cast<LPARAM>(text));
                filters.push_back(text);
            }
            char text[128] = {};
            GetWindowTextA(types, text, sizeof text);
            current = text;
            DialogSetFileName(d, "week");
            DialogPress(d, IDOK);
        });
    EXPECT_EQ(filters,
              (std::vector<std::string>{"Kestrava entry (*.kve)", "Kestrava list (*.kvl)"}));
    EXPECT_EQ(current, "Kestrava list (*.kvl)");
    EXPECT_EQ(FileDialogSelectedPattern(), 1);
    EXPECT_NE(result.find(folder + "\\week"), std::string::npos) << result;
}

TEST(FileDialog, CancelGivesEmptyTextAndLeavesCurrentDirectory) {
    const std::string before = CurrentDirectory();
    const std::string folder = TempFolder("kv-dialogs-cancel");
    // A successful dialog first, so the cancel has a pattern to reset.
    EXPECT_FALSE(
        SaveWith((folder + "\\a.kve").c_str(), "A|*.kve", 0, TypeAndAccept("b.kve")).empty());
    EXPECT_EQ(FileDialogSelectedPattern(), 0);

    for (bool save : {true, false}) {
        DialogDriver driver("Cancel test", [](HWND d) { DialogPress(d, IDCANCEL); });
        const std::string result =
            save ? FileSaveDialog("Cancel test", (folder + "\\x.kve").c_str(), "A|*.kve", 0)
                 : FileOpenDialog("Cancel test", (folder + "\\x.kve").c_str(), "A|*.kve", 0);
        EXPECT_EQ(result, "");
        EXPECT_EQ(FileDialogSelectedPattern(), -1);
    }
    EXPECT_EQ(CurrentDirectory(), before);
    EXPECT_EQ(FileDialogNextFile(), "");
}

TEST(FileDialog, MultipleSelectionReturnsEveryFileAtFullLength) {
    const std::string folder = TempFolder("kv-dialogs-multi");
    const std::string longA = std::string(240, 'a') + ".kve";
    const std::string longB = std::string(250, 'b') + ".kve";
    struct Case {
        std::string typed;
        std::vector<std::string> expected;
    } cases[] = {
        {"one.kve", {folder + "\\one.kve"}},
        {"\"one.kve\" \"two.kve\" \"three.kve\"",
         {folder + "\\one.kve", folder + "\\two.kve", folder + "\\three.kve"}},
        // Directory plus name is well past 260 characters: never cut short.
        {"\"" + longA + "\" \"" + longB + "\"", {folder + "\\" + longA, folder + "\\" + longB}},
    };
    for (const Case& c : cases) {
        std::vector<std::string> files;
        {
            DialogDriver driver("Open test", TypeAndAccept(c.typed));
            std::string file = FileOpenDialogEx("Open test", (folder + "\\").c_str(), "All|*.*",
                                                0, FileDialogMultiple);
            for (; !file.empty() && files.size() < 10; file = FileDialogNextFile())
                files.push_back(file);
        }
        EXPECT_EQ(files, c.expected) << c.typed;
        EXPECT_EQ(FileDialogNextFile(), ""); // stays empty once used up
    }
}
