// Helpers for tests over real windows, the toolkit's own in this process or those of another
// program: input, waiting, the event loop, the screen, controls and the system's dialogs.
#pragma once

#include "toolkit/WidgetFramework.h"
#include "toolkit/Window.h"

#include <windows.h>

#include <functional>
#include <string>
#include <thread>
#include <utility>
#include <vector>

void ToolkitTestInit(); // once per process
// Toolkit window `number` opened with the toolkit's window flags; nullptr on failure.
HWND TestWindowOpen(int number, int x, int y, int width, int height, unsigned flags);
// Active and in the foreground, with the keyboard input, as a click makes it; false if not.
bool WindowForegroundMake(HWND window);
// Opens toolkit window `number` at the top left, in the foreground, with its widget list begun.
HWND WidgetTestWindow(int number, int width, int height);

// Key press and release as typed, with shift and control held around it if asked.
void InputKey(WORD key, bool shift = false, bool control = false);
// Clicks at a client point of the window, its centre when x < 0.
void ClickAt(HWND window, POINT client = {-1, -1}, int times = 1, bool right = false);

// Polls `condition` until it holds or `milliseconds` pass; true when it held. For windows of
// another thread or program: the toolkit's own need PumpUntil, which runs their event loop.
bool WaitUntil(const std::function<bool()>& condition, int milliseconds = 15000);
// Runs the event loop until `done` holds, or false once `milliseconds` passed without it.
bool PumpUntil(const std::function<bool()>& done, int milliseconds = 5000);
// Events of the input sent so far and of everything it caused: pumps until no input is left
// in the queue, then until no message waits (no 0s).
std::vector<int> EventsOfInput();
// Events of the messages already waiting (no 0s).
std::vector<int> EventsDrain();
bool EventsHave(const std::vector<int>& events, int kind);
// (widget number, subtype) of the widget events until `count` have come (or the time-out),
// then of those already waiting.
using WidgetEvents = std::vector<std::pair<int, int>>;
WidgetEvents WidgetEventsUntil(size_t count, int milliseconds = 5000);

// The colour shown at a client point of `window` after painting.
COLORREF ClientPixel(HWND window, int x, int y);

DWORD ProcessOf(HWND window);
// A visible top-level window of `process` with this title: of class `className`, or when that
// is nullptr, any but a dialog box.
HWND WindowOfProcess(DWORD process, const char* title, const char* className = nullptr);
// A file dialog's name field, set or read.
bool DialogSetFileName(HWND dialog, const char* name);
std::string DialogGetFileName(HWND dialog);
// Presses a button of the dialog (IDOK, IDCANCEL, IDYES ...), as a click would.
void DialogPress(HWND dialog, int id);
// The texts of the dialog's static controls, each followed by a line feed.
std::string DialogStaticTexts(HWND dialog);

// Runs `act` from a second thread on this process's dialog titled `title` as soon as it shows,
// while the test's own thread sits inside it. A dialog still open some seconds later is
// cancelled, so a test that fails to close it cannot hang.
class DialogDriver {
  public:
    DialogDriver(const char* title, std::function<void(HWND)> act);
    ~DialogDriver() { thread_.join(); }
    DialogDriver(const DialogDriver&) = delete;
    DialogDriver& operator=(const DialogDriver&) = delete;

  private:
    std::thread thread_;
};
