// Windows, the event stream and the widget framework (numbers, shared brushes, the image
// widget), with real windows and real messages.
#include "toolkit/Gdi.h"
#include "toolkit/ImageWidget.h"
#include "toolkit/Widgets.h"

#include "support/WinTestUtil_win32.h"

#include <gtest/gtest.h>

#include <vector>

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

int destroyed = 0; // OnDestroy calls

const WidgetKind fieldKind = [] {
    WidgetKind kind = {};
    kind.Kind = 2;
    kind.RecordSize = WidgetRecordSize;
    kind.OnDestroy = [](WidgetRecord* widget) {
        ++destroyed;
        StandardOnDestroy(widget);
    };
    kind.SetColor = StandardSetColor;
    kind.GetColor = StandardGetColor;
    return kind;
}();

HWND Field(int number, const char* text = "") {
    return TestControlCreate(number, &fieldKind, "Edit", WS_CHILD | WS_VISIBLE, 10,
                             10 + 30 * (number % 8), 200, 24, text);
}

TEST(Widget, SameNumberLeavesOneControlBrushesAreSharedAndAllEndWithTheWindow) {
    HWND window = WidgetTestWindow(0, 400, 300);
    EXPECT_EQ(WidgetOwnerWindow(Field(5, "abc")), window);
    HWND first = Field(14, "first");
    destroyed = 0;
    ASSERT_TRUE(Field(14, "second"));
    EXPECT_FALSE(IsWindow(first));
    EXPECT_EQ(destroyed, 1);
    int withId = 0;
    for (HWND child = GetWindow(window, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT))
        withId += GetDlgCtrlID(child) == 14;
    EXPECT_EQ(withId, 1);

    const int colour = 0xC0FFEE;
    for (int number : {21, 22, 23}) {
        ASSERT_TRUE(Field(number, "help"));
        WidgetSetColor(number, 2, colour);
    }
    HBRUSH brush = WidgetLookup(21)->BackBrush;
    EXPECT_EQ(WidgetLookup(22)->BackBrush, brush);
    EXPECT_EQ(BrushCacheCount(colour), 3);
    WidgetSetColor(22, 2, -1);
    EXPECT_EQ(BrushCacheCount(colour), 2);
    EXPECT_EQ(GetObjectType(brush), static_cast<DWORD>(OBJ_BRUSH));
    destroyed = 0;
    WindowClose(0);
    EXPECT_EQ(destroyed, 5);
    EXPECT_EQ(BrushCacheCount(colour), 0);
    EXPECT_EQ(GetObjectType(brush), 0u); // deleted
    EXPECT_EQ(WidgetLookup(23), nullptr);
}

TEST(ImageWidget, TakesTheImageSizePlusTheClientEdgeAndKeepsItWhenTheImageGoes) {
    WidgetTestWindow(5, 600, 200);
    const std::vector<DWORD> pixels(300 * 40, 0xDC0000); // 0x00RRGGBB
    const GdiObject<HBITMAP> owned(CreateBitmap(300, 40, 1, 32, pixels.data()));
    ASSERT_NE(ImageWidgetCreate(30, 10, 10, 520, 45, owned.Get(), WS_EX_CLIENTEDGE), 0);
    HWND control = WidgetLookup(30)->Handle;
    const auto shown = [control](COLORREF expected) {
        PumpUntil([=] { return ClientPixel(control, 150, 20) == expected; });
        return ClientPixel(control, 150, 20);
    };
    const RECT r = Frame(control);
    EXPECT_EQ(r.right - r.left, 304);
    EXPECT_EQ(r.bottom - r.top, 44);
    EXPECT_EQ(WidgetGetState(30), int(reinterpret_cast<intptr_t>(owned.Get())));
    EXPECT_EQ(shown(RGB(220, 0, 0)), RGB(220, 0, 0));
    WidgetSetState(30, 0); // shows the window behind
    EXPECT_EQ(Frame(control).right - Frame(control).left, 304);
    EXPECT_EQ(shown(GetSysColor(COLOR_BTNFACE)), GetSysColor(COLOR_BTNFACE));
    WindowClose(5); // before the test's image goes
}

} // namespace
