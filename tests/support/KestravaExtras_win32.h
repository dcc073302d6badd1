// More ways to work the real Kestrava.exe from outside, beside the shared driver: its
// statistics window, the keyboard alone, the clipboard, the screen and the windows it owns.
#pragma once

#include "support/KestravaDriver_win32.h"

#include <windows.h>

#include <string>
#include <vector>

// Widgets of the statistics window; summary line i shows its value in StatsValues + 2i.
enum StatsNumber {
    StatsValues = 301,
    StatsNoteText = 320,
    StatsChartImage = 321,
    StatsCopy = 322,
    StatsOk = 323,
};

// Clicks Stats; the statistics window once it is built and has the keyboard, else nullptr.
HWND StatsOpen(Kestrava& app);
// The eight summary values, top to bottom.
std::vector<std::string> StatsValuesRead(Kestrava& app, HWND stats);
// Gone, and the main window enabled and in front again.
bool StatsClosed(Kestrava& app, HWND stats);

// Fills the entry through its fields (amount mode), computes and moves it into the list.
void RowAdd(Kestrava& app, const char* ware, const char* units, const char* cost,
            const char* sellUnits, const char* yield);
// The list's selected row, -1 for none.
int SelectedRow(Kestrava& app);

// Presses Tab until widget `number` of the main window has the focus.
bool TabTo(Kestrava& app, int number);
// Types `text` over what the focused field holds.
void TypeOver(const std::string& text);

void ClipboardClear();
std::string ClipboardText(); // CF_TEXT as bytes, "" when there is none

// What the screen shows in the client area of `window`.
struct Screenshot {
    int width = 0, height = 0;
    std::vector<COLORREF> pixels; // row by row, top first
    COLORREF At(int x, int y) const { return pixels[size_t(y) * size_t(width) + size_t(x)]; }
};
Screenshot ClientShot(HWND window);

// Top-level windows of the process and all their descendants.
int WindowsOfProcess(DWORD process);
