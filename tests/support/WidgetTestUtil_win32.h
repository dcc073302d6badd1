// Helpers for the widget kind tests: a fresh toolkit window to build widgets in, the widget
// events the loop reports, and what the screen shows.
#pragma once

#include <windows.h>

#include <string>
#include <utility>
#include <vector>

// Opens toolkit window `number` at the screen's top left, makes it the foreground window and
// begins its widget list. Returns its native handle.
HWND WidgetTestWindow(int number, int width, int height);

// (widget number, subtype) of every widget event the loop reports during about `milliseconds`.
using WidgetEvents = std::vector<std::pair<int, int>>;
WidgetEvents WidgetEventsPump(int milliseconds);

// Screen colour at a point of `window`'s client area, as shown after painting.
COLORREF ClientPixel(HWND window, int x, int y);
// Screen point of a client point of `window`.
POINT ClientToScreenPoint(HWND window, int x, int y);
// Mouse clicks through SendInput: right button, or a double click of the left one.
void InputRightClick(int x, int y);
void InputDoubleClick(int x, int y);
// Saves the whole screen as a PNG when KV_SCREENSHOTS names a folder (for looking at it).
void ScreenshotSave(const std::string& name);
