// The statistics window and the list as a table, worked from outside: figures against sums
// done by hand, the chart as the screen shows it, modality, the clipboard, and what many
// openings of the window leave behind; then what the executable carries.
#include "support/KestravaDriver_win32.h"
#include "support/TestFolder.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <map>

namespace {

// Widgets of the statistics window; summary line i shows its value in Value + 2i.
enum StatsNumber { Value = 301, NoteText = 320, Chart, Copy, Ok };
constexpr COLORREF Gain = RGB(46, 139, 87), Loss = RGB(200, 40, 40), ZeroLine = RGB(90, 90, 90);

const std::string KnownTable = CrLfLines({
    "Ware\tBuyunits\tBuyprice\tUnitprice\tUnityield [$]\tSellunits\tSellprice\tYield [$]\t"
    "Yield [%]",
    "Salt\t10\t100.0000000000\t12.0000000000\t2.0000000000\t10\t120.0000000000\t"
    "20.0000000000\t20.0000000000",
    "Salt\t5\t50.0000000000\t11.0000000000\t1.0000000000\t5\t55.0000000000\t5.0000000000\t"
    "10.0000000000",
    "Silk\t4\t40.0000000000\t7.0000000000\t-3.0000000000\t4\t28.0000000000\t-12.0000000000\t"
    "-30.0000000000",
    "Iron\t0\t30.0000000000\tinf\t1.0000000000\t2\tinf\t2.0000000000\t-100.0000000000",
    "Wool\t2\t10.0000000000\t7.5000000000\t2.5000000000\t2\t15.0000000000\t5.0000000000\t"
    "50.0000000000",
    // "inf" reads as 0 where the totals add up.
    "Total\t21\t230.0000000000\t37.5000000000\t3.5000000000\t23\t218.0000000000\t"
    "20.0000000000\t-50.0000000000",
});

// Built and with the keyboard, the calculator disabled behind it; else nullptr.
HWND StatsOpen(Kestrava& app) {
    app.Click(31);
    HWND stats = app.WindowWait("Statistics");
    return stats && WaitUntil([&] {
               return GetDlgItem(stats, Ok) && GetForegroundWindow() == stats &&
                      !IsWindowEnabled(app.Main());
           })
               ? stats
               : nullptr;
}

// Closes it by OK, Escape, Enter or the close box; true once it is gone and the calculator
// is enabled and in front again.
bool StatsClose(Kestrava& app, HWND stats, int way) {
    switch (way % 4) {
    case 0: ClickAt(GetDlgItem(stats, Ok)); break;
    case 1: InputKey(VK_ESCAPE); break;
    case 2: InputKey(VK_RETURN); break;
    case 3: PostMessageA(stats, WM_SYSCOMMAND, SC_CLOSE, 0); break;
    }
    return WaitUntil([&] {
        return !IsWindow(stats) && IsWindowEnabled(app.Main()) &&
               GetForegroundWindow() == app.Main();
    });
}

// Per colour, the height of each bar left to right (the tallest column of each run), and the
// first and last row where it shows. Taken once the screen shows losses in the chart.
struct Bars {
    std::map<COLORREF, std::vector<int>> heights;
    std::map<COLORREF, std::pair<int, int>> rows;
};
Bars ChartRead(HWND stats) {
    Screenshot shot;
    WaitUntil([&] {
        shot = ClientShot(GetDlgItem(stats, Chart));
        return std::count(shot.pixels.begin(), shot.pixels.end(), Loss) > 0;
    });
    Bars bars;
    for (COLORREF c : {Gain, Loss, ZeroLine}) {
        auto& rows = bars.rows[c] = {shot.height, -1};
        auto& heights = bars.heights[c];
        for (int x = 0, before = 0; x < shot.width; ++x) {
            int height = 0;
            for (int y = 0; y < shot.height; ++y)
                if (shot.pixels[size_t(y * shot.width + x)] == c) {
                    ++height;
                    rows = {std::min(rows.first, y), std::max(rows.second, y)};
                }
            if (height && !before)
                heights.push_back(height);
            else if (height)
                heights.back() = std::max(heights.back(), height);
            before = height;
        }
    }
    return bars;
}

// While the window is open a click on COMPUTE is lost; however it is closed, the calculator
// then takes the click again and its keyboard focus is back on the Stats button. The figures
// of a known list match sums done by hand, and both ways of copying give the table. Opened
// and closed many times, the window leaves no GDI objects or windows behind.
TEST(KestravaStats, ModalAfterEveryWayOfClosingFiguresChartCopiesAndNothingLeftBehind) {
    Kestrava app({}, true);
    ASSERT_TRUE(app.Ready());
    for (auto [field, text] : {std::pair{4, "10"}, {5, "100"}, {6, "10"}, {9, "2"}})
        app.TextSet(field, text);
    for (int way = 0; way < 4; ++way) {
        SCOPED_TRACE(way);
        app.TextSet(10, "0");
        HWND stats = StatsOpen(app);
        ASSERT_TRUE(stats);
        EXPECT_EQ("The list is empty.", app.Text(GetDlgItem(stats, NoteText)));
        EXPECT_FALSE(GetDlgItem(stats, Chart));
        app.Click(14);
        ASSERT_TRUE(StatsClose(app, stats, way));
        EXPECT_EQ("0", app.Text(10));
        EXPECT_TRUE(WaitUntil([&] { return app.Focus() == app.Control(31); }));
        app.Click(14);
        EXPECT_TRUE(WaitUntil([&] { return app.Text(10) == "12.0000000000"; }));
    }

    // Iron is bought as zero units: its numbers are "inf" and "nan".
    app.RowAdd("Salt", "10", "100", "10", "2");
    app.RowAdd("Salt", "5", "50", "5", "1");
    app.RowAdd("Silk", "4", "40", "4", "-3");
    app.RowAdd("Iron", "0", "30", "2", "1");
    app.RowAdd("Wool", "2", "10", "2", "2.5");
    HWND stats = StatsOpen(app);
    ASSERT_TRUE(stats);
    // Iron is counted as a row and a ware, but is in none of the sums: cost 100+50+40+10,
    // sell 120+55+28+15, yield 20+5-12+5, and 18 on the 200 the sold units cost is 9 %.
    Texts values;
    for (int line = 0; line < 8; ++line)
        values.push_back(app.Text(GetDlgItem(stats, Value + 2 * line)));
    EXPECT_EQ((Texts{"5", "4", "200.0000000000", "218.0000000000", "18.0000000000", "9.0000000000",
                     "Wool (50.0000000000 %)", "Silk (-30.0000000000 %)"}),
              values);
    const std::string note = app.Text(GetDlgItem(stats, NoteText));
    EXPECT_NE(std::string::npos, note.find("1 row left out")) << note;

    // Bars for 20, 5, -12 and 5 on one scale: the loss hangs below the zero line, the gains
    // stand on it.
    Bars bars = ChartRead(stats);
    const std::vector<int> gains = bars.heights[Gain];
    ASSERT_EQ(3u, gains.size());
    ASSERT_EQ(1u, bars.heights[Loss].size());
    EXPECT_GT(gains[1], 5);
    EXPECT_EQ(gains[1], gains[2]);
    EXPECT_LE(std::abs(gains[0] - 4 * gains[1]), 4) << gains[0] << " and " << gains[1];
    EXPECT_LE(std::abs(5 * bars.heights[Loss][0] - 12 * gains[1]), 12) << bars.heights[Loss][0];
    const auto zero = bars.rows[ZeroLine];
    ASSERT_EQ(zero.first, zero.second) << "one zero line";
    EXPECT_GT(bars.rows[Loss].first, zero.first);
    EXPECT_LT(bars.rows[Gain].second, zero.first);

    ClipboardTake();
    ClickAt(GetDlgItem(stats, Copy));
    std::string copied;
    EXPECT_TRUE(WaitUntil([&] { return (copied += ClipboardTake()) == KnownTable; })) << copied;
    ASSERT_TRUE(StatsClose(app, stats, 1));
    ASSERT_TRUE(app.TabTo(26));
    InputKey('C', false, true);
    copied.clear();
    EXPECT_TRUE(WaitUntil([&] { return (copied += ClipboardTake()) == KnownTable; })) << copied;

    // The first openings may fill caches that stay; count from here.
    const int objects = app.GdiObjects(), windows = WindowsOfProcess(app.Id());
    ASSERT_GT(objects, 0) << "no GDI trace from the program";
    for (int round = 1; round <= 200; ++round) {
        stats = StatsOpen(app);
        ASSERT_TRUE(stats) << "round " << round;
        if (round == 1) { // the counts are live: the open window holds more of both
            EXPECT_TRUE(WaitUntil([&] { return app.GdiObjects() > objects; }));
            EXPECT_GT(WindowsOfProcess(app.Id()), windows);
        }
        ASSERT_TRUE(StatsClose(app, stats, round)) << "round " << round;
    }
    // Painting holds a few objects for a moment; at rest the count is back.
    EXPECT_TRUE(WaitUntil([&] { return app.GdiObjects() == objects; }, 10000))
        << app.GdiObjects() << " GDI objects, " << objects << " before";
    EXPECT_EQ(windows, WindowsOfProcess(app.Id()));
}

TEST(KestravaStats, TheManifestAskingForCommonControlsSixIsInTheExecutable) {
    HMODULE module = LoadLibraryExA(KV_APP_DIR "/Kestrava.exe", nullptr, LOAD_LIBRARY_AS_DATAFILE);
    ASSERT_TRUE(module);
    HRSRC found = FindResourceA(module, MAKEINTRESOURCEA(1), MAKEINTRESOURCEA(24));
    ASSERT_TRUE(found);
    const std::string manifest(static_cast<const char*>(LockResource(LoadResource(module, found))),
                               SizeofResource(module, found));
    FreeLibrary(module);
    // The version in the dependency's own identity, not in the program's.
    const size_t controls = manifest.find("name=\"Microsoft.Windows.Common-Controls\"");
    ASSERT_NE(std::string::npos, controls) << manifest;
    const size_t from = manifest.rfind("<assemblyIdentity", controls);
    const std::string identity = manifest.substr(from, manifest.find("/>", controls) - from);
    EXPECT_NE(std::string::npos, identity.find("version=\"6.0.0.0\"")) << identity;
}

} // namespace
