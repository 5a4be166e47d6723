// Numbers of the HP-GL/2 stream: the base-64 PE encoding and truncation to plotter units, and
// our tokenizer's decoding of both.
#include <gtest/gtest.h>
#include <climits>
#include <cmath>
#include <string>
#include "hpgl_reader.h"
#include "hpgl_test_util.h"

TEST(HpglEncodingTest, ValuesHaveTheirKnownBytesAndDecodeBackWithOurReader) {
    const std::pair<int, std::string> cases[] = {
        {0, "\xBF"}, {-1, "\xC2"}, {1, "\xC1"},
        {31, "\xFD"},                          // u = 62, the largest single byte
        {-31, "\xFE"},                         // u = 63
        {32, "?\xC0"},                         // u = 64 needs a second digit
        {100, "G\xC2"},                        // u = 200 = 8 + 3 * 64
        {-100, "H\xC2"},                       // u = 201
        {400, "_\xCB"},                        // u = 800 = 32 + 12 * 64
        {1000000, "?Qg\xC6"},                  // u = 2000000 = 0 + 18 * 64 + 40 * 64^2 + 7 * 64^3
        {-1073741823, "~~~~~\xC0"},            // u = 2^31 - 1: five digits of 63, then 1
        {INT_MIN, std::string("@????\xC3")},   // u = 2^32 + 1 and 2^32 - 2: the extremes of an int
        {INT_MAX, "}~~~~\xC2"}};
    for (const auto &c : cases) EXPECT_EQ(TestHPGLAction::encodePE(c.first), c.second) << c.first;
    for (int v : {0, 1, -1, 2, 63, 64, -64, 4095, -4096, 123456, -987654, 1073741823, INT_MIN, INT_MAX}) {
        const std::string text = TestHPGLAction::encodePE(v);
        size_t pos = 0;
        long long back = 0;
        ASSERT_TRUE(hpgl::decodeNumber(text, pos, back)) << v;
        EXPECT_EQ(back, v);
        EXPECT_EQ(pos, text.size()) << v;
    }
    // A number whose last digit is missing is not complete.
    size_t pos = 0;
    long long back = 0;
    EXPECT_FALSE(hpgl::decodeNumber("G", pos, back));
}

TEST(HpglEncodingTest, PlotterUnitsAreTruncatedTowardZeroWithinTheIntegerRange) {
    EXPECT_EQ(TestHPGLAction::truncPlu(2.99), 2);
    EXPECT_EQ(TestHPGLAction::truncPlu(-0.9), 0);
    EXPECT_EQ(TestHPGLAction::truncPlu(-1.5), -1);
    EXPECT_EQ(TestHPGLAction::truncPlu(1e20), 1073741823);
    EXPECT_EQ(TestHPGLAction::truncPlu(-1e20), -1073741823);
    EXPECT_EQ(TestHPGLAction::truncPlu(std::nan("")), 0);
}

TEST(HpglReaderTest, RejectsWhatOurWriterMustNeverWrite) {
    EXPECT_TRUE(hpgl::parse("IN;PE<=\xBF\xBF;SPPG;\n").ok());
    // A PE number cut by ';', a byte that is not PE data, an unended label, an unknown command,
    // an unknown escape, a stream cut in a command.
    for (const char *bad : {"IN;PE<=G;", "IN;PE<=\xBF\x20\xBF;", "IN;LBabc;", "IN;XX;", "\x1b%-12345XIN;", "IN;PW0.5",
                            "IN;PM2;"})
        EXPECT_FALSE(hpgl::parse(bad).ok()) << bad;
    // Relative pairs continue from the last PU position: (10 - 2, 20 + 3).
    hpgl::Stream s = hpgl::parse("IN;PU10,20PMPE\xC4\xC5;PM2FP;");
    ASSERT_TRUE(s.ok()) << s.error;
    ASSERT_EQ(s.count("PE"), 1);
    EXPECT_EQ(xy(*s.all("PE")[0]), (Points{{8, 23}}));
}
