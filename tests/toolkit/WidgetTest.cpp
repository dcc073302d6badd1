// The widget framework over plain native controls registered with kinds made for the test.
#include "support/WinTestUtil_win32.h"

#include <gtest/gtest.h>

#include <string>

namespace {

int destroyed = 0; // OnDestroy calls
std::string lastSlotText = "unset";

void CountingDestroy(WidgetRecord* widget) {
    ++destroyed;
    StandardOnDestroy(widget);
}

// A field kind: the shared colour slots, a counted end.
WidgetKind FieldKind() {
    WidgetKind kind = {};
    kind.Kind = 2;
    kind.RecordSize = WidgetRecordSize;
    kind.OnDestroy = CountingDestroy;
    kind.SetColor = StandardSetColor;
    kind.GetColor = StandardGetColor;
    return kind;
}
const WidgetKind fieldKind = FieldKind();

// A kind with item slots that records what it was handed.
int ItemAdd(WidgetRecord*, int position, const char* text, HANDLE) {
    lastSlotText = text ? text : "(null)";
    return position + 100;
}
int ItemAddEx(WidgetRecord*, int position, const char* text, HANDLE, int) {
    lastSlotText = text ? text : "(null)";
    return position + 200;
}
std::string ItemText(WidgetRecord*, int item, int column) {
    return std::to_string(item) + "/" + std::to_string(column);
}
void TextSet(WidgetRecord* widget, const char* text) {
    lastSlotText = text ? text : "(null)";
    SetWindowTextA(widget->Handle, "slot");
}
int ColumnAdd(WidgetRecord*, int, const char* title, int) {
    lastSlotText = title ? title : "(null)";
    return 5;
}
WidgetKind ListKind(bool extended) {
    WidgetKind kind = {};
    kind.Kind = 12;
    kind.RecordSize = WidgetRecordSize;
    kind.AddItem = ItemAdd;
    kind.AddItemEx = extended ? ItemAddEx : nullptr;
    kind.GetItemText = ItemText;
    kind.SetText = TextSet;
    kind.AddColumn = ColumnAdd;
    return kind;
}
const WidgetKind listKind = ListKind(false);
const WidgetKind listKindEx = ListKind(true);

const DWORD ChildStyle = WS_CHILD | WS_VISIBLE;

class WidgetTest : public ::testing::Test {
  protected:
    void SetUp() override {
        ToolkitTestInit();
        destroyed = 0;
        lastSlotText = "unset";
        window =
            reinterpret_cast<HWND>(WindowOpen(0, 40, 40, 400, 300, "widgets", 0xCA0000, nullptr));
        ASSERT_TRUE(window);
        WidgetListBegin(window);
    }
    void TearDown() override {
        WindowCloseAll();
        EventsDrain();
    }
    HWND Field(int number, const char* text = "") {
        return reinterpret_cast<HWND>(TestControlCreate(number, &fieldKind, "Edit", ChildStyle, 10,
                                                        10 + 30 * (number % 8), 200, 24, text));
    }
    static int ChildrenWithId(HWND parent, int id) {
        struct Count {
            int id;
            int found;
        } count = {id, 0};
        EnumChildWindows(
            parent,
            [](HWND child, LPARAM data) -> BOOL {
                Count& c = *reinterpret_cast<Count*>(data);
                if (GetWindowLongPtrA(child, GWLP_ID) == c.id)
                    ++c.found;
                return TRUE;
            },
            reinterpret_cast<LPARAM>(&count));
        return count.found;
    }
    HWND window = nullptr;
};

TEST_F(WidgetTest, RegisteringNumbersSubclassesAndStylesTheControl) {
    HWND field = Field(5, "abc");
    ASSERT_TRUE(field);
    EXPECT_EQ(GetWindowLongPtrA(field, GWLP_ID), 5);
    EXPECT_EQ(reinterpret_cast<intptr_t>(GetPropA(field, "GT_ID")), 5);
    EXPECT_EQ(reinterpret_cast<WNDPROC>(GetWindowLongPtrA(field, GWLP_WNDPROC)), WidgetWindowProc);
    EXPECT_EQ(reinterpret_cast<HFONT>(SendMessageA(field, WM_GETFONT, 0, 0)), WidgetFont());
    EXPECT_EQ(WidgetLookup(5)->Handle, field);
    EXPECT_EQ(WidgetOwnerWindow(field), window);

    const intptr_t automatic =
        TestControlCreate(AutoNumber, &fieldKind, "Edit", ChildStyle, 0, 0, 50, 20, "auto");
    ASSERT_GE(automatic, AutoNumberFirst);
    EXPECT_EQ(WidgetGetText(static_cast<int>(automatic)), "auto");
}

TEST_F(WidgetTest, DefaultTextOperationsRoundTripAnyLength) {
    ASSERT_TRUE(Field(5, "start"));
    EXPECT_EQ(WidgetGetText(5), "start");
    WidgetSetText(5, nullptr);
    EXPECT_EQ(WidgetGetText(5), "");
    SendMessageA(WidgetLookup(5)->Handle, EM_LIMITTEXT, 0, 0);
    const std::string longText(70000, 'x');
    WidgetSetText(5, longText.c_str());
    EXPECT_EQ(WidgetGetText(5), longText);
}

TEST_F(WidgetTest, SlotsAreCalledWithTextsNeverNull) {
    ASSERT_TRUE(TestControlCreate(26, &listKind, "Static", ChildStyle, 0, 0, 10, 10));
    ASSERT_TRUE(TestControlCreate(27, &listKindEx, "Static", ChildStyle, 0, 20, 10, 10));
    struct Case {
        int number;
        int result;
    };
    for (Case c : {Case{26, 103}, Case{27, 203}}) {
        lastSlotText = "unset";
        EXPECT_EQ(WidgetAddItem(c.number, 3, nullptr), c.result) << c.number;
        EXPECT_EQ(lastSlotText, "") << c.number;
    }
    WidgetSetText(26, nullptr);
    EXPECT_EQ(lastSlotText, "");
    EXPECT_EQ(WidgetGetText(26), "slot"); // no GetText slot: the window text
    EXPECT_EQ(WidgetAddColumn(26, 0, nullptr, 40), 5);
    EXPECT_EQ(lastSlotText, "");
    EXPECT_EQ(WidgetGetItemText(26, 4, 2), "4/2");
}

TEST_F(WidgetTest, OperationsWithoutSlotOrWidgetGiveNothing) {
    ASSERT_TRUE(Field(14, "button"));
    for (int number : {14, 999, -1, -5}) {
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
    EXPECT_EQ(WidgetGetText(14), "button");
    EXPECT_EQ(WidgetGetText(999), "");
    WidgetSetText(999, "ignored");
    WidgetSetColor(999, 2, 0x123456);
    EXPECT_EQ(BrushCacheCount(0x123456), 0);
}

TEST_F(WidgetTest, CreatingANumberTwiceLeavesOneControlAndEndsTheFirstOnce) {
    HWND first = Field(14, "first");
    HWND second = Field(14, "second");
    ASSERT_TRUE(second);
    EXPECT_FALSE(IsWindow(first));
    EXPECT_EQ(destroyed, 1);
    EXPECT_EQ(ChildrenWithId(window, 14), 1);
    EXPECT_EQ(WidgetGetText(14), "second");
}

TEST_F(WidgetTest, ClosingTheWindowEndsEveryWidgetExactlyOnce) {
    HWND field = Field(101, "help");
    ASSERT_TRUE(Field(203));
    WindowClose(0);
    EXPECT_FALSE(IsWindow(field));
    EXPECT_EQ(destroyed, 2);
    EXPECT_EQ(WidgetGetText(101), "");
    WidgetSetText(203, "nothing");
    EXPECT_EQ(WidgetLookup(203), nullptr);
    EXPECT_EQ(WidgetGetState(101), 0);
}

TEST_F(WidgetTest, FieldsWithOneBackColourShareOneCountedBrush) {
    const int colour = 0x00C0FFEE & 0xFFFFFF;
    for (int number = 1; number <= 3; ++number) {
        ASSERT_TRUE(Field(number));
        WidgetSetColor(number, 2, colour);
    }
    HBRUSH brush = WidgetLookup(1)->BackBrush;
    ASSERT_TRUE(brush);
    EXPECT_EQ(WidgetLookup(2)->BackBrush, brush);
    EXPECT_EQ(WidgetLookup(3)->BackBrush, brush);
    EXPECT_EQ(BrushCacheCount(colour), 3);
    EXPECT_EQ(StandardGetColor(WidgetLookup(2), 2), colour);

    WidgetSetColor(2, 2, -1);
    EXPECT_EQ(BrushCacheCount(colour), 2);
    EXPECT_EQ(WidgetLookup(2)->BackBrush, nullptr);
    EXPECT_EQ(GetObjectType(brush), static_cast<DWORD>(OBJ_BRUSH));

    WindowClose(0);
    EXPECT_EQ(BrushCacheCount(colour), 0);
    EXPECT_EQ(GetObjectType(brush), 0u); // deleted
}

TEST_F(WidgetTest, ChangingABackColourReleasesTheOldBrush) {
    ASSERT_TRUE(Field(7));
    WidgetSetColor(7, 2, -1); // never had one: nothing to release
    WidgetSetColor(7, 1, 0x0000FF);
    EXPECT_EQ(WidgetLookup(7)->BackBrush, nullptr);
    WidgetSetColor(7, 2, 0x112233);
    WidgetSetColor(7, 2, 0x445566);
    EXPECT_EQ(BrushCacheCount(0x112233), 0);
    EXPECT_EQ(BrushCacheCount(0x445566), 1);
    EXPECT_EQ(StandardGetColor(WidgetLookup(7), 1), 0x0000FF);
}

TEST_F(WidgetTest, OwnerWindowIsTheNearestToolkitWindowElseTheTopmost) {
    HWND panel = CreateWindowExA(0, "Static", "", ChildStyle, 0, 0, 300, 200, window, nullptr,
                                 GetModuleHandleA(nullptr), nullptr);
    HWND inner = CreateWindowExA(0, "Button", "", ChildStyle, 5, 5, 50, 20, panel, nullptr,
                                 GetModuleHandleA(nullptr), nullptr);
    EXPECT_EQ(WidgetOwnerWindow(inner), window);

    HWND foreign = CreateWindowExA(0, "Static", "", WS_OVERLAPPED, 0, 0, 100, 100, nullptr, nullptr,
                                   GetModuleHandleA(nullptr), nullptr);
    HWND child = CreateWindowExA(0, "Button", "", WS_CHILD, 5, 5, 50, 20, foreign, nullptr,
                                 GetModuleHandleA(nullptr), nullptr);
    EXPECT_EQ(WidgetOwnerWindow(child), foreign);
    DestroyWindow(foreign);
}

TEST_F(WidgetTest, DefaultResizeKeepsWhatIsNotGiven) {
    HWND field = Field(3);
    ASSERT_TRUE(field);
    MoveWindow(field, 20, 30, 100, 40, FALSE);
    WidgetResize(3, IgnoreValue, 50, IgnoreValue, 60);
    RECT area;
    GetWindowRect(field, &area);
    MapWindowPoints(nullptr, window, reinterpret_cast<POINT*>(&area), 2);
    EXPECT_EQ(area.left, 20);
    EXPECT_EQ(area.top, 50);
    EXPECT_EQ(area.right - area.left, 100);
    EXPECT_EQ(area.bottom - area.top, 60);
}

} // namespace
