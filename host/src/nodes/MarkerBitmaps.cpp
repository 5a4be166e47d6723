#include "MarkerBitmaps.h"

#include <cstring>

namespace scene_detail {

namespace {

// The pictures, one per shape and size: 'x' a set pixel, '.' a clear one, TOP row first (as
// they look on screen). The packed tables below flip them to bottom-first rows.

// clang-format off

constexpr char kArt5[kBuiltinMarkerShapeCount][5][6] = {
    // CROSS
    {"x...x",
     ".x.x.",
     "..x..",
     ".x.x.",
     "x...x"},
    // PLUS
    {"..x..",
     "..x..",
     "xxxxx",
     "..x..",
     "..x.."},
    // MINUS
    {".....",
     ".....",
     "xxxxx",
     ".....",
     "....."},
    // SLASH
    {"....x",
     "...x.",
     "..x..",
     ".x...",
     "x...."},
    // BACKSLASH
    {"x....",
     ".x...",
     "..x..",
     "...x.",
     "....x"},
    // BAR
    {"..x..",
     "..x..",
     "..x..",
     "..x..",
     "..x.."},
    // STAR
    {"x.x.x",
     ".xxx.",
     "xxxxx",
     ".xxx.",
     "x.x.x"},
    // Y
    {"x...x",
     ".x.x.",
     "..x..",
     "..x..",
     "..x.."},
    // LIGHTNING
    {"...x.",
     "..x..",
     ".xxx.",
     "..x..",
     ".x..."},
    // WELL
    {".x.x.",
     "xxxxx",
     ".x.x.",
     "xxxxx",
     ".x.x."},
    // CIRCLE_LINE
    {".xxx.",
     "x...x",
     "x...x",
     "x...x",
     ".xxx."},
    // SQUARE_LINE
    {"xxxxx",
     "x...x",
     "x...x",
     "x...x",
     "xxxxx"},
    // DIAMOND_LINE
    {"..x..",
     ".x.x.",
     "x...x",
     ".x.x.",
     "..x.."},
    // TRIANGLE_LINE
    {"..x..",
     ".x.x.",
     ".x.x.",
     "x...x",
     "xxxxx"},
    // RHOMBUS_LINE
    {"..xxx",
     "..x.x",
     ".x.x.",
     "x.x..",
     "xxx.."},
    // HOURGLASS_LINE
    {"xxxxx",
     ".x.x.",
     "..x..",
     ".x.x.",
     "xxxxx"},
    // SATELLITE_LINE
    {"x...x",
     ".xxx.",
     ".x.x.",
     ".xxx.",
     "x...x"},
    // PINE_TREE_LINE
    {"..x..",
     ".x.x.",
     "x...x",
     "xxxxx",
     "..x.."},
    // CAUTION_LINE
    {"..x..",
     ".xxx.",
     ".x.x.",
     "x.x.x",
     ".xxx."},
    // SHIP_LINE
    {"..x..",
     "..xx.",
     "..x.x",
     "xxxxx",
     ".xxx."},
    // CIRCLE_FILLED
    {".xxx.",
     "xxxxx",
     "xxxxx",
     "xxxxx",
     ".xxx."},
    // SQUARE_FILLED
    {"xxxxx",
     "xxxxx",
     "xxxxx",
     "xxxxx",
     "xxxxx"},
    // DIAMOND_FILLED
    {"..x..",
     ".xxx.",
     "xxxxx",
     ".xxx.",
     "..x.."},
    // TRIANGLE_FILLED
    {"..x..",
     ".xxx.",
     ".xxx.",
     "xxxxx",
     "xxxxx"},
    // RHOMBUS_FILLED
    {"..xxx",
     "..xxx",
     ".xxx.",
     "xxx..",
     "xxx.."},
    // HOURGLASS_FILLED
    {"xxxxx",
     ".xxx.",
     "..x..",
     ".xxx.",
     "xxxxx"},
    // SATELLITE_FILLED
    {"x...x",
     ".xxx.",
     ".xxx.",
     ".xxx.",
     "x...x"},
    // PINE_TREE_FILLED
    {"..x..",
     ".xxx.",
     "xxxxx",
     "xxxxx",
     "..x.."},
    // CAUTION_FILLED
    {"..x..",
     ".xxx.",
     ".xxx.",
     "xxxxx",
     ".xxx."},
    // SHIP_FILLED
    {"..x..",
     "..xx.",
     "..xxx",
     "xxxxx",
     ".xxx."},
};

constexpr char kArt7[kBuiltinMarkerShapeCount][7][8] = {
    // CROSS
    {"x.....x",
     ".x...x.",
     "..x.x..",
     "...x...",
     "..x.x..",
     ".x...x.",
     "x.....x"},
    // PLUS
    {"...x...",
     "...x...",
     "...x...",
     "xxxxxxx",
     "...x...",
     "...x...",
     "...x..."},
    // MINUS
    {".......",
     ".......",
     ".......",
     "xxxxxxx",
     ".......",
     ".......",
     "......."},
    // SLASH
    {"......x",
     ".....x.",
     "....x..",
     "...x...",
     "..x....",
     ".x.....",
     "x......"},
    // BACKSLASH
    {"x......",
     ".x.....",
     "..x....",
     "...x...",
     "....x..",
     ".....x.",
     "......x"},
    // BAR
    {"...x...",
     "...x...",
     "...x...",
     "...x...",
     "...x...",
     "...x...",
     "...x..."},
    // STAR
    {"x..x..x",
     ".x.x.x.",
     "..xxx..",
     "xxxxxxx",
     "..xxx..",
     ".x.x.x.",
     "x..x..x"},
    // Y
    {"x.....x",
     ".x...x.",
     "..x.x..",
     "...x...",
     "...x...",
     "...x...",
     "...x..."},
    // LIGHTNING
    {"....x..",
     "...x...",
     "..x....",
     ".xxxxx.",
     "....x..",
     "...x...",
     "..x...."},
    // WELL
    {".x...x.",
     "xxxxxxx",
     ".x...x.",
     ".x...x.",
     ".x...x.",
     "xxxxxxx",
     ".x...x."},
    // CIRCLE_LINE
    {"..xxx..",
     ".x...x.",
     "x.....x",
     "x.....x",
     "x.....x",
     ".x...x.",
     "..xxx.."},
    // SQUARE_LINE
    {"xxxxxxx",
     "x.....x",
     "x.....x",
     "x.....x",
     "x.....x",
     "x.....x",
     "xxxxxxx"},
    // DIAMOND_LINE
    {"...x...",
     "..x.x..",
     ".x...x.",
     "x.....x",
     ".x...x.",
     "..x.x..",
     "...x..."},
    // TRIANGLE_LINE
    {"...x...",
     "..x.x..",
     "..x.x..",
     ".x...x.",
     ".x...x.",
     "x.....x",
     "xxxxxxx"},
    // RHOMBUS_LINE
    {"....xxx",
     "....x.x",
     "...x.x.",
     "..x.x..",
     ".x.x...",
     "x.x....",
     "xxx...."},
    // HOURGLASS_LINE
    {"xxxxxxx",
     ".x...x.",
     "..x.x..",
     "...x...",
     "..x.x..",
     ".x...x.",
     "xxxxxxx"},
    // SATELLITE_LINE
    {"x.....x",
     ".x...x.",
     "..xxx..",
     "..x.x..",
     "..xxx..",
     ".x...x.",
     "x.....x"},
    // PINE_TREE_LINE
    {"...x...",
     "..x.x..",
     ".x...x.",
     "x.....x",
     "xxxxxxx",
     "...x...",
     "...x..."},
    // CAUTION_LINE
    {"...x...",
     "..x.x..",
     "..xxx..",
     ".x.x.x.",
     ".x...x.",
     "x..x..x",
     ".xxxxx."},
    // SHIP_LINE
    {"...x...",
     "...xx..",
     "...x.x.",
     "...xxxx",
     "xxxxxxx",
     ".x...x.",
     "..xxx.."},
    // CIRCLE_FILLED
    {"..xxx..",
     ".xxxxx.",
     "xxxxxxx",
     "xxxxxxx",
     "xxxxxxx",
     ".xxxxx.",
     "..xxx.."},
    // SQUARE_FILLED
    {"xxxxxxx",
     "xxxxxxx",
     "xxxxxxx",
     "xxxxxxx",
     "xxxxxxx",
     "xxxxxxx",
     "xxxxxxx"},
    // DIAMOND_FILLED
    {"...x...",
     "..xxx..",
     ".xxxxx.",
     "xxxxxxx",
     ".xxxxx.",
     "..xxx..",
     "...x..."},
    // TRIANGLE_FILLED
    {"...x...",
     "..xxx..",
     "..xxx..",
     ".xxxxx.",
     ".xxxxx.",
     "xxxxxxx",
     "xxxxxxx"},
    // RHOMBUS_FILLED
    {"....xxx",
     "....xxx",
     "...xxx.",
     "..xxx..",
     ".xxx...",
     "xxx....",
     "xxx...."},
    // HOURGLASS_FILLED
    {"xxxxxxx",
     ".xxxxx.",
     "..xxx..",
     "...x...",
     "..xxx..",
     ".xxxxx.",
     "xxxxxxx"},
    // SATELLITE_FILLED
    {"x.....x",
     ".x...x.",
     "..xxx..",
     "..xxx..",
     "..xxx..",
     ".x...x.",
     "x.....x"},
    // PINE_TREE_FILLED
    {"...x...",
     "..xxx..",
     ".xxxxx.",
     "xxxxxxx",
     "xxxxxxx",
     "...x...",
     "...x..."},
    // CAUTION_FILLED
    {"...x...",
     "..xxx..",
     "..xxx..",
     ".xxxxx.",
     ".xxxxx.",
     "xxxxxxx",
     ".xxxxx."},
    // SHIP_FILLED
    {"...x...",
     "...xx..",
     "...xxx.",
     "...xxxx",
     "xxxxxxx",
     ".xxxxx.",
     "..xxx.."},
};

constexpr char kArt9[kBuiltinMarkerShapeCount][9][10] = {
    // CROSS
    {"x.......x",
     ".x.....x.",
     "..x...x..",
     "...x.x...",
     "....x....",
     "...x.x...",
     "..x...x..",
     ".x.....x.",
     "x.......x"},
    // PLUS
    {"....x....",
     "....x....",
     "....x....",
     "....x....",
     "xxxxxxxxx",
     "....x....",
     "....x....",
     "....x....",
     "....x...."},
    // MINUS
    {".........",
     ".........",
     ".........",
     ".........",
     "xxxxxxxxx",
     ".........",
     ".........",
     ".........",
     "........."},
    // SLASH
    {"........x",
     ".......x.",
     "......x..",
     ".....x...",
     "....x....",
     "...x.....",
     "..x......",
     ".x.......",
     "x........"},
    // BACKSLASH
    {"x........",
     ".x.......",
     "..x......",
     "...x.....",
     "....x....",
     ".....x...",
     "......x..",
     ".......x.",
     "........x"},
    // BAR
    {"....x....",
     "....x....",
     "....x....",
     "....x....",
     "....x....",
     "....x....",
     "....x....",
     "....x....",
     "....x...."},
    // STAR
    {"x...x...x",
     ".x..x..x.",
     "..x.x.x..",
     "...xxx...",
     "xxxxxxxxx",
     "...xxx...",
     "..x.x.x..",
     ".x..x..x.",
     "x...x...x"},
    // Y
    {"x.......x",
     ".x.....x.",
     "..x...x..",
     "...x.x...",
     "....x....",
     "....x....",
     "....x....",
     "....x....",
     "....x...."},
    // LIGHTNING
    {".....x...",
     "....x....",
     "...x.....",
     "..x......",
     ".xxxxxxx.",
     "......x..",
     ".....x...",
     "....x....",
     "...x....."},
    // WELL
    {"..x...x..",
     "..x...x..",
     "xxxxxxxxx",
     "..x...x..",
     "..x...x..",
     "..x...x..",
     "xxxxxxxxx",
     "..x...x..",
     "..x...x.."},
    // CIRCLE_LINE
    {"...xxx...",
     ".xx...xx.",
     ".x.....x.",
     "x.......x",
     "x.......x",
     "x.......x",
     ".x.....x.",
     ".xx...xx.",
     "...xxx..."},
    // SQUARE_LINE
    {"xxxxxxxxx",
     "x.......x",
     "x.......x",
     "x.......x",
     "x.......x",
     "x.......x",
     "x.......x",
     "x.......x",
     "xxxxxxxxx"},
    // DIAMOND_LINE
    {"....x....",
     "...x.x...",
     "..x...x..",
     ".x.....x.",
     "x.......x",
     ".x.....x.",
     "..x...x..",
     "...x.x...",
     "....x...."},
    // TRIANGLE_LINE
    {"....x....",
     "...x.x...",
     "...x.x...",
     "..x...x..",
     "..x...x..",
     ".x.....x.",
     ".x.....x.",
     "x.......x",
     "xxxxxxxxx"},
    // RHOMBUS_LINE
    {"....xxxxx",
     "....x...x",
     "...x...x.",
     "...x...x.",
     "..x...x..",
     ".x...x...",
     ".x...x...",
     "x...x....",
     "xxxxx...."},
    // HOURGLASS_LINE
    {"xxxxxxxxx",
     ".x.....x.",
     "..x...x..",
     "...x.x...",
     "....x....",
     "...x.x...",
     "..x...x..",
     ".x.....x.",
     "xxxxxxxxx"},
    // SATELLITE_LINE
    {"x.......x",
     ".x.....x.",
     "..xxxxx..",
     "..x...x..",
     "..x...x..",
     "..x...x..",
     "..xxxxx..",
     ".x.....x.",
     "x.......x"},
    // PINE_TREE_LINE
    {"....x....",
     "...x.x...",
     "..x...x..",
     ".x.....x.",
     "x.......x",
     "xxxxxxxxx",
     "....x....",
     "....x....",
     "....x...."},
    // CAUTION_LINE
    {"....x....",
     "...x.x...",
     "...x.x...",
     "..x.x.x..",
     "..x.x.x..",
     ".x..x..x.",
     ".x.....x.",
     "x...x...x",
     ".xxxxxxx."},
    // SHIP_LINE
    {"....x....",
     "....xx...",
     "....x.x..",
     "....x..x.",
     "....xxxxx",
     "....x....",
     "xxxxxxxxx",
     ".x.....x.",
     "..xxxxx.."},
    // CIRCLE_FILLED
    {"...xxx...",
     ".xxxxxxx.",
     ".xxxxxxx.",
     "xxxxxxxxx",
     "xxxxxxxxx",
     "xxxxxxxxx",
     ".xxxxxxx.",
     ".xxxxxxx.",
     "...xxx..."},
    // SQUARE_FILLED
    {"xxxxxxxxx",
     "xxxxxxxxx",
     "xxxxxxxxx",
     "xxxxxxxxx",
     "xxxxxxxxx",
     "xxxxxxxxx",
     "xxxxxxxxx",
     "xxxxxxxxx",
     "xxxxxxxxx"},
    // DIAMOND_FILLED
    {"....x....",
     "...xxx...",
     "..xxxxx..",
     ".xxxxxxx.",
     "xxxxxxxxx",
     ".xxxxxxx.",
     "..xxxxx..",
     "...xxx...",
     "....x...."},
    // TRIANGLE_FILLED
    {"....x....",
     "...xxx...",
     "...xxx...",
     "..xxxxx..",
     "..xxxxx..",
     ".xxxxxxx.",
     ".xxxxxxx.",
     "xxxxxxxxx",
     "xxxxxxxxx"},
    // RHOMBUS_FILLED
    {"....xxxxx",
     "....xxxxx",
     "...xxxxx.",
     "...xxxxx.",
     "..xxxxx..",
     ".xxxxx...",
     ".xxxxx...",
     "xxxxx....",
     "xxxxx...."},
    // HOURGLASS_FILLED
    {"xxxxxxxxx",
     ".xxxxxxx.",
     "..xxxxx..",
     "...xxx...",
     "....x....",
     "...xxx...",
     "..xxxxx..",
     ".xxxxxxx.",
     "xxxxxxxxx"},
    // SATELLITE_FILLED
    {"x.......x",
     ".x.....x.",
     "..xxxxx..",
     "..xxxxx..",
     "..xxxxx..",
     "..xxxxx..",
     "..xxxxx..",
     ".x.....x.",
     "x.......x"},
    // PINE_TREE_FILLED
    {"....x....",
     "...xxx...",
     "..xxxxx..",
     ".xxxxxxx.",
     "xxxxxxxxx",
     "xxxxxxxxx",
     "....x....",
     "....x....",
     "....x...."},
    // CAUTION_FILLED
    {"....x....",
     "...xxx...",
     "...xxx...",
     "..xxxxx..",
     "..xxxxx..",
     ".xxxxxxx.",
     ".xxxxxxx.",
     "xxxxxxxxx",
     ".xxxxxxx."},
    // SHIP_FILLED
    {"....x....",
     "....xx...",
     "....xxx..",
     "....xxxx.",
     "....xxxxx",
     "....x....",
     "xxxxxxxxx",
     ".xxxxxxx.",
     "..xxxxx.."},
};

constexpr const char *kShapeNames[kBuiltinMarkerShapeCount] = {
    "CROSS",          "PLUS",          "MINUS",            "SLASH",
    "BACKSLASH",      "BAR",           "STAR",             "Y",
    "LIGHTNING",      "WELL",          "CIRCLE_LINE",      "SQUARE_LINE",
    "DIAMOND_LINE",   "TRIANGLE_LINE", "RHOMBUS_LINE",     "HOURGLASS_LINE",
    "SATELLITE_LINE", "PINE_TREE_LINE", "CAUTION_LINE",    "SHIP_LINE",
    "CIRCLE_FILLED",  "SQUARE_FILLED", "DIAMOND_FILLED",   "TRIANGLE_FILLED",
    "RHOMBUS_FILLED", "HOURGLASS_FILLED", "SATELLITE_FILLED", "PINE_TREE_FILLED",
    "CAUTION_FILLED", "SHIP_FILLED",
};
// clang-format on

// Every picture must be exactly N rows of N characters, each 'x' or '.', with at least one 'x'.
// A row that is too long does not compile (initializer too long); one that is too short, or a
// stray character, fails these checks.
template <int N>
constexpr bool artWellFormed(const char (&art)[kBuiltinMarkerShapeCount][N][N + 1]) {
    for (int s = 0; s < kBuiltinMarkerShapeCount; ++s) {
        bool anySet = false;
        for (int r = 0; r < N; ++r) {
            for (int c = 0; c < N; ++c) {
                const char ch = art[s][r][c];
                if (ch == 'x')
                    anySet = true;
                else if (ch != '.')
                    return false;
            }
        }
        if (!anySet) return false;
    }
    return true;
}
static_assert(artWellFormed<5>(kArt5), "malformed 5x5 marker picture");
static_assert(artWellFormed<7>(kArt7), "malformed 7x7 marker picture");
static_assert(artWellFormed<9>(kArt9), "malformed 9x9 marker picture");

// Packed form: up to 9 rows of 2 bytes.
constexpr int kMaxPackedBytes = 9 * 2;
struct PackedMarker {
    int size;
    unsigned char bytes[kMaxPackedBytes];
};

template <int N> constexpr PackedMarker pack(const char (&art)[N][N + 1]) {
    PackedMarker m{N, {}};
    const int rowBytes = (N + 7) / 8;
    for (int row = 0; row < N; ++row) {
        const char *line = art[N - 1 - row]; // row 0 is the bottom picture row
        for (int col = 0; col < N; ++col) {
            if (line[col] == 'x')
                m.bytes[row * rowBytes + col / 8] |= static_cast<unsigned char>(0x80u >> (col % 8));
        }
    }
    return m;
}

struct PackedTable {
    PackedMarker markers[kBuiltinMarkerCount];
};

constexpr PackedTable packAll() {
    PackedTable t{};
    for (int s = 0; s < kBuiltinMarkerShapeCount; ++s) {
        t.markers[s] = pack<5>(kArt5[s]);
        t.markers[kBuiltinMarkerShapeCount + s] = pack<7>(kArt7[s]);
        t.markers[2 * kBuiltinMarkerShapeCount + s] = pack<9>(kArt9[s]);
    }
    return t;
}

constexpr PackedTable kPacked = packAll();

// Enum names "SHAPE_N_N", built at compile time.
constexpr int kMaxNameLength = 24;
struct NameTable {
    char names[kBuiltinMarkerCount][kMaxNameLength];
};

constexpr NameTable buildNames() {
    NameTable t{};
    for (int i = 0; i < kBuiltinMarkerCount; ++i) {
        const char *shape = kShapeNames[i % kBuiltinMarkerShapeCount];
        const char digit = static_cast<char>('5' + 2 * (i / kBuiltinMarkerShapeCount));
        int n = 0;
        while (shape[n] != '\0') {
            t.names[i][n] = shape[n];
            ++n;
        }
        t.names[i][n++] = '_';
        t.names[i][n++] = digit;
        t.names[i][n++] = '_';
        t.names[i][n++] = digit;
        t.names[i][n] = '\0';
    }
    return t;
}

constexpr NameTable kNames = buildNames();

bool validIndex(int index) {
    return index >= 0 && index < kBuiltinMarkerCount;
}

} // namespace

int builtinMarkerCount() {
    return kBuiltinMarkerCount;
}

bool builtinMarker(int index, int &width, int &height, const unsigned char *&bytes) {
    if (!validIndex(index)) return false;
    const PackedMarker &m = kPacked.markers[index];
    width = m.size;
    height = m.size;
    bytes = m.bytes;
    return true;
}

bool builtinMarkerBit(int index, int bitNumber) {
    if (!validIndex(index)) return false;
    const PackedMarker &m = kPacked.markers[index];
    if (bitNumber < 0 || bitNumber >= m.size * m.size) return false;
    const int row = bitNumber / m.size;
    const int col = bitNumber % m.size;
    const int rowBytes = (m.size + 7) / 8;
    return (m.bytes[row * rowBytes + col / 8] & (0x80u >> (col % 8))) != 0;
}

const char *builtinMarkerName(int index) {
    return validIndex(index) ? kNames.names[index] : nullptr;
}

int builtinMarkerIndex(const char *name) {
    if (!name) return -1;
    for (int i = 0; i < kBuiltinMarkerCount; ++i)
        if (std::strcmp(name, kNames.names[i]) == 0) return i;
    return -1;
}

} // namespace scene_detail
