// Tab and Shift+Tab typed with SendInput into a real toolkit window.
#include "support/WinTestUtil_win32.h"

#include <gtest/gtest.h>

namespace {

const DWORD Visible = WS_CHILD | WS_VISIBLE;

int tabKeysSeen = 0;
WNDPROC framework = nullptr;
LRESULT CALLBACK TabCounting(HWND control, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_KEYDOWN && wParam == VK_TAB)
        ++tabKeysSeen;
    return CallWindowProcA(framework, control, message, wParam, lParam);
}

HWND Control(int number, const char* className, DWORD style) {
    return reinterpret_cast<HWND>(
        TestControlCreate(number, nullptr, className, style, 10, 10 + 30 * number, 150, 24));
}

int Focused() {
    HWND focus = GetFocus();
    return focus ? static_cast<int>(GetWindowLongPtrA(focus, GWLP_ID)) : -100;
}

void Type(bool shift = false, bool control = false) {
    InputKey(VK_TAB, shift, control);
    EventsOfInput();
}

TEST(Focus, TabWalksEnabledVisibleTabStopsInCreationOrder) {
    ToolkitTestInit();
    HWND window =
        reinterpret_cast<HWND>(WindowOpen(0, 60, 60, 420, 300, "focus", 0xCA0000, nullptr));
    WidgetListBegin(window);
    HWND first = Control(1, "Edit", Visible | WS_TABSTOP);
    Control(2, "Static", Visible);                          // not a tab stop
    Control(3, "Edit", Visible | WS_TABSTOP | WS_DISABLED); // disabled
    Control(4, "Edit", WS_CHILD | WS_TABSTOP);              // hidden
    framework = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrA(first, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(TabCounting)));
    WindowForegroundMake(window);
    SetFocus(first); // the only tab stop keeps the focus
    Type(true);
    EXPECT_EQ(Focused(), 1);

    Control(5, "Button", Visible | WS_TABSTOP | BS_PUSHBUTTON);
    Control(6, "Edit", Visible | WS_TABSTOP);
    Control(7, "Edit", Visible); // takes the focus, but is no tab stop
    const struct {
        int focus; // given first: -1 none, 0 as it is
        bool shift, control;
        int focused;
    } steps[] = {
        {-1, false, false, 1}, {0, false, false, 5}, {0, false, false, 6},
        {0, false, false, 1},  {0, true, false, 6},  {0, true, false, 5}, // wraps both ways
        {-1, true, false, 6}, // nothing focused: Shift+Tab goes to the last tab stop
        {7, false, false, 7},  {7, true, false, 6},  {1, false, true, 1},
        {0, false, false, 5}, // Ctrl+Tab is left to the control
    };
    for (const auto& step : steps) {
        if (step.focus)
            SetFocus(step.focus > 0 ? WidgetLookup(step.focus)->Handle : nullptr);
        Type(step.shift, step.control);
        EXPECT_EQ(Focused(), step.focused) << &step - steps;
    }
    EXPECT_EQ(tabKeysSeen, 1); // only Ctrl+Tab reached control 1; Tab is the accelerator's
}

} // namespace
