// The calculator window as it opens and what a trader does in it with the mouse
// and with the keyboard alone: compute entries, build the list, take rows out, clear it.
#include "support/KestravaDriver_win32.h"

#include <gtest/gtest.h>

namespace {

const Texts Salt = {"Salt",         "10", "100.0000000000", "12.0000000000",
                    "2.0000000000", "10", "120.0000000000", "20.0000000000",
                    "20.0000000000"};

// Salt is moved into the list twice and silk once; then the keyboard alone enters wool.
TEST(KestravaWindow, LayoutWorkedExamplesAndListRowsByMouseAndByKeyboard) {
    Kestrava app;
    ASSERT_TRUE(app.Ready());
    EXPECT_FALSE(GetWindowLongA(app.Main(), GWL_STYLE) & (WS_THICKFRAME | WS_MAXIMIZEBOX));
    for (int number :
         {UnitPriceField, SellPriceField, UnitYieldField, YieldAmountField, YieldPercentField,
          TotalBuyUnitsField, TotalBuyPriceField, TotalUnitPriceField, TotalUnitYieldField,
          TotalYieldAmountField, TotalYieldPercentField, TotalSellUnitsField, TotalSellPriceField})
        EXPECT_TRUE(GetWindowLongA(app.Control(number), GWL_STYLE) & ES_READONLY) << number;
    EXPECT_TRUE(app.Checked(YieldNumbersOption));

    app.ClickInto(app.Control(UnitPriceField)); // read-only, but it takes the focus
    app.Keys({'5', VK_BACK});
    app.ClickInto(app.Control(WareField)); // keys before this click are handled before it
    EXPECT_EQ("0", app.Text(UnitPriceField));

    app.TextSet(WareField, "Salt");
    app.Compute("10", "100", "10", "2");
    EXPECT_EQ((Texts{Salt[3], Salt[6], Salt[4], Salt[7], Salt[8]}), app.Results());
    for (int rows = 1; rows <= 2; ++rows) {
        app.Click(TransferButton);
        ASSERT_TRUE(WaitUntil([&] { return app.Rows() == rows; }));
    }
    EXPECT_EQ(Salt, app.Row(1)); // twice the same row, twice its totals
    EXPECT_EQ((Texts{"20", "200.0000000000", "24.0000000000", "4.0000000000", "20",
                     "240.0000000000", "40.0000000000", "40.0000000000"}),
              app.Totals());
    app.Click(YieldPercentOption); // the percentage sets the sell price; the rest follows from it
    ASSERT_TRUE(WaitUntil([&] { return app.Checked(YieldPercentOption); }));
    app.TextSet(WareField, "Silk");
    app.Compute("3", "10", "3", "10");
    EXPECT_EQ(
        (Texts{"3.6666666667", "11.0000000000", "0.3333333334", "1.0000000001", "10.0000000000"}),
        app.Results());
    app.Click(TransferButton);
    ASSERT_TRUE(WaitUntil([&] { return app.Rows() == 3; }));
    app.Click(ClearButton); // CLEAR keeps the chosen yield mode
    ASSERT_TRUE(WaitUntil([&] { return app.Text(WareField) == "Ware"; }));
    EXPECT_EQ(Texts(9, "0"),
              app.Fields({BuyUnitsField, BuyCostField, SellUnitsField, YieldField, UnitPriceField,
                          SellPriceField, UnitYieldField, YieldAmountField, YieldPercentField}));
    EXPECT_TRUE(app.Checked(YieldPercentOption));

    // Right click on the second row, "Delete" chosen with the keyboard.
    HWND list = app.Control(TradeList);
    ClickAt(list, app.RowPoint(1), 1, true);
    ASSERT_TRUE(app.WindowWait("", "#32768"));
    app.Keys({VK_DOWN, VK_RETURN});
    ASSERT_TRUE(WaitUntil([&] { return app.Rows() == 2; }));
    EXPECT_EQ(Salt, app.Row(0));
    EXPECT_EQ("Silk", app.Cell(1, 0));

    // A double click loads a row back, with the yield mode it was added in.
    ClickAt(list, app.RowPoint(1), 2);
    ASSERT_TRUE(WaitUntil([&] { return app.Text(WareField) == "Silk"; }));
    EXPECT_TRUE(app.Checked(YieldPercentOption));
    EXPECT_EQ("10.0000000000", app.Text(YieldField)); // the percentage, not the unit yield

    // From here on only keys. Tab walks the widgets in the order they stand, and wraps.
    app.Click(YieldNumbersOption);
    app.ClickInto(app.Control(WareField));
    std::vector<int> order;
    app.KeysUntil(
        VK_TAB, [&] { return !order.empty() && order.back() == 3; }, &order);
    EXPECT_EQ((std::vector<int>{BuyUnitsField,
                                BuyCostField,
                                SellUnitsField,
                                YieldNumbersOption,
                                YieldField,
                                UnitPriceField,
                                SellPriceField,
                                UnitYieldField,
                                YieldAmountField,
                                YieldPercentField,
                                ComputeButton,
                                TransferButton,
                                ClearButton,
                                StatsButton,
                                TradeList,
                                DonateButton,
                                TotalBuyUnitsField,
                                TotalBuyPriceField,
                                TotalUnitPriceField,
                                TotalUnitYieldField,
                                TotalYieldAmountField,
                                TotalYieldPercentField,
                                TotalSellUnitsField,
                                TotalSellPriceField,
                                WareField}),
              order);
    // Enter in an entry field computes, Space on the arrow moves the entry into the list.
    for (auto [field, text] : {std::pair{WareField, "Wool"},
                               {BuyUnitsField, "2"},
                               {BuyCostField, "10"},
                               {SellUnitsField, "2"},
                               {YieldField, "2.5"}}) {
        ASSERT_TRUE(app.TabTo(field));
        TypeKeys(text);
        ASSERT_TRUE(WaitUntil([&] { return app.Text(field) == text; }));
    }
    InputKey(VK_RETURN);
    EXPECT_TRUE(WaitUntil([&] { return app.Text(UnitPriceField) == "7.5000000000"; }));
    ASSERT_TRUE(app.TabTo(TransferButton));
    InputKey(VK_SPACE);
    ASSERT_TRUE(WaitUntil([&] { return app.Rows() == 3; }));
    ASSERT_TRUE(app.TabTo(TradeList));
    ASSERT_TRUE(app.KeysUntil(VK_HOME, [&] { return app.Selected() == 0; }));
    ASSERT_TRUE(app.KeysUntil(VK_DOWN, [&] { return app.Selected() == 1; }));
    InputKey(VK_DELETE);
    ASSERT_TRUE(WaitUntil([&] { return app.Rows() == 2; }));
    EXPECT_EQ((Texts{"Salt", "Wool"}), (Texts{app.Cell(0, 0), app.Cell(1, 0)}));
    // The percent total keeps 20 + 10 + 50 less silk's 10.
    EXPECT_EQ((Texts{"12", "110.0000000000", "19.5000000000", "4.5000000000", "12",
                     "135.0000000000", "25.0000000000", "70.0000000000"}),
              app.Totals());

    // Clear list, the fourth item of the first title past a separator, chosen with the keys; it
    // empties the list, its totals and the entry.
    app.Keys({VK_MENU, VK_DOWN, VK_DOWN, VK_DOWN, VK_DOWN, VK_RETURN});
    ASSERT_TRUE(WaitUntil([&] { return app.Rows() == 0; }));
    EXPECT_EQ("Ware", app.Text(WareField));
    EXPECT_EQ(Texts(8, "0"), app.Totals());
}

} // namespace
