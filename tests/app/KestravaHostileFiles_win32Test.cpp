// Files no trader means to open: a list of 200 MB without a line end, a row count far past
// the rows there are, an entry of random bytes, a help text of 100,000 lines. Each opens as
// the lenient readers say or shows the command's error, and the program stays responsive.
#include "support/KestravaDriver_win32.h"

#include <gtest/gtest.h>

#include <fstream>
#include <random>

namespace {

void FileWrite(const std::filesystem::path& path, const std::string& bytes) {
    std::ofstream(path, std::ios::binary) << bytes;
}

// Opens `name` from the save folder through the menu item and its dialog.
bool OpenThroughMenu(Kestrava& app, int item, const char* title, const std::string& name) {
    app.Menu(item);
    return app.DialogAnswer(title, name);
}

TEST(KestravaHostileFiles, HugeAndBrokenFilesOpenLenientlyAndTheProgramStaysResponsive) {
    Kestrava app([](const std::filesystem::path& folder) {
        std::string help;
        for (int i = 0; i < 100000; ++i)
            help += "help line " + std::to_string(i) + "\r\n";
        FileWrite(folder / "data" / "help.txt", help);
        FileWrite(folder / "Saved-Lists" / "endless.kvl", std::string(200 << 20, '7'));
        std::string rows = "2147483647\r\n";
        for (int row = 0; row < 50000; ++row)
            rows += "w" + std::to_string(row) + "\r\n1\r\n2\r\n3\r\n4\r\n5\r\n6\r\n7\r\n8\r\n1\r\n";
        FileWrite(folder / "Saved-Lists" / "counted.kvl", rows);
        std::mt19937 random(7);
        std::string noise;
        for (int i = 0; i < 5000; ++i)
            noise += char(random());
        FileWrite(folder / "Saved-Entrys" / "noise.kve", noise);
    });
    ASSERT_TRUE(app.Ready());

    app.Menu(8); // every one of the 100,000 help lines is shown
    HWND help = app.WindowWait("Information");
    ASSERT_TRUE(help);
    const auto shown = [&] { return SendMessageA(GetDlgItem(help, 101), WM_GETTEXTLENGTH, 0, 0); };
    EXPECT_TRUE(WaitUntil([&] { return shown() > 1500000; }, 300000)) << shown();
    SendMessageA(GetDlgItem(help, 203), BM_CLICK, 0, 0);
    EXPECT_TRUE(WaitUntil([&] { return !IsWindow(help); }, 30000));
    EXPECT_TRUE(app.Responsive());

    // The first line is the count; with no line end it never ends, and no row follows.
    ASSERT_TRUE(OpenThroughMenu(app, 5, "Load List", "endless.kvl"));
    EXPECT_TRUE(app.Responsive(120000));
    EXPECT_EQ(0, app.Rows());

    // The count is trusted only as far as the file goes.
    ASSERT_TRUE(OpenThroughMenu(app, 5, "Load List", "counted.kvl"));
    EXPECT_TRUE(app.Responsive(120000));
    EXPECT_EQ(50000, app.Rows());
    EXPECT_EQ("w49999", app.Cell(49999, 0));

    ASSERT_TRUE(OpenThroughMenu(app, 2, "Load Entry", "noise.kve"));
    EXPECT_TRUE(app.Responsive());

    EXPECT_TRUE(app.Alive());
}

} // namespace
