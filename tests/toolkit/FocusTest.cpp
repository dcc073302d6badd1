// Tab and Shift+Tab typed with SendInput into real toolkit windows.
#include "toolkit/EditorWidget.h"
#include "toolkit/Widgets.h"

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
    return TestControlCreate(number, nullptr, className, style, 10, 10 + 30 * number, 150, 24);
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
    HWND window = TestWindowOpen(0, 60, 60, 420, 300, 0xCA0000);
    WidgetListBegin(window);
    HWND first = Control(1, "Edit", Visible | WS_TABSTOP);
    Control(2, "Static", Visible);                          // not a tab stop
    Control(3, "Edit", Visible | WS_TABSTOP | WS_DISABLED); // disabled
    Control(4, "Edit", WS_CHILD | WS_TABSTOP);              // hidden
    framework = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrA(first, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(TabCounting)));
    Control(5, "Button", Visible | WS_TABSTOP | BS_PUSHBUTTON);
    Control(6, "Edit", Visible | WS_TABSTOP);
    Control(7, "Edit", Visible); // takes the focus, but is no tab stop
    WindowForegroundMake(window);
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
    WindowClose(0);
}

// The help window's editor is read-only: Tab moves on from it instead of typing a tab.
TEST(Focus, ReadOnlyDecidesWhetherAnEditorTakesTabOrPassesItOn) {
    ASSERT_TRUE(WidgetTestWindow(6, 400, 300));
    ASSERT_NE(StringWidgetCreate(41, 10, 200, 200, 22, ""), 0);
    HWND field = WidgetLookup(41)->Handle;
    const struct {
        int flags, readOnly; // given at creation, then set as the attribute (-1: not set)
        bool shift, tabbedOut;
    } cases[] = {
        {0, -1, false, false},    {0, -1, true, true}, {0x801, -1, false, true},
        {0x801, 0, false, false}, {0, 7, false, true},
    };
    for (const auto& c : cases) {
        ASSERT_NE(EditorWidgetCreate(40, 10, 10, 300, 150, c.flags), 0);
        WidgetRecord* editor = WidgetLookup(40);
        if (c.readOnly >= 0)
            editor->Class->SetAttribute(editor, EditorReadOnly, c.readOnly);
        EXPECT_EQ(editor->Class->GetAttribute(editor, EditorReadOnly),
                  int(c.tabbedOut && !c.shift));
        SetFocus(editor->Handle);
        Type(c.shift);
        EXPECT_EQ(GetFocus(), c.tabbedOut ? field : editor->Handle) << &c - cases;
        EXPECT_EQ(WidgetGetText(40), c.tabbedOut ? "" : "\t") << &c - cases;
    }
    WindowClose(6);
}

} // namespace
