// The image widget as a real static control in a real window, used with the mouse.
#include "toolkit/ImageWidget.h"

#include "toolkit/Gdi.h"

#include "support/WinTestUtil_win32.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

const int Image = 30;
const COLORREF Red = RGB(220, 0, 0);

HBITMAP RedBitmap(int width, int height) {
    const std::vector<DWORD> pixels(size_t(width) * height, 0xDC0000); // 0x00RRGGBB
    return CreateBitmap(width, height, 1, 32, pixels.data());
}

int Handle(HANDLE image) {
    return static_cast<int>(reinterpret_cast<intptr_t>(image));
}

void Mouse(DWORD flags) {
    INPUT input = {};
    input.type = INPUT_MOUSE;
    input.mi.dwFlags = flags;
    SendInput(1, &input, sizeof input);
}

class ImageWidget : public ::testing::Test {
  protected:
    static void SetUpTestSuite() { WidgetTestWindow(5, 600, 200); }
    static void TearDownTestSuite() { WindowClose(5); }
    void SetUp() override { ASSERT_NE(WindowNativeHandle(5), nullptr); }
    void TearDown() override {
        ImageWidgetCreate(Image, 10, 10, 520, 45, nullptr); // lets go of the test's images
        EventsDrain();
    }
    const GdiObject<HBITMAP> owned{RedBitmap(300, 40)};
    HBITMAP bitmap = owned.Get();
    HWND Control() { return WidgetLookup(Image)->Handle; }
    SIZE Size() {
        RECT r;
        GetWindowRect(Control(), &r);
        return {r.right - r.left, r.bottom - r.top};
    }
    COLORREF Shown(int x, int y, COLORREF expected) {
        PumpUntil([=] { return ClientPixel(Control(), x, y) == expected; });
        return ClientPixel(Control(), x, y);
    }
    void MoveTo(int x, int y) {
        const POINT p = ClientToScreenPoint(Control(), x, y);
        SetCursorPos(p.x, p.y);
    }
    int DragStarts() {
        int count = 0;
        for (const auto& event : WidgetEventsOfInput())
            count += event == std::make_pair(Image, SubtypeDragStart);
        return count;
    }
};

TEST_F(ImageWidget, TakesTheImageSizePlusTheClientEdge) {
    ASSERT_NE(ImageWidgetCreate(Image, 10, 10, 520, 45, bitmap, WS_EX_CLIENTEDGE), 0);
    EXPECT_EQ(Size().cx, 304);
    EXPECT_EQ(Size().cy, 44);
    EXPECT_EQ(WidgetGetState(Image), Handle(bitmap));
    // Taking the image away keeps the size it gave and shows the window behind.
    EXPECT_EQ(Shown(150, 20, Red), Red);
    WidgetSetState(Image, 0);
    EXPECT_EQ(Size().cx, 304);
    EXPECT_EQ(Shown(150, 20, GetSysColor(COLOR_BTNFACE)), GetSysColor(COLOR_BTNFACE));
}

TEST_F(ImageWidget, DragStartsOnceAndOnlyBeyondTheThreshold) {
    ASSERT_NE(ImageWidgetCreate(Image, 10, 10, 520, 45, bitmap), 0);
    const int cx = GetSystemMetrics(SM_CXDRAG);
    MoveTo(150, 20);
    Mouse(MOUSEEVENTF_LEFTDOWN);
    MoveTo(150 - cx, 20);
    EXPECT_EQ(DragStarts(), 0);
    MoveTo(150 - cx - 1, 20);
    EXPECT_EQ(DragStarts(), 1);
    MoveTo(150 - 3 * cx, 20);
    Mouse(MOUSEEVENTF_LEFTUP);
    EXPECT_EQ(DragStarts(), 0); // once only
    EXPECT_EQ(GetCapture(), nullptr);
}

TEST_F(ImageWidget, RightDoubleClickGivesOneClickThenTheDoubleClick) {
    ASSERT_NE(ImageWidgetCreate(Image, 10, 10, 520, 45, bitmap), 0);
    const POINT p = ClientToScreenPoint(Control(), 100, 20);
    InputRightClick(p.x, p.y);
    InputRightClick(p.x, p.y);
    const WidgetEvents expected = {{Image, SubtypeRightButtonClick},
                                   {Image, SubtypeRightDoubleClick}};
    EXPECT_EQ(WidgetEventsUntil(expected.size()), expected);
}

} // namespace
