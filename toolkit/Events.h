// What the event loop hands the application: event kinds, widget event subtypes, and the
// number and subtype of the last event. EventQueue.cpp keeps them; Window.h, which runs the
// loop, includes this header, so the application reaches all of it through Window.h.
#pragma once

#include <windows.h>

// Event kinds returned by EventWait. Any other value is the number of the native message
// that was dispatched (WM_PAINT gives 15 like EventRepaint). Fixed numbers: the native message
// numbers where one exists (WM_MOVE, WM_SIZE, WM_PAINT, WM_CLOSE), the product's own above.
constexpr int EventNone = 0; // time-out expired, or a poll found nothing
constexpr int EventMoveWindow = 3;
constexpr int EventSizeWindow = 5;
constexpr int EventRepaint = 15;
constexpr int EventKindClose = 16; // the window stays open; the application decides
constexpr int EventKindWidget = 13100;
constexpr int EventKindMenu = 13101;
constexpr int EventActivateWindow = 13104;
constexpr int EventFilesDropped = 13105; // files dropped on a window that accepts them

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
// A key pressed in a widget: SubtypeKey | the virtual key, plus SubtypeKeyControl when Ctrl
// was held. Only Enter, Escape, Delete, Ctrl+C and the context-menu key (VK_APPS, also for
// Shift+F10) are reported; the control handles them as before.
constexpr int SubtypeKey = 0x20000;
constexpr int SubtypeKeyControl = 0x1000;
// A click on a list view's column header: SubtypeColumnClick | the column.
constexpr int SubtypeColumnClick = 0x40000;

// What an internal message handler returns to ask for the default processing.
constexpr LRESULT NotHandled = static_cast<LRESULT>(0xD0D0D0D1u);
// A coordinate or size that is not given.
constexpr int IgnoreValue = -65535;

// The current event: the one EventWait returned last.
int EventWidgetId(); // widget or menu item number of the last widget or menu event
int EventMenuId();   // the same value
int EventSubtype();  // -1 when the current event has none
int EventWindowId(); // the window it belongs to; -1 for a plain message
