#include "trade/TradeList.h"

#include "runtime/NumberText.h"
#include "trade/Trade.h"

namespace {

// The nine columns of a row, in the order the list shows them.
const Field RowColumns[] = {Field::Ware,      Field::BuyUnits,    Field::BuyCost,
                            Field::UnitPrice, Field::UnitYield,   Field::SellUnits,
                            Field::SellPrice, Field::YieldAmount, Field::YieldPercent};

struct Total {
    Field field;
    int column;
    bool integer;
};

// The order in which the totals are brought up to date differs between adding and
// deleting; each field shows the intermediate state, so keep both orders as they are.
const Total TotalsOnAdd[] = {
    {Field::TotalBuyUnits, 1, true},     {Field::TotalBuyPrice, 2, false},
    {Field::TotalUnitPrice, 3, false},   {Field::TotalUnitYield, 4, false},
    {Field::TotalSellUnits, 5, true},    {Field::TotalSellPrice, 6, false},
    {Field::TotalYieldAmount, 7, false}, {Field::TotalYieldPercent, 8, false},
};
const Total TotalsOnDelete[] = {
    {Field::TotalBuyUnits, 1, true},     {Field::TotalBuyPrice, 2, false},
    {Field::TotalUnitPrice, 3, false},   {Field::TotalUnitYield, 4, false},
    {Field::TotalYieldAmount, 7, false}, {Field::TotalYieldPercent, 8, false},
    {Field::TotalSellUnits, 5, true},    {Field::TotalSellPrice, 6, false},
};

// sign +1 adds the row's cell to the total, -1 takes it away. Adding 0.0 turns a
// negative zero into "0.0000000000" rather than "-0.0000000000".
void TotalsUpdate(TradeSheet& sheet, int row, double sign, const Total (&totals)[8]) {
    for (const Total& total : totals) {
        const double sum = TextToFloat(sheet.fields.FieldGetText(total.field)) +
                           sign * TextToFloat(sheet.table.CellGetText(row, total.column)) + 0.0;
        sheet.fields.FieldSetText(total.field, total.integer ? NumberToText(FloatToInteger(sum))
                                                             : FloatToText(sum));
    }
}

// The selected row, or -1 when there is none or the table reports one it does not have.
int SelectedRowChecked(TradeSheet& sheet) {
    const int row = sheet.table.SelectedRow();
    return row >= 0 && row < sheet.table.RowCount() ? row : -1;
}

} // namespace

void TransferEntry(TradeSheet& sheet) {
    const int row = sheet.table.RowCount();
    std::string rowText;
    for (Field column : RowColumns) {
        if (column != Field::Ware)
            rowText += '\n';
        rowText += sheet.fields.FieldGetText(column);
    }
    sheet.table.RowAdd(row, rowText);
    if (sheet.table.RowCount() != row + 1)
        return; // the table refused the row: neither modes nor totals may count it
    sheet.modes.resize(size_t(row));
    sheet.modes.push_back(sheet.fields.YieldInAmounts() ? 1 : 0);
    TotalsUpdate(sheet, row, +1.0, TotalsOnAdd);
}

void LoadRowIntoEntry(TradeSheet& sheet) {
    const int row = SelectedRowChecked(sheet);
    if (row < 0)
        return;
    TradeTable& table = sheet.table;
    TradeFields& fields = sheet.fields;
    fields.FieldSetText(Field::Ware, table.CellGetText(row, 0));
    fields.FieldSetText(Field::BuyUnits, table.CellGetText(row, 1));
    fields.FieldSetText(Field::BuyCost, table.CellGetText(row, 2));
    fields.FieldSetText(Field::SellUnits, table.CellGetText(row, 5));
    fields.FieldSetText(Field::UnitPrice, table.CellGetText(row, 3));
    fields.FieldSetText(Field::UnitYield, table.CellGetText(row, 4));
    const bool inAmounts = size_t(row) < sheet.modes.size() && sheet.modes[size_t(row)] != 0;
    if (inAmounts) {
        fields.FieldSetText(Field::Yield, table.CellGetText(row, 4));
        fields.YieldModeSet(true);
    } else {
        fields.FieldSetText(Field::Yield, table.CellGetText(row, 8));
        fields.YieldModeSet(false);
    }
    fields.FieldSetText(Field::SellPrice, table.CellGetText(row, 6));
    fields.FieldSetText(Field::YieldAmount, table.CellGetText(row, 7));
    fields.FieldSetText(Field::YieldPercent, table.CellGetText(row, 8));
}

void DeleteRow(TradeSheet& sheet) {
    const int row = SelectedRowChecked(sheet);
    if (row < 0)
        return;
    TotalsUpdate(sheet, row, -1.0, TotalsOnDelete);
    if (size_t(row) < sheet.modes.size())
        sheet.modes.erase(sheet.modes.begin() + row);
    sheet.table.RowRemove(row);
}

void ClearList(TradeSheet& sheet) {
    ClearEntry(sheet.fields);
    sheet.table.RowsRemoveAll();
    sheet.modes.clear();
    for (const Total& total : TotalsOnAdd)
        sheet.fields.FieldSetText(total.field, "0");
}
