// Helpers for tests over real toolkit windows: input, the event loop, the screen, controls.
#pragma once

#include "toolkit/Widget.h"
#include "toolkit/Window.h"

#include <windows.h>

#include <utility>
#include <vector>

void ToolkitTestInit();                 // once per process
void WindowForegroundMake(HWND window); // active, with the keyboard input, as a click makes it
// Opens toolkit window `number` at the top left, in the foreground, with its widget list begun.
HWND WidgetTestWindow(int number, int width, int height);

// Key press and release as typed, with shift and control held around it if asked.
void InputKey(WORD key, bool shift = false, bool control = false);
void InputClick(int x, int y); // mouse clicks at a screen point
void InputRightClick(int x, int y);
void InputDoubleClick(int x, int y);

// Events EventWaitTimeout returns during about `milliseconds`, then until none waits (no 0s).
std::vector<int> EventsPump(int milliseconds);
std::vector<int> EventsDrain();
bool EventsHave(const std::vector<int>& events, int kind);
// (widget number, subtype) of every widget event during about `milliseconds`.
using WidgetEvents = std::vector<std::pair<int, int>>;
WidgetEvents WidgetEventsPump(int milliseconds);

// Screen point, and the colour shown there after painting, of a client point of `window`.
POINT ClientToScreenPoint(HWND window, int x, int y);
COLORREF ClientPixel(HWND window, int x, int y);

// A native control in the current widget list registered as widget `number`; 0 on failure.
intptr_t TestControlCreate(int number, const WidgetKind* kind, const char* className, DWORD style,
                           int x, int y, int width, int height, const char* text = "");
