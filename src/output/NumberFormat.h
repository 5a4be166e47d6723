#ifndef SCRIVANE_NUMBERFORMAT_H
#define SCRIVANE_NUMBERFORMAT_H
// Fixed-point numbers written exactly as printf's "%.Nf" writes them, without printf's cost.
//
// A float times 10^N (N at most 6) is exact in double precision: 24 bits of mantissa times at
// most 5^6 (14 bits) and a power of two. Rounding that product to an integer in the default
// rounding mode (ties to even) is then exactly what printf does to the float's decimal
// expansion, ties included; the digits of the integer are the digits of the text. Doubles, and
// floats too large for the integer path, go through std::to_chars, which also rounds the exact
// value; infinities and NaN go through snprintf itself.
//
// Every function writes at out and returns the end of what it wrote (no terminating zero). The
// caller's buffer must hold formattedLengthBound characters.
namespace scrivane_format {

// Longest text of one number: "%.6f" of the largest double is 309 + 1 + 1 + 6 characters.
constexpr int formattedLengthBound = 320;

// printf("%.*f", decimals, value) for 0 <= decimals <= 9 (floats: 10^9 times a float is still
// exact in double precision).
char *fixed(char *out, float value, int decimals);
char *fixed(char *out, double value, int decimals);

// printf("%g", value): six significant digits, trailing zeros and a bare point dropped, the
// exponent form below 1e-4 and from 1e6 on.
char *general(char *out, float value);

// The same number compacted: trailing zeros of the decimals are dropped, and the point with
// them when none is left ("1.50" -> "1.5", "2.00" -> "2", "-0.00" -> "-0").
char *fixedCompact(char *out, float value, int decimals);
char *fixedCompact(char *out, double value, int decimals);

// Drops the trailing zeros (and a bare point) of the number that ends at end and starts at
// begin; returns the new end. Numbers without a point are left as they are.
char *compactTail(char *begin, char *end);

// Writes a non-negative integer's digits; returns the end.
char *digits(char *out, unsigned long long value);

} // namespace scrivane_format

#endif
