// The list's summary and its table text. The figures of a known list are checked against
// sums done by hand on the running program; here the limits.
#include "app/TradeStats.h"

#include "support/MemoryTrade.h"

#include <gtest/gtest.h>

TEST(TradeStats, AnEmptyListHasNothingARowWithoutPercentIsLeftOutAndTheChartHasItsFirstRows) {
    MemorySheet s;
    EXPECT_FALSE(TradeStatsCompute(s.table).hasBest);
    EXPECT_FALSE(TradeStatsCompute(s.table).hasPercent);
    for (const char* percent : {"abc", "1"}) {
        s.table.rows.clear();
        for (int i = 0; i < ChartBarsMax + 5; ++i)
            s.table.RowAdd(i, "w\n1\n1\n1\n1\n1\n2\n" + std::to_string(i) + "\n" + percent);
        const TradeStats stats = TradeStatsCompute(s.table);
        EXPECT_EQ(stats.skipped, percent[0] == 'a' ? ChartBarsMax + 5 : 0);
        EXPECT_EQ(stats.counted, percent[0] == 'a' ? 0 : ChartBarsMax + 5);
        EXPECT_EQ(int(stats.bars.size()), percent[0] == 'a' ? 0 : ChartBarsMax);
    }
    EXPECT_DOUBLE_EQ(TradeStatsCompute(s.table).bars.back().value, ChartBarsMax - 1);
}

TEST(TradeStats, TableTextHasTitlesRowsWithoutTabsAndTotalsWithCrLf) {
    MemorySheet s;
    s.table.RowAdd(0, "Ir\ton\n1\n2\n3\n4\n5\n6\n7\n8");
    s.Totals({"10", "11", "12", "13", "14", "15", "16", "17"}); // in the list file's order
    EXPECT_EQ(TradeTableText(s.table, s.fields),
              "Ware\tBuyunits\tBuyprice\tUnitprice\tUnityield [$]\tSellunits\tSellprice\t"
              "Yield [$]\tYield [%]\r\n"
              "Ir on\t1\t2\t3\t4\t5\t6\t7\t8\r\n"
              "Total\t10\t11\t12\t13\t16\t17\t14\t15\r\n");
}
