// The base print operations: a plain-text trace on standard output, used only by formats that
// do not override them. A colour is printed as its packed value 0xRRGGBBAA with the upper 8 bits
// cleared, that is green, blue and alpha (FF for an opaque colour): pure red prints as 0000FF.
#include <cstdio>
#include "scene/nodes/SoMarkerSet.h"
#include "scrivane/SoVectorizeAction.h"

namespace {
unsigned rgbOf(const SbColor &c) { return c.getPackedValue(0) & 0x00FFFFFFu; }
} // namespace

void SoVectorizeAction::printPolyLine(const SbVec4f *points, int n, const SbColor *colors, int multiColor,
                                      float thickness, unsigned short pattern) {
    if (multiColor) {
        printf("Multicolor Line drawing  (thickness : %f , pattern : %04X)\n", thickness, pattern);
        for (int i = 0; i < n; i++) printf("      (%-2.2f - %-2.2f)  color = %06X\n", points[i][0], points[i][1], rgbOf(colors[i]));
    } else {
        printf("Unicolor Line drawing  (thickness : %f , pattern : %04X , color = %06X)\n", thickness, pattern,
               rgbOf(colors[0]));
        for (int i = 0; i < n; i++) printf("      (%-2.2f - %-2.2f)\n", points[i][0], points[i][1]);
    }
}

void SoVectorizeAction::printPolyMark(const SbVec4f *points, int n, const SbColor *colors, int multiColor,
                                      float size) {
    if (multiColor) {
        printf("Multicolor Point drawing (size : %f)\n", size);
        for (int i = 0; i < n; i++) printf("      (%-2.2f - %-2.2f)  color = %06X\n", points[i][0], points[i][1], rgbOf(colors[i]));
    } else {
        printf("Unicolor Point drawing  (size : %f, color = %06X)\n", size, rgbOf(colors[0]));
        for (int i = 0; i < n; i++) printf("      (%-2.2f - %-2.2f)\n", points[i][0], points[i][1]);
    }
}

void SoVectorizeAction::printPolyMark(const SbVec4f *points, int n, const SbColor *colors, int multiColor,
                                      SoMarkerSet *markerSet) {
    if (!multiColor) printf("Unicolor Point drawing  (color = %06X)\n", rgbOf(colors[0]));
    int numIndices = markerSet->markerIndex.getNum();
    for (int i = 0; i < n; i++) {
        int index = numIndices > 0 ? markerSet->markerIndex[i % numIndices] : 0;
        SbVec2s size;
        const unsigned char *bytes;
        SbBool lsbFirst;
        if (!SoMarkerSet::getMarker(index, size, bytes, lsbFirst)) continue;
        if (multiColor)
            printf("      (%-2.2f - %-2.2f)  color = %06X size = (%dx%d pixels)\n", points[i][0], points[i][1],
                   rgbOf(colors[i]), size[0], size[1]);
        else
            printf("      (%-2.2f - %-2.2f) size = (%dx%d pixels)\n", points[i][0], points[i][1], size[0], size[1]);
    }
}

void SoVectorizeAction::printPolygon(const SbVec4f *points, int n, const SbColor *colors, SbString, SbString,
                                     const unsigned char *) {
    printf("Unicolor Polygon drawing  (color = %06X)\n", rgbOf(colors[0]));
    for (int i = 0; i < n; i++) printf("(%-2.2f - %-2.2f)\n", points[i][0], points[i][1]);
}

void SoVectorizeAction::printImage(const SbVec4f &origin, const unsigned char *, SbVec2s &sourceSize,
                                   SbVec2s &requestedSize, int numComponents, SoImage::HorAlignment horAlign,
                                   SoImage::VertAlignment vertAlign) {
    printf("Image :\n");
    printf("\tOrigin = %f %f\n\tSource Size = %d %d\n\tRequested Size = %d %d\n", origin[0], origin[1],
           sourceSize[0], sourceSize[1], requestedSize[0], requestedSize[1]);
    printf("\tNum components = %d\n", numComponents);
    printf("\tHor Align = %d Vert Align = %d\n", static_cast<int>(horAlign), static_cast<int>(vertAlign));
}

void SoVectorizeAction::printText2(SbVec4f position, SbColor color, const char *fontName, float fontSize,
                                   const char *text, int justification, float angle) {
    printf("Text 2D color : %06X\n", rgbOf(color));
    printf("Text origin = %-2.2f - %-2.2f\n", position[0], position[1]);
    printf("font_name=%s font_size=%f string=%s justif=%d angle=%f\n", fontName, fontSize, text, justification,
           angle);
}
