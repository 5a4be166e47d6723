// Binary CGM, the elements: one P... writer per element the writer emits, each with its class,
// id and exact parameter length, and the precision elements that change the encoder's state.
#include "output/cgm/CGMBinaryEncoder.h"
#include <cstdlib>

int CGMBinaryEncoder::precisionBits(long long n) {
    if (n > 0xFFFFFF) return 32;
    if (n > 0xFFFF) return 24;
    if (n > 0xFF) return 16;
    return 8;
}

void CGMBinaryEncoder::writeColor(int index, const SbColor &color) {
    if (colorMode == 0)
        PWriteColorI(static_cast<unsigned>(index));
    else
        PWriteColorD(cgmComponent255(color[0]), cgmComponent255(color[1]),
                     cgmComponent255(color[2]));
}

void CGMBinaryEncoder::colorElement(int id, int index, const SbColor &color) {
    PWriteHeader(5, id, colorSize());
    writeColor(index, color);
}

void CGMBinaryEncoder::writeSize(int mode, double value) {
    if (mode == 0)
        PWriteVDC(value);
    else
        PWriteReal(value);
}

// Delimiters.

void CGMBinaryEncoder::Pbegmf(const char *name, int indexedColors) {
    PWriteHeader(0, 1, PStrLen(name));
    PWriteString(name);
    integerPrecision = 2;
    realPrecision = 3;
    indexPrecision = 2;
    colorMode = indexedColors ? 0 : 1;
    colorIndexPrecision = 1;
    colorPrecision = 1;
    lineWidthMode = 1;
    markerSizeMode = 1;
    edgeWidthMode = 1;
    vdcType = 0;
    vdcIntegerPrecision = 2;
    vdcRealPrecision = 3;
}

void CGMBinaryEncoder::Pendmf() {
    PWriteHeader(0, 2, 0);
}

void CGMBinaryEncoder::Pbegpic(const char *name) {
    PWriteHeader(0, 3, PStrLen(name));
    PWriteString(name);
}

void CGMBinaryEncoder::Pbegpicbody() {
    PWriteHeader(0, 4, 0);
}
void CGMBinaryEncoder::Pendpic() {
    PWriteHeader(0, 5, 0);
}

// Metafile descriptor.

void CGMBinaryEncoder::Pmfversion(int version) {
    PWriteHeader(1, 1, integerPrecision);
    PWriteInt(static_cast<unsigned>(version));
}

void CGMBinaryEncoder::Pmfdesc(const char *text) {
    PWriteHeader(1, 2, PStrLen(text));
    PWriteString(text);
}

void CGMBinaryEncoder::Pmfelemlist(const char *) {
    // One pair (-1, 1): the drawing-plus set. The name is only the clear-text spelling.
    PWriteHeader(1, 11, integerPrecision + 2 * indexPrecision);
    PWriteInt(1);
    PWriteIndex(-1);
    PWriteIndex(1);
}

void CGMBinaryEncoder::Pvdctype(int type) {
    PWriteHeader(1, 3, 2);
    PWriteEnum(static_cast<unsigned>(type));
    vdcType = type;
}

void CGMBinaryEncoder::Pintegerprec(int min, int max) {
    const int bits =
        precisionBits(std::llabs(min) > std::llabs(max) ? std::llabs(min) : std::llabs(max));
    PWriteHeader(1, 4, integerPrecision);
    PWriteInt(static_cast<unsigned>(bits));
    integerPrecision = bits / 8;
}

void CGMBinaryEncoder::Prealprec(double, double, int digits) {
    // Floating point: 9-bit exponent and 23-bit fraction up to 10 digits, else 12 and 52.
    PWriteHeader(1, 5, 2 * integerPrecision + 2);
    PWriteEnum(0);
    PWriteInt(digits <= 10 ? 9 : 12);
    PWriteInt(digits <= 10 ? 23 : 52);
    realPrecision = digits <= 10 ? 1 : 2;
}

void CGMBinaryEncoder::Pindexprec(int min, int max) {
    const int bits =
        precisionBits(std::llabs(min) > std::llabs(max) ? std::llabs(min) : std::llabs(max));
    PWriteHeader(1, 6, integerPrecision);
    PWriteInt(static_cast<unsigned>(bits));
    indexPrecision = bits / 8;
}

void CGMBinaryEncoder::Pcolrprec(int max) {
    const int bits = precisionBits(max);
    PWriteHeader(1, 7, integerPrecision);
    PWriteInt(static_cast<unsigned>(bits));
    colorPrecision = bits / 8;
}

void CGMBinaryEncoder::Pcolrindexprec(int max) {
    const int bits = precisionBits(max);
    PWriteHeader(1, 8, integerPrecision);
    PWriteInt(static_cast<unsigned>(bits));
    colorIndexPrecision = bits / 8;
}

void CGMBinaryEncoder::Pmaxcolrindex(int max) {
    PWriteHeader(1, 9, colorIndexPrecision);
    PWriteColorI(static_cast<unsigned>(max));
}

void CGMBinaryEncoder::Pcolrvalueext(int r0, int g0, int b0, int r1, int g1, int b1) {
    PWriteHeader(1, 10, 6 * colorPrecision);
    PWriteColorD(r0, g0, b0);
    PWriteColorD(r1, g1, b1);
}

void CGMBinaryEncoder::Pfontlist(int n, const char *const *names) {
    int length = 0;
    for (int i = 0; i < n; i++)
        length += PStrLen(names[i]);
    PWriteHeader(1, 13, length);
    for (int i = 0; i < n; i++)
        PWriteString(names[i]);
}

// Picture descriptor.

void CGMBinaryEncoder::Pscalemode(int mode, double factor) {
    PWriteHeader(2, 1, 2 + realSize());
    PWriteEnum(static_cast<unsigned>(mode));
    PWriteReal(factor);
}

void CGMBinaryEncoder::Pcolrmode(int mode) {
    PWriteHeader(2, 2, 2);
    PWriteEnum(static_cast<unsigned>(mode));
    colorMode = mode;
}

void CGMBinaryEncoder::Plinewidthmode(int mode) {
    PWriteHeader(2, 3, 2);
    PWriteEnum(static_cast<unsigned>(mode));
    lineWidthMode = mode;
}

void CGMBinaryEncoder::Pmarkersizemode(int mode) {
    PWriteHeader(2, 4, 2);
    PWriteEnum(static_cast<unsigned>(mode));
    markerSizeMode = mode;
}

void CGMBinaryEncoder::Pedgewidthmode(int mode) {
    PWriteHeader(2, 5, 2);
    PWriteEnum(static_cast<unsigned>(mode));
    edgeWidthMode = mode;
}

void CGMBinaryEncoder::Pvdcext(double x, double y, double w, double h) {
    // The extent is written as it is: the page offsets are not added.
    PWriteHeader(2, 6, 4 * vdcSize());
    PWriteVDC(x);
    PWriteVDC(y);
    PWriteVDC(x + w);
    PWriteVDC(y + h);
}

void CGMBinaryEncoder::Pbackcolr(float r, float g, float b) {
    PWriteHeader(2, 7, 3 * colorPrecision);
    PWriteColorD(cgmComponent255(r), cgmComponent255(g), cgmComponent255(b));
}

void CGMBinaryEncoder::Plineedgetype(int index, double repeatLength, int n, const int *dashes) {
    if (n < 0) n = 0;
    // The dash elements are padded to an even count with a 0 element.
    const int count = n + (n & 1);
    PWriteHeader(2, 17, indexPrecision + integerPrecision * count + sizeLength(lineWidthMode));
    PWriteIndex(index);
    writeSize(lineWidthMode, repeatLength);
    for (int i = 0; i < n; i++)
        PWriteInt(static_cast<unsigned>(dashes[i]));
    if (n & 1) PWriteInt(0);
}

// Control.

void CGMBinaryEncoder::Pvdcrealprec(double, double, int digits) {
    PWriteHeader(3, 2, 2 * integerPrecision + 2);
    PWriteEnum(0);
    PWriteInt(digits <= 10 ? 9 : 12);
    PWriteInt(digits <= 10 ? 23 : 52);
    vdcRealPrecision = digits <= 10 ? 1 : 2;
}

void CGMBinaryEncoder::Pcliprect(float x1, float y1, float x2, float y2) {
    PWriteHeader(3, 5, 4 * vdcSize());
    if (!placement.landscape) {
        PWritePoint(SbVec4f(x1, y1, 0.0f, 1.0f));
        PWritePoint(SbVec4f(x2, y2, 0.0f, 1.0f));
        return;
    }
    const SbVec2f a = placement.place(x1, y1), b = placement.place(x2, y2);
    PWriteVDC(a[0] < b[0] ? a[0] : b[0]);
    PWriteVDC(a[1] < b[1] ? a[1] : b[1]);
    PWriteVDC(a[0] < b[0] ? b[0] : a[0]);
    PWriteVDC(a[1] < b[1] ? b[1] : a[1]);
}

void CGMBinaryEncoder::Plinecap_join(int cap, int join, double limit) {
    PWriteHeader(5, 37, 4);
    PWriteEnum(static_cast<unsigned>(cap));
    PWriteEnum(1); // dash cap unspecified
    PWriteHeader(5, 38, 2);
    PWriteEnum(static_cast<unsigned>(join));
    PWriteHeader(3, 19, realSize());
    PWriteReal(limit);
}

void CGMBinaryEncoder::PtranspcellcolrI(int flag, int index) {
    PWriteHeader(3, 20, 2 + colorIndexPrecision);
    PWriteEnum(static_cast<unsigned>(flag));
    PWriteColorI(static_cast<unsigned>(index));
}

void CGMBinaryEncoder::PtranspcellcolrD(int flag, const SbColor &color) {
    PWriteHeader(3, 20, 2 + 3 * colorPrecision);
    PWriteEnum(static_cast<unsigned>(flag));
    PWriteColorD(cgmComponent255(color[0]), cgmComponent255(color[1]), cgmComponent255(color[2]));
}

// Graphical primitives.

void CGMBinaryEncoder::Pline(int n, const SbVec4f *points) {
    pointList(1, n, points);
}
void CGMBinaryEncoder::Pmarker(int n, const SbVec4f *points) {
    pointList(3, n, points);
}
void CGMBinaryEncoder::Ppolygon(int n, const SbVec4f *points) {
    pointList(7, n, points);
}

void CGMBinaryEncoder::Ptext010(const SbVec4f &position, int final, const char *text) {
    PWriteHeader(4, 4, PStrLen(text) + 2 * vdcSize() + 2);
    PWritePoint(position);
    PWriteEnum(static_cast<unsigned>(final));
    PWriteString(text);
}

void CGMBinaryEncoder::Pcellarray(const SbVec4f &p, const SbVec4f &q, const SbVec4f &r, int nx,
                                  int ny, const int *indexes, const SbColor *colors) {
    const int cellSize = colorSize();
    const int rowBytes = nx * cellSize;
    // Every row starts on a word: an odd row is followed by one 0 byte.
    const int rowPad = rowBytes & 1;
    PWriteHeader(4, 9, 6 * vdcSize() + 3 * integerPrecision + 2 + ny * (rowBytes + rowPad));
    PWritePoint(p);
    PWritePoint(q);
    PWritePoint(r);
    PWriteInt(static_cast<unsigned>(nx));
    PWriteInt(static_cast<unsigned>(ny));
    PWriteInt(static_cast<unsigned>(8 * (colorMode == 0 ? colorIndexPrecision : colorPrecision)));
    PWriteEnum(1); // packed list
    for (int row = 0; row < ny; row++) {
        for (int column = 0; column < nx; column++) {
            const int k = row * nx + column;
            writeColor(indexes[k], colors[k]);
        }
        if (rowPad) PWriteChar(0);
    }
}

// Attributes.

void CGMBinaryEncoder::Plinetype(int type) {
    PWriteHeader(5, 2, indexPrecision);
    PWriteIndex(type);
}

void CGMBinaryEncoder::Plinewidth(double width) {
    PWriteHeader(5, 3, sizeLength(lineWidthMode));
    writeSize(lineWidthMode, width);
}

void CGMBinaryEncoder::Plinecolr(int index, const SbColor &color) {
    colorElement(4, index, color);
}

void CGMBinaryEncoder::Pmarkertype(int type) {
    PWriteHeader(5, 6, indexPrecision);
    PWriteIndex(type);
}

void CGMBinaryEncoder::Pmarkersize(double size) {
    PWriteHeader(5, 7, sizeLength(markerSizeMode));
    writeSize(markerSizeMode, size);
}

void CGMBinaryEncoder::Pmarkercolr(int index, const SbColor &color) {
    colorElement(8, index, color);
}

void CGMBinaryEncoder::Ptextfontindex(int index) {
    PWriteHeader(5, 10, indexPrecision);
    PWriteIndex(index);
}

void CGMBinaryEncoder::Ptextprec(int precision) {
    PWriteHeader(5, 11, 2);
    PWriteEnum(static_cast<unsigned>(precision));
}

void CGMBinaryEncoder::Pcharexpan(double factor) {
    PWriteHeader(5, 12, realSize());
    PWriteReal(factor);
}

void CGMBinaryEncoder::Pcharspace(double spacing) {
    PWriteHeader(5, 13, realSize());
    PWriteReal(spacing);
}

void CGMBinaryEncoder::Ptextcolr(int index, const SbColor &color) {
    colorElement(14, index, color);
}

void CGMBinaryEncoder::Pcharheight(double height) {
    PWriteHeader(5, 15, vdcSize());
    PWriteVDC(height);
}

void CGMBinaryEncoder::Pcharori(double upX, double upY, double baseX, double baseY) {
    PWriteHeader(5, 16, 4 * vdcSize());
    PWriteVDC(upX);
    PWriteVDC(upY);
    PWriteVDC(baseX);
    PWriteVDC(baseY);
}

void CGMBinaryEncoder::Ptextpath(int path) {
    PWriteHeader(5, 17, 2);
    PWriteEnum(static_cast<unsigned>(path));
}

void CGMBinaryEncoder::Ptextjustif(int horizontal) {
    // Horizontal alignment, normal vertical alignment, no continuous alignment.
    PWriteHeader(5, 18, 2 * realSize() + 4);
    PWriteEnum(static_cast<unsigned>(horizontal));
    PWriteEnum(0);
    PWriteReal(0.0);
    PWriteReal(0.0);
}

void CGMBinaryEncoder::Pintstyle(int style) {
    PWriteHeader(5, 22, 2);
    PWriteEnum(static_cast<unsigned>(style));
}

void CGMBinaryEncoder::Pfillcolr(int index, const SbColor &color) {
    colorElement(23, index, color);
}

void CGMBinaryEncoder::Ppatindex(int index) {
    PWriteHeader(5, 25, indexPrecision);
    PWriteIndex(index);
}

void CGMBinaryEncoder::Pedgevis(int flag) {
    PWriteHeader(5, 30, 2);
    PWriteEnum(static_cast<unsigned>(flag));
}

void CGMBinaryEncoder::Ppattable(int index, const int *indexes, const SbColor *colors) {
    PWriteHeader(5, 32, indexPrecision + 3 * integerPrecision + 1024 * colorSize());
    PWriteIndex(index);
    PWriteInt(32);
    PWriteInt(32);
    PWriteInt(0); // the default colour precision
    for (int k = 0; k < 1024; k++)
        writeColor(indexes[k], colors[k]);
}

void CGMBinaryEncoder::Ppatsize(double heightX, double heightY, double widthX, double widthY) {
    PWriteHeader(5, 33, 4 * vdcSize());
    PWriteVDC(heightX);
    PWriteVDC(heightY);
    PWriteVDC(widthX);
    PWriteVDC(widthY);
}

void CGMBinaryEncoder::Pcolrtable(int start, int n, const SbColor *colors255) {
    if (n < 0) n = 0;
    PWriteHeader(5, 34, colorIndexPrecision + 3 * n * colorPrecision);
    PWriteColorI(static_cast<unsigned>(start));
    for (int i = 0; i < n; i++) {
        int c[3];
        for (int k = 0; k < 3; k++) {
            const float v = colors255[i][k];
            c[k] = v >= 255.0f ? 255 : (v > 0.0f ? static_cast<int>(v) : 0);
        }
        PWriteColorD(c[0], c[1], c[2]);
    }
}
