#ifndef SCRIVANE_HPGL_HPGLENCODING_H
#define SCRIVANE_HPGL_HPGLENCODING_H
#include <cstdio>

namespace scrivane_hpgl {

// Writes the PE (polyline encoded) form of value at out, at most six bytes, and returns the end.
char *appendPE(char *out, int value);

// Bytes of a plotter command on their way to the file: collected in a block and written in one
// call, instead of one formatted write per number.
class CommandText {
public:
    explicit CommandText(FILE *fp) : fp(fp) {}
    ~CommandText() { flush(); }
    CommandText(const CommandText &) = delete;
    CommandText &operator=(const CommandText &) = delete;
    void text(const char *s) {
        while (*s) {
            room(1);
            block[length++] = *s++;
        }
    }
    // "%d"
    void integer(int value);
    void pe(int value) {
        room(6);
        length = static_cast<int>(appendPE(block + length, value) - block);
    }
    void flush() {
        if (length > 0) std::fwrite(block, 1, static_cast<size_t>(length), fp);
        length = 0;
    }

private:
    void room(int n) {
        if (length + n > static_cast<int>(sizeof(block))) flush();
    }
    FILE *fp;
    int length = 0;
    char block[4096];
};

} // namespace scrivane_hpgl

#endif
