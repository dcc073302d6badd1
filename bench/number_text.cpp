// FloatToText and TextToFloat against the bare standard conversions they are built on.
#include "bench/Bench.h"
#include "runtime/NumberText.h"

#include <charconv>
#include <string>
#include <vector>

int main() {
    const int count = 200000;
    std::vector<double> values(count);
    for (int i = 0; i < count; ++i)
        values[i] = (i * 7919 % 100003) / 7.0 - 5000.0;
    volatile double sink = 0;

    const BenchPairs pairs = BenchPaired(
        9,
        [&] {
            for (double v : values)
                sink = sink + TextToFloat(FloatToText(v));
        },
        [&] {
            char buffer[64];
            for (double v : values) {
                auto end = std::to_chars(buffer, buffer + 64, v, std::chars_format::fixed, 10).ptr;
                std::string text(buffer, end);
                double back = 0;
                std::from_chars(text.data(), text.data() + text.size(), back);
                sink = sink + back;
            }
        });
    std::printf("%d values written with ten decimals and read back\n", count);
    BenchResult("number_text", pairs);
    return 0;
}
