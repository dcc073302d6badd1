// The one way up from Window.cpp: the widget framework registers how a control's message
// reaches its kind, so that Window.cpp needs to know nothing of widgets.
#pragma once

#include <windows.h>

// Offers a control's message to its widget kind; NotHandled when no kind takes it.
using ControlMessageHook = LRESULT (*)(HWND control, HWND parent, UINT message, WPARAM wParam,
                                       LPARAM lParam);
void WindowControlMessageHookSet(ControlMessageHook hook);
