// Input and files no trader means to give: very long texts, control characters, numbers out
// of range, a list of 200 MB without a line end, a row count far past the rows there are, an
// entry of random bytes, a help text of 100,000 lines. The program takes it all and stays
// responsive.
#include "support/KestravaDriver_win32.h"

#include <gtest/gtest.h>

#include <fstream>
#include <random>

namespace {

TEST(KestravaHostile, OddInputHugeAndBrokenFilesNeitherCrashNorHang) {
    Kestrava app([](const std::filesystem::path& folder) {
        std::string help, rows = "2147483647\r\n", noise, endless(200 << 20, '7');
        for (int i = 0; i < 100000; ++i)
            help += "help line " + std::to_string(i) + "\r\n";
        for (int row = 0; row < 50000; ++row)
            rows += "w" + std::to_string(row) + "\r\n1\r\n2\r\n3\r\n4\r\n5\r\n6\r\n7\r\n8\r\n1\r\n";
        std::mt19937 random(7);
        for (int i = 0; i < 5000; ++i)
            noise += char(random());
        for (auto [name, bytes] : {std::pair{"data/help.txt", &help},
                                   {"Saved-Lists/endless.kvl", &endless},
                                   {"Saved-Lists/counted.kvl", &rows},
                                   {"Saved-Entrys/noise.kve", &noise}})
            std::ofstream(folder / name, std::ios::binary) << *bytes;
    });
    ASSERT_TRUE(app.Ready());
    app.TextSet(WareField, "\x01\x02\x1b\t\x7f"
                           "a\r\nb\nc");
    // A number far past a double's range. Blanks break the digits into runs: Wine's own edit
    // control needs seconds for every repaint of one run of 100,000 digits.
    std::string digits;
    while (digits.size() < 100000)
        digits += std::string(4999, '7') + ' ';
    app.TextSet(BuyUnitsField, digits);
    ASSERT_TRUE(app.Responsive(60000));
    for (auto [field, text] :
         {std::pair{BuyCostField, "1e999"}, {SellUnitsField, "-0"}, {YieldField, "nan"}})
        app.TextSet(field, text);
    app.Click(WareField);
    app.Keys({VK_END, 'B', 'G', 'H', 'Z'}, false, true); // control characters typed
    app.Click(ComputeButton);
    ASSERT_TRUE(WaitUntil([&] { return app.Text(BuyCostField) != "1e999"; }));
    app.Click(TransferButton);
    ASSERT_TRUE(WaitUntil([&] { return app.Rows() == 1; }, 120000));
    EXPECT_TRUE(app.Responsive(120000));
    for (int field :
         {UnitPriceField, SellPriceField, UnitYieldField, YieldAmountField, YieldPercentField,
          TotalBuyUnitsField, TotalBuyPriceField, TotalSellPriceField})
        EXPECT_LT(app.Text(field).size(), 400u) << field; // a number's text, however odd

    HWND help = app.HelpOpen(); // every one of the 100,000 help lines is shown
    ASSERT_TRUE(help);
    const auto shown = [&] {
        return SendMessageA(GetDlgItem(help, HelpText), WM_GETTEXTLENGTH, 0, 0);
    };
    EXPECT_TRUE(WaitUntil([&] { return shown() > 1500000; }, 300000)) << shown();
    SendMessageA(GetDlgItem(help, HelpOkButton), BM_CLICK, 0, 0);
    EXPECT_TRUE(WaitUntil([&] { return !IsWindow(help); }, 30000));
    EXPECT_TRUE(app.Responsive());

    // A first line of 200 MB is no row count: the file is refused and the list stays.
    ASSERT_TRUE(app.FileDialog(MenuOpenList, "Load List", "endless.kvl"));
    EXPECT_EQ("Can't load this file!\n", app.ErrorConfirm());
    EXPECT_TRUE(app.Responsive(120000));
    EXPECT_EQ(1, app.Rows()); // the list stays as it was
    ASSERT_TRUE(app.FileDialog(MenuOpenList, "Load List", "counted.kvl"));
    EXPECT_TRUE(app.Responsive(120000));
    EXPECT_EQ(50000, app.Rows());
    EXPECT_EQ("w49999", app.Cell(49999, 0));
    ASSERT_TRUE(app.FileDialog(MenuOpenEntry, "Load Entry", "noise.kve")); // binary: refused
    EXPECT_EQ("Can't open this file!\n", app.ErrorConfirm());
    EXPECT_TRUE(app.Responsive());
    app.Menu(MenuQuit); // Quit with a filled list: exit code 0
    EXPECT_EQ(0u, app.ExitCode());
}

} // namespace
