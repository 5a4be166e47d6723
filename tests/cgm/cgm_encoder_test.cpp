// The binary element encoding: headers, partitions, padding, numbers, strings, precisions;
// and RSHORT, the clear-text real formatter.
#include <gtest/gtest.h>
#include <string>
#include <vector>
#include "cgm_test_util.h"
#include "output/cgm/CGMClearText.h"

namespace {

std::vector<uint8_t> realBytes(int precision, double value) {
    MemoryEncoder m;
    m.e().realPrecision = precision;
    m.e().PWriteHeader(5, 12, precision == 2 ? 8 : 4);
    m.e().PWriteReal(value);
    std::vector<uint8_t> b = m.bytes();
    return std::vector<uint8_t>(b.begin() + 2, b.end());
}

} // namespace

TEST(CGMEncoder, HeaderIsShortUpTo30BytesAndLongFrom31) {
    MemoryEncoder m;
    m.e().PWriteHeader(4, 1, 30);
    m.e().PWriteHeader(4, 1, 31);
    m.e().PWriteHeader(4, 1, 32760);
    EXPECT_EQ(hexBytes(m.bytes()), "40 3E 40 3F 00 1F 40 3F 7F F8");
}

TEST(CGMEncoder, TextElementsOf30And31BytesTakeShortAndLongHeaders) {
    MemoryEncoder m;
    m.e().Pbegmf("x", 0);
    m.e().Pvdctype(1);
    m.e().Pvdcrealprec(-32767, 32767, 8); // points are two 4-byte floats
    std::vector<uint8_t> before = m.bytes();
    // 19 characters: string 20 + point 8 + enumeration 2 = 30 bytes.
    m.e().Ptext010(pt(0, 0), 1, "abcdefghijklmnopqrs");
    std::vector<uint8_t> after = m.bytes();
    EXPECT_EQ(hexBytes(after, before.size(), 2), "40 9E");
    EXPECT_EQ(after.size() - before.size(), 32u);
    m.e().Ptext010(pt(0, 0), 1, "abcdefghijklmnopqrst");
    std::vector<uint8_t> last = m.bytes();
    EXPECT_EQ(hexBytes(last, after.size(), 4), "40 9F 00 1F");
    // 31 parameter bytes and the pad byte.
    m.e().Pendmf();
    std::vector<uint8_t> end = m.bytes();
    EXPECT_EQ(end.size() - last.size(), 3u);
    EXPECT_EQ(end[last.size()], 0);
}

TEST(CGMEncoder, LongPolylineIsSplitIntoPartitions) {
    MemoryEncoder m;
    m.e().vdcType = 1;
    m.e().vdcRealPrecision = 1;
    std::vector<SbVec4f> points;
    for (int i = 0; i < 5000; i++) points.push_back(pt(static_cast<float>(i), static_cast<float>(i % 7)));
    m.e().Pline(5000, points.data()); // 40000 parameter bytes
    std::vector<uint8_t> b = m.bytes();
    ASSERT_EQ(b.size(), 2u + 2u + 32760u + 2u + 7240u);
    EXPECT_EQ(hexBytes(b, 0, 4), "40 3F FF F8");
    // The last partition word carries the remaining 7240 bytes with bit 15 clear.
    EXPECT_EQ(hexBytes(b, 4 + 32760, 2), "1C 48");
    // 4095 points fill the first partition: it starts with (0, 0) and ends with x = 4094; the
    // second starts with x = 4095.
    EXPECT_EQ(hexBytes(b, 4, 8), "00 00 00 00 00 00 00 00");
    EXPECT_EQ(hexBytes(b, 4 + 32760 - 8, 4), "45 7F E0 00");
    EXPECT_EQ(hexBytes(b, 4 + 32760 + 2, 4), "45 7F F0 00");
    EXPECT_EQ(m.e().elementRemaining, 0);
}

TEST(CGMEncoder, PartitionBoundaryAtExactly32760And32768Bytes) {
    MemoryEncoder m;
    m.e().vdcType = 1;
    m.e().vdcRealPrecision = 1;
    std::vector<SbVec4f> points(4096, pt(1, 1));
    m.e().Pline(4095, points.data()); // exactly 32760: one partition
    std::vector<uint8_t> b = m.bytes();
    EXPECT_EQ(b.size(), 4u + 32760u);
    EXPECT_EQ(hexBytes(b, 2, 2), "7F F8");
    m.e().Pline(4096, points.data()); // 32768: 32760 then 8
    std::vector<uint8_t> c = m.bytes();
    EXPECT_EQ(hexBytes(c, b.size() + 2, 2), "FF F8");
    EXPECT_EQ(hexBytes(c, b.size() + 4 + 32760, 2), "00 08");
    EXPECT_EQ(c.size(), b.size() + 4 + 32760 + 2 + 8);
}

TEST(CGMEncoder, OddTextIsFollowedByAPadByte) {
    MemoryEncoder m;
    m.e().vdcType = 1;
    m.e().vdcRealPrecision = 1;
    m.e().Ptext010(pt(1, 2), 1, "ab"); // 3 + 8 + 2 = 13 bytes
    m.e().Pendpic();
    std::vector<uint8_t> b = m.bytes();
    ASSERT_EQ(b.size(), 2u + 13u + 1u + 2u);
    EXPECT_EQ(hexBytes(b), "40 8D 3F 80 00 00 40 00 00 00 00 01 02 61 62 00 00 A0");
    EXPECT_EQ(m.e().oddByte, 0);
}

TEST(CGMEncoder, FloatingPointReals) {
    EXPECT_EQ(hexBytes(realBytes(1, 1.0)), "3F 80 00 00");
    EXPECT_EQ(hexBytes(realBytes(1, -2.5)), "C0 20 00 00");
    EXPECT_EQ(hexBytes(realBytes(1, 0.0)), "00 00 00 00");
    EXPECT_EQ(hexBytes(realBytes(1, 0.5)), "3F 00 00 00");
    // The fraction is truncated, not rounded (IEEE rounding would give ...CD).
    EXPECT_EQ(hexBytes(realBytes(1, 0.1)), "3D CC CC CC");
    EXPECT_EQ(hexBytes(realBytes(1, 277.0)), "43 8A 80 00");
    EXPECT_EQ(hexBytes(realBytes(2, 1.0)), "3F F0 00 00 00 00 00 00");
    EXPECT_EQ(hexBytes(realBytes(2, -2.5)), "C0 04 00 00 00 00 00 00");
    EXPECT_EQ(hexBytes(realBytes(2, 0.1)), "3F B9 99 99 99 99 99 9A");
    EXPECT_EQ(hexBytes(realBytes(2, 0.0)), "00 00 00 00 00 00 00 00");
}

TEST(CGMEncoder, FixedPointReals) {
    EXPECT_EQ(hexBytes(realBytes(3, 277.0)), "01 15 00 00");
    EXPECT_EQ(hexBytes(realBytes(3, 0.5)), "00 00 7F FF");
    EXPECT_EQ(hexBytes(realBytes(3, -0.5)), "FF FF 7F FF");
    EXPECT_EQ(hexBytes(realBytes(3, 10.25)), "00 0A 3F FF");
}

TEST(CGMEncoder, RealsOutsideTheFloatRangeStayWellFormed) {
    EXPECT_EQ(hexBytes(realBytes(1, 1e-45)), "00 00 00 00");
    EXPECT_EQ(hexBytes(realBytes(1, 1e300)), "7F 7F FF FF");
    EXPECT_EQ(hexBytes(realBytes(1, -1e300)), "FF 7F FF FF");
}

TEST(CGMEncoder, StringsShortAndLong) {
    MemoryEncoder m;
    std::string s300(300, 'x');
    EXPECT_EQ(CGMBinaryEncoder::PStrLen(s300.c_str()), 303);
    EXPECT_EQ(CGMBinaryEncoder::PStrLen("abc"), 4);
    EXPECT_EQ(CGMBinaryEncoder::PStrLen(std::string(254, 'y').c_str()), 255);
    EXPECT_EQ(CGMBinaryEncoder::PStrLen(std::string(255, 'y').c_str()), 258);
    m.e().PWriteHeader(1, 2, 303);
    m.e().PWriteString(s300.c_str());
    std::vector<uint8_t> b = m.bytes();
    ASSERT_EQ(b.size(), 4u + 303u);
    EXPECT_EQ(hexBytes(b, 0, 7), "10 5F 01 2F FF 01 2C");
    EXPECT_EQ(b[7], 'x');
    EXPECT_EQ(b[4 + 302], 'x');
    EXPECT_EQ(m.e().elementRemaining, 0);
}

TEST(CGMEncoder, IntegersIndexesColoursAndEnumerations) {
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
}

TEST(CGMEncoder, VdcsAreIntegerOrReal) {
    MemoryEncoder m;
    m.e().PWriteHeader(5, 15, 12);
    m.e().PWriteVDC(-2.7); // integer VDC, 16 bits, truncated toward zero
    m.e().vdcType = 1;     // real VDC in the 32-bit fixed form
    m.e().PWriteVDC(1.5);
    m.e().vdcRealPrecision = 1;
    m.e().setOffsets(10.0f, 20.0f);
    m.e().PWriteVDC(2.0);
    EXPECT_EQ(hexBytes(m.bytes(), 2), "FF FE 00 01 7F FF 40 00 00 00");
    // The precisions swapped in for a VDC are restored.
    EXPECT_EQ(m.e().integerPrecision, 2);
    EXPECT_EQ(m.e().realPrecision, 3);
}

TEST(CGMEncoder, PointsGetThePageOffsets) {
    MemoryEncoder m;
    m.e().vdcType = 1;
    m.e().vdcRealPrecision = 1;
    m.e().setOffsets(10.0f, 20.0f);
    m.e().Pcliprect(0.0f, 0.0f, 1.0f, 2.0f);
    EXPECT_EQ(hexBytes(m.bytes()), "30 B0 41 20 00 00 41 A0 00 00 41 30 00 00 41 B0 00 00");
}

TEST(CGMEncoder, PrecisionElementsSetTheirPrecisions) {
    MemoryEncoder m;
    m.e().Pbegmf("", 1);
    m.e().Pintegerprec(-32767, 32767);
    m.e().Prealprec(-32767, 32767, 8);
    m.e().Pindexprec(0, 70000);
    m.e().Pcolrprec(255);
    m.e().Pcolrindexprec(256);
    std::vector<uint8_t> b = m.bytes();
    EXPECT_EQ(hexBytes(b), "00 21 00 00 10 82 00 10 10 A6 00 00 00 09 00 17 10 C2 00 18 10 E2 00 08 11 02 00 10");
    EXPECT_EQ(m.e().integerPrecision, 2);
    EXPECT_EQ(m.e().realPrecision, 1);
    EXPECT_EQ(m.e().indexPrecision, 3);
    EXPECT_EQ(m.e().colorPrecision, 1);
    EXPECT_EQ(m.e().colorIndexPrecision, 2);
    EXPECT_EQ(m.e().colorMode, 0);
    m.e().Prealprec(0, 0, 15);
    EXPECT_EQ(m.e().realPrecision, 2);
    EXPECT_EQ(m.e().realSize(), 8);
}

TEST(CGMEncoder, BeginMetafileSetsTheEncoderState) {
    MemoryEncoder m;
    m.e().integerPrecision = 4;
    m.e().vdcType = 1;
    m.e().Pbegmf("Scrivane CGM OUTPUT", 0);
    EXPECT_EQ(m.e().integerPrecision, 2);
    EXPECT_EQ(m.e().realPrecision, 3);
    EXPECT_EQ(m.e().colorMode, 1);
    EXPECT_EQ(m.e().vdcType, 0);
    EXPECT_EQ(m.e().vdcSize(), 2);
    EXPECT_EQ(m.e().lineWidthMode, 1);
    std::vector<uint8_t> b = m.bytes();
    EXPECT_EQ(hexBytes(b, 0, 3), "00 34 13");
}

TEST(CGMEncoder, LineAndEdgeTypeDefinitionPadsOddDashCounts) {
    MemoryEncoder m;
    m.e().realPrecision = 1;
    const int dashes[3] = {2, 1, 3};
    m.e().Plineedgetype(-1, 5.65, 3, dashes);
    EXPECT_EQ(hexBytes(m.bytes()), "22 2E FF FF 40 B4 CC CC 00 02 00 01 00 03 00 00");
}

TEST(CGMEncoder, CellArrayRowsArePaddedToWords) {
    MemoryEncoder m;
    m.e().Pbegmf("", 1);
    m.e().Pvdctype(1);
    m.e().Pvdcrealprec(0, 0, 8);
    const int indexes[6] = {1, 2, 3, 4, 5, 6};
    const SbColor colors[6];
    std::vector<uint8_t> before = m.bytes();
    m.e().Pcellarray(pt(0, 1), pt(3, 0), pt(3, 1), 3, 2, indexes, colors);
    std::vector<uint8_t> b = m.bytes();
    // 24 corner bytes, nx, ny, precision 8, packed, two rows of 3 bytes each padded.
    EXPECT_EQ(hexBytes(b, before.size() + 4 + 24), "00 03 00 02 00 08 00 01 01 02 03 00 04 05 06 00");
    EXPECT_EQ(hexBytes(b, before.size(), 2), "41 3F");
    EXPECT_EQ(hexBytes(b, before.size() + 2, 2), "00 28");
}

TEST(CGMClearTextReal, RSHORTAddsAPointWhenThereIsNone) {
    EXPECT_STREQ(CGMClearText::RSHORT(0, 10.0f), "10.");
    EXPECT_STREQ(CGMClearText::RSHORT(1, 0.25f), "0.25");
    EXPECT_STREQ(CGMClearText::RSHORT(2, -3.0f), "-3.");
    EXPECT_STREQ(CGMClearText::RSHORT(3, 1e-7f), "1.e-07");
    EXPECT_STREQ(CGMClearText::RSHORT(4, 1.5e-7f), "1.5e-07");
    EXPECT_STREQ(CGMClearText::RSHORT(0, 123456.7f), "123457.");
}

TEST(CGMClearTextReal, FiveSlotsHoldFiveValues) {
    const char *a = CGMClearText::RSHORT(0, 1.0f);
    const char *b = CGMClearText::RSHORT(1, 2.5f);
    const char *c = CGMClearText::RSHORT(2, 3.0f);
    const char *d = CGMClearText::RSHORT(3, 4.75f);
    const char *e = CGMClearText::RSHORT(4, 5.0f);
    EXPECT_EQ(std::string(a) + " " + b + " " + c + " " + d + " " + e, "1. 2.5 3. 4.75 5.");
    CGMClearText::RSHORT(1, 7.0f);
    EXPECT_STREQ(a, "1.");
    EXPECT_STREQ(b, "7.");
}
