// Sizing windows inside the event loop, by keyboard (the Size command) and by mouse.
#include "support/WinTestUtil_win32.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

const SIZE MinTrack = {250, 150};
const SIZE MaxTrack = {400, 300};

WNDPROC toolkitProcedure = nullptr;
LRESULT CALLBACK Limited(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    const LRESULT result = CallWindowProcA(toolkitProcedure, window, message, wParam, lParam);
    if (message == WM_GETMINMAXINFO) {
        reinterpret_cast<MINMAXINFO*>(lParam)->ptMinTrackSize = {MinTrack.cx, MinTrack.cy};
        reinterpret_cast<MINMAXINFO*>(lParam)->ptMaxTrackSize = {MaxTrack.cx, MaxTrack.cy};
    }
    return result;
}

RECT Frame(HWND window) {
    RECT frame = {};
    GetWindowRect(window, &frame);
    return frame;
}
LONG Width(HWND window) {
    return Frame(window).right - Frame(window).left;
}
LONG Height(HWND window) {
    return Frame(window).bottom - Frame(window).top;
}

// A move the way the mouse makes it: SetCursorPos alone produces no mouse message here.
void Mouse(DWORD flags, int x = 0, int y = 0) {
    INPUT input = {};
    input.type = INPUT_MOUSE;
    input.mi.dx = (x * 65536 + GetSystemMetrics(SM_CXSCREEN) - 1) / GetSystemMetrics(SM_CXSCREEN);
    input.mi.dy = (y * 65536 + GetSystemMetrics(SM_CYSCREEN) - 1) / GetSystemMetrics(SM_CYSCREEN);
    input.mi.dwFlags = flags;
    SendInput(1, &input, sizeof input);
    EventsPump(100);
}

// Presses the key `times` times; the events the loop saw meanwhile.
std::vector<int> Press(WORD key, int times = 1) {
    std::vector<int> events;
    for (int i = 0; i < times; ++i) {
        InputKey(key);
        for (int kind : EventsPump(60))
            events.push_back(kind);
    }
    return events;
}

class LiveSizingTest : public ::testing::Test {
  protected:
    // One resizable window for all tests: every closed window costs seconds under Wine.
    static void SetUpTestSuite() {
        ToolkitTestInit();
        HWND window = reinterpret_cast<HWND>(
            WindowOpen(0, 100, 100, 300, 200, "size", WS_OVERLAPPEDWINDOW, nullptr));
        toolkitProcedure = reinterpret_cast<WNDPROC>(
            SetWindowLongPtrA(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(Limited)));
    }
    static void TearDownTestSuite() { WindowCloseAll(); }
    void SetUp() override {
        SystemParametersInfoA(SPI_GETDRAGFULLWINDOWS, 0, &fullDrag, 0);
        SystemParametersInfoA(SPI_SETDRAGFULLWINDOWS, TRUE, nullptr, 0);
        ASSERT_TRUE(window);
        SetWindowPos(window, nullptr, 100, 100, 320, 230, SWP_NOZORDER);
        WindowForegroundMake(window);
    }
    void TearDown() override {
        SystemParametersInfoA(SPI_SETDRAGFULLWINDOWS, fullDrag, nullptr, 0);
    }
    HWND window = WindowNativeHandle(0);
    BOOL fullDrag = TRUE;
};

TEST_F(LiveSizingTest, KeyboardSizingStepsTenPixelsWithinTheTrackingLimits) {
    SetCursorPos(700, 650);
    const LONG width = Width(window);
    PostMessageA(window, WM_SYSCOMMAND, SC_SIZE, 0);
    EventsPump(60);
    Press(VK_RIGHT); // picks the right edge; no size change yet
    EXPECT_EQ(Width(window), width);
    for (int step = 1; step <= 3; ++step) {
        const std::vector<int> events = Press(VK_RIGHT);
        EXPECT_EQ(Width(window), width + 10 * step) << step;
        EXPECT_TRUE(EventsHave(events, EventSizeWindow)) << "the loop sees the sizing as it goes";
    }
    Press(VK_LEFT, 20);
    EXPECT_EQ(Width(window), MinTrack.cx);
    Press(VK_RIGHT, 40); // the cursor went on past the limit and comes back first
    EXPECT_EQ(Width(window), MaxTrack.cx);
    Press(VK_DOWN); // the right edge becomes the bottom-right corner
    const LONG height = Height(window);
    Press(VK_DOWN, 2);
    EXPECT_EQ(Height(window), height + 20);
    Press(VK_DOWN, 30);
    EXPECT_EQ(Height(window), MaxTrack.cy);
    EXPECT_EQ(Width(window), MaxTrack.cx);

    Press(VK_RETURN);
    POINT cursor;
    GetCursorPos(&cursor);
    EXPECT_EQ(cursor.x, 700);
    EXPECT_EQ(cursor.y, 650);
    Press(VK_LEFT, 2); // no longer sizing
    EXPECT_EQ(Width(window), MaxTrack.cx);
    EXPECT_EQ(GetCapture(), nullptr);
}

TEST_F(LiveSizingTest, EscapeKeepsTheSizeReachedAndTopLeftCornerMovesBothEdges) {
    // A focused field would take the arrow keys for itself; sizing borrows the focus.
    WidgetListBegin(window);
    HWND field = reinterpret_cast<HWND>(TestControlCreate(
        1, nullptr, "Edit", WS_CHILD | WS_VISIBLE | WS_TABSTOP, 10, 10, 100, 20, "x"));
    ASSERT_TRUE(field);
    SetFocus(field);
    const RECT before = Frame(window);
    PostMessageA(window, WM_SYSCOMMAND, SC_SIZE, 0);
    EventsPump(60);
    Press(VK_UP);   // top edge
    Press(VK_LEFT); // top-left corner
    Press(VK_UP, 2);
    Press(VK_LEFT, 2);
    Press(VK_ESCAPE);
    const RECT after = Frame(window);
    const RECT expected = {before.left - 20, before.top - 20, before.right, before.bottom};
    EXPECT_TRUE(EqualRect(&after, &expected));
    EXPECT_EQ(GetFocus(), field);
}

TEST_F(LiveSizingTest, MouseSizingFollowsTheMouseUntilTheButtonIsReleased) {
    const RECT frame = Frame(window);
    const int y = (frame.top + frame.bottom) / 2;
    Mouse(MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE, frame.right - 30, y);
    Mouse(MOUSEEVENTF_LEFTDOWN);
    // What the system sends when the right border is grabbed.
    PostMessageA(window, WM_SYSCOMMAND, SC_SIZE | WMSZ_RIGHT, 0);
    EventsPump(60);
    Mouse(MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE, frame.right + 40, y);
    const RECT during = Frame(window);
    EXPECT_EQ(during.right, frame.right + 40 + 2);
    EXPECT_EQ(during.left, frame.left);
    Mouse(MOUSEEVENTF_LEFTUP);
    EXPECT_EQ(GetCapture(), nullptr);
    Mouse(MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE, frame.right + 80, y);
    EXPECT_EQ(Frame(window).right, during.right);
}

TEST_F(LiveSizingTest, TheSystemSizesWithoutFullWindowDraggingOrSizingBorder) {
    SystemParametersInfoA(SPI_SETDRAGFULLWINDOWS, FALSE, nullptr, 0);
    EXPECT_EQ(LiveSizing(window, WM_SYSCOMMAND, SC_SIZE, 0), NotHandled);
    EXPECT_EQ(GetCapture(), nullptr);
    SystemParametersInfoA(SPI_SETDRAGFULLWINDOWS, TRUE, nullptr, 0);

    HWND fixed =
        reinterpret_cast<HWND>(WindowOpen(1, 100, 100, 300, 200, "fixed", 0xCA0000, nullptr));
    ASSERT_TRUE(fixed);
    WindowForegroundMake(fixed);
    EXPECT_EQ(LiveSizing(fixed, WM_SYSCOMMAND, SC_SIZE, 0), NotHandled);
    const LONG width = Width(fixed);
    Press(VK_RIGHT, 3);
    EXPECT_EQ(Width(fixed), width);
    EXPECT_EQ(GetCapture(), nullptr);
}

} // namespace
