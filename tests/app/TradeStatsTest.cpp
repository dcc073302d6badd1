// The list's summary and its table text, over rows made the way the calculator makes them.
#include "app/TradeStats.h"

#include "app/Trade.h"
#include "app/TradeList.h"
#include "support/MemoryTrade.h"

#include <gtest/gtest.h>

namespace {

void Add(MemorySheet& s, const char* ware, const char* units, const char* cost, const char* sold,
         const char* yield, bool inAmounts) {
    s.fields.Set({{Field::Ware, ware},
                  {Field::BuyUnits, units},
                  {Field::BuyCost, cost},
                  {Field::SellUnits, sold},
                  {Field::Yield, yield}});
    s.fields.inAmounts = inAmounts;
    Compute(s.fields);
    TransferEntry(s.sheet);
}

} // namespace

TEST(TradeStats, SumsBestWorstAndBarsLeaveOutRowsThatAreNotNumbers) {
    MemorySheet s;
    Add(s, "Iron", "10", "100", "10", "2", true); // sells for 120, yield 20, 20 %
    Add(s, "Salt", "4", "40", "4", "-1", true);   // 36, -4, -10 %
    Add(s, "Iron", "5", "50", "5", "30", false);  // 65, 15, 30 %
    Add(s, "Silk", "0", "5", "1", "2", true);     // inf and nan
    Add(s, "Wool", "2", "10", "2", "1", true);    // 12, 2, 20 %
    const TradeStats stats = TradeStatsCompute(s.table);
    EXPECT_EQ(stats.rows, 5);
    EXPECT_EQ(stats.wares, 4);
    EXPECT_EQ(stats.skipped, 1);
    EXPECT_DOUBLE_EQ(stats.cost, 200);
    EXPECT_DOUBLE_EQ(stats.sell, 233);
    EXPECT_DOUBLE_EQ(stats.yield, 33);
    ASSERT_TRUE(stats.hasPercent);
    EXPECT_DOUBLE_EQ(stats.yieldPercent, 33.0 / 200 * 100);
    EXPECT_EQ(stats.best.ware, "Iron");
    EXPECT_DOUBLE_EQ(stats.best.value, 30);
    EXPECT_EQ(stats.worst.ware, "Salt");
    EXPECT_DOUBLE_EQ(stats.worst.value, -10);
    ASSERT_EQ(stats.bars.size(), 4u);
    EXPECT_EQ(stats.bars[1].ware, "Salt");
    EXPECT_DOUBLE_EQ(stats.bars[1].value, -4);
    EXPECT_DOUBLE_EQ(stats.bars[3].value, 2);
}

TEST(TradeStats, ChartKeepsTheFirstRowsAndAnEmptyListHasNothing) {
    MemorySheet s;
    EXPECT_FALSE(TradeStatsCompute(s.table).hasBest);
    EXPECT_FALSE(TradeStatsCompute(s.table).hasPercent);
    for (int i = 0; i < ChartBarsMax + 5; ++i)
        s.table.RowAdd(i, "w" + std::to_string(i) + "\n1\n1\n1\n1\n1\n2\n" + std::to_string(i) +
                              "\nabc");
    const TradeStats stats = TradeStatsCompute(s.table);
    EXPECT_EQ(stats.skipped, ChartBarsMax + 5); // "abc" is no percentage
    s.table.rows.clear();
    for (int i = 0; i < ChartBarsMax + 5; ++i)
        s.table.RowAdd(i, "w\n1\n1\n1\n1\n1\n2\n" + std::to_string(i) + "\n1");
    const TradeStats more = TradeStatsCompute(s.table);
    ASSERT_EQ(int(more.bars.size()), ChartBarsMax);
    EXPECT_DOUBLE_EQ(more.bars.back().value, ChartBarsMax - 1);
    EXPECT_EQ(more.counted, ChartBarsMax + 5);
}

TEST(TradeStats, TableTextHasTitlesRowsAndTotalsWithCrLf) {
    MemorySheet s;
    s.table.RowAdd(0, "Ir\ton\n1\n2\n3\n4\n5\n6\n7\n8");
    s.Totals({"10", "11", "12", "13", "14", "15", "16", "17"}); // in the list file's order
    EXPECT_EQ(TradeTableText(s.table, s.fields),
              "Ware\tBuyunits\tBuyprice\tUnitprice\tUnityield [$]\tSellunits\tSellprice\t"
              "Yield [$]\tYield [%]\r\n"
              "Ir on\t1\t2\t3\t4\t5\t6\t7\t8\r\n"
              "Total\t10\t11\t12\t13\t16\t17\t14\t15\r\n");
}
