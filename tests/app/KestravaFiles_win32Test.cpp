// An entry saved and opened through the real dialogs, the file compared byte for byte, and no
// file saved over one in use; the help window over a running calculator, its text and keys; a
// start without the data files, and one from the ZIP a user downloads, unpacked into an empty
// folder by a setup step.
#include "support/KestravaDriver_win32.h"
#include "support/TestFolder.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <tuple>

#ifndef KV_PACKAGE_DIR
#define KV_PACKAGE_DIR ""
#endif

namespace fs = std::filesystem;

namespace {

// The text with its lines ended by line feeds alone, and no empty lines at its end.
std::string Lines(std::string text) {
    text.erase(std::remove(text.begin(), text.end(), '\r'), text.end());
    return text.erase(text.find_last_not_of('\n') + 1);
}

// An entry saved, cleared and opened again (a list does the same in every round of the soak
// test), but neither is saved onto a file in use. Then help, twice the same lines: a COMPUTE
// click while it is open is dropped, not kept for later; it closes by OK, and the main
// window's close box closes only it.
TEST(KestravaFiles, EntrySavedAndOpenedAgainNothingSavedOverAFileInUseHelpHoldsComputeBack) {
    Kestrava app;
    ASSERT_TRUE(app.Ready());
    app.TextSet(WareField, "Salt flats");
    app.Compute("10", "100", "10", "2");
    const auto entryTexts = [&] {
        return app.Fields({WareField, BuyUnitsField, BuyCostField, SellUnitsField, YieldField,
                           UnitPriceField, SellPriceField, UnitYieldField, YieldAmountField,
                           YieldPercentField});
    };
    const Texts entry = entryTexts();
    app.Menu(MenuSaveEntry);
    EXPECT_EQ("New.kve", DialogGetFileName(app.WindowWait("Save Entry", "#32770")));
    ASSERT_TRUE(app.FileDialog(0, "Save Entry", "trade")); // lands in Saved-Entrys\ .
    const std::string bytes =
        CrLfLines({"Salt flats", "10", "100.0000000000", "10", "1", "2.0000000000", "12.0000000000",
                   "120.0000000000", "2.0000000000", "20.0000000000", "20.0000000000"});
    EXPECT_TRUE(WaitUntil([&] { return app.FileRead("Saved-Entrys/trade.kve") == bytes; }, 5000))
        << app.FileRead("Saved-Entrys/trade.kve");
    app.Menu(MenuClearList);
    ASSERT_TRUE(WaitUntil([&] { return app.Text(WareField) == "Ware"; }));
    app.Click(YieldPercentOption); // the file brings the amount mode back
    ASSERT_TRUE(WaitUntil([&] { return app.Checked(YieldPercentOption); }));
    ASSERT_TRUE(app.FileDialog(MenuOpenEntry, "Load Entry", "trade.kve"));
    ASSERT_TRUE(WaitUntil([&] { return entryTexts() == entry; }));
    EXPECT_TRUE(app.Checked(YieldNumbersOption));

    for (auto [menu, title, name] :
         {std::tuple{MenuSaveEntry, "Save Entry", "Saved-Entrys/kept.kve"},
          {MenuSaveList, "Save List", "Saved-Lists/kept.kvl"}}) {
        SCOPED_TRACE(title);
        const std::string path = (app.Folder() / name).string(), old = "old\r\nlines\r\n";
        std::ofstream(path, std::ios::binary) << old;
        // Held open without write sharing: the program cannot write it.
        HANDLE held = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                                  OPEN_EXISTING, 0, nullptr);
        ASSERT_NE(INVALID_HANDLE_VALUE, held);
        ASSERT_TRUE(app.FileDialog(menu, title, fs::path(name).filename().string()));
        EXPECT_EQ("Can't save this file!\n", app.ErrorConfirm());
        CloseHandle(held);
        EXPECT_EQ(old, app.FileRead(name));
    }

    const std::string file = Lines(app.FileRead("data/help.txt"));
    app.TextSet(WareField, "Ware");
    app.TextSet(BuyCostField, "100");
    for (const char* ware : {"Warex", "Warexx"}) {
        HWND help = app.HelpOpen();
        ASSERT_TRUE(help);
        HWND text = GetDlgItem(help, HelpText);
        ASSERT_TRUE(app.ClickInto(text)); // read-only: Tab moves on to the buttons
        InputKey(VK_TAB);
        EXPECT_TRUE(WaitUntil([&] { return FocusOf(help) == GetDlgItem(help, WebsiteButton); }));
        EXPECT_EQ(file, Lines(app.Text(text)));
        app.Click(ComputeButton);
        // Input is handled in order: once the typed key shows, the click has been handled too.
        app.Click(WareField);
        app.Keys({VK_END, 'X'});
        ASSERT_TRUE(WaitUntil([&] { return app.Text(WareField) == ware; }));
        EXPECT_EQ("100", app.Text(BuyCostField));
        if (ware[5]) // the close box of the main window
            PostMessageA(app.Main(), WM_SYSCOMMAND, SC_CLOSE, 0);
        EXPECT_TRUE(ware[5] ? WaitUntil([&] { return !IsWindow(help); }) : app.HelpOk(help));
        EXPECT_TRUE(app.Responsive());
    }
    app.Click(WareField); // nor is the click done once help has gone
    app.Keys({VK_END, 'Y'});
    ASSERT_TRUE(WaitUntil([&] { return app.Text(WareField) == "Warexxy"; }));
    EXPECT_EQ("100", app.Text(BuyCostField));
    PostMessageA(app.Main(), WM_SYSCOMMAND, SC_CLOSE, 0); // ends it, with exit code 0
    EXPECT_EQ(0u, app.ExitCode());
}

// Without help.txt the start shows the error, and the help window opens empty; without
// header.bmp nothing is said.
TEST(KestravaFiles, WithoutTheDataFilesTheStartSaysSoOnceThenWorks) {
    Kestrava app([](const fs::path& folder) { fs::remove_all(folder / "data"); });
    EXPECT_EQ("Helptext (.../Kestrava/data/help.txt) doesn't exist!\n", app.ErrorConfirm());
    ASSERT_TRUE(app.Ready()); // a message box would have held the window's building back
    EXPECT_FALSE(app.Window("ERROR", "#32770"));
    app.Compute("10", "100", "10", "2");
    EXPECT_EQ("12.0000000000", app.Text(UnitPriceField));
    HWND help = app.HelpOpen();
    ASSERT_TRUE(help);
    EXPECT_EQ("", app.Text(GetDlgItem(help, HelpText)));
    EXPECT_TRUE(app.HelpOk(help));
}

// Everything the program needs is in the ZIP, and it starts from there without an error
// (without its help text it would say so before its window is built).
TEST(KestravaPackage, HoldsTheProgramItsDataAndEmptySaveFoldersAndStartsCleanly) {
    const fs::path unpacked = KV_PACKAGE_DIR;
    for (const char* name : {"Kestrava.exe", "ReadMe.txt", "data/help.txt", "data/header.bmp"})
        EXPECT_TRUE(fs::is_regular_file(unpacked / name)) << name;
    for (const char* name : {"Saved-Entrys", "Saved-Lists"})
        EXPECT_TRUE(fs::is_directory(unpacked / name) && fs::is_empty(unpacked / name)) << name;
    Kestrava app([&](const fs::path& folder) {
        fs::remove_all(folder);
        fs::copy(unpacked, folder, fs::copy_options::recursive);
    });
    ASSERT_TRUE(app.Ready()) << (app.Window("ERROR", "#32770") ? "an ERROR box showed" : "")
                             << app.Status();
}

} // namespace
