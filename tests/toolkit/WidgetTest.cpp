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

// A field kind: the shared colour slots, a counted end.
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
int Noted(const char* text, int result) {
    lastSlotText = text ? text : "(null)";
    return result;
}
WidgetKind ListKind(bool extended) {
    WidgetKind kind = {};
    kind.Kind = 12;
    kind.RecordSize = WidgetRecordSize;
    kind.AddItem = [](WidgetRecord*, int position, const char* text, HANDLE) {
        return Noted(text, position + 100);
    };
    if (extended)
        kind.AddItemEx = [](WidgetRecord*, int position, const char* text, HANDLE, int) {
            return Noted(text, position + 200);
        };
    kind.GetItemText = [](WidgetRecord*, int item, int column) {
        return std::to_string(item) + "/" + std::to_string(column);
    };
    kind.SetText = [](WidgetRecord* widget, const char* text) {
        Noted(text, 0);
        SetWindowTextA(widget->Handle, "slot");
    };
    kind.AddColumn = [](WidgetRecord*, int, const char* title, int) { return Noted(title, 5); };
    return kind;
}
const WidgetKind listKind = ListKind(false), listKindEx = ListKind(true);

const DWORD ChildStyle = WS_CHILD | WS_VISIBLE;

// One window for the tests that keep theirs open: every closed window costs seconds.
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

TEST_F(WidgetTest, RegisteringSubclassesStylesAndReplaces) {
    HWND field = Field(5, "abc");
    ASSERT_TRUE(field);
    EXPECT_EQ(GetWindowLongPtrA(field, GWLP_ID), 5);
    EXPECT_EQ(reinterpret_cast<intptr_t>(GetPropA(field, "GT_ID")), 5);
    EXPECT_EQ(reinterpret_cast<HFONT>(SendMessageA(field, WM_GETFONT, 0, 0)), WidgetFont());
    EXPECT_EQ(WidgetOwnerWindow(field), window);
    const intptr_t automatic =
        TestControlCreate(AutoNumber, &fieldKind, "Edit", ChildStyle, 0, 0, 50, 20, "auto");
    ASSERT_GE(automatic, AutoNumberFirst);
    EXPECT_EQ(WidgetGetText(static_cast<int>(automatic)), "auto");

    // The default text operations, at any length.
    WidgetSetText(5, nullptr);
    EXPECT_EQ(WidgetGetText(5), "");
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
    EXPECT_EQ(WidgetGetText(14), "second");

    // The default resize keeps what is not given.
    MoveWindow(field, 20, 30, 100, 40, FALSE);
    WidgetResize(5, IgnoreValue, 50, IgnoreValue, 60);
    RECT area;
    GetWindowRect(field, &area);
    MapWindowPoints(nullptr, window, reinterpret_cast<POINT*>(&area), 2);
    const RECT expected = {20, 50, 120, 110};
    EXPECT_TRUE(EqualRect(&area, &expected));
}

TEST_F(WidgetTest, OwnerWindowIsTheNearestToolkitWindowElseTheTopmost) {
    HINSTANCE instance = GetModuleHandleA(nullptr);
    HWND panel = CreateWindowExA(0, "Static", "", ChildStyle, 0, 0, 300, 200, window, nullptr,
                                 instance, nullptr);
    HWND inner = CreateWindowExA(0, "Button", "", ChildStyle, 5, 5, 50, 20, panel, nullptr,
                                 instance, nullptr);
    EXPECT_EQ(WidgetOwnerWindow(inner), window);
    DestroyWindow(panel);
    HWND foreign = CreateWindowExA(0, "Static", "", WS_OVERLAPPED, 0, 0, 100, 100, nullptr, nullptr,
                                   instance, nullptr);
    HWND child = CreateWindowExA(0, "Button", "", WS_CHILD, 5, 5, 50, 20, foreign, nullptr,
                                 instance, nullptr);
    EXPECT_EQ(WidgetOwnerWindow(child), foreign);
    DestroyWindow(foreign);
}

TEST_F(WidgetTest, SlotsGetTextsNeverNullAndMissingOnesGiveNothing) {
    ASSERT_TRUE(TestControlCreate(26, &listKind, "Static", ChildStyle, 0, 0, 10, 10));
    ASSERT_TRUE(TestControlCreate(27, &listKindEx, "Static", ChildStyle, 0, 20, 10, 10));
    for (int number : {26, 27}) {
        lastSlotText = "unset";
        EXPECT_EQ(WidgetAddItem(number, 3, nullptr), number == 26 ? 103 : 203);
        EXPECT_EQ(lastSlotText, "") << number;
    }
    WidgetSetText(26, nullptr);
    EXPECT_EQ(lastSlotText, "");
    EXPECT_EQ(WidgetGetText(26), "slot"); // no GetText slot: the window text
    EXPECT_EQ(WidgetAddColumn(26, 0, nullptr, 40), 5);
    EXPECT_EQ(lastSlotText, "");
    EXPECT_EQ(WidgetGetItemText(26, 4, 2), "4/2");

    ASSERT_TRUE(Field(15, "button"));
    for (int number : {15, 999, -1, -5}) {
        SCOPED_TRACE(number);
        EXPECT_EQ(WidgetAddItem(number, 0, "row"), 0);
        EXPECT_EQ(WidgetCountItems(number), 0);
        EXPECT_EQ(WidgetGetState(number), 0);
        EXPECT_EQ(WidgetGetItemText(number, 0, 0), "");
        EXPECT_EQ(WidgetAddColumn(number, 0, "t", 10), 0);
        WidgetSetState(number, 1);
        WidgetRemoveItem(number, 0);
        WidgetRemoveAllItems(number);
        WidgetResize(number, 1, 2, 3, 4);
    }
    EXPECT_EQ(WidgetGetText(15), "button");
    EXPECT_EQ(WidgetGetText(999), "");
    WidgetSetText(999, "ignored");
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
    ASSERT_TRUE(brush);
    EXPECT_EQ(WidgetLookup(22)->BackBrush, brush);
    EXPECT_EQ(WidgetLookup(23)->BackBrush, brush);
    EXPECT_EQ(BrushCacheCount(colour), 3);
    EXPECT_EQ(StandardGetColor(WidgetLookup(22), 2), colour);
    WidgetSetColor(22, 2, -1);
    EXPECT_EQ(BrushCacheCount(colour), 2);
    EXPECT_EQ(WidgetLookup(22)->BackBrush, nullptr);
    EXPECT_EQ(GetObjectType(brush), static_cast<DWORD>(OBJ_BRUSH));

    HWND field = Field(24);
    WidgetSetColor(24, 2, -1); // never had one: nothing to release
    WidgetSetColor(24, 1, 0x0000FF);
    EXPECT_EQ(WidgetLookup(24)->BackBrush, nullptr);
    WidgetSetColor(24, 2, 0x112233);
    WidgetSetColor(24, 2, 0x445566);
    EXPECT_EQ(BrushCacheCount(0x112233), 0);
    EXPECT_EQ(BrushCacheCount(0x445566), 1);
    EXPECT_EQ(StandardGetColor(WidgetLookup(24), 1), 0x0000FF);

    destroyed = 0;
    WindowClose(1);
    EXPECT_FALSE(IsWindow(field));
    EXPECT_EQ(destroyed, 4);
    EXPECT_EQ(BrushCacheCount(colour), 0);
    EXPECT_EQ(GetObjectType(brush), 0u); // deleted
    EXPECT_EQ(WidgetGetText(21), "");
    WidgetSetText(23, "nothing");
    EXPECT_EQ(WidgetLookup(23), nullptr);
    EXPECT_EQ(WidgetGetState(21), 0);
}

} // namespace
