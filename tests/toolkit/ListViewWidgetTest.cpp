// The list view as a real control: rows, cells, selection and its events, colours, row data.
#include "toolkit/ListView.h"
#include "toolkit/Widgets.h"

#include "support/WinTestUtil_win32.h"

#include <commctrl.h>
#include <gtest/gtest.h>

#include <string>
#include <tuple>
#include <vector>

namespace {

const int TestWindow = 8;
const int List = 30;
const int Red = RGB(255, 0, 0);
const int Green = RGB(0, 160, 0);
using Cells = std::vector<std::string>;

class ListView : public ::testing::Test {
  protected:
    WidgetRecord* list = nullptr;
    const WidgetKind* kind = nullptr;
    void SetUp() override { ASSERT_NE(WidgetTestWindow(TestWindow, 500, 400), nullptr); }
    void TearDown() override { WindowClose(TestWindow); }
    // Grid lines and whole-row selection as the calculator has; rows given as texts.
    void Create(int columns, std::vector<const char*> rows = {}, int flags = 0) {
        ASSERT_NE(ListViewWidgetCreate(List, 10, 10, 460, 300, "c0", 80, 0x40010000 | flags), 0);
        for (int column = 1; column < columns; ++column)
            WidgetAddColumn(List, column, ("c" + std::to_string(column)).c_str(), 80);
        for (const char* row : rows)
            WidgetAddItem(List, -1, row);
        list = WidgetLookup(List);
        kind = list->Class;
    }
    Cells Row(int row, int columns) {
        Cells cells;
        for (int column = 0; column < columns; ++column)
            cells.push_back(WidgetGetItemText(List, row, column));
        return cells;
    }
    RECT RowArea(int row) {
        RECT area = {LVIR_BOUNDS, 0, 0, 0};
        SendMessageA(list->Handle, LVM_GETITEMRECT, row, reinterpret_cast<LPARAM>(&area));
        return area;
    }
};

TEST_F(ListView, RowTextsSplitAtLineFeedsAndLongCellsReadBackWhole) {
    const std::pair<const char*, Cells> cases[] = {
        {"A\nB\nC", {"A", "B", "C"}}, {"A\n\nC", {"A", "", "C"}},      {"A\nB\n", {"A", "B", ""}},
        {nullptr, {"", "", ""}},      {"A\nB\nC\nD", {"A", "B", "C"}}, // extra parts not shown
    };
    Create(3);
    for (int row = 0; row < static_cast<int>(std::size(cases)); ++row) {
        WidgetAddItem(List, -1, cases[row].first);
        EXPECT_EQ(Row(row, 3), cases[row].second) << row;
    }
    // Rewriting the selected row keeps the cells beyond the given parts.
    WidgetSetState(List, 0);
    WidgetSetText(List, "X\nY\n");
    EXPECT_EQ(Row(0, 3), (Cells{"X", "Y", "C"}));
    // A column put in from outside the widget takes the next row's fourth part.
    LVCOLUMNA added = {};
    added.mask = LVCF_TEXT;
    added.pszText = const_cast<char*>("c3");
    SendMessageA(list->Handle, LVM_INSERTCOLUMNA, 3, reinterpret_cast<LPARAM>(&added));
    WidgetAddItem(List, -1, "P\nQ\nR\nS");
    EXPECT_EQ(Row(5, 4), (Cells{"P", "Q", "R", "S"}));

    const std::string longer(3000, 'x');
    WidgetRemoveAllItems(List);
    WidgetAddItem(List, -1, "short");
    WidgetAddItem(List, -1, longer.c_str());
    EXPECT_EQ(Row(1, 2), (Cells{longer, ""}));
    EXPECT_EQ(WidgetGetItemText(List, -1, 2), "c2"); // the header
}

// Cells are found by counting the ends of those before them, a word at a time: a run of empty
// cells longer than a word, and cells ending on, before and after a word's end, read back.
TEST_F(ListView, EveryCellReadsBackWhateverTheLengthsBeforeIt) {
    const int lengths[] = {0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 7, 8, 9, 1, 15, 16, 17, 0, 6, 2, 0, 5};
    const int columns = int(std::size(lengths));
    Create(columns);
    Cells cells;
    std::string text;
    for (int column = 0; column < columns; ++column) {
        cells.push_back(std::string(size_t(lengths[column]), char('a' + column)));
        text += cells.back() + "\n";
    }
    WidgetAddItem(List, -1, text.c_str());
    EXPECT_EQ(Row(0, columns), cells);
    WidgetAddItem(List, -1, text.substr(0, text.size() - 3).c_str()); // the last cell cut short
    cells.back().resize(3);
    EXPECT_EQ(Row(1, columns), cells);
}

// A click below the rows takes the selection away; the program's selection is reported like the
// user's. Double and right clicks on rows are used in the program's end-to-end tests.
TEST_F(ListView, SelectionByProgramAndMouseGivesItsEvents) {
    Create(2, {"one\n1", "two\n2"});
    EXPECT_EQ(WidgetGetState(List), -1);
    EXPECT_EQ(WidgetGetText(List), "");
    const RECT row = RowArea(1);
    const POINT onRow = {40, (row.top + row.bottom) / 2}, below = {40, row.bottom + 60};
    const WidgetEvents click = {{List, SubtypeLeftButtonClick}};
    const WidgetEvents changeClick = {{List, SubtypeChange}, click[0]};
    const std::tuple<POINT, WidgetEvents, int> clicks[] = {
        {below, click, -1}, // nothing selected yet: nothing changes
        {onRow, changeClick, 1},
        {below, changeClick, -1},
    };
    for (const auto& [at, events, state] : clicks) {
        ClickAt(list->Handle, at);
        EXPECT_EQ(WidgetEventsUntil(events.size()), events);
        EXPECT_EQ(WidgetGetState(List), state);
    }
    WidgetSetState(List, 0);
    EXPECT_EQ(WidgetGetText(List), "one");
    EXPECT_EQ(WidgetEventsUntil(1), (WidgetEvents{{List, SubtypeChange}}));
}

TEST_F(ListView, CellColorsShowAndFollowTheirColumns) {
    Create(3, {"a\nb\nc", "d\ne\nf"});
    kind->SetItemColor(list, 0, 1, Red, 1); // front of one cell
    kind->SetItemColor(list, 0, 2, Green, 2);
    kind->SetItemColor(list, 1, 2, Red, -1); // back of a whole row
    kind->SetColor(list, 3, Red);            // grid lines, which go on below the last row
    const RECT row = RowArea(0);
    const auto shown = [this](int x, int y) { return int(ClientPixel(list->Handle, x, y)); };
    EXPECT_TRUE(PumpUntil([&] { return shown(220, (row.top + row.bottom) / 2) == Green; }));
    EXPECT_EQ(shown(300, row.bottom - 1 + 4 * (row.bottom - row.top)), Red);
    const auto color = [this](int item, int which, int column) {
        return kind->GetItemColor(list, item, which, column);
    };
    WidgetAddColumn(List, 1, "new", 60);
    EXPECT_EQ((std::vector<int>{color(0, 1, 1), color(0, 1, 2), color(0, 2, 3), color(1, 2, 1),
                                color(1, 2, 3), color(5, 1, 0)}),
              (std::vector<int>{-1, Red, Green, -1, Red, -1}));
}

// Each row's data block goes with its row, and the last ones with the window.
TEST_F(ListView, RowDataBlocksGoWithTheirRowsAndTheWindow) {
    const int before = ListViewRowDataCount();
    Create(2, {"row", "row", "row", "row"});
    kind->SetItemColor(list, -1, 1, Red, 0);
    kind->SetItemData(list, 9, 1); // no such row: nothing
    EXPECT_EQ(ListViewRowDataCount(), before + 4);
    WidgetRemoveItem(List, 0);
    EXPECT_EQ(ListViewRowDataCount(), before + 3);
    WidgetRemoveAllItems(List);
    EXPECT_EQ(ListViewRowDataCount(), before);
    WidgetAddItem(List, -1, "row");
    kind->SetItemData(list, 0, 5);
    EXPECT_EQ(kind->GetItemData(list, 0), 5);
    WindowClose(TestWindow);
    EXPECT_EQ(ListViewRowDataCount(), before);
}

// Bulk adding suspends drawing; the list must come back whole once the loop runs again.
TEST_F(ListView, ManyRowsShowOnceTheLoopRuns) {
    Create(9);
    const int rows = 3000;
    for (int row = 0; row < rows; ++row)
        WidgetAddItem(List, -1, ("r" + std::to_string(row) + "\n1\n2\n3\n4\n5\n6\n7\n8").c_str());
    SCROLLINFO scroll = {};
    scroll.cbSize = sizeof scroll;
    scroll.fMask = SIF_RANGE | SIF_PAGE;
    const auto scrollsOverAll = [&] {
        return GetScrollInfo(list->Handle, SB_VERT, &scroll) &&
               scroll.nMax + 1 - static_cast<int>(scroll.nPage) >= rows - 20;
    };
    EXPECT_TRUE(PumpUntil(scrollsOverAll)) << scroll.nMax << " " << scroll.nPage;
    EXPECT_EQ(Row(rows - 1, 9), (Cells{"r2999", "1", "2", "3", "4", "5", "6", "7", "8"}));
}

// Rows put in before a selected row take the selection along, quietly; the check boxes are
// the widget's to keep, and the control shows them as it is told.
TEST_F(ListView, InsertingMovesTheSelectionAndCheckBoxesKeepTheirState) {
    Create(1, {"a", "b", "c"}, 1);
    WidgetSetState(List, 1);
    WidgetEventsUntil(1);
    WidgetAddItem(List, 0, "new");
    WidgetAddItem(List, 9, "last"); // past the end: appended
    EXPECT_EQ(WidgetGetState(List), 2);
    EXPECT_EQ(WidgetGetText(List), "b");
    EXPECT_EQ(Row(4, 1), Cells{"last"});
    EXPECT_TRUE(WidgetEventsUntil(1, 300).empty());
    kind->SetItemState(list, 3, ListViewRowChecked);
    EXPECT_EQ(kind->GetItemState(list, 3), ListViewRowChecked);
    EXPECT_EQ(kind->GetItemState(list, 2), ListViewRowSelected);
    EXPECT_EQ(SendMessageA(list->Handle, LVM_GETITEMSTATE, 3, LVIS_STATEIMAGEMASK),
              INDEXTOSTATEIMAGEMASK(2));
}

// A header click reports its column; the arrow shows in one column at a time, and the header
// looks as it does when drawn whole.
TEST_F(ListView, HeaderClicksReportTheColumnAndOneColumnShowsTheSortArrow) {
    Create(3, {"a\n1\n2"});
    HWND header = ListView_GetHeader(list->Handle);
    const auto pixels = [header](bool whole) {
        if (whole)
            InvalidateRect(header, nullptr, TRUE);
        UpdateWindow(header);
        std::vector<COLORREF> shown;
        HDC drawn = GetDC(header); // what the header drew, not yet what the screen shows
        for (int x = 0; x < 240; ++x)
            for (int y = 2; y < 16; y += 2)
                shown.push_back(GetPixel(drawn, x, y));
        ReleaseDC(header, drawn);
        return shown;
    };
    const auto arrows = [&] {
        const std::vector<COLORREF> shown = pixels(false);
        EXPECT_EQ(shown, pixels(true));
        std::vector<int> formats;
        for (int column = 0; column < 3; ++column) {
            HDITEMA item = {};
            item.mask = HDI_FORMAT;
            SendMessageA(header, HDM_GETITEMA, column, reinterpret_cast<LPARAM>(&item));
            formats.push_back(item.fmt & (HDF_SORTUP | HDF_SORTDOWN));
        }
        return formats;
    };
    RECT title = {};
    SendMessageA(header, HDM_GETITEMRECT, 2, reinterpret_cast<LPARAM>(&title));
    ClickAt(header, {(title.left + title.right) / 2, (title.top + title.bottom) / 2});
    EXPECT_EQ(WidgetEventsUntil(1), (WidgetEvents{{List, SubtypeColumnClick | 2}}));
    ListViewSortArrowSet(List, 2, 1);
    EXPECT_EQ(arrows(), (std::vector<int>{0, 0, HDF_SORTUP}));
    ListViewSortArrowSet(List, 1, -1);
    EXPECT_EQ(arrows(), (std::vector<int>{0, HDF_SORTDOWN, 0}));
    ListViewSortArrowSet(List, 1, 0);
    EXPECT_EQ(arrows(), (std::vector<int>{0, 0, 0}));
}

// Rows taken out keep their texts and data blocks, go back in where asked, and are freed with
// the block that holds them; a new order must name every row once.
TEST_F(ListView, RowsTakenOutGoBackInWholeAndReorder) {
    const int before = ListViewRowDataCount();
    Create(2, {"a\n1", "b\n2", "c\n3", "d\n4"});
    kind->SetItemData(list, 1, 22);
    const auto firsts = [this] {
        std::string cells;
        for (int row = 0; row < WidgetCountItems(List); ++row)
            cells += WidgetGetItemText(List, row, 0);
        return cells;
    };
    ListViewRowsTaken one = ListViewRowsTake(List, 1, 1);
    EXPECT_EQ(ListViewRowBlockCount(one.get()), 1);
    EXPECT_EQ(firsts(), "acd");
    EXPECT_EQ(ListViewRowsTake(List, 2, 5), nullptr);
    ListViewRowsPut(List, 3, std::move(one));
    EXPECT_EQ(firsts(), "acdb");
    EXPECT_EQ(kind->GetItemData(list, 3), 22);
    EXPECT_EQ(Row(3, 2), (Cells{"b", "2"}));
    ListViewRowsReorder(List, {3, 0, 2, 1}); // a row in place, three going round
    EXPECT_EQ(firsts(), "badc");
    ListViewRowsReorder(List, {0, 0, 1, 2}); // not every row: nothing
    ListViewRowsReorder(List, {1, 0, 3, 2}); // an order on top of the last
    EXPECT_EQ(firsts(), "abcd");
    EXPECT_EQ(kind->GetItemData(list, 1), 22);
    ListViewRowsTaken all = ListViewRowsTake(List, 0, 4);
    EXPECT_EQ(WidgetCountItems(List), 0);
    EXPECT_EQ(ListView_GetItemCount(list->Handle), 0);
    WidgetAddItem(List, -1, "e");
    ListViewRowsPut(List, 0, std::move(all));
    EXPECT_EQ(firsts(), "abcde");
    EXPECT_EQ(ListView_GetItemCount(list->Handle), 5);
    all = ListViewRowsTake(List, 0, 2);
    EXPECT_EQ(ListViewRowDataCount(), before + 1);
    all.reset();
    EXPECT_EQ(ListViewRowDataCount(), before);
}

// A text source stands in for a million rows: nothing is asked until the control draws, then
// only the rows on the screen; reading through the control, finding by typing and the
// selection work as with kept rows, rows added later keep their own texts, and clearing the
// list lets the source go.
TEST_F(ListView, TextSourceGivesOnlyTheRowsShownOrRead) {
    Create(2);
    const int rows = 1000000;
    int asked = 0;
    ListViewTextSourceSet(List, rows, [&asked](int row, int column) {
        ++asked;
        return (column ? "c" : "r") + std::to_string(row);
    });
    EXPECT_EQ(asked, 0);
    EXPECT_EQ(WidgetCountItems(List), rows);
    EXPECT_EQ(ListView_GetItemCount(list->Handle), rows);
    RedrawWindow(list->Handle, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
    EXPECT_GT(asked, 0);
    EXPECT_LT(asked, 200);
    char text[32] = "";
    ListView_GetItemText(list->Handle, rows - 1, 1, text, int(sizeof text));
    EXPECT_STREQ(text, "c999999");
    LVFINDINFOA find = {};
    find.flags = LVFI_STRING | LVFI_PARTIAL;
    find.psz = "R12";
    EXPECT_EQ(SendMessageA(list->Handle, LVM_FINDITEMA, 100, reinterpret_cast<LPARAM>(&find)), 120);
    WidgetSetState(List, 5);
    EXPECT_EQ(WidgetGetText(List), "r5");
    WidgetAddItem(List, -1, "own\ntext");
    EXPECT_EQ(Row(rows, 2), (Cells{"own", "text"}));
    EXPECT_EQ(Row(rows - 1, 2), (Cells{"r999999", "c999999"}));
    WidgetRemoveAllItems(List);
    WidgetAddItem(List, -1, "");
    EXPECT_EQ(Row(0, 2), (Cells{"", ""}));
}

} // namespace
