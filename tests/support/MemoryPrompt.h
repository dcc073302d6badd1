// A file prompt that answers from the test instead of a dialog and keeps what it was told.
#pragma once

#include "formats/FilePrompt.h"

#include <string>
#include <utility>
#include <vector>

class MemoryPrompt : public FilePrompt {
  public:
    explicit MemoryPrompt(std::string name = "") : answer(std::move(name)) {}
    std::string answer;                // the name every question gets; empty = cancelled
    int chosenType = 0;                // the file type every save question gets
    std::vector<std::string> messages; // "title: text"
    std::vector<std::string> asked;    // "title|default path|pattern"

    std::string SaveNameAsk(const char* title, const std::string& defaultPath, const char* pattern,
                            int* type) override {
        if (type)
            *type = chosenType;
        return OpenNameAsk(title, defaultPath, pattern);
    }
    std::string OpenNameAsk(const char* title, const std::string& defaultPath,
                            const char* pattern) override {
        asked.push_back(std::string(title) + "|" + defaultPath + "|" + pattern);
        return answer;
    }
    void MessageShow(const char* title, const char* text) override {
        messages.push_back(std::string(title) + ": " + text);
    }
};
