// The nine columns of the trade list, in the order the list shows them: what each one holds,
// its title and width, and the total under it. The list, its totals, the copied table, the
// statistics and the list and CSV files all go by this table.
#pragma once

#include "trade/TradeSheet.h"

enum class ColumnKind { Text, Whole, Decimal };

struct Column {
    Field field; // the entry field a row's cell comes from and goes back to
    const char* title;
    int width; // in the list, in pixels
    ColumnKind kind;
    // The totals field that sums the column, and its place among a list file's eight totals
    // lines (-1: a text column, no total; `total` then names the column's own field).
    Field total;
    int totalLine;
};

// clang-format off
inline constexpr Column Columns[] = {
    {Field::Ware,         "Ware",          128, ColumnKind::Text,    Field::Ware,              -1},
    {Field::BuyUnits,     "Buyunits",       56, ColumnKind::Whole,   Field::TotalBuyUnits,      0},
    {Field::BuyCost,      "Buyprice",       90, ColumnKind::Decimal, Field::TotalBuyPrice,      1},
    {Field::UnitPrice,    "Unitprice",      90, ColumnKind::Decimal, Field::TotalUnitPrice,     2},
    {Field::UnitYield,    "Unityield [$]",  90, ColumnKind::Decimal, Field::TotalUnitYield,     3},
    {Field::SellUnits,    "Sellunits",      56, ColumnKind::Whole,   Field::TotalSellUnits,     6},
    {Field::SellPrice,    "Sellprice",      90, ColumnKind::Decimal, Field::TotalSellPrice,     7},
    {Field::YieldAmount,  "Yield [$]",      90, ColumnKind::Decimal, Field::TotalYieldAmount,   4},
    {Field::YieldPercent, "Yield [%]",      90, ColumnKind::Decimal, Field::TotalYieldPercent,  5},
};
// clang-format on
constexpr int ColumnCount = int(sizeof Columns / sizeof Columns[0]);
constexpr int TotalCount = 8;

// The column that shows `field`; -1 when none does (the yield as typed).
constexpr int ColumnOf(Field field) {
    for (int column = 0; column < ColumnCount; ++column)
        if (Columns[column].field == field)
            return column;
    return -1;
}

// The column whose total stands on line `line` (0 to TotalCount - 1) of a list file's totals.
constexpr int ColumnOfTotalLine(int line) {
    for (int column = 0; column < ColumnCount; ++column)
        if (Columns[column].totalLine == line)
            return column;
    return -1;
}

// Where a row's yield as typed is kept: per unit in "Unityield [$]", a percentage in
// "Yield [%]".
constexpr int YieldColumn(bool inAmounts) {
    return ColumnOf(inAmounts ? Field::UnitYield : Field::YieldPercent);
}
