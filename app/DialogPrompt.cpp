#include "app/DialogPrompt.h"

#include "toolkit/Dialogs.h"

// The commands offer one pattern, so the first is always the one selected.
std::string DialogPrompt::SaveNameAsk(const char* title, const std::string& defaultPath,
                                      const char* pattern) {
    return FileSaveDialog(title, defaultPath.c_str(), pattern, 0);
}

std::string DialogPrompt::OpenNameAsk(const char* title, const std::string& defaultPath,
                                      const char* pattern) {
    return FileOpenDialog(title, defaultPath.c_str(), pattern, 0);
}

void DialogPrompt::MessageShow(const char* title, const char* text) {
    MessageBoxShow(title, text);
}
