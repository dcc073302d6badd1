// In-memory stand-ins for the calculator's fields and trade list.
#pragma once

#include "trade/Trade.h"
#include "trade/TradeList.h"
#include "trade/TradeSheet.h"

#include <algorithm>
#include <map>
#include <memory>
#include <string>
#include <vector>

class MemoryFields : public TradeFields {
  public:
    std::map<Field, std::string> texts;
    bool inAmounts = true;

    std::string FieldGetText(Field field) override { return texts[field]; }
    void FieldSetText(Field field, const std::string& text) override { texts[field] = text; }
    bool YieldInAmounts() override { return inAmounts; }
    void YieldModeSet(bool amounts) override { inAmounts = amounts; }

    void Set(std::initializer_list<std::pair<Field, const char*>> values) {
        for (auto& value : values)
            texts[value.first] = value.second;
    }
};

// Splits row texts at line feeds; cells past the last given one read as empty.
class MemoryTable : public TradeTable {
  public:
    using Rows = std::vector<std::vector<std::string>>;
    Rows rows;
    int selected = -1;
    int arrowColumn = -1, arrowDirection = 0;
    struct Block : RowBlock {
        Rows rows;
    };

    int RowCount() override { return int(rows.size()); }
    void RowAdd(int position, const std::string& rowText) override {
        std::vector<std::string> cells;
        for (size_t start = 0, end; start < rowText.size(); start = end + 1) {
            end = std::min(rowText.find('\n', start), rowText.size());
            cells.emplace_back(rowText, start, end - start);
        }
        rows.insert(rows.begin() + position, std::move(cells));
    }
    std::string CellGetText(int row, int column) override {
        const bool inside = row >= 0 && row < RowCount() && column >= 0;
        return inside && column < int(rows[row].size()) ? rows[row][column] : "";
    }
    void CellAppend(int row, int column, std::string& text) override {
        if (row >= 0 && row < RowCount() && column >= 0 && column < int(rows[row].size()))
            text += rows[row][column];
    }
    int SelectedRow() override { return selected; }
    void RowRemove(int row) override { rows.erase(rows.begin() + row); }
    void RowsRemoveAll() override { rows.clear(); }
    void SelectedRowSet(int row) override { selected = row; }
    std::unique_ptr<RowBlock> RowsTake(int first, int count) override {
        if (first < 0 || count <= 0 || first + count > RowCount())
            return nullptr;
        auto block = std::make_unique<Block>();
        block->rows.assign(std::make_move_iterator(rows.begin() + first),
                           std::make_move_iterator(rows.begin() + first + count));
        rows.erase(rows.begin() + first, rows.begin() + first + count);
        return block;
    }
    void RowsPut(int position, std::unique_ptr<RowBlock> taken) override {
        Rows& in = static_cast<Block&>(*taken).rows;
        rows.insert(rows.begin() + position, std::make_move_iterator(in.begin()),
                    std::make_move_iterator(in.end()));
    }
    void RowsReorder(const std::vector<int>& order) override {
        Rows ordered;
        for (int from : order)
            ordered.push_back(std::move(rows[size_t(from)]));
        rows.swap(ordered);
    }
    void SortArrowSet(int column, int direction) override {
        arrowColumn = column;
        arrowDirection = direction;
    }
};

const std::vector<std::string> ZeroTotals{
    "0", "0.0000000000", "0.0000000000", "0.0000000000", "0.0000000000", "0.0000000000",
    "0", "0.0000000000"};

// The three stores wired into a TradeSheet, totals at "0" the way the calculator starts.
struct MemorySheet {
    MemoryFields fields;
    MemoryTable table;
    YieldModes modes;
    TradeSheet sheet{fields, table, modes};

    MemorySheet() { Totals(std::vector<std::string>(8, "0")); }
    MemorySheet(const MemorySheet&) = delete;
    MemorySheet& operator=(const MemorySheet&) = delete;

    // Computes an entry of `units` bought for 10 each and `sold` of them (all when -1) sold at
    // a yield of 2 per unit or 20 %, and adds it.
    void RowAdd(const std::string& ware, int units, bool inAmounts, int sold = -1) {
        const std::string n = std::to_string(units);
        RowType(ware, n, std::to_string(units * 10), sold < 0 ? n : std::to_string(sold),
                inAmounts ? "2" : "20", inAmounts);
    }

    // Types an entry, computes it and adds it, as a trader does.
    void RowType(const std::string& ware, const std::string& units, const std::string& cost,
                 const std::string& sold, const std::string& yield, bool inAmounts) {
        ClearEntry(fields);
        fields.texts[Field::Ware] = ware;
        fields.texts[Field::BuyUnits] = units;
        fields.texts[Field::BuyCost] = cost;
        fields.texts[Field::SellUnits] = sold;
        fields.texts[Field::Yield] = yield;
        fields.inAmounts = inAmounts;
        Compute(fields);
        TransferEntry(sheet);
    }

    // The totals in the order the list file stores them, first set to `shown` if given.
    std::vector<std::string> Totals(const std::vector<std::string>& shown = {}) {
        std::vector<std::string> texts;
        for (Field total :
             {Field::TotalBuyUnits, Field::TotalBuyPrice, Field::TotalUnitPrice,
              Field::TotalUnitYield, Field::TotalYieldAmount, Field::TotalYieldPercent,
              Field::TotalSellUnits, Field::TotalSellPrice}) {
            if (!shown.empty())
                fields.texts[total] = shown[texts.size()];
            texts.push_back(fields.texts[total]);
        }
        return texts;
    }
};
