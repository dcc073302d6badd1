// The help window over a running calculator, and starts without the data files.
#include "support/KestravaDriver_win32.h"

#include <gtest/gtest.h>

namespace {

// Lines ended by line feeds, whatever ends them in `text`, without trailing empty lines.
std::string Lines(const std::string& text) {
    std::string lines;
    for (size_t i = 0; i < text.size(); ++i)
        if (text[i] != '\r' || i + 1 == text.size() || text[i + 1] != '\n')
            lines += text[i] == '\r' ? '\n' : text[i];
    while (!lines.empty() && lines.back() == '\n')
        lines.pop_back();
    return lines;
}

HWND HelpOpen(Kestrava& app) {
    app.Menu(8);
    HWND help = app.WindowWait("Information");
    if (help)
        WaitUntil([&] { return GetDlgItem(help, 203) != nullptr; });
    return help;
}

// The help window in front, as the task bar would bring it, then its OK clicked.
bool HelpOk(Kestrava& app, HWND help) {
    SetForegroundWindow(help);
    WaitUntil([&] { return GetForegroundWindow() == help; }, 3000);
    app.Click(GetDlgItem(help, 203));
    return WaitUntil([&] { return !IsWindow(help); });
}

TEST(KestravaHelp, ShowsTheHelpFileLinesEachTimeAndOkClosesIt) {
    Kestrava app;
    ASSERT_TRUE(app.Ready());
    const std::string file = Lines(app.FileRead("data/help.txt"));
    ASSERT_FALSE(file.empty());
    for (int turn = 0; turn < 2; ++turn) {
        SCOPED_TRACE(turn);
        HWND help = HelpOpen(app);
        ASSERT_TRUE(help);
        for (int widget : {100, 101, 204, 201, 202, 203})
            EXPECT_TRUE(GetDlgItem(help, widget)) << widget;
        EXPECT_EQ("HELP:", app.Text(GetDlgItem(help, 100)));
        EXPECT_EQ(file, Lines(app.Text(GetDlgItem(help, 101))));
        EXPECT_TRUE(HelpOk(app, help));
        EXPECT_TRUE(app.Responsive());
    }
}

TEST(KestravaHelp, ComputeClickedWhileHelpIsOpenDoesNothingAlsoAfterItCloses) {
    Kestrava app;
    ASSERT_TRUE(app.Ready());
    for (auto [field, text] : {std::pair{4, "10"}, {5, "100"}, {6, "10"}, {9, "2"}})
        app.Type(field, text);
    HWND help = HelpOpen(app);
    ASSERT_TRUE(help);
    app.Click(14);
    // Input is handled in order: once the typed key shows, the click has been handled too.
    app.Click(3);
    app.Keys({VK_END, 'X'});
    ASSERT_TRUE(WaitUntil([&] { return app.Text(3) == "Warex"; }));
    EXPECT_EQ("100", app.Text(5));
    ASSERT_TRUE(HelpOk(app, help));
    app.Click(3);
    app.Keys({VK_END, 'Y'});
    ASSERT_TRUE(WaitUntil([&] { return app.Text(3) == "Warexy"; }));
    EXPECT_EQ("100", app.Text(5)); // the click was dropped, not kept for later
    app.Click(14);
    EXPECT_TRUE(WaitUntil([&] { return app.Text(5) == "100.0000000000"; }));
}

TEST(KestravaHelp, ClosingTheMainWindowWhileHelpIsOpenClosesOnlyTheHelpWindow) {
    Kestrava app;
    ASSERT_TRUE(app.Ready());
    HWND help = HelpOpen(app);
    ASSERT_TRUE(help);
    app.CloseBox();
    ASSERT_TRUE(WaitUntil([&] { return !IsWindow(help); }));
    EXPECT_TRUE(app.Responsive());
    app.Click(15);
    EXPECT_TRUE(WaitUntil([&] { return app.Rows() == 1; }));
    app.CloseBox();
    DWORD code = 1;
    EXPECT_TRUE(app.Ended(&code));
    EXPECT_EQ(0u, code);
}

TEST(KestravaHelp, WithoutTheHelpFileTheStartShowsTheErrorThenWorks) {
    Kestrava app([](const std::filesystem::path& folder) {
        std::filesystem::remove(folder / "data" / "help.txt");
    });
    EXPECT_EQ("Helptext (.../Kestrava/data/help.txt) doesn't exist!\n", app.ErrorConfirm());
    ASSERT_TRUE(app.Ready());
    app.Compute("10", "100", "10", "2");
    EXPECT_EQ("12.0000000000", app.Text(10));
    HWND help = HelpOpen(app);
    ASSERT_TRUE(help);
    EXPECT_EQ("", Lines(app.Text(GetDlgItem(help, 101))));
    EXPECT_TRUE(HelpOk(app, help));
}

TEST(KestravaHelp, WithoutTheHeaderPictureNothingIsShownAndItWorks) {
    Kestrava app([](const std::filesystem::path& folder) {
        std::filesystem::remove(folder / "data" / "header.bmp");
    });
    ASSERT_TRUE(app.Ready()); // a message box would have held the window's building back
    EXPECT_FALSE(app.Window("ERROR"));
    app.Compute("10", "100", "10", "2");
    EXPECT_EQ("12.0000000000", app.Text(10));
    HWND help = HelpOpen(app);
    ASSERT_TRUE(help);
    EXPECT_TRUE(HelpOk(app, help));
}

} // namespace
