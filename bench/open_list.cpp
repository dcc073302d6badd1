// Opening list files of 10,000 and 100,000 rows with the program's own command over the real
// main window, until the rows are drawn, against reading the same file and splitting it into
// lines. Then the memory the open 100,000-row list takes, against the file's size.
#include "bench/MainWindowBench.h"

#include <psapi.h>

#include <cstdlib>

namespace {

double CommittedMb() {
    PROCESS_MEMORY_COUNTERS counters = {};
    counters.cb = sizeof counters;
    GetProcessMemoryInfo(GetCurrentProcess(), &counters, sizeof counters);
    return counters.PagefileUsage / (1024.0 * 1024.0);
}

// Says what differs, if anything, between the opened list and the one that was saved.
bool ListMatches(MainWindowBench& program, MemorySheet& source) {
    const char* wrong = nullptr;
    if (program.table.RowCount() != source.table.RowCount())
        wrong = "row count";
    else if (program.modes != source.modes)
        wrong = "modes";
    else if (program.fields.FieldGetText(Field::TotalSellPrice) != "8.0000000000")
        wrong = "totals";
    for (int row = 0; !wrong && row < source.table.RowCount(); ++row)
        for (int column = 0; !wrong && column < 9; ++column)
            if (program.table.CellGetText(row, column) != source.table.CellGetText(row, column))
                wrong = "cells";
    if (wrong)
        std::printf("opened list differs: %s\n", wrong);
    return !wrong;
}

} // namespace

int main() {
    MainWindowBench program;
    BenchPairs worst;
    std::string figures;
    bool allCorrect = true;
    double memoryMb = 0, fileMb = 0;
    // Memory first, before earlier lists have grown the heaps: the 100,000-row list opened
    // into the empty window, in committed bytes, against the file's size.
    {
        const std::string path = "kv-bench-open-memory.kvl";
        MemorySheet source;
        BenchListMake(source, 100000, path);
        MemoryPrompt prompt(path);
        const double before = CommittedMb();
        OpenList(program.sheet, prompt);
        program.LoopRun();
        memoryMb = CommittedMb() - before;
        if (FILE* file = std::fopen(path.c_str(), "rb")) {
            std::fseek(file, 0, SEEK_END);
            fileMb = std::ftell(file) / (1024.0 * 1024.0);
            std::fclose(file);
        }
        std::printf("memory_mb=%.1f file_mb=%.1f memory_per_file=%.2f\n", memoryMb, fileMb,
                    memoryMb / fileMb);
        std::remove(path.c_str());
    }
    for (int rows : {10000, 100000}) {
        const std::string path = "kv-bench-open-" + std::to_string(rows) + ".kvl";
        MemorySheet source;
        BenchListMake(source, rows, path);
        MemoryPrompt prompt(path);
        std::vector<double> ratios, measures, floors;
        for (int i = 0; i < 5; ++i) {
            program.ListClear();
            measures.push_back(BenchMs([&] {
                OpenList(program.sheet, prompt);
                program.LoopRun();
            }));
            floors.push_back(BenchMs([&] {
                if (BenchFileLines(path).size() < size_t(rows) * 10)
                    std::abort();
            }));
            ratios.push_back(measures.back() / floors.back());
        }
        const bool correct = prompt.messages.empty() && ListMatches(program, source);
        allCorrect = allCorrect && correct;
        const BenchPairs pairs = {BenchMedian(ratios), BenchMedian(measures), BenchMedian(floors)};
        std::printf("rows=%d measured_ms=%.1f floor_ms=%.1f ratio=%.3f cells_ok=%d\n", rows,
                    pairs.measuredMs, pairs.floorMs, pairs.ratio, correct ? 1 : 0);
        std::fflush(stdout);
        figures += " ratio_" + std::to_string(rows) + "=" + std::to_string(pairs.ratio);
        if (pairs.ratio > worst.ratio)
            worst = pairs;
        std::remove(path.c_str());
    }
    char memory[96];
    std::snprintf(memory, sizeof memory, " memory_mb=%.1f file_mb=%.1f memory_per_file=%.2f",
                  memoryMb, fileMb, memoryMb / fileMb);
    figures += memory;
    figures += allCorrect ? " cells_ok=1" : " cells_ok=0";
    BenchResult("open_list", worst, figures.c_str() + 1);
    return allCorrect ? 0 : 1;
}
