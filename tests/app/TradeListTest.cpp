#include "app/Trade.h"
#include "app/TradeList.h"
#include "runtime/NumberText.h"
#include "support/MemoryTrade.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

using Texts = std::vector<std::string>;
const Texts ZeroTotals{"0",            "0.0000000000", "0.0000000000", "0.0000000000",
                       "0.0000000000", "0.0000000000", "0",            "0.0000000000"};

// An entry as Compute leaves it: 10 units for 100, 10 to sell, yield 2 per unit or 20 %.
void EnterComputed(MemorySheet& s, const char* ware, bool inAmounts) {
    ClearEntry(s.fields);
    s.fields.Set({{Field::Ware, ware}, {Field::BuyUnits, "10"}, {Field::BuyCost, "100"},
                  {Field::SellUnits, "10"}, {Field::Yield, inAmounts ? "2" : "20"}});
    s.fields.inAmounts = inAmounts;
    Compute(s.fields);
}

} // namespace

TEST(TradeListTransfer, RowsTakeColumnOrderAndTotalsAddUp) {
    MemorySheet s;
    ClearEntry(s.fields);
    TransferEntry(s.sheet);
    EXPECT_EQ(s.table.rows, (std::vector<Texts>{{"Ware", "0", "0", "0", "0", "0", "0", "0", "0"}}));
    EXPECT_EQ(s.modes, (YieldModes{1}));
    EXPECT_EQ(s.Totals(), ZeroTotals);

    // The same entry twice doubles every total, and the entry stays for the next transfer.
    EnterComputed(s, "Tea", true);
    TransferEntry(s.sheet);
    TransferEntry(s.sheet);
    const Texts row{"Tea", "10", "100.0000000000", "12.0000000000", "2.0000000000",
                    "10",  "120.0000000000", "20.0000000000", "20.0000000000"};
    EXPECT_EQ(s.table.rows[1], row);
    EXPECT_EQ(s.table.rows[2], row);
    EXPECT_EQ(s.Totals(), (Texts{"20", "200.0000000000", "24.0000000000", "4.0000000000",
                                 "40.0000000000", "40.0000000000", "20", "240.0000000000"}));
    EXPECT_EQ(s.fields.texts[Field::Ware], "Tea");

    // Integer totals round each step half to even; they follow the list's cells, so a line
    // feed in the ware name spills "7" into the units column.
    MemorySheet half;
    ClearEntry(half.fields);
    half.fields.Set({{Field::BuyUnits, "2.5"}, {Field::SellUnits, "3.5"}});
    for (const char* expected : {"2", "4", "6"}) {
        TransferEntry(half.sheet);
        EXPECT_EQ(half.fields.texts[Field::TotalBuyUnits], expected);
    }
    EXPECT_EQ(half.fields.texts[Field::TotalSellUnits], "12");
    half.fields.Set({{Field::Ware, "a\n7"}, {Field::BuyUnits, "3"}});
    TransferEntry(half.sheet);
    EXPECT_EQ(half.fields.texts[Field::TotalBuyUnits], "13");
    EXPECT_EQ(half.fields.texts[Field::TotalBuyPrice], "3.0000000000");
}

TEST(TradeListDelete, RemainingRowsKeepModesAndTotalsComeBackToPositiveZero) {
    MemorySheet s;
    const bool modes[] = {true, false, true};
    for (int i = 0; i < 3; ++i) {
        EnterComputed(s, std::string(1, char('A' + i)).c_str(), modes[i]);
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

    // -0 minus 0 is -0; the added 0.0 must make it a plain zero.
    s.table.selected = 0;
    DeleteRow(s.sheet);
    DeleteRow(s.sheet);
    EXPECT_TRUE(s.modes.empty());
    EXPECT_EQ(s.Totals(), ZeroTotals);
    ClearEntry(s.fields);
    TransferEntry(s.sheet);
    s.fields.texts[Field::TotalBuyPrice] = "-0.0000000000";
    DeleteRow(s.sheet);
    EXPECT_EQ(s.fields.texts[Field::TotalBuyPrice], "0.0000000000");
}

TEST(TradeListLoad, YieldModeChoosesTheColumnAndABadSelectionChangesNothing) {
    const Field back[] = {Field::Ware,      Field::BuyUnits,  Field::BuyCost,
                          Field::UnitPrice, Field::UnitYield, Field::SellUnits,
                          Field::SellPrice, Field::YieldAmount, Field::YieldPercent};
    for (bool inAmounts : {true, false}) {
        MemorySheet s;
        EnterComputed(s, "Tea", inAmounts);
        TransferEntry(s.sheet);
        ClearEntry(s.fields);
        s.fields.inAmounts = !inAmounts;
        for (int selected : {-1, 1, 5}) {
            const auto before = s.fields.texts;
            s.table.selected = selected;
            LoadRowIntoEntry(s.sheet);
            DeleteRow(s.sheet);
            EXPECT_EQ(s.fields.texts, before) << selected;
            EXPECT_EQ(s.modes.size(), 1u);
        }
        s.table.selected = 0;
        LoadRowIntoEntry(s.sheet);
        EXPECT_EQ(s.fields.inAmounts, inAmounts);
        EXPECT_EQ(s.fields.texts[Field::Yield], inAmounts ? "2.0000000000" : "20.0000000000");
        for (int column = 0; column < 9; ++column)
            EXPECT_EQ(s.fields.texts[back[column]], s.table.rows[0][size_t(column)]) << column;
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
    EXPECT_EQ(s.Totals(), Texts(8, "0"));
    // Rows transferred afterwards are not added to the sums of the removed ones.
    EnterComputed(s, "Tea", true);
    TransferEntry(s.sheet);
    EXPECT_EQ(s.fields.texts[Field::TotalBuyUnits], "10");
}
