// Windows and the event stream, with real windows and real messages.
#include "support/WinTestUtil_win32.h"

#include <gtest/gtest.h>

namespace {

// Counts what the owner window offers the kind; answers WM_COMMAND with `answer`.
int parentMessages = 0;
LRESULT answer = NotHandled;
const WidgetKind countingKind = [] {
    WidgetKind kind = {};
    kind.Kind = 1;
    kind.RecordSize = WidgetRecordSize;
    kind.OnParentMessage = [](WidgetRecord*, HWND, UINT message, WPARAM, LPARAM) {
        return message == WM_COMMAND ? (++parentMessages, answer) : NotHandled;
    };
    return kind;
}();

RECT Frame(HWND window) {
    RECT frame = {};
    GetWindowRect(window, &frame);
    return frame;
}

// That a close is only reported shows in the program's end-to-end tests (the close box with
// help open closes only help).
TEST(WindowEvents, FlushDropsEventsAndControlsAskTheirOwnKindFirst) {
    HWND window = TestWindowOpen(0, 50, 50, 300, 200, 0);
    EventsDrain();
    PostMessageA(window, WM_COMMAND, 9, 0);
    MessagesFlush(); // drops what the waiting message reported
    EXPECT_EQ(EventWaitTimeout(0), EventNone);
    WidgetListBegin(window);
    HWND button =
        TestControlCreate(14, &countingKind, "Button", WS_CHILD | WS_VISIBLE, 10, 10, 80, 24);
    TestControlCreate(0, &countingKind, "Button", WS_CHILD | WS_VISIBLE, 10, 40, 80, 24);
    // A plain control with id 0 and no "GT_ID" property: it reads like widget 0's property.
    HWND foreign = CreateWindowExA(0, "Button", "x", WS_CHILD | WS_VISIBLE, 10, 70, 80, 24, window,
                                   nullptr, GetModuleHandleA(nullptr), nullptr);
    EventsDrain();
    const struct {
        HWND control;
        LRESULT answer; // 0: the kind handles the notification itself, no event
        int id, offered;
    } clicks[] = {{button, NotHandled, 14, 1}, {foreign, NotHandled, 0, 1}, {button, 0, -1, 2}};
    for (const auto& c : clicks) {
        answer = c.answer;
        PostMessageA(c.control, BM_CLICK, 0, 0);
        EXPECT_EQ(EventsHave(EventsDrain(), EventKindWidget), c.id >= 0) << c.id;
        EXPECT_EQ(c.id >= 0 ? EventWidgetId() : -1, c.id);
        EXPECT_EQ(parentMessages, c.offered) << c.id;
    }
    WindowCloseAll();
}

TEST(WindowLifetime, ReopeningANumberClosesTheOldWindowAndItsWidgetsAndCentresOnTheActive) {
    HWND first = TestWindowOpen(1, 30, 40, 300, 200, 0);
    WidgetListBegin(first);
    TestControlCreate(101, nullptr, "Edit", WS_CHILD | WS_VISIBLE, 5, 5, 100, 20, "old");
    SetActiveWindow(nullptr); // nothing to centre on
    HWND second = TestWindowOpen(1, IgnoreValue, IgnoreValue, 300, 200, WindowCenteredOnParent);
    EXPECT_FALSE(IsWindow(first));
    EXPECT_EQ(WidgetGetText(101), "");
    const RECT placed = Frame(second); // a coordinate not given must not reach the screen
    EXPECT_TRUE(placed.left > -1000 && placed.top > -1000);
    EXPECT_EQ(WindowClientWidth(1), 300);

    HWND main = TestWindowOpen(0, 100, 120, 600, 400, 0xCA0000);
    ASSERT_TRUE(WindowForegroundMake(main));
    HWND help = TestWindowOpen(1, IgnoreValue, IgnoreValue, 200, 100, WindowCenteredOnParent);
    const RECT outer = Frame(main), inner = Frame(help);
    EXPECT_NEAR((outer.left + outer.right) / 2, (inner.left + inner.right) / 2, 1);
    EXPECT_NEAR((outer.top + outer.bottom) / 2, (inner.top + inner.bottom) / 2, 1);
    WindowCloseAll();
    EXPECT_FALSE(IsWindow(help));
    EXPECT_EQ(WindowClientWidth(1), 0);
}

} // namespace
