// The statistics window: a summary of the trade list, a table and a chart of the yield of
// each ware, and the list copied as a table for spreadsheets. It is modal: the calculator
// window waits.
#pragma once

#include "trade/TradeSheet.h"

#include <functional>

// Widgets of the statistics window. Line i of the summary is a label (StatsFirstLine + 2i)
// and a read-only value field (StatsFirstLine + 2i + 1).
enum StatsWidget {
    StatsFirstLine = 300,
    StatsNote = 320, // what was left out, or that the list is empty
    StatsChart = 321,
    StatsCopyButton = 322,
    StatsOkButton = 323,
    StatsWareList = 324, // one line per ware, sorted by a click on a header
    StatsChartTitle = 325,
};
enum StatsLine {
    StatsRows,
    StatsWares,
    StatsCost,
    StatsSell,
    StatsYield,
    StatsYieldPercent,
    StatsBest,
    StatsWorst,
    StatsLineCount
};

// Shows the statistics of `table` until the user closes the window.
void StatsWindowRun(TradeTable& table, TradeFields& fields);

// The window built and drawn, `whileOpen` called, and the window closed again without
// waiting for the user: for measuring how long opening takes.
void StatsWindowOpenAndClose(TradeTable& table, const std::function<void()>& whileOpen);

// Puts the list on the clipboard as tab-separated text.
void TradeTableCopy(TradeTable& table, TradeFields& fields);
