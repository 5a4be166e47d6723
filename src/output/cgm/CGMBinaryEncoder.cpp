// Binary CGM, the low level: element headers with their partitions and padding, and the
// number, colour, point and string formats of the parameters.
#include "output/cgm/CGMBinaryEncoder.h"
#include <algorithm>
#include <cfloat>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include "scrivane/SoVectorOutput.h"

namespace {

// A double truncated toward zero into a 64-bit integer, saturated so that the conversion is
// always defined (the writers only keep the low bytes of it).
long long truncSaturated(double x) {
    if (!(x == x)) return 0;
    if (x >= 9.0e18) return 9000000000000000000LL;
    if (x <= -9.0e18) return -9000000000000000000LL;
    return static_cast<long long>(x);
}
} // namespace

int cgmComponent255(float component) {
    double v = static_cast<double>(component) * 255.0;
    if (!(v > 0.0)) return 0;
    if (v >= 255.0) return 255;
    return static_cast<int>(v);
}

CGMBinaryEncoder::CGMBinaryEncoder(SoVectorOutput *out) : output(out) {}

FILE *CGMBinaryEncoder::fp() const { return output->getFilePointer(); }


int CGMBinaryEncoder::vdcSize() const {
    if (vdcType == 0) return vdcIntegerPrecision;
    return (vdcRealPrecision & 1) ? 4 : 8;
}

void CGMBinaryEncoder::PWriteHeader(int elementClass, int id, int length) {
    // Every element starts here, so the stream is looked up once per element.
    file = fp();
    const unsigned word = (static_cast<unsigned>(elementClass & 0xF) << 12) | (static_cast<unsigned>(id & 0x7F) << 5);
    if (length < 31) {
        PWriteWord(word | static_cast<unsigned>(length));
    } else {
        PWriteWord(word | 31u);
        // Bit 15 says that more partitions follow this first one.
        PWriteWord(length <= PARTITION ? static_cast<unsigned>(length) : 0x8000u | PARTITION);
    }
    elementRemaining = length;
    partitionWritten = 0;
}

void CGMBinaryEncoder::PWriteWord(unsigned word) {
    // Elements start on even offsets: an odd parameter list is padded here, by the next word.
    if (oddByte) {
        writeRaw(0);
        oddByte = 0;
    }
    writeRaw(word >> 8);
    writeRaw(word);
}

void CGMBinaryEncoder::startPartition() {
    // A partition is full: the next partition word carries the rest, or a full partition
    // with bit 15 set when still more follow. Partitions are even, so no pad is needed.
    const unsigned word = elementRemaining > PARTITION ? 0x8000u | PARTITION : static_cast<unsigned>(elementRemaining);
    writeRaw(word >> 8);
    writeRaw(word);
    partitionWritten = 0;
}

void CGMBinaryEncoder::PWriteInt(unsigned value) {
    for (int i = integerPrecision - 1; i >= 0; i--) PWriteChar(value >> (8 * i));
}

void CGMBinaryEncoder::PWriteIndex(int value) {
    const unsigned v = static_cast<unsigned>(value);
    for (int i = indexPrecision - 1; i >= 0; i--) PWriteChar(v >> (8 * i));
}

void CGMBinaryEncoder::PWriteColorI(unsigned value) {
    for (int i = colorIndexPrecision - 1; i >= 0; i--) PWriteChar(value >> (8 * i));
}

void CGMBinaryEncoder::PWriteColorD(int r, int g, int b) {
    const int components[3] = {r, g, b};
    for (int c : components)
        for (int i = colorPrecision - 1; i >= 0; i--) PWriteChar(static_cast<unsigned>(c) >> (8 * i));
}

void CGMBinaryEncoder::PWriteEnum(unsigned value) {
    PWriteChar(value >> 8);
    PWriteChar(value);
}

bool CGMBinaryEncoder::writeNormalFloat(double value) {
    // A normal float's own bits are the sign, biased exponent and fraction that the general
    // 32-bit path computes; most reals (coordinates among them) are floats.
    const double a = std::fabs(value);
    if (!(a >= FLT_MIN && a <= FLT_MAX) || static_cast<double>(static_cast<float>(a)) != a) return false;
    const float single = static_cast<float>(a);
    uint32_t bits = 0;
    std::memcpy(&bits, &single, sizeof bits);
    if (value < 0.0) bits |= 0x80000000u;
    for (int i = 3; i >= 0; i--) PWriteChar(bits >> (8 * i));
    return true;
}

void CGMBinaryEncoder::PWriteReal(double value) {
    if (realPrecision == 3) {
        // 32-bit fixed point: a whole part (one lower for negative values) and a fraction in
        // units of 1/65535.
        long long whole = truncSaturated(value);
        if (value < 0.0) whole -= 1;
        const long long fraction = truncSaturated((value - static_cast<double>(whole)) * 65535.0);
        PWriteChar(static_cast<unsigned>(whole >> 8));
        PWriteChar(static_cast<unsigned>(whole));
        PWriteChar(static_cast<unsigned>(fraction >> 8));
        PWriteChar(static_cast<unsigned>(fraction));
        return;
    }
    if (realPrecision != 1 && realPrecision != 2) return;
    // IEEE 754, big-endian. The value is split into sign, exponent and a fraction in [0, 1)
    // exactly (frexp). NaN is written as 0; values beyond the range as the largest finite
    // value, values below the normal range as 0.
    const unsigned sign = value < 0.0 ? 1u : 0u;
    double a = std::fabs(value);
    if (!(a == a)) a = 0.0;
    if (realPrecision == 1 && writeNormalFloat(value)) return;
    int e = 0;
    double f = 0.0;
    if (a != 0.0 && std::isfinite(a)) {
        int exponent = 0;
        const double mantissa = std::frexp(a, &exponent); // a = mantissa * 2^exponent, mantissa in [0.5, 1)
        e = exponent - 1;
        f = mantissa * 2.0 - 1.0;
    }
    if (realPrecision == 1) {
        long long E = (a == 0.0) ? 0 : e + 127;
        long long F = truncSaturated(f * 8388608.0);
        if (std::isinf(a) || E >= 255) {
            E = 254;
            F = 0x7FFFFF;
        } else if (a != 0.0 && E <= 0) {
            E = 0;
            F = 0;
        }
        PWriteChar((sign << 7) | static_cast<unsigned>(E >> 1));
        PWriteChar(static_cast<unsigned>(((E & 1) << 7) | ((F >> 16) & 0x7F)));
        PWriteChar(static_cast<unsigned>(F >> 8));
        PWriteChar(static_cast<unsigned>(F));
    } else {
        long long E = (a == 0.0) ? 0 : e + 1023;
        long long H = truncSaturated(f * 1048576.0);
        long long L = truncSaturated((f * 1048576.0 - static_cast<double>(H)) * 4294967296.0);
        if (std::isinf(a) || E >= 2047) {
            E = 2046;
            H = 0xFFFFF;
            L = 0xFFFFFFFFLL;
        } else if (a != 0.0 && E <= 0) {
            E = 0;
            H = 0;
            L = 0;
        }
        PWriteChar((sign << 7) | static_cast<unsigned>(E >> 4));
        PWriteChar(static_cast<unsigned>(((E & 0xF) << 4) | ((H >> 16) & 0xF)));
        PWriteChar(static_cast<unsigned>(H >> 8));
        PWriteChar(static_cast<unsigned>(H));
        for (int i = 3; i >= 0; i--) PWriteChar(static_cast<unsigned>(L >> (8 * i)));
    }
}

void CGMBinaryEncoder::PWriteVDC(double value) {
    if (vdcType != 0 && vdcRealPrecision == 1 && writeNormalFloat(value)) return;
    if (vdcType == 0) {
        const int saved = integerPrecision;
        integerPrecision = vdcIntegerPrecision;
        PWriteInt(static_cast<unsigned>(truncSaturated(value)));
        integerPrecision = saved;
    } else {
        const int saved = realPrecision;
        realPrecision = vdcRealPrecision;
        PWriteReal(value);
        realPrecision = saved;
    }
}

void CGMBinaryEncoder::PWritePoint(const SbVec4f &point) {
    const SbVec2f at = placement.place(point[0], point[1]);
    PWriteVDC(static_cast<double>(at[0]));
    PWriteVDC(static_cast<double>(at[1]));
}

namespace {
size_t stringLength(const char *text) {
    return text ? std::strlen(text) : 0;
}
} // namespace

void CGMBinaryEncoder::PWriteString(const char *text) {
    const size_t n = stringLength(text);
    if (n < 255) {
        PWriteChar(static_cast<unsigned>(n));
        for (size_t i = 0; i < n; i++) PWriteChar(static_cast<unsigned char>(text[i]));
        return;
    }
    // Long form: 255, then the string in pieces of at most MAX_STRING bytes, each after a
    // 16-bit count whose bit 15 says that another piece follows.
    PWriteChar(255);
    size_t written = 0;
    do {
        const size_t piece = std::min(n - written, static_cast<size_t>(MAX_STRING));
        const bool more = written + piece < n;
        PWriteChar((static_cast<unsigned>(piece >> 8) & 0x7Fu) | (more ? 0x80u : 0u));
        PWriteChar(static_cast<unsigned>(piece));
        for (size_t i = 0; i < piece; i++) PWriteChar(static_cast<unsigned char>(text[written + i]));
        written += piece;
    } while (written < n);
}

int CGMBinaryEncoder::PStrLen(const char *text) {
    const size_t n = stringLength(text);
    if (n < 255) return static_cast<int>(n) + 1;
    const size_t pieces = (n + MAX_STRING - 1) / MAX_STRING;
    return static_cast<int>(1 + 2 * pieces + n);
}
