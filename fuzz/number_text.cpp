// Number readers over arbitrary bytes: they must never read past the terminating NUL.
#include "runtime/NumberText.h"

#include <cstddef>
#include <cstdint>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    std::string text(reinterpret_cast<const char*>(data), size);
    double value = TextToFloat(text.c_str());
    FloatToText(value);
    FloatToInteger(value);
    NumberToText(TextToNumber(text.c_str()));
    return 0;
}
