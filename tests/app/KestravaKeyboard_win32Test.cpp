// The calculator without the mouse: every key goes through SendInput into the real program.
#include "support/KestravaExtras_win32.h"
#include "support/WinTestUtil_win32.h"

#include <gtest/gtest.h>

namespace {

using Texts = std::vector<std::string>;

Texts Totals(Kestrava& app) {
    return app.Texts({36, 37, 38, 39, 42, 43, 40, 41});
}

// Presses `key` until the list's selection is `row`.
bool SelectWith(Kestrava& app, WORD key, int row) {
    for (int presses = 0; presses < 5 && SelectedRow(app) != row; ++presses) {
        const int before = SelectedRow(app);
        InputKey(key);
        WaitUntil([&] { return SelectedRow(app) != before; }, 3000);
    }
    return SelectedRow(app) == row;
}

TEST(KestravaKeyboard, EntriesComputeOnEnterAndListRowsAreLoadedDeletedAndPoppedUpByKey) {
    Kestrava app;
    ASSERT_TRUE(app.Ready());
    struct Entry {
        const char *ware, *units, *cost, *sellUnits, *yield;
        int enterIn;
        const char *unitPrice, *yieldAmount;
    } entries[] = {
        {"Salt", "10", "100", "10", "2", 9, "12.0000000000", "20.0000000000"},
        {"Silk", "4", "40", "4", "1", 3, "11.0000000000", "4.0000000000"},
        {"Wool", "2", "10", "2", "2.5", 5, "7.5000000000", "5.0000000000"},
    };
    for (const Entry& e : entries) {
        SCOPED_TRACE(e.ware);
        const std::pair<int, const char*> fields[] = {
            {3, e.ware}, {4, e.units}, {5, e.cost}, {6, e.sellUnits}, {9, e.yield}};
        for (const auto& [field, text] : fields) {
            ASSERT_TRUE(TabTo(app, field)) << field;
            TypeOver(text);
            ASSERT_TRUE(WaitUntil([&] { return app.Text(field) == text; })) << app.Text(field);
        }
        ASSERT_TRUE(TabTo(app, e.enterIn));
        InputKey(VK_RETURN);
        EXPECT_TRUE(WaitUntil([&] { return app.Text(10) == e.unitPrice; })) << app.Text(10);
        EXPECT_EQ(e.yieldAmount, app.Text(13));
        const int rows = app.Rows();
        ASSERT_TRUE(TabTo(app, 15));
        InputKey(VK_SPACE);
        ASSERT_TRUE(WaitUntil([&] { return app.Rows() == rows + 1; }));
    }

    ASSERT_TRUE(TabTo(app, 26));
    ASSERT_TRUE(SelectWith(app, VK_DOWN, 0));
    ASSERT_TRUE(SelectWith(app, VK_DOWN, 1));
    InputKey(VK_RETURN);
    EXPECT_TRUE(WaitUntil([&] { return app.Text(3) == "Silk"; }));
    EXPECT_EQ((Texts{"4", "40.0000000000", "4", "1.0000000000", "11.0000000000"}),
              app.Texts({4, 5, 6, 9, 10}));

    InputKey(VK_DELETE);
    ASSERT_TRUE(WaitUntil([&] { return app.Rows() == 2; }));
    EXPECT_EQ("Salt", app.Cell(0, 0));
    EXPECT_EQ("Wool", app.Cell(1, 0));
    // Salt and wool alone; the percent total keeps 20 + 10 + 50 less silk's 10.
    EXPECT_EQ((Texts{"12", "110.0000000000", "19.5000000000", "4.5000000000", "12",
                     "135.0000000000", "25.0000000000", "70.0000000000"}),
              Totals(app));

    // Shift+F10 opens the popup beside the selected row; Escape closes it, deleting nothing.
    ASSERT_TRUE(SelectWith(app, VK_HOME, 0));
    InputKey(VK_F10, true);
    HWND popup = app.WindowWait("", "#32768");
    ASSERT_TRUE(popup);
    RECT menu = {};
    GetWindowRect(popup, &menu);
    POINT row = app.RowPoint(0);
    ClientToScreen(app.Control(26), &row);
    EXPECT_LE(std::abs(menu.top - row.y), 24) << menu.top << " against the row at " << row.y;
    InputKey(VK_ESCAPE);
    ASSERT_TRUE(WaitUntil([&] { return !IsWindowVisible(popup); }));
    EXPECT_EQ(2, app.Rows());

    // The context-menu key opens it too, and its Delete takes the selected row.
    ASSERT_TRUE(SelectWith(app, VK_END, 1));
    InputKey(VK_APPS);
    ASSERT_TRUE(app.WindowWait("", "#32768"));
    app.Keys({VK_DOWN, VK_RETURN});
    ASSERT_TRUE(WaitUntil([&] { return app.Rows() == 1; }));
    EXPECT_EQ("Salt", app.Cell(0, 0));
    EXPECT_EQ("10", app.Text(36));
}

} // namespace
