// The statistics window and the list as a table, worked from outside: figures against sums
// done by hand, the chart as the screen shows it, modality, the clipboard; then what the
// executable carries and what many openings of the window leave behind.
#include "support/KestravaDriver_win32.h"
#include "support/TestFolder.h"
#include "support/WinTestUtil_win32.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <map>

namespace {

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

// Per colour: the height of each bar, left to right (the tallest column of each run), and
// the first and last row where it shows. Taken once the screen shows `colour` in the chart.
struct Chart {
    std::map<COLORREF, std::vector<int>> bars;
    std::map<COLORREF, std::pair<int, int>> rows;
};
Chart ChartRead(HWND stats, COLORREF colour) {
    Screenshot shot;
    WaitUntil([&] {
        shot = ClientShot(GetDlgItem(stats, StatsChart));
        return std::count(shot.pixels.begin(), shot.pixels.end(), colour) > 0;
    });
    Chart chart;
    for (COLORREF c : {Gain, Loss, ZeroLine}) {
        std::vector<int> heights(size_t(shot.width), 0);
        auto& rows = chart.rows[c] = {shot.height, -1};
        for (int y = 0; y < shot.height; ++y)
            for (int x = 0; x < shot.width; ++x)
                if (shot.At(x, y) == c) {
                    ++heights[size_t(x)];
                    rows = {std::min(rows.first, y), std::max(rows.second, y)};
                }
        auto& bars = chart.bars[c];
        for (size_t x = 0; x < heights.size(); ++x)
            if (heights[x] && (x == 0 || !heights[x - 1]))
                bars.push_back(heights[x]);
            else if (heights[x])
                bars.back() = std::max(bars.back(), heights[x]);
    }
    return chart;
}

// While the window is open a click on COMPUTE is lost; however it is closed, the calculator
// then takes the click again and its keyboard focus is back on the Stats button. The figures
// of a known list match sums done by hand, and both ways of copying give the table.
TEST(KestravaStats, ModalAfterEveryWayOfClosingFiguresChartAndCopiesOfAKnownList) {
    Kestrava app;
    ASSERT_TRUE(app.Ready());
    for (auto [field, text] : {std::pair{4, "10"}, {5, "100"}, {6, "10"}, {9, "2"}})
        app.TextSet(field, text);
    for (int way = 0; way < 4; ++way) {
        SCOPED_TRACE(way);
        app.TextSet(10, "0");
        HWND stats = app.StatsOpen();
        ASSERT_TRUE(stats);
        EXPECT_EQ("The list is empty.", app.Text(GetDlgItem(stats, StatsNoteText)));
        EXPECT_FALSE(GetDlgItem(stats, StatsChart));
        app.Click(14);
        if (way == 3) { // the close is posted, so not behind the click in the input queue
            ClipboardSet("");
            ClickAt(GetDlgItem(stats, StatsCopy));
            EXPECT_TRUE(WaitUntil([] { return !ClipboardText().empty(); }));
        }
        app.StatsClose(stats, way);
        ASSERT_TRUE(app.StatsClosed(stats));
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
    HWND stats = app.StatsOpen();
    ASSERT_TRUE(stats);
    // Iron is counted as a row and a ware, but is in none of the sums: cost 100+50+40+10,
    // sell 120+55+28+15, yield 20+5-12+5, and 18 on the 200 the sold units cost is 9 %.
    Texts values;
    for (int line = 0; line < 8; ++line)
        values.push_back(app.Text(GetDlgItem(stats, StatsValue + 2 * line)));
    EXPECT_EQ((Texts{"5", "4", "200.0000000000", "218.0000000000", "18.0000000000", "9.0000000000",
                     "Wool (50.0000000000 %)", "Silk (-30.0000000000 %)"}),
              values);
    const std::string note = app.Text(GetDlgItem(stats, StatsNoteText));
    EXPECT_NE(std::string::npos, note.find("1 row left out")) << note;

    // Bars for 20, 5, -12 and 5: the loss hangs below the zero line, the gains stand on it.
    Chart chart = ChartRead(stats, Loss);
    EXPECT_EQ(1u, chart.bars[Loss].size());
    EXPECT_EQ(3u, chart.bars[Gain].size());
    const auto zero = chart.rows[ZeroLine];
    ASSERT_EQ(zero.first, zero.second) << "one zero line";
    EXPECT_GT(chart.rows[Loss].first, zero.first);
    EXPECT_LT(chart.rows[Gain].second, zero.first);

    ClipboardSet("");
    ClickAt(GetDlgItem(stats, StatsCopy));
    EXPECT_TRUE(WaitUntil([] { return ClipboardText() == KnownTable; })) << ClipboardText();
    app.StatsClose(stats, 1);
    ASSERT_TRUE(app.StatsClosed(stats));
    ClipboardSet("");
    ASSERT_TRUE(app.TabTo(26));
    InputKey('C', false, true);
    EXPECT_TRUE(WaitUntil([] { return ClipboardText() == KnownTable; })) << ClipboardText();

    // Only gains, of 10 and 20: the second bar twice as tall, and no loss colour.
    app.Menu(4);
    ASSERT_TRUE(WaitUntil([&] { return app.Rows() == 0; }));
    app.RowAdd("Tea", "1", "10", "1", "10");
    app.RowAdd("Rum", "1", "10", "1", "20");
    stats = app.StatsOpen();
    ASSERT_TRUE(stats);
    chart = ChartRead(stats, Gain);
    const std::vector<int> bars = chart.bars[Gain];
    ASSERT_EQ(2u, bars.size());
    EXPECT_GT(bars[0], 20);
    EXPECT_LE(std::abs(bars[1] - 2 * bars[0]), 1) << bars[0] << " and " << bars[1];
    EXPECT_EQ(-1, chart.rows[Loss].second);
}

TEST(KestravaStats, TheManifestAskingForCommonControlsSixIsInTheExecutable) {
    const std::string path = std::string(KV_APP_DIR) + "/Kestrava.exe";
    HMODULE module = LoadLibraryExA(path.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
    ASSERT_TRUE(module) << path;
    HRSRC found = FindResourceA(module, MAKEINTRESOURCEA(1), MAKEINTRESOURCEA(24));
    ASSERT_TRUE(found);
    const char* bytes = static_cast<const char*>(LockResource(LoadResource(module, found)));
    const std::string manifest(bytes, SizeofResource(module, found));
    FreeLibrary(module);
    const size_t controls = manifest.find("name=\"Microsoft.Windows.Common-Controls\"");
    ASSERT_NE(std::string::npos, controls) << manifest;
    const size_t from = manifest.rfind("<assemblyIdentity", controls);
    const std::string identity = manifest.substr(from, manifest.find("/>", controls) - from);
    EXPECT_NE(std::string::npos, identity.find("version=\"6.0.0.0\"")) << identity;
}

TEST(KestravaStats, OpeningAndClosingTheWindowLeavesNoGdiObjectsOrWindows) {
    Kestrava app({}, true);
    ASSERT_TRUE(WaitUntil([&] { return app.Main() && GetForegroundWindow() == app.Main(); }));
    // A gain, a loss and a row left out, so the chart has every part.
    app.RowAdd("Salt", "10", "100", "4", "2");
    app.RowAdd("Silk", "4", "100", "4", "-30");
    app.RowAdd("Iron", "0", "100", "4", "2");
    const auto cycle = [&](int way, const std::function<void()>& whileOpen = {}) {
        HWND stats = app.StatsOpen();
        if (!stats)
            return false;
        if (whileOpen)
            whileOpen();
        app.StatsClose(stats, way);
        return app.StatsClosed(stats);
    };
    // The first opening may fill caches that stay; count from after it.
    ASSERT_TRUE(cycle(0));
    const int objects = app.GdiObjects(), windows = WindowsOfProcess(app.Id());
    ASSERT_GT(objects, 0) << "no GDI trace from the program";
    // The counts are live: the open window holds more of both.
    ASSERT_TRUE(cycle(1, [&] {
        EXPECT_TRUE(WaitUntil([&] { return app.GdiObjects() > objects; }));
        EXPECT_GT(WindowsOfProcess(app.Id()), windows);
    }));
    for (int round = 2; round <= 200; ++round)
        ASSERT_TRUE(cycle(round)) << "round " << round;
    // Painting holds a few objects for a moment; at rest the count is back.
    EXPECT_TRUE(WaitUntil([&] { return app.GdiObjects() == objects; }, 10000))
        << app.GdiObjects() << " GDI objects, " << objects << " before";
    EXPECT_EQ(windows, WindowsOfProcess(app.Id()));
}

} // namespace
