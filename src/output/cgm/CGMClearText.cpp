// Clear-text CGM: the text form of every element the writer emits, and the real formatter.
#include "output/cgm/CGMClearText.h"
#include <cmath>
#include <cstring>
#include "output/NumberFormat.h"
#include "output/cgm/CGMBinaryEncoder.h"

namespace CGMClearText {

char *appendReal(char *out, float value) {
    if (!std::isfinite(value)) value = 0.0f;
    char *const start = out;
    out = scrivane_format::general(out, value);
    for (char *c = start; c < out; c++)
        if (*c == '.') return out;
    for (char *c = start; c < out; c++) {
        if (*c == 'e') {
            // "1e-07" becomes "1.e-07".
            std::memmove(c + 1, c, static_cast<size_t>(out - c));
            *c = '.';
            return out + 1;
        }
    }
    *out++ = '.';
    return out;
}

const char *RSHORT(int slot, float value) {
    // One set of slots per thread, so that actions on two threads do not share them.
    thread_local char slots[5][20];
    if (slot < 0 || slot > 4) slot = 0;
    char *text = slots[slot];
    *appendReal(text, value) = '\0';
    return text;
}

const char *const fontTable[13] = {"Times-Roman",     "Times-Italic",          "Times-Bold",
                                   "Times-BoldItalic", "Helvetica",            "Helvetica-Oblique",
                                   "Helvetica-Bold",   "Helvetica-BoldOblique", "Courier",
                                   "Courier-Oblique",  "Courier-Bold",         "Courier-BoldOblique",
                                   "Symbol"};

int fontIndex(const char *name) {
    if (!name) return 0;
    for (int i = 0; i < 13; i++)
        if (std::strcmp(fontTable[i], name) == 0) return i + 1;
    return 0;
}

void quoted(FILE *fp, const char *text) {
    std::fputc('\'', fp);
    for (const char *c = text ? text : ""; *c; c++) {
        if (*c == '\'') std::fputc('\'', fp);
        std::fputc(*c, fp);
    }
    std::fputc('\'', fp);
}

namespace {
// An element whose only parameter is a string: "NAME 'text';\n".
void stringElement(FILE *fp, const char *name, const char *text) {
    std::fprintf(fp, "%s ", name);
    quoted(fp, text);
    std::fprintf(fp, ";\n");
}
} // namespace

void begmf(FILE *fp) { stringElement(fp, "BEGMF", "Scrivane CGM OUTPUT"); }
void endmf(FILE *fp) { std::fprintf(fp, "ENDMF;"); }
void begpic(FILE *fp) { stringElement(fp, "BEGPIC", "Clear Text Image from Scrivane"); }
void begpicbody(FILE *fp) { std::fprintf(fp, "BEGPICBODY;"); }
void endpic(FILE *fp) { std::fprintf(fp, "\nENDPIC;"); }
void mfversion(FILE *fp, int version) { std::fprintf(fp, "MFVERSION %d;\n", version); }
void mfdesc(FILE *fp) { stringElement(fp, "MFDESC", "Scrivane CGM METAFILE OUTPUT"); }
void mfelemlist(FILE *fp) { stringElement(fp, "MFELEMLIST", "DRAWINGPLUS"); }
void vdctype(FILE *fp) { std::fprintf(fp, "VDCTYPE REAL;\n"); }

void precisions(FILE *fp) {
    std::fprintf(fp, "INTEGERPREC -32767 32767;\n");
    std::fprintf(fp, "REALPREC -32767. 32767. 8;\n");
    std::fprintf(fp, "INDEXPREC -32767 32767;\n");
    std::fprintf(fp, "COLRPREC 255;\n");
    std::fprintf(fp, "COLRINDEXPREC 255;\n");
    std::fprintf(fp, "COLRVALUEEXT 0 0 0 255 255 255;\n");
    std::fprintf(fp, "MAXCOLRINDEX 255;\n");
}

void fontlist(FILE *fp) {
    std::fprintf(fp, "FONTLIST\n");
    for (int i = 0; i < 13; i++) {
        quoted(fp, fontTable[i]);
        std::fprintf(fp, i < 12 ? ",\n" : ";\n");
    }
}

void scalemode(FILE *fp) { std::fprintf(fp, "SCALEMODE METRIC 1.;\n"); }

void widthmodes(FILE *fp) {
    std::fprintf(fp, "LINEWIDTHMODE ABS;\n");
    std::fprintf(fp, "MARKERSIZEMODE ABS;\n");
    std::fprintf(fp, "EDGEWIDTHMODE ABS;\n");
}

void backcolr(FILE *fp, const SbColor &c) {
    std::fprintf(fp, "BACKCOLR %d %d %d;\n", cgmComponent255(c[0]), cgmComponent255(c[1]), cgmComponent255(c[2]));
}

void colrmode(FILE *fp, int indexed) { std::fprintf(fp, indexed ? "COLRMODE INDEXED;\n" : "COLRMODE DIRECT;\n"); }

void vdcext(FILE *fp, float x1, float y1, float x2, float y2) {
    std::fprintf(fp, "VDCEXT %s %s %s %s;\n", RSHORT(0, x1), RSHORT(1, y1), RSHORT(2, x2), RSHORT(3, y2));
}

void lineedgetypedef(FILE *fp, int index, int n, const int *dashes) {
    std::fprintf(fp, "LINEEDGETYPEDEF %d 5.65 ", index);
    for (int i = 0; i < n; i++) std::fprintf(fp, "%d ", dashes[i]);
    std::fprintf(fp, ";\n");
}

void vdcrealprec(FILE *fp) { std::fprintf(fp, "VDCREALPREC -32767. 32767. 8;\n"); }
void edgevis(FILE *fp) { std::fprintf(fp, "EDGEVIS OFF;"); }

void cliprect(FILE *fp, float x1, float y1, float x2, float y2) {
    std::fprintf(fp, "CLIPRECT %s %s %s %s;\n", RSHORT(0, x1), RSHORT(1, y1), RSHORT(2, x2), RSHORT(3, y2));
}

void linecapJoin(FILE *fp, int cap, int join, float limit) {
    std::fprintf(fp, "LINECAP %d 1;\n", cap);
    std::fprintf(fp, "LINEJOIN %d;\n", join);
    std::fprintf(fp, "MITRELIMIT %f;\n", static_cast<double>(limit));
}

void transpcellcolr(FILE *fp, int on, int indexed, int index, const SbColor &c, int patternForm) {
    const char *flag = on ? "ON" : "OFF";
    if (indexed)
        std::fprintf(fp, patternForm ? "TRANSPCELLCOLR %s  %d;\n" : "TRANSPCELLCOLR %s %d;\n", flag, index);
    else
        std::fprintf(fp, "TRANSPCELLCOLR %s %d %d %d;\n", flag, cgmComponent255(c[0]), cgmComponent255(c[1]),
                     cgmComponent255(c[2]));
}

namespace {
// The element's name, then " x,y" (separator ',') or " x y" per point, six points a line.
void pointList(FILE *fp, const char *name, char separator, int n, const SbVec4f *points,
               const CGMPlacement &placement) {
    std::fprintf(fp, "%s\n", name);
    char line[6 * 2 * 24 + 8];
    char *out = line;
    for (int i = 0; i < n; i++) {
        const SbVec2f at = placement.place(points[i][0], points[i][1]);
        *out++ = ' ';
        out = appendReal(out, at[0]);
        *out++ = separator;
        out = appendReal(out, at[1]);
        if ((i + 1) % 6 == 0) {
            *out++ = '\n';
            std::fwrite(line, 1, static_cast<size_t>(out - line), fp);
            out = line;
        }
    }
    *out++ = ';';
    *out++ = '\n';
    std::fwrite(line, 1, static_cast<size_t>(out - line), fp);
}

void cellValue(FILE *fp, int indexed, int index, const SbColor &c) {
    if (indexed)
        std::fprintf(fp, " %d", index);
    else
        std::fprintf(fp, " %d %d %d", cgmComponent255(c[0]), cgmComponent255(c[1]), cgmComponent255(c[2]));
}
} // namespace

void line(FILE *fp, int n, const SbVec4f *points, const CGMPlacement &placement) {
    pointList(fp, "LINE", ',', n, points, placement);
}

void polygon(FILE *fp, int n, const SbVec4f *points, const CGMPlacement &placement) {
    pointList(fp, "POLYGON", ',', n, points, placement);
}

void marker(FILE *fp, int n, const SbVec4f *points, const CGMPlacement &placement) {
    pointList(fp, "MARKER", ' ', n, points, placement);
}

void text(FILE *fp, float x, float y, const char *string) {
    std::fprintf(fp, "TEXT %s %s FINAL\n", RSHORT(0, x), RSHORT(1, y));
    quoted(fp, string);
    std::fprintf(fp, ";\n");
}

void cellarray(FILE *fp, const SbVec4f &p, const SbVec4f &q, const SbVec4f &r, int nx, int ny, int indexed,
               const int *indexes, const SbColor *colors) {
    std::fprintf(fp, "CELLARRAY %s %s", RSHORT(0, p[0]), RSHORT(1, p[1]));
    std::fprintf(fp, " %s %s", RSHORT(0, q[0]), RSHORT(1, q[1]));
    std::fprintf(fp, " %s %s", RSHORT(0, r[0]), RSHORT(1, r[1]));
    std::fprintf(fp, " %d %d", nx, ny);
    std::fprintf(fp, " 0\n");
    const int count = nx * ny;
    for (int k = 0; k < count; k++) {
        cellValue(fp, indexed, indexes[k], colors[k]);
        if ((k + 1) % 20 == 0) std::fprintf(fp, "\n");
    }
    std::fprintf(fp, ";\n");
}

void linetype(FILE *fp, int type) { std::fprintf(fp, "LINETYPE %d;\n", type); }
void linewidth(FILE *fp, float width) { std::fprintf(fp, "LINEWIDTH %s;\n", RSHORT(0, width)); }

void colr(FILE *fp, const char *name, int indexed, int index, const SbColor &c) {
    // "NAME index;" or "NAME r g b;", built in one block: colours change at almost every
    // primitive of a lit scene.
    std::fputs(name, fp);
    char text[48];
    char *out = text;
    const int count = indexed ? 1 : 3;
    const int values[3] = {indexed ? index : cgmComponent255(c[0]), cgmComponent255(c[1]),
                           cgmComponent255(c[2])};
    for (int i = 0; i < count; i++) {
        *out++ = ' ';
        const long long value = values[i];
        if (value < 0) *out++ = '-';
        out = scrivane_format::digits(out, static_cast<unsigned long long>(value < 0 ? -value : value));
    }
    *out++ = ';';
    *out++ = '\n';
    std::fwrite(text, 1, static_cast<size_t>(out - text), fp);
}

void markertype(FILE *fp) { std::fprintf(fp, "MARKERTYPE 1;\n"); }
void markersize(FILE *fp, float size) { std::fprintf(fp, "MARKERSIZE %s;\n", RSHORT(0, size)); }
void textfontindex(FILE *fp, int index) { std::fprintf(fp, "TEXTFONTINDEX %d;\n", index); }

void textattributes(FILE *fp) {
    std::fprintf(fp, "TEXTPREC STROKE;\n");
    std::fprintf(fp, "TEXTPATH RIGHT;\n");
    std::fprintf(fp, "CHARSPACE 0.;\n");
    std::fprintf(fp, "CHAREXPAN 1.;\n");
}

void charheight(FILE *fp, float height) { std::fprintf(fp, "CHARHEIGHT %s;\n", RSHORT(0, height)); }

void charori(FILE *fp, float upX, float upY, float baseX, float baseY) {
    std::fprintf(fp, "CHARORI %s %s %s %s;\n", RSHORT(0, upX), RSHORT(1, upY), RSHORT(2, baseX), RSHORT(3, baseY));
}

void textalign(FILE *fp, const char *horizontal) { std::fprintf(fp, "TEXTALIGN %s NORMVERT 0. 0.;\n", horizontal); }
void intstyle(FILE *fp, int pattern) { std::fprintf(fp, pattern ? "INTSTYLE PAT;\n" : "INTSTYLE SOLID;\n"); }

void patsize(FILE *fp, float size) {
    std::fprintf(fp, "PATSIZE 0. %f %f 0.;\n", static_cast<double>(size), static_cast<double>(size));
}

void patsizeVectors(FILE *fp, float heightX, float heightY, float widthX, float widthY) {
    std::fprintf(fp, "PATSIZE %f %f %f %f;\n", static_cast<double>(heightX), static_cast<double>(heightY),
                 static_cast<double>(widthX), static_cast<double>(widthY));
}

void pattable(FILE *fp, int index, int indexed, const int *indexes, const SbColor *colors) {
    std::fprintf(fp, "PATTABLE %d 32 32 0 ", index);
    for (int k = 0; k < 1024; k++) {
        if (indexed)
            std::fprintf(fp, "%d ", indexes[k]);
        else
            std::fprintf(fp, "%d %d %d ", cgmComponent255(colors[k][0]), cgmComponent255(colors[k][1]),
                         cgmComponent255(colors[k][2]));
    }
    std::fprintf(fp, indexed ? " ;\n" : ";\n");
}

void patindex(FILE *fp, int index) { std::fprintf(fp, "PATINDEX %d;\n", index); }

void colrtable(FILE *fp, int n, const int (*rgb)[3]) {
    std::fprintf(fp, "COLRTABLE 0\n");
    for (int i = 0; i < n; i++) std::fprintf(fp, "%d %d %d\n", rgb[i][0], rgb[i][1], rgb[i][2]);
    std::fprintf(fp, ";\n");
}

} // namespace CGMClearText
