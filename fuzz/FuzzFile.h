// What the file-reading fuzz targets share: the input as a file, and whether a reader had to
// take it as text.
#pragma once

#include "formats/SavedFile.h"

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <unistd.h>

// Writes the bytes to a file of this process called `name`, and returns its path.
inline std::string FuzzFileWrite(const char* name, const uint8_t* data, size_t size) {
    const std::string path = "/tmp/kv-fuzz-" + std::to_string(getpid()) + "-" + name;
    FILE* file = std::fopen(path.c_str(), "wb");
    if (!file)
        std::abort();
    std::fwrite(data, 1, size, file);
    std::fclose(file);
    return path;
}

// True when no byte is a control byte other than tab, CR and LF and no line is longer than
// SavedLineMax: what the readers take as text.
inline bool FuzzBytesText(const uint8_t* data, size_t size) {
    size_t length = 0;
    for (size_t i = 0; i < size; ++i) {
        const uint8_t c = data[i];
        if (c == '\r' || c == '\n')
            length = 0;
        else if ((c < 0x20 && c != '\t') || ++length > SavedLineMax)
            return false;
    }
    return true;
}
