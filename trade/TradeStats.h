// A summary of the trade list: counts, sums, the best and worst row, the figures of each ware
// and the bars of a chart, and the whole list as a table for spreadsheets.
#pragma once

#include "trade/TradeSheet.h"

#include <string>
#include <vector>

// The figures of one ware over its counted rows.
struct WareStats {
    std::string ware;
    int rows = 0;
    double bought = 0, sold = 0; // units
    double cost = 0, sell = 0, yield = 0;
    bool hasPercent = false; // false when the cost of the units sold is 0
    double yieldPercent = 0; // yield on the cost of the units sold, in percent
};

// The columns of the per-ware table, in the order it shows them.
enum WareColumn {
    WareName,
    WareRows,
    WareBought,
    WareSold,
    WareCost,
    WareSell,
    WareYield,
    WareYieldPercent,
    WareColumnCount
};
extern const char* const WareColumnTitles[WareColumnCount];

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
    Row best, worst;               // by yield [%]
    std::vector<WareStats> byWare; // biggest yield [$] first; ties in the list's order
    // Yield [$] of the ChartBarsMax wares that yield most, then "Others" with the sum of the
    // rest when there are more.
    std::vector<Row> bars;
    int counted = 0; // rows taken into the sums
};

constexpr int ChartBarsMax = 20;
extern const char OthersBar[]; // "Others"

TradeStats TradeStatsCompute(TradeTable& table);

// Stable; the ware case-insensitively, numbers by value with a missing yield [%] last.
void WareStatsSort(std::vector<WareStats>& wares, WareColumn column, bool ascending);

// Tab-separated lines with CR LF ends: the nine column titles, one line per row, and
// "Total" with the eight totals. Tabs and line breaks inside a cell become blanks.
std::string TradeTableText(TradeTable& table, TradeFields& fields);

// The per-ware table the same way: titles, then a line per ware in the given order, its
// amounts as the list writes them, whole units without decimals and an empty yield [%]
// where there is none.
std::string WareTableText(const std::vector<WareStats>& wares);
