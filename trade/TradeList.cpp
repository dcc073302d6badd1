#include "trade/TradeList.h"

#include "runtime/NumberText.h"
#include "trade/Columns.h"
#include "trade/Trade.h"

namespace {

// sign +1 adds the row's cell to the column's total, -1 takes it away; the cell reads as the
// entry read it (units keep their text as typed). Adding 0.0 turns a negative zero into
// "0.0000000000" rather than "-0.0000000000".
void TotalUpdate(TradeSheet& sheet, int row, double sign, const Column& column) {
    const int cell = int(&column - Columns);
    const double sum = TextToFloat(sheet.fields.FieldGetText(column.total)) +
                       sign * EntryNumber(sheet.table.CellGetText(row, cell)) + 0.0;
    sheet.fields.FieldSetText(column.total, TotalText(column, sum));
}

// The selected row, or -1 when there is none or the table reports one it does not have.
int SelectedRowChecked(TradeSheet& sheet) {
    const int row = sheet.table.SelectedRow();
    return row >= 0 && row < sheet.table.RowCount() ? row : -1;
}

} // namespace

std::string TotalText(const Column& column, double value) {
    return column.kind == ColumnKind::Whole ? NumberToText(FloatToInteger(value))
                                            : FloatToText(value);
}

std::string EntryRowText(TradeFields& fields) {
    std::string rowText;
    for (const Column& column : Columns) {
        if (&column != Columns)
            rowText += '\n';
        rowText += fields.FieldGetText(column.field);
    }
    return rowText;
}

void RowAppend(TradeSheet& sheet, const std::string& rowText, bool inAmounts) {
    const int row = sheet.table.RowCount();
    sheet.table.RowAdd(row, rowText);
    if (sheet.table.RowCount() != row + 1)
        return; // the table refused the row: neither modes nor totals may count it
    sheet.modes.resize(size_t(row));
    sheet.modes.push_back(inAmounts ? 1 : 0);
    // Each totals field shows the state in between, so the order stays: that of the columns.
    for (const Column& column : Columns)
        if (column.totalLine >= 0)
            TotalUpdate(sheet, row, +1.0, column);
}

void TransferEntry(TradeSheet& sheet) {
    RowAppend(sheet, EntryRowText(sheet.fields), sheet.fields.YieldInAmounts());
}

void LoadRowIntoEntry(TradeSheet& sheet) {
    const int row = SelectedRowChecked(sheet);
    if (row < 0)
        return;
    for (int column = 0; column < ColumnCount; ++column)
        sheet.fields.FieldSetText(Columns[column].field, sheet.table.CellGetText(row, column));
    const bool inAmounts = RowInAmounts(sheet, row);
    sheet.fields.FieldSetText(Field::Yield, sheet.table.CellGetText(row, YieldColumn(inAmounts)));
    sheet.fields.YieldModeSet(inAmounts);
}

void DeleteRow(TradeSheet& sheet) {
    const int row = SelectedRowChecked(sheet);
    if (row < 0)
        return;
    // Here in the order of the list file's totals lines, the two yield totals before the sell.
    for (int line = 0; line < TotalCount; ++line)
        TotalUpdate(sheet, row, -1.0, Columns[ColumnOfTotalLine(line)]);
    if (size_t(row) < sheet.modes.size())
        sheet.modes.erase(sheet.modes.begin() + row);
    sheet.table.RowRemove(row);
}

void TotalsReset(TradeFields& fields) {
    for (const Column& column : Columns)
        if (column.totalLine >= 0)
            fields.FieldSetText(column.total, "0");
}

void ClearList(TradeSheet& sheet) {
    ClearEntry(sheet.fields);
    sheet.table.RowsRemoveAll();
    sheet.modes.clear();
    TotalsReset(sheet.fields);
}

void RowsAppend(TradeSheet& sheet, const std::vector<std::pair<std::string, bool>>& rows) {
    double shown[ColumnCount] = {}, sums[ColumnCount] = {}; // shown: what a total's text reads as
    for (int column = 0; column < ColumnCount; ++column)
        if (Columns[column].totalLine >= 0)
            shown[column] = TextToFloat(sheet.fields.FieldGetText(Columns[column].total));
    bool added = false;
    std::string cell; // one buffer for every cell read
    for (const auto& row : rows) {
        const int at = sheet.table.RowCount();
        sheet.table.RowAdd(at, row.first);
        if (sheet.table.RowCount() != at + 1)
            continue;
        sheet.modes.resize(size_t(at));
        sheet.modes.push_back(row.second ? 1 : 0);
        for (int column = 0; column < ColumnCount; ++column)
            if (Columns[column].totalLine >= 0) {
                cell.clear();
                sheet.table.CellAppend(at, column, cell);
                const double sum = shown[column] + EntryNumber(cell) + 0.0;
                sums[column] = sum;
                // A whole number's text reads back as that whole number.
                shown[column] = Columns[column].kind == ColumnKind::Whole
                                    ? double(FloatToInteger(sum))
                                    : FloatShown(sum);
            }
        added = true;
    }
    for (int column = 0; added && column < ColumnCount; ++column)
        if (Columns[column].totalLine >= 0)
            sheet.fields.FieldSetText(Columns[column].total,
                                      TotalText(Columns[column], sums[column]));
}
