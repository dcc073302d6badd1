#include "trade/TradeStats.h"

#include "trade/Columns.h"

#include <charconv>
#include <cmath>
#include <set>

namespace {

// The whole text must be a finite number; a readable prefix is not enough here.
bool FiniteNumber(const std::string& text, double& value) {
    const char* end = text.data() + text.size();
    const auto result = std::from_chars(text.data(), end, value);
    return result.ec == std::errc() && result.ptr == end && std::isfinite(value);
}

std::string CellForTable(std::string text) {
    for (char& c : text)
        if (c == '\t' || c == '\r' || c == '\n')
            c = ' ';
    return text;
}

} // namespace

TradeStats TradeStatsCompute(TradeTable& table) {
    TradeStats stats;
    std::set<std::string> wares;
    double costOfSold = 0;
    stats.rows = table.RowCount();
    for (int row = 0; row < stats.rows; ++row) {
        const std::string ware = table.CellGetText(row, ColumnOf(Field::Ware));
        wares.insert(ware);
        double cost, sell, yield, percent;
        if (!FiniteNumber(table.CellGetText(row, ColumnOf(Field::BuyCost)), cost) ||
            !FiniteNumber(table.CellGetText(row, ColumnOf(Field::SellPrice)), sell) ||
            !FiniteNumber(table.CellGetText(row, ColumnOf(Field::YieldAmount)), yield) ||
            !FiniteNumber(table.CellGetText(row, ColumnOf(Field::YieldPercent)), percent)) {
            ++stats.skipped;
            continue;
        }
        ++stats.counted;
        stats.cost += cost;
        stats.sell += sell;
        stats.yield += yield;
        costOfSold += sell - yield;
        if (!stats.hasBest || percent > stats.best.value)
            stats.best = {ware, percent};
        if (!stats.hasBest || percent < stats.worst.value)
            stats.worst = {ware, percent};
        stats.hasBest = true;
        if (int(stats.bars.size()) < ChartBarsMax)
            stats.bars.push_back({ware, yield});
    }
    stats.wares = int(wares.size());
    stats.hasPercent = costOfSold != 0;
    if (stats.hasPercent)
        stats.yieldPercent = stats.yield / costOfSold * 100;
    return stats;
}

std::string TradeTableText(TradeTable& table, TradeFields& fields) {
    std::string text;
    for (const Column& column : Columns)
        text += (&column != Columns ? "\t" : "") + std::string(column.title);
    text += "\r\n";
    const int rows = table.RowCount();
    for (int row = 0; row < rows; ++row) {
        for (int column = 0; column < ColumnCount; ++column)
            text += (column ? "\t" : "") + CellForTable(table.CellGetText(row, column));
        text += "\r\n";
    }
    // "Total" in the first column, which has none, then each total under its column.
    text += "Total";
    for (int column = 1; column < ColumnCount; ++column) {
        text += '\t';
        if (Columns[column].totalLine >= 0)
            text += CellForTable(fields.FieldGetText(Columns[column].total));
    }
    return text + "\r\n";
}
