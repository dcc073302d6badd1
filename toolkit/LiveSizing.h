// Sizes a resizable toolkit window inside the normal message flow, instead of the system's
// modal sizing loop, so that the application's event loop keeps running while it is sized.
#pragma once

#include "toolkit/Events.h" // NotHandled

void LiveSizingInit();
// Sees every message of every toolkit window first; NotHandled lets the window procedure go on.
LRESULT LiveSizing(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
