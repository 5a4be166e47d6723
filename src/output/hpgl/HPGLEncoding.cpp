// Numbers of the HP-GL/2 stream: truncation to plotter units and the base-64 form of PE data.
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

const char *SoVectorizeHPGLAction::encodePE(int value) {
    // The sign goes into bit 0: u = 2v for v >= 0, 2|v| + 1 for v < 0. Then base-64 digits, least
    // significant first: 63..126 for a digit that more digits follow, 191..254 for the last.
    // An int needs at most 33 bits, i.e. six digits, so eight bytes hold any result.
    static char buffer[8];
    long long v = value;
    unsigned long long u = v >= 0 ? static_cast<unsigned long long>(v) * 2u
                                   : static_cast<unsigned long long>(-v) * 2u + 1u;
    int k = 0;
    while (u >= 64u) {
        buffer[k++] = static_cast<char>(static_cast<unsigned char>(63u + u % 64u));
        u /= 64u;
    }
    buffer[k++] = static_cast<char>(static_cast<unsigned char>(191u + u));
    buffer[k] = '\0';
    return buffer;
}
