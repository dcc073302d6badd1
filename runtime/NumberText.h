// Conversion between numbers and the texts that widgets and files hold.
//
// The texts are the same on every build: they never go through the C runtime's
// printf or atof (msvcrt and glibc disagree on infinities and on far digits).
#pragma once

#include <string>

// Decimal digits without grouping; "-" for negatives.
std::string NumberToText(int value);

// Lenient reading: blanks and tabs, a sign, digits; wraps around on overflow.
// An absent text reads as 0.
int TextToNumber(const char* text);
inline int TextToNumber(const std::string& text) {
    return TextToNumber(text.c_str());
}

// Fixed notation with `decimals` digits after the point (-1: ten; capped at 512).
// Infinities and not-a-numbers are written "inf", "-inf", "nan" and "-nan".
std::string FloatToText(double value, int decimals);
inline std::string FloatToText(double value) {
    return FloatToText(value, -1);
}

// The longest readable prefix of sign, digits, point and exponent; 0.0 when there is none.
double TextToFloat(const char* text);
inline double TextToFloat(const std::string& text) {
    return TextToFloat(text.c_str());
}

// What FloatToText(value) reads back as with TextToFloat, found without the texts.
double FloatShown(double value);

// Nearest integer, halves to even; NaN and out-of-range values give -2147483648.
int FloatToInteger(double value);
