// Drives the system's modal dialogs from a second thread while the test's own thread sits
// inside them: finds the dialog by title, fills fields, reads texts and presses buttons.
#pragma once

#include <windows.h>

#include <atomic>
#include <functional>
#include <string>
#include <thread>

// Types a name into a file dialog's name field.
bool DialogSetFileName(HWND dialog, const char* name);
// What a file dialog's name field shows.
std::string DialogGetFileName(HWND dialog);

// Presses a button of the dialog (IDOK, IDCANCEL, IDYES ...), as a click would.
void DialogPress(HWND dialog, int id);

// The texts of the dialog's static controls, each followed by a line feed.
std::string DialogStaticTexts(HWND dialog);

// Runs `act` on the dialog titled `title` as soon as it shows. If the dialog is still open
// some seconds later, it is cancelled, so a test that fails to close it cannot hang.
class DialogDriver {
  public:
    DialogDriver(const char* title, std::function<void(HWND)> act);
    ~DialogDriver();
    DialogDriver(const DialogDriver&) = delete;
    DialogDriver& operator=(const DialogDriver&) = delete;
    bool Found() const { return found_; }

  private:
    std::string title_;
    std::function<void(HWND)> act_;
    std::atomic<bool> found_{false};
    std::thread thread_;
};
