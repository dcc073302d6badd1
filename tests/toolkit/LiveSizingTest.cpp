// Sizing windows inside the event loop, by keyboard (the Size command) and by mouse.
#include "support/WinTestUtil_win32.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

const unsigned Resizable = WS_OVERLAPPEDWINDOW;
const unsigned Fixed = 0xCA0000;
const SIZE MinTrack = {250, 150};
const SIZE MaxTrack = {400, 300};

WNDPROC toolkitProcedure = nullptr;
LRESULT CALLBACK Limited(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    const LRESULT result = CallWindowProcA(toolkitProcedure, window, message, wParam, lParam);
    if (message == WM_GETMINMAXINFO) {
        MINMAXINFO* limits = reinterpret_cast<MINMAXINFO*>(lParam);
        limits->ptMinTrackSize = {MinTrack.cx, MinTrack.cy};
        limits->ptMaxTrackSize = {MaxTrack.cx, MaxTrack.cy};
    }
    return result;
}

SIZE WindowSize(HWND window) {
    RECT frame;
    GetWindowRect(window, &frame);
    return {frame.right - frame.left, frame.bottom - frame.top};
}

// A move the way the mouse makes it: SetCursorPos alone produces no mouse message here.
void MouseMove(int x, int y) {
    INPUT input = {};
    input.type = INPUT_MOUSE;
    input.mi.dx = (x * 65536 + GetSystemMetrics(SM_CXSCREEN) - 1) / GetSystemMetrics(SM_CXSCREEN);
    input.mi.dy = (y * 65536 + GetSystemMetrics(SM_CYSCREEN) - 1) / GetSystemMetrics(SM_CYSCREEN);
    input.mi.dwFlags = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE;
    SendInput(1, &input, sizeof input);
}

void MouseButton(bool down) {
    INPUT input = {};
    input.type = INPUT_MOUSE;
    input.mi.dwFlags = down ? MOUSEEVENTF_LEFTDOWN : MOUSEEVENTF_LEFTUP;
    SendInput(1, &input, sizeof input);
}

class LiveSizingTest : public ::testing::Test {
  protected:
    void SetUp() override {
        ToolkitTestInit();
        SystemParametersInfoA(SPI_GETDRAGFULLWINDOWS, 0, &fullDrag, 0);
        SystemParametersInfoA(SPI_SETDRAGFULLWINDOWS, TRUE, nullptr, 0);
    }
    void TearDown() override {
        SystemParametersInfoA(SPI_SETDRAGFULLWINDOWS, fullDrag, nullptr, 0);
        WindowCloseAll();
        EventsDrain();
    }
    HWND Open(unsigned style) {
        HWND window =
            reinterpret_cast<HWND>(WindowOpen(0, 100, 100, 300, 200, "size", style, nullptr));
        if (!window)
            return nullptr;
        toolkitProcedure = reinterpret_cast<WNDPROC>(
            SetWindowLongPtrA(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(Limited)));
        WindowForegroundMake(window);
        return window;
    }
    std::vector<int> Press(WORD key, int times = 1) {
        std::vector<int> events;
        for (int i = 0; i < times; ++i) {
            InputKey(key);
            for (int kind : EventsPump(60))
                events.push_back(kind);
        }
        return events;
    }
    BOOL fullDrag = TRUE;
};

TEST_F(LiveSizingTest, KeyboardSizingStepsTenPixelsWithinTheTrackingLimits) {
    HWND window = Open(Resizable);
    ASSERT_TRUE(window);
    SetCursorPos(700, 650);
    const SIZE start = WindowSize(window);
    PostMessageA(window, WM_SYSCOMMAND, SC_SIZE, 0);
    EventsPump(60);

    Press(VK_RIGHT); // picks the right edge; no size change yet
    EXPECT_EQ(WindowSize(window).cx, start.cx);
    for (int step = 1; step <= 3; ++step) {
        const std::vector<int> events = Press(VK_RIGHT);
        EXPECT_EQ(WindowSize(window).cx, start.cx + 10 * step) << step;
        EXPECT_TRUE(EventsHave(events, EventSizeWindow)) << "the loop sees the sizing as it goes";
    }
    Press(VK_LEFT, 20);
    EXPECT_EQ(WindowSize(window).cx, MinTrack.cx);
    Press(VK_RIGHT, 40); // the cursor went on past the limit and comes back first
    EXPECT_EQ(WindowSize(window).cx, MaxTrack.cx);

    Press(VK_DOWN); // the right edge becomes the bottom-right corner
    const LONG height = WindowSize(window).cy;
    Press(VK_DOWN, 2);
    EXPECT_EQ(WindowSize(window).cy, height + 20);
    Press(VK_DOWN, 30);
    EXPECT_EQ(WindowSize(window).cy, MaxTrack.cy);
    EXPECT_EQ(WindowSize(window).cx, MaxTrack.cx);

    Press(VK_RETURN);
    POINT cursor;
    GetCursorPos(&cursor);
    EXPECT_EQ(cursor.x, 700);
    EXPECT_EQ(cursor.y, 650);
    const SIZE reached = WindowSize(window);
    Press(VK_LEFT, 2); // no longer sizing
    EXPECT_EQ(WindowSize(window).cx, reached.cx);
    EXPECT_EQ(GetCapture(), nullptr);
}

TEST_F(LiveSizingTest, EscapeKeepsTheSizeReachedAndTopLeftCornerMovesBothEdges) {
    HWND window = Open(Resizable);
    ASSERT_TRUE(window);
    // A focused field would take the arrow keys for itself; sizing borrows the focus.
    WidgetListBegin(window);
    HWND field = reinterpret_cast<HWND>(TestControlCreate(
        1, nullptr, "Edit", WS_CHILD | WS_VISIBLE | WS_TABSTOP, 10, 10, 100, 20, "x"));
    ASSERT_TRUE(field);
    SetFocus(field);
    RECT before;
    GetWindowRect(window, &before);
    PostMessageA(window, WM_SYSCOMMAND, SC_SIZE, 0);
    EventsPump(60);
    Press(VK_UP);   // top edge
    Press(VK_LEFT); // top-left corner
    Press(VK_UP, 2);
    Press(VK_LEFT, 2);
    Press(VK_ESCAPE);
    RECT after;
    GetWindowRect(window, &after);
    EXPECT_EQ(after.top, before.top - 20);
    EXPECT_EQ(after.left, before.left - 20);
    EXPECT_EQ(after.right, before.right);
    EXPECT_EQ(after.bottom, before.bottom);
    EXPECT_EQ(GetFocus(), field);
}

TEST_F(LiveSizingTest, MouseSizingFollowsTheMouseUntilTheButtonIsReleased) {
    HWND window = Open(Resizable);
    ASSERT_TRUE(window);
    RECT frame;
    GetWindowRect(window, &frame);
    const int y = (frame.top + frame.bottom) / 2;
    MouseMove(frame.right - 30, y);
    MouseButton(true);
    EventsPump(60);
    // What the system sends when the right border is grabbed.
    PostMessageA(window, WM_SYSCOMMAND, SC_SIZE | WMSZ_RIGHT, 0);
    EventsPump(60);
    MouseMove(frame.right + 40, y);
    EventsPump(100);
    RECT during;
    GetWindowRect(window, &during);
    EXPECT_EQ(during.right, frame.right + 40 + 2);
    EXPECT_EQ(during.left, frame.left);
    MouseButton(false);
    EventsPump(100);
    EXPECT_EQ(GetCapture(), nullptr);
    MouseMove(frame.right + 80, y);
    EventsPump(100);
    RECT after;
    GetWindowRect(window, &after);
    EXPECT_EQ(after.right, during.right);
}

TEST_F(LiveSizingTest, WindowWithoutSizingBorderNeverStartsSizing) {
    HWND window = Open(Fixed);
    ASSERT_TRUE(window);
    EXPECT_EQ(LiveSizing(window, WM_SYSCOMMAND, SC_SIZE, 0), NotHandled);
    const SIZE start = WindowSize(window);
    Press(VK_RIGHT, 3);
    EXPECT_EQ(WindowSize(window).cx, start.cx);
    EXPECT_EQ(GetCapture(), nullptr);
}

TEST_F(LiveSizingTest, WithoutFullWindowDraggingTheSystemSizes) {
    HWND window = Open(Resizable);
    ASSERT_TRUE(window);
    SystemParametersInfoA(SPI_SETDRAGFULLWINDOWS, FALSE, nullptr, 0);
    EXPECT_EQ(LiveSizing(window, WM_SYSCOMMAND, SC_SIZE, 0), NotHandled);
    EXPECT_EQ(GetCapture(), nullptr);
}

} // namespace
