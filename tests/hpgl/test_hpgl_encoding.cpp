// Numbers of the HP-GL/2 stream: the base-64 PE encoding and truncation to plotter units, and
// our tokenizer's decoding of both.
#include <gtest/gtest.h>
#include <climits>
#include <cmath>
#include <string>
#include "hpgl_reader.h"
#include "hpgl_test_util.h"

namespace {
std::string encoded(int value) { return TestHPGLAction::encodePE(value); }
} // namespace

TEST(HpglEncodingTest, SmallValuesHaveTheirKnownBytes) {
    EXPECT_EQ(encoded(0), "\xBF");
    EXPECT_EQ(encoded(-1), "\xC2");
    EXPECT_EQ(encoded(1), "\xC1");
    EXPECT_EQ(encoded(31), "\xFD");     // u = 62, the largest single byte
    EXPECT_EQ(encoded(-31), "\xFE");    // u = 63
    EXPECT_EQ(encoded(32), "?\xC0");    // u = 64 needs a second digit
    EXPECT_EQ(encoded(100), "G\xC2");   // u = 200 = 8 + 3 * 64
    EXPECT_EQ(encoded(-100), "H\xC2");  // u = 201
    EXPECT_EQ(encoded(400), "_\xCB");   // u = 800 = 32 + 12 * 64
}

TEST(HpglEncodingTest, LargeValuesUseUpToSixBytes) {
    // u = 2000000 = 0 + 18 * 64 + 40 * 64^2 + 7 * 64^3
    EXPECT_EQ(encoded(1000000), "?Qg\xC6");
    // u = 2^31 - 1: five digits of 63, then 1.
    EXPECT_EQ(encoded(-1073741823), "~~~~~\xC0");
    // u = 2^32 + 1 and 2^32 - 2: the extremes of an int.
    EXPECT_EQ(encoded(INT_MIN), std::string("@????\xC3"));
    EXPECT_EQ(encoded(INT_MAX), "}~~~~\xC2");
}

TEST(HpglEncodingTest, EveryResultDecodesBackWithOurReader) {
    const int values[] = {0, 1, -1, 2, 63, 64, -64, 4095, -4096, 123456, -987654, 1073741823, INT_MIN, INT_MAX};
    for (int v : values) {
        std::string text = encoded(v);
        size_t pos = 0;
        long long back = 0;
        ASSERT_TRUE(hpgl::decodeNumber(text, pos, back)) << v;
        EXPECT_EQ(back, v);
        EXPECT_EQ(pos, text.size()) << v;
    }
    // A number whose last digit is missing is not complete.
    std::string cut = encoded(100).substr(0, 1);
    size_t pos = 0;
    long long back = 0;
    EXPECT_FALSE(hpgl::decodeNumber(cut, pos, back));
}

TEST(HpglEncodingTest, TheResultLivesInOneBufferThatTheNextCallOverwrites) {
    const char *first = TestHPGLAction::encodePE(100);
    const char *second = TestHPGLAction::encodePE(0);
    EXPECT_EQ(first, second);
    EXPECT_STREQ(first, "\xBF");
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
    // A PE number cut by ';'.
    EXPECT_FALSE(hpgl::parse("IN;PE<=G;").ok());
    // A byte that is not PE data.
    EXPECT_FALSE(hpgl::parse("IN;PE<=\xBF\x20\xBF;").ok());
    // An unended label, an unknown command, an unknown escape, a stream cut in a command.
    EXPECT_FALSE(hpgl::parse("IN;LBabc;").ok());
    EXPECT_FALSE(hpgl::parse("IN;XX;").ok());
    EXPECT_FALSE(hpgl::parse("\x1b%-12345XIN;").ok());
    EXPECT_FALSE(hpgl::parse("IN;PW0.5").ok());
    EXPECT_FALSE(hpgl::parse("IN;PM2;").ok());
    // Relative pairs continue from the last PU position.
    hpgl::Stream s = hpgl::parse("IN;PU10,20PMPE\xC4\xC5;PM2FP;");
    ASSERT_TRUE(s.ok()) << s.error;
    ASSERT_EQ(s.all("PE").size(), 1u);
    const hpgl::Command &pe = *s.all("PE")[0];
    ASSERT_EQ(pe.vertices.size(), 1u);
    EXPECT_EQ(pe.vertices[0].x, 8);   // 10 - 2
    EXPECT_EQ(pe.vertices[0].y, 23);  // 20 + 3
}
