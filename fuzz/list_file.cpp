// Opens arbitrary bytes as a list file, then saves what it shows and opens that again: no
// crash, no leak, no row past the file's end, a file that is not text refused without a change,
// and the second reading equals the first. Sorting by any column either way shows every row once,
// and sorts undone and redone keep the rows in order.
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
    const auto same = [&] {
        if (second.table.rows.size() != rows || second.modes != first.modes)
            return false;
        for (int row = 0; row < int(rows); ++row)
            for (int column = 0; column < 9; ++column)
                if (second.table.CellGetText(row, column) != first.table.CellGetText(row, column))
                    return false;
        return true;
    };
    if (!prompt.messages.empty() || !same())
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
    // Sorts, undos and redos as the first bytes say: after each sort the rows, read afresh, are
    // in its order, and undoing everything brings back the rows as they came.
    ListHistory history(second.sheet);
    for (size_t i = 0; i < std::min<size_t>(size, 40); ++i) {
        const int action = data[i] % 11; // a column's header, or undo, or redo
        if (action == 9 ? history.Undo() : action == 10 ? history.Redo() : history.Sort(action)) {
            const std::vector<int> shown =
                SortedRows(second.table, history.Order().column, history.Order().direction);
            for (size_t row = 0; row < shown.size(); ++row)
                if (shown[row] != int(row))
                    std::abort();
        }
    }
    while (history.Undo()) {
    }
    if (!same())
        std::abort();
    std::remove(prompt.answer.c_str());
    return 0;
}
