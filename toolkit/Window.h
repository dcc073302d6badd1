// Numbered top-level windows and the event stream the application's loop pulls from them.
//
// Every toolkit window shares one window procedure. Each EventWait call dispatches at most one
// native message and returns what it meant: a widget was used, a menu item chosen, a window
// asked to close ... or just the message number when nothing of interest happened.
//
// Window.cpp owns the windows, their properties and accelerators, and the translate-and-
// dispatch step; the queue (EventQueue.cpp), Tab navigation (Focus.cpp) and live sizing
// (LiveSizing.cpp) are leaves below it. Modal dialogs keep their own list of the windows they
// disable (Dialogs.cpp).
#pragma once

#include "runtime/Registry.h" // AutoNumber
#include "toolkit/Events.h"

#include <windows.h>

#include <cstdint>
#include <string>
#include <vector>

// WindowOpen flags of the toolkit's own, besides the native window style bits. Fixed numbers
// callers pass; WindowInvisible sits on WS_VISIBLE, which WindowOpen never takes from the
// flags (it shows the window itself).
constexpr unsigned WindowCentered = 1;
constexpr unsigned WindowCenteredOnParent = 2; // on the parent, or on the active window
constexpr unsigned WindowInvisible = 0x10000000;

// Accelerator commands every toolkit window carries for Tab and Shift+Tab.
constexpr int CommandTabForward = 1212;
constexpr int CommandTabBackward = 1213;

// Once at start-up, before any window is opened.
void WindowsInit();

// Opens window `number` (AutoNumber: a new number) with a client area of width x height.
// x or y IgnoreValue: the system's default position. title nullptr = empty. parent may be null.
// Reopening an open number closes the old window (and its widgets) first.
// Result: the native window handle, or for AutoNumber the new number; 0 on failure.
intptr_t WindowOpen(int number, int x, int y, int width, int height, const char* title,
                    unsigned flags, HWND parent);
void WindowClose(int number);
void WindowCloseAll();
HWND WindowNativeHandle(int number); // nullptr when not open
int WindowClientWidth(int number);   // 0 when not open
void WindowActivate(int number);
// Shows and activates a window opened with WindowInvisible, in its normal size.
void WindowShow(int number);

// Ctrl + `virtualKey` chooses menu item `item` of the window, as long as the focus is not in a
// field the user types in: there the key stays the field's own (Ctrl+Z undoes the typing).
void WindowMenuKeyAdd(int number, int virtualKey, int item);

// Lets files be dropped on the window from the desktop; each drop is an EventFilesDropped.
void WindowFilesAccept(int number);
// The files of the last drop, in the order given; empty before any.
const std::vector<std::string>& WindowFilesDropped();

// Called once Windows ends the session (shut down, log off) and every window has agreed: the
// process ends right after, so whatever must be kept is written here, not in the loop.
void WindowEndSessionHookSet(void (*hook)());

// Waits for and handles one message. milliseconds: -1 no limit, 0 poll only.
int EventWaitTimeout(int milliseconds);
int EventWait();
// Dispatches every waiting message and drops whatever they would have reported.
void MessagesFlush();
