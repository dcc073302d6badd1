// The widget framework over plain native controls registered with kinds made for the test.
#include "support/WinTestUtil_win32.h"

#include <gtest/gtest.h>

#include <string>

namespace {

int destroyed = 0; // OnDestroy calls

void CountingDestroy(WidgetRecord* widget) {
    ++destroyed;
    StandardOnDestroy(widget);
}

const WidgetKind fieldKind = [] {
    WidgetKind kind = {};
    kind.Kind = 2;
    kind.RecordSize = WidgetRecordSize;
    kind.OnDestroy = CountingDestroy;
    kind.SetColor = StandardSetColor;
    kind.GetColor = StandardGetColor;
    return kind;
}();

const DWORD ChildStyle = WS_CHILD | WS_VISIBLE;

class WidgetTest : public ::testing::Test {
  protected:
    static void TearDownTestSuite() { WindowCloseAll(); }
    void SetUp() override {
        ToolkitTestInit();
        if (!WindowNativeHandle(0))
            WindowOpen(0, 40, 40, 400, 300, "widgets", 0xCA0000, nullptr);
        window = WidgetListBegin(WindowNativeHandle(0));
        ASSERT_TRUE(window);
    }
    HWND Field(int number, const char* text = "") {
        return reinterpret_cast<HWND>(TestControlCreate(number, &fieldKind, "Edit", ChildStyle, 10,
                                                        10 + 30 * (number % 8), 200, 24, text));
    }
    HWND window = nullptr;
};

TEST_F(WidgetTest, SameNumberAgainLeavesOneControlWithThatId) {
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
}

TEST_F(WidgetTest, BrushesAreSharedCountedAndEndWithTheWindowAndItsWidgets) {
    WidgetListBegin(reinterpret_cast<HWND>(WindowOpen(1, 60, 60, 400, 300, "", 0, nullptr)));
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

} // namespace
