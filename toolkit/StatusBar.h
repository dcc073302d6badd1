// Numbered status bars: a native status-bar control at the bottom of a toolkit window,
// divided into fields of given widths. The parent window is subclassed so the bar follows
// its size and its record is freed when the parent goes.
#pragma once

#include <windows.h>

#include <cstdint>

// The control id of every status bar.
constexpr UINT StatusBarControlId = 0xE404040F;

// StatusBarSetText appearance bits; 0 is a sunken, left-aligned field.
constexpr int StatusBarRaised = 1;     // raised frame
constexpr int StatusBarNoBorder = 2;   // no frame (a raised frame wins)
constexpr int StatusBarCentered = 4;   // one tab in front of the text
constexpr int StatusBarRightAlign = 8; // two tabs in front (centred wins)

// Once at start-up, before any status bar is created.
void StatusBarsInit();

// A bar at the bottom of `parent` (AutoNumber: a new number), with no fields yet; a bar
// already under that number is destroyed first. Fields are added by StatusBarAddField.
// Result: the control's handle, or for AutoNumber the new number; 0 on failure.
intptr_t StatusBarCreate(int number, HWND parent);
// Appends a field of `width` pixels to the bar created last.
void StatusBarAddField(int width);
// Gives the bar's first field a new width and fits the bar to its parent again, as after a
// change of font.
void StatusBarFieldWidthSet(int number, int width);
// Field indices are 0 .. 255 (the control's limit); others and unknown numbers do nothing.
void StatusBarSetText(int number, int field, const char* text, int appearance);
void StatusBarSetTextPlain(int number, int field, const char* text);
// Destroys the control; unknown numbers do nothing.
void StatusBarFree(int number);
