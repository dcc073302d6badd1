// Opens arbitrary bytes as a list file, then saves what it shows and opens that again: no
// crash, no leak, no row past the file's end, and the second reading equals the first.
#include "formats/ListFile.h"
#include "tests/support/MemoryPrompt.h"
#include "tests/support/MemoryTrade.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <unistd.h>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static const std::string path = "/tmp/kv-fuzz-list-" + std::to_string(getpid()) + ".kvl";
    FILE* file = std::fopen(path.c_str(), "wb");
    if (!file)
        return 0;
    std::fwrite(data, 1, size, file);
    std::fclose(file);

    MemorySheet first;
    MemoryPrompt prompt;
    prompt.answer = path;
    OpenList(first.sheet, prompt);
    const size_t rows = first.table.rows.size();
    // Every row takes at least one byte of the file.
    if (rows != first.modes.size() || rows > size)
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
    std::remove(path.c_str());
    return 0;
}
