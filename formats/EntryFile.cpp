#include "formats/EntryFile.h"

#include "formats/SavedFile.h"
#include "runtime/LineFile.h"
#include "runtime/NumberText.h"
#include "runtime/Text.h"

namespace {

const char EntryPattern[] = "Kestrava entry (*.kve)|*.kve";

// The lines of the file after the fifth, which holds the yield mode.
const Field LinesBeforeMode[] = {Field::Ware, Field::BuyUnits, Field::BuyCost, Field::SellUnits};
const Field LinesAfterMode[] = {Field::Yield,     Field::UnitPrice,   Field::SellPrice,
                                Field::UnitYield, Field::YieldAmount, Field::YieldPercent};
constexpr int EntryLineCount = 11;

} // namespace

void SaveEntry(TradeFields& fields, FilePrompt& prompt) {
    const std::string chosen = prompt.SaveNameAsk(
        "Save Entry", CurrentDirectory() + "Saved-Entrys\\New.kve", EntryPattern);
    if (chosen.empty())
        return;
    const bool saved = SavedFileWrite(SavedFileName(chosen, ".kve"), [&fields] {
        for (Field field : LinesBeforeMode)
            FileWriteLine(SavedFileNumber, fields.FieldGetText(field).c_str());
        FileWriteLine(SavedFileNumber, NumberToText(fields.YieldInAmounts() ? 1 : 0).c_str());
        for (Field field : LinesAfterMode)
            FileWriteLine(SavedFileNumber, fields.FieldGetText(field).c_str());
    });
    if (!saved)
        prompt.MessageShow("ERROR", "Can't save this file!");
}

void OpenEntry(TradeFields& fields, FilePrompt& prompt) {
    const std::string chosen =
        prompt.OpenNameAsk("Load Entry", CurrentDirectory() + "Saved-Entrys\\", EntryPattern);
    if (chosen.empty())
        return;
    if (!FileOpenRead(SavedFileNumber, chosen.c_str())) {
        prompt.MessageShow("ERROR", "Can't open this file!");
        return;
    }
    // Missing lines read as empty texts; lines after the eleventh are ignored.
    std::string lines[EntryLineCount];
    for (std::string& line : lines)
        line = FileReadLine(SavedFileNumber);
    FileClose(SavedFileNumber);

    int next = 0;
    for (Field field : LinesBeforeMode)
        fields.FieldSetText(field, lines[next++]);
    fields.YieldModeSet(TextToNumber(lines[next++]) != 0);
    for (Field field : LinesAfterMode)
        fields.FieldSetText(field, lines[next++]);
}
