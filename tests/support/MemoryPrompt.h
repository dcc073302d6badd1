// A file prompt that answers from the test instead of a dialog and keeps what it was asked.
#pragma once

#include "formats/FilePrompt.h"

#include <string>
#include <utility>
#include <vector>

class MemoryPrompt : public FilePrompt {
public:
    explicit MemoryPrompt(std::string name = "") : answer(std::move(name)) {}
    struct Question {
        std::string kind; // "save" or "open"
        std::string title;
        std::string defaultPath;
        std::string pattern;
    };
    std::string answer; // the name the next question gets; empty = cancelled
    std::vector<Question> questions;
    std::vector<std::string> messages; // "title: text"

    std::string SaveNameAsk(const char* title, const std::string& defaultPath,
                            const char* pattern) override {
        questions.push_back({"save", title, defaultPath, pattern});
        return answer;
    }
    std::string OpenNameAsk(const char* title, const std::string& defaultPath,
                            const char* pattern) override {
        questions.push_back({"open", title, defaultPath, pattern});
        return answer;
    }
    void MessageShow(const char* title, const char* text) override {
        messages.push_back(std::string(title) + ": " + text);
    }
};
