#include "runtime/NumberText.h"

#include <charconv>
#include <climits>
#include <cmath>
#include <cstdint>
#include <limits>

std::string NumberToText(int value) {
    char buffer[16];
    auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
    return std::string(buffer, result.ptr);
}

int TextToNumber(const char* text) {
    if (!text)
        return 0;
    while (*text == ' ' || *text == '\t')
        ++text;
    bool negative = false;
    if (*text == '-') {
        negative = true;
        ++text;
    } else if (*text == '+') {
        ++text;
    }
    // Unsigned arithmetic gives the documented wrap-around without undefined behaviour.
    uint32_t value = 0;
    for (; *text >= '0' && *text <= '9'; ++text)
        value = value * 10u + uint32_t(*text - '0');
    if (negative)
        value = 0u - value;
    return int32_t(value);
}

std::string FloatToText(double value, int decimals) {
    if (decimals == -1)
        decimals = 10;
    if (decimals > 512)
        decimals = 512;
    if (decimals < 0)
        decimals = 0;
    if (std::isnan(value))
        return std::signbit(value) ? "-nan" : "nan";
    // 309 integer digits, sign, point and 512 decimals fit with room to spare.
    char buffer[1024];
    auto result =
        std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::fixed, decimals);
    return std::string(buffer, result.ptr);
}

static bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

double TextToFloat(const char* text) {
    if (!text)
        return 0.0;
    while (*text == ' ' || (*text >= '\t' && *text <= '\r'))
        ++text;
    bool negative = false;
    if (*text == '-' || *text == '+')
        negative = *text++ == '-';

    // Find the readable prefix: digits, at most one point, then an exponent only if it has digits.
    const char* start = text;
    const char* p = text;
    int digits = 0;
    int leadingIntegerDigits = 0; // integer digits after leading zeros, for overflow direction
    bool seenNonZero = false;
    int fractionZeros = 0; // zeros right after the point before the first non-zero digit
    while (IsDigit(*p)) {
        if (*p != '0')
            seenNonZero = true;
        if (seenNonZero)
            ++leadingIntegerDigits;
        ++p;
        ++digits;
    }
    if (*p == '.') {
        ++p;
        while (IsDigit(*p)) {
            if (!seenNonZero && *p == '0')
                ++fractionZeros;
            else
                seenNonZero = true;
            ++p;
            ++digits;
        }
    }
    if (digits == 0)
        return 0.0;
    long exponent = 0;
    if (*p == 'e' || *p == 'E') {
        const char* q = p + 1;
        bool expNegative = false;
        if (*q == '-' || *q == '+')
            expNegative = *q++ == '-';
        if (IsDigit(*q)) {
            while (IsDigit(*q)) {
                if (exponent < 100000)
                    exponent = exponent * 10 + (*q - '0');
                ++q;
            }
            if (expNegative)
                exponent = -exponent;
            p = q;
        }
    }

    double value = 0.0;
    auto result = std::from_chars(start, p, value, std::chars_format::general);
    if (result.ec == std::errc::result_out_of_range) {
        // Too large reads as infinity, too small as zero, as a C reader would give.
        long magnitude =
            leadingIntegerDigits > 0 ? leadingIntegerDigits + exponent : exponent - fractionZeros;
        value = magnitude > 0 ? std::numeric_limits<double>::infinity() : 0.0;
    } else if (result.ec != std::errc()) {
        value = 0.0;
    }
    return negative ? -value : value;
}

int FloatToInteger(double value) {
    if (std::isnan(value))
        return INT_MIN;
    double whole = std::floor(value);
    double fraction = value - whole; // exact: below 2^52 the fraction fits, above it is 0
    if (fraction > 0.5 || (fraction == 0.5 && std::fmod(whole, 2.0) != 0.0))
        whole += 1.0;
    if (whole < -2147483648.0 || whole > 2147483647.0)
        return INT_MIN;
    return int(whole);
}
