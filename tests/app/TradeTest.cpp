#include "app/Trade.h"
#include "support/MemoryTrade.h"

#include <gtest/gtest.h>

#include <utility>
#include <vector>

namespace {

using Expected = std::vector<std::pair<Field, const char*>>;

struct ComputeCase {
    const char *buyUnits, *cost, *sellUnits, *yield;
    bool inAmounts;
    Expected results; // only the fields named here are checked
};

void ComputeCheck(const ComputeCase& c) {
    MemoryFields f;
    f.Set({{Field::BuyUnits, c.buyUnits},
           {Field::BuyCost, c.cost},
           {Field::SellUnits, c.sellUnits},
           {Field::Yield, c.yield}});
    f.inAmounts = c.inAmounts;
    Compute(f);
    for (const auto& result : c.results)
        EXPECT_EQ(f.texts[result.first], result.second)
            << c.buyUnits << " " << c.cost << " " << c.sellUnits << " " << c.yield << " field "
            << static_cast<int>(result.first);
}

} // namespace

TEST(Compute, ResultsToTheLastDigit) {
    // clang-format off
    const ComputeCase cases[] = {
        // The percentage comes from "4.3333333333", not from 13/3.
        {"3", "10", "3", "1", true,
         {{Field::BuyCost, "10.0000000000"}, {Field::Yield, "1.0000000000"},
          {Field::UnitPrice, "4.3333333333"}, {Field::SellPrice, "13.0000000000"},
          {Field::UnitYield, "1.0000000000"}, {Field::YieldAmount, "3.0000000000"},
          {Field::YieldPercent, "29.9999999990"}}},
        // The unit yield comes from "3.6666666667" minus the exact unit cost.
        {"3", "10", "3", "10", false,
         {{Field::BuyCost, "10.0000000000"}, {Field::Yield, "10.0000000000"},
          {Field::UnitPrice, "3.6666666667"}, {Field::SellPrice, "11.0000000000"},
          {Field::UnitYield, "0.3333333334"}, {Field::YieldAmount, "1.0000000001"},
          {Field::YieldPercent, "10.0000000000"}}},
        // Read leniently; only cost and yield are rewritten.
        {"10", "1e2", "10abc", "abc", true,
         {{Field::BuyCost, "100.0000000000"}, {Field::Yield, "0.0000000000"},
          {Field::SellPrice, "100.0000000000"}, {Field::BuyUnits, "10"},
          {Field::SellUnits, "10abc"}}},
        // Zero units bought: "inf" reads back as 0, so the percentage is (0 / inf - 1) * 100.
        {"0", "10", "2", "1", true,
         {{Field::UnitPrice, "inf"}, {Field::SellPrice, "inf"},
          {Field::YieldAmount, "2.0000000000"}, {Field::YieldPercent, "-100.0000000000"}}},
        {"0", "0", "1", "5", false, {{Field::YieldPercent, "5.0000000000"}}},
    };
    // clang-format on
    for (const ComputeCase& c : cases)
        ComputeCheck(c);
}

// Nothing bought for nothing: the unit price is not a number (its sign is the processor's).
TEST(Compute, NothingForNothingGivesNoUnitPrice) {
    MemoryFields f;
    f.Set({{Field::BuyUnits, "0"}, {Field::BuyCost, "0"}, {Field::SellUnits, "1"}});
    Compute(f);
    EXPECT_NE(f.texts[Field::UnitPrice].find("nan"), std::string::npos)
        << f.texts[Field::UnitPrice];
}

// A negative zero is shown as a plain zero, never "-0.0000000000", in both yield modes.
TEST(Compute, NegativeZeroResultsShowAsZero) {
    // clang-format off
    const ComputeCase cases[] = {
        // Amounts: the unit price is -0 / 1 + -0.
        {"1", "-0", "1", "-0", true, {{Field::UnitPrice, "0.0000000000"}}},
        // Percent: the unit price is 0 * (1 - 2) = -0, and -0 minus the unit cost 0 is -0.
        {"1", "0", "1", "-200", false, {{Field::UnitYield, "0.0000000000"}}},
    };
    // clang-format on
    for (const ComputeCase& c : cases)
        ComputeCheck(c);
}
