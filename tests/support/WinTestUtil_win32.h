// Helpers for tests over real toolkit windows: input, the event loop, the screen, controls.
#pragma once

#include "toolkit/WidgetFramework.h"
#include "toolkit/Window.h"

#include <windows.h>

#include <functional>
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
void InputClick(int x, int y); // a left click at a screen point

// The one way tests wait: runs the event loop until `done` holds, or false once `milliseconds`
// passed without it. Nothing waits for a fixed time.
bool PumpUntil(const std::function<bool()>& done, int milliseconds = 5000);
// Runs the event loop until it returns an event of `kind`; false after `milliseconds` without.
bool EventWaitFor(int kind, int milliseconds = 5000);
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

// Screen point, and the colour shown there after painting, of a client point of `window`.
POINT ClientToScreenPoint(HWND window, int x, int y);
COLORREF ClientPixel(HWND window, int x, int y);

// A native control in the current widget list registered as widget `number`; 0 on failure.
HWND TestControlCreate(int number, const WidgetKind* kind, const char* className, DWORD style,
                       int x, int y, int width, int height, const char* text = "");
