#ifndef SCENE_IO_LEXER_H
#define SCENE_IO_LEXER_H
// The character level of the ASCII scene format.
//
// The format has no fixed token set: what a run of characters means depends on what the reader
// expects next (a field name, a number, an unquoted string), so the reader asks for the kind of
// token it wants. Blanks, line ends (LF or CRLF) and '#' comments separate tokens anywhere outside
// quoted strings. Punctuation characters { } [ ] ( ) , | ~ = and '"' end a word, so `Separator{`
// and `0,1]` need no blanks. '.' does not end a word: it belongs to numbers, file names and DEF
// names.
//
// The lexer reads a ByteStream: it works on the stream's window and asks for a refill when a scan
// reaches the window's end, keeping the token being read. A string_view it hands out points into
// the window and is valid only until the next call on the lexer.
//
// Positions carry their line and column, kept up to date as line ends are consumed, so that a
// position taken long ago (the '{' of a node whose '}' is missing) can still be reported after the
// bytes it names have left the window.
#include <cstddef>
#include <cstdint>
#include <limits>
#include <string>
#include <string_view>

namespace scene_io {

class ByteStream;

// A place in the source: byte offset from the start of the source, 1-based line and column (a
// byte column).
struct Position {
    uint64_t offset = 0;
    int line = 1;
    int column = 1;
};

class Lexer {
public:
    // Reads stream from offset start of its window (after a byte order mark).
    Lexer(ByteStream &stream, size_t start);

    // Skips blanks, line ends and comments. Afterwards either a byte is available or the input
    // has ended. Inline for the common cases of nothing or one space to skip (every blank is at
    // most ' ').
    void skipSpace() {
        if (end - cur > 1) {
            const unsigned char c = static_cast<unsigned char>(*cur);
            if (c > ' ' && c != '#') return;
            const unsigned char next = static_cast<unsigned char>(cur[1]);
            if (c == ' ' && next > ' ' && next != '#') {
                ++cur;
                return;
            }
        }
        skipBlanks();
    }
    // The next character after blanks and comments, or -1 at the end of the input.
    int peek() {
        skipSpace();
        return cur < end ? static_cast<unsigned char>(*cur) : -1;
    }
    bool atEnd() { return peek() < 0; }
    // Consumes c if it comes next.
    bool accept(char c) {
        skipSpace();
        if (cur < end && *cur == c) {
            ++cur;
            return true;
        }
        return false;
    }
    // A run of word characters (anything but blanks, punctuation and '#'); false if none comes
    // next.
    bool readWord(std::string_view &word);
    // A run of the characters numbers are made of: digits, letters, '.', '+' and '-'.
    bool readNumberToken(std::string_view &token);
    // A number token as readNumberToken reads it, parsed on the way when it has the common form:
    // NUMBER_PARSED gives its value (and the token), NUMBER_TOKEN only the token, for parseInteger
    // or parseFloat. readInteger parses plain decimal integers ([sign] up to 18 digits);
    // readReal parses decimals as parseFloat does, to the double that toFloat narrows.
    enum NumberResult { NUMBER_MISSING, NUMBER_TOKEN, NUMBER_PARSED };
    NumberResult readInteger(std::string_view &token, int64_t &value);
    NumberResult readReal(std::string_view &token, double &value);
    enum StringResult { STRING_OK, STRING_MISSING, STRING_UNTERMINATED };
    // A quoted string (escapes \" and \\; other backslashes are kept; CRLF inside becomes LF) or,
    // if no quote comes next, a single unquoted word.
    StringResult readString(std::string &out);
    // With the opening '{' consumed: skips to just after the matching '}', stepping over nested
    // braces, quoted strings and comments. False at the end of the input.
    bool skipBody();

    // Where the lexer is.
    Position position() const {
        Position p;
        p.offset = offsetOf(cur);
        p.line = line;
        p.column = static_cast<int>(p.offset - lineStart) + 1;
        return p;
    }
    // How many bytes of input follow the current position, when the size of the source is known.
    bool remaining(uint64_t &bytes) const;
    // How the next token looks, for messages: "'Cube'", "'}'" or "end of file".
    std::string describeNext();
    // Gives the bytes read back to the stream: it drops those before the current position.
    void release();

private:
    uint64_t offsetOf(const char *p) const {
        return windowOffset + static_cast<uint64_t>(p - windowBegin);
    }
    // Refills the window keeping the bytes from keep on (keep <= cur); keep and cur follow the
    // bytes to their new place. False at the end of the input, with nothing changed.
    bool more(const char *&keep);
    bool more() {
        const char *keep = cur;
        return more(keep);
    }
    void skipBlanks();
    // The run of characters of a class (see Lexer.cpp) that starts after blanks; false if empty.
    bool scanRun(uint8_t cls, std::string_view &run);
    void newLine(const char *after) {
        ++line;
        lineStart = offsetOf(after);
    }

    ByteStream &stream;
    const char *windowBegin;
    uint64_t windowOffset;
    const char *cur;
    const char *end;
    int line = 1;
    uint64_t lineStart; // offset of the first byte of the current line
};

// True for characters that may appear in a word.
bool isWordChar(unsigned char c);

// Parses a whole token as a number. Floats accept a leading '+', a leading '.', exponents of any
// length (out-of-range values become 0 or infinity), "inf" and "nan".
bool parseFloat(std::string_view token, float &value);
// A double as a float: rounded, and an infinity beyond the float range.
inline float toFloat(double value) {
    const double largest = static_cast<double>(std::numeric_limits<float>::max());
    if (value > largest) return std::numeric_limits<float>::infinity();
    if (value < -largest) return -std::numeric_limits<float>::infinity();
    return static_cast<float>(value);
}
// Integers: optional sign, decimal digits or 0x hexadecimal digits. The value must lie within
// [minValue, maxValue]; hexadecimal numbers may also use the full unsigned width given by
// hexBits (0xFFFFFFFF for a 32-bit signed field is -1), and are returned as that bit pattern.
bool parseInteger(std::string_view token, int64_t minValue, int64_t maxValue, int hexBits,
                  int64_t &value);

} // namespace scene_io

#endif
