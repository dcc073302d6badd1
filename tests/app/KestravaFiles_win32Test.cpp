// Entries and lists saved and opened through the real dialogs, the files compared byte for
// byte.
#include "support/DialogDriver_win32.h"
#include "support/KestravaDriver_win32.h"
#include "support/TestFolder.h"

#include <gtest/gtest.h>

namespace {

using Texts = std::vector<std::string>;

Texts EntryTexts(Kestrava& app) {
    return app.Texts({3, 4, 5, 6, 9, 10, 11, 12, 13, 32});
}
Texts Totals(Kestrava& app) {
    return app.Texts({36, 37, 38, 39, 40, 41, 42, 43});
}

// The file's bytes once they are all written.
std::string Written(Kestrava& app, const std::string& name, const std::string& expected) {
    WaitUntil([&] { return app.FileRead(name) == expected; }, 5000);
    return app.FileRead(name);
}

TEST(KestravaFiles, EntryAndListSavedAndOpenedAgainAfterClear) {
    Kestrava app;
    ASSERT_TRUE(app.Ready());
    app.Type(3, "Salt flats");
    app.Compute("10", "100", "10", "2");
    app.Click(15);
    ASSERT_TRUE(WaitUntil([&] { return app.Rows() == 1; }));
    const Texts entry = EntryTexts(app);

    app.Menu(3);
    HWND dialog = app.WindowWait("Save Entry", "#32770");
    ASSERT_TRUE(dialog);
    EXPECT_EQ("New.kve", DialogGetFileName(dialog));
    ASSERT_TRUE(app.DialogAnswer("Save Entry", "trade")); // lands in Saved-Entrys\ .
    const std::string entryBytes =
        CrLfLines({"Salt flats", "10", "100.0000000000", "10", "1", "2.0000000000", "12.0000000000",
                   "120.0000000000", "2.0000000000", "20.0000000000", "20.0000000000"});
    EXPECT_EQ(entryBytes, Written(app, "Saved-Entrys/trade.kve", entryBytes));

    app.Menu(6);
    ASSERT_TRUE(app.DialogAnswer("Save List", "week"));
    const Texts row = {"Salt flats",   "10", "100.0000000000", "12.0000000000",
                       "2.0000000000", "10", "120.0000000000", "20.0000000000",
                       "20.0000000000"};
    Texts lines = {"1"};
    lines.insert(lines.end(), row.begin(), row.end());
    const Texts totals = {"10",           "100.0000000000", "12.0000000000",
                          "2.0000000000", "20.0000000000",  "20.0000000000",
                          "10",           "120.0000000000"};
    lines.push_back("1");
    lines.insert(lines.end(), totals.begin(), totals.end());
    EXPECT_EQ(CrLfLines(lines), Written(app, "Saved-Lists/week.kvl", CrLfLines(lines)));

    app.Menu(4);
    ASSERT_TRUE(WaitUntil([&] { return app.Rows() == 0 && app.Text(3) == "Ware"; }));
    app.Click(8); // the file brings the amount mode back
    app.Menu(2);
    ASSERT_TRUE(app.DialogAnswer("Load Entry", "trade.kve"));
    ASSERT_TRUE(WaitUntil([&] { return EntryTexts(app) == entry; }));
    EXPECT_TRUE(app.Checked(7));
    app.Menu(5);
    ASSERT_TRUE(app.DialogAnswer("Load List", "week.kvl"));
    ASSERT_TRUE(WaitUntil([&] { return app.Rows() == 1; }));
    EXPECT_EQ(row, app.Row(0));
    EXPECT_EQ(totals, Totals(app));
}

TEST(KestravaFiles, SavingOntoAFileInUseShowsTheErrorAndLeavesTheFile) {
    Kestrava app;
    ASSERT_TRUE(app.Ready());
    app.Compute("10", "100", "10", "2");
    struct Case {
        int menu;
        const char *title, *name;
    } cases[] = {{3, "Save Entry", "Saved-Entrys/kept.kve"},
                 {6, "Save List", "Saved-Lists/kept.kvl"}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.title);
        const std::string path = (app.Folder() / c.name).string();
        const std::string old = "old\r\nlines\r\n";
        std::ofstream(path, std::ios::binary) << old;
        // Held open without write sharing: the program cannot write it.
        HANDLE held = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                                  OPEN_EXISTING, 0, nullptr);
        ASSERT_NE(INVALID_HANDLE_VALUE, held);
        app.Menu(c.menu);
        ASSERT_TRUE(app.DialogAnswer(c.title, std::filesystem::path(c.name).filename().string()));
        EXPECT_EQ("Can't save this file!\n", app.ErrorConfirm());
        CloseHandle(held);
        EXPECT_EQ(old, app.FileRead(c.name));
    }
    EXPECT_TRUE(app.Responsive());
}

} // namespace
