#include "app/Trade.h"
#include "support/MemoryTrade.h"

#include <gtest/gtest.h>

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
        // The unit yield comes from "3.6666666667" minus the exact unit cost.
        {{"3", "10", "3", "10"}, false, {"3", "10.0000000000", "3", "10.0000000000", "3.6666666667", "11.0000000000", "0.3333333334", "1.0000000001", "10.0000000000"}},
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
        for (int i = 0; i < 4; ++i)
            f.texts[shown[i]] = c.typed[i];
        f.inAmounts = c.inAmounts;
        Compute(f);
        for (int i = 0; i < 9; ++i) {
            const std::string text = f.texts[shown[i]];
            if (!c.results[i])
                continue;
            EXPECT_EQ(text == "-nan" ? "nan" : text, c.results[i])
                << c.typed[0] << " " << c.typed[1] << " " << c.typed[2] << " " << c.typed[3] << " #"
                << i;
        }
    }
}
