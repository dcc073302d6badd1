// Saving and opening whole lists through the in-memory table, against a floor measured in
// the same run: the same bytes written line by line with stdio, made durable the same way,
// and read back line by line into strings.
#include "bench/Bench.h"
#include "bench/BenchLists.h"
#include "formats/ListFile.h"
#include "runtime/NumberText.h"
#include "tests/support/MemoryPrompt.h"
#include "tests/support/MemoryTrade.h"

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

std::vector<std::string> FileLines(const std::string& path) {
    std::vector<std::string> lines;
    FILE* file = std::fopen(path.c_str(), "rb");
    std::string line;
    for (int c; file && (c = std::fgetc(file)) != EOF;) {
        if (c == '\n') {
            lines.push_back(line);
            line.clear();
        } else if (c != '\r') {
            line += char(c);
        }
    }
    if (file)
        std::fclose(file);
    return lines;
}

void FloorRun(const std::vector<std::string>& lines, const std::string& path) {
    BenchDurableWrite(lines, path);
    std::vector<std::string> back;
    back.reserve(lines.size());
    FILE* in = std::fopen(path.c_str(), "rb");
    char buffer[4096];
    std::string line;
    while (std::fgets(buffer, sizeof buffer, in)) {
        line += buffer;
        if (!line.empty() && line.back() == '\n') {
            line.resize(line.size() - 2);
            back.push_back(line);
            line.clear();
        }
    }
    std::fclose(in);
    if (back.size() != lines.size())
        std::abort();
}

} // namespace

int main() {
    const std::string path = "kv-bench-list.kvl";
    const std::string floorPath = "kv-bench-floor.kvl";
    BenchPairs worst;
    double perRow[2] = {0, 0};
    const int sizes[] = {10000, 100000};
    for (int i = 0; i < 2; ++i) {
        const int rows = sizes[i];
        MemorySheet source;
        BenchSheetFill(source, rows);
        MemoryPrompt prompt;
        prompt.answer = path;
        SaveList(source.sheet, prompt);
        const std::vector<std::string> lines = FileLines(path);
        const BenchPairs pairs = BenchPaired(
            5,
            [&] {
                SaveList(source.sheet, prompt);
                MemorySheet target;
                OpenList(target.sheet, prompt);
                if (target.table.rows.size() != size_t(rows) || !prompt.messages.empty())
                    std::abort();
            },
            [&] { FloorRun(lines, floorPath); });
        std::printf("rows=%d measured_ms=%.3f floor_ms=%.3f ratio=%.3f us_per_row=%.3f\n", rows,
                    pairs.measuredMs, pairs.floorMs, pairs.ratio, pairs.measuredMs * 1000 / rows);
        if (pairs.ratio > worst.ratio)
            worst = pairs;
        perRow[i] = pairs.measuredMs / rows;
    }
    std::remove(path.c_str());
    std::remove(floorPath.c_str());
    char extra[64];
    std::snprintf(extra, sizeof extra, "growth_per_row_100k_vs_10k=%.3f", perRow[1] / perRow[0]);
    BenchResult("list_files", worst, extra); // the worse of the two sizes
    return 0;
}
