#include "trade/TradeStats.h"

#include <charconv>
#include <cmath>
#include <set>

namespace {

enum Column {
    WareColumn = 0,
    BuyPriceColumn = 2,
    SellPriceColumn = 6,
    YieldColumn = 7,
    YieldPercentColumn = 8,
    ColumnCount = 9
};

const char* const ColumnTitles[ColumnCount] = {
    "Ware",      "Buyunits",  "Buyprice",  "Unitprice", "Unityield [$]",
    "Sellunits", "Sellprice", "Yield [$]", "Yield [%]",
};

// The totals under columns 1 to 8.
const Field ColumnTotals[ColumnCount - 1] = {
    Field::TotalBuyUnits,  Field::TotalBuyPrice,  Field::TotalUnitPrice,   Field::TotalUnitYield,
    Field::TotalSellUnits, Field::TotalSellPrice, Field::TotalYieldAmount, Field::TotalYieldPercent,
};

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
        const std::string ware = table.CellGetText(row, WareColumn);
        wares.insert(ware);
        double cost, sell, yield, percent;
        if (!FiniteNumber(table.CellGetText(row, BuyPriceColumn), cost) ||
            !FiniteNumber(table.CellGetText(row, SellPriceColumn), sell) ||
            !FiniteNumber(table.CellGetText(row, YieldColumn), yield) ||
            !FiniteNumber(table.CellGetText(row, YieldPercentColumn), percent)) {
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
    for (int column = 0; column < ColumnCount; ++column)
        text += (column ? "\t" : "") + std::string(ColumnTitles[column]);
    text += "\r\n";
    const int rows = table.RowCount();
    for (int row = 0; row < rows; ++row) {
        for (int column = 0; column < ColumnCount; ++column)
            text += (column ? "\t" : "") + CellForTable(table.CellGetText(row, column));
        text += "\r\n";
    }
    text += "Total";
    for (Field total : ColumnTotals)
        text += "\t" + CellForTable(fields.FieldGetText(total));
    return text + "\r\n";
}
