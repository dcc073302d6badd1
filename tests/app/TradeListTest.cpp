#include "app/TradeList.h"
#include "app/Trade.h"
#include "support/MemoryTrade.h"

#include <gtest/gtest.h>

using Texts = std::vector<std::string>;

// An entry as Compute leaves it: 10 units for 100, 10 to sell, yield 2 per unit or 20 %.
static void EnterComputed(MemorySheet& s, const char* ware, bool inAmounts) {
    ClearEntry(s.fields);
    s.fields.Set({{Field::Ware, ware},
                  {Field::BuyUnits, "10"},
                  {Field::BuyCost, "100"},
                  {Field::SellUnits, "10"},
                  {Field::Yield, inAmounts ? "2" : "20"}});
    s.fields.inAmounts = inAmounts;
    Compute(s.fields);
}

TEST(TradeListTransfer, RowsTakeColumnOrderAndTotalsAddUp) {
    MemorySheet s;
    ClearEntry(s.fields);
    TransferEntry(s.sheet);
    EXPECT_EQ(s.table.rows, (std::vector<Texts>{{"Ware", "0", "0", "0", "0", "0", "0", "0", "0"}}));
    EXPECT_EQ(s.Totals(), ZeroTotals);

    EnterComputed(s, "Tea", true);
    TransferEntry(s.sheet);
    TransferEntry(s.sheet);
    EXPECT_EQ(s.Totals(), (Texts{"20", "200.0000000000", "24.0000000000", "4.0000000000",
                                 "40.0000000000", "40.0000000000", "20", "240.0000000000"}));

    // Integer totals round each step half to even.
    MemorySheet half;
    half.fields.Set({{Field::BuyUnits, "2.5"}, {Field::SellUnits, "3.5"}});
    for (const char* expected : {"2", "4", "6"}) {
        TransferEntry(half.sheet);
        EXPECT_EQ(half.fields.texts[Field::TotalBuyUnits], expected);
    }
    EXPECT_EQ(half.fields.texts[Field::TotalSellUnits], "12");
}

// Three rows: amounts, percent, amounts; row 1 is selected.
static void ThreeRows(MemorySheet& s) {
    for (bool inAmounts : {true, false, true}) {
        EnterComputed(s, inAmounts ? "amounts" : "percent", inAmounts);
        TransferEntry(s.sheet);
    }
    s.table.selected = 1;
}

TEST(TradeListSelection, NoneOrOnePastTheEndLoadsAndDeletesNothing) {
    MemorySheet s;
    ThreeRows(s);
    for (int selected : {-1, 3}) {
        const auto before = s.fields.texts;
        s.table.selected = selected;
        LoadRowIntoEntry(s.sheet);
        DeleteRow(s.sheet);
        EXPECT_EQ(s.fields.texts, before) << selected;
        EXPECT_EQ(s.modes.size(), 3u);
    }
}

TEST(TradeListLoad, RowGivesBackItsCellsAndItsYieldInItsOwnMode) {
    MemorySheet s;
    ThreeRows(s);
    // A percent-mode row gives its percent back as the yield.
    LoadRowIntoEntry(s.sheet);
    EXPECT_FALSE(s.fields.inAmounts);
    EXPECT_EQ(s.fields.texts[Field::Yield], "20.0000000000");
    s.table.selected = 2;
    ClearEntry(s.fields);
    LoadRowIntoEntry(s.sheet);
    EXPECT_TRUE(s.fields.inAmounts);
    const Field back[] = {Field::Ware,      Field::BuyUnits,    Field::BuyCost,
                          Field::UnitPrice, Field::UnitYield,   Field::SellUnits,
                          Field::SellPrice, Field::YieldAmount, Field::YieldPercent};
    for (int column = 0; column < 9; ++column)
        EXPECT_EQ(s.fields.texts[back[column]], s.table.rows[2][size_t(column)]) << column;
    EXPECT_EQ(s.fields.texts[Field::Yield], "2.0000000000");
}

TEST(TradeListDelete, TakesTheRowOutOfTheTotalsAndTheModes) {
    MemorySheet two, three;
    ThreeRows(three);
    for (bool inAmounts : {true, true}) {
        EnterComputed(two, "amounts", inAmounts);
        TransferEntry(two.sheet);
    }
    DeleteRow(three.sheet);
    EXPECT_EQ(three.modes, (YieldModes{1, 1}));
    EXPECT_EQ(three.table.rows, two.table.rows);
    EXPECT_EQ(three.Totals(), two.Totals());

    // Totals return to a plain zero, never "-0.0000000000".
    three.fields.texts[Field::TotalBuyPrice] = "-0.0000000000";
    three.table.rows[1][2] = "0";
    DeleteRow(three.sheet);
    EXPECT_EQ(three.fields.texts[Field::TotalBuyPrice], "0.0000000000");
}

TEST(TradeListClear, EmptiesRowsModesEntryAndTotals) {
    MemorySheet s;
    ThreeRows(s);
    ClearList(s.sheet);
    EXPECT_EQ(s.table.rows.size() + s.modes.size(), 0u);
    EXPECT_EQ(s.fields.texts[Field::Ware], "Ware");
    EXPECT_EQ(s.Totals(), Texts(8, "0"));
}
