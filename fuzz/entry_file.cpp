// Opens arbitrary bytes as an entry file: no crash, no leak, and the eleven texts it shows
// are exactly the file's first eleven lines.
#include "formats/EntryFile.h"
#include "tests/support/MemoryPrompt.h"
#include "tests/support/MemoryTrade.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <unistd.h>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static const std::string path = "/tmp/kv-fuzz-entry-" + std::to_string(getpid()) + ".kve";
    FILE* file = std::fopen(path.c_str(), "wb");
    if (!file)
        return 0;
    std::fwrite(data, 1, size, file);
    std::fclose(file);

    MemoryFields fields;
    MemoryPrompt prompt;
    prompt.answer = path;
    OpenEntry(fields, prompt);
    if (!prompt.messages.empty() || fields.texts.size() != 10)
        std::abort();
    for (const auto& text : fields.texts)
        if (text.second.find_first_of(std::string("\r\n\0", 3)) != std::string::npos)
            std::abort();
    return 0;
}
