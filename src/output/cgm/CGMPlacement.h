#ifndef SCRIVANE_CGMPLACEMENT_H
#define SCRIVANE_CGMPLACEMENT_H
// Where a point of the drawing goes in VDC space (page millimetres), for both encodings.
//
// The page offsets are added first (getOffsetX(), getOffsetY()), which gives the point on an
// upright page. On a landscape page that point is then turned a quarter turn about the page
// frame, the way the PostScript writer turns its page ("90 rotate" after moving to the frame):
// the drawing's x axis runs up the sheet and its y axis to the left, and the frame that starts
// at (x0, y0) with size (w, h) covers x from y0 to y0 + h and y from x0 to x0 + w. So an upright
// page point (X, Y) goes to (y0 + h - (Y - y0), X) = (turnX - Y, X) with turnX = 2 y0 + h.
#include "scene/base/SbVec2f.h"

struct CGMPlacement {
    float offsetX = 0.0f, offsetY = 0.0f;
    int landscape = 0;
    float turnX = 0.0f;

    // A point of the drawing (millimetres from the drawing area's lower-left corner).
    SbVec2f place(float x, float y) const { return turn(offsetX + x, offsetY + y); }
    // A point of the upright page (offsets already added).
    SbVec2f turn(float pageX, float pageY) const {
        return landscape ? SbVec2f(turnX - pageY, pageX) : SbVec2f(pageX, pageY);
    }
    // A direction (a vector, not a point): turned, never moved. A zero component of the turned
    // vector is +0 (0 - dy, dx + 0), so that it is never written as "-0".
    SbVec2f direction(float dx, float dy) const {
        return landscape ? SbVec2f(0.0f - dy, dx + 0.0f) : SbVec2f(dx, dy);
    }
};

#endif
