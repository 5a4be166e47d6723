#ifndef SCRIVANE_TESTS_HPGL_READER_H
#define SCRIVANE_TESTS_HPGL_READER_H
// A strict tokenizer of the HP-GL/2 streams our writer produces, for tests. It splits a stream
// into commands, reads numeric parameters, labels and symbol-mode characters, and decodes every
// PE sequence (pen select, pen up, absolute flags, base-64 numbers in the eight-bit form) into
// absolute plotter coordinates, following the pen position through PA/PU/PD and PE.
// Anything it does not understand is an error: an unknown escape or mnemonic, a byte that is
// not PE data, a number cut by ';', an unended label, stray bytes after parameters.
#include <string>
#include <vector>

namespace hpgl {

struct Vertex {
    bool penUp = false;  // moved with the pen up ("<" in PE, or PU)
    double x = 0, y = 0; // absolute plotter units
};

struct Command {
    std::string mnemonic;        // two upper-case letters, or "ESC" for an escape sequence
    size_t offset = 0;           // of its first byte in the stream
    std::vector<double> params;  // numeric parameters (PE: the decoded numbers, in order)
    std::string text;            // LB: the label; SM: the symbol (empty when none); ESC: the bytes
    int selectedPen = -1;        // PE: the pen selected by ":" (-1 when none)
    std::vector<Vertex> vertices; // PE, PA, PU, PD: the points reached, absolute
    std::string raw;             // the command's bytes as they stand in the stream
};

struct Stream {
    std::vector<Command> commands;
    std::string error;  // empty when the whole stream was read
    bool ok() const { return error.empty(); }
    // The mnemonics in order, space separated ("ESC IN FT NP ...").
    std::string mnemonics() const;
    std::vector<const Command *> all(const std::string &mnemonic) const;
    int count(const std::string &mnemonic) const;
};

// Reads a whole stream.
Stream parse(const std::string &bytes);

// Decodes one base-64 PE number from the eight-bit form at text[pos]; advances pos past it.
// Returns false when the bytes are not a complete number.
bool decodeNumber(const std::string &text, size_t &pos, long long &value);

} // namespace hpgl

#endif
