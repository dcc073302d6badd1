// Exporting lists of 100,000 and 1,000,000 rows as CSV (semicolons and decimal commas, the
// dialect with more to convert) against writing the same bytes line by line with stdio, made
// durable the same way.
#include "bench/Bench.h"
#include "bench/BenchLists.h"
#include "formats/CsvFile.h"
#include "tests/support/MemoryPrompt.h"

#include <cstdlib>
#include <string>

int main() {
    const std::string path = "kv-bench-export.csv", floorPath = "kv-bench-floor.csv";
    BenchPairs worst;
    std::string figures;
    for (int rows : {100000, 1000000}) {
        MemorySheet source;
        BenchSheetFill(source, rows);
        MemoryPrompt prompt(path);
        prompt.chosenType = 1;
        ExportCsv(source.sheet, prompt);
        const std::vector<std::string> lines = BenchFileLines(path);
        if (lines.size() != size_t(rows) + 1 || !prompt.messages.empty())
            std::abort();
        const BenchPairs pairs = BenchPaired(
            3, [&] { ExportCsv(source.sheet, prompt); },
            [&] { BenchDurableWrite(lines, floorPath); });
        std::printf("rows=%d measured_ms=%.1f floor_ms=%.1f ratio=%.3f\n", rows, pairs.measuredMs,
                    pairs.floorMs, pairs.ratio);
        figures += (figures.empty() ? "" : " ") + std::string("ratio_") + std::to_string(rows) +
                   "=" + std::to_string(pairs.ratio);
        if (pairs.ratio > worst.ratio)
            worst = pairs;
    }
    std::remove(path.c_str());
    std::remove(floorPath.c_str());
    BenchResult("csv_export", worst, figures.c_str()); // the worse of the two sizes
    return 0;
}
