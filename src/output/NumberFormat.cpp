#include "output/NumberFormat.h"
#include <charconv>
#include <cmath>
#include <cstdio>

namespace scrivane_format {

namespace {

const double powersOfTen[10] = {1, 10, 100, 1000, 10000, 100000, 1000000, 1e7, 1e8, 1e9};
const unsigned long long integerPowersOfTen[10] = {1,       10,       100,       1000,      10000,
                                                   100000,  1000000,  10000000,  100000000, 1000000000};

// Products at or beyond 2^63 do not fit the integer path.
const double integerLimit = 9223372036854775808.0;

// printf's own text: "%.Nf" for decimals N >= 0, "%g" for -1.
char *nonFinite(char *out, double value, int decimals) {
    char text[formattedLengthBound];
    const int n = decimals < 0 ? std::snprintf(text, sizeof(text), "%g", value)
                               : std::snprintf(text, sizeof(text), "%.*f", decimals, value);
    for (int i = 0; i < n && i < formattedLengthBound - 1; i++)
        *out++ = text[i];
    return out;
}

// "00" to "99": two digits per division.
const char digitPairs[] = "00010203040506070809101112131415161718192021222324252627282930313233343536373839"
                          "40414243444546474849505152535455565758596061626364656667686970717273747576777879"
                          "8081828384858687888990919293949596979899";

template <typename Unsigned> char *unsignedDigits(char *out, Unsigned value) {
    char text[20];
    char *p = text + sizeof(text);
    while (value >= 100) {
        const unsigned pair = static_cast<unsigned>(value % 100) * 2;
        value /= 100;
        *--p = digitPairs[pair + 1];
        *--p = digitPairs[pair];
    }
    if (value >= 10) {
        const unsigned pair = static_cast<unsigned>(value) * 2;
        *--p = digitPairs[pair + 1];
        *--p = digitPairs[pair];
    } else {
        *--p = static_cast<char>('0' + value);
    }
    while (p < text + sizeof(text))
        *out++ = *p++;
    return out;
}

} // namespace

char *digits(char *out, unsigned long long value) {
    // 32-bit divisions are several times cheaper than 64-bit ones, and most numbers fit.
    if (value <= 0xFFFFFFFFull) return unsignedDigits(out, static_cast<unsigned>(value));
    return unsignedDigits(out, value);
}

namespace {

// The decimals of units % 10^decimals, all of them, leading zeros included.
char *decimalsOf(char *out, unsigned fraction, int decimals) {
    if (decimals == 2) {
        out[0] = digitPairs[2 * fraction];
        out[1] = digitPairs[2 * fraction + 1];
        return out + 2;
    }
    for (int i = decimals - 1; i >= 0; i--) {
        out[i] = static_cast<char>('0' + fraction % 10);
        fraction /= 10;
    }
    return out + decimals;
}

} // namespace

char *fixed(char *out, double value, int decimals) {
    if (!std::isfinite(value)) return nonFinite(out, value, decimals);
    return std::to_chars(out, out + formattedLengthBound, value, std::chars_format::fixed, decimals)
        .ptr;
}

char *fixed(char *out, float value, int decimals) {
    if (!std::isfinite(value)) return nonFinite(out, value, decimals);
    const double scaled = std::fabs(static_cast<double>(value)) * powersOfTen[decimals];
    if (scaled >= integerLimit) return fixed(out, static_cast<double>(value), decimals);
    const unsigned long long units = static_cast<unsigned long long>(std::nearbyint(scaled));
    if (std::signbit(value)) *out++ = '-';
    const unsigned long long unit = integerPowersOfTen[decimals];
    unsigned fraction;
    if (units <= 0xFFFFFFFFull) {
        const unsigned small = static_cast<unsigned>(units), smallUnit = static_cast<unsigned>(unit);
        out = unsignedDigits(out, small / smallUnit);
        fraction = small % smallUnit;
    } else {
        out = unsignedDigits(out, units / unit);
        fraction = static_cast<unsigned>(units % unit);
    }
    if (decimals == 0) return out;
    *out++ = '.';
    return decimalsOf(out, fraction, decimals);
}

char *general(char *out, float value) {
    const float magnitude = std::fabs(value);
    // The fixed form covers 1e-4 <= |value| < 1e6 after rounding to six digits; the bounds are
    // compared as doubles, which decide exactly for a float (no float lies between a power of
    // ten and the double nearest to it).
    if (!(magnitude >= 1e-4 && magnitude < 1e6)) {
        if (value == 0.0f) {
            if (std::signbit(value)) *out++ = '-';
            *out++ = '0';
            return out;
        }
        return nonFinite(out, value, -1);
    }
    static const double tens[10] = {1e-4, 1e-3, 1e-2, 1e-1, 1, 1e1, 1e2, 1e3, 1e4, 1e5};
    int exponent = -4;
    while (exponent < 5 && static_cast<double>(magnitude) >= tens[exponent + 5])
        exponent++;
    if (exponent == 5 && std::nearbyint(static_cast<double>(magnitude)) >= 1e6)
        return nonFinite(out, value, -1); // rounds up to 1e+06
    // Six significant digits are 5 - exponent decimals. Where the rounding carries into a new
    // leading digit the fixed text has one digit too many, but it is a trailing zero, which
    // goes anyway.
    char *const start = out;
    out = fixed(out, value, 5 - exponent);
    return compactTail(start, out);
}

char *compactTail(char *begin, char *end) {
    char *point = end;
    for (char *c = begin; c < end; c++)
        if (*c == '.') point = c;
    if (point == end) return end;
    while (end > point + 1 && end[-1] == '0')
        end--;
    // A bare point goes too, unless nothing stands before it.
    if (end == point + 1 && point > begin) end--;
    return end;
}

char *fixedCompact(char *out, float value, int decimals) {
    return compactTail(out, fixed(out, value, decimals));
}

char *fixedCompact(char *out, double value, int decimals) {
    return compactTail(out, fixed(out, value, decimals));
}

} // namespace scrivane_format
