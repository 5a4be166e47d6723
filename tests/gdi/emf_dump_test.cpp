// The EMF dumper and its structural check: a sound file passes, each kind of damage is named.
#include "gdi_test_util.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <utility>

using namespace scrivane::test;

namespace {

using Fields = std::vector<std::pair<std::size_t, std::uint32_t>>;

// Offsets in the example file: header fields Bytes, Records, Handles; records.
constexpr std::size_t kBytes = 48, kRecords = 52, kHandles = 56;
constexpr std::size_t kSelect = 0xA4, kPolyline = 0xB0, kEof = 0xDC;

// The example (or `b`) with 32-bit values written at offsets.
Bytes damaged(const Fields &fields, Bytes b = penAndPolylineExample()) {
    for (const auto &f : fields)
        for (int i = 0; i < 4; ++i)
            b[f.first + i] = static_cast<std::uint8_t>(f.second >> (8 * i));
    return b;
}

// The example with `record` inserted at `offset` and the header's counts corrected.
Bytes inserted(std::size_t offset, const Bytes &record) {
    Bytes b = penAndPolylineExample();
    b.insert(b.begin() + offset, record.begin(), record.end());
    return damaged({{kBytes, static_cast<std::uint32_t>(b.size())}, {kRecords, 8}}, b);
}

bool mentions(const std::vector<std::string> &problems, const std::string &text) {
    return std::any_of(problems.begin(), problems.end(),
                       [&](const std::string &p) { return p.find(text) != std::string::npos; });
}

} // namespace

TEST(EmfDump, SoundFileHasNoProblemsAndIsListed) {
    const EmfFile f = parseEmf(penAndPolylineExample());
    EXPECT_TRUE(f.stopReason.empty());
    EXPECT_EQ(f.records.size(), 7u);
    EXPECT_EQ(checkEmf(f), std::vector<std::string>{});
    const std::string text = dumpEmf(f);
    for (const char *line :
         {"EMR_HEADER @0 size 108: bounds=(0,-5000,10000,0) frame=(0,-5000,10000,0)",
          "EMR_CREATEPEN @136 size 28: ih=1 style=0x0 width=1 color=#000000",
          "EMR_POLYLINE @176 size 44: bounds=(0,0,8000,3000) n=2 pts=(0,0)(8000,3000)",
          "EMR_EOF @220 size 20: nPal=0 offPal=16 sizeLast=20"})
        EXPECT_NE(text.find(line), std::string::npos) << line << "\n" << text;
}

TEST(EmfDump, EachDamageIsNamed) {
    const Bytes example = penAndPolylineExample();
    const struct {
        Bytes file;
        std::vector<std::string> messages;
    } cases[] = {
        {damaged({{kBytes, 236}, {kRecords, 6}}),
         {"header Bytes 236 but the file has 240", "header Records 6 but the file has 7"}},
        {damaged({{kHandles, 1}}),
         {"outside 1..1-1", "header Handles 1 but the highest object index is 1"}},
        {damaged({{kSelect + 4, 14}}), {"has size 14"}},
        {damaged({{kPolyline + 4, 400}}), {"past the end of the file"}},
        {Bytes(example.begin(), example.begin() + kEof),
         {"last record is EMR_POLYLINE, not EMR_EOF", "header Bytes 240 but the file has 220"}},
        {damaged({{kSelect + 8, 2}}), {"index 2: selected before creation"}},
        {inserted(kSelect, fromWords({40, 12, 1})), // DELETEOBJECT 1
         {"index 1: used after deletion"}},
        {damaged({{kSelect + 8, 0x80000009u}}), {"no such stock object"}},
        {damaged({{kSelect, emf_type::DELETEOBJECT}, {kSelect + 8, 0x80000007u}}),
         {"a stock object cannot be deleted"}},
        {inserted(kPolyline, Bytes(example.begin() + kEof, example.end())),
         {"EMR_EOF before the last record"}},
        {damaged({{kEof + 16, 24}}), {"SizeLast 24"}},
        {damaged({{40, 0x12345678}, {0, 2}}), {"first record is EMR_2, not EMR_HEADER"}},
    };
    for (const auto &c : cases) {
        const std::vector<std::string> problems = checkEmf(parseEmf(c.file));
        for (const std::string &m : c.messages)
            EXPECT_TRUE(mentions(problems, m)) << m;
    }
    const EmfFile missing = readEmfFile("/nonexistent-dir/none.emf");
    EXPECT_FALSE(missing.loaded);
    EXPECT_TRUE(mentions(checkEmf(missing), "cannot read"));
}
