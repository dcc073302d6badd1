// The line reader over arbitrary bytes, checked against a plain splitter: the lines and whether
// each is text. The first byte sets a run of filler before the rest, so line ends land on every
// buffer boundary.
#include "runtime/LineFile.h"

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <unistd.h>
#include <vector>

namespace {

// The lines, each followed by "t" when it is text or "b" when it holds a control byte.
std::vector<std::string> LinesSplit(const std::string& bytes) {
    std::vector<std::string> lines;
    std::string line;
    bool text = true;
    for (size_t i = 0; i < bytes.size(); ++i) {
        char c = bytes[i];
        if (c != '\0' && c != '\r' && c != '\n') {
            line += c;
            text = text && (static_cast<unsigned char>(c) >= 0x20 || c == '\t');
            continue;
        }
        if (c == '\r' && i + 1 < bytes.size() && bytes[i + 1] == '\n')
            ++i;
        lines.push_back(line);
        lines.push_back(text && c != '\0' ? "t" : "b");
        line.clear();
        text = true;
    }
    if (!line.empty()) {
        lines.push_back(line);
        lines.push_back(text ? "t" : "b");
    }
    return lines;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size == 0)
        return 0;
    std::string bytes(size_t(data[0]) * 17, 'p');
    bytes.append(reinterpret_cast<const char*>(data) + 1, size - 1);

    static const std::string path = "/tmp/kv-fuzz-line-file-" + std::to_string(getpid());
    FILE* out = std::fopen(path.c_str(), "wb");
    if (!out)
        std::abort();
    std::fwrite(bytes.data(), 1, bytes.size(), out);
    std::fclose(out);

    if (!FileOpenRead(1, path.c_str()))
        std::abort();
    std::vector<std::string> lines;
    while (!FileAtEnd(1) && lines.size() <= 2 * bytes.size()) {
        lines.emplace_back();
        lines.push_back(FileReadTextLine(1, lines.back()) ? "t" : "b");
    }
    if (lines != LinesSplit(bytes) || FileReadLine(1) != "" || !FileClose(1))
        std::abort();
    std::remove(path.c_str());
    return 0;
}
