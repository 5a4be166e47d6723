// Binary CGM, the low level: element headers with their partitions and padding, and the
// number, colour, point and string formats of the parameters.
#include "output/cgm/CGMBinaryEncoder.h"
#include "scrivane/SoVectorOutput.h"
#include <algorithm>
#include <cfloat>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstring>

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

CGMBinaryEncoder::CGMBinaryEncoder(SoVectorOutput *out) : output(out) {}

FILE *CGMBinaryEncoder::fp() const {
    return output->getFilePointer();
}

int CGMBinaryEncoder::vdcSize() const {
    if (vdcType == 0) return vdcIntegerPrecision;
    return (vdcRealPrecision & 1) ? 4 : 8;
}

void CGMBinaryEncoder::PWriteHeader(int elementClass, int id, int length) {
    // Every element starts here, so the stream is looked up once per element.
    file = fp();
    const unsigned word =
        (static_cast<unsigned>(elementClass & 0xF) << 12) | (static_cast<unsigned>(id & 0x7F) << 5);
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
    const unsigned word = elementRemaining > PARTITION ? 0x8000u | PARTITION
                                                       : static_cast<unsigned>(elementRemaining);
    writeRaw(word >> 8);
    writeRaw(word);
    partitionWritten = 0;
}

void CGMBinaryEncoder::PWriteInt(unsigned value) {
    for (int i = integerPrecision - 1; i >= 0; i--)
        PWriteChar(value >> (8 * i));
}

void CGMBinaryEncoder::PWriteIndex(int value) {
    const unsigned v = static_cast<unsigned>(value);
    for (int i = indexPrecision - 1; i >= 0; i--)
        PWriteChar(v >> (8 * i));
}

void CGMBinaryEncoder::PWriteColorI(unsigned value) {
    for (int i = colorIndexPrecision - 1; i >= 0; i--)
        PWriteChar(value >> (8 * i));
}

void CGMBinaryEncoder::PWriteColorD(int r, int g, int b) {
    const int components[3] = {r, g, b};
    for (int c : components)
        for (int i = colorPrecision - 1; i >= 0; i--)
            PWriteChar(static_cast<unsigned>(c) >> (8 * i));
}

void CGMBinaryEncoder::PWriteEnum(unsigned value) {
    PWriteChar(value >> 8);
    PWriteChar(value);
}

namespace {

// The low `count` bytes of value, most significant first; returns count.
int putBigEndian(unsigned long long value, int count, unsigned char *out) {
    for (int i = 0; i < count; i++)
        out[i] = static_cast<unsigned char>(value >> (8 * (count - 1 - i)));
    return count;
}

// A normal float value in the 32-bit IEEE form: 4 bytes; 0 (nothing written) for any other
// value. A normal float's own bits are the sign, biased exponent and fraction that the general
// 32-bit path computes; most reals (coordinates among them) are floats.
int encodeNormalFloat(double value, unsigned char *out) {
    const double a = std::fabs(value);
    if (!(a >= FLT_MIN && a <= FLT_MAX) || static_cast<double>(static_cast<float>(a)) != a)
        return 0;
    const float single = static_cast<float>(a);
    uint32_t bits = 0;
    std::memcpy(&bits, &single, sizeof bits);
    if (value < 0.0) bits |= 0x80000000u;
    return putBigEndian(bits, 4, out);
}

// 32-bit fixed point: a whole part (one lower for negative values) and a fraction in units of
// 1/65535.
int encodeFixed32(double value, unsigned char *out) {
    long long whole = truncSaturated(value);
    if (value < 0.0) whole -= 1;
    const long long fraction = truncSaturated((value - static_cast<double>(whole)) * 65535.0);
    putBigEndian(static_cast<unsigned long long>(whole), 2, out);
    putBigEndian(static_cast<unsigned long long>(fraction), 2, out + 2);
    return 4;
}

// IEEE 754, big-endian, 32-bit (precision 1) or 64-bit (precision 2). The value is split into
// sign, exponent and a fraction in [0, 1) exactly (frexp). NaN is written as 0; values beyond
// the range as the largest finite value, values below the normal range as 0.
int encodeFloatingPoint(double value, int precision, unsigned char *out) {
    const unsigned sign = value < 0.0 ? 1u : 0u;
    double a = std::fabs(value);
    if (!(a == a)) a = 0.0;
    if (precision == 1) {
        const int written = encodeNormalFloat(value, out);
        if (written > 0) return written;
    }
    int e = 0;
    double f = 0.0;
    if (a != 0.0 && std::isfinite(a)) {
        int exponent = 0;
        const double mantissa =
            std::frexp(a, &exponent); // a = mantissa * 2^exponent, mantissa in [0.5, 1)
        e = exponent - 1;
        f = mantissa * 2.0 - 1.0;
    }
    if (precision == 1) {
        long long E = (a == 0.0) ? 0 : e + 127;
        long long F = truncSaturated(f * 8388608.0);
        if (std::isinf(a) || E >= 255) {
            E = 254;
            F = 0x7FFFFF;
        } else if (a != 0.0 && E <= 0) {
            E = 0;
            F = 0;
        }
        out[0] = static_cast<unsigned char>((sign << 7) | static_cast<unsigned>(E >> 1));
        out[1] = static_cast<unsigned char>(((E & 1) << 7) | ((F >> 16) & 0x7F));
        putBigEndian(static_cast<unsigned long long>(F), 2, out + 2);
        return 4;
    }
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
    out[0] = static_cast<unsigned char>((sign << 7) | static_cast<unsigned>(E >> 4));
    out[1] = static_cast<unsigned char>(((E & 0xF) << 4) | ((H >> 16) & 0xF));
    putBigEndian(static_cast<unsigned long long>(H), 2, out + 2);
    putBigEndian(static_cast<unsigned long long>(L), 4, out + 4);
    return 8;
}

// A real in the given precision (1 float32, 2 float64, 3 fixed32); nothing for another one.
int encodeReal(double value, int precision, unsigned char *out) {
    if (precision == 3) return encodeFixed32(value, out);
    if (precision != 1 && precision != 2) return 0;
    return encodeFloatingPoint(value, precision, out);
}

// Bytes to a stream without taking its lock, where the C library can: an action writes its file
// from one thread.
void writeUnlocked(const unsigned char *bytes, int count, FILE *stream) {
#if defined(__GLIBC__)
    fwrite_unlocked(bytes, 1, static_cast<size_t>(count), stream);
#else
    std::fwrite(bytes, 1, static_cast<size_t>(count), stream);
#endif
}

// Room for one encoded real or VDC.
constexpr int kLargestNumber = 8;
// Points encoded in one piece by pointList.
constexpr int kPointsPerPiece = 64;

} // namespace

void CGMBinaryEncoder::writeParameterBytes(const unsigned char *bytes, int count) {
    FILE *const stream = file;
    while (count > 0) {
        if (partitionWritten == PARTITION) startPartition();
        const int piece = std::min(count, PARTITION - partitionWritten);
        writeUnlocked(bytes, piece, stream);
        elementRemaining -= piece;
        partitionWritten += piece;
        oddByte ^= piece & 1;
        bytes += piece;
        count -= piece;
    }
}

void CGMBinaryEncoder::PWriteReal(double value) {
    unsigned char bytes[kLargestNumber];
    writeParameterBytes(bytes, encodeReal(value, realPrecision, bytes));
}

int CGMBinaryEncoder::encodeVDC(double value, unsigned char *out) const {
    if (vdcType != 0) return encodeReal(value, vdcRealPrecision, out);
    // Integer VDCs keep the low bytes of the value truncated toward zero.
    const unsigned truncated = static_cast<unsigned>(truncSaturated(value));
    return putBigEndian(truncated, vdcIntegerPrecision, out);
}

int CGMBinaryEncoder::encodeFloatVDC(float value, unsigned char *out) const {
    if (vdcType != 0 && vdcRealPrecision == 1) {
        // A normal float is its own 32-bit real: the bits that encodeNormalFloat would rebuild.
        uint32_t bits = 0;
        std::memcpy(&bits, &value, sizeof bits);
        const uint32_t exponent = (bits >> 23) & 0xFFu;
        if (exponent != 0 && exponent != 0xFFu) return putBigEndian(bits, 4, out);
    }
    return encodeVDC(static_cast<double>(value), out);
}

void CGMBinaryEncoder::PWriteVDC(double value) {
    unsigned char bytes[kLargestNumber];
    writeParameterBytes(bytes, encodeVDC(value, bytes));
}

void CGMBinaryEncoder::PWritePoint(const SbVec4f &point) {
    const SbVec2f at = placement.place(point[0], point[1]);
    unsigned char bytes[2 * kLargestNumber];
    int used = encodeFloatVDC(at[0], bytes);
    used += encodeFloatVDC(at[1], bytes + used);
    writeParameterBytes(bytes, used);
}

void CGMBinaryEncoder::pointList(int id, int n, const SbVec4f *points) {
    if (n < 0) n = 0;
    PWriteHeader(4, id, 2 * n * vdcSize());
    // Encoded a piece at a time and handed to the stream in one go.
    unsigned char bytes[kPointsPerPiece * 2 * kLargestNumber];
    int used = 0;
    for (int i = 0; i < n; i++) {
        const SbVec2f at = placement.place(points[i][0], points[i][1]);
        used += encodeFloatVDC(at[0], bytes + used);
        used += encodeFloatVDC(at[1], bytes + used);
        if (used > static_cast<int>(sizeof bytes) - 2 * kLargestNumber) {
            writeParameterBytes(bytes, used);
            used = 0;
        }
    }
    writeParameterBytes(bytes, used);
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
        for (size_t i = 0; i < n; i++)
            PWriteChar(static_cast<unsigned char>(text[i]));
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
        for (size_t i = 0; i < piece; i++)
            PWriteChar(static_cast<unsigned char>(text[written + i]));
        written += piece;
    } while (written < n);
}

int CGMBinaryEncoder::PStrLen(const char *text) {
    const size_t n = stringLength(text);
    if (n < 255) return static_cast<int>(n) + 1;
    const size_t pieces = (n + MAX_STRING - 1) / MAX_STRING;
    return static_cast<int>(1 + 2 * pieces + n);
}
