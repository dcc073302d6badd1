// Procedures the toolkit puts in front of a window's own (the status bar's parent, a window
// that follows display scale changes). The procedure each one replaced is kept in the process
// rather than in a window property: under Wine reading a property is a call to the window
// server, and these procedures see every message, each drawing notice of a list among them.
#pragma once

#include <windows.h>

// Puts `procedure` in front of the window's procedure, once per window and procedure.
void WindowChainAdd(HWND window, WNDPROC procedure);
// The message handed on, from `procedure` to the one it replaced, then DefWindowProc when that
// is unknown. At WM_NCDESTROY the window's entry is forgotten.
LRESULT WindowChainNext(WNDPROC procedure, HWND window, UINT message, WPARAM wParam, LPARAM lParam);
