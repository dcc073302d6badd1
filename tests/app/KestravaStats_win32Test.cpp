// The statistics window and the list as a table, worked from outside: figures against sums
// done by hand, the chart as the screen shows it, modality and the clipboard. What many
// openings of the window leave behind is counted in the soak test.
#include "support/KestravaDriver_win32.h"

#include <gtest/gtest.h>

namespace {

// Widgets of the statistics window; summary line i shows its value in Value + 2i.
// Summary line i shows its value in Value + 2i.
constexpr int Value = StatsFirstLine + 1, NoteText = StatsNote, Chart = StatsChart,
              Copy = StatsCopyButton;
constexpr COLORREF Gain = RGB(46, 139, 87), Loss = RGB(200, 40, 40), ZeroLine = RGB(90, 90, 90);

// Height of the chart's zero line in its client area.
int ZeroLineAt(HWND chart) {
    RECT r = {};
    GetClientRect(chart, &r);
    int zero = 0;
    WaitUntil([&] {
        for (zero = 0; zero < r.bottom && ClientPixel(chart, r.right / 2, zero) != ZeroLine;)
            ++zero;
        return zero < r.bottom;
    });
    return zero;
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
    EXPECT_EQ((Texts{"5", "4", "200.0000000000", "218.0000000000", "18.0000000000", "9.0000000000",
                     "Wool (50.0000000000 %)", "Silk (-30.0000000000 %)"}),
              values);
    const std::string note = app.Text(GetDlgItem(stats, NoteText));
    EXPECT_NE(std::string::npos, note.find("1 row left out")) << note;

    // Bars for 20, 5, -12 and 5 on one scale: the loss hangs below the zero line.
    const std::vector<int> bars = Bars(GetDlgItem(stats, Chart));
    ASSERT_EQ(4u, bars.size());
    EXPECT_GT(bars[1], 5);
    EXPECT_EQ(bars[1], bars[3]);
    EXPECT_LE(std::abs(bars[0] - 4 * bars[1]), 4) << bars[0] << " and " << bars[1];
    EXPECT_LE(std::abs(5 * bars[2] + 12 * bars[1]), 12) << bars[2] << " and " << bars[1];

    ClipboardTake();
    ClickAt(GetDlgItem(stats, Copy));
    std::string copied;
    EXPECT_TRUE(WaitUntil([&] { return (copied += ClipboardTake()) == table; })) << copied;
    InputKey(VK_RETURN); // on the focused button: copies again, the window stays
    copied.clear();
    EXPECT_TRUE(WaitUntil([&] { return (copied += ClipboardTake()) == table; })) << copied;
    EXPECT_TRUE(IsWindowVisible(stats));
    ASSERT_TRUE(app.StatsClose(stats, 1));
    ASSERT_TRUE(app.TabTo(TradeList));
    InputKey('C', false, true);
    copied.clear();
    EXPECT_TRUE(WaitUntil([&] { return (copied += ClipboardTake()) == table; })) << copied;
}

} // namespace
