// Lists for the list benchmarks, made the same way for every one of them, and the floor's
// durable write of lines.
#pragma once

#include "formats/CsvFile.h"
#include "runtime/NumberText.h"
#include "tests/support/MemoryPrompt.h"
#include "tests/support/MemoryTrade.h"

#include <cstdio>
#include <string>
#include <vector>
#ifdef _WIN32
#include <io.h>
#else
#include <unistd.h>
#endif

// `rows` rows of varied numbers, each with its yield mode.
inline void BenchSheetFill(MemorySheet& s, int rows) {
    for (int i = 0; i < rows; ++i) {
        const std::string units = NumberToText(i % 90 + 10);
        const std::string cells[] = {
            "Ware " + NumberToText(i), units, FloatToText(i * 3.25), FloatToText(i * 0.325 + 1),
            FloatToText(2.5),          units, FloatToText(i * 4.1),  FloatToText(i * 0.8),
            FloatToText(17.5)};
        std::string rowText;
        for (const std::string& cell : cells)
            rowText += (rowText.empty() ? "" : "\n") + cell;
        s.table.RowAdd(i, rowText);
        s.modes.push_back(i % 2);
    }
}

// The lines written with CR LF through stdio and put on the disk, as a save must.
inline void BenchDurableWrite(const std::vector<std::string>& lines, const std::string& path) {
    FILE* out = std::fopen(path.c_str(), "wb");
    for (const std::string& line : lines) {
        std::fputs(line.c_str(), out);
        std::fputs("\r\n", out);
    }
    std::fflush(out);
#ifdef _WIN32
    _commit(_fileno(out));
#else
    fsync(fileno(out));
#endif
    std::fclose(out);
}

// The whole file read at once and split into lines: the least any opening can do.
inline std::vector<std::string> BenchFileLines(const std::string& path) {
    std::string bytes;
    if (FILE* file = std::fopen(path.c_str(), "rb")) {
        char buffer[1 << 16];
        for (size_t got; (got = std::fread(buffer, 1, sizeof buffer, file)) > 0;)
            bytes.append(buffer, got);
        std::fclose(file);
    }
    std::vector<std::string> lines;
    size_t start = 0;
    for (size_t end; (end = bytes.find("\r\n", start)) != std::string::npos; start = end + 2)
        lines.emplace_back(bytes, start, end - start);
    return lines;
}

// A CSV file of `rows` rows as the program exports it, in the dialect with more to convert
// (semicolons and decimal commas).
inline void BenchCsvMake(int rows, const std::string& path) {
    MemorySheet source;
    BenchSheetFill(source, rows);
    MemoryPrompt prompt(path);
    prompt.chosenType = 1;
    ExportCsv(source.sheet, prompt);
}
