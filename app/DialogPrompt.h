// The file prompt of the program itself: the system's file dialogs and message box.
#pragma once

#include "formats/FilePrompt.h"

class DialogPrompt : public FilePrompt {
  public:
    std::string SaveNameAsk(const char* title, const std::string& defaultPath, const char* pattern,
                            int* chosenType) override;
    std::string OpenNameAsk(const char* title, const std::string& defaultPath,
                            const char* pattern) override;
    void MessageShow(const char* title, const char* text) override;
};
