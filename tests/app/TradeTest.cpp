#include "app/Trade.h"
#include "support/MemoryTrade.h"

#include <gtest/gtest.h>

namespace {

struct Results {
    const char* cost;
    const char* yield;
    const char* unitPrice;
    const char* sellPrice;
    const char* unitYield;
    const char* yieldAmount;
    const char* yieldPercent;
};

void ExpectResults(MemoryFields& f, const Results& r) {
    EXPECT_EQ(f.texts[Field::BuyCost], r.cost);
    EXPECT_EQ(f.texts[Field::Yield], r.yield);
    EXPECT_EQ(f.texts[Field::UnitPrice], r.unitPrice);
    EXPECT_EQ(f.texts[Field::SellPrice], r.sellPrice);
    EXPECT_EQ(f.texts[Field::UnitYield], r.unitYield);
    EXPECT_EQ(f.texts[Field::YieldAmount], r.yieldAmount);
    EXPECT_EQ(f.texts[Field::YieldPercent], r.yieldPercent);
}

MemoryFields Entry(const char* buyUnits, const char* cost, const char* sellUnits,
                   const char* yield, bool inAmounts) {
    MemoryFields f;
    ClearEntry(f);
    f.Set({{Field::BuyUnits, buyUnits}, {Field::BuyCost, cost}, {Field::SellUnits, sellUnits},
           {Field::Yield, yield}});
    f.inAmounts = inAmounts;
    return f;
}

} // namespace

TEST(Compute, AmountAndPercentModeAgreeOnExactNumbers) {
    MemoryFields amount = Entry("10", "100", "10", "2", true);
    Compute(amount);
    ExpectResults(amount, {"100.0000000000", "2.0000000000", "12.0000000000", "120.0000000000",
                           "2.0000000000", "20.0000000000", "20.0000000000"});

    MemoryFields percent = Entry("10", "100", "10", "20", false);
    Compute(percent);
    ExpectResults(percent, {"100.0000000000", "20.0000000000", "12.0000000000", "120.0000000000",
                            "2.0000000000", "20.0000000000", "20.0000000000"});
}

TEST(Compute, LaterResultsReadTheTenDigitTextsBack) {
    // The percentage comes from "4.3333333333", not from 13/3.
    MemoryFields amount = Entry("3", "10", "3", "1", true);
    Compute(amount);
    ExpectResults(amount, {"10.0000000000", "1.0000000000", "4.3333333333", "13.0000000000",
                           "1.0000000000", "3.0000000000", "29.9999999990"});

    // The unit yield comes from "3.6666666667" minus the exact unit cost.
    MemoryFields percent = Entry("3", "10", "3", "10", false);
    Compute(percent);
    ExpectResults(percent, {"10.0000000000", "10.0000000000", "3.6666666667", "11.0000000000",
                            "0.3333333334", "1.0000000001", "10.0000000000"});
}

TEST(Compute, InputIsReadLenientlyAndOnlyCostAndYieldAreRewritten) {
    MemoryFields f = Entry("10", "1e2", "10abc", "abc", true);
    f.texts[Field::Ware] = "Red wine";
    Compute(f);
    EXPECT_EQ(f.texts[Field::BuyCost], "100.0000000000");
    EXPECT_EQ(f.texts[Field::Yield], "0.0000000000");
    EXPECT_EQ(f.texts[Field::BuyUnits], "10");
    EXPECT_EQ(f.texts[Field::SellUnits], "10abc");
    EXPECT_EQ(f.texts[Field::Ware], "Red wine");
    EXPECT_EQ(f.texts[Field::SellPrice], "100.0000000000");
}

TEST(Compute, NegativeZeroNeverShows) {
    // Unit cost -0 plus yield 0 would be -0 without the added +0.0.
    MemoryFields amount = Entry("1", "-0", "0", "0", true);
    Compute(amount);
    EXPECT_EQ(amount.texts[Field::UnitPrice], "0.0000000000");
    EXPECT_EQ(amount.texts[Field::SellPrice], "0.0000000000");

    MemoryFields percent = Entry("2", "1", "1", "0", false);
    Compute(percent);
    EXPECT_EQ(percent.texts[Field::UnitYield], "0.0000000000");
}

TEST(Compute, ZeroUnitsBoughtShowsInfinityOrNotANumber) {
    MemoryFields f = Entry("0", "10", "2", "1", true);
    Compute(f);
    EXPECT_EQ(f.texts[Field::UnitPrice], "inf");
    EXPECT_EQ(f.texts[Field::SellPrice], "inf");
    EXPECT_EQ(f.texts[Field::YieldAmount], "2.0000000000");
    // "inf" reads back as 0, so the percentage is (0 / inf - 1) * 100.
    EXPECT_EQ(f.texts[Field::YieldPercent], "-100.0000000000");

    MemoryFields both = Entry("0", "0", "1", "5", false);
    Compute(both);
    EXPECT_EQ(both.texts[Field::UnitPrice].find("nan") != std::string::npos, true);
    EXPECT_EQ(both.texts[Field::YieldPercent], "5.0000000000");

    MemoryFields noSell = Entry("2", "10", "0", "1", true);
    Compute(noSell);
    EXPECT_EQ(noSell.texts[Field::SellPrice], "0.0000000000");
    EXPECT_EQ(noSell.texts[Field::YieldAmount], "0.0000000000");
}

TEST(ClearEntry, ResetsTheTenFieldsAndKeepsTheOption) {
    MemoryFields f = Entry("3", "10", "3", "10", false);
    Compute(f);
    f.texts[Field::TotalBuyUnits] = "7";
    ClearEntry(f);
    EXPECT_EQ(f.texts[Field::Ware], "Ware");
    for (Field field : {Field::BuyUnits, Field::BuyCost, Field::SellUnits, Field::Yield,
                        Field::UnitPrice, Field::SellPrice, Field::UnitYield, Field::YieldAmount,
                        Field::YieldPercent})
        EXPECT_EQ(f.texts[field], "0");
    EXPECT_FALSE(f.inAmounts);
    EXPECT_EQ(f.texts[Field::TotalBuyUnits], "7");
}
