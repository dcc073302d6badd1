// Importing CSV files of 100,000 and 1,000,000 rows (semicolons and decimal commas), every row
// computed and added to the totals, against reading the same file and splitting it into lines
// and fields, all kept; also against splitting that keeps only one line at a time.
#include "bench/Bench.h"
#include "bench/BenchLists.h"
#include "formats/CsvFile.h"
#include "tests/support/MemoryPrompt.h"

#include <cstdlib>
#include <string>

namespace {

// The file read and split into lines and those into fields, each a string of its own: kept
// all, as an import that may still refuse the file must keep them, or one line at a time.
size_t FileSplit(const std::string& path, bool keep) {
    std::vector<std::vector<std::string>> lines;
    std::vector<std::string> line;
    size_t fields = 0;
    for (const std::string& text : BenchFileLines(path)) {
        line.clear();
        for (size_t start = 0, end = 0; end != std::string::npos; start = end + 1) {
            end = text.find(';', start);
            line.emplace_back(text, start, end == std::string::npos ? end : end - start);
        }
        fields += line.size();
        if (keep)
            lines.push_back(line);
    }
    return fields;
}

} // namespace

int main() {
    const std::string path = "kv-bench-import.csv";
    BenchSizes sizes;
    for (int rows : {100000, 1000000}) {
        BenchCsvMake(rows, path);
        MemorySheet target;
        MemoryPrompt prompt(path);
        std::vector<double> ratios, measures, floors, streamed;
        const auto split = [&](bool keep) {
            return BenchMs([&] {
                if (FileSplit(path, keep) != size_t(rows + 1) * 10)
                    std::abort();
            });
        };
        for (int pair = 0; pair < 3; ++pair) {
            target.table.rows.clear(); // what the list held before is not the import's to free
            measures.push_back(BenchMs([&] { ImportCsv(target.sheet, prompt); }));
            floors.push_back(split(true));
            ratios.push_back(measures.back() / floors.back());
            streamed.push_back(measures.back() / split(false));
        }
        if (target.table.rows.size() != size_t(rows) || !prompt.messages.empty())
            std::abort();
        const std::string more =
            " ratio_to_streamed_split=" + std::to_string(BenchMedian(streamed));
        sizes.Add(rows, {BenchMedian(ratios), BenchMedian(measures), BenchMedian(floors)},
                  more.c_str());
    }
    std::remove(path.c_str());
    sizes.Result("csv_import"); // the worse of the two sizes
    return 0;
}
