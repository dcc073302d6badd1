#include "trade/TradeStats.h"

#include "runtime/NumberText.h"
#include "trade/Columns.h"
#include "trade/Trade.h"

#include <algorithm>
#include <cctype>
#include <charconv>
#include <cmath>
#include <cstring>
#include <deque>
#include <functional>
#include <string_view>
#include <vector>

const char* const WareColumnTitles[WareColumnCount] = {
    "Ware", "Rows", "Units bought", "Units sold", "Cost", "Sell price", "Yield [$]", "Yield [%]"};
const char OthersBar[] = "Others";

namespace {

// The whole text must be a finite number; a readable prefix is not enough here.
bool FiniteNumber(const char* text, double& value) {
    const char* end = text + std::strlen(text);
    const auto result = std::from_chars(text, end, value);
    return result.ec == std::errc() && result.ptr == end && std::isfinite(value);
}

// One row's cells, lent by the table where it can: a million rows copied cell by cell take
// most of the time the figures cost.
class RowCells {
  public:
    explicit RowCells(TradeTable& table) : table_(table) {}
    void Read(int row) {
        if (table_.RowCellsPeek(row, cells_, ColumnCount))
            return;
        for (int column = 0; column < ColumnCount; ++column) {
            copies_[column] = table_.CellGetText(row, column);
            cells_[column] = copies_[column].c_str();
        }
    }
    const char* operator[](Field field) const { return cells_[ColumnOf(field)]; }

  private:
    TradeTable& table_;
    const char* cells_[ColumnCount] = {};
    std::string copies_[ColumnCount];
};

// The line of each ware, found by its name: open addressing over slots at most half full,
// made once for a ware per row, so that a million wares cost no allocation each.
class WareLines {
  public:
    explicit WareLines(int rows) {
        size_t slots = 2;
        while (slots < 2 * size_t(std::max(rows, 1)))
            slots *= 2;
        slots_.resize(slots);
    }
    WareStats& Of(std::string_view name) {
        const size_t mask = slots_.size() - 1;
        size_t at = std::hash<std::string_view>()(name) & mask;
        for (; slots_[at]; at = (at + 1) & mask)
            if (slots_[at]->ware == name)
                return *slots_[at];
        lines_.push_back({std::string(name)});
        return *(slots_[at] = &lines_.back());
    }
    std::deque<WareStats>& Lines() { return lines_; }

  private:
    std::deque<WareStats> lines_;
    std::vector<WareStats*> slots_; // nullptr: free; lines never move
};

std::string CellForTable(std::string text) {
    for (char& c : text)
        if (c == '\t' || c == '\r' || c == '\n')
            c = ' ';
    return text;
}

bool LessIgnoringCase(const std::string& a, const std::string& b) {
    return std::lexicographical_compare(a.begin(), a.end(), b.begin(), b.end(), [](char x, char y) {
        return std::tolower(static_cast<unsigned char>(x)) <
               std::tolower(static_cast<unsigned char>(y));
    });
}

double WareNumber(const WareStats& w, WareColumn column) {
    switch (column) {
    case WareRows: return w.rows;
    case WareBought: return w.bought;
    case WareSold: return w.sold;
    case WareCost: return w.cost;
    case WareSell: return w.sell;
    case WareYield: return w.yield;
    default: return w.yieldPercent;
    }
}

} // namespace

TradeStats TradeStatsCompute(TradeTable& table) {
    TradeStats stats;
    // Every ware gets a line, so that the distinct names are counted over every row; those
    // without a counted row go later.
    double costOfSold = 0;
    RowCells cells(table);
    stats.rows = table.RowCount();
    WareLines wareLines(stats.rows);
    std::deque<WareStats>& lines = wareLines.Lines();
    for (int row = 0; row < stats.rows; ++row) {
        cells.Read(row);
        WareStats& ware = wareLines.Of(cells[Field::Ware]);
        double cost, sell, yield, percent;
        if (!FiniteNumber(cells[Field::BuyCost], cost) ||
            !FiniteNumber(cells[Field::SellPrice], sell) ||
            !FiniteNumber(cells[Field::YieldAmount], yield) ||
            !FiniteNumber(cells[Field::YieldPercent], percent)) {
            ++stats.skipped;
            continue;
        }
        ++stats.counted;
        stats.cost += cost;
        stats.sell += sell;
        stats.yield += yield;
        costOfSold += sell - yield;
        if (!stats.hasBest || percent > stats.best.value)
            stats.best = {ware.ware, percent};
        if (!stats.hasBest || percent < stats.worst.value)
            stats.worst = {ware.ware, percent};
        stats.hasBest = true;
        // The units as the computation read them: a finite cost means they were read as such.
        ++ware.rows;
        ware.bought += EntryNumber(cells[Field::BuyUnits]);
        ware.sold += EntryNumber(cells[Field::SellUnits]);
        ware.cost += cost;
        ware.sell += sell;
        ware.yield += yield;
    }
    stats.wares = int(lines.size());
    stats.hasPercent = costOfSold != 0;
    if (stats.hasPercent)
        stats.yieldPercent = stats.yield / costOfSold * 100;

    std::vector<WareStats>& counted = stats.byWare;
    counted.reserve(lines.size());
    for (WareStats& w : lines)
        if (w.rows)
            counted.push_back(std::move(w));
    for (WareStats& w : counted) {
        const double sold = w.sell - w.yield;
        w.hasPercent = sold != 0;
        w.yieldPercent = w.hasPercent ? w.yield / sold * 100 : 0;
    }
    WareStatsSort(counted, WareYield, false);
    for (const WareStats& w : counted)
        if (int(stats.bars.size()) < ChartBarsMax)
            stats.bars.push_back({w.ware, w.yield});
        else if (int(stats.bars.size()) == ChartBarsMax)
            stats.bars.push_back({OthersBar, w.yield});
        else
            stats.bars.back().value += w.yield;
    return stats;
}

// Sorting small keys and moving each line once is much cheaper than moving the lines
// about while sorting: a list may have a million wares.
void WareStatsSort(std::vector<WareStats>& wares, WareColumn column, bool ascending) {
    std::vector<int> order(wares.size());
    for (size_t i = 0; i < order.size(); ++i)
        order[i] = int(i);
    if (column == WareName) {
        std::stable_sort(order.begin(), order.end(), [&](int a, int b) {
            return ascending ? LessIgnoringCase(wares[size_t(a)].ware, wares[size_t(b)].ware)
                             : LessIgnoringCase(wares[size_t(b)].ware, wares[size_t(a)].ware);
        });
    } else {
        // A missing yield [%] goes last; equal keys keep their order.
        struct Key {
            bool missing;
            double value;
            int line;
        };
        std::vector<Key> keys;
        keys.reserve(wares.size());
        for (const WareStats& w : wares)
            keys.push_back({column == WareYieldPercent && !w.hasPercent, WareNumber(w, column),
                            int(keys.size())});
        std::sort(keys.begin(), keys.end(), [ascending](const Key& a, const Key& b) {
            if (a.missing != b.missing)
                return b.missing;
            if (!a.missing && a.value != b.value)
                return ascending ? a.value < b.value : b.value < a.value;
            return a.line < b.line;
        });
        for (size_t i = 0; i < keys.size(); ++i)
            order[i] = keys[i].line;
    }
    std::vector<WareStats> sorted;
    sorted.reserve(wares.size());
    for (int line : order)
        sorted.push_back(std::move(wares[size_t(line)]));
    wares.swap(sorted);
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

std::string WareTableText(const std::vector<WareStats>& wares) {
    std::string text;
    for (int column = 0; column < WareColumnCount; ++column)
        text += (column ? "\t" : "") + std::string(WareColumnTitles[column]);
    text += "\r\n";
    for (const WareStats& w : wares) {
        text += CellForTable(w.ware) + '\t' + NumberToText(w.rows);
        for (double units : {w.bought, w.sold})
            text += '\t' + FloatToText(units, units == std::floor(units) ? 0 : -1);
        for (double amount : {w.cost, w.sell, w.yield})
            text += '\t' + FloatToText(amount);
        text += '\t' + (w.hasPercent ? FloatToText(w.yieldPercent) : "") + "\r\n";
    }
    return text;
}
