// Opening the statistics window over a 1,000,000-row list in the real main window, until it
// is drawn, against computing its figures alone. Once with a name per row (a million lines in
// the per-ware table) and once with 500 wares, as a trader's list has them. Closing is left
// out: without a window manager, Wine waits two seconds for a shown window to go.
#include "app/StatsWindow.h"
#include "bench/MainWindowBench.h"
#include "trade/TradeStats.h"

#include <chrono>
#include <cstdlib>

int main() {
    MainWindowBench program;
    WindowShow(MainWindow); // the window opens over its owner, as in the program
    program.LoopRun();
    constexpr int Rows = 1000000;
    BenchPairs worst;
    std::string figures;
    for (int wares : {Rows, 500}) {
        const std::string path = "kv-bench-stats.kvl";
        {
            MemorySheet source;
            BenchSheetFill(source, Rows);
            for (int row = 0; row < Rows; ++row)
                source.table.rows[size_t(row)][0] = "Ware " + NumberToText(row % wares);
            source.Totals({"1", "2", "3", "4", "5", "6", "7", "8"});
            MemoryPrompt save(path);
            SaveList(source.sheet, save);
        }
        program.ListClear();
        MemoryPrompt open(path);
        OpenList(program.sheet, open);
        program.LoopRun();
        std::remove(path.c_str());
        if (program.table.RowCount() != Rows ||
            int(TradeStatsCompute(program.table).byWare.size()) != wares) {
            std::printf("the list did not open whole\n");
            return 1;
        }
        std::vector<double> ratios, opens, computes;
        for (int i = 0; i < 5; ++i) {
            const auto start = std::chrono::steady_clock::now();
            StatsWindowOpenAndClose(program.table, [&] {
                const auto end = std::chrono::steady_clock::now();
                opens.push_back(std::chrono::duration<double, std::milli>(end - start).count());
            });
            program.LoopRun();
            computes.push_back(BenchMs([&] {
                if (TradeStatsCompute(program.table).rows != Rows)
                    std::abort();
            }));
            ratios.push_back(opens.back() / computes.back());
        }
        const BenchPairs pairs = {BenchMedian(ratios), BenchMedian(opens), BenchMedian(computes)};
        std::printf("rows=%d wares=%d open_ms=%.1f compute_ms=%.1f ratio=%.3f\n", Rows, wares,
                    pairs.measuredMs, pairs.floorMs, pairs.ratio);
        figures += (figures.empty() ? "ratio_wares_" : " ratio_wares_") + std::to_string(wares) +
                   "=" + std::to_string(pairs.ratio);
        if (pairs.ratio > worst.ratio)
            worst = pairs;
    }
    BenchResult("stats_window", worst, figures.c_str());
    return 0;
}
