// The statistics window and the list as a table, worked from outside: figures against sums
// done by hand, the chart as the screen shows it, the window's modality and the clipboard.
#include "support/KestravaExtras_win32.h"
#include "support/TestFolder.h"
#include "support/WinTestUtil_win32.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <map>

namespace {

using Texts = std::vector<std::string>;

constexpr COLORREF Gain = RGB(46, 139, 87), Loss = RGB(200, 40, 40), ZeroLine = RGB(90, 90, 90);

// Two of salt, a loss on silk, iron bought as zero units (its numbers are "inf" and "nan"),
// and wool, all with the yield as an amount.
void KnownRowsAdd(Kestrava& app) {
    RowAdd(app, "Salt", "10", "100", "10", "2");
    RowAdd(app, "Salt", "5", "50", "5", "1");
    RowAdd(app, "Silk", "4", "40", "4", "-3");
    RowAdd(app, "Iron", "0", "30", "2", "1");
    RowAdd(app, "Wool", "2", "10", "2", "2.5");
}

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

// Pixels of each colour per column of the chart, and the rows where each colour shows.
struct ChartColumns {
    std::map<COLORREF, std::vector<int>> heights; // colour -> count per x
    std::map<COLORREF, std::pair<int, int>> rows; // colour -> first and last y
};

ChartColumns ChartRead(const Screenshot& shot) {
    ChartColumns chart;
    for (COLORREF colour : {Gain, Loss, ZeroLine}) {
        chart.heights[colour].assign(size_t(shot.width), 0);
        chart.rows[colour] = {shot.height, -1};
    }
    for (int y = 0; y < shot.height; ++y)
        for (int x = 0; x < shot.width; ++x) {
            auto found = chart.heights.find(shot.At(x, y));
            if (found == chart.heights.end())
                continue;
            ++found->second[size_t(x)];
            auto& rows = chart.rows[found->first];
            rows = {std::min(rows.first, y), std::max(rows.second, y)};
        }
    return chart;
}

// The height of each bar of `colour`, left to right: the tallest column of each run.
std::vector<int> Bars(const std::vector<int>& heights) {
    std::vector<int> bars;
    for (size_t x = 0; x < heights.size(); ++x)
        if (heights[x] && (x == 0 || !heights[x - 1]))
            bars.push_back(heights[x]);
        else if (heights[x])
            bars.back() = std::max(bars.back(), heights[x]);
    return bars;
}

// The chart once the screen shows bars of `colour` in it.
Screenshot ChartShot(HWND stats, COLORREF colour) {
    HWND image = GetDlgItem(stats, StatsChartImage);
    Screenshot shot;
    WaitUntil([&] {
        shot = ClientShot(image);
        return std::count(shot.pixels.begin(), shot.pixels.end(), colour) > 0;
    });
    return shot;
}

TEST(KestravaStats, FiguresOfAKnownListMatchTheSumsDoneByHandAndBothCopiesGiveTheTable) {
    Kestrava app;
    ASSERT_TRUE(app.Ready());
    HWND stats = StatsOpen(app);
    ASSERT_TRUE(stats);
    EXPECT_EQ("The list is empty.", app.Text(GetDlgItem(stats, StatsNoteText)));
    EXPECT_FALSE(GetDlgItem(stats, StatsChartImage));
    app.Click(GetDlgItem(stats, StatsOk));
    ASSERT_TRUE(StatsClosed(app, stats));

    KnownRowsAdd(app);
    stats = StatsOpen(app);
    ASSERT_TRUE(stats);
    // Iron is counted as a row and a ware, but is in none of the sums: cost 100+50+40+10,
    // sell 120+55+28+15, yield 20+5-12+5, and 18 on the 200 the sold units cost is 9 %.
    EXPECT_EQ((Texts{"5", "4", "200.0000000000", "218.0000000000", "18.0000000000", "9.0000000000",
                     "Wool (50.0000000000 %)", "Silk (-30.0000000000 %)"}),
              StatsValuesRead(app, stats));
    EXPECT_NE(std::string::npos, app.Text(GetDlgItem(stats, StatsNoteText)).find("1 row left out"))
        << app.Text(GetDlgItem(stats, StatsNoteText));

    // Bars for 20, 5, -12 and 5: the loss hangs below the zero line, the gains stand on it.
    const ChartColumns chart = ChartRead(ChartShot(stats, Loss));
    EXPECT_EQ(1u, Bars(chart.heights.at(Loss)).size());
    EXPECT_EQ(3u, Bars(chart.heights.at(Gain)).size());
    const auto zero = chart.rows.at(ZeroLine);
    ASSERT_EQ(zero.first, zero.second) << "one zero line";
    EXPECT_GT(chart.rows.at(Loss).first, zero.first);
    EXPECT_LT(chart.rows.at(Gain).second, zero.first);

    ClipboardClear();
    app.Click(GetDlgItem(stats, StatsCopy));
    EXPECT_TRUE(WaitUntil([] { return !ClipboardText().empty(); }));
    EXPECT_EQ(KnownTable, ClipboardText());
    InputKey(VK_ESCAPE);
    ASSERT_TRUE(StatsClosed(app, stats));

    ClipboardClear();
    ASSERT_TRUE(TabTo(app, 26));
    InputKey('C', false, true);
    EXPECT_TRUE(WaitUntil([] { return !ClipboardText().empty(); }));
    EXPECT_EQ(KnownTable, ClipboardText());
}

TEST(KestravaStats, ChartBarsAreScaledToTheYield) {
    Kestrava app;
    ASSERT_TRUE(app.Ready());
    RowAdd(app, "Tea", "1", "10", "1", "10");
    RowAdd(app, "Rum", "1", "10", "1", "20");
    HWND stats = StatsOpen(app);
    ASSERT_TRUE(stats);
    const ChartColumns chart = ChartRead(ChartShot(stats, Gain));
    const std::vector<int> bars = Bars(chart.heights.at(Gain));
    ASSERT_EQ(2u, bars.size());
    EXPECT_GT(bars[0], 20);
    EXPECT_LE(std::abs(bars[1] - 2 * bars[0]), 1) << bars[0] << " and " << bars[1];
    EXPECT_EQ(-1, chart.rows.at(Loss).second) << "no loss, no loss colour";
}

// While the window is open a click on COMPUTE is lost; however it is closed, the calculator
// then takes the click again and its keyboard focus is where it was.
TEST(KestravaStats, TheCalculatorWaitsWhileTheWindowIsOpenAndWorksAfterEveryWayOfClosingIt) {
    Kestrava app;
    ASSERT_TRUE(app.Ready());
    app.TextSet(4, "10");
    app.TextSet(5, "100");
    app.TextSet(6, "10");
    app.TextSet(9, "2");
    enum Close { Ok, Escape, Enter, CloseBox };
    for (Close how : {Ok, Escape, Enter, CloseBox}) {
        SCOPED_TRACE(how);
        app.TextSet(10, "0");
        HWND stats = StatsOpen(app);
        ASSERT_TRUE(stats);
        app.Click(14);
        switch (how) {
        case Ok: app.Click(GetDlgItem(stats, StatsOk)); break;
        case Escape: InputKey(VK_ESCAPE); break;
        case Enter: InputKey(VK_RETURN); break;
        case CloseBox:
            // Posted, so not behind the click in the input queue: Copy table is.
            ClipboardClear();
            app.Click(GetDlgItem(stats, StatsCopy));
            EXPECT_TRUE(WaitUntil([] { return !ClipboardText().empty(); }));
            PostMessageA(stats, WM_SYSCOMMAND, SC_CLOSE, 0);
            break;
        }
        ASSERT_TRUE(StatsClosed(app, stats));
        EXPECT_EQ("0", app.Text(10));
        // The keyboard is back where it was: on the Stats button.
        EXPECT_TRUE(WaitUntil([&] { return app.Focus() == app.Control(31); }));
        app.Click(14);
        EXPECT_TRUE(WaitUntil([&] { return app.Text(10) == "12.0000000000"; }));
    }
}

} // namespace
