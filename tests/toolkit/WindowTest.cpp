// Windows and the event stream, with real windows and real messages.
#include "support/WinTestUtil_win32.h"

#include <gtest/gtest.h>

#include <string>

namespace {

// Counts what the owner window offers the kind; returns `answer` for WM_COMMAND.
int parentMessages = 0;
LRESULT answer = NotHandled;
LRESULT CountingParentMessage(WidgetRecord*, HWND, UINT message, WPARAM, LPARAM) {
    if (message != WM_COMMAND)
        return NotHandled;
    ++parentMessages;
    return answer;
}
WidgetKind CountingKind() {
    WidgetKind kind = {};
    kind.Kind = 1;
    kind.RecordSize = WidgetRecordSize;
    kind.OnParentMessage = CountingParentMessage;
    return kind;
}
const WidgetKind countingKind = CountingKind();

const unsigned FixedStyle = 0xCA0000; // caption, system menu, minimise box

class WindowTest : public ::testing::Test {
  protected:
    void SetUp() override {
        ToolkitTestInit();
        parentMessages = 0;
        answer = NotHandled;
    }
    void TearDown() override {
        WindowCloseAll();
        EventsDrain();
    }
    HWND Open(int number, int x = 50, int y = 50, unsigned flags = FixedStyle) {
        return reinterpret_cast<HWND>(WindowOpen(number, x, y, 300, 200, "test", flags, nullptr));
    }
};

TEST_F(WindowTest, CloseRequestReportsMessageThenCloseEventAndKeepsWindow) {
    HWND window = Open(0);
    ASSERT_TRUE(window);
    EventsDrain();
    PostMessageA(window, WM_SYSCOMMAND, SC_CLOSE, 0);
    EXPECT_EQ(EventWaitTimeout(2000), static_cast<int>(WM_SYSCOMMAND));
    EXPECT_EQ(EventWaitTimeout(0), EventKindClose);
    EXPECT_TRUE(IsWindow(window));
    EXPECT_EQ(WindowNativeHandle(0), window);
}

TEST_F(WindowTest, SizeAndMoveEventsQueueAndCollapse) {
    HWND window = Open(0);
    ASSERT_TRUE(window);
    EventsDrain();
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
    EXPECT_EQ(EventSubtype(), -1);
}

TEST_F(WindowTest, MinimisingGivesNoSizeEventRestoringGivesOne) {
    HWND window = Open(0);
    ASSERT_TRUE(window);
    EventsDrain();
    ShowWindow(window, SW_MINIMIZE);
    EXPECT_FALSE(EventsHave(EventsPump(100), EventSizeWindow));
    ShowWindow(window, SW_RESTORE);
    EXPECT_TRUE(EventsHave(EventsPump(100), EventSizeWindow));
}

TEST_F(WindowTest, TimedWaitsReturnNothingWhenIdle) {
    ASSERT_TRUE(Open(0));
    EventsPump(100);
    EXPECT_EQ(EventWaitTimeout(0), EventNone);
    EXPECT_EQ(EventWaitTimeout(100), EventNone);
}

TEST_F(WindowTest, WidgetMenuAndPostedEventsCarryNumberAndSubtype) {
    HWND window = Open(0);
    WidgetListBegin(window);
    HWND button = reinterpret_cast<HWND>(
        TestControlCreate(14, &countingKind, "Button", WS_CHILD | WS_VISIBLE, 10, 10, 80, 24));
    ASSERT_TRUE(button);
    EventsDrain();

    PostMessageA(button, BM_CLICK, 0, 0);
    EXPECT_TRUE(EventsHave(EventsPump(100), EventKindWidget));
    EXPECT_EQ(EventWidgetId(), 14);
    EXPECT_EQ(parentMessages, 1);

    PostMessageA(window, WM_COMMAND, 7, 0);
    EXPECT_EQ(EventWaitTimeout(1000), EventKindMenu);
    EXPECT_EQ(EventMenuId(), 7);
    EXPECT_EQ(EventWidgetId(), 7);

    WidgetPostEvent(button, SubtypeFocus);
    WidgetPostEvent(button, SubtypeLostFocus);
    EXPECT_EQ(EventWaitTimeout(1000), EventKindWidget);
    EXPECT_EQ(EventSubtype(), SubtypeFocus);
    EXPECT_EQ(EventWaitTimeout(1000), EventKindWidget);
    EXPECT_EQ(EventSubtype(), SubtypeLostFocus);
    EXPECT_EQ(EventWidgetId(), 14);

    answer = 0; // a kind that handles the notification itself suppresses the event
    PostMessageA(button, BM_CLICK, 0, 0);
    EXPECT_FALSE(EventsHave(EventsPump(100), EventKindWidget));
    EXPECT_EQ(parentMessages, 2);
}

TEST_F(WindowTest, ForeignControlWithAWidgetsIdIsNotOfferedToThatKind) {
    HWND window = Open(0);
    WidgetListBegin(window);
    ASSERT_TRUE(
        TestControlCreate(0, &countingKind, "Button", WS_CHILD | WS_VISIBLE, 10, 10, 80, 24));
    // A plain control with id 0 and no "GT_ID" property: it reads like widget 0's property.
    HWND foreign = CreateWindowExA(0, "Button", "x", WS_CHILD | WS_VISIBLE, 10, 40, 80, 24, window,
                                   nullptr, GetModuleHandleA(nullptr), nullptr);
    ASSERT_TRUE(foreign);
    EventsDrain();
    PostMessageA(foreign, BM_CLICK, 0, 0);
    EXPECT_TRUE(EventsHave(EventsPump(100), EventKindWidget));
    EXPECT_EQ(parentMessages, 0);
}

TEST_F(WindowTest, ReopeningANumberClosesTheOldWindowAndItsWidgets) {
    HWND first = Open(1);
    WidgetListBegin(first);
    ASSERT_TRUE(
        TestControlCreate(101, nullptr, "Edit", WS_CHILD | WS_VISIBLE, 5, 5, 100, 20, "old"));
    HWND second = Open(1);
    ASSERT_TRUE(second);
    EXPECT_FALSE(IsWindow(first));
    EXPECT_EQ(WindowNativeHandle(1), second);
    EXPECT_EQ(WidgetGetText(101), "");
    EXPECT_EQ(WidgetLookup(101), nullptr);

    WindowClose(1);
    EXPECT_FALSE(IsWindow(second));
    EXPECT_EQ(WindowClientWidth(1), 0);
    WindowClose(1); // closing twice does nothing
}

TEST_F(WindowTest, OpenSizesTheClientAreaAndCloseAllClosesEveryKind) {
    HWND window = Open(2);
    ASSERT_TRUE(window);
    RECT client;
    GetClientRect(window, &client);
    EXPECT_EQ(client.bottom, 200);
    EXPECT_EQ(WindowClientWidth(2), 300);
    char className[64] = "";

    const intptr_t automatic = WindowOpen(AutoNumber, 10, 10, 100, 100, nullptr, 0, nullptr);
    ASSERT_GE(automatic, AutoNumberFirst);
    HWND autoWindow = WindowNativeHandle(static_cast<int>(automatic));
    ASSERT_TRUE(autoWindow);
    GetClassNameA(autoWindow, className, sizeof className);
    EXPECT_EQ(std::string(className), "WindowClass_" + std::to_string(automatic));

    const intptr_t hidden = WindowOpen(3, 10, 10, 100, 100, "", WindowInvisible, nullptr);
    ASSERT_TRUE(hidden);
    EXPECT_FALSE(IsWindowVisible(reinterpret_cast<HWND>(hidden)));
    EXPECT_TRUE(GetWindowLongPtrA(reinterpret_cast<HWND>(hidden), GWL_STYLE) & WS_CAPTION);

    WindowCloseAll();
    EXPECT_FALSE(IsWindow(window));
    EXPECT_FALSE(IsWindow(autoWindow));
    EXPECT_EQ(WindowNativeHandle(static_cast<int>(automatic)), nullptr);
}

TEST_F(WindowTest, CentredLargerThanScreenFillsTheScreenExactly) {
    HWND window =
        reinterpret_cast<HWND>(WindowOpen(0, 0, 0, 5000, 4000, "big", WindowCentered, nullptr));
    ASSERT_TRUE(window);
    RECT frame;
    GetWindowRect(window, &frame);
    EXPECT_EQ(frame.left, 0);
    EXPECT_EQ(frame.top, 0);
    EXPECT_EQ(frame.right, GetSystemMetrics(SM_CXSCREEN));
    EXPECT_EQ(frame.bottom, GetSystemMetrics(SM_CYSCREEN));
}

TEST_F(WindowTest, CentredOnParentUsesTheActiveWindow) {
    HWND main =
        reinterpret_cast<HWND>(WindowOpen(0, 100, 120, 600, 400, "main", FixedStyle, nullptr));
    ASSERT_TRUE(main);
    WindowForegroundMake(main);
    ASSERT_EQ(GetActiveWindow(), main);
    HWND help = reinterpret_cast<HWND>(
        WindowOpen(1, IgnoreValue, IgnoreValue, 200, 100, "help", WindowCenteredOnParent, nullptr));
    ASSERT_TRUE(help);
    RECT outer, inner;
    GetWindowRect(main, &outer);
    GetWindowRect(help, &inner);
    EXPECT_NEAR((outer.left + outer.right) / 2, (inner.left + inner.right) / 2, 1);
    EXPECT_NEAR((outer.top + outer.bottom) / 2, (inner.top + inner.bottom) / 2, 1);
}

TEST_F(WindowTest, CentredOnParentWithNothingToCentreOnKeepsOrDefaultsThePosition) {
    SetActiveWindow(nullptr);
    if (GetActiveWindow())
        GTEST_SKIP() << "another window of the test is still active";
    HWND given = reinterpret_cast<HWND>(
        WindowOpen(1, 30, 40, 200, 100, "given", WindowCenteredOnParent, nullptr));
    ASSERT_TRUE(given);
    RECT frame;
    GetWindowRect(given, &frame);
    EXPECT_EQ(frame.left, 30);
    EXPECT_EQ(frame.top, 40);
    WindowClose(1);

    SetActiveWindow(nullptr);
    HWND missing = reinterpret_cast<HWND>(WindowOpen(1, IgnoreValue, IgnoreValue, 200, 100,
                                                     "missing", WindowCenteredOnParent, nullptr));
    ASSERT_TRUE(missing);
    GetWindowRect(missing, &frame);
    EXPECT_GT(frame.left, -1000) << "a coordinate that is not given must not reach the screen";
    EXPECT_GT(frame.top, -1000);
}

TEST_F(WindowTest, FlushDropsWhatTheWaitingMessagesReported) {
    HWND window = Open(0);
    ASSERT_TRUE(window);
    EventsDrain();
    PostMessageA(window, WM_COMMAND, 9, 0);
    MessagesFlush();
    EXPECT_EQ(EventWaitTimeout(0), EventNone);
}

} // namespace
