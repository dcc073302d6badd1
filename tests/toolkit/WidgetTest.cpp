// The widget framework over plain native controls registered with kinds made for the test.
#include "support/WinTestUtil_win32.h"

#include <gtest/gtest.h>

#include <string>

namespace {

int destroyed = 0; // OnDestroy calls
std::string lastSlotText;

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

// A kind with item slots that notes the text it was handed.
const WidgetKind listKind = [] {
    WidgetKind kind = {};
    kind.Kind = 12;
    kind.RecordSize = WidgetRecordSize;
    kind.AddItem = [](WidgetRecord*, int position, const char* text, HANDLE) {
        lastSlotText = text ? text : "(null)";
        return position + 100;
    };
    kind.SetText = [](WidgetRecord* widget, const char* text) {
        lastSlotText = text ? text : "(null)";
        SetWindowTextA(widget->Handle, "slot");
    };
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

TEST_F(WidgetTest, RegisteringTextsOfAnyLengthAndReplacing) {
    HWND field = Field(5, "abc");
    EXPECT_EQ(WidgetOwnerWindow(field), window);
    SendMessageA(field, EM_LIMITTEXT, 0, 0);
    const std::string longText(70000, 'x');
    WidgetSetText(5, longText.c_str());
    EXPECT_EQ(WidgetGetText(5), longText);

    // The same number again: one control with that id, the first one ended once.
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

TEST_F(WidgetTest, SlotsGetTextsNeverNullAndMissingOnesGiveNothing) {
    ASSERT_TRUE(TestControlCreate(26, &listKind, "Static", ChildStyle, 0, 0, 10, 10));
    EXPECT_EQ(WidgetAddItem(26, 3, nullptr), 103);
    EXPECT_EQ(lastSlotText, "");
    lastSlotText = "unset";
    WidgetSetText(26, nullptr);
    EXPECT_EQ(lastSlotText, "");
    EXPECT_EQ(WidgetGetText(26), "slot"); // no GetText slot: the window text

    ASSERT_TRUE(Field(15, "field"));
    for (int number : {15, 999, -1}) {
        EXPECT_EQ(WidgetAddItem(number, 0, "row") + WidgetCountItems(number), 0) << number;
        EXPECT_EQ(WidgetGetItemText(number, 0, 0), "") << number;
        WidgetRemoveAllItems(number);
    }
    WidgetSetColor(999, 2, 0x123456);
    EXPECT_EQ(BrushCacheCount(0x123456), 0);
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

    HWND field = Field(24);
    WidgetSetColor(24, 2, -1); // never had one: nothing to release
    WidgetSetColor(24, 2, 0x112233);
    WidgetSetColor(24, 2, 0x445566);
    EXPECT_EQ(BrushCacheCount(0x112233), 0);
    EXPECT_EQ(BrushCacheCount(0x445566), 1);

    destroyed = 0;
    WindowClose(1);
    EXPECT_FALSE(IsWindow(field));
    EXPECT_EQ(destroyed, 4);
    EXPECT_EQ(BrushCacheCount(colour), 0);
    EXPECT_EQ(GetObjectType(brush), 0u); // deleted
    EXPECT_EQ(WidgetLookup(23), nullptr);
}

} // namespace
