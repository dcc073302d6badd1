#include "formats/EntryFile.h"

#include "formats/SavedFile.h"
#include "runtime/LineFile.h"
#include "runtime/NumberText.h"
#include "runtime/Text.h"

namespace {

const char EntryPattern[] = "Kestrava entry (*.kve)|*.kve";

constexpr int EntryLineCount = EntryFieldCount + 1;

} // namespace

void SaveEntry(TradeFields& fields, FilePrompt& prompt) {
    const std::string chosen = prompt.SaveNameAsk(
        "Save Entry", CurrentDirectory() + "Saved-Entrys\\New.kve", EntryPattern, nullptr);
    if (chosen.empty())
        return;
    // The entry fields in their order, the yield mode ("1" amounts, "0" percent) before the
    // yield.
    const bool saved = SavedFileWrite(SavedFileName(chosen, ".kve"), [&fields] {
        for (int field = 0; field < EntryFieldCount; ++field) {
            if (Field(field) == Field::Yield)
                FileWriteLine(SavedFileNumber, NumberToText(fields.YieldInAmounts() ? 1 : 0));
            SavedLineWrite(fields.FieldGetText(Field(field)));
        }
    });
    if (!saved)
        prompt.MessageShow("ERROR", "Can't save this file!");
}

void OpenEntry(TradeFields& fields, FilePrompt& prompt) {
    const std::string chosen =
        prompt.OpenNameAsk("Load Entry", CurrentDirectory() + "Saved-Entrys\\", EntryPattern);
    if (chosen.empty())
        return;
    // Missing lines read as empty texts; lines after the eleventh are ignored.
    std::string lines[EntryLineCount];
    bool text = FileOpenRead(SavedFileNumber, chosen.c_str());
    if (text) {
        for (std::string& line : lines)
            text = SavedLineRead(line) && text;
        text = SavedReadFinish(text);
    }
    if (!text) {
        prompt.MessageShow("ERROR", "Can't open this file!");
        return;
    }

    const std::string* line = lines;
    for (int field = 0; field < EntryFieldCount; ++field) {
        if (Field(field) == Field::Yield)
            fields.YieldModeSet(TextToNumber(*line++) != 0);
        fields.FieldSetText(Field(field), *line++);
    }
}
