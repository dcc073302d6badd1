#include "formats/ListFile.h"

#include "formats/SavedFile.h"
#include "runtime/LineFile.h"
#include "runtime/NumberText.h"
#include "runtime/Text.h"
#include "trade/Columns.h"
#include "trade/TradeList.h"

#include <vector>

namespace {

const char ListPattern[] = "Kestrava list (*.kvl)|*.kvl";

void ListLinesWrite(TradeSheet& sheet) {
    const int rows = sheet.table.RowCount();
    FileWriteLine(SavedFileNumber, NumberToText(rows).c_str());
    for (int row = 0; row < rows; ++row) {
        for (int column = 0; column < ColumnCount; ++column)
            SavedLineWrite(sheet.table.CellGetText(row, column));
        FileWriteLine(SavedFileNumber, RowInAmounts(sheet, row) ? "1" : "0");
    }
    // The totals by their place among the totals lines, as numbers of their kind.
    for (int line = 0; line < TotalCount; ++line) {
        const Column& column = Columns[ColumnOfTotalLine(line)];
        FileWriteLine(SavedFileNumber,
                      TotalText(column, TextToFloat(sheet.fields.FieldGetText(column.total))));
    }
}

} // namespace

void SaveList(TradeSheet& sheet, FilePrompt& prompt) {
    const std::string chosen = prompt.SaveNameAsk(
        "Save List", CurrentDirectory() + "Saved-Lists\\New.kvl", ListPattern, nullptr);
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
    // The whole file is read before the list changes: one that turns out to be no list file
    // changes nothing.
    std::vector<std::string> rowTexts;
    YieldModes modes;
    std::string totals[TotalCount];
    bool text = FileOpenRead(SavedFileNumber, chosen.c_str());
    if (text) {
        // The count is trusted only as far as the file goes: a row is read only while lines
        // are left, so a huge or damaged count can neither add empty rows nor run on for ever.
        // A negative count or one that is not a number gives no rows.
        std::string line;
        text = SavedLineRead(line);
        const int count = TextToNumber(line);
        for (int row = 0; row < count && text && !FileAtEnd(SavedFileNumber); ++row) {
            std::string rowText;
            for (int column = 0; column < ColumnCount; ++column) {
                text = SavedLineRead(line) && text;
                if (column > 0)
                    rowText += '\n';
                rowText += line;
            }
            text = SavedLineRead(line) && text;
            rowTexts.push_back(std::move(rowText));
            // Any mode other than 0 is an amount per unit, as for entry files.
            modes.push_back(TextToNumber(line) != 0 ? 1 : 0);
        }
        for (std::string& total : totals)
            text = SavedLineRead(total) && text;
        text = SavedReadFinish(text);
    }
    if (!text) {
        prompt.MessageShow("ERROR", "Can't load this file!");
        return;
    }
    sheet.table.RowsRemoveAll();
    sheet.modes.clear();
    for (size_t row = 0; row < rowTexts.size(); ++row) {
        // A row the table refuses gets no mode, so modes and rows stay in step.
        const int rowsBefore = sheet.table.RowCount();
        sheet.table.RowAdd(rowsBefore, rowTexts[row]);
        if (sheet.table.RowCount() > rowsBefore)
            sheet.modes.push_back(modes[row]);
    }
    for (int line = 0; line < TotalCount; ++line)
        sheet.fields.FieldSetText(Columns[ColumnOfTotalLine(line)].total, totals[line]);
}
