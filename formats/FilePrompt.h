// What the file commands ask of the user: a file name to save to or open, and a look at an
// error. The program answers with the system's file dialogs and message box; tests answer
// with a fake.
#pragma once

#include <string>

class FilePrompt {
  public:
    virtual ~FilePrompt() = default;
    // `pattern` is a "|"-separated list of description and filter pairs, the first one
    // offered. `defaultPath` is the folder (ending in "\") and, for saving, the suggested name.
    // The empty text = cancelled. `chosenType`, when given, receives the index from 0 of the
    // pair the user chose.
    virtual std::string SaveNameAsk(const char* title, const std::string& defaultPath,
                                    const char* pattern, int* chosenType) = 0;
    virtual std::string OpenNameAsk(const char* title, const std::string& defaultPath,
                                    const char* pattern) = 0;
    // A modal message with one OK button.
    virtual void MessageShow(const char* title, const char* text) = 0;
};
