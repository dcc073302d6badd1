// Number readers over arbitrary bytes: they must never read past the terminating NUL.
#include "runtime/NumberText.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    std::string text(reinterpret_cast<const char*>(data), size);
    double value = TextToFloat(text.c_str());
    FloatToText(value);
    // The quick round trip agrees with the texts' to the bit, for the value read and raw bits.
    double raw = value;
    if (size >= sizeof raw)
        std::memcpy(&raw, data, sizeof raw);
    for (double x : {value, raw}) {
        const double quick = FloatShown(x), slow = TextToFloat(FloatToText(x));
        if (std::memcmp(&quick, &slow, sizeof quick) != 0)
            std::abort();
    }
    FloatToInteger(value);
    NumberToText(TextToNumber(text.c_str()));
    return 0;
}
