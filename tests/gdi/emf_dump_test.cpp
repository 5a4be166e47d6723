// The EMF dumper and its structural check: a sound file passes, each kind of damage is named.
#include "gdi_test_util.h"

#include <gtest/gtest.h>

#include <algorithm>

using namespace scrivane::test;

namespace {

void putU32(Bytes &b, std::size_t off, std::uint32_t v) {
    for (int i = 0; i < 4; ++i)
        b[off + i] = static_cast<std::uint8_t>(v >> (8 * i));
}

bool mentions(const std::vector<std::string> &problems, const std::string &text) {
    return std::any_of(problems.begin(), problems.end(),
                       [&](const std::string &p) { return p.find(text) != std::string::npos; });
}

// Offsets in the example file.
constexpr std::size_t kBytesField = 48;
constexpr std::size_t kRecordsField = 52;
constexpr std::size_t kHandlesField = 56;
constexpr std::size_t kCreatePen = 0x88;
constexpr std::size_t kSelect = 0xA4;
constexpr std::size_t kPolyline = 0xB0;
constexpr std::size_t kEof = 0xDC;

} // namespace

TEST(EmfDump, SoundFileHasNoProblemsAndIsListed) {
    const EmfFile f = parseEmf(penAndPolylineExample());
    EXPECT_TRUE(f.stopReason.empty());
    EXPECT_EQ(f.records.size(), 7u);
    EXPECT_EQ(checkEmf(f), std::vector<std::string>{});
    const std::string text = dumpEmf(f);
    EXPECT_NE(text.find("EMR_HEADER @0 size 108: bounds=(0,-5000,10000,0) frame=(0,-5000,10000,0)"),
              std::string::npos)
        << text;
    EXPECT_NE(text.find("EMR_CREATEPEN @136 size 28: ih=1 style=0x0 width=1 color=#000000"),
              std::string::npos)
        << text;
    EXPECT_NE(
        text.find("EMR_POLYLINE @176 size 44: bounds=(0,0,8000,3000) n=2 pts=(0,0)(8000,3000)"),
        std::string::npos)
        << text;
    EXPECT_NE(text.find("EMR_EOF @220 size 20: nPal=0 offPal=16 sizeLast=20"), std::string::npos);
}

TEST(EmfDump, HeaderCountsMustMatchTheFile) {
    Bytes b = penAndPolylineExample();
    putU32(b, kBytesField, 236);
    putU32(b, kRecordsField, 6);
    const auto problems = checkEmf(parseEmf(b));
    EXPECT_TRUE(mentions(problems, "header Bytes 236 but the file has 240"));
    EXPECT_TRUE(mentions(problems, "header Records 6 but the file has 7"));
}

TEST(EmfDump, HandlesMustCoverTheHighestIndex) {
    Bytes b = penAndPolylineExample();
    b[kHandlesField] = 1;
    const auto problems = checkEmf(parseEmf(b));
    EXPECT_TRUE(mentions(problems, "outside 1..1-1"));
    EXPECT_TRUE(mentions(problems, "header Handles 1 but the highest object index is 1"));
}

TEST(EmfDump, BadRecordSizesStopReading) {
    Bytes odd = penAndPolylineExample();
    putU32(odd, kSelect + 4, 14);
    EXPECT_TRUE(mentions(checkEmf(parseEmf(odd)), "has size 14"));

    Bytes past = penAndPolylineExample();
    putU32(past, kPolyline + 4, 400);
    EXPECT_TRUE(mentions(checkEmf(parseEmf(past)), "past the end of the file"));

    Bytes truncated = penAndPolylineExample();
    truncated.resize(kEof);
    const auto problems = checkEmf(parseEmf(truncated));
    EXPECT_TRUE(mentions(problems, "last record is EMR_POLYLINE, not EMR_EOF"));
    EXPECT_TRUE(mentions(problems, "header Bytes 240 but the file has 220"));
}

TEST(EmfDump, ObjectsMustBeCreatedBeforeUseAndNotUsedAfterDeletion) {
    Bytes b = penAndPolylineExample();
    // Select index 2, which was never created.
    putU32(b, kSelect + 8, 2);
    EXPECT_TRUE(mentions(checkEmf(parseEmf(b)), "index 2: selected before creation"));

    // Delete the pen, then select it.
    Bytes d = penAndPolylineExample();
    const Bytes del = hexBytes("28 00 00 00 0C 00 00 00 01 00 00 00");
    d.insert(d.begin() + kSelect, del.begin(), del.end());
    putU32(d, kBytesField, 252);
    putU32(d, kRecordsField, 8);
    EXPECT_TRUE(mentions(checkEmf(parseEmf(d)), "index 1: used after deletion"));
}

TEST(EmfDump, StockObjectsCannotBeDeletedAndMustExist) {
    Bytes b = penAndPolylineExample();
    putU32(b, kSelect + 8, 0x80000009u);
    EXPECT_TRUE(mentions(checkEmf(parseEmf(b)), "no such stock object"));
    Bytes d = penAndPolylineExample();
    putU32(d, kSelect, 40); // DELETEOBJECT of index 0x80000000 | 7
    putU32(d, kSelect + 8, 0x80000007u);
    EXPECT_TRUE(mentions(checkEmf(parseEmf(d)), "a stock object cannot be deleted"));
}

TEST(EmfDump, EofMustBeLastAndSingle) {
    Bytes b = penAndPolylineExample();
    const Bytes eof(b.begin() + kEof, b.end());
    b.insert(b.begin() + kPolyline, eof.begin(), eof.end());
    putU32(b, kBytesField, 260);
    putU32(b, kRecordsField, 8);
    EXPECT_TRUE(mentions(checkEmf(parseEmf(b)), "EMR_EOF before the last record"));
    Bytes wrongLast = penAndPolylineExample();
    putU32(wrongLast, kEof + 16, 24);
    EXPECT_TRUE(mentions(checkEmf(parseEmf(wrongLast)), "SizeLast 24"));
}

TEST(EmfDump, MissingFileIsReported) {
    const EmfFile f = readEmfFile("/nonexistent-dir/none.emf");
    EXPECT_FALSE(f.loaded);
    EXPECT_TRUE(mentions(checkEmf(f), "cannot read"));
}

TEST(EmfDump, FileOfWrongKindIsReported) {
    Bytes b = penAndPolylineExample();
    putU32(b, 40, 0x12345678);
    putU32(b, 0, 2);
    const auto problems = checkEmf(parseEmf(b));
    EXPECT_TRUE(mentions(problems, "first record is EMR_2, not EMR_HEADER"));
}
