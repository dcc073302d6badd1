// Tab and Shift+Tab for toolkit windows, which are not dialog boxes and so get no Tab
// handling from the system.
#include "toolkit/Focus.h"

#include <windows.h>

#include <richedit.h>

#include <cstring>

namespace {

// GetKeyState hands on the key-state byte sign-extended; its top bit means "down".
constexpr SHORT KeyDownBit = 0x80;

bool KeyDown(int key) {
    return (GetKeyState(key) & KeyDownBit) != 0;
}

bool TabStop(HWND window) {
    return IsWindowEnabled(window) && IsWindowVisible(window) &&
           (GetWindowLongPtrA(window, GWL_STYLE) & WS_TABSTOP);
}

// One move; nothing is kept between key presses.
struct FocusWalk {
    HWND Current;  // focused control inside the root, or null
    bool TakeNext; // forward: the current control was passed
    HWND Previous; // backward: the tab stop seen last
    bool Done;
};

BOOL CALLBACK FocusForwardVisit(HWND window, LPARAM data) {
    FocusWalk& walk = *reinterpret_cast<FocusWalk*>(data);
    if (!TabStop(window))
        return TRUE;
    if (walk.TakeNext || !walk.Current) {
        SetFocus(window);
        walk.TakeNext = false;
        return FALSE;
    }
    if (window == walk.Current)
        walk.TakeNext = true;
    return TRUE;
}

BOOL CALLBACK FocusBackwardVisit(HWND window, LPARAM data) {
    FocusWalk& walk = *reinterpret_cast<FocusWalk*>(data);
    if (!TabStop(window))
        return TRUE;
    if (window == walk.Current && walk.Previous) {
        SetFocus(walk.Previous);
        walk.Done = true;
        return FALSE;
    }
    walk.Previous = window;
    return TRUE;
}

} // namespace

bool FocusTabIsText() {
    if (!KeyDown(VK_TAB) || KeyDown(VK_CONTROL) || KeyDown(VK_SHIFT) || KeyDown(VK_MENU))
        return false;
    HWND focus = GetFocus();
    char className[5] = "";
    return focus && GetClassNameA(focus, className, sizeof className) &&
           std::strncmp(className, "Rich", 4) == 0 &&
           !(SendMessageA(focus, EM_GETOPTIONS, 0, 0) & ECO_READONLY);
}

bool FocusIsTyping() {
    HWND focus = GetFocus();
    char className[8] = "";
    if (!focus || !GetClassNameA(focus, className, sizeof className))
        return false;
    if (std::strncmp(className, "Rich", 4) == 0)
        return !(SendMessageA(focus, EM_GETOPTIONS, 0, 0) & ECO_READONLY);
    return lstrcmpiA(className, "Edit") == 0 &&
           !(GetWindowLongPtrA(focus, GWL_STYLE) & ES_READONLY);
}

void FocusNavigate(FocusDirection direction) {
    HWND root = GetActiveWindow();
    if (!root)
        return;
    HWND focus = GetFocus();
    FocusWalk walk = {focus && IsChild(root, focus) ? focus : nullptr, false, nullptr, false};
    if (direction == FocusDirection::Forward) {
        EnumChildWindows(root, FocusForwardVisit, reinterpret_cast<LPARAM>(&walk));
        if (walk.TakeNext) { // the current control was the last tab stop: wrap
            walk.Current = nullptr;
            walk.TakeNext = false;
            EnumChildWindows(root, FocusForwardVisit, reinterpret_cast<LPARAM>(&walk));
        }
    } else {
        EnumChildWindows(root, FocusBackwardVisit, reinterpret_cast<LPARAM>(&walk));
        if (!walk.Done && walk.Previous) // now the last tab stop of the window
            SetFocus(walk.Previous);
    }
}
