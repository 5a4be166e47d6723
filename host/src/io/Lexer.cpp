#include "io/Lexer.h"
#include "io/ByteStream.h"
#include <array>
#include <charconv>
#include <cstring>
#include <limits>

namespace scene_io {

namespace {
// Character classes, one table lookup per byte in the scanning loops.
enum : uint8_t { BLANK = 1, WORD = 2, NUMBER = 4 };

constexpr std::array<uint8_t, 256> makeClasses() {
    std::array<uint8_t, 256> classes{};
    for (int c = 0; c < 256; c++) {
        uint8_t k = 0;
        bool blank = c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\f' || c == '\v';
        bool punctuation = c == '{' || c == '}' || c == '[' || c == ']' || c == '(' || c == ')' ||
                           c == ',' || c == '|' || c == '~' || c == '=' || c == '"' || c == '#';
        if (blank) k |= BLANK;
        if (!blank && !punctuation && c != 0) k |= WORD;
        if ((c >= '0' && c <= '9') || (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') ||
            c == '.' || c == '+' || c == '-')
            k |= NUMBER;
        classes[static_cast<size_t>(c)] = k;
    }
    return classes;
}

constexpr std::array<uint8_t, 256> CLASSES = makeClasses();

inline bool is(char c, uint8_t cls) {
    return (CLASSES[static_cast<unsigned char>(c)] & cls) != 0;
}

// The index of the first nonzero byte of x as loaded from memory.
inline int littleEndianFirstSetByte(uint64_t x) {
#if defined(__BYTE_ORDER__) && __BYTE_ORDER__ == __ORDER_BIG_ENDIAN__
    return __builtin_clzll(x) / 8;
#else
    return __builtin_ctzll(x) / 8;
#endif
}

int hexDigit(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

// The common forms of numbers in scene files, [sign] digits [. digits] [e [sign] digits], with at
// most 15 significant digits and a decimal exponent within 22: both the digits and the power of
// ten are exact doubles then, and one multiplication or division rounds correctly, giving the
// double that from_chars would. Returns where the number stops, or null when what starts at p is
// not of this form (up to where it stops), which leaves it to the general path.
const char *scanSimpleDecimal(const char *p, const char *e, double &value) {
    bool negative = false;
    if (p < e && (*p == '-' || *p == '+')) negative = *p++ == '-';
    uint64_t mantissa = 0;
    int significant = 0;
    int exponent = 0;
    bool digits = false;
    for (; p < e && static_cast<unsigned>(*p - '0') < 10; ++p) {
        digits = true;
        if (mantissa || *p != '0') {
            if (++significant > 15) return nullptr;
            mantissa = mantissa * 10 + static_cast<unsigned>(*p - '0');
        }
    }
    if (p < e && *p == '.') {
        for (++p; p < e && static_cast<unsigned>(*p - '0') < 10; ++p) {
            digits = true;
            if (mantissa || *p != '0') {
                if (++significant > 15) return nullptr;
                mantissa = mantissa * 10 + static_cast<unsigned>(*p - '0');
            }
            --exponent;
        }
    }
    if (!digits) return nullptr;
    if (p < e && (*p == 'e' || *p == 'E')) {
        ++p;
        bool negativeExponent = false;
        if (p < e && (*p == '-' || *p == '+')) negativeExponent = *p++ == '-';
        const char *first = p;
        int x = 0;
        for (; p < e && static_cast<unsigned>(*p - '0') < 10; ++p) {
            x = x * 10 + (*p - '0');
            if (x > 1000) return nullptr;
        }
        if (p == first) return nullptr;
        exponent += negativeExponent ? -x : x;
    }
    static const double powers[] = {1e0,  1e1,  1e2,  1e3,  1e4,  1e5,  1e6,  1e7,
                                    1e8,  1e9,  1e10, 1e11, 1e12, 1e13, 1e14, 1e15,
                                    1e16, 1e17, 1e18, 1e19, 1e20, 1e21, 1e22};
    double d = static_cast<double>(mantissa);
    if (mantissa != 0) {
        if (exponent < -22 || exponent > 22) return nullptr;
        d = exponent < 0 ? d / powers[-exponent] : d * powers[exponent];
    }
    value = negative ? -d : d;
    return p;
}

// [sign] 1 to 18 decimal digits: returns where they stop, or null.
const char *scanDecimalInteger(const char *p, const char *e, int64_t &value) {
    bool negative = false;
    if (p < e && (*p == '-' || *p == '+')) negative = *p++ == '-';
    const char *first = p;
    int64_t v = 0;
    for (; p < e && static_cast<unsigned>(*p - '0') < 10; ++p) {
        if (p - first == 18) return nullptr;
        v = v * 10 + (*p - '0');
    }
    if (p == first) return nullptr;
    value = negative ? -v : v;
    return p;
}
} // namespace

bool isWordChar(unsigned char c) {
    return (CLASSES[c] & WORD) != 0;
}

Lexer::Lexer(ByteStream &s, size_t start)
    : stream(s), windowBegin(s.data()), windowOffset(s.windowOffset()), cur(s.data() + start),
      end(s.end()), lineStart(s.windowOffset() + start) {}

bool Lexer::more(const char *&keep) {
    const size_t keepToCur = static_cast<size_t>(cur - keep);
    if (!stream.refill(keep)) return false;
    windowBegin = stream.data();
    windowOffset = stream.windowOffset();
    end = stream.end();
    keep = windowBegin;
    cur = windowBegin + keepToCur;
    return true;
}

void Lexer::skipBlanks() {
    bool inComment = false;
    while (true) {
        const char *p = cur;
        const char *e = end;
        if (inComment) {
            const void *nl = std::memchr(p, '\n', static_cast<size_t>(e - p));
            p = nl ? static_cast<const char *>(nl) : e;
            inComment = !nl;
        }
        while (p < e) {
            const char c = *p;
            if (c == ' ') {
                // Runs of spaces (indentation) are skipped eight at a time.
                ++p;
                while (e - p >= 8) {
                    uint64_t word;
                    std::memcpy(&word, p, 8);
                    const uint64_t diff = word ^ 0x2020202020202020ull;
                    if (diff) {
                        p += littleEndianFirstSetByte(diff);
                        break;
                    }
                    p += 8;
                }
            } else if (c == '\n') {
                ++p;
                newLine(p);
            } else if (is(c, BLANK)) {
                ++p;
            } else if (c == '#') {
                // The line end itself is taken by the loop, which counts it.
                const void *nl = std::memchr(p, '\n', static_cast<size_t>(e - p));
                p = nl ? static_cast<const char *>(nl) : e;
                inComment = !nl;
            } else {
                cur = p;
                return;
            }
        }
        cur = p;
        if (!more()) return;
    }
}

bool Lexer::scanRun(uint8_t cls, std::string_view &run) {
    skipSpace();
    const char *p = cur;
    while (true) {
        while (p < end && is(*p, cls))
            ++p;
        if (p < end) break;
        const size_t n = static_cast<size_t>(p - cur);
        if (!more()) break;
        p = cur + n;
    }
    run = std::string_view(cur, static_cast<size_t>(p - cur));
    cur = p;
    return !run.empty();
}

bool Lexer::readWord(std::string_view &word) {
    return scanRun(WORD, word);
}

bool Lexer::readNumberToken(std::string_view &token) {
    return scanRun(NUMBER, token);
}

// The fast paths parse in the window while scanning, for tokens that end inside it; anything else
// (a token running into the window's end, or one they do not handle) is scanned as a token again
// from its start and left to the caller.
Lexer::NumberResult Lexer::readInteger(std::string_view &token, int64_t &value) {
    skipSpace();
    const char *stop = scanDecimalInteger(cur, end, value);
    if (stop && stop < end && !is(*stop, NUMBER)) {
        token = std::string_view(cur, static_cast<size_t>(stop - cur));
        cur = stop;
        return NUMBER_PARSED;
    }
    return readNumberToken(token) ? NUMBER_TOKEN : NUMBER_MISSING;
}

Lexer::NumberResult Lexer::readReal(std::string_view &token, double &value) {
    skipSpace();
    const char *stop = scanSimpleDecimal(cur, end, value);
    if (stop && stop < end && !is(*stop, NUMBER)) {
        token = std::string_view(cur, static_cast<size_t>(stop - cur));
        cur = stop;
        return NUMBER_PARSED;
    }
    return readNumberToken(token) ? NUMBER_TOKEN : NUMBER_MISSING;
}

Lexer::StringResult Lexer::readString(std::string &out) {
    out.clear();
    skipSpace();
    if (cur >= end) return STRING_MISSING;
    if (*cur != '"') {
        std::string_view word;
        if (!readWord(word)) return STRING_MISSING;
        out.assign(word.data(), word.size());
        return STRING_OK;
    }
    // The window keeps the string from its opening quote, where an unterminated string leaves
    // the lexer (for the message that follows it).
    const char *quote = cur++;
    const int quoteLine = line;
    const uint64_t quoteLineStart = lineStart;
    while (true) {
        if (cur == end && !more(quote)) {
            cur = quote;
            line = quoteLine;
            lineStart = quoteLineStart;
            return STRING_UNTERMINATED;
        }
        const char c = *cur;
        if (c == '"') {
            ++cur;
            return STRING_OK;
        }
        if (c == '\\' || c == '\r') {
            // These depend on the byte after them.
            if (cur + 1 == end) more(quote);
            if (cur + 1 < end) {
                if (c == '\\' && (cur[1] == '"' || cur[1] == '\\')) {
                    out += cur[1];
                    cur += 2;
                    continue;
                }
                if (c == '\r' && cur[1] == '\n') {
                    ++cur;
                    continue;
                }
            }
        }
        ++cur;
        if (c == '\n') newLine(cur);
        out += c;
    }
}

bool Lexer::skipBody() {
    enum { CODE, COMMENT, STRING, ESCAPED } state = CODE;
    int depth = 1;
    while (true) {
        if (cur == end && !more()) return false;
        const char c = *cur++;
        if (c == '\n') newLine(cur);
        switch (state) {
        case CODE:
            if (c == '{') {
                ++depth;
            } else if (c == '}') {
                if (--depth == 0) return true;
            } else if (c == '#') {
                state = COMMENT;
            } else if (c == '"') {
                state = STRING;
            }
            break;
        case COMMENT:
            if (c == '\n') state = CODE;
            break;
        case STRING:
            if (c == '"')
                state = CODE;
            else if (c == '\\')
                state = ESCAPED;
            break;
        case ESCAPED:
            state = STRING;
            break;
        }
    }
}

void Lexer::release() {
    stream.drop(cur);
    windowBegin = cur = stream.data();
    windowOffset = stream.windowOffset();
    end = stream.end();
}

bool Lexer::remaining(uint64_t &bytes) const {
    uint64_t total;
    if (!stream.totalSize(total)) return false;
    const uint64_t at = offsetOf(cur);
    bytes = total > at ? total - at : 0;
    return true;
}

std::string Lexer::describeNext() {
    skipSpace();
    if (cur >= end) return "end of file";
    // Enough bytes to show a word of 40 characters and tell whether it goes on.
    while (end - cur <= 40 && more()) {
    }
    const char *p = cur;
    if (!isWordChar(static_cast<unsigned char>(*p))) {
        unsigned char c = static_cast<unsigned char>(*p);
        if (c < 0x20 || c >= 0x7f) {
            static const char digits[] = "0123456789abcdef";
            return std::string("byte 0x") + digits[c >> 4] + digits[c & 15];
        }
        return std::string("'") + *p + "'";
    }
    while (p < end && isWordChar(static_cast<unsigned char>(*p)) && p - cur < 40)
        ++p;
    std::string word(cur, static_cast<size_t>(p - cur));
    if (p < end && isWordChar(static_cast<unsigned char>(*p))) word += "...";
    return "'" + word + "'";
}

bool parseFloat(std::string_view token, float &value) {
    const char *p = token.data();
    const char *e = p + token.size();
    double d = 0;
    if (scanSimpleDecimal(p, e, d) == e) {
        value = toFloat(d);
        return true;
    }
    if (p < e && *p == '+') {
        ++p;
        if (p < e && (*p == '-' || *p == '+')) return false;
    }
    if (p == e) return false;
    auto result = std::from_chars(p, e, d, std::chars_format::general);
    if (result.ec == std::errc::invalid_argument || result.ptr != e) return false;
    if (result.ec == std::errc::result_out_of_range) {
        // Too small or too large even for a double: the sign of the exponent tells which.
        bool negative = *p == '-';
        bool tiny = false;
        for (const char *q = p; q + 1 < e; q++)
            if ((*q == 'e' || *q == 'E') && q[1] == '-') tiny = true;
        float magnitude = tiny ? 0.0f : std::numeric_limits<float>::infinity();
        value = negative ? -magnitude : magnitude;
        return true;
    }
    value = toFloat(d);
    return true;
}

bool parseInteger(std::string_view token, int64_t minValue, int64_t maxValue, int hexBits,
                  int64_t &value) {
    const char *p = token.data();
    const char *e = p + token.size();
    bool negative = false;
    if (p < e && (*p == '+' || *p == '-')) negative = *p++ == '-';
    if (p == e) return false;
    if (e - p > 2 && p[0] == '0' && (p[1] == 'x' || p[1] == 'X')) {
        p += 2;
        uint64_t v = 0;
        for (; p < e; p++) {
            int d = hexDigit(*p);
            if (d < 0) return false;
            v = v * 16 + static_cast<uint64_t>(d);
            if (v >> 40) return false;
        }
        uint64_t mask = hexBits >= 64 ? ~uint64_t(0) : ((uint64_t(1) << hexBits) - 1);
        if (v > mask) return false;
        int64_t s = static_cast<int64_t>(v);
        if (negative) s = -s;
        // A pattern beyond the signed maximum stands for the negative number with those bits.
        if (s > maxValue && hexBits < 64 && s <= static_cast<int64_t>(mask))
            s -= static_cast<int64_t>(mask) + 1;
        if (s < minValue || s > maxValue) return false;
        value = s;
        return true;
    }
    int64_t v = 0;
    for (; p < e; p++) {
        if (*p < '0' || *p > '9') return false;
        v = v * 10 + (*p - '0');
        if (v > (int64_t(1) << 40)) return false;
    }
    if (negative) v = -v;
    if (v < minValue || v > maxValue) return false;
    value = v;
    return true;
}

} // namespace scene_io
