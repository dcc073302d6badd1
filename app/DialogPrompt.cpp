#include "app/DialogPrompt.h"

#include "toolkit/Dialogs.h"

std::string DialogPrompt::SaveNameAsk(const char* title, const std::string& defaultPath,
                                      const char* pattern, int* chosenType) {
    std::string chosen = FileSaveDialog(title, defaultPath.c_str(), pattern, 0);
    if (chosenType)
        *chosenType = FileDialogSelectedPattern();
    return chosen;
}

std::string DialogPrompt::OpenNameAsk(const char* title, const std::string& defaultPath,
                                      const char* pattern) {
    return FileOpenDialog(title, defaultPath.c_str(), pattern, 0);
}

void DialogPrompt::MessageShow(const char* title, const char* text) {
    MessageBoxShow(title, text);
}
