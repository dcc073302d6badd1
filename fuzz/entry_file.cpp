// Opens arbitrary bytes as an entry file: no crash, no leak; a file that is not text is
// refused and changes nothing, any other shows exactly its first eleven lines.
#include "formats/EntryFile.h"
#include "fuzz/FuzzFile.h"
#include "tests/support/MemoryPrompt.h"
#include "tests/support/MemoryTrade.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    MemoryFields fields;
    MemoryPrompt prompt(FuzzFileWrite("entry.kve", data, size));
    OpenEntry(fields, prompt);
    const bool text = FuzzBytesText(data, size);
    if (prompt.messages.size() != (text ? 0u : 1u) || fields.texts.size() != (text ? 10u : 0u))
        std::abort();
    for (const auto& field : fields.texts)
        if (field.second.find_first_of(std::string("\r\n\0", 3)) != std::string::npos)
            std::abort();
    std::remove(prompt.answer.c_str());
    return 0;
}
