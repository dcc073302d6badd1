// Saving lists of 10,000 and 100,000 rows with the program's own command, reading the rows
// from the real main window's list, against writing the same bytes and making them durable.
#include "bench/MainWindowBench.h"

#include <cstdlib>

int main() {
    MainWindowBench program;
    BenchPairs worst;
    std::string figures;
    bool allSame = true;
    for (int rows : {10000, 100000}) {
        const std::string source = "kv-bench-save-" + std::to_string(rows) + ".kvl";
        const std::string saved = "kv-bench-saved.kvl", floorPath = "kv-bench-floor.kvl";
        MemorySheet made;
        BenchListMake(made, rows, source);
        MemoryPrompt prompt(source);
        program.ListClear();
        OpenList(program.sheet, prompt);
        program.LoopRun();
        const std::vector<std::string> lines = BenchFileLines(source);
        prompt.answer = saved;
        const BenchPairs pairs = BenchPaired(
            5, [&] { SaveList(program.sheet, prompt); },
            [&] { BenchDurableWrite(lines, floorPath); });
        const bool same = prompt.messages.empty() && BenchFileLines(saved) == lines;
        allSame = allSame && same;
        std::printf("rows=%d measured_ms=%.1f floor_ms=%.1f ratio=%.3f bytes_same=%d\n", rows,
                    pairs.measuredMs, pairs.floorMs, pairs.ratio, same ? 1 : 0);
        std::fflush(stdout);
        figures += " ratio_" + std::to_string(rows) + "=" + std::to_string(pairs.ratio);
        if (pairs.ratio > worst.ratio)
            worst = pairs;
        for (const std::string& path : {source, saved, floorPath})
            std::remove(path.c_str());
    }
    figures += allSame ? " bytes_same=1" : " bytes_same=0";
    BenchResult("save_list", worst, figures.c_str() + 1);
    return allSame ? 0 : 1;
}
