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
// Positions are byte offsets; line and column are computed only when a message needs them, by
// counting line ends forward from the last position asked for, so reporting stays linear overall.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace scene_io {

class Lexer {
public:
    Lexer(const char *data, size_t size) : begin(data), cur(data), end(data + size) {}

    // Skips blanks, line ends and comments.
    void skipSpace();
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
    enum StringResult { STRING_OK, STRING_MISSING, STRING_UNTERMINATED };
    // A quoted string (escapes \" and \\; other backslashes are kept; CRLF inside becomes LF) or,
    // if no quote comes next, a single unquoted word.
    StringResult readString(std::string &out);
    // With the opening '{' consumed: skips to just after the matching '}', stepping over nested
    // braces, quoted strings and comments. False at the end of the input.
    bool skipBody();

    size_t offset() const { return static_cast<size_t>(cur - begin); }
    // Goes back to an offset returned by offset().
    void rewind(size_t off) { cur = begin + (off < size() ? off : size()); }
    size_t size() const { return static_cast<size_t>(end - begin); }
    size_t remaining() const { return static_cast<size_t>(end - cur); }
    // 1-based line and column of an offset.
    void location(size_t offset, int &line, int &column);
    // How the next token looks, for messages: "'Cube'", "'}'" or "end of file".
    std::string describeNext();

private:
    const char *begin;
    const char *cur;
    const char *end;
    // The last position located: its offset, line and the offset its line starts at.
    size_t locOffset = 0;
    int locLine = 1;
    size_t locLineStart = 0;
};

// True for characters that may appear in a word.
bool isWordChar(unsigned char c);

// Parses a whole token as a number. Floats accept a leading '+', a leading '.', exponents of any
// length (out-of-range values become 0 or infinity), "inf" and "nan".
bool parseFloat(std::string_view token, float &value);
// Integers: optional sign, decimal digits or 0x hexadecimal digits. The value must lie within
// [minValue, maxValue]; hexadecimal numbers may also use the full unsigned width given by
// hexBits (0xFFFFFFFF for a 32-bit signed field is -1), and are returned as that bit pattern.
bool parseInteger(std::string_view token, int64_t minValue, int64_t maxValue, int hexBits,
                  int64_t &value);

} // namespace scene_io

#endif
