#include "support/MemoryTrade.h"

#include <gtest/gtest.h>

using Texts = std::vector<std::string>;

TEST(TradeList, AnEmptyEntryAddsZerosAndIntegerTotalsRoundEachStepHalfToEven) {
    MemorySheet s;
    ClearEntry(s.fields);
    TransferEntry(s.sheet);
    EXPECT_EQ(s.table.rows, (std::vector<Texts>{{"Ware", "0", "0", "0", "0", "0", "0", "0", "0"}}));
    EXPECT_EQ(s.Totals(), ZeroTotals);
    MemorySheet half;
    half.fields.Set({{Field::BuyUnits, "2.5"}, {Field::SellUnits, "3.5"}});
    for (const char* expected : {"2", "4", "6"}) {
        TransferEntry(half.sheet);
        EXPECT_EQ(half.fields.texts[Field::TotalBuyUnits], expected);
    }
    EXPECT_EQ(half.fields.texts[Field::TotalSellUnits], "12");
}

// The worked examples of adding, loading and deleting rows run in the program's own test;
// here what a user cannot easily bring about.
TEST(TradeList, ModesStayInStepAndASelectionOutsideTheRowsChangesNothing) {
    MemorySheet s, two;
    for (bool inAmounts : {true, false, true})
        s.RowAdd(inAmounts ? "amounts" : "percent", 10, inAmounts);
    two.RowAdd("amounts", 10, true);
    two.RowAdd("amounts", 10, true);
    for (int selected : {-1, 3}) {
        const auto before = s.fields.texts;
        s.table.selected = selected;
        LoadRowIntoEntry(s.sheet);
        DeleteRow(s.sheet);
        EXPECT_EQ(s.fields.texts, before) << selected;
        EXPECT_EQ(s.modes.size(), 3u);
    }
    s.table.selected = 1;
    LoadRowIntoEntry(s.sheet);
    EXPECT_FALSE(s.fields.inAmounts);
    EXPECT_EQ(s.fields.texts[Field::Yield], "20.0000000000"); // the percentage, not per unit
    DeleteRow(s.sheet);
    EXPECT_EQ(s.modes, (YieldModes{1, 1}));
    EXPECT_EQ(s.table.rows, two.table.rows);
    EXPECT_EQ(s.Totals(), two.Totals());

    // Totals return to a plain zero, never "-0.0000000000".
    s.fields.texts[Field::TotalBuyPrice] = "-0.0000000000";
    s.table.rows[1][2] = "0";
    DeleteRow(s.sheet);
    EXPECT_EQ(s.fields.texts[Field::TotalBuyPrice], "0.0000000000");
    ClearList(s.sheet);
    EXPECT_EQ(s.table.rows.size() + s.modes.size(), 0u);
    EXPECT_EQ(s.fields.texts[Field::Ware], "Ware");
    EXPECT_EQ(s.Totals(), Texts(8, "0"));
}
