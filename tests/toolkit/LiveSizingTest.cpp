// Sizing windows inside the event loop with the keyboard (the Size command).
#include "toolkit/LiveSizing.h"
#include "support/WinTestUtil_win32.h"

#include <gtest/gtest.h>

namespace {

const POINT MinTrack = {250, 150}, MaxTrack = {400, 300};

WNDPROC toolkitProcedure = nullptr;
LRESULT CALLBACK Limited(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    const LRESULT result = CallWindowProcA(toolkitProcedure, window, message, wParam, lParam);
    if (message == WM_GETMINMAXINFO) {
        reinterpret_cast<MINMAXINFO*>(lParam)->ptMinTrackSize = MinTrack;
        reinterpret_cast<MINMAXINFO*>(lParam)->ptMaxTrackSize = MaxTrack;
    }
    return result;
}

SIZE Size(HWND window) {
    RECT frame = {};
    GetWindowRect(window, &frame);
    return {frame.right - frame.left, frame.bottom - frame.top};
}

// Whether the event loop saw a size change while the key was pressed.
bool Press(WORD key, int times = 1) {
    bool sized = false;
    for (int i = 0; i < times; ++i) {
        InputKey(key);
        sized = EventsHave(EventsOfInput(), EventSizeWindow) || sized;
    }
    return sized;
}

TEST(LiveSizing, KeyboardSizingStepsTenPixelsWithinTheTrackingLimits) {
    HWND window = TestWindowOpen(0, 100, 100, 300, 200, WS_OVERLAPPEDWINDOW);
    ASSERT_TRUE(window);
    toolkitProcedure = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrA(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(Limited)));
    SystemParametersInfoA(SPI_SETDRAGFULLWINDOWS, TRUE, nullptr, 0);
    WindowForegroundMake(window);
    // A focused field would take the arrow keys for itself: sizing borrows the focus.
    WidgetListBegin(window);
    HWND field = TestControlCreate(1, nullptr, "Edit", WS_CHILD | WS_VISIBLE, 10, 10, 100, 20, "x");
    ASSERT_TRUE(field);
    SetFocus(field);
    SetCursorPos(700, 650);
    const LONG width = Size(window).cx;
    PostMessageA(window, WM_SYSCOMMAND, SC_SIZE, 0);
    EventsDrain();
    Press(VK_RIGHT); // picks the right edge; no size change yet
    EXPECT_EQ(Size(window).cx, width);
    EXPECT_TRUE(Press(VK_RIGHT, 2)) << "the loop sees the sizing as it goes";
    EXPECT_EQ(Size(window).cx, width + 20);
    Press(VK_LEFT, 20);
    EXPECT_EQ(Size(window).cx, MinTrack.x);
    Press(VK_RIGHT, 40); // the cursor went on past the limit and comes back first
    EXPECT_EQ(Size(window).cx, MaxTrack.x);
    Press(VK_DOWN, 30); // the right edge becomes the bottom-right corner
    EXPECT_EQ(Size(window).cy, MaxTrack.y);

    Press(VK_RETURN);
    POINT cursor;
    GetCursorPos(&cursor);
    EXPECT_TRUE(cursor.x == 700 && cursor.y == 650) << "the cursor goes back";
    EXPECT_EQ(GetFocus(), field) << "the focus goes back";
    Press(VK_LEFT, 2); // no longer sizing
    EXPECT_EQ(Size(window).cx, MaxTrack.x);
    EXPECT_EQ(GetCapture(), nullptr);

    HWND fixed = TestWindowOpen(1, 100, 100, 300, 200, 0xCA0000);
    WindowForegroundMake(fixed);
    EXPECT_EQ(LiveSizing(fixed, WM_SYSCOMMAND, SC_SIZE, 0), NotHandled);
    const LONG fixedWidth = Size(fixed).cx;
    Press(VK_RIGHT, 3);
    EXPECT_EQ(Size(fixed).cx, fixedWidth);
    EXPECT_EQ(GetCapture(), nullptr);
    WindowCloseAll();
}

} // namespace
