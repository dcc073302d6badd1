// Display scale: layouts are written for 96 dots per inch and scaled to the screen a window
// is on. The program declares itself aware of every monitor's scale in its manifest.
#pragma once

#include <windows.h>

constexpr int BaseDpi = 96;

// The scale of the screen the window is on; the system's for a null window.
int WindowDpi(HWND window);
inline int DpiScale(int value, int dpi) {
    return MulDiv(value, dpi, BaseDpi);
}

// The widgets' font at `dpi`: the stock GUI font at the system's scale, otherwise one made
// from it and kept for the rest of the run.
HFONT WidgetFontForDpi(int dpi);
// Gives every control in the window that font.
void WindowFontsSet(HWND window, int dpi);

// A copy of a bitmap stretched to width x height, kept for the rest of the run (one per
// bitmap and size); `image` itself when it is no bitmap or cannot be copied.
HANDLE BitmapStretched(HANDLE image, int width, int height);

// Grows or shrinks the window so that its client area is width x height.
void WindowClientSizeSet(HWND window, int width, int height);

// When the window moves to a screen of another scale it takes the size the system suggests,
// then `handler` lays it out again for `dpi`.
using DpiChangeHandler = void (*)(HWND window, int dpi);
void WindowDpiHandlerSet(HWND window, DpiChangeHandler handler);
