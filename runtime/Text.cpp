#include "runtime/Text.h"

#include "runtime/Platform.h"

#include <cstdint>
#include <cstring>

std::string CurrentDirectory() {
    std::string path = PlatformCurrentDirectory();
    if (!path.empty() && path.back() != PlatformPathSeparator)
        path += PlatformPathSeparator;
    return path;
}

std::string FileNamePart(const char* path) {
    if (!path)
        return std::string();
    const char* start = path;
    for (const char* p = path; *p; ++p)
        if (*p == '/' || *p == '\\')
            start = p + 1;
    if (start == path && *start == '"')
        ++start;
    const char* end = std::strchr(start, '"');
    return end ? std::string(start, end) : std::string(start);
}

int TextFind(const char* text, const char* find, int start) {
    if (!text || !find || !*text || !*find)
        return 0;
    if (start < 1)
        start = 1;
    size_t length = std::strlen(text);
    if (size_t(start) > length)
        return 0;
    const char* found = std::strstr(text + (start - 1), find);
    return found ? int(found - text) + 1 : 0;
}

bool TextEqual(const char* a, const char* b) {
    return std::strcmp(a ? a : "", b ? b : "") == 0;
}

int ColorRgb(int red, int green, int blue) {
    // Unsigned arithmetic: out-of-range components wrap instead of overflowing.
    uint32_t value = uint32_t(red) + uint32_t(green) * 256u + uint32_t(blue) * 65536u;
    return int32_t(value);
}
