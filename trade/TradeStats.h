// A summary of the trade list: counts, sums, the best and worst row and the bars of a chart,
// and the whole list as a table for spreadsheets.
#pragma once

#include "trade/TradeSheet.h"

#include <string>
#include <vector>

// Rows whose numbers are not finite numbers (a zero unit count gives "inf" and "nan") are
// counted in `rows` and `skipped` but left out of everything else.
struct TradeStats {
    struct Row {
        std::string ware;
        double value = 0;
    };
    int rows = 0;
    int wares = 0; // distinct ware names, over every row
    int skipped = 0;
    double cost = 0;         // of the units bought
    double sell = 0;         // sell price of the units sold
    double yield = 0;        // yield [$]
    bool hasPercent = false; // false when the cost of the units sold is 0
    double yieldPercent = 0; // yield on the cost of the units sold, in percent
    bool hasBest = false;
    Row best, worst;       // by yield [%]
    std::vector<Row> bars; // yield [$] of the first counted rows, at most ChartBarsMax
    int counted = 0;       // rows taken into the sums
};

constexpr int ChartBarsMax = 50;

TradeStats TradeStatsCompute(TradeTable& table);

// Tab-separated lines with CR LF ends: the nine column titles, one line per row, and
// "Total" with the eight totals. Tabs and line breaks inside a cell become blanks.
std::string TradeTableText(TradeTable& table, TradeFields& fields);
