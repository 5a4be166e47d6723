// The binary element encoding: headers, partitions, padding, numbers, strings, precisions;
// and RSHORT, the clear-text real formatter.
#include <gtest/gtest.h>
#include <limits>
#include <string>
#include <vector>
#include "cgm_test_util.h"
#include "output/cgm/CGMClearText.h"

namespace {

// An encoder with real VDCs in 4-byte floats.
struct FloatVdcEncoder : MemoryEncoder {
    FloatVdcEncoder() {
        e().vdcType = 1;
        e().vdcRealPrecision = 1;
    }
};

} // namespace

TEST(CGMEncoder, HeaderIsShortUpTo30BytesAndLongFrom31) {
    MemoryEncoder m;
    m.e().PWriteHeader(4, 1, 30);
    m.e().PWriteHeader(4, 1, 31);
    m.e().PWriteHeader(4, 1, 32760);
    EXPECT_EQ(hexBytes(m.bytes()), "40 3E 40 3F 00 1F 40 3F 7F F8");
    // Text of 19 and 20 characters: string 20 or 21 + point 8 + enumeration 2 = 30 or 31 bytes;
    // the 31 parameter bytes are followed by a pad byte.
    FloatVdcEncoder t;
    t.e().Ptext010(pt(0, 0), 1, "abcdefghijklmnopqrs");
    EXPECT_EQ(hexBytes(t.bytes(), 0, 2), "40 9E");
    EXPECT_EQ(t.bytes().size(), 32u);
    t.e().Ptext010(pt(0, 0), 1, "abcdefghijklmnopqrst");
    t.e().Pendpic();
    EXPECT_EQ(hexBytes(t.bytes(), 32, 4), "40 9F 00 1F");
    EXPECT_EQ(hexBytes(t.bytes(), 32 + 4 + 31), "00 00 A0");
}

TEST(CGMEncoder, LongPolylineIsSplitIntoPartitionsPast32760Bytes) {
    FloatVdcEncoder m;
    std::vector<SbVec4f> points;
    for (int i = 0; i < 5000; i++) points.push_back(pt(static_cast<float>(i), static_cast<float>(i % 7)));
    m.e().Pline(5000, points.data()); // 40000 parameter bytes
    std::vector<uint8_t> b = m.bytes();
    ASSERT_EQ(b.size(), 2u + 2u + 32760u + 2u + 7240u);
    // The last partition word carries the remaining 7240 bytes with bit 15 clear. 4095 points
    // fill the first partition: it starts with (0, 0) and ends with x = 4094; the second
    // starts with x = 4095.
    EXPECT_EQ(hexBytes(b, 0, 12), "40 3F FF F8 00 00 00 00 00 00 00 00");
    EXPECT_EQ(hexBytes(b, 4 + 32760 - 8, 4), "45 7F E0 00");
    EXPECT_EQ(hexBytes(b, 4 + 32760, 6), "1C 48 45 7F F0 00");
    EXPECT_EQ(m.e().elementRemaining, 0);
    // Exactly 32760 bytes: one partition; 32768: 32760 then 8.
    FloatVdcEncoder n;
    n.e().Pline(4095, points.data());
    n.e().Pline(4096, points.data());
    b = n.bytes();
    ASSERT_EQ(b.size(), 4u + 32760u + 4u + 32760u + 2u + 8u);
    EXPECT_EQ(hexBytes(b, 2, 2), "7F F8");
    EXPECT_EQ(hexBytes(b, 4 + 32760 + 2, 2), "FF F8");
    EXPECT_EQ(hexBytes(b, 4 + 32760 + 4 + 32760, 2), "00 08");
}

TEST(CGMEncoder, OddTextIsFollowedByAPadByte) {
    FloatVdcEncoder m;
    m.e().Ptext010(pt(1, 2), 1, "ab"); // 3 + 8 + 2 = 13 bytes
    m.e().Pendpic();
    EXPECT_EQ(hexBytes(m.bytes()), "40 8D 3F 80 00 00 40 00 00 00 00 01 02 61 62 00 00 A0");
    EXPECT_EQ(m.e().oddByte, 0);
}

TEST(CGMEncoder, FloatingAndFixedPointReals) {
    const struct {
        int precision;
        double value;
        const char *bytes;
    } cases[] = {
        {1, 1.0, "3F 80 00 00"}, {1, -2.5, "C0 20 00 00"}, {1, 0.0, "00 00 00 00"}, {1, 0.5, "3F 00 00 00"},
        {1, 0.1, "3D CC CC CC"}, // the fraction is truncated, not rounded (IEEE would give ...CD)
        {1, 277.0, "43 8A 80 00"}, {1, 1e-45, "00 00 00 00"}, {1, 1e300, "7F 7F FF FF"}, {1, -1e300, "FF 7F FF FF"},
        {2, 1.0, "3F F0 00 00 00 00 00 00"}, {2, -2.5, "C0 04 00 00 00 00 00 00"},
        {2, 0.1, "3F B9 99 99 99 99 99 9A"}, {2, 0.0, "00 00 00 00 00 00 00 00"},
        {3, 277.0, "01 15 00 00"}, {3, 0.5, "00 00 7F FF"}, {3, -0.5, "FF FF 7F FF"}, {3, 10.25, "00 0A 3F FF"}};
    for (const auto &c : cases) {
        MemoryEncoder m;
        m.e().realPrecision = c.precision;
        m.e().PWriteHeader(5, 12, c.precision == 2 ? 8 : 4);
        m.e().PWriteReal(c.value);
        EXPECT_EQ(hexBytes(m.bytes(), 2), c.bytes) << c.precision << " " << c.value;
    }
}

// Point coordinates are floats: a normal one is written as its own bits, any other one as the
// 32-bit real of its double (zero of either sign and subnormals as 0, infinities clamped).
TEST(CGMEncoder, PointCoordinatesThatAreNotNormalFloats) {
    const float inf = std::numeric_limits<float>::infinity();
    const float max = std::numeric_limits<float>::max(), min = std::numeric_limits<float>::min();
    const SbVec4f points[4] = {pt(-0.0f, min / 4.0f), pt(inf, -inf), pt(-max, min),
                               pt(std::numeric_limits<float>::quiet_NaN(), -1.5f)};
    FloatVdcEncoder m;
    m.e().Ppolygon(4, points);
    m.e().Ptext010(points[1], 1, "");
    EXPECT_EQ(hexBytes(m.bytes()), "40 FF 00 20 00 00 00 00 00 00 00 00 7F 7F FF FF FF 7F FF FF "
                                   "FF 7F FF FF 00 80 00 00 00 00 00 00 BF C0 00 00 "
                                   "40 8B 7F 7F FF FF FF 7F FF FF 00 01 00");
}

TEST(CGMEncoder, StringsShortAndLong) {
    EXPECT_EQ(CGMBinaryEncoder::PStrLen("abc"), 4);
    EXPECT_EQ(CGMBinaryEncoder::PStrLen(std::string(254, 'y').c_str()), 255);
    EXPECT_EQ(CGMBinaryEncoder::PStrLen(std::string(255, 'y').c_str()), 258);
    const std::string s300(300, 'x');
    EXPECT_EQ(CGMBinaryEncoder::PStrLen(s300.c_str()), 303);
    MemoryEncoder m;
    m.e().PWriteHeader(1, 2, 303);
    m.e().PWriteString(s300.c_str());
    std::vector<uint8_t> b = m.bytes();
    ASSERT_EQ(b.size(), 4u + 303u);
    EXPECT_EQ(hexBytes(b, 0, 8), "10 5F 01 2F FF 01 2C 78");
    EXPECT_EQ(b.back(), 'x');
    EXPECT_EQ(m.e().elementRemaining, 0);
}

TEST(CGMEncoder, IntegersIndexesColoursEnumerationsAndVdcs) {
    MemoryEncoder m;
    m.e().PWriteHeader(5, 2, 13);
    m.e().PWriteIndex(-1);
    m.e().PWriteInt(0x1234);
    m.e().PWriteColorI(200);
    m.e().PWriteColorD(1, 2, 255);
    m.e().PWriteEnum(3);
    m.e().integerPrecision = 3;
    m.e().PWriteInt(static_cast<unsigned>(-2));
    EXPECT_EQ(hexBytes(m.bytes(), 2), "FF FF 12 34 C8 01 02 FF 00 03 FF FF FE");
    MemoryEncoder v;
    v.e().PWriteHeader(5, 15, 12);
    v.e().PWriteVDC(-2.7); // integer VDC, 16 bits, truncated toward zero
    v.e().vdcType = 1;     // real VDC in the 32-bit fixed form
    v.e().PWriteVDC(1.5);
    v.e().vdcRealPrecision = 1;
    v.e().setPlacement({10.0f, 20.0f, 0, 0.0f}); // points get the page offsets, single VDCs not
    v.e().PWriteVDC(2.0);
    v.e().Pcliprect(0.0f, 0.0f, 1.0f, 2.0f);
    EXPECT_EQ(hexBytes(v.bytes(), 2),
              "FF FE 00 01 7F FF 40 00 00 00 30 B0 41 20 00 00 41 A0 00 00 41 30 00 00 41 B0 00 00");
    // The precisions swapped in for a VDC are restored.
    EXPECT_EQ(v.e().integerPrecision, 2);
    EXPECT_EQ(v.e().realPrecision, 3);
}

TEST(CGMEncoder, MetafileAndPrecisionElementsSetTheEncoderState) {
    // BEGIN METAFILE restores the defaults: integer precision, real precision, colour mode, VDC
    // type and size, line width mode.
    MemoryEncoder m;
    m.e().integerPrecision = 4;
    m.e().vdcType = 1;
    m.e().Pbegmf("Scrivane CGM OUTPUT", 0);
    EXPECT_EQ(hexBytes(m.bytes(), 0, 3), "00 34 13");
    const int defaults[] = {m.e().integerPrecision, m.e().realPrecision, m.e().colorMode, m.e().vdcType,
                            m.e().vdcSize(), m.e().lineWidthMode};
    EXPECT_EQ(std::vector<int>(defaults, defaults + 6), (std::vector<int>{2, 3, 1, 0, 2, 1}));
    // Integer, real, index, colour and colour index precisions, then colour mode.
    MemoryEncoder p;
    p.e().Pbegmf("", 1);
    p.e().Pintegerprec(-32767, 32767);
    p.e().Prealprec(-32767, 32767, 8);
    p.e().Pindexprec(0, 70000);
    p.e().Pcolrprec(255);
    p.e().Pcolrindexprec(256);
    EXPECT_EQ(hexBytes(p.bytes()),
              "00 21 00 00 10 82 00 10 10 A6 00 00 00 09 00 17 10 C2 00 18 10 E2 00 08 11 02 00 10");
    const int state[] = {p.e().integerPrecision, p.e().realPrecision, p.e().indexPrecision, p.e().colorPrecision,
                         p.e().colorIndexPrecision, p.e().colorMode};
    EXPECT_EQ(std::vector<int>(state, state + 6), (std::vector<int>{2, 1, 3, 1, 2, 0}));
    p.e().Prealprec(0, 0, 15);
    EXPECT_EQ(p.e().realPrecision, 2);
    EXPECT_EQ(p.e().realSize(), 8);
}

TEST(CGMClearTextReal, RSHORTAddsAPointWhenThereIsNoneInFiveSlots) {
    EXPECT_STREQ(CGMClearText::RSHORT(0, 10.0f), "10.");
    EXPECT_STREQ(CGMClearText::RSHORT(1, 0.25f), "0.25");
    EXPECT_STREQ(CGMClearText::RSHORT(2, -3.0f), "-3.");
    EXPECT_STREQ(CGMClearText::RSHORT(3, 1e-7f), "1.e-07");
    EXPECT_STREQ(CGMClearText::RSHORT(4, 1.5e-7f), "1.5e-07");
    EXPECT_STREQ(CGMClearText::RSHORT(0, 123456.7f), "123457.");
    const char *a = CGMClearText::RSHORT(0, 1.0f), *b = CGMClearText::RSHORT(1, 2.5f);
    const char *c = CGMClearText::RSHORT(2, 3.0f), *d = CGMClearText::RSHORT(3, 4.75f);
    const char *e = CGMClearText::RSHORT(4, 5.0f);
    EXPECT_EQ(std::string(a) + " " + b + " " + c + " " + d + " " + e, "1. 2.5 3. 4.75 5.");
    CGMClearText::RSHORT(1, 7.0f);
    EXPECT_STREQ(a, "1.");
    EXPECT_STREQ(b, "7.");
}
