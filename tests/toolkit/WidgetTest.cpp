// The widget framework over real controls: numbers, shared brushes and option groups.
#include "toolkit/Widgets.h"

#include "support/WinTestUtil_win32.h"

#include <gtest/gtest.h>

namespace {

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

TEST(Widget, SameNumberAgainLeavesOneControlWithThatId) {
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
    WindowClose(0);
}

TEST(Widget, BrushesAreSharedCountedAndEndWithTheWindowAndItsWidgets) {
    WidgetTestWindow(1, 400, 300);
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
    WindowClose(1);
    EXPECT_EQ(destroyed, 3);
    EXPECT_EQ(BrushCacheCount(colour), 0);
    EXPECT_EQ(GetObjectType(brush), 0u); // deleted
    EXPECT_EQ(WidgetLookup(23), nullptr);
}

// What is created between two options decides whether they share a group.
TEST(Widget, OptionsGroupOnlyWhenCreatedOneAfterAnother) {
    const struct {
        const char* between;
        void (*make)(HWND);
        bool sameGroup;
    } cases[] = {
        {"nothing", [](HWND) {}, true},
        {"text", [](HWND) { TextWidgetCreate(3, 10, 35, 100, 20, "label"); }, false},
        {"frame", [](HWND) { FrameWidgetCreate(3, 200, 10, 100, 100, "frame", 1); }, false},
        {"list begun again", [](HWND w) { WidgetListBegin(w); }, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.between);
        HWND window = WidgetTestWindow(7, 400, 300); // a fresh window each time
        ASSERT_NE(OptionWidgetCreate(1, 10, 10, 100, 20, "first"), 0);
        c.make(window);
        ASSERT_NE(OptionWidgetCreate(2, 10, 60, 100, 20, "second"), 0);
        WidgetSetState(1, 1);
        WidgetSetState(2, 1);
        EXPECT_EQ(WidgetGetState(1), c.sameGroup ? 0 : 1);
        const POINT first = ClientToScreenPoint(WidgetLookup(1)->Handle, 8, 10);
        InputClick(first.x, first.y); // the user's click follows the same groups
        EventsOfInput();
        EXPECT_EQ(WidgetGetState(2), c.sameGroup ? 0 : 1);
        WidgetSetState(1, 0); // checks no other
        EXPECT_EQ(WidgetGetState(1) + WidgetGetState(2), c.sameGroup ? 0 : 1);
    }
    WindowClose(7);
}

} // namespace
