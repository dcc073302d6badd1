// Small timing helpers shared by the benchmarks. Every benchmark measures its own floor in the
// same run and prints the ratio, so the figures mean the same on a slow and on a fast machine.
#pragma once

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <functional>
#include <string>
#include <vector>

// Best of `repeats` runs, in milliseconds: the least disturbed run is the most telling one.
inline double BenchBestMs(int repeats, const std::function<void()>& work) {
    double best = 1e300;
    for (int i = 0; i < repeats; ++i) {
        auto start = std::chrono::steady_clock::now();
        work();
        auto end = std::chrono::steady_clock::now();
        best = std::min(best, std::chrono::duration<double, std::milli>(end - start).count());
    }
    return best;
}

inline double BenchMs(const std::function<void()>& work) {
    auto start = std::chrono::steady_clock::now();
    work();
    return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start)
        .count();
}

inline double BenchMedian(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    const size_t n = values.size();
    return n == 0 ? 0 : n % 2 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2;
}

// The measured work and its floor run right beside each other, `pairs` times. This machine's
// speed drifts within minutes, so only a pair's own ratio is compared; the medians of the
// pairs are what a run reports.
struct BenchPairs {
    double ratio = 0, measuredMs = 0, floorMs = 0;
};
inline BenchPairs BenchPaired(int pairs, const std::function<void()>& measured,
                              const std::function<void()>& floor) {
    std::vector<double> ratios, measures, floors;
    for (int i = 0; i < pairs; ++i) {
        measures.push_back(BenchMs(measured));
        floors.push_back(BenchMs(floor));
        ratios.push_back(measures.back() / floors.back());
    }
    return {BenchMedian(ratios), BenchMedian(measures), BenchMedian(floors)};
}

inline void BenchResult(const char* name, const BenchPairs& pairs, const char* extra = "") {
    std::printf("RESULT %s ratio=%.3f measured_ms=%.3f floor_ms=%.3f%s%s\n", name, pairs.ratio,
                pairs.measuredMs, pairs.floorMs, *extra ? " " : "", extra);
    std::fflush(stdout);
}

inline void BenchResult(const char* name, double measuredMs, double floorMs,
                        const char* extra = "") {
    std::printf("RESULT %s ratio=%.3f measured_ms=%.3f floor_ms=%.3f%s%s\n", name,
                measuredMs / floorMs, measuredMs, floorMs, *extra ? " " : "", extra);
    std::fflush(stdout);
}

// The figures of one benchmark over several sizes: a line per size, and for the result the
// worst size's pairs with every size's ratio.
struct BenchSizes {
    BenchPairs worst;
    std::string figures;
    void Add(int rows, const BenchPairs& pairs, const char* more = "") {
        std::printf("rows=%d measured_ms=%.1f floor_ms=%.1f ratio=%.3f%s\n", rows, pairs.measuredMs,
                    pairs.floorMs, pairs.ratio, more);
        figures += (figures.empty() ? "ratio_" : " ratio_") + std::to_string(rows) + "=" +
                   std::to_string(pairs.ratio);
        if (pairs.ratio > worst.ratio)
            worst = pairs;
    }
    void Result(const char* name) const { BenchResult(name, worst, figures.c_str()); }
};
