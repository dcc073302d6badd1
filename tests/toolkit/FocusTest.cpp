// Tab and Shift+Tab typed with SendInput into real toolkit windows.
#include "support/WinTestUtil_win32.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

WidgetKind PlainKind() {
    WidgetKind kind = {};
    kind.Kind = 2;
    kind.RecordSize = WidgetRecordSize;
    return kind;
}
const WidgetKind plainKind = PlainKind();

const DWORD Visible = WS_CHILD | WS_VISIBLE;

// Tab keys that reach a control as key presses.
int tabKeysSeen = 0;
WNDPROC framework = nullptr;
LRESULT CALLBACK TabCounting(HWND control, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_KEYDOWN && wParam == VK_TAB)
        ++tabKeysSeen;
    return CallWindowProcA(framework, control, message, wParam, lParam);
}

struct Seen {
    int kind;
    int widget;
    int subtype;
};

class FocusTest : public ::testing::Test {
  protected:
    void SetUp() override {
        ToolkitTestInit();
        tabKeysSeen = 0;
    }
    void TearDown() override {
        WindowCloseAll();
        EventsDrain();
    }
    HWND OpenWindow(int number) {
        HWND window = reinterpret_cast<HWND>(
            WindowOpen(number, 60, 60, 420, 300, "focus", 0xCA0000, nullptr));
        WidgetListBegin(window);
        return window;
    }
    HWND Control(int number, const char* className, DWORD style) {
        return reinterpret_cast<HWND>(TestControlCreate(number, &plainKind, className, style, 10,
                                                        10 + 30 * (number % 9), 150, 24, ""));
    }
    // Types the key and returns the widget ids that gained the focus by the order of the
    // events the call reported.
    std::vector<Seen> Type(WORD key, bool shift = false, bool control = false) {
        InputKey(key, shift, control);
        std::vector<Seen> seen;
        const DWORD end = GetTickCount() + 150;
        while (static_cast<int>(end - GetTickCount()) > 0) {
            const int kind = EventWaitTimeout(20);
            if (kind)
                seen.push_back({kind, EventWidgetId(), EventSubtype()});
        }
        return seen;
    }
    int Focused() {
        HWND focus = GetFocus();
        return focus ? static_cast<int>(GetWindowLongPtrA(focus, GWLP_ID)) : -100;
    }
};

TEST_F(FocusTest, TabWalksEnabledVisibleTabStopsInCreationOrderAndWraps) {
    HWND window = OpenWindow(0);
    ASSERT_TRUE(Control(1, "Edit", Visible | WS_TABSTOP));
    ASSERT_TRUE(Control(2, "Static", Visible));                          // not a tab stop
    ASSERT_TRUE(Control(3, "Edit", Visible | WS_TABSTOP | WS_DISABLED)); // disabled
    ASSERT_TRUE(Control(4, "Edit", WS_CHILD | WS_TABSTOP));              // hidden
    ASSERT_TRUE(Control(5, "Button", Visible | WS_TABSTOP | BS_PUSHBUTTON));
    ASSERT_TRUE(Control(6, "Edit", Visible | WS_TABSTOP));
    WindowForegroundMake(window);
    ASSERT_EQ(GetActiveWindow(), window);
    SetFocus(nullptr);

    struct Step {
        bool shift;
        int focused;
    };
    const Step steps[] = {
        {false, 1},                         // nothing focused: the first tab stop
        {false, 5}, {false, 6}, {false, 1}, // wraps at the end
        {true, 6},                          // and backwards at the start
        {true, 5},  {true, 1},  {true, 6},
    };
    int index = 0;
    for (const Step& step : steps) {
        Type(VK_TAB, step.shift);
        EXPECT_EQ(Focused(), step.focused) << "step " << index;
        ++index;
    }
    SetFocus(nullptr);
    Type(VK_TAB, true);
    EXPECT_EQ(Focused(), 6) << "Shift+Tab with nothing focused goes to the last tab stop";
}

TEST_F(FocusTest, TabReportsTheFocusChangeAndNoKeyEvent) {
    HWND window = OpenWindow(0);
    ASSERT_TRUE(Control(1, "Edit", Visible | WS_TABSTOP));
    ASSERT_TRUE(Control(2, "Edit", Visible | WS_TABSTOP));
    WindowForegroundMake(window);
    SetFocus(WidgetLookup(1)->Handle);
    EventsDrain();
    const std::vector<Seen> seen = Type(VK_TAB);
    ASSERT_FALSE(seen.empty());
    // The dispatch that moved the focus reports the new field's own focus notification.
    EXPECT_EQ(seen[0].kind, EventKindWidget);
    EXPECT_EQ(seen[0].widget, 2);
    EXPECT_EQ(seen[0].subtype, EN_SETFOCUS);
    EXPECT_EQ(Focused(), 2);
}

TEST_F(FocusTest, OneTabStopKeepsTheFocusBothWays) {
    HWND window = OpenWindow(1);
    ASSERT_TRUE(Control(1, "Edit", Visible | WS_TABSTOP));
    ASSERT_TRUE(Control(2, "Static", Visible));
    WindowForegroundMake(window);
    SetFocus(WidgetLookup(1)->Handle);
    Type(VK_TAB);
    EXPECT_EQ(Focused(), 1);
    Type(VK_TAB, true);
    EXPECT_EQ(Focused(), 1);
}

TEST_F(FocusTest, FocusOnANonTabStopStaysOnTabAndGoesLastOnShiftTab) {
    HWND window = OpenWindow(0);
    ASSERT_TRUE(Control(1, "Edit", Visible | WS_TABSTOP));
    ASSERT_TRUE(Control(2, "Edit", Visible));
    ASSERT_TRUE(Control(3, "Edit", Visible | WS_TABSTOP));
    WindowForegroundMake(window);
    SetFocus(WidgetLookup(2)->Handle);
    Type(VK_TAB);
    EXPECT_EQ(Focused(), 2);
    Type(VK_TAB, true);
    EXPECT_EQ(Focused(), 3);
}

TEST_F(FocusTest, ControlTabReachesTheControlAsAKeyPress) {
    HWND window = OpenWindow(0);
    HWND first = Control(1, "Edit", Visible | WS_TABSTOP);
    ASSERT_TRUE(Control(2, "Edit", Visible | WS_TABSTOP));
    framework = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrA(first, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(TabCounting)));
    WindowForegroundMake(window);
    SetFocus(first);
    Type(VK_TAB, false, true);
    EXPECT_EQ(Focused(), 1);
    EXPECT_EQ(tabKeysSeen, 1);
    Type(VK_TAB); // a plain Tab is taken by the accelerator
    EXPECT_EQ(Focused(), 2);
    EXPECT_EQ(tabKeysSeen, 1);
}

TEST_F(FocusTest, WritableRichEditTakesPlainTabReadOnlyOneDoesNot) {
    ASSERT_TRUE(LoadLibraryA("RICHED20.DLL"));
    HWND window = OpenWindow(0);
    ASSERT_TRUE(Control(1, "Edit", Visible | WS_TABSTOP));
    HWND writable = Control(2, "RichEdit20A", Visible | WS_TABSTOP | ES_MULTILINE | ES_WANTRETURN);
    HWND readOnly = Control(3, "RichEdit20A", Visible | WS_TABSTOP | ES_MULTILINE | ES_READONLY);
    ASSERT_TRUE(Control(4, "Edit", Visible | WS_TABSTOP));
    ASSERT_TRUE(writable && readOnly);
    WindowForegroundMake(window);

    SetFocus(writable);
    Type(VK_TAB);
    EXPECT_EQ(Focused(), 2);
    EXPECT_EQ(WidgetGetText(2), "\t");
    Type(VK_TAB, true);
    EXPECT_EQ(Focused(), 1);

    SetFocus(readOnly);
    Type(VK_TAB);
    EXPECT_EQ(Focused(), 4);
}

} // namespace
