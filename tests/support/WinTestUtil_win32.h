// Helpers for tests that open real toolkit windows: start-up, typed keys and clicks through
// SendInput, pumping the event loop, and plain native controls registered as widgets.
#pragma once

#include "toolkit/Widget.h"
#include "toolkit/Window.h"

#include <windows.h>

#include <vector>

// Heaps, windows, widgets and common controls, once per process.
void ToolkitTestInit();

// Makes `window` the active, foreground window with the keyboard input, as a click would.
void WindowForegroundMake(HWND window);

// Key press and release as the user types it; shift and control are held around it.
void InputKey(WORD key, bool shift = false, bool control = false);
// A left click at a screen point.
void InputClick(int x, int y);

// Every event EventWaitTimeout returns during about `milliseconds` (0 results left out).
std::vector<int> EventsPump(int milliseconds);
// Events until nothing is waiting any more (0 results left out).
std::vector<int> EventsDrain();
// True when `kind` occurs in `events`.
bool EventsHave(const std::vector<int>& events, int kind);

// Creates a native control of `className` in the current widget list and registers it as
// widget `number` of `kind`. Returns what WidgetRegister returns, 0 on failure.
intptr_t TestControlCreate(int number, const WidgetKind* kind, const char* className, DWORD style,
                           int x, int y, int width, int height, const char* text = "");
