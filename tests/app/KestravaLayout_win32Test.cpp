// The calculator window as it opens, and the hints its fields show in the status bar.
#include "support/KestravaDriver_win32.h"

#include <commctrl.h>
#include <gtest/gtest.h>

#include <array>

namespace {

constexpr int NoFlag = -1;
constexpr COLORREF NoColour = CLR_INVALID;
struct WidgetRow {
    int number;
    const char* className;
    int x, y, w, h;
    const char* text; // nullptr: not compared here
    int readOnly;     // 0/1 for the string fields
    COLORREF back;
};
constexpr COLORREF Result = RGB(235, 235, 255), BuyTotal = RGB(255, 244, 244),
                   UnitTotal = RGB(244, 255, 244), YieldTotal = RGB(225, 255, 225);

const WidgetRow Widgets[] = {
    {0, "Button", 11, 57, 180, 86, "Insert Buydatas:", NoFlag, NoColour},
    {1, "Button", 11, 145, 180, 69, "Insert Selldatas:", NoFlag, NoColour},
    {2, "Button", 11, 216, 180, 121, "Results:", NoFlag, NoColour},
    {3, "Edit", 21, 84, 160, 20, "Ware", 0, NoColour},
    {4, "Edit", 21, 118, 70, 20, "0", 0, NoColour},
    {5, "Edit", 111, 118, 70, 20, "0", 0, NoColour},
    {6, "Edit", 21, 178, 70, 20, "0", 0, NoColour},
    {7, "Button", 109, 170, 40, 19, "1 2 3", NoFlag, NoColour},
    {8, "Button", 158, 170, 30, 19, "%", NoFlag, NoColour},
    {9, "Edit", 111, 189, 70, 20, "0", 0, NoColour},
    {10, "Edit", 21, 244, 70, 20, "0", 1, Result},
    {11, "Edit", 111, 244, 70, 20, "0", 1, Result},
    {12, "Edit", 21, 278, 70, 20, "0", 1, Result},
    {13, "Edit", 111, 278, 70, 20, "0", 1, Result},
    {32, "Edit", 21, 312, 70, 20, "0", 1, Result},
    {14, "Button", 16, 339, 105, 20, "COMPUTE", NoFlag, NoColour},
    {15, "Button", 198, 118, 21, 170, "->", NoFlag, NoColour},
    {16, "Button", 126, 339, 55, 20, "CLEAR", NoFlag, NoColour},
    {31, "Button", 116, 310, 58, 20, "Stats", NoFlag, NoColour},
    {17, "Static", 21, 104, 40, 12, "Number:", NoFlag, NoColour},
    {18, "Static", 111, 104, 30, 12, "Cost:", NoFlag, NoColour},
    {19, "Static", 21, 164, 40, 12, "Number:", NoFlag, NoColour},
    {20, "Static", 111, 157, 30, 12, "Yield:", NoFlag, NoColour},
    {21, "Static", 21, 230, 44, 12, "Unitprice:", NoFlag, NoColour},
    {22, "Static", 111, 230, 42, 12, "Sellprice:", NoFlag, NoColour},
    {23, "Static", 21, 264, 61, 13, "Unityield  ($):", NoFlag, NoColour},
    {24, "Static", 111, 264, 44, 13, "Yield  ($):", NoFlag, NoColour},
    {30, "Static", 21, 298, 46, 13, "Yield  (%):", NoFlag, NoColour},
    {25, "Static", 21, 70, 40, 12, "Product:", NoFlag, NoColour},
    {26, "SysListView32", 225, 63, 784, 275, nullptr, NoFlag, NoColour},
    {28, "Static", 6, 3, 520, 45, nullptr, NoFlag, NoColour},
    {29, "Static", 8, 56, 186, 306, "", NoFlag, NoColour},
    {45, "Static", 222, 56, 789, 306, "", NoFlag, NoColour},
    {44, "Static", 3, 51, 1012, 315, "", NoFlag, NoColour},
    {34, "Static", 970, 10, 41, 17, "v.1.0b", NoFlag, NoColour},
    {35, "Static", 752, 30, 260, 17, nullptr, NoFlag, NoColour},
    {46, "Static", 304, 340, 50, 17, "Total:", NoFlag, NoColour},
    {47, "Button", 752, 8, 210, 20, "DONATE", NoFlag, NoColour},
    {36, "Edit", 356, 338, 56, 20, "0", 1, BuyTotal},
    {37, "Edit", 412, 338, 90, 20, "0", 1, BuyTotal},
    {38, "Edit", 502, 338, 90, 20, "0", 1, UnitTotal},
    {39, "Edit", 592, 338, 90, 20, "0", 1, UnitTotal},
    {40, "Edit", 828, 338, 90, 20, "0", 1, YieldTotal},
    {41, "Edit", 918, 338, 91, 20, "0", 1, YieldTotal},
    {42, "Edit", 682, 338, 56, 20, "0", 1, UnitTotal},
    {43, "Edit", 738, 338, 90, 20, "0", 1, UnitTotal},
};

COLORREF ScreenPixel(POINT at) {
    HDC screen = GetDC(nullptr);
    const COLORREF colour = GetPixel(screen, at.x, at.y);
    ReleaseDC(nullptr, screen);
    return colour;
}

TEST(KestravaLayout, EveryWidgetColumnAndTheStatusBarAsTheTableSays) {
    EXPECT_TRUE(std::filesystem::is_directory(KV_APP_DIR "/Saved-Entrys"));
    EXPECT_TRUE(std::filesystem::is_directory(KV_APP_DIR "/Saved-Lists"));
    Kestrava app;
    ASSERT_TRUE(app.Ready());
    HWND main = app.Main();
    RECT frame = {}, client = {};
    GetWindowRect(main, &frame);
    GetClientRect(main, &client);
    EXPECT_EQ(0, frame.left);
    EXPECT_EQ(0, frame.top);
    EXPECT_EQ(1018, client.right);
    EXPECT_FALSE(GetWindowLongA(main, GWL_STYLE) & (WS_THICKFRAME | WS_MAXIMIZEBOX));

    for (const WidgetRow& row : Widgets) {
        SCOPED_TRACE(row.number);
        HWND control = app.Control(row.number);
        ASSERT_TRUE(control);
        EXPECT_EQ(row.number, GetDlgCtrlID(control));
        char className[64] = {};
        GetClassNameA(control, className, sizeof className);
        EXPECT_STRCASEEQ(row.className, className);
        RECT r = {};
        GetWindowRect(control, &r);
        MapWindowPoints(nullptr, main, reinterpret_cast<POINT*>(&r), 2);
        using Edges = std::array<LONG, 4>;
        EXPECT_EQ((Edges{row.x, row.y, row.x + row.w, row.y + row.h}),
                  (Edges{r.left, r.top, r.right, r.bottom}));
        if (row.text) {
            EXPECT_EQ(row.text, app.Text(control));
        }
        if (row.readOnly != NoFlag) {
            EXPECT_EQ(row.readOnly != 0, (GetWindowLongA(control, GWL_STYLE) & ES_READONLY) != 0);
        }
        if (row.back != NoColour) { // inside the field, right of its short text
            POINT inside = {r.right - 5, (r.top + r.bottom) / 2};
            ClientToScreen(main, &inside);
            WaitUntil([&] { return ScreenPixel(inside) == row.back; }, 3000);
            EXPECT_EQ(row.back, ScreenPixel(inside));
        }
    }
    const std::string credit = app.Text(35);
    EXPECT_FALSE(credit.empty());
    EXPECT_EQ(std::string::npos, credit.find_first_of("\r\n"));

    HWND list = app.Control(26);
    EXPECT_EQ(LVS_REPORT | LVS_SINGLESEL,
              GetWindowLongA(list, GWL_STYLE) & (LVS_TYPEMASK | LVS_SINGLESEL));
    const char* titles[] = {"Ware",      "Buyunits",  "Buyprice",  "Unitprice", "Unityield [$]",
                            "Sellunits", "Sellprice", "Yield [$]", "Yield [%]"};
    const int widths[] = {128, 56, 90, 90, 90, 56, 90, 90, 90};
    for (int column = 0; column < 9; ++column) {
        EXPECT_EQ(titles[column], app.ColumnTitle(column));
        EXPECT_EQ(widths[column], app.ColumnWidth(column)) << titles[column];
    }
    EXPECT_EQ(0, app.Rows());
    EXPECT_EQ("\tInformation-Bar", app.Status());
    EXPECT_TRUE(app.Checked(7));
    EXPECT_FALSE(app.Checked(8));
}

TEST(KestravaLayout, FieldsShowTheirHintsInTheOrderFocusMoves) {
    Kestrava app;
    ASSERT_TRUE(app.Ready());
    HWND list = app.Control(26);
    auto statusBecomes = [&](const std::string& text) {
        WaitUntil([&] { return app.Status() == text; });
        return app.Status();
    };
    ASSERT_TRUE(app.ClickInto(app.Control(3)));
    EXPECT_EQ("\tInsert the name of the ware with which you want to trade",
              statusBecomes("\tInsert the name of the ware with which you want to trade"));
    // Leaving the ware field writes "Information-Bar" before the units field shows its hint.
    app.Keys({VK_TAB});
    EXPECT_EQ("\tInsert how much units you want to buy",
              statusBecomes("\tInsert how much units you want to buy"));
    EXPECT_EQ(app.Control(4), app.Focus());
    app.Click(list); // the list has no hint: what stays is the leaving field's
    EXPECT_EQ("Information-Bar", statusBecomes("Information-Bar"));
    app.Click(5);
    EXPECT_EQ("\tInsert the buy-price of all units",
              statusBecomes("\tInsert the buy-price of all units"));
    app.Click(list);
    EXPECT_EQ("\tInformation-Bar", statusBecomes("\tInformation-Bar"));

    app.Click(8);
    EXPECT_EQ("\tChoose if you want to use numbers or percent for the yield",
              statusBecomes("\tChoose if you want to use numbers or percent for the yield"));
    EXPECT_TRUE(app.Checked(8));
    EXPECT_FALSE(app.Checked(7));

    // A read-only result takes the focus and shows its hint, but typing changes nothing.
    app.Click(10);
    EXPECT_EQ("\tThis is the sell-price of one unit",
              statusBecomes("\tThis is the sell-price of one unit"));
    app.Keys({'5', VK_BACK});
    app.Click(3); // keys before this click are handled before it
    statusBecomes("\tInsert the name of the ware with which you want to trade");
    EXPECT_EQ("0", app.Text(10));
}

} // namespace
