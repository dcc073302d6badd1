// Small timing helpers shared by the benchmarks. Every benchmark measures its own floor in the
// same run and prints the ratio, so the figures mean the same on a slow and on a fast machine.
#pragma once

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <functional>

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

inline void BenchResult(const char* name, double measuredMs, double floorMs,
                        const char* extra = "") {
    std::printf("RESULT %s ratio=%.3f measured_ms=%.3f floor_ms=%.3f%s%s\n", name,
                measuredMs / floorMs, measuredMs, floorMs, *extra ? " " : "", extra);
    std::fflush(stdout);
}
