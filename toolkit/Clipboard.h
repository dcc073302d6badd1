// Putting text on the system clipboard.
#pragma once

#include <windows.h>

#include <string>

// Replaces the clipboard's contents with `text` as CF_TEXT; `owner` is the window that puts
// it there. False when the clipboard is busy or memory runs out.
bool ClipboardTextSet(HWND owner, const std::string& text);
