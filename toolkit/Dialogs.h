// Modal message box and the common open/save file dialogs.
//
// While a dialog is up, the program's other top-level windows on the calling thread are
// disabled, and given back when it closes. Texts in may be nullptr (= empty text).
#pragma once

#include <string>
#include <utility>
#include <vector>

// Flag of FileOpenDialogEx: the user may select several files.
constexpr int FileDialogMultiple = 1;

// The native result of the message box (the button that closed it); 0 if it failed.
// `flags` are the native button and icon bits; 0 gives one "OK" button.
int MessageBoxShowEx(const char* title, const char* text, unsigned flags);
int MessageBoxShow(const char* title, const char* text);

// `pattern` is a "|"-separated list of description and filter pairs, for example
// "Kestrava entry (*.kve)|*.kve". `defaultPath` is "folder\name": the dialog opens in the
// folder with the name filled in (a name that is not a valid file name is left out).
// The result is the chosen full path, or the empty text when cancelled or failed.
std::string FileOpenDialog(const char* title, const char* defaultPath, const char* pattern,
                           int patternIndex);
std::string FileOpenDialogEx(const char* title, const char* defaultPath, const char* pattern,
                             int patternIndex, int flags);
std::string FileSaveDialog(const char* title, const char* defaultPath, const char* pattern,
                           int patternIndex);

// The next file of a multiple selection as a full path; empty when none is left.
std::string FileDialogNextFile();

// 0-based index of the pattern chosen in the last file dialog; -1 after a cancel.
int FileDialogSelectedPattern();

// Disables the calling thread's visible, enabled top-level windows except the foreground
// one (the native dialog disables that one as its owner) and enables them again on
// destruction. Each list gives back only the windows it disabled itself, so nested
// dialogs do not wake the windows an outer one still holds.
class DisabledWindowList {
  public:
    DisabledWindowList();
    ~DisabledWindowList();
    DisabledWindowList(const DisabledWindowList&) = delete;
    DisabledWindowList& operator=(const DisabledWindowList&) = delete;

  private:
    std::vector<std::pair<unsigned long, void*>> nodes_; // (thread id, window handle)
};

// The window a dialog should belong to: the foreground window when it is this process's,
// else none.
void* DialogOwnerWindow();
