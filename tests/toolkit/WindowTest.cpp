// Windows and the event stream, with real windows and real messages.
#include "support/WinTestUtil_win32.h"

#include <gtest/gtest.h>

namespace {

// Counts what the owner window offers the kind; answers WM_COMMAND with `answer`.
int parentMessages = 0;
LRESULT answer = NotHandled;
LRESULT CountingParentMessage(WidgetRecord*, HWND, UINT message, WPARAM, LPARAM) {
    return message == WM_COMMAND ? (++parentMessages, answer) : NotHandled;
}
const WidgetKind countingKind = [] {
    WidgetKind kind = {};
    kind.Kind = 1;
    kind.RecordSize = WidgetRecordSize;
    kind.OnParentMessage = CountingParentMessage;
    return kind;
}();

HWND Open(int number, int x, int y, int width, int height, unsigned flags) {
    return reinterpret_cast<HWND>(WindowOpen(number, x, y, width, height, "test", flags, nullptr));
}

RECT Frame(HWND window) {
    RECT frame = {};
    GetWindowRect(window, &frame);
    return frame;
}

class WindowEvents : public ::testing::Test {
  protected:
    static void SetUpTestSuite() {
        ToolkitTestInit();
        Open(0, 50, 50, 300, 200, 0xCA0000); // caption, system menu, minimise box
    }
    static void TearDownTestSuite() { WindowCloseAll(); }
    void SetUp() override { EventsDrain(); }
    HWND window = WindowNativeHandle(0);
};

TEST_F(WindowEvents, CloseIsReportedAndLeavesTheWindowOpen) {
    PostMessageA(window, WM_SYSCOMMAND, SC_CLOSE, 0);
    EXPECT_EQ(EventWaitTimeout(2000), static_cast<int>(WM_SYSCOMMAND));
    EXPECT_EQ(EventWaitTimeout(0), EventKindClose);
    EXPECT_TRUE(IsWindow(window));
}

TEST_F(WindowEvents, SizesAndMovesComeOncePerBurstAndNotWhenMinimised) {
    const UINT quiet = SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOREDRAW;
    SetWindowPos(window, nullptr, 0, 0, 320, 220, quiet | SWP_NOMOVE);
    SetWindowPos(window, nullptr, 0, 0, 340, 240, quiet | SWP_NOMOVE);
    EXPECT_EQ(EventWaitTimeout(0), EventSizeWindow);
    EXPECT_NE(EventWaitTimeout(0), EventSizeWindow);
    EventsDrain();
    SetWindowPos(window, nullptr, 0, 0, 360, 260, quiet | SWP_NOMOVE);
    SetWindowPos(window, nullptr, 80, 90, 0, 0, quiet | SWP_NOSIZE);
    EXPECT_EQ(EventWaitTimeout(0), EventSizeWindow);
    EXPECT_EQ(EventWaitTimeout(0), EventMoveWindow);

    ShowWindow(window, SW_MINIMIZE);
    EXPECT_FALSE(EventsHave(EventsDrain(), EventSizeWindow)); // sizes come while showing
    ShowWindow(window, SW_RESTORE);
    EXPECT_TRUE(EventsHave(EventsDrain(), EventSizeWindow));
}

TEST_F(WindowEvents, IdleWaitEndsEmptyAndFlushDropsWhatWasWaiting) {
    EXPECT_EQ(EventWaitTimeout(100), EventNone);
    PostMessageA(window, WM_COMMAND, 9, 0);
    MessagesFlush(); // drops what the waiting message reported
    EXPECT_EQ(EventWaitTimeout(0), EventNone);
}

TEST_F(WindowEvents, ControlNotificationsGoToTheirOwnKindFirst) {
    WidgetListBegin(window);
    HWND button = reinterpret_cast<HWND>(
        TestControlCreate(14, &countingKind, "Button", WS_CHILD | WS_VISIBLE, 10, 10, 80, 24));
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
}

TEST(WindowLifetime, ReopeningANumberClosesTheOldWindowAndItsWidgets) {
    ToolkitTestInit();
    HWND first = Open(1, 30, 40, 300, 200, 0);
    WidgetListBegin(first);
    TestControlCreate(101, nullptr, "Edit", WS_CHILD | WS_VISIBLE, 5, 5, 100, 20, "old");

    SetActiveWindow(nullptr); // nothing to centre on
    HWND second = Open(1, IgnoreValue, IgnoreValue, 300, 200, WindowCenteredOnParent);
    EXPECT_FALSE(IsWindow(first));
    EXPECT_EQ(WidgetGetText(101), "");
    const RECT placed = Frame(second); // a coordinate not given must not reach the screen
    EXPECT_TRUE(placed.left > -1000 && placed.top > -1000);
    EXPECT_EQ(WindowClientWidth(1), 300);
    WindowCloseAll();
    EXPECT_FALSE(IsWindow(second));
    EXPECT_EQ(WindowClientWidth(1), 0);
}

TEST(WindowLifetime, CentredOnTheScreenOrOnTheActiveWindow) {
    ToolkitTestInit();
    HWND big = Open(2, 0, 0, 5000, 4000, WindowCentered);
    const RECT screen = {0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
    const RECT frame = Frame(big);
    EXPECT_TRUE(EqualRect(&screen, &frame)); // larger than the screen: exactly the screen

    HWND main = Open(0, 100, 120, 600, 400, 0xCA0000);
    WindowForegroundMake(main);
    ASSERT_EQ(GetActiveWindow(), main);
    HWND help = Open(1, IgnoreValue, IgnoreValue, 200, 100, WindowCenteredOnParent);
    const RECT outer = Frame(main), inner = Frame(help);
    EXPECT_NEAR((outer.left + outer.right) / 2, (inner.left + inner.right) / 2, 1);
    EXPECT_NEAR((outer.top + outer.bottom) / 2, (inner.top + inner.bottom) / 2, 1);
}

} // namespace
