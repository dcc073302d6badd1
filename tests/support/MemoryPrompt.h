// A file prompt that answers from the test instead of a dialog and keeps what it was asked.
#pragma once

#include "formats/FilePrompt.h"

#include <string>
#include <utility>
#include <vector>

class MemoryPrompt : public FilePrompt {
  public:
    explicit MemoryPrompt(std::string name = "") : answer(std::move(name)) {}
    std::string answer;                 // the name the next question gets; empty = cancelled
    std::vector<std::string> questions; // "title|defaultPath|pattern"
    std::vector<std::string> messages;  // "title: text"

    std::string SaveNameAsk(const char* t, const std::string& path, const char* p) override {
        return OpenNameAsk(t, path, p);
    }
    std::string OpenNameAsk(const char* t, const std::string& path, const char* p) override {
        questions.push_back(std::string(t) + "|" + path + "|" + p);
        return answer;
    }
    void MessageShow(const char* title, const char* text) override {
        messages.push_back(std::string(title) + ": " + text);
    }
};
