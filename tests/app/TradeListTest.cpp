#include "app/Trade.h"
#include "app/TradeList.h"
#include "runtime/NumberText.h"
#include "support/MemoryTrade.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

using Texts = std::vector<std::string>;

const Field Totals[] = {Field::TotalBuyUnits,    Field::TotalBuyPrice,
                        Field::TotalUnitPrice,   Field::TotalUnitYield,
                        Field::TotalYieldAmount, Field::TotalYieldPercent,
                        Field::TotalSellUnits,   Field::TotalSellPrice};

Texts TotalsOf(MemorySheet& s) {
    Texts texts;
    for (Field total : Totals)
        texts.push_back(s.fields.texts[total]);
    return texts;
}

// An entry as Compute leaves it: 10 units for 100, 10 to sell, yield 2 per unit or 20 %.
void EnterComputed(MemorySheet& s, const char* ware, bool inAmounts) {
    ClearEntry(s.fields);
    s.fields.Set({{Field::Ware, ware}, {Field::BuyUnits, "10"}, {Field::BuyCost, "100"},
                  {Field::SellUnits, "10"}, {Field::Yield, inAmounts ? "2" : "20"}});
    s.fields.inAmounts = inAmounts;
    Compute(s.fields);
}

} // namespace

TEST(TradeListTransfer, ClearedEntryAddsZeroRowAndZeroTotals) {
    MemorySheet s;
    ClearEntry(s.fields);
    TransferEntry(s.sheet);
    ASSERT_EQ(s.table.rows.size(), 1u);
    EXPECT_EQ(s.table.rows[0], (Texts{"Ware", "0", "0", "0", "0", "0", "0", "0", "0"}));
    EXPECT_EQ(s.modes, (YieldModes{1}));
    EXPECT_EQ(TotalsOf(s), (Texts{"0", "0.0000000000", "0.0000000000", "0.0000000000",
                                  "0.0000000000", "0.0000000000", "0", "0.0000000000"}));
}

TEST(TradeListTransfer, RowTakesColumnOrderAndTwiceDoublesEveryTotal) {
    MemorySheet s;
    EnterComputed(s, "Tea", true);
    TransferEntry(s.sheet);
    TransferEntry(s.sheet);
    const Texts row{"Tea",          "10", "100.0000000000", "12.0000000000", "2.0000000000",
                    "10",           "120.0000000000",   "20.0000000000", "20.0000000000"};
    EXPECT_EQ(s.table.rows, (std::vector<Texts>{row, row}));
    EXPECT_EQ(TotalsOf(s), (Texts{"20", "200.0000000000", "24.0000000000", "4.0000000000",
                                  "40.0000000000", "40.0000000000", "20", "240.0000000000"}));
    // The entry stays as it was for the next transfer.
    EXPECT_EQ(s.fields.texts[Field::Ware], "Tea");
}

TEST(TradeListTransfer, IntegerTotalsRoundEachStepHalfToEven) {
    MemorySheet s;
    ClearEntry(s.fields);
    s.fields.Set({{Field::BuyUnits, "2.5"}, {Field::SellUnits, "3.5"}});
    const char* expected[][2] = {{"2", "4"}, {"4", "8"}, {"6", "12"}};
    for (auto& step : expected) {
        TransferEntry(s.sheet);
        EXPECT_EQ(s.fields.texts[Field::TotalBuyUnits], step[0]);
        EXPECT_EQ(s.fields.texts[Field::TotalSellUnits], step[1]);
    }
}

TEST(TradeListTransfer, TotalsReadTheRowBackFromTheList) {
    // A line feed in the ware name spills into the next column; the totals follow the
    // cells the list holds, not the entry fields.
    MemorySheet s;
    ClearEntry(s.fields);
    s.fields.Set({{Field::Ware, "a\n7"}, {Field::BuyUnits, "3"}});
    TransferEntry(s.sheet);
    EXPECT_EQ(s.table.rows[0][1], "7");
    EXPECT_EQ(s.fields.texts[Field::TotalBuyUnits], "7");
    EXPECT_EQ(s.fields.texts[Field::TotalBuyPrice], "3.0000000000");
}

TEST(TradeListDelete, OnlyRowBringsTotalsBackToPositiveZero) {
    MemorySheet s;
    EnterComputed(s, "Tea", false);
    TransferEntry(s.sheet);
    s.table.selected = 0;
    DeleteRow(s.sheet);
    EXPECT_TRUE(s.table.rows.empty());
    EXPECT_TRUE(s.modes.empty());
    EXPECT_EQ(TotalsOf(s), (Texts{"0", "0.0000000000", "0.0000000000", "0.0000000000",
                                  "0.0000000000", "0.0000000000", "0", "0.0000000000"}));

    // -0 minus 0 is -0; the added 0.0 must make it a plain zero.
    ClearEntry(s.fields);
    TransferEntry(s.sheet);
    s.fields.texts[Field::TotalBuyPrice] = "-0.0000000000";
    DeleteRow(s.sheet);
    EXPECT_EQ(s.fields.texts[Field::TotalBuyPrice], "0.0000000000");
}

TEST(TradeListDelete, RemainingRowsKeepTheirModesAndTotalsTheirValues) {
    MemorySheet s;
    const bool modes[] = {true, false, true};
    const char* wares[] = {"A", "B", "C"};
    for (int i = 0; i < 3; ++i) {
        EnterComputed(s, wares[i], modes[i]);
        s.fields.texts[Field::BuyUnits] = NumberToText(i + 1);
        TransferEntry(s.sheet);
    }
    s.table.selected = 1;
    DeleteRow(s.sheet);
    ASSERT_EQ(s.table.rows.size(), 2u);
    EXPECT_EQ(s.table.rows[1][0], "C");
    EXPECT_EQ(s.modes, (YieldModes{1, 1}));
    EXPECT_EQ(s.fields.texts[Field::TotalBuyUnits], "4");

    s.fields.inAmounts = false;
    LoadRowIntoEntry(s.sheet);
    EXPECT_TRUE(s.fields.inAmounts);
    EXPECT_EQ(s.fields.texts[Field::Ware], "C");
}

TEST(TradeListLoad, YieldModeChoosesWhichColumnFillsTheYield) {
    struct Case {
        bool inAmounts;
        const char* yield;
    } cases[] = {{true, "2.0000000000"}, {false, "20.0000000000"}};
    for (const Case& c : cases) {
        MemorySheet s;
        EnterComputed(s, "Tea", c.inAmounts);
        TransferEntry(s.sheet);
        ClearEntry(s.fields);
        s.fields.inAmounts = !c.inAmounts;
        s.table.selected = 0;
        LoadRowIntoEntry(s.sheet);
        EXPECT_EQ(s.fields.inAmounts, c.inAmounts);
        EXPECT_EQ(s.fields.texts[Field::Yield], c.yield);
        const Field back[] = {Field::Ware,      Field::BuyUnits,  Field::BuyCost,
                              Field::UnitPrice, Field::UnitYield, Field::SellUnits,
                              Field::SellPrice, Field::YieldAmount, Field::YieldPercent};
        for (int column = 0; column < 9; ++column)
            EXPECT_EQ(s.fields.texts[back[column]], s.table.rows[0][size_t(column)]) << column;
    }
}

TEST(TradeListSelection, WithoutAValidSelectionNothingChanges) {
    for (int selected : {-1, 1, 5}) {
        MemorySheet s;
        EnterComputed(s, "Tea", true);
        TransferEntry(s.sheet);
        ClearEntry(s.fields);
        const auto fieldsBefore = s.fields.texts;
        s.table.selected = selected;
        LoadRowIntoEntry(s.sheet);
        DeleteRow(s.sheet);
        EXPECT_EQ(s.fields.texts, fieldsBefore) << selected;
        EXPECT_EQ(s.table.rows.size(), 1u);
        EXPECT_EQ(s.modes.size(), 1u);
    }
}

TEST(TradeListClear, EmptiesListModesEntryAndTotals) {
    MemorySheet s;
    EnterComputed(s, "Tea", true);
    TransferEntry(s.sheet);
    TransferEntry(s.sheet);
    ClearList(s.sheet);
    EXPECT_TRUE(s.table.rows.empty());
    EXPECT_TRUE(s.modes.empty());
    EXPECT_EQ(s.fields.texts[Field::Ware], "Ware");
    EXPECT_EQ(s.fields.texts[Field::Yield], "0");
    EXPECT_EQ(TotalsOf(s), Texts(8, "0"));

    // Rows transferred afterwards are not added to the sums of the removed ones.
    EnterComputed(s, "Tea", true);
    TransferEntry(s.sheet);
    EXPECT_EQ(s.fields.texts[Field::TotalBuyUnits], "10");
}
