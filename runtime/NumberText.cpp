#include "runtime/NumberText.h"

#include <charconv>
#include <climits>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <limits>

namespace {

constexpr uint64_t Pow10[] = {1,
                              10,
                              100,
                              1000,
                              10000,
                              100000,
                              1000000,
                              10000000,
                              100000000,
                              1000000000,
                              10000000000,
                              100000000000,
                              1000000000000,
                              10000000000000,
                              100000000000000,
                              1000000000000000,
                              10000000000000000,
                              100000000000000000,
                              1000000000000000000,
                              10000000000000000000u};

// value * 10^decimals rounded to the nearest integer, halves to even, computed exactly from the
// double's bits: what a fixed text of the value shows with its point left out. Only for
// finite values below 1e9 and up to 10 decimals, where the result fits 64 bits.
uint64_t FixedDigits(double value, int decimals) {
    uint64_t bits;
    std::memcpy(&bits, &value, sizeof bits);
    const int biased = int(bits >> 52 & 0x7FF);
    const uint64_t mantissa = (bits & ((uint64_t(1) << 52) - 1)) | (biased ? uint64_t(1) << 52 : 0);
    // value * 10^decimals = mantissa * 5^decimals * 2^shift, the product in two 64-bit halves.
    const int shift = (biased ? biased : 1) - 1075 + decimals;
    const uint64_t five = Pow10[decimals] >> decimals;
    const uint64_t high = (mantissa >> 32) * five, low = (mantissa & 0xFFFFFFFFu) * five;
    uint64_t lo = low + (high << 32);
    uint64_t hi = (high >> 32) + (lo < low ? 1 : 0);
    const int right = -shift; // at least 12: the value is below 2^30

    if (right > 80)
        return 0; // the product is below 2^77: less than half
    // The kept part, and the dropped bits against a half (as hi:lo pairs).
    uint64_t kept, restHi, restLo, halfHi, halfLo;
    if (right < 64) {
        kept = lo >> right | hi << (64 - right);
        restHi = 0, restLo = lo & ((uint64_t(1) << right) - 1);
        halfHi = 0, halfLo = uint64_t(1) << (right - 1);
    } else {
        const int down = right - 64;
        kept = down < 64 ? hi >> down : 0;
        restHi = down < 64 ? hi & ((uint64_t(1) << down) - 1) : hi, restLo = lo;
        halfHi = down ? uint64_t(1) << (down - 1) : 0, halfLo = down ? 0 : uint64_t(1) << 63;
    }
    const bool above = restHi != halfHi ? restHi > halfHi : restLo > halfLo;
    const bool half = restHi == halfHi && restLo == halfLo;
    return kept + (above || (half && (kept & 1)) ? 1 : 0);
}

// The decimal digits of `value`, last first, into the end of `out`; their count.
int DigitsWrite(uint64_t value, char* end) {
    char* p = end;
    do {
        *--p = char('0' + value % 10);
        value /= 10;
    } while (value);
    return int(end - p);
}

} // namespace

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
    if (decimals <= 10 && std::fabs(value) < 1e9) {
        // The common case, exact and the same text, without the general formatter.
        const uint64_t digits = FixedDigits(std::fabs(value), decimals);
        char buffer[32];
        char* end = buffer + sizeof buffer;
        char* start = end - DigitsWrite(digits, end);
        while (end - start <= decimals)
            *--start = '0';
        if (decimals > 0) { // the point goes in before the decimals
            std::memmove(start - 1, start, size_t(end - start - decimals));
            *(end - decimals - 1) = '.';
            --start;
        }
        if (std::signbit(value))
            *--start = '-';
        return std::string(start, end);
    }
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
    uint64_t whole = 0;    // the digits without the point, while there are at most 19
    int decimals = 0;
    while (IsDigit(*p)) {
        if (*p != '0')
            seenNonZero = true;
        if (seenNonZero)
            ++leadingIntegerDigits;
        whole = whole * 10 + uint64_t(*p - '0');
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
            whole = whole * 10 + uint64_t(*p - '0');
            ++decimals;
            ++p;
            ++digits;
        }
    }
    if (digits == 0)
        return 0.0;
    const char* mantissaEnd = p;
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
    // Plain digits with a point whose value without the point fits 2^53: both it and the power
    // of ten are exact doubles, so one division rounds correctly.
    if (p == mantissaEnd && digits <= 19) {
        constexpr uint64_t exact = uint64_t(1) << 53;
        while (whole > exact && decimals > 0 && whole % 10 == 0)
            whole /= 10, --decimals;
        if (whole <= exact) {
            value = double(whole) / double(Pow10[decimals]);
            return negative ? -value : value;
        }
    }
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

double FloatShown(double value) {
    // From 2^19 up a double's spacing is above 1e-10, so ten decimals are nearer to the value
    // itself than to any other double: it reads back unchanged.
    if (!std::isfinite(value) || std::fabs(value) >= 524288.0)
        return std::isfinite(value) ? value : TextToFloat(FloatToText(value));
    // Below it the ten-decimal digits fit 2^53: one correctly rounded division, as reading does.
    const double shown = double(FixedDigits(std::fabs(value), 10)) / 1e10;
    return std::signbit(value) ? -shown : shown;
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
