// The calculator window as it opens, its hints, and what a trader does in it with the mouse
// and with the keyboard alone: compute entries, build the list, take rows out, clear it.
#include "support/KestravaDriver_win32.h"
#include "support/WinTestUtil_win32.h"

#include <commctrl.h>
#include <gtest/gtest.h>

#include <array>

namespace {

struct WidgetRow {
    int number;
    const char* className;
    int x, y, w, h;
    const char* text;  // nullptr: not compared here
    int readOnly = -1; // 0/1 for the string fields
    COLORREF back = CLR_INVALID;
};
constexpr COLORREF Result = RGB(235, 235, 255), BuyTotal = RGB(255, 244, 244),
                   UnitTotal = RGB(244, 255, 244), YieldTotal = RGB(225, 255, 225);

const WidgetRow Widgets[] = {
    {0, "Button", 11, 57, 180, 86, "Insert Buydatas:"},
    {1, "Button", 11, 145, 180, 69, "Insert Selldatas:"},
    {2, "Button", 11, 216, 180, 121, "Results:"},
    {3, "Edit", 21, 84, 160, 20, "Ware", 0},
    {4, "Edit", 21, 118, 70, 20, "0", 0},
    {5, "Edit", 111, 118, 70, 20, "0", 0},
    {6, "Edit", 21, 178, 70, 20, "0", 0},
    {7, "Button", 109, 170, 40, 19, "1 2 3"},
    {8, "Button", 158, 170, 30, 19, "%"},
    {9, "Edit", 111, 189, 70, 20, "0", 0},
    {10, "Edit", 21, 244, 70, 20, "0", 1, Result},
    {11, "Edit", 111, 244, 70, 20, "0", 1, Result},
    {12, "Edit", 21, 278, 70, 20, "0", 1, Result},
    {13, "Edit", 111, 278, 70, 20, "0", 1, Result},
    {32, "Edit", 21, 312, 70, 20, "0", 1, Result},
    {14, "Button", 16, 339, 105, 20, "COMPUTE"},
    {15, "Button", 198, 118, 21, 170, "->"},
    {16, "Button", 126, 339, 55, 20, "CLEAR"},
    {31, "Button", 116, 310, 58, 20, "Stats"},
    {17, "Static", 21, 104, 40, 12, "Number:"},
    {18, "Static", 111, 104, 30, 12, "Cost:"},
    {19, "Static", 21, 164, 40, 12, "Number:"},
    {20, "Static", 111, 157, 30, 12, "Yield:"},
    {21, "Static", 21, 230, 44, 12, "Unitprice:"},
    {22, "Static", 111, 230, 42, 12, "Sellprice:"},
    {23, "Static", 21, 264, 61, 13, "Unityield  ($):"},
    {24, "Static", 111, 264, 44, 13, "Yield  ($):"},
    {30, "Static", 21, 298, 46, 13, "Yield  (%):"},
    {25, "Static", 21, 70, 40, 12, "Product:"},
    {26, "SysListView32", 225, 63, 784, 275, nullptr},
    {28, "Static", 6, 3, 520, 45, nullptr},
    {29, "Static", 8, 56, 186, 306, ""},
    {45, "Static", 222, 56, 789, 306, ""},
    {44, "Static", 3, 51, 1012, 315, ""},
    {34, "Static", 970, 10, 41, 17, "v.1.0b"},
    {35, "Static", 752, 30, 260, 17, nullptr},
    {46, "Static", 304, 340, 50, 17, "Total:"},
    {47, "Button", 752, 8, 210, 20, "DONATE"},
    {36, "Edit", 356, 338, 56, 20, "0", 1, BuyTotal},
    {37, "Edit", 412, 338, 90, 20, "0", 1, BuyTotal},
    {38, "Edit", 502, 338, 90, 20, "0", 1, UnitTotal},
    {39, "Edit", 592, 338, 90, 20, "0", 1, UnitTotal},
    {40, "Edit", 828, 338, 90, 20, "0", 1, YieldTotal},
    {41, "Edit", 918, 338, 91, 20, "0", 1, YieldTotal},
    {42, "Edit", 682, 338, 56, 20, "0", 1, UnitTotal},
    {43, "Edit", 738, 338, 90, 20, "0", 1, UnitTotal},
};

// Presses `key` until the list's selection is `row`.
bool SelectWith(Kestrava& app, WORD key, int row) {
    for (int presses = 0; presses < 5 && app.Selected() != row; ++presses) {
        const int before = app.Selected();
        InputKey(key);
        WaitUntil([&] { return app.Selected() != before; }, 3000);
    }
    return app.Selected() == row;
}

// In the worked examples salt is moved into the list twice and silk once.
TEST(KestravaWindow, LayoutHintsWorkedExamplesAndListRowsByMouseAndByKeyboard) {
    EXPECT_TRUE(std::filesystem::is_directory(KV_APP_DIR "/Saved-Entrys"));
    EXPECT_TRUE(std::filesystem::is_directory(KV_APP_DIR "/Saved-Lists"));
    Kestrava app;
    ASSERT_TRUE(app.Ready());
    HWND main = app.Main();
    RECT frame = {}, client = {};
    GetWindowRect(main, &frame);
    GetClientRect(main, &client);
    EXPECT_EQ((std::array<LONG, 3>{0, 0, 1018}), (std::array{frame.left, frame.top, client.right}));
    EXPECT_FALSE(GetWindowLongA(main, GWL_STYLE) & (WS_THICKFRAME | WS_MAXIMIZEBOX));
    for (const WidgetRow& row : Widgets) {
        SCOPED_TRACE(row.number);
        HWND control = app.Control(row.number);
        ASSERT_TRUE(control);
        char className[64] = {};
        GetClassNameA(control, className, sizeof className);
        EXPECT_STRCASEEQ(row.className, className);
        RECT r = {};
        GetWindowRect(control, &r);
        MapWindowPoints(nullptr, main, reinterpret_cast<POINT*>(&r), 2);
        EXPECT_EQ((std::array<LONG, 4>{row.x, row.y, row.x + row.w, row.y + row.h}),
                  (std::array{r.left, r.top, r.right, r.bottom}));
        EXPECT_EQ(row.text ? row.text : "", row.text ? app.Text(control) : "");
        EXPECT_EQ(row.readOnly,
                  row.readOnly < 0 ? -1 : (GetWindowLongA(control, GWL_STYLE) & ES_READONLY) != 0);
        if (row.back != CLR_INVALID) { // inside the field, right of its short text
            const int x = r.right - 5, y = (r.top + r.bottom) / 2;
            EXPECT_TRUE(WaitUntil([&] { return ClientPixel(main, x, y) == row.back; }, 3000))
                << std::hex << ClientPixel(main, x, y);
        }
    }
    EXPECT_FALSE(app.Text(35).empty());
    EXPECT_EQ(std::string::npos, app.Text(35).find_first_of("\r\n"));
    EXPECT_EQ(LVS_REPORT | LVS_SINGLESEL,
              GetWindowLongA(app.Control(26), GWL_STYLE) & (LVS_TYPEMASK | LVS_SINGLESEL));
    const std::pair<std::string, int> columns[] = {
        {"Ware", 128},     {"Buyunits", 56},      {"Buyprice", 90},
        {"Unitprice", 90}, {"Unityield [$]", 90}, {"Sellunits", 56},
        {"Sellprice", 90}, {"Yield [$]", 90},     {"Yield [%]", 90}};
    for (int column = 0; column < 9; ++column)
        EXPECT_EQ(columns[column], std::pair(app.ColumnTitle(column), app.ColumnWidth(column)));
    EXPECT_EQ(0, app.Rows());
    EXPECT_EQ("\tInformation-Bar", app.Status());
    EXPECT_TRUE(app.Checked(7));

    // Hints in the order focus moves; -1 is a Tab, any other step a click into that widget.
    const std::pair<int, const char*> steps[] = {
        {3, "\tInsert the name of the ware with which you want to trade"},
        {-1, "\tInsert how much units you want to buy"},
        {26, "Information-Bar"}, // the list has no hint; BuyUnits leaves this one behind
        {5, "\tInsert the buy-price of all units"},
        {26, "\tInformation-Bar"},
        {8, "\tChoose if you want to use numbers or percent for the yield"},
        {10, "\tThis is the sell-price of one unit"}, // read-only, but focused and hinted
    };
    for (auto [step, status] : steps) {
        if (step < 0)
            app.Keys({VK_TAB});
        else
            app.ClickInto(app.Control(step));
        EXPECT_TRUE(WaitUntil([&] { return app.Status() == status; })) << app.Status();
    }
    EXPECT_FALSE(app.Checked(7));
    app.Keys({'5', VK_BACK});
    app.ClickInto(app.Control(3)); // keys before this click are handled before it
    EXPECT_EQ("0", app.Text(10));

    struct Case {
        bool percent;
        const char *ware, *units, *cost, *sellUnits, *yield, *costShown, *yieldShown;
        Texts results;
        int moves;
    } cases[] = {
        // clang-format off
        {false, "Salt", "10", "100", "10", "2", "100.0000000000", "2.0000000000", {"12.0000000000", "120.0000000000", "2.0000000000", "20.0000000000", "20.0000000000"}, 2},
        {false, "Ware", "3", "10", "3", "1", "10.0000000000", "1.0000000000", {"4.3333333333", "13.0000000000", "1.0000000000", "3.0000000000", "29.9999999990"}, 0},
        {false, "Ware", "10", "100", "10", "abc", "100.0000000000", "0.0000000000", {"10.0000000000", "100.0000000000", "0.0000000000", "0.0000000000", "0.0000000000"}, 0},
        {true, "Ware", "10", "1e2", "10", "20", "100.0000000000", "20.0000000000", {"12.0000000000", "120.0000000000", "2.0000000000", "20.0000000000", "20.0000000000"}, 0},
        {true, "Silk", "3", "10", "3", "10", "10.0000000000", "10.0000000000", {"3.6666666667", "11.0000000000", "0.3333333334", "1.0000000001", "10.0000000000"}, 1},
        // clang-format on
    };
    const Texts salt = {"Salt",         "10", "100.0000000000", "12.0000000000",
                        "2.0000000000", "10", "120.0000000000", "20.0000000000",
                        "20.0000000000"};
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.cost) + " " + c.yield);
        app.Click(c.percent ? 8 : 7);
        ASSERT_TRUE(WaitUntil([&] { return app.Checked(c.percent ? 8 : 7); }));
        app.Type(3, c.ware);
        app.Compute(c.units, c.cost, c.sellUnits, c.yield);
        // The units keep their text as typed.
        EXPECT_EQ((Texts{c.units, c.costShown, c.sellUnits, c.yieldShown}),
                  app.Fields({4, 5, 6, 9}));
        EXPECT_EQ(c.results, app.Results());
        for (int move = 0, rows = app.Rows(); move < c.moves; ++move) {
            app.Click(15);
            ASSERT_TRUE(WaitUntil([&] { return app.Rows() == rows + move + 1; }));
        }
        if (c.moves == 2) { // twice the same row, twice its totals
            EXPECT_EQ(salt, app.Row(1));
            EXPECT_EQ((Texts{"20", "200.0000000000", "24.0000000000", "4.0000000000", "20",
                             "240.0000000000", "40.0000000000", "40.0000000000"}),
                      app.Totals());
        }
    }
    app.Click(16); // CLEAR keeps the chosen yield mode
    ASSERT_TRUE(WaitUntil([&] { return app.Text(3) == "Ware"; }));
    EXPECT_EQ(Texts(9, "0"), app.Fields({4, 5, 6, 9, 10, 11, 12, 13, 32}));
    EXPECT_TRUE(app.Checked(8));

    // Right click on the second row, "Delete" chosen with the keyboard.
    HWND list = app.Control(26);
    ClickAt(list, app.RowPoint(1), 1, true);
    ASSERT_TRUE(app.WindowWait("", "#32768"));
    app.Keys({VK_DOWN, VK_RETURN});
    ASSERT_TRUE(WaitUntil([&] { return app.Rows() == 2; }));
    EXPECT_EQ(salt, app.Row(0));
    EXPECT_EQ("Silk", app.Cell(1, 0));
    EXPECT_EQ((Texts{"13", "110.0000000000", "15.6666666667", "2.3333333334", "13",
                     "131.0000000000", "21.0000000001", "30.0000000000"}),
              app.Totals());

    // A double click loads a row back, with the yield mode it was added in.
    ClickAt(list, app.RowPoint(0), 2);
    ASSERT_TRUE(WaitUntil([&] { return app.Text(3) == "Salt"; }));
    EXPECT_TRUE(app.Checked(7));
    EXPECT_EQ((Texts{"10", "100.0000000000", "10", "2.0000000000"}), app.Fields({4, 5, 6, 9}));
    EXPECT_EQ((Texts{salt[3], salt[6], salt[4], salt[7], salt[8]}), app.Results());
    ClickAt(list, app.RowPoint(1), 2);
    ASSERT_TRUE(WaitUntil([&] { return app.Text(3) == "Silk"; }));
    EXPECT_TRUE(app.Checked(8));
    EXPECT_EQ("10.0000000000", app.Text(9)); // the percentage, not the unit yield

    app.Menu(4); // Clear list empties the list, its totals and the entry
    ASSERT_TRUE(WaitUntil([&] { return app.Rows() == 0; }));
    EXPECT_EQ("Ware", app.Text(3));
    EXPECT_EQ(Texts(5, "0"), app.Results());
    // The popup opens without a selected row too; its Delete then does nothing.
    ClickAt(list, {300, 150}, 1, true);
    ASSERT_TRUE(app.WindowWait("", "#32768"));
    app.Keys({VK_DOWN, VK_RETURN});
    ASSERT_TRUE(WaitUntil([&] { return !app.Window("", "#32768"); }));
    EXPECT_EQ(Texts(8, "0"), app.Totals());

    app.Click(7); // back to amounts; from here on only keys
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
        for (auto [field, text] :
             {std::pair{3, e.ware}, {4, e.units}, {5, e.cost}, {6, e.sellUnits}, {9, e.yield}}) {
            ASSERT_TRUE(app.TabTo(field)) << field;
            TypeKeys(text);
            ASSERT_TRUE(WaitUntil([&] { return app.Text(field) == text; })) << app.Text(field);
        }
        ASSERT_TRUE(app.TabTo(e.enterIn));
        InputKey(VK_RETURN);
        EXPECT_TRUE(WaitUntil([&] { return app.Text(10) == e.unitPrice; })) << app.Text(10);
        EXPECT_EQ(e.yieldAmount, app.Text(13));
        const int rows = app.Rows();
        ASSERT_TRUE(app.TabTo(15));
        InputKey(VK_SPACE);
        ASSERT_TRUE(WaitUntil([&] { return app.Rows() == rows + 1; }));
    }
    ASSERT_TRUE(app.TabTo(26));
    ASSERT_TRUE(SelectWith(app, VK_DOWN, 0));
    ASSERT_TRUE(SelectWith(app, VK_DOWN, 1));
    InputKey(VK_RETURN);
    EXPECT_TRUE(
        WaitUntil([&] { return app.Text(3) == "Silk" && app.Text(10) == "11.0000000000"; }));
    InputKey(VK_DELETE);
    ASSERT_TRUE(WaitUntil([&] { return app.Rows() == 2; }));
    EXPECT_EQ((Texts{"Salt", "Wool"}), (Texts{app.Cell(0, 0), app.Cell(1, 0)}));
    // The percent total keeps 20 + 10 + 50 less silk's 10.
    EXPECT_EQ((Texts{"12", "110.0000000000", "19.5000000000", "4.5000000000", "12",
                     "135.0000000000", "25.0000000000", "70.0000000000"}),
              app.Totals());

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
