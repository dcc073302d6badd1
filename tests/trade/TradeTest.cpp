// The trade computation, the list and its summary over in-memory fields and rows. The worked
// examples of adding, loading and deleting rows, and the figures of a known list, are checked on
// the running program; here the exact digits, each cell's own way back into the entry, and what
// a user cannot easily bring about.
#include "trade/Trade.h"
#include "trade/TradeStats.h"

#include "support/MemoryTrade.h"

#include <gtest/gtest.h>

using Texts = std::vector<std::string>;

// Entry texts after COMPUTE: the units keep their text as typed; cost and yield are rewritten;
// nullptr is not checked. "nan" stands for either sign of it (the sign is the processor's).
TEST(Compute, WorkedExamplesToTheLastDigit) {
    const Field shown[] = {Field::BuyUnits,  Field::BuyCost,     Field::SellUnits,
                           Field::Yield,     Field::UnitPrice,   Field::SellPrice,
                           Field::UnitYield, Field::YieldAmount, Field::YieldPercent};
    const struct {
        const char* typed[4]; // buy units, cost, sell units, yield
        bool inAmounts;
        const char* results[9];
    } cases[] = {
        // clang-format off
        // The percentage comes from "4.3333333333", not from 13/3.
        {{"3", "10", "3", "1"}, true, {"3", "10.0000000000", "3", "1.0000000000", "4.3333333333", "13.0000000000", "1.0000000000", "3.0000000000", "29.9999999990"}},
        {{"10", "1e2", "10abc", "abc"}, true, {"10", "100.0000000000", "10abc", "0.0000000000", nullptr, "100.0000000000"}},
        // Zero units bought: "inf" reads back as 0, so the percentage is (0 / inf - 1) * 100.
        {{"0", "10", "2", "1"}, true, {nullptr, nullptr, nullptr, nullptr, "inf", "inf", nullptr, "2.0000000000", "-100.0000000000"}},
        {{"0", "0", "1", "5"}, false, {nullptr, nullptr, nullptr, nullptr, "nan", nullptr, nullptr, nullptr, "5.0000000000"}},
        // A negative zero shows as a plain zero: -0 / 1 + -0, and in percent 0 * (1 - 2) - 0.
        {{"1", "-0", "1", "-0"}, true, {nullptr, nullptr, nullptr, nullptr, "0.0000000000"}},
        {{"1", "0", "1", "-200"}, false, {nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, "0.0000000000"}},
        // clang-format on
    };
    for (const auto& c : cases) {
        MemoryFields f;
        f.inAmounts = c.inAmounts;
        for (int i = 0; i < 4; ++i)
            f.texts[shown[i]] = c.typed[i];
        Compute(f);
        for (int i = 0; i < 9; ++i)
            if (c.results[i]) {
                const std::string text = f.texts[shown[i]];
                EXPECT_EQ(text == "-nan" ? "nan" : text, c.results[i]) << &c - cases << " #" << i;
            }
    }
}

// Typed with a decimal comma, an entry computes and adds to the totals as with a point; a text
// that also has a point reads as before, up to the comma.
TEST(Compute, ACommaWithoutAPointIsTheDecimalMark) {
    const char* cases[][2] = {{"7,5", "7.5"}, {"-0,25", "-0.25"}, {"2,6e1", "26"}, {"1,5.5", "1"}};
    for (bool inAmounts : {true, false})
        for (const auto& c : cases) {
            MemorySheet comma, point;
            for (int i = 0; i < 2; ++i) {
                MemorySheet& s = i ? point : comma;
                s.fields.inAmounts = inAmounts;
                for (Field typed :
                     {Field::BuyUnits, Field::BuyCost, Field::SellUnits, Field::Yield})
                    s.fields.texts[typed] = c[i];
                Compute(s.fields);
                TransferEntry(s.sheet);
                s.fields.texts.erase(Field::BuyUnits); // the units keep their text as typed
                s.fields.texts.erase(Field::SellUnits);
            }
            EXPECT_EQ(comma.fields.texts, point.fields.texts) << c[0];
        }
}

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
    DeleteRow(s.sheet);
    EXPECT_EQ(s.modes, (YieldModes{1, 1}));
    EXPECT_EQ(s.table.rows, two.table.rows);
    EXPECT_EQ(s.Totals(), two.Totals());

    // Totals return to a plain zero, never "-0.0000000000".
    s.fields.texts[Field::TotalBuyPrice] = "-0.0000000000";
    s.table.rows[1][2] = "0";
    DeleteRow(s.sheet);
    EXPECT_EQ(s.fields.texts[Field::TotalBuyPrice], "0.0000000000");
    ClearList(s.sheet); // the entry and the totals it clears are checked on the program
    EXPECT_EQ(s.table.rows.size() + s.modes.size(), 0u);
}

// Every cell goes back to its own field, and the yield as typed comes from the column of the
// row's own mode.
TEST(TradeList, LoadingARowFillsEachFieldFromItsOwnColumn) {
    for (bool inAmounts : {true, false}) {
        MemorySheet s;
        s.table.RowAdd(0, "W\n1\n2\n3\n4\n5\n6\n7\n8");
        s.modes = {inAmounts};
        s.table.selected = 0;
        s.fields.inAmounts = !inAmounts;
        LoadRowIntoEntry(s.sheet);
        const std::pair<Field, const char*> expected[] = {
            {Field::Ware, "W"},         {Field::BuyUnits, "1"},
            {Field::BuyCost, "2"},      {Field::UnitPrice, "3"},
            {Field::UnitYield, "4"},    {Field::SellUnits, "5"},
            {Field::SellPrice, "6"},    {Field::YieldAmount, "7"},
            {Field::YieldPercent, "8"}, {Field::Yield, inAmounts ? "4" : "8"}};
        for (const auto& [field, text] : expected)
            EXPECT_EQ(s.fields.texts[field], text) << int(field) << " " << inAmounts;
        EXPECT_EQ(s.fields.inAmounts, inAmounts);
    }
}

// The yield in percent is on what the units sold cost, and a cell counts only when all of it
// is a number.
TEST(TradeStats, SumsTheRowsWhoseCellsAreWholeNumbers) {
    MemorySheet s;
    s.RowAdd("Iron", 10, true, 4); // cost 100, sold for 48, yield 8
    s.RowAdd("Salt", 5, false, 2); // cost 50, sold for 24, yield 4
    s.RowAdd("Salt", 1, true);
    s.table.rows[2][2] = "12x";
    const TradeStats stats = TradeStatsCompute(s.table);
    EXPECT_EQ(stats.rows, 3);
    EXPECT_EQ(stats.wares, 2);
    EXPECT_EQ(stats.skipped, 1);
    EXPECT_DOUBLE_EQ(stats.cost, 150);
    EXPECT_DOUBLE_EQ(stats.sell, 72);
    EXPECT_DOUBLE_EQ(stats.yield, 12);
    EXPECT_DOUBLE_EQ(stats.yieldPercent, 20); // 12 on the 60 the units sold cost
}

// Per ware: counted rows only, units as typed ("1,5" reads as 1.5), the yield [%] on what the
// units sold cost; biggest yield first, and past ChartBarsMax wares the chart sums "Others".
TEST(TradeStats, WaresSummedBiggestFirstAndTheChartKeepsTheTopWithOthers) {
    MemorySheet s;
    s.RowAdd("Iron", 10, true, 4);                      // cost 100, sold for 48, yield 8
    s.RowType("Salt", "1,5", "15", "1,5", "2", true);   // cost 15, sold for 18, yield 3
    s.RowAdd("Iron", 5, false, 5);                      // cost 50, sold for 60, yield 10
    s.RowAdd("Silk", 0, true);                          // "inf": left out
    s.RowType("Wool", "1", "0", "1", "50", false);      // no cost: no yield [%]
    s.table.RowAdd(5, "Tin\n1\n1\n1\n1\n1\n2\n1\nabc"); // left out
    TradeStats stats = TradeStatsCompute(s.table);
    EXPECT_EQ(stats.wares, 5);
    ASSERT_EQ(stats.byWare.size(), 3u);
    const WareStats& iron = stats.byWare[0];
    EXPECT_EQ(iron.ware, "Iron");
    EXPECT_EQ(iron.rows, 2);
    EXPECT_EQ(std::vector<double>({iron.bought, iron.sold, iron.cost, iron.sell, iron.yield}),
              std::vector<double>({15, 9, 150, 108, 18}));
    EXPECT_DOUBLE_EQ(iron.yieldPercent, 20); // 18 on 90
    EXPECT_NE(WareTableText(stats.byWare).find("\nSalt\t1\t1.5000000000\t1.5000000000\t15.0"),
              std::string::npos);
    EXPECT_EQ(stats.byWare[2].ware, "Wool");
    EXPECT_FALSE(stats.byWare[2].hasPercent);
    EXPECT_EQ(WareTableText({stats.byWare[2]}), "Ware\tRows\tUnits bought\tUnits sold\tCost\t"
                                                "Sell price\tYield [$]\tYield [%]\r\n"
                                                "Wool\t1\t1\t1\t"
                                                "0.0000000000\t0.0000000000\t0.0000000000\t\r\n");

    // Row i yields i; from 22 rows on the wares come again, so w0 and w1 yield most.
    for (int rows : {ChartBarsMax, ChartBarsMax + 4}) {
        s.table.rows.clear();
        for (int i = 0; i < rows; ++i)
            s.table.RowAdd(i, "w" + std::to_string(i % 22) + "\n1\n1\n1\n1\n1\n9\n" +
                                  std::to_string(i) + "\n1");
        stats = TradeStatsCompute(s.table);
        const bool others = rows > ChartBarsMax;
        ASSERT_EQ(int(stats.bars.size()), others ? ChartBarsMax + 1 : ChartBarsMax);
        EXPECT_EQ(stats.bars[0].ware, others ? "w1" : "w19");
        EXPECT_EQ(stats.bars[0].value, others ? 1 + 23 : 19);
        EXPECT_EQ(stats.bars.back().ware, others ? OthersBar : "w0");
        EXPECT_EQ(stats.bars.back().value, others ? 2 + 3 : 0);
    }
}

// Stable both ways; the ware ignores case; a missing yield [%] goes last either way.
TEST(TradeStats, WareTableSortsByAnyColumn) {
    std::vector<WareStats> wares = {{"b", 1, 0, 0, 0, 0, 5, true, 3},
                                    {"A", 2, 0, 0, 0, 0, 5, false, 0},
                                    {"a", 2, 0, 0, 0, 0, -1, true, -2}};
    const auto order = [&](WareColumn column, bool ascending) {
        WareStatsSort(wares, column, ascending);
        std::string names;
        for (const WareStats& w : wares)
            names += w.ware;
        return names;
    };
    EXPECT_EQ(order(WareName, true), "Aab");
    EXPECT_EQ(order(WareName, false), "bAa");
    EXPECT_EQ(order(WareYield, false), "bAa");
    EXPECT_EQ(order(WareRows, true), "bAa");
    EXPECT_EQ(order(WareYieldPercent, true), "abA");
    EXPECT_EQ(order(WareYieldPercent, false), "baA");
}

TEST(TradeStats, TableTextHasTitlesRowsWithoutTabsOrLineBreaksAndTotalsWithCrLf) {
    MemorySheet s;
    s.table.RowAdd(0, "\n1\n2\n3\n4\n5\n6\n7\n8");
    s.table.rows[0][0] = "I\rr\ton\n";
    s.Totals({"10", "11", "12", "13", "14", "15", "16", "17"}); // in the list file's order
    EXPECT_EQ(TradeTableText(s.table, s.fields),
              "Ware\tBuyunits\tBuyprice\tUnitprice\tUnityield [$]\tSellunits\tSellprice\t"
              "Yield [$]\tYield [%]\r\n"
              "I r on \t1\t2\t3\t4\t5\t6\t7\t8\r\n"
              "Total\t10\t11\t12\t13\t16\t17\t14\t15\r\n");
}
