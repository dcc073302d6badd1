// What a trader does in the window: compute entries, build the list from them, take rows back
// out, clear, quit.
#include "support/KestravaDriver_win32.h"

#include <gtest/gtest.h>

namespace {

using Texts = std::vector<std::string>;

// Unit price, sell price, unit yield, yield amount, yield in percent.
Texts Results(Kestrava& app) {
    return app.Texts({10, 11, 12, 13, 32});
}
// Totals in column order: buy units, buy price, unit price, unit yield, sell units, sell
// price, yield amount, yield in percent.
Texts Totals(Kestrava& app) {
    return app.Texts({36, 37, 38, 39, 42, 43, 40, 41});
}

TEST(KestravaActions, ComputeGivesTheWorkedExamplesInBothYieldModes) {
    Kestrava app;
    ASSERT_TRUE(app.Ready());
    struct Case {
        bool percent;
        const char *units, *cost, *sellUnits, *yield, *costShown, *yieldShown;
        Texts results;
    } cases[] = {
        {false,
         "10",
         "100",
         "10",
         "2",
         "100.0000000000",
         "2.0000000000",
         {"12.0000000000", "120.0000000000", "2.0000000000", "20.0000000000", "20.0000000000"}},
        {false,
         "3",
         "10",
         "3",
         "1",
         "10.0000000000",
         "1.0000000000",
         {"4.3333333333", "13.0000000000", "1.0000000000", "3.0000000000", "29.9999999990"}},
        {false,
         "10",
         "100",
         "10",
         "abc",
         "100.0000000000",
         "0.0000000000",
         {"10.0000000000", "100.0000000000", "0.0000000000", "0.0000000000", "0.0000000000"}},
        {true,
         "10",
         "1e2",
         "10",
         "20",
         "100.0000000000",
         "20.0000000000",
         {"12.0000000000", "120.0000000000", "2.0000000000", "20.0000000000", "20.0000000000"}},
        {true,
         "3",
         "10",
         "3",
         "10",
         "10.0000000000",
         "10.0000000000",
         {"3.6666666667", "11.0000000000", "0.3333333334", "1.0000000001", "10.0000000000"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.cost) + " " + c.yield);
        app.Click(c.percent ? 8 : 7); // a real click on "%" or "1 2 3"
        ASSERT_TRUE(WaitUntil([&] { return app.Checked(c.percent ? 8 : 7); }));
        app.Compute(c.units, c.cost, c.sellUnits, c.yield);
        EXPECT_EQ(c.costShown, app.Text(5));
        EXPECT_EQ(c.yieldShown, app.Text(9));
        EXPECT_EQ(c.units, app.Text(4)); // the units keep their text as typed
        EXPECT_EQ(c.sellUnits, app.Text(6));
        EXPECT_EQ(c.results, Results(app));
    }
    app.Click(16); // CLEAR keeps the chosen yield mode
    ASSERT_TRUE(WaitUntil([&] { return app.Text(3) == "Ware"; }));
    EXPECT_EQ(Texts(5, "0"), Results(app));
    EXPECT_EQ((Texts{"0", "0", "0", "0"}), app.Texts({4, 5, 6, 9}));
    EXPECT_TRUE(app.Checked(8));
}

TEST(KestravaActions, ListRowsComeAndGoWithTheirTotals) {
    Kestrava app;
    ASSERT_TRUE(app.Ready());
    app.Type(3, "Salt");
    app.Compute("10", "100", "10", "2");
    app.Click(15);
    ASSERT_TRUE(WaitUntil([&] { return app.Rows() == 1; }));
    app.Click(15);
    ASSERT_TRUE(WaitUntil([&] { return app.Rows() == 2 && app.Text(36) == "20"; }));
    const Texts salt = {"Salt",         "10", "100.0000000000", "12.0000000000",
                        "2.0000000000", "10", "120.0000000000", "20.0000000000",
                        "20.0000000000"};
    EXPECT_EQ(salt, app.Row(0));
    EXPECT_EQ(salt, app.Row(1));
    EXPECT_EQ((Texts{"20", "200.0000000000", "24.0000000000", "4.0000000000", "20",
                     "240.0000000000", "40.0000000000", "40.0000000000"}),
              Totals(app));

    app.Type(3, "Silk");
    app.Click(8);
    app.Compute("3", "10", "3", "10");
    app.Click(15);
    ASSERT_TRUE(WaitUntil([&] { return app.Rows() == 3; }));

    // Right click on the second row, "Delete" chosen with the keyboard.
    HWND list = app.Control(26);
    app.RightClick(list, app.RowPoint(1));
    ASSERT_TRUE(app.WindowWait("", "#32768"));
    app.Keys({VK_DOWN, VK_RETURN});
    ASSERT_TRUE(WaitUntil([&] { return app.Rows() == 2; }));
    EXPECT_EQ(salt, app.Row(0));
    EXPECT_EQ("Silk", app.Cell(1, 0));
    EXPECT_EQ((Texts{"13", "110.0000000000", "15.6666666667", "2.3333333334", "13",
                     "131.0000000000", "21.0000000001", "30.0000000000"}),
              Totals(app));

    // A double click loads a row back, with the yield mode it was added in.
    app.Click(16);
    ASSERT_TRUE(WaitUntil([&] { return app.Text(3) == "Ware"; }));
    app.DoubleClick(list, app.RowPoint(0));
    ASSERT_TRUE(WaitUntil([&] { return app.Text(3) == "Salt"; }));
    EXPECT_TRUE(app.Checked(7));
    EXPECT_EQ((Texts{"10", "100.0000000000", "10", "2.0000000000"}), app.Texts({4, 5, 6, 9}));
    EXPECT_EQ((Texts{"12.0000000000", "120.0000000000", "2.0000000000", "20.0000000000",
                     "20.0000000000"}),
              Results(app));
    app.DoubleClick(list, app.RowPoint(1));
    ASSERT_TRUE(WaitUntil([&] { return app.Text(3) == "Silk"; }));
    EXPECT_TRUE(app.Checked(8));
    EXPECT_EQ("10.0000000000", app.Text(9)); // the percentage, not the unit yield

    app.Menu(4); // Clear list empties the list and the entry
    ASSERT_TRUE(WaitUntil([&] { return app.Rows() == 0; }));
    EXPECT_EQ("Ware", app.Text(3));
    EXPECT_EQ(Texts(5, "0"), Results(app));

    // The popup opens without a selected row too; its Delete then does nothing.
    const Texts totals = Totals(app);
    app.RightClick(list, POINT{300, 150});
    ASSERT_TRUE(app.WindowWait("", "#32768"));
    app.Keys({VK_DOWN, VK_RETURN});
    ASSERT_TRUE(WaitUntil([&] { return !app.Window("", "#32768"); }));
    EXPECT_TRUE(app.Responsive());
    EXPECT_EQ(totals, Totals(app));
}

TEST(KestravaActions, QuitAndTheCloseBoxEndWithExitCodeZeroDespiteAFilledList) {
    for (bool closeBox : {false, true}) {
        SCOPED_TRACE(closeBox ? "close box" : "Quit");
        Kestrava app;
        ASSERT_TRUE(app.Ready());
        app.Type(3, "Salt");
        app.Click(15);
        ASSERT_TRUE(WaitUntil([&] { return app.Rows() == 1; }));
        if (closeBox)
            app.CloseBox();
        else
            app.Menu(7);
        DWORD code = 1;
        EXPECT_TRUE(app.Ended(&code));
        EXPECT_EQ(0u, code);
    }
}

} // namespace
