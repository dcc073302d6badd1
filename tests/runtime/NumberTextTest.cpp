#include "runtime/NumberText.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

TEST(NumberText, IntegersReadLenientlyWrapAroundAndWritePlainly) {
    const struct {
        const char* text;
        int value;
    } cases[] = {
        {"", 0},           {"abc", 0},          {"-", 0},          {"+", 0},
        {" \t42xyz", 42},  {"-7.9", -7},        {"1e3", 1},        {"- 5", 0},
        {"+12", 12},       {"\n5", 0},          {"007", 7},        {"2147483647", 2147483647},
        {"2147483648", -2147483647 - 1},        {"3000000000", -1294967296},
        {"4294967297", 1}, {"-2147483648", -2147483647 - 1},
    };
    for (auto& c : cases)
        EXPECT_EQ(TextToNumber(c.text), c.value) << '"' << c.text << '"';
    EXPECT_EQ(TextToNumber(static_cast<const char*>(nullptr)), 0);
    EXPECT_EQ(NumberToText(-1), "-1");
    EXPECT_EQ(NumberToText(-2147483647 - 1), "-2147483648");
}

TEST(NumberText, FloatsReadTheLongestNumberPrefix) {
    const struct {
        const char* text;
        double value;
    } cases[] = {
        {"", 0.0},        {"12,5", 12.0},   {"  3.5e2x", 350.0}, {".5", 0.5},
        {"2.5abc", 2.5},  {"0x10", 0.0},    {"inf", 0.0},        {"nan", 0.0},
        {"-inf", 0.0},    {"1e", 1.0},      {"1e+", 1.0},        {"1e-2", 0.01},
        {"5.", 5.0},      {"-.25", -0.25},  {"+4", 4.0},         {".", 0.0},
        {"- 5", 0.0},     {"\n\t 7", 7.0},  {"1..2", 1.0},       {"1E2", 100.0},
        {"1e999", std::numeric_limits<double>::infinity()},
        {"-1e999", -std::numeric_limits<double>::infinity()},
        {"1e-999", 0.0},  {"0.000001e-400", 0.0},
    };
    for (auto& c : cases)
        EXPECT_EQ(TextToFloat(c.text), c.value) << '"' << c.text << '"';
    EXPECT_EQ(TextToFloat(static_cast<const char*>(nullptr)), 0.0);
    // Correct rounding of a long decimal: 0.1 written with many digits still reads as 0.1.
    EXPECT_EQ(TextToFloat("0.1000000000000000000000000000001"), 0.1);
    EXPECT_EQ(TextToFloat(std::string(5000, '9').c_str()), std::numeric_limits<double>::infinity());
}

TEST(NumberText, FloatsWriteFixedWithTenDecimalsByDefaultOrAFixedText) {
    EXPECT_EQ(FloatToText(100.0), "100.0000000000");
    EXPECT_EQ(FloatToText(-0.5), "-0.5000000000");
    EXPECT_EQ(FloatToText(100.0 / 3), "33.3333333333");
    EXPECT_EQ(FloatToText(1e20), "100000000000000000000.0000000000");
    EXPECT_EQ(FloatToText(-0.0), "-0.0000000000");
    const double inf = std::numeric_limits<double>::infinity();
    EXPECT_EQ(FloatToText(inf), "inf");
    EXPECT_EQ(FloatToText(-inf), "-inf");
    EXPECT_EQ(FloatToText(std::nan("")), "nan");
    EXPECT_EQ(FloatToText(-std::nan("")), "-nan");
    EXPECT_EQ(FloatToText(2.5, 0), "2");
    EXPECT_EQ(FloatToText(3.5, 0), "4");
    EXPECT_EQ(FloatToText(1.0 / 3, 600), FloatToText(1.0 / 3, 512));
    EXPECT_EQ(FloatToText(1.0 / 3, 512).size(), 514u);
    // The largest double has 309 integer digits; it must fit, not be cut.
    EXPECT_EQ(FloatToText(std::numeric_limits<double>::max(), 512).size(), 309u + 1 + 512);
}

TEST(NumberText, FloatToIntegerRoundsHalvesToEven) {
    const struct {
        double value;
        int result;
    } cases[] = {
        {0.5, 0},      {1.5, 2},         {2.5, 2},         {3.5, 4},          {-2.5, -2},
        {-0.5, 0},     {-1.5, -2},       {0.49999999999999994, 0},           {2.6, 3},
        {-2.6, -3},    {1e10, -2147483647 - 1},            {-1e10, -2147483647 - 1},
        {2147483647.0, 2147483647},      {2147483647.4, 2147483647},
        {2147483647.5, -2147483647 - 1}, {-2147483648.0, -2147483647 - 1},
        {-2147483648.5, -2147483647 - 1}, {4503599627370497.0, -2147483647 - 1},
    };
    for (auto& c : cases)
        EXPECT_EQ(FloatToInteger(c.value), c.result) << c.value;
    EXPECT_EQ(FloatToInteger(std::nan("")), -2147483647 - 1);
    EXPECT_EQ(FloatToInteger(std::numeric_limits<double>::infinity()), -2147483647 - 1);
}
