// The image widget as a real static control in a real window, used with the mouse.
#include "toolkit/ImageWidget.h"

#include "toolkit/Gdi.h"

#include "support/WinTestUtil_win32.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

const int Image = 30;
const COLORREF Red = RGB(220, 0, 0);

class ImageWidget : public ::testing::Test {
  protected:
    static void SetUpTestSuite() { WidgetTestWindow(5, 600, 200); }
    static void TearDownTestSuite() { WindowClose(5); }
    void SetUp() override {
        const std::vector<DWORD> pixels(300 * 40, 0xDC0000); // 0x00RRGGBB
        owned = GdiObject<HBITMAP>(CreateBitmap(300, 40, 1, 32, pixels.data()));
        ASSERT_NE(ImageWidgetCreate(Image, 10, 10, 520, 45, owned.Get(), WS_EX_CLIENTEDGE), 0);
    }
    void TearDown() override {
        ImageWidgetCreate(Image, 10, 10, 520, 45, nullptr); // lets go of the test's image
        EventsDrain();
    }
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
    GdiObject<HBITMAP> owned;
};

TEST_F(ImageWidget, TakesTheImageSizePlusTheClientEdgeAndKeepsItWhenTheImageGoes) {
    EXPECT_EQ(Size().cx, 304);
    EXPECT_EQ(Size().cy, 44);
    EXPECT_EQ(WidgetGetState(Image), int(reinterpret_cast<intptr_t>(owned.Get())));
    EXPECT_EQ(Shown(150, 20, Red), Red);
    WidgetSetState(Image, 0); // shows the window behind
    EXPECT_EQ(Size().cx, 304);
    EXPECT_EQ(Shown(150, 20, GetSysColor(COLOR_BTNFACE)), GetSysColor(COLOR_BTNFACE));
}

// A press on the image must not keep the mouse once it is released.
TEST_F(ImageWidget, DragStartsOnceAndOnlyBeyondTheThreshold) {
    const int cx = GetSystemMetrics(SM_CXDRAG);
    // Where the mouse goes along the image, pressed at the first point and released at the
    // last, and the drag starts reported on the way there.
    const std::pair<int, int> moves[] = {{150, 0}, {150 - cx, 0}, {149 - cx, 1}, {150 - 3 * cx, 0}};
    for (size_t i = 0; i < std::size(moves); ++i) {
        const POINT p = ClientToScreenPoint(Control(), moves[i].first, 20);
        SetCursorPos(p.x, p.y);
        INPUT input = {};
        input.type = INPUT_MOUSE;
        input.mi.dwFlags = i == 0 ? MOUSEEVENTF_LEFTDOWN : i == 3 ? MOUSEEVENTF_LEFTUP : 0;
        SendInput(1, &input, sizeof input);
        int starts = 0;
        for (const auto& event : WidgetEventsOfInput())
            starts += event == std::make_pair(Image, SubtypeDragStart);
        EXPECT_EQ(starts, moves[i].second) << i;
    }
    EXPECT_EQ(GetCapture(), nullptr); // the press kept the mouse no longer than it lasted
}

} // namespace
