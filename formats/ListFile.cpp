#include "formats/ListFile.h"

#include "formats/SavedFile.h"
#include "runtime/LineFile.h"
#include "runtime/NumberText.h"
#include "runtime/Text.h"

namespace {

const char ListPattern[] = "Kestrava list (*.kvl)|*.kvl";

struct StoredTotal {
    Field field;
    bool integer;
};
// The order of the totals lines; the two yield totals come before the sell totals.
const StoredTotal StoredTotals[] = {
    {Field::TotalBuyUnits, true},     {Field::TotalBuyPrice, false},
    {Field::TotalUnitPrice, false},   {Field::TotalUnitYield, false},
    {Field::TotalYieldAmount, false}, {Field::TotalYieldPercent, false},
    {Field::TotalSellUnits, true},    {Field::TotalSellPrice, false},
};
constexpr int RowCells = 9;

void ListLinesWrite(TradeSheet& sheet) {
    const int rows = sheet.table.RowCount();
    FileWriteLine(SavedFileNumber, NumberToText(rows).c_str());
    for (int row = 0; row < rows; ++row) {
        for (int column = 0; column < RowCells; ++column)
            FileWriteLine(SavedFileNumber, sheet.table.CellGetText(row, column).c_str());
        const bool inAmounts = size_t(row) < sheet.modes.size() && sheet.modes[size_t(row)] != 0;
        FileWriteLine(SavedFileNumber, inAmounts ? "1" : "0");
    }
    for (const StoredTotal& total : StoredTotals) {
        const double value = TextToFloat(sheet.fields.FieldGetText(total.field));
        FileWriteLine(
            SavedFileNumber,
            (total.integer ? NumberToText(FloatToInteger(value)) : FloatToText(value)).c_str());
    }
}

} // namespace

void SaveList(TradeSheet& sheet, FilePrompt& prompt) {
    const std::string chosen =
        prompt.SaveNameAsk("Save List", CurrentDirectory() + "Saved-Lists\\New.kvl", ListPattern);
    if (chosen.empty())
        return;
    if (!SavedFileWrite(SavedFileName(chosen, ".kvl"), [&sheet] { ListLinesWrite(sheet); }))
        prompt.MessageShow("ERROR", "Can't save this file!");
}

void OpenList(TradeSheet& sheet, FilePrompt& prompt) {
    const std::string chosen =
        prompt.OpenNameAsk("Load List", CurrentDirectory() + "Saved-Lists\\", ListPattern);
    if (chosen.empty())
        return;
    if (!FileOpenRead(SavedFileNumber, chosen.c_str())) {
        prompt.MessageShow("ERROR", "Can't load this file!");
        return;
    }
    sheet.table.RowsRemoveAll();
    sheet.modes.clear();

    // The count is trusted only as far as the file goes: a row is read only while lines are
    // left, so a huge or damaged count can neither add empty rows nor run on for ever.
    // A negative count or one that is not a number gives no rows.
    const int count = TextToNumber(FileReadLine(SavedFileNumber));
    std::string rowText;
    for (int row = 0; row < count && !FileAtEnd(SavedFileNumber); ++row) {
        rowText.clear();
        for (int column = 0; column < RowCells; ++column) {
            if (column > 0)
                rowText += '\n';
            rowText += FileReadLine(SavedFileNumber);
        }
        sheet.table.RowAdd(row, rowText);
        // Any mode other than 0 is an amount per unit, as for entry files.
        sheet.modes.push_back(TextToNumber(FileReadLine(SavedFileNumber)) != 0 ? 1 : 0);
    }
    for (const StoredTotal& total : StoredTotals)
        sheet.fields.FieldSetText(total.field, FileReadLine(SavedFileNumber));
    FileClose(SavedFileNumber);
}
