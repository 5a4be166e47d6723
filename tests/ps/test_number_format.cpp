// The fixed-point formatter against printf itself, on ten million values: random bit patterns
// of every magnitude, every kind of tie (exact halves of the last decimal, which round to even),
// the floats on either side of each tie, the largest and smallest floats, signed zeros,
// infinities and NaN.
#include "output/NumberFormat.h"
#include <cfloat>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <gtest/gtest.h>
#include <limits>
#include <random>
#include <string>
#include <vector>

namespace {

using scrivane_format::fixed;
using scrivane_format::fixedCompact;

// Our text: fixed point with the decimals given, "%g" of a float for -1.
template <typename T> std::string ours(T value, int decimals, bool compact) {
    char text[scrivane_format::formattedLengthBound];
    char *end = decimals < 0 ? scrivane_format::general(text, static_cast<float>(value))
                : compact    ? fixedCompact(text, value, decimals)
                             : fixed(text, value, decimals);
    return std::string(text, end);
}

// printf's text: "%.Nf" for decimals N >= 0, "%g" for -1.
std::string theirs(double value, int decimals) {
    char text[400];
    if (decimals < 0)
        std::snprintf(text, sizeof(text), "%g", value);
    else
        std::snprintf(text, sizeof(text), "%.*f", decimals, value);
    return text;
}

// Counts disagreements and keeps the first few for the failure message.
struct Tally {
    long checked = 0, wrong = 0;
    std::string examples;
    template <typename T> void check(T value, int decimals) {
        checked++;
        const std::string expected = theirs(static_cast<double>(value), decimals);
        const std::string got = ours(value, decimals, false);
        if (got == expected) return;
        if (++wrong <= 5)
            examples += (decimals < 0 ? "  %g" : "  %." + std::to_string(decimals) + "f") + " of " +
                        theirs(value, 12) + ": printf " + expected + ", ours " + got + "\n";
    }
};

// A float of random bits: any exponent, either sign, NaN and infinities now and then.
float randomBits(std::mt19937 &random) {
    const uint32_t bits = random();
    float value;
    std::memcpy(&value, &bits, sizeof value);
    return value;
}

std::vector<float> specialFloats() {
    const float inf = std::numeric_limits<float>::infinity();
    return {0.0f,         -0.0f,
            FLT_MAX,      -FLT_MAX,
            FLT_MIN,      -FLT_MIN,
            FLT_TRUE_MIN, 9.2233715e16f,
            9.223373e16f, 9.223372e18f,
            1e19f,        inf,
            -inf,         std::numeric_limits<float>::quiet_NaN()};
}

} // namespace

TEST(NumberFormat, FixedPointGivesPrintfsBytesOnTenMillionValues) {
    Tally tally;
    std::mt19937 random(12345);
    // Random bit patterns: every exponent, both signs.
    for (int i = 0; i < 3000000; i++)
        tally.check(randomBits(random), i % 3 == 0 ? 6 : 2);
    // Values where the drawings live (within a few metres), for both formats.
    std::uniform_real_distribution<float> page(-3000.0f, 3000.0f);
    for (int i = 0; i < 3000000; i++)
        tally.check(page(random), i % 2 ? 2 : 6);
    // Ties: k / 8 is an exact half of the last of two decimals, k / 128 of the last of six;
    // the neighbouring floats sit just off the tie.
    for (int k = -400000; k < 400000; k++) {
        for (int d : {2, 6}) {
            const float tie = static_cast<float>(k) / (d == 2 ? 8.0f : 128.0f);
            tally.check(tie, d);
            tally.check(std::nextafter(tie, 1e30f), d);
        }
    }
    // Other counts of decimals, and the special values.
    for (int i = 0; i < 400000; i++)
        tally.check(page(random), i % 7);
    for (float value : specialFloats())
        for (int d = 0; d <= 6; d++)
            tally.check(value, d);
    // Doubles (grey levels and other computed values) go their own way.
    std::uniform_real_distribution<double> unit(-2.0, 2.0);
    for (int i = 0; i < 500000; i++)
        tally.check(unit(random), 2);
    for (int k = -100000; k < 100000; k++)
        tally.check(k / 8.0, 2);
    EXPECT_GE(tally.checked, 10000000);
    EXPECT_EQ(tally.wrong, 0) << tally.examples;
}

TEST(NumberFormat, CompactDropsTrailingZerosAndABarePoint) {
    EXPECT_EQ(ours(1.5f, 2, true), "1.5");
    EXPECT_EQ(ours(2.0f, 2, true), "2");
    EXPECT_EQ(ours(10.0f, 2, true), "10");
    EXPECT_EQ(ours(-0.001f, 2, true), "-0");
    EXPECT_EQ(ours(0.125f, 2, true), "0.12");
    EXPECT_EQ(ours(0.375f, 2, true), "0.38");
    EXPECT_EQ(ours(100.0f, 0, true), "100");
    EXPECT_EQ(ours(0.3, 2, true), "0.3");
}

// "%g" of floats: every magnitude, the bounds of the fixed form, and roundings that carry into
// a new digit or into the exponent form.
TEST(NumberFormat, GeneralGivesPrintfsBytes) {
    Tally tally;
    std::mt19937 random(777);
    for (int i = 0; i < 2000000; i++)
        tally.check(randomBits(random), -1);
    std::uniform_real_distribution<float> page(-3000.0f, 3000.0f);
    for (int i = 0; i < 1000000; i++)
        tally.check(page(random), -1);
    for (float edge : {1e-4f, 1e6f, 999999.5f, 999999.4f, 99999.95f, 9.999995f, 0.000099999f,
                       0.00009999995f, 0.0f, -0.0f})
        for (float value : {edge, std::nextafter(edge, 0.0f), std::nextafter(edge, 1e30f)}) {
            tally.check(value, -1);
            tally.check(-value, -1);
        }
    for (float value : specialFloats())
        tally.check(value, -1);
    EXPECT_EQ(tally.wrong, 0) << tally.checked << " checked\n" << tally.examples;
}
