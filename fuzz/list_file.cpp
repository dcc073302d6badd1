// Opens arbitrary bytes as a list file, then saves what it shows and opens that again: no
// crash, no leak, no row past the file's end, a file that is not text refused without a change,
// and the second reading equals the first. Sorting by any column either way shows every row once.
#include "formats/ListFile.h"
#include "fuzz/FuzzFile.h"
#include "tests/support/MemoryPrompt.h"
#include "tests/support/MemoryTrade.h"
#include "trade/ListHistory.h"

#include <algorithm>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    MemorySheet first;
    MemoryPrompt prompt(FuzzFileWrite("list.kvl", data, size));
    OpenList(first.sheet, prompt);
    const bool text = FuzzBytesText(data, size);
    if (prompt.messages.size() != (text ? 0u : 1u))
        std::abort();
    prompt.messages.clear();
    const size_t rows = first.table.rows.size();
    // Every row takes at least one byte of the file.
    if (rows != first.modes.size() || rows > size ||
        (!text && (rows > 0 || first.Totals() != std::vector<std::string>(8, "0"))))
        std::abort();

    SaveList(first.sheet, prompt);
    MemorySheet second;
    OpenList(second.sheet, prompt);
    if (!prompt.messages.empty() || second.modes != first.modes)
        std::abort();
    for (int row = 0; row < int(rows); ++row)
        for (int column = 0; column < 9; ++column)
            if (second.table.CellGetText(row, column) != first.table.CellGetText(row, column))
                std::abort();
    for (int column = 0; column < 9; ++column)
        for (int direction : {+1, -1}) {
            std::vector<int> order = SortedRows(first.table, column, direction);
            std::sort(order.begin(), order.end());
            if (order.size() != rows)
                std::abort();
            for (size_t row = 0; row < rows; ++row)
                if (order[row] != int(row))
                    std::abort();
        }
    std::remove(prompt.answer.c_str());
    return 0;
}
