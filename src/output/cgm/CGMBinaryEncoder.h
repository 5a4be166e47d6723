#ifndef SCRIVANE_CGMBINARYENCODER_H
#define SCRIVANE_CGMBINARYENCODER_H
// The binary encoding of CGM elements: element headers (short and long form, partitions past
// 32760 bytes), the number formats (integers, indexes, colours, enumerations, reals in 32-bit
// and 64-bit floating point and 32-bit fixed point, VDCs, points, strings) and one P... writer
// per element. The encoder carries the precisions that the precision elements set from element
// to element; Pbegmf sets them to what the writer's metafiles use.
//
// Every P... writer computes its exact parameter length first and hands it to PWriteHeader,
// which the partition logic of PWriteChar relies on.
#include "output/cgm/CGMPlacement.h"
#include "scene/base/SbColor.h"
#include "scene/base/SbVec4f.h"
#include <cstdio>

class SoVectorOutput;

class CGMBinaryEncoder {
public:
    // The stream is asked from the output at every write.
    explicit CGMBinaryEncoder(SoVectorOutput *output);

    // Where PWritePoint puts the points: the page offsets added, the page turned in landscape.
    void setPlacement(const CGMPlacement &p) { placement = p; }

    // Encoder state (all public for inspection; the P... writers keep them consistent).
    int integerPrecision = 2;    // bytes per integer
    int realPrecision = 3;       // 1 float32, 2 float64, 3 fixed32
    int indexPrecision = 2;      // bytes per index
    int colorMode = 1;           // 0 indexed, 1 direct
    int colorIndexPrecision = 1; // bytes per colour index
    int colorPrecision = 1;      // bytes per direct colour component
    int lineWidthMode = 1;       // 0 absolute (VDC), 1 scaled (real)
    int markerSizeMode = 1;
    int edgeWidthMode = 1;
    int vdcType = 0; // 0 integer, 1 real
    int vdcIntegerPrecision = 2;
    int vdcRealPrecision = 3;
    int elementRemaining = 0; // parameter bytes of the element not yet written
    int partitionWritten = 0; // parameter bytes written in the current partition
    int oddByte = 0;          // an odd number of bytes since the last word

    // Derived sizes.
    int realSize() const { return (realPrecision & 1) ? 4 : 8; }
    int vdcSize() const;

    // Low-level writers.
    void PWriteHeader(int elementClass, int id, int length);
    void PWriteWord(unsigned word);
    // One parameter byte, after a new partition word when the partition is full.
    void PWriteChar(unsigned byte) {
        if (partitionWritten == PARTITION) startPartition();
        writeRaw(byte);
        elementRemaining--;
        partitionWritten++;
        oddByte ^= 1;
    }
    void PWriteInt(unsigned value);
    void PWriteIndex(int value);
    void PWriteColorI(unsigned value);
    void PWriteColorD(int r, int g, int b);
    void PWriteEnum(unsigned value);
    void PWriteReal(double value);
    void PWriteVDC(double value);
    void PWritePoint(const SbVec4f &point); // placed (see setPlacement)
    void PWriteString(const char *text);
    static int PStrLen(const char *text);
    // Longest piece of a string in the long form, whose counts have 15 bits: a longer string
    // is written in several pieces.
    static constexpr int MAX_STRING = 32767;

    // Delimiter elements.
    void Pbegmf(const char *name, int indexedColors);
    void Pendmf();
    void Pbegpic(const char *name);
    void Pbegpicbody();
    void Pendpic();
    // Metafile descriptor.
    void Pmfversion(int version);
    void Pmfdesc(const char *text);
    void Pmfelemlist(const char *name);
    void Pvdctype(int type);
    void Pintegerprec(int min, int max);
    void Prealprec(double min, double max, int digits);
    void Pindexprec(int min, int max);
    void Pcolrprec(int max);
    void Pcolrindexprec(int max);
    void Pmaxcolrindex(int max);
    void Pcolrvalueext(int r0, int g0, int b0, int r1, int g1, int b1);
    void Pfontlist(int n, const char *const *names);
    // Picture descriptor.
    void Pscalemode(int mode, double factor);
    void Pcolrmode(int mode);
    void Plinewidthmode(int mode);
    void Pmarkersizemode(int mode);
    void Pedgewidthmode(int mode);
    void Pvdcext(double x, double y, double w, double h);
    void Pbackcolr(float r, float g, float b);
    // The repeat length is a size in the line width specification mode (a VDC in absolute mode).
    void Plineedgetype(int index, double repeatLength, int n, const int *dashes);
    // Control.
    void Pvdcrealprec(double min, double max, int digits);
    // Two corners of the drawing, placed; on a turned page the placed corners are reordered so
    // that the first is the lower-left one, as on an upright page.
    void Pcliprect(float x1, float y1, float x2, float y2);
    void Plinecap_join(int cap, int join, double limit);
    void PtranspcellcolrI(int flag, int index);
    void PtranspcellcolrD(int flag, const SbColor &color);
    // Graphical primitives.
    void Pline(int n, const SbVec4f *points);
    void Pmarker(int n, const SbVec4f *points);
    void Ptext010(const SbVec4f &position, int final, const char *text);
    void Ppolygon(int n, const SbVec4f *points);
    // CELL ARRAY: corners, nx x ny cells row by row; indexes[] in indexed colour mode, colors[]
    // (components 0 to 1) in direct mode.
    void Pcellarray(const SbVec4f &p, const SbVec4f &q, const SbVec4f &r, int nx, int ny,
                    const int *indexes, const SbColor *colors);
    // Attributes.
    void Plinetype(int type);
    void Plinewidth(double width);
    void Plinecolr(int index, const SbColor &color);
    void Pmarkertype(int type);
    void Pmarkersize(double size);
    void Pmarkercolr(int index, const SbColor &color);
    void Ptextfontindex(int index);
    void Ptextprec(int precision);
    void Pcharexpan(double factor);
    void Pcharspace(double spacing);
    void Ptextcolr(int index, const SbColor &color);
    void Pcharheight(double height);
    void Pcharori(double upX, double upY, double baseX, double baseY);
    void Ptextpath(int path);
    void Ptextjustif(int horizontal);
    void Pintstyle(int style);
    void Pfillcolr(int index, const SbColor &color);
    void Ppatindex(int index);
    void Pedgevis(int flag);
    // PATTERN TABLE of 32 x 32 cells, as Pcellarray's cells.
    void Ppattable(int index, const int *indexes, const SbColor *colors);
    // PATTERN SIZE: the height vector, then the width vector.
    void Ppatsize(double heightX, double heightY, double widthX, double widthY);
    // COLOUR TABLE: components 0 to 255, each truncated to an integer.
    void Pcolrtable(int start, int n, const SbColor *colors255);

private:
    FILE *fp() const;
    // One byte to the stream found at the element's header, without the stream's lock: an
    // action writes its file from one thread.
    void writeRaw(unsigned byte) { putc_unlocked(static_cast<int>(byte & 0xFFu), file); }
    FILE *file = nullptr;
    void startPartition();
    // Parameter bytes of the current element, split across partitions as PWriteChar would.
    void writeParameterBytes(const unsigned char *bytes, int count);
    // A VDC in the current VDC type and precision; returns the bytes written to out (at most 8).
    int encodeVDC(double value, unsigned char *out) const;
    // The same for a VDC that is a float, without going through double for a normal float.
    int encodeFloatVDC(float value, unsigned char *out) const;
    // Parameter bytes in one partition of a long element.
    static constexpr int PARTITION = 32760;
    // CI or CD by the colour selection mode.
    int colorSize() const { return colorMode == 0 ? colorIndexPrecision : 3 * colorPrecision; }
    void writeColor(int index, const SbColor &color);
    void colorElement(int id, int index, const SbColor &color);
    void pointList(int id, int n, const SbVec4f *points);
    int sizeLength(int mode) const { return mode == 0 ? vdcSize() : realSize(); }
    void writeSize(int mode, double value);
    static int precisionBits(long long n);

    SoVectorOutput *output;
    CGMPlacement placement;
};

// A direct colour component 0..1 as the integer 0..255 that CGM writes (truncated, clamped).
// Inline: every polygon's colour goes through it three times.
inline int cgmComponent255(float component) {
    const double v = static_cast<double>(component) * 255.0;
    if (!(v > 0.0)) return 0;
    if (v >= 255.0) return 255;
    return static_cast<int>(v);
}

#endif
