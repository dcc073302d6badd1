// A 1,000,000-row list over the real main window: sorting it by a number column against
// std::stable_sort of the same values with an index (and the first sort, which reads the cells);
// undoing Clear list, in milliseconds and against drawing the list once; and the memory the list
// takes when open, cleared (its rows kept to undo) and undone, against the file's size.
#include "bench/MainWindowBench.h"
#include "trade/ListHistory.h"

#include <psapi.h>

#include <algorithm>
#include <functional>
#include <numeric>

namespace {

constexpr int Rows = 1000000;
constexpr int SortColumn = 7; // "Yield [$]"

double CommittedMb() {
    PROCESS_MEMORY_COUNTERS counters = {};
    counters.cb = sizeof counters;
    GetProcessMemoryInfo(GetCurrentProcess(), &counters, sizeof counters);
    return counters.PagefileUsage / (1024.0 * 1024.0);
}

double FileMb(const std::string& path) {
    double size = 0;
    if (FILE* file = std::fopen(path.c_str(), "rb")) {
        std::fseek(file, 0, SEEK_END);
        size = std::ftell(file) / (1024.0 * 1024.0);
        std::fclose(file);
    }
    return size;
}

} // namespace

int main() {
    MainWindowBench program;
    ListHistory history(program.sheet);
    const std::string path = "kv-bench-undo.kvl";
    std::vector<double> values; // the sort column as numbers, for the floor
    {
        MemorySheet source;
        BenchSheetFill(source, Rows);
        // Scattered values with ties, so that the sort has work to do.
        for (int row = 0; row < Rows; ++row) {
            values.push_back(double((size_t(row) * 7919u) % 100003u) / 4);
            source.table.rows[size_t(row)][SortColumn] = FloatToText(values.back());
        }
        source.Totals({"1", "2", "3", "4", "5", "6", "7", "8"});
        MemoryPrompt prompt(path);
        SaveList(source.sheet, prompt);
    }
    const double fileMb = FileMb(path);

    // Memory first, before sorting has grown the heaps.
    const double before = CommittedMb();
    MemoryPrompt prompt(path);
    history.Replace("Open list", [&](TradeSheet& sheet) { OpenList(sheet, prompt); });
    program.LoopRun();
    const double openMb = CommittedMb() - before;
    history.Clear();
    program.LoopRun();
    const double clearedMb = CommittedMb() - before;
    const double undoMs = BenchMs([&] {
        history.Undo();
        program.LoopRun();
    });
    const double undoneMb = CommittedMb() - before;
    const bool whole = program.table.RowCount() == Rows &&
                       program.fields.FieldGetText(Field::TotalSellPrice) == "8.0000000000";
    std::printf("memory_mb open=%.1f cleared=%.1f undone=%.1f file_mb=%.1f worst_per_file=%.2f\n",
                openMb, clearedMb, undoneMb, fileMb,
                std::max({openMb, clearedMb, undoneMb}) / fileMb);

    // Pairs of the measured step and its floor, each time from the same state: what the step
    // did is redone or undone outside the timing.
    const auto paired = [](const std::function<void()>& reset, const std::function<void()>& step,
                           const std::function<void()>& floor) {
        std::vector<double> ratios, measures, floors;
        for (int i = 0; i < 5; ++i) {
            reset();
            measures.push_back(BenchMs(step));
            floors.push_back(BenchMs(floor));
            ratios.push_back(measures.back() / floors.back());
        }
        return BenchPairs{BenchMedian(ratios), BenchMedian(measures), BenchMedian(floors)};
    };
    HWND list = GetDlgItem(program.window, TradeList);
    // Clear list again, then its undo against drawing the whole list once.
    const BenchPairs undo = paired(
        [&] {
            history.Redo();
            program.LoopRun();
        },
        [&] {
            history.Undo();
            program.LoopRun();
        },
        [&] {
            InvalidateRect(list, nullptr, TRUE);
            program.LoopRun();
        });
    std::printf("undo_clear first_ms=%.1f\n", undoMs);

    // What reading the column's texts as numbers alone takes, in the file's order.
    volatile double sum = 0; // kept, so that the reading is not left out
    const double readMs = BenchBestMs(3, [&] {
        program.table.ColumnVisit(SortColumn,
                                  [&sum](const char* text) { sum = sum + TextToFloat(text); });
    });
    // Sorted from the file's order each time; the first sort of a column reads its cells, while
    // sorting by it again, either way, reads none. Clear list and its undo make the cells new.
    std::vector<int> index(static_cast<size_t>(Rows));
    const auto sortStep = [&] {
        history.Sort(SortColumn);
        program.LoopRun();
    };
    const auto sortFloor = [&] {
        std::iota(index.begin(), index.end(), 0);
        std::stable_sort(index.begin(), index.end(),
                         [&](int a, int b) { return values[size_t(a)] < values[size_t(b)]; });
    };
    const auto unsort = [&] {
        if (history.Order().direction)
            history.Undo();
        program.LoopRun();
    };
    const BenchPairs first = paired(
        [&] {
            unsort();
            history.Clear();
            history.Undo();
            program.LoopRun();
        },
        sortStep, sortFloor);
    const BenchPairs sort = paired(unsort, sortStep, sortFloor);
    const bool sorted = program.table.RowCount() == Rows &&
                        program.table.CellGetText(0, SortColumn) ==
                            FloatToText(*std::min_element(values.begin(), values.end())) &&
                        program.table.CellGetText(Rows - 1, SortColumn) ==
                            FloatToText(*std::max_element(values.begin(), values.end()));
    std::remove(path.c_str());

    char figures[256];
    std::snprintf(figures, sizeof figures,
                  "first_sort_ms=%.1f first_sort_ratio=%.3f read_cells_ms=%.1f rows_ok=%d",
                  first.measuredMs, first.ratio, readMs, sorted ? 1 : 0);
    BenchResult("list_sort", sort, figures);
    std::snprintf(figures, sizeof figures,
                  "undo_ms=%.1f target_ms=50 memory_open_mb=%.1f memory_cleared_mb=%.1f "
                  "memory_undone_mb=%.1f file_mb=%.1f memory_per_file=%.2f rows_ok=%d",
                  undo.measuredMs, openMb, clearedMb, undoneMb, fileMb,
                  std::max({openMb, clearedMb, undoneMb}) / fileMb, whole ? 1 : 0);
    BenchResult("list_undo", undo, figures);
    return sorted && whole ? 0 : 1;
}
