// Imports arbitrary bytes as a CSV file: no crash, no leak; either one message and nothing
// changed, or rows in step with their modes. What was imported exports and imports again
// without a message, and from then on the rows and totals stay as they are.
#include "formats/CsvFile.h"
#include "fuzz/FuzzFile.h"
#include "tests/support/MemoryPrompt.h"
#include "tests/support/MemoryTrade.h"

namespace {

// The list in `s` exported in one dialect and imported into `back`.
void RoundTrip(MemorySheet& s, MemorySheet& back, int type) {
    static const std::string path = "/tmp/kv-fuzz-" + std::to_string(getpid()) + "-again.csv";
    MemoryPrompt prompt(path);
    prompt.chosenType = type;
    ExportCsv(s.sheet, prompt);
    ImportCsv(back.sheet, prompt);
    std::remove(path.c_str());
    if (!prompt.messages.empty())
        std::abort();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    MemorySheet first;
    first.RowAdd("kept", 3, true);
    const auto before = first.fields.texts;
    MemoryPrompt prompt(FuzzFileWrite("in.csv", data, size));
    ImportCsv(first.sheet, prompt);
    const size_t rows = first.table.rows.size();
    if (prompt.messages.size() > 1 || rows != first.modes.size() ||
        (!prompt.messages.empty() && (rows != 1 || first.fields.texts != before)))
        std::abort();
    for (int field = 0; field < EntryFieldCount; ++field) // the entry is never touched
        if (first.fields.texts[Field(field)] != before.at(Field(field)))
            std::abort();
    std::remove(prompt.answer.c_str());
    if (!prompt.messages.empty() || rows == 0)
        return 0;
    for (const auto& row : first.table.rows)
        if (row.size() != 9)
            std::abort();

    // The first import may still hold costs with more than ten decimals; the second one's
    // rows are as a list shows them, and stay so.
    const int type = data[0] & 1;
    MemorySheet second, third;
    RoundTrip(first, second, type);
    RoundTrip(second, third, 1 - type);
    if (third.table.rows != second.table.rows || third.modes != second.modes ||
        third.Totals() != second.Totals() || second.modes != first.modes)
        std::abort();
    return 0;
}
