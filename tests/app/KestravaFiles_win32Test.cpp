// Entries and lists saved and opened through the real dialogs, the files compared byte for
// byte; the help window over a running calculator; a start without the data files.
#include "support/KestravaDriver_win32.h"
#include "support/TestFolder.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <tuple>

namespace {

// The text with its lines ended by line feeds alone, and no empty lines at its end.
std::string Lines(std::string text) {
    text.erase(std::remove(text.begin(), text.end(), '\r'), text.end());
    return text.erase(text.find_last_not_of('\n') + 1);
}

// An entry and a list saved, cleared and opened again, but not saved onto a file in use. Then
// help, twice the same lines: a COMPUTE click while it is open is dropped, not kept for later;
// it closes by OK, and the main window's close box closes only it.
TEST(KestravaFiles, EntryAndListSavedAndOpenedAgainThenHelpHoldsComputeBackAndClosesAlone) {
    Kestrava app;
    ASSERT_TRUE(app.Ready());
    app.RowAdd("Salt flats", "10", "100", "10", "2");
    const auto entryTexts = [&] { return app.Fields({3, 4, 5, 6, 9, 10, 11, 12, 13, 32}); };
    const Texts entry = entryTexts();
    const auto written = [&](const std::string& name, const std::string& expected) {
        WaitUntil([&] { return app.FileRead(name) == expected; }, 5000);
        return app.FileRead(name);
    };

    app.Menu(3);
    EXPECT_EQ("New.kve", DialogGetFileName(app.WindowWait("Save Entry", "#32770")));
    ASSERT_TRUE(app.FileDialog(0, "Save Entry", "trade")); // lands in Saved-Entrys\ .
    const Texts row = {"Salt flats",   "10", "100.0000000000", "12.0000000000",
                       "2.0000000000", "10", "120.0000000000", "20.0000000000",
                       "20.0000000000"};
    const std::string entryBytes =
        CrLfLines({"Salt flats", "10", "100.0000000000", "10", "1", "2.0000000000", row[3], row[6],
                   row[4], row[7], row[8]});
    EXPECT_EQ(entryBytes, written("Saved-Entrys/trade.kve", entryBytes));
    ASSERT_TRUE(app.FileDialog(6, "Save List", "week"));
    // The count, the rows, the count again and the totals in the widgets' order.
    Texts lines = {"1"};
    lines.insert(lines.end(), row.begin(), row.end());
    lines.insert(lines.end(), {"1", "10", "100.0000000000", "12.0000000000", "2.0000000000",
                               "20.0000000000", "20.0000000000", "10", "120.0000000000"});
    EXPECT_EQ(CrLfLines(lines), written("Saved-Lists/week.kvl", CrLfLines(lines)));

    app.Menu(4);
    ASSERT_TRUE(WaitUntil([&] { return app.Rows() == 0 && app.Text(3) == "Ware"; }));
    app.Click(8); // the file brings the amount mode back
    ASSERT_TRUE(app.FileDialog(2, "Load Entry", "trade.kve"));
    ASSERT_TRUE(WaitUntil([&] { return entryTexts() == entry; }));
    EXPECT_TRUE(app.Checked(7));
    ASSERT_TRUE(app.FileDialog(5, "Load List", "week.kvl"));
    ASSERT_TRUE(WaitUntil([&] { return app.Rows() == 1; }));
    EXPECT_EQ(row, app.Row(0));
    EXPECT_EQ((Texts{"10", "100.0000000000", "12.0000000000", "2.0000000000", "10",
                     "120.0000000000", "20.0000000000", "20.0000000000"}),
              app.Totals());

    for (auto [menu, title, name] : {std::tuple{3, "Save Entry", "Saved-Entrys/kept.kve"},
                                     {6, "Save List", "Saved-Lists/kept.kvl"}}) {
        SCOPED_TRACE(title);
        const std::string path = (app.Folder() / name).string(), old = "old\r\nlines\r\n";
        std::ofstream(path, std::ios::binary) << old;
        // Held open without write sharing: the program cannot write it.
        HANDLE held = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                                  OPEN_EXISTING, 0, nullptr);
        ASSERT_NE(INVALID_HANDLE_VALUE, held);
        ASSERT_TRUE(app.FileDialog(menu, title, std::filesystem::path(name).filename().string()));
        EXPECT_EQ("Can't save this file!\n", app.ErrorConfirm());
        CloseHandle(held);
        EXPECT_EQ(old, app.FileRead(name));
    }

    const std::string file = Lines(app.FileRead("data/help.txt"));
    app.TextSet(3, "Ware");
    app.TextSet(5, "100");
    for (const char* ware : {"Warex", "Warexx"}) {
        HWND help = app.HelpOpen();
        ASSERT_TRUE(help);
        EXPECT_EQ("HELP:", app.Text(GetDlgItem(help, 100)));
        EXPECT_EQ(file, Lines(app.Text(GetDlgItem(help, 101))));
        app.Click(14);
        // Input is handled in order: once the typed key shows, the click has been handled too.
        app.Click(3);
        app.Keys({VK_END, 'X'});
        ASSERT_TRUE(WaitUntil([&] { return app.Text(3) == ware; }));
        EXPECT_EQ("100", app.Text(5));
        if (ware[5]) // the close box of the main window
            PostMessageA(app.Main(), WM_SYSCOMMAND, SC_CLOSE, 0);
        EXPECT_TRUE(ware[5] ? WaitUntil([&] { return !IsWindow(help); }) : app.HelpOk(help));
        EXPECT_TRUE(app.Responsive());
    }
    app.Click(3); // nor is the click done once help has gone
    app.Keys({VK_END, 'Y'});
    ASSERT_TRUE(WaitUntil([&] { return app.Text(3) == "Warexxy"; }));
    EXPECT_EQ("100", app.Text(5));
    PostMessageA(app.Main(), WM_SYSCOMMAND, SC_CLOSE, 0); // with a filled list, exit code 0
    EXPECT_EQ(0u, app.ExitCode());
}

// Without help.txt the start shows the error, and the help window opens empty; without
// header.bmp nothing is said.
TEST(KestravaFiles, WithoutTheDataFilesTheStartSaysSoOnceThenWorks) {
    Kestrava app(
        [](const std::filesystem::path& folder) { std::filesystem::remove_all(folder / "data"); });
    EXPECT_EQ("Helptext (.../Kestrava/data/help.txt) doesn't exist!\n", app.ErrorConfirm());
    ASSERT_TRUE(app.Ready()); // a message box would have held the window's building back
    EXPECT_FALSE(app.Window("ERROR", "#32770"));
    app.Compute("10", "100", "10", "2");
    EXPECT_EQ("12.0000000000", app.Text(10));
    HWND help = app.HelpOpen();
    ASSERT_TRUE(help);
    EXPECT_EQ("", app.Text(GetDlgItem(help, 101)));
    EXPECT_TRUE(app.HelpOk(help));
}

} // namespace
