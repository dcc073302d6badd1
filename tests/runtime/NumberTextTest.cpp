#include "runtime/NumberText.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace {

const int IntMin = -2147483647 - 1;
const double Inf = std::numeric_limits<double>::infinity();

TEST(NumberText, IntegersReadLenientlyWrapAroundAndWritePlainly) {
    const std::pair<const char*, int> cases[] = {
        {"", 0},     {"abc", 0},   {" \t42xyz", 42},       {"-7.9", -7},
        {"1e3", 1},  {"- 5", 0},   {"2147483648", IntMin}, {"3000000000", -1294967296},
        {"+12", 12}, {nullptr, 0}, {"4294967297", 1},
    };
    for (auto [text, value] : cases)
        EXPECT_EQ(TextToNumber(text), value) << (text ? text : "(absent)");
    EXPECT_EQ(NumberToText(IntMin), "-2147483648");
}

TEST(NumberText, FloatsReadTheLongestNumberPrefix) {
    const std::pair<const char*, double> cases[] = {
        {"", 0.0},       {"12,5", 12.0}, {"  3.5e2x", 350.0}, {".5", 0.5},
        {"0x10", 0.0},   {"inf", 0.0},   {"nan", 0.0},        {"1e+", 1.0},
        {"-.25", -0.25}, {"1..2", 1.0},  {"1e999", Inf},      {"1e-999", 0.0},
    };
    for (auto [text, value] : cases)
        EXPECT_EQ(TextToFloat(text), value) << '"' << text << '"';
    EXPECT_EQ(TextToFloat("0.1000000000000000000000000000001"), 0.1); // correctly rounded
    EXPECT_EQ(TextToFloat(std::string(5000, '9')), Inf);
}

TEST(NumberText, FloatsWriteFixedWithTenDecimalsByDefaultOrAFixedText) {
    EXPECT_EQ(FloatToText(100.0 / 3), "33.3333333333");
    EXPECT_EQ(FloatToText(1e20), "100000000000000000000.0000000000");
    EXPECT_EQ(FloatToText(-Inf) + FloatToText(std::nan("")), "-infnan");
    EXPECT_EQ(FloatToText(2.5, 0), "2");
    EXPECT_EQ(FloatToText(1.0 / 3, 600), FloatToText(1.0 / 3, 512));
    // The largest double has 309 integer digits; it must fit, not be cut.
    EXPECT_EQ(FloatToText(std::numeric_limits<double>::max(), 512).size(), 309u + 1 + 512);
}

TEST(NumberText, FloatToIntegerRoundsHalvesToEvenAndGivesTheSmallestIntegerOutOfRange) {
    const std::pair<double, int> cases[] = {
        {0.5, 0}, {1.5, 2}, {2.5, 2}, {-2.5, -2}, {2.6, 3}, {2147483647.4, 2147483647},
    };
    for (auto [value, result] : cases)
        EXPECT_EQ(FloatToInteger(value), result) << value;
    for (double outOfRange : {1e10, 2147483647.5, -2147483648.5, std::nan(""), Inf})
        EXPECT_EQ(FloatToInteger(outOfRange), IntMin) << outOfRange;
}

} // namespace
