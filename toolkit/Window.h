// Numbered top-level windows and the event stream the application's loop pulls from them.
//
// Every toolkit window shares WindowProcedure. Each EventWait call dispatches at most one
// native message and returns what it meant: a widget was used, a menu item chosen, a window
// asked to close ... or just the message number when nothing of interest happened.
//
// Files: Window.cpp (windows and their procedure), EventQueue.cpp (EventWait and the queue),
// Focus.cpp (Tab navigation), LiveSizing.cpp (sizing a window inside the event loop).
// Modal dialogs keep their own list of the windows they disable (Dialogs.cpp).
#pragma once

#include "runtime/Registry.h" // AutoNumber

#include <windows.h>

#include <cstdint>

// Event kinds returned by EventWait. Any other value is the number of the native message
// that was dispatched (WM_PAINT gives 15 like EventRepaint).
constexpr int EventNone = 0; // time-out expired, or a poll found nothing
constexpr int EventMoveWindow = 3;
constexpr int EventSizeWindow = 5;
constexpr int EventRepaint = 15;
constexpr int EventKindClose = 16; // the window stays open; the application decides
constexpr int EventKindWidget = 13100;
constexpr int EventKindMenu = 13101;
constexpr int EventActivateWindow = 13104;

// Private message a widget posts to its owner window: wParam = widget number, lParam = subtype.
constexpr UINT WidgetEventMessage = 13103;

// Widget event subtypes (EventSubtype). Notifications that come by WM_COMMAND keep their own
// code, so a string widget also reports EN_SETFOCUS (256), EN_KILLFOCUS (512) and so on.
constexpr int SubtypeLeftButtonClick = 0;
constexpr int SubtypeRightButtonClick = 1;
constexpr int SubtypeLeftDoubleClick = 2;
constexpr int SubtypeRightDoubleClick = 3;
constexpr int SubtypeChange = 768;
constexpr int SubtypeFocus = 14000;
constexpr int SubtypeLostFocus = 14001;
constexpr int SubtypeDragStart = 14002;

// What an internal message handler returns to ask for the default processing.
constexpr LRESULT NotHandled = static_cast<LRESULT>(0xD0D0D0D1u);
// A coordinate or size that is not given.
constexpr int IgnoreValue = -65535;

// WindowOpen flags of the toolkit's own, besides the native window style bits.
constexpr unsigned WindowCentered = 1;
constexpr unsigned WindowCenteredOnParent = 2; // on the parent, or on the active window
// Fixed numbers callers pass; WindowInvisible sits on WS_VISIBLE, which WindowOpen never takes
// from the flags (it shows the window itself).
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

// Waits for and handles one message. milliseconds: -1 no limit, 0 poll only.
int EventWaitTimeout(int milliseconds);
int EventWait();
int EventWidgetId(); // widget or menu item number of the last widget or menu event
int EventMenuId();   // the same value
int EventSubtype();  // -1 when the last event has none
// Dispatches every waiting message and drops whatever they would have reported.
void MessagesFlush();

// --- for the other toolkit files ---

// Queues an event for `window`; a repeat of the newest queued kind and window is dropped.
void EventQueuePush(int kind, int window);
void EventQueueInit();
// Sets the event the current dispatch reports (the latest one set wins).
void EventPendingSet(int kind, int objectNumber, int subtype);
// Offers a control's message to its widget kind; NotHandled when no kind takes it.
LRESULT ParentMessageDispatch(HWND control, HWND parent, UINT message, WPARAM wParam,
                              LPARAM lParam);
LRESULT CALLBACK WindowProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
// The window's Tab accelerators (nullptr when it is not a toolkit window).
HACCEL WindowAcceleratorTable(int number);
// Number of the toolkit window `window` belongs to (itself or an ancestor); -1 if none.
int WindowNumberOf(HWND window);

// Focus.cpp: the accelerators EventWait translates for the active window (nullptr: none),
// and moving the focus to the next or previous tab stop of the active window.
enum class FocusDirection { Forward, Backward };
HACCEL ActiveAccelerators(HWND window);
void FocusNavigate(FocusDirection direction);

// LiveSizing.cpp: sees every message of every toolkit window first; NotHandled lets the
// window procedure go on.
LRESULT LiveSizing(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
void LiveSizingInit();
