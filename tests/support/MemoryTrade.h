// In-memory stand-ins for the calculator's fields and trade list.
#pragma once

#include "formats/TradeSheet.h"

#include <map>
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

// Splits row texts at line feeds the way the list control does: a trailing line feed
// adds no empty cell, and cells past the last given one read as empty.
class MemoryTable : public TradeTable {
public:
    std::vector<std::vector<std::string>> rows;
    int selected = -1;

    int RowCount() override { return int(rows.size()); }
    void RowAdd(int position, const std::string& rowText) override {
        std::vector<std::string> cells(1);
        for (char c : rowText) {
            if (c == '\n')
                cells.emplace_back();
            else
                cells.back() += c;
        }
        if (cells.size() > 1 && cells.back().empty() && rowText.back() == '\n')
            cells.pop_back();
        if (position < 0 || position > RowCount())
            position = RowCount();
        rows.insert(rows.begin() + position, cells);
    }
    std::string CellGetText(int row, int column) override {
        if (row < 0 || row >= RowCount() || column < 0 || column >= int(rows[row].size()))
            return "";
        return rows[row][column];
    }
    int SelectedRow() override { return selected; }
    void RowRemove(int row) override {
        if (row >= 0 && row < RowCount())
            rows.erase(rows.begin() + row);
    }
    void RowsRemoveAll() override { rows.clear(); }
};

// The eight totals fields in the order the list file stores them.
inline const Field TotalFields[] = {Field::TotalBuyUnits,    Field::TotalBuyPrice,
                                    Field::TotalUnitPrice,   Field::TotalUnitYield,
                                    Field::TotalYieldAmount, Field::TotalYieldPercent,
                                    Field::TotalSellUnits,   Field::TotalSellPrice};

// The three stores together, wired into a TradeSheet, with every totals field at "0"
// the way the calculator starts.
struct MemorySheet {
    MemoryFields fields;
    MemoryTable table;
    YieldModes modes;
    TradeSheet sheet{fields, table, modes};

    MemorySheet() {
        for (Field total : TotalFields)
            fields.texts[total] = "0";
    }
    MemorySheet(const MemorySheet&) = delete;
    MemorySheet& operator=(const MemorySheet&) = delete;

    std::vector<std::string> Totals() {
        std::vector<std::string> texts;
        for (Field total : TotalFields)
            texts.push_back(fields.texts[total]);
        return texts;
    }
};
