#include "output/NumberFormat.h"
#include <charconv>
#include <cmath>
#include <cstdio>

namespace scrivane_format {

namespace {

const double powersOfTen[7] = {1, 10, 100, 1000, 10000, 100000, 1000000};
const unsigned long long integerPowersOfTen[7] = {1, 10, 100, 1000, 10000, 100000, 1000000};

// Products at or beyond 2^63 do not fit the integer path.
const double integerLimit = 9223372036854775808.0;

char *nonFinite(char *out, double value, int decimals) {
    char text[formattedLengthBound];
    const int n = std::snprintf(text, sizeof(text), "%.*f", decimals, value);
    for (int i = 0; i < n && i < formattedLengthBound - 1; i++)
        *out++ = text[i];
    return out;
}

} // namespace

char *digits(char *out, unsigned long long value) {
    char reversed[20];
    int n = 0;
    do {
        reversed[n++] = static_cast<char>('0' + value % 10);
        value /= 10;
    } while (value != 0);
    while (n > 0)
        *out++ = reversed[--n];
    return out;
}

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
    out = digits(out, units / unit);
    if (decimals == 0) return out;
    *out++ = '.';
    unsigned long long fraction = units % unit;
    for (int i = decimals - 1; i >= 0; i--) {
        out[i] = static_cast<char>('0' + fraction % 10);
        fraction /= 10;
    }
    return out + decimals;
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
