#include "app/Trade.h"
#include "support/MemoryTrade.h"

#include <gtest/gtest.h>

TEST(Compute, ResultsToTheLastDigit) {
    const Field shown[] = {Field::BuyCost,      Field::Yield,     Field::UnitPrice,
                           Field::SellPrice,    Field::UnitYield, Field::YieldAmount,
                           Field::YieldPercent, Field::BuyUnits,  Field::SellUnits};
    const struct {
        const char *buyUnits, *cost, *sellUnits, *yield;
        bool inAmounts;
        const char* results[9]; // in the order of `shown`; nullptr = not checked
    } cases[] = {
        // The percentage comes from "4.3333333333", not from 13/3.
        {"3",
         "10",
         "3",
         "1",
         true,
         {"10.0000000000", "1.0000000000", "4.3333333333", "13.0000000000", "1.0000000000",
          "3.0000000000", "29.9999999990"}},
        // The unit yield comes from "3.6666666667" minus the exact unit cost.
        {"3",
         "10",
         "3",
         "10",
         false,
         {"10.0000000000", "10.0000000000", "3.6666666667", "11.0000000000", "0.3333333334",
          "1.0000000001", "10.0000000000"}},
        // Read leniently; only cost and yield are rewritten.
        {"10",
         "1e2",
         "10abc",
         "abc",
         true,
         {"100.0000000000", "0.0000000000", nullptr, "100.0000000000", nullptr, nullptr, nullptr,
          "10", "10abc"}},
        // Zero units bought: "inf" reads back as 0, so the percentage is (0 / inf - 1) * 100.
        {"0",
         "10",
         "2",
         "1",
         true,
         {nullptr, nullptr, "inf", "inf", nullptr, "2.0000000000", "-100.0000000000"}},
        {"0",
         "0",
         "1",
         "5",
         false,
         {nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, "5.0000000000"}},
    };
    for (const auto& c : cases) {
        MemoryFields f;
        f.Set({{Field::BuyUnits, c.buyUnits},
               {Field::BuyCost, c.cost},
               {Field::SellUnits, c.sellUnits},
               {Field::Yield, c.yield}});
        f.inAmounts = c.inAmounts;
        Compute(f);
        for (int i = 0; i < 9; ++i)
            EXPECT_EQ(f.texts[shown[i]], c.results[i] ? c.results[i] : f.texts[shown[i]])
                << c.buyUnits << " " << c.cost;
        EXPECT_TRUE(c.cost[0] != '0' || f.texts[Field::UnitPrice].find("nan") != std::string::npos);
    }
}
