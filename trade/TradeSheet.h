// The narrow views that the trade logic and the file commands work through.
//
// In the program they are backed by the calculator's widgets; in tests by plain
// in-memory stores. Nothing here knows widget numbers: the application maps them.
#pragma once

#include <functional>
#include <memory>
#include <string>
#include <vector>

// The ten entry fields, in the order an entry file keeps them, followed by the eight totals
// under the trade list.
enum class Field {
    Ware,
    BuyUnits,
    BuyCost,
    SellUnits,
    Yield,
    UnitPrice,
    SellPrice,
    UnitYield,
    YieldAmount,
    YieldPercent,
    TotalBuyUnits,
    TotalBuyPrice,
    TotalUnitPrice,
    TotalUnitYield,
    TotalYieldAmount,
    TotalYieldPercent,
    TotalSellUnits,
    TotalSellPrice,
};
constexpr int EntryFieldCount = 10;

// The trader types the first five entry fields; COMPUTE writes the others.
constexpr bool FieldTyped(Field field) {
    return field <= Field::Yield;
}

class TradeFields {
  public:
    virtual ~TradeFields() = default;
    virtual std::string FieldGetText(Field field) = 0;
    virtual void FieldSetText(Field field, const std::string& text) = 0;
    // True when the yield is an amount per unit ("1 2 3" checked), false for percent.
    virtual bool YieldInAmounts() = 0;
    // Checks one of the two yield options; the other one unchecks.
    virtual void YieldModeSet(bool inAmounts) = 0;
};

// Rows taken out of a table, kept aside to be put back into the same table; what is inside is
// the table's own business.
class RowBlock {
  public:
    virtual ~RowBlock() = default;
};

// Rows of nine cells; a row is added as its cells joined by line feeds.
class TradeTable {
    static constexpr int ColumnsMost = 16; // cells a row lends at most
  public:
    virtual ~TradeTable() = default;
    virtual int RowCount() = 0;
    virtual void RowAdd(int position, const std::string& rowText) = 0;
    virtual std::string CellGetText(int row, int column) = 0;
    // The texts of the row's first `count` cells without copies, for reading many rows: good
    // until the table changes. False when the table cannot lend them; CellGetText then.
    virtual bool RowCellsPeek(int /*row*/, const char** /*cells*/, int /*count*/) { return false; }
    // Appends the cell's text to `text`, without a copy where the table lends its texts.
    virtual void CellAppend(int row, int column, std::string& text) {
        const char* cells[ColumnsMost];
        if (column < ColumnsMost && RowCellsPeek(row, cells, column + 1))
            text += cells[column];
        else
            text += CellGetText(row, column);
    }
    // Hands `visit` the cell of `column` of each row in turn, the text lasting for the call:
    // how a sort reads a long list.
    virtual void ColumnVisit(int column, const std::function<void(const char* text)>& visit) {
        for (int row = 0; row < RowCount(); ++row)
            visit(CellGetText(row, column).c_str());
    }
    // -1 when no row is selected.
    virtual int SelectedRow() = 0;
    virtual void RowRemove(int row) = 0;
    virtual void RowsRemoveAll() = 0;
    // -1 selects none.
    virtual void SelectedRowSet(int row) = 0;
    // Rows move out and back in without being copied, so that keeping them to undo a change
    // costs nothing but the rows themselves: all at once as cheaply as one.
    virtual std::unique_ptr<RowBlock> RowsTake(int first, int count) = 0; // nullptr: none
    virtual void RowsPut(int position, std::unique_ptr<RowBlock> rows) = 0;
    // Row i becomes the row that was at order[i].
    virtual void RowsReorder(const std::vector<int>& order) = 0;
    // The header's sort arrow: up for direction > 0, down for < 0, none for 0.
    virtual void SortArrowSet(int column, int direction) = 0;
};

// One byte per row: 1 when the row's yield was an amount per unit, 0 for percent.
using YieldModes = std::vector<unsigned char>;

// Everything the list commands touch: the fields (entry and totals), the rows and their
// modes. The modes are kept in step with the rows: slot i belongs to row i.
struct TradeSheet {
    TradeFields& fields;
    TradeTable& table;
    YieldModes& modes;
};

// True when row `row`'s yield is an amount per unit; a row without a mode is in percent.
inline bool RowInAmounts(const TradeSheet& sheet, int row) {
    return row >= 0 && size_t(row) < sheet.modes.size() && sheet.modes[size_t(row)] != 0;
}
