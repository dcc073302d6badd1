// Tab and Shift+Tab typed with SendInput into real toolkit windows.
#include "toolkit/EditorWidget.h"
#include "toolkit/Widgets.h"

#include "support/WinTestUtil_win32.h"

#include <gtest/gtest.h>

namespace {

const DWORD Visible = WS_CHILD | WS_VISIBLE;

HWND Control(int number, const char* className, DWORD style) {
    return TestControlCreate(number, nullptr, className, style, 10, 10 + 30 * number, 150, 24);
}

TEST(Focus, TabSkipsDisabledHiddenAndPlainControlsBothWaysAndWraps) {
    HWND window = TestWindowOpen(0, 60, 60, 420, 300, 0xCA0000);
    WidgetListBegin(window);
    Control(1, "Edit", Visible | WS_TABSTOP);
    Control(2, "Static", Visible);                          // not a tab stop
    Control(3, "Edit", Visible | WS_TABSTOP | WS_DISABLED); // disabled
    Control(4, "Edit", WS_CHILD | WS_TABSTOP);              // hidden
    Control(5, "Button", Visible | WS_TABSTOP | BS_PUSHBUTTON);
    Control(6, "Edit", Visible | WS_TABSTOP);
    Control(7, "Edit", Visible); // takes the focus, but is no tab stop
    WindowForegroundMake(window);
    const struct {
        int focus; // given first: -1 none, 0 as it is
        bool shift, control;
        int focused;
    } steps[] = {
        {-1, true, false, 6}, // nothing focused: Shift+Tab goes to the last tab stop
        {0, true, false, 5},  {0, true, false, 1}, {0, true, false, 6}, // and wraps
        {7, false, false, 7}, {7, true, false, 6}, {1, false, true, 1},
        {0, false, false, 5}, // Ctrl+Tab is left to the control
    };
    for (const auto& step : steps) {
        if (step.focus)
            SetFocus(step.focus > 0 ? WidgetLookup(step.focus)->Handle : nullptr);
        InputKey(VK_TAB, step.shift, step.control);
        EventsOfInput();
        EXPECT_EQ(GetDlgCtrlID(GetFocus()), step.focused) << &step - steps;
    }
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
        InputKey(VK_TAB, c.shift);
        EventsOfInput();
        EXPECT_EQ(GetFocus(), c.tabbedOut ? field : editor->Handle) << &c - cases;
        EXPECT_EQ(WidgetGetText(40), c.tabbedOut ? "" : "\t") << &c - cases;
    }
    WindowClose(6);
}

} // namespace
