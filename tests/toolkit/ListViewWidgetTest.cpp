// The list view as a real control: row texts, reading cells back, selection and its events,
// cell colours and row values through column changes, filling many rows, row images.
#include "toolkit/Widgets.h"

#include "support/WidgetTestUtil_win32.h"
#include "support/WinTestUtil_win32.h"

#include <commctrl.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

const int TestWindow = 8;
const int List = 30;
const COLORREF Red = RGB(255, 0, 0);
const COLORREF Green = RGB(0, 160, 0);

class ListView : public ::testing::Test {
  protected:
    HWND window = nullptr;
    void SetUp() override {
        window = WidgetTestWindow(TestWindow, 500, 400);
        ASSERT_NE(window, nullptr);
    }
    void TearDown() override {
        WindowClose(TestWindow);
        EventsDrain();
    }
    // A list of `columns` columns, grid lines and whole-row selection as the calculator has.
    WidgetRecord* Create(int columns, int flags = 0x40010000) {
        EXPECT_NE(ListViewWidgetCreate(List, 10, 10, 460, 300, "c0", 80, flags), 0);
        for (int column = 1; column < columns; ++column)
            WidgetAddColumn(List, column, ("c" + std::to_string(column)).c_str(), 80);
        return WidgetLookup(List);
    }
    std::vector<std::string> Row(int row, int columns) {
        std::vector<std::string> cells;
        for (int column = 0; column < columns; ++column)
            cells.push_back(WidgetGetItemText(List, row, column));
        return cells;
    }
    // Screen point of a client point of the list.
    POINT At(int x, int y) { return ClientToScreenPoint(WidgetLookup(List)->Handle, x, y); }
    RECT RowArea(int row) {
        RECT area = {};
        area.left = LVIR_BOUNDS;
        SendMessageA(WidgetLookup(List)->Handle, LVM_GETITEMRECT, row,
                     reinterpret_cast<LPARAM>(&area));
        return area;
    }
};

using Cells = std::vector<std::string>;

TEST_F(ListView, RowTextsSplitAtLineFeeds) {
    struct Case {
        const char* text;
        Cells cells;
    } cases[] = {
        {"A\nB\nC", {"A", "B", "C"}},    {"A\n\nC", {"A", "", "C"}},
        {"A\nB\n", {"A", "B", ""}},      {"A", {"A", "", ""}},
        {nullptr, {"", "", ""}},         {"\nB", {"", "B", ""}},
        {"A\nB\nC\nD", {"A", "B", "C"}}, // parts beyond the columns are not shown
    };
    Create(3);
    for (const Case& c : cases)
        WidgetAddItem(List, -1, c.text);
    ASSERT_EQ(WidgetCountItems(List), static_cast<int>(std::size(cases)));
    for (int row = 0; row < WidgetCountItems(List); ++row)
        EXPECT_EQ(Row(row, 3), cases[row].cells) << row;

    // Rewriting a row keeps the cells beyond the given parts.
    WidgetSetState(List, 0);
    WidgetSetText(List, "X\nY\n");
    EXPECT_EQ(Row(0, 3), (Cells{"X", "Y", "C"}));
    WidgetAddItem(List, 1, "inserted");
    EXPECT_EQ(WidgetGetItemText(List, 1, 0), "inserted");
    WidgetAddItem(List, 99, "past\nthe end");
    EXPECT_EQ(Row(WidgetCountItems(List) - 1, 2), (Cells{"past", "the end"}));
    EXPECT_EQ(WidgetGetItemText(List, 2, 2), "C");
}

TEST_F(ListView, LongCellsReadBackWhole) {
    WidgetRecord* widget = Create(3);
    std::string longer(3000, 'x'), longest(9000, 'y');
    WidgetAddItem(List, -1, "a\nb");
    WidgetAddItem(List, -1, ("a\nb\n" + longer).c_str());
    EXPECT_EQ(WidgetGetItemText(List, 1, 2), longer);
    widget->Class->SetItemText(widget, 0, longest.c_str(), 1);
    EXPECT_EQ(WidgetGetItemText(List, 0, 1), longest);
    WidgetRemoveAllItems(List);
    EXPECT_EQ(WidgetCountItems(List), 0);
    WidgetAddItem(List, -1, "short");
    WidgetAddItem(List, -1, longer.c_str());
    EXPECT_EQ(WidgetGetItemText(List, 0, 0), "short");
    EXPECT_EQ(WidgetGetItemText(List, 1, 0), longer);
    // Missing rows and columns read as empty; row -1 reads the header titles.
    EXPECT_EQ(WidgetGetItemText(List, 7, 0), "");
    EXPECT_EQ(WidgetGetItemText(List, -1, 2), "c2");
    widget->Class->SetItemText(widget, -1, "Ware", 0);
    EXPECT_EQ(WidgetGetItemText(List, -1, 0), "Ware");
}

TEST_F(ListView, SelectionThroughState) {
    Create(2);
    WidgetAddItem(List, -1, "one\n1");
    WidgetAddItem(List, -1, "two\n2");
    EXPECT_EQ(WidgetGetState(List), -1);
    EXPECT_EQ(WidgetGetText(List), "");
    WidgetSetText(List, "changed");
    EXPECT_EQ(Row(0, 2), (Cells{"one", "1"}));
    EXPECT_EQ(Row(1, 2), (Cells{"two", "2"}));

    WidgetSetState(List, 1);
    EXPECT_EQ(WidgetGetState(List), 1);
    EXPECT_EQ(WidgetGetText(List), "two");
    WidgetSetState(List, -1);
    EXPECT_EQ(WidgetGetState(List), -1);
    // Selecting through the program reports the change like the user's selection.
    WidgetEvents events = WidgetEventsPump(100);
    EXPECT_EQ(events, (WidgetEvents{{List, SubtypeChange}}));
}

TEST_F(ListView, MouseGivesChangeAndClickEvents) {
    Create(2);
    WidgetAddItem(List, -1, "one\n1");
    WidgetAddItem(List, -1, "two\n2");
    WidgetEventsPump(150);
    RECT row = RowArea(1);
    POINT onRow = At(40, (row.top + row.bottom) / 2);
    POINT below = At(40, row.bottom + 60);

    // Nothing was ever selected: a click on the empty area changes nothing.
    InputClick(below.x, below.y);
    EXPECT_EQ(WidgetEventsPump(300), (WidgetEvents{{List, SubtypeLeftButtonClick}}));

    InputClick(onRow.x, onRow.y);
    EXPECT_EQ(WidgetEventsPump(300),
              (WidgetEvents{{List, SubtypeChange}, {List, SubtypeLeftButtonClick}}));
    EXPECT_EQ(WidgetGetState(List), 1);

    InputClick(below.x, below.y);
    EXPECT_EQ(WidgetEventsPump(300),
              (WidgetEvents{{List, SubtypeChange}, {List, SubtypeLeftButtonClick}}));
    EXPECT_EQ(WidgetGetState(List), -1);

    InputRightClick(below.x, below.y);
    EXPECT_EQ(WidgetEventsPump(300), (WidgetEvents{{List, SubtypeRightButtonClick}}));

    Sleep(600); // no double click with the earlier clicks
    InputDoubleClick(onRow.x, onRow.y);
    WidgetEvents events = WidgetEventsPump(300);
    ASSERT_FALSE(events.empty());
    EXPECT_EQ(events.back(), (std::pair<int, int>{List, SubtypeLeftDoubleClick}));
    EXPECT_EQ(WidgetGetState(List), 1);
}

TEST_F(ListView, CellColoursFollowTheirColumns) {
    WidgetRecord* widget = Create(3);
    const WidgetKind* kind = widget->Class;
    WidgetAddItem(List, -1, "a\nb\nc");
    WidgetAddItem(List, -1, "d\ne\nf");
    kind->SetItemColor(widget, 0, 1, Red, 1);
    kind->SetItemColor(widget, 0, 2, Green, 2);
    kind->SetItemData(widget, 0, 77);
    kind->SetItemColor(widget, 1, 2, Red, -1);

    WidgetAddColumn(List, 1, "new", 60);
    widget = WidgetLookup(List);
    EXPECT_EQ(kind->GetItemColor(widget, 0, 1, 1), -1);
    EXPECT_EQ(kind->GetItemColor(widget, 0, 1, 2), static_cast<int>(Red));
    EXPECT_EQ(kind->GetItemColor(widget, 0, 2, 3), static_cast<int>(Green));
    EXPECT_EQ(kind->GetItemColor(widget, 1, 2, 0), static_cast<int>(Red));
    EXPECT_EQ(kind->GetItemColor(widget, 1, 2, 1), -1);
    EXPECT_EQ(kind->GetItemColor(widget, 1, 2, 3), static_cast<int>(Red));
    EXPECT_EQ(kind->GetItemData(widget, 0), 77);

    EXPECT_EQ(kind->RemoveColumn(widget, 2), 1);
    EXPECT_EQ(kind->GetItemColor(widget, 0, 1, 2), -1);
    EXPECT_EQ(kind->GetItemColor(widget, 0, 2, 2), static_cast<int>(Green));
    EXPECT_EQ(kind->GetItemColor(widget, 0, 2, 3), -1); // no such column any more
    EXPECT_EQ(kind->GetItemData(widget, 0), 77);

    kind->SetItemColor(widget, 0, 2, -1, 2);
    EXPECT_EQ(kind->GetItemColor(widget, 0, 2, 2), -1);
    EXPECT_EQ(kind->GetItemColor(widget, 0, 3, 2), -1);
    EXPECT_EQ(kind->GetItemData(widget, 1), 0);
    EXPECT_EQ(kind->GetItemColor(widget, 5, 1, 0), -1);
}

TEST_F(ListView, ColoursShowOnScreen) {
    WidgetRecord* widget = Create(2);
    const WidgetKind* kind = widget->Class;
    WidgetAddItem(List, -1, "a\nb");
    WidgetAddItem(List, -1, "c\nd");
    kind->SetItemColor(widget, 1, 2, Green, 1);
    kind->SetColor(widget, 3, Red);
    WidgetEventsPump(200);
    ScreenshotSave("list_colours");
    HWND control = widget->Handle;
    RECT row = RowArea(1);
    EXPECT_EQ(ClientPixel(control, 80 + 60, (row.top + row.bottom) / 2), Green);
    // Grid lines in the custom colour go on below the last row.
    int height = row.bottom - row.top;
    EXPECT_EQ(ClientPixel(control, 300, row.bottom - 1 + 3 * height), Red);

    EXPECT_EQ(kind->GetColor(widget, 1), -1);
    kind->SetColor(widget, 2, Green);
    EXPECT_EQ(kind->GetColor(widget, 2), static_cast<int>(Green));
    kind->SetColor(widget, 2, -1);
    EXPECT_EQ(kind->GetColor(widget, 2), -1);
    EXPECT_NE(SendMessageA(control, LVM_GETBKCOLOR, 0, 0), static_cast<LRESULT>(Green));
    EXPECT_EQ(kind->GetColor(widget, 3), static_cast<int>(Red));
}

TEST_F(ListView, RowDataBlocksGoWithTheirRows) {
    const int before = ListViewRowDataCount();
    WidgetRecord* widget = Create(2);
    for (int row = 0; row < 4; ++row)
        WidgetAddItem(List, -1, "row");
    widget->Class->SetItemColor(widget, -1, 1, Red, 0);
    widget->Class->SetItemData(widget, 9, 1); // no such row: nothing
    EXPECT_EQ(ListViewRowDataCount(), before + 4);
    WidgetRemoveItem(List, 0);
    EXPECT_EQ(ListViewRowDataCount(), before + 3);
    WidgetRemoveAllItems(List);
    EXPECT_EQ(ListViewRowDataCount(), before);
    WidgetAddItem(List, -1, "row");
    widget->Class->SetItemData(widget, 0, 5);
    EXPECT_EQ(ListViewRowDataCount(), before + 1);
    WindowClose(TestWindow);
    EXPECT_EQ(ListViewRowDataCount(), before);
    EXPECT_EQ(WidgetLookup(List), nullptr);
}

TEST_F(ListView, ManyRowsDrawOnceTheLoopRuns) {
    WidgetRecord* widget = Create(9);
    const int rows = 3000;
    for (int row = 0; row < rows; ++row)
        WidgetAddItem(List, -1, ("r" + std::to_string(row) + "\n1\n2\n3\n4\n5\n6\n7\n8").c_str());
    WidgetEventsPump(300);
    ScreenshotSave("list_filled");
    SCROLLINFO scroll = {};
    scroll.cbSize = sizeof scroll;
    scroll.fMask = SIF_RANGE | SIF_PAGE;
    ASSERT_TRUE(GetScrollInfo(widget->Handle, SB_VERT, &scroll));
    EXPECT_GE(scroll.nMax + 1 - static_cast<int>(scroll.nPage), rows - 20);
    EXPECT_EQ(WidgetGetItemText(List, rows - 1, 0), "r2999");
    EXPECT_EQ(WidgetGetItemText(List, rows - 1, 8), "8");
}

TEST_F(ListView, RowImagesAreSharedAndShown) {
    WidgetRecord* widget = Create(1);
    HDC screen = GetDC(nullptr);
    HBITMAP bitmap = CreateCompatibleBitmap(screen, 40, 20);
    ReleaseDC(nullptr, screen);
    HICON icon = LoadIconA(nullptr, IDI_APPLICATION);
    auto image = [&](int row) {
        LVITEMA item = {};
        item.mask = LVIF_IMAGE;
        item.iItem = row;
        SendMessageA(widget->Handle, LVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&item));
        return item.iImage;
    };
    widget->Class->AddItem(widget, -1, "bitmap", bitmap);
    widget->Class->AddItem(widget, -1, "icon", icon);
    widget->Class->AddItem(widget, -1, "bitmap again", bitmap);
    EXPECT_EQ(image(0), 1);
    EXPECT_EQ(image(1), 2);
    EXPECT_EQ(image(2), 1);
    auto small = reinterpret_cast<HIMAGELIST>(
        SendMessageA(widget->Handle, LVM_GETIMAGELIST, LVSIL_SMALL, 0));
    ASSERT_NE(small, nullptr);
    EXPECT_EQ(ImageList_GetImageCount(small), 3);
    WidgetRemoveAllItems(List);
    EXPECT_EQ(ImageList_GetImageCount(small), 1);
    widget->Class->AddItem(widget, -1, "icon first now", icon);
    EXPECT_EQ(image(0), 1);
    WindowClose(TestWindow);
    EXPECT_NE(GetObjectType(bitmap), 0u); // the caller's bitmap stays the caller's
    DeleteObject(bitmap);
}

} // namespace
