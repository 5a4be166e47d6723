#include "io/Lexer.h"
#include <charconv>
#include <cmath>
#include <limits>

namespace scene_io {

namespace {
bool isBlank(unsigned char c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\f' || c == '\v';
}

bool isNumberChar(unsigned char c) {
    return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || c == '.' ||
           c == '+' || c == '-';
}

int hexDigit(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}
} // namespace

bool isWordChar(unsigned char c) {
    if (isBlank(c) || c == 0) return false;
    switch (c) {
    case '{':
    case '}':
    case '[':
    case ']':
    case '(':
    case ')':
    case ',':
    case '|':
    case '~':
    case '=':
    case '"':
    case '#':
        return false;
    default:
        return true;
    }
}

void Lexer::skipSpace() {
    while (cur < end) {
        unsigned char c = static_cast<unsigned char>(*cur);
        if (isBlank(c)) {
            ++cur;
        } else if (c == '#') {
            while (cur < end && *cur != '\n')
                ++cur;
        } else {
            return;
        }
    }
}

bool Lexer::readWord(std::string_view &word) {
    skipSpace();
    const char *start = cur;
    while (cur < end && isWordChar(static_cast<unsigned char>(*cur)))
        ++cur;
    word = std::string_view(start, static_cast<size_t>(cur - start));
    return cur != start;
}

bool Lexer::readNumberToken(std::string_view &token) {
    skipSpace();
    const char *start = cur;
    while (cur < end && isNumberChar(static_cast<unsigned char>(*cur)))
        ++cur;
    token = std::string_view(start, static_cast<size_t>(cur - start));
    return cur != start;
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
    const char *p = cur + 1;
    while (p < end) {
        char c = *p;
        if (c == '"') {
            cur = p + 1;
            return STRING_OK;
        }
        if (c == '\\' && p + 1 < end && (p[1] == '"' || p[1] == '\\')) {
            out += p[1];
            p += 2;
            continue;
        }
        if (c == '\r' && p + 1 < end && p[1] == '\n') {
            ++p;
            continue;
        }
        out += c;
        ++p;
    }
    return STRING_UNTERMINATED;
}

bool Lexer::skipBody() {
    int depth = 1;
    while (cur < end) {
        char c = *cur++;
        if (c == '{') {
            ++depth;
        } else if (c == '}') {
            if (--depth == 0) return true;
        } else if (c == '#') {
            while (cur < end && *cur != '\n')
                ++cur;
        } else if (c == '"') {
            while (cur < end && *cur != '"') {
                if (*cur == '\\' && cur + 1 < end) ++cur;
                ++cur;
            }
            if (cur < end) ++cur;
        }
    }
    return false;
}

void Lexer::location(size_t off, int &line, int &column) {
    if (off > size()) off = size();
    if (off < locOffset) {
        locOffset = 0;
        locLine = 1;
        locLineStart = 0;
    }
    for (size_t i = locOffset; i < off; i++) {
        if (begin[i] == '\n') {
            ++locLine;
            locLineStart = i + 1;
        }
    }
    locOffset = off;
    line = locLine;
    column = static_cast<int>(off - locLineStart) + 1;
}

std::string Lexer::describeNext() {
    skipSpace();
    if (cur >= end) return "end of file";
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
    if (p < e && *p == '+') {
        ++p;
        if (p < e && (*p == '-' || *p == '+')) return false;
    }
    if (p == e) return false;
    double d = 0;
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
    if (std::isfinite(d) && std::fabs(d) > static_cast<double>(std::numeric_limits<float>::max()))
        value = d < 0 ? -std::numeric_limits<float>::infinity()
                      : std::numeric_limits<float>::infinity();
    else
        value = static_cast<float>(d);
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
