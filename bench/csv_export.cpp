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
    BenchSizes sizes;
    for (int rows : {100000, 1000000}) {
        MemorySheet source;
        BenchSheetFill(source, rows);
        MemoryPrompt prompt(path);
        prompt.chosenType = 1;
        ExportCsv(source.sheet, prompt);
        const std::vector<std::string> lines = BenchFileLines(path);
        if (lines.size() != size_t(rows) + 1 || !prompt.messages.empty())
            std::abort();
        sizes.Add(rows, BenchPaired(
                            3, [&] { ExportCsv(source.sheet, prompt); },
                            [&] { BenchDurableWrite(lines, floorPath); }));
    }
    std::remove(path.c_str());
    std::remove(floorPath.c_str());
    sizes.Result("csv_export"); // the worse of the two sizes
    return 0;
}
