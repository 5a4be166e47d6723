// Numbers of the HP-GL/2 stream: truncation to plotter units and the base-64 form of PE data.
#include "HPGLEncoding.h"
#include "output/NumberFormat.h"
#include "scrivane/SoVectorizeHPGLAction.h"

int SoVectorizeHPGLAction::truncPlu(double value) {
    // HP-GL/2 integers lie within ±(2^30 − 1); holding values there also keeps the conversion
    // to int defined for absurd coordinates.
    const double limit = 1073741823.0;
    if (!(value == value)) return 0;
    if (value > limit) return 1073741823;
    if (value < -limit) return -1073741823;
    return static_cast<int>(value);
}

char *scrivane_hpgl::appendPE(char *out, int value) {
    // The sign goes into bit 0: u = 2v for v >= 0, 2|v| + 1 for v < 0. Then base-64 digits, least
    // significant first: 63..126 for a digit that more digits follow, 191..254 for the last.
    // An int needs at most 33 bits, i.e. six digits.
    long long v = value;
    unsigned long long u = v >= 0 ? static_cast<unsigned long long>(v) * 2u
                                   : static_cast<unsigned long long>(-v) * 2u + 1u;
    while (u >= 64u) {
        *out++ = static_cast<char>(static_cast<unsigned char>(63u + u % 64u));
        u /= 64u;
    }
    *out++ = static_cast<char>(static_cast<unsigned char>(191u + u));
    return out;
}

const char *SoVectorizeHPGLAction::encodePE(int value) {
    // One buffer per thread, so that actions on two threads do not share it.
    thread_local char buffer[8];
    *scrivane_hpgl::appendPE(buffer, value) = '\0';
    return buffer;
}

void scrivane_hpgl::CommandText::integer(int value) {
    room(12);
    char *out = block + length;
    unsigned magnitude = static_cast<unsigned>(value);
    if (value < 0) {
        *out++ = '-';
        magnitude = 0u - magnitude;
    }
    length = static_cast<int>(scrivane_format::digits(out, magnitude) - block);
}
