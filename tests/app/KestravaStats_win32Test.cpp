// The statistics window and the list as a table, worked from outside: figures against sums
// done by hand, the chart as the screen shows it, modality and the clipboard. What many
// openings of the window leave behind is counted in the soak test.
#include "support/KestravaDriver_win32.h"

#include <gtest/gtest.h>

#include <cstdio>

namespace {

// Widgets of the statistics window; summary line i shows its value in Value + 2i.
constexpr int Value = StatsFirstLine + 1, NoteText = StatsNote, Chart = StatsChart,
              Copy = StatsCopyButton, Wares = StatsWareList;
constexpr COLORREF Gain = RGB(46, 139, 87), Loss = RGB(200, 40, 40), ZeroLine = RGB(90, 90, 90);

// Height of the chart's zero line in its client area, left of the first bar and its texts.
int ZeroLineAt(HWND chart) {
    RECT r = {};
    GetClientRect(chart, &r);
    int zero = 0;
    WaitUntil([&] {
        for (zero = 0; zero < r.bottom && ClientPixel(chart, 7, zero) != ZeroLine;)
            ++zero;
        return zero < r.bottom;
    });
    return zero;
}

// The per-ware table as the statistics window shows it, line by line.
std::vector<Texts> WareLines(Kestrava& app, HWND stats) {
    HWND list = GetDlgItem(stats, Wares);
    std::vector<Texts> lines(size_t(SendMessageA(list, LVM_GETITEMCOUNT, 0, 0)));
    for (size_t row = 0; row < lines.size(); ++row)
        for (int column = 0; column < 8; ++column)
            lines[row].push_back(app.Cell(list, int(row), column));
    return lines;
}

// The chart's bars left to right as the screen shows them: the height in pixels of each, up
// from the zero line in the gain colour, down from it (negative) in the loss colour.
std::vector<int> Bars(HWND chart) {
    RECT r = {};
    GetClientRect(chart, &r);
    const auto is = [&](int x, int y, COLORREF c) { return ClientPixel(chart, x, y) == c; };
    const int zero = ZeroLineAt(chart);
    std::vector<int> bars;
    for (int x = 0, before = 0; x < r.right; ++x) {
        const int side = is(x, zero - 1, Gain) ? -1 : is(x, zero + 1, Loss) ? 1 : 0;
        if (side && !before) { // a new bar, measured a little inside its edge
            int height = 0;
            while (is(x + 2, zero + side * (height + 1), side < 0 ? Gain : Loss))
                ++height;
            bars.push_back(-side * height);
        }
        before = side;
    }
    return bars;
}

// While the window is open a click on COMPUTE is lost; however it is closed, the calculator
// then takes the click again and its keyboard focus is back on the Stats button. The figures
// of a known list match sums done by hand, and both ways of copying give the table.
TEST(KestravaStats, ModalAfterEveryWayOfClosingFiguresChartAndCopies) {
    Kestrava app({}, true);
    ASSERT_TRUE(app.Ready());
    for (auto [field, text] : {std::pair{BuyUnitsField, "10"},
                               {BuyCostField, "100"},
                               {SellUnitsField, "10"},
                               {YieldField, "2"}})
        app.TextSet(field, text);
    for (int way = 0; way < 4; ++way) {
        SCOPED_TRACE(way);
        app.TextSet(UnitPriceField, "0");
        HWND stats = app.StatsOpen();
        ASSERT_TRUE(stats);
        EXPECT_EQ("The list is empty.", app.Text(GetDlgItem(stats, NoteText)));
        EXPECT_FALSE(GetDlgItem(stats, Chart));
        app.Click(ComputeButton);
        if (way == 3) { // the close is posted, so not behind the click in the input queue
            ClipboardTake();
            ClickAt(GetDlgItem(stats, Copy));
            EXPECT_TRUE(WaitUntil([] { return !ClipboardTake().empty(); }));
        }
        ASSERT_TRUE(app.StatsClose(stats, way));
        EXPECT_EQ("0", app.Text(UnitPriceField));
        EXPECT_TRUE(WaitUntil([&] { return app.Focus() == app.Control(StatsButton); }));
        app.Click(ComputeButton);
        EXPECT_TRUE(WaitUntil([&] { return app.Text(UnitPriceField) == "12.0000000000"; }));
    }

    // Iron is bought as zero units: its numbers are "inf" and "nan".
    app.RowAdd("Salt", "10", "100", "10", "2");
    app.RowAdd("Salt", "5", "50", "5", "1");
    // Without losses the bars stand on a zero line at the bottom, not in the middle.
    HWND gains = app.StatsOpen();
    ASSERT_TRUE(gains);
    EXPECT_GT(ZeroLineAt(GetDlgItem(gains, Chart)), 120);
    ASSERT_TRUE(app.StatsClose(gains, 1));
    app.RowAdd("Silk", "4", "40", "4", "-3");
    app.RowAdd("Iron", "0", "30", "2", "1");
    app.RowAdd("Wool", "2", "10", "2", "2.5");
    // The list as it shows, between a line of titles and one of totals ("inf" adds as 0).
    std::string table = "Ware\tBuyunits\tBuyprice\tUnitprice\tUnityield [$]\tSellunits\tSellprice\t"
                        "Yield [$]\tYield [%]\r\n";
    for (int row = 0; row < 5; ++row)
        for (int column = 0; column < 9; ++column)
            table += app.Cell(row, column) + (column < 8 ? "\t" : "\r\n");
    table += "Total\t21\t230.0000000000\t37.5000000000\t3.5000000000\t23\t218.0000000000\t"
             "20.0000000000\t-50.0000000000\r\n";
    HWND stats = app.StatsOpen();
    ASSERT_TRUE(stats);
    // Iron is counted as a row and a ware, but is in none of the sums: cost 100+50+40+10,
    // sell 120+55+28+15, yield 20+5-12+5, and 18 on the 200 the sold units cost is 9 %.
    Texts values;
    for (int line = 0; line < 8; ++line)
        values.push_back(app.Text(GetDlgItem(stats, Value + 2 * line)));
    EXPECT_EQ(
        (Texts{"5", "4", "200.00", "218.00", "18.00", "9.00", "Wool (50.00 %)", "Silk (-30.00 %)"}),
        values);
    // Per ware, biggest yield first; Salt's 25 is on the 150 its sold units cost.
    const std::vector<Texts> wares = {
        {"Salt", "2", "15", "15", "150.00", "175.00", "25.00", "16.67"},
        {"Wool", "1", "2", "2", "10.00", "15.00", "5.00", "50.00"},
        {"Silk", "1", "4", "4", "40.00", "28.00", "-12.00", "-30.00"}};
    EXPECT_EQ(wares, WareLines(app, stats));
    const std::string note = app.Text(GetDlgItem(stats, NoteText));
    EXPECT_NE(std::string::npos, note.find("1 row left out")) << note;

    // Bars for 25, 5 and -12 on one scale: the loss hangs below the zero line.
    const std::vector<int> bars = Bars(GetDlgItem(stats, Chart));
    ASSERT_EQ(3u, bars.size());
    EXPECT_GT(bars[1], 5);
    EXPECT_LE(std::abs(bars[0] - 5 * bars[1]), 5) << bars[0] << " and " << bars[1];
    EXPECT_LE(std::abs(5 * bars[2] + 12 * bars[1]), 12) << bars[2] << " and " << bars[1];

    // The button copies the per-ware table below the list's, with the list's number texts;
    // Ctrl+C in the list copies the list alone.
    const std::string both =
        table +
        "\r\nWare\tRows\tUnits bought\tUnits sold\tCost\tSell price\tYield [$]\tYield [%]\r\n"
        "Salt\t2\t15\t15\t150.0000000000\t175.0000000000\t25.0000000000\t16.6666666667\r\n"
        "Wool\t1\t2\t2\t10.0000000000\t15.0000000000\t5.0000000000\t50.0000000000\r\n"
        "Silk\t1\t4\t4\t40.0000000000\t28.0000000000\t-12.0000000000\t-30.0000000000\r\n";
    ClipboardTake();
    ClickAt(GetDlgItem(stats, Copy));
    std::string copied;
    EXPECT_TRUE(WaitUntil([&] { return (copied += ClipboardTake()) == both; })) << copied;
    InputKey(VK_RETURN); // on the focused button: copies again, the window stays
    copied.clear();
    EXPECT_TRUE(WaitUntil([&] { return (copied += ClipboardTake()) == both; })) << copied;
    EXPECT_TRUE(IsWindowVisible(stats));
    ASSERT_TRUE(app.StatsClose(stats, 1));
    ASSERT_TRUE(app.TabTo(TradeList));
    InputKey('C', false, true);
    copied.clear();
    EXPECT_TRUE(WaitUntil([&] { return (copied += ClipboardTake()) == table; })) << copied;
}

// 22 wares bought for 1,000 each and sold with a yield of n - 12.5 (W01 to W22): the chart
// keeps the 20 best and sums W02 and W01 as the last bar, -22; a header click sorts the table
// by that column, a second one the other way round.
TEST(KestravaStats, TwentyBestWaresThenOthersAndTheTableSortsByItsHeaders) {
    Kestrava app;
    ASSERT_TRUE(app.Ready());
    char ware[4], yield[8];
    for (int n = 1; n <= 22; ++n) {
        std::snprintf(ware, sizeof ware, "W%02d", n);
        std::snprintf(yield, sizeof yield, "%.1f", n - 12.5);
        app.RowAdd(ware, "1", "1000", "1", yield);
    }
    HWND stats = app.StatsOpen();
    ASSERT_TRUE(stats);
    std::vector<Texts> lines = WareLines(app, stats);
    ASSERT_EQ(22u, lines.size());
    EXPECT_EQ((Texts{"W22", "1", "1", "1", "1,000.00", "1,009.50", "9.50", "0.95"}), lines[0]);
    EXPECT_EQ((Texts{"W01", "1", "1", "1", "1,000.00", "988.50", "-11.50", "-1.15"}), lines[21]);
    EXPECT_NE(std::string::npos, app.Text(GetDlgItem(stats, StatsChartTitle)).find("20 best"));

    const std::vector<int> bars = Bars(GetDlgItem(stats, Chart));
    ASSERT_EQ(21u, bars.size());
    const double perUnit = -bars[20] / 22.0; // the biggest bar is the most exact
    for (size_t i = 0; i < 20; ++i)
        EXPECT_LE(std::abs(bars[i] - (9.5 - double(i)) * perUnit), 2) << i << ": " << bars[i];

    HWND list = GetDlgItem(stats, Wares);
    HWND header = HWND(SendMessageA(list, LVM_GETHEADER, 0, 0));
    const auto clickHeader = [&](int column, const char* first) {
        int x = 0;
        for (int c = 0; c < column; ++c)
            x += int(SendMessageA(list, LVM_GETCOLUMNWIDTH, WPARAM(c), 0));
        // The pointer rests on the header first, and two quick clicks would be a double click.
        POINT at = {x + 20, 8};
        ClientToScreen(header, &at);
        SetCursorPos(at.x, at.y);
        Sleep(GetDoubleClickTime() + 50);
        ClickAt(header, {x + 20, 8});
        return WaitUntil([&] { return app.Cell(list, 0, 0) == first; });
    };
    EXPECT_TRUE(clickHeader(0, "W01"));
    EXPECT_TRUE(clickHeader(0, "W22"));
    EXPECT_TRUE(clickHeader(6, "W01")); // the yield, ascending
    ASSERT_TRUE(app.StatsClose(stats, 0));
}

} // namespace
