// Colour translation from screen to paper, the unlit material colour, and pen assignment.
#include <algorithm>
#include "scene/actions/SoCallbackAction.h"
#include "capture/ShapeState.h"
#include "clip/ClipSupport.h"
#include "scrivane/SoVectorizeAction.h"

void SoVectorizeAction::setColorTranslationMethod(ColorTranslationMethod method) {
    colorTranslationMethod = method;
}

SoVectorizeAction::ColorTranslationMethod SoVectorizeAction::getColorTranslationMethod() const {
    return colorTranslationMethod;
}

SbColor SoVectorizeAction::translateColor(SbColor c) const {
    switch (colorTranslationMethod) {
    case SWAP_BLACK_AND_WHITE:
        // Exact comparisons: only pure black and pure white change places.
        if (c[0] == 0.0f && c[1] == 0.0f && c[2] == 0.0f) return SbColor(1, 1, 1);
        if (c[0] == 1.0f && c[1] == 1.0f && c[2] == 1.0f) return SbColor(0, 0, 0);
        return c;
    case INVERT_COLORS: return SbColor(1.0f - c[0], 1.0f - c[1], 1.0f - c[2]);
    default: return c;
    }
}

SbColor SoVectorizeAction::getColor(SoCallbackAction *action, int materialIndex, int &invisible) {
    if (shapeState->valid) {
        shapeState->material(action, materialIndex);
        invisible = (shapeState->transparency == 1.0f) ? 1 : 0;
        return translateColor(shapeState->diffuse);
    }
    SbColor ambient, diffuse, specular, emissive;
    float shininess, transparency;
    action->getMaterial(ambient, diffuse, specular, emissive, shininess, transparency, materialIndex);
    invisible = (transparency == 1.0f) ? 1 : 0;
    if (!scrivane_clip::isFiniteColor(diffuse)) {
        diffuse.setValue(0, 0, 0);
        nonFiniteCounts.colors++;
    }
    return translateColor(diffuse);
}

namespace {
const SbColor palette8[8] = {SbColor(1, 1, 1), SbColor(0, 0, 0), SbColor(1, 0, 0), SbColor(0, 1, 0),
                             SbColor(1, 1, 0), SbColor(0, 0, 1), SbColor(1, 0, 1), SbColor(0, 1, 1)};

float colorDistance(const SbColor &a, const SbColor &b) {
    float dr = a[0] - b[0], dg = a[1] - b[1], db = a[2] - b[2];
    return dr * dr + dg * dg + db * db;
}
} // namespace

void SoVectorizeAction::setPenDescription(int numPens, const SbColor *colors, const float *widths,
                                          DimensionUnit unit) {
    penNum = numPens;
    if (numPens <= 0) {
        penNum = 0;
        return;
    }
    if (penNum > 256) penNum = 256;
    // Without colours the pens take the 2-, 4- or 8-colour default palette.
    if (!colors) penNum = (numPens <= 2) ? 2 : (numPens <= 4) ? 4 : 8;
    delete[] penColors;
    delete[] penWidths;
    penColors = new SbColor[static_cast<size_t>(penNum)];
    penWidths = new float[static_cast<size_t>(penNum)];
    for (int i = 0; i < penNum; i++) {
        penColors[i] = colors ? colors[i] : palette8[i];
        // Pens without a given width take the default width (1/72 inch).
        penWidths[i] = 0.35277778f;
        if (widths && i < numPens) penWidths[i] = widths[i] * unitsToMillimeters(1.0f, unit);
    }
}

void SoVectorizeAction::getPenDescription(SbColor *colors, float *widths, DimensionUnit unit) const {
    if (getPenNum() == 0) return;
    for (int i = 0; i < penNum; i++) {
        if (colors) colors[i] = penColors[i];
        if (widths) widths[i] = penWidths[i] / unitsToMillimeters(1.0f, unit);
    }
}

int SoVectorizeAction::getPenNum() const { return penNum; }
void SoVectorizeAction::setColorPriority(int priority) { colorPriority = priority; }
int SoVectorizeAction::getColorPriority() const { return colorPriority; }

void SoVectorizeAction::penAssignment(SbColor color, float width, int *pen, float *penWidth) {
    if (penNum == 0) {
        *pen = 0;
        *penWidth = width;
        return;
    }
    int candidates[256] = {};
    int count = 0;
    if (colorPriority) {
        for (int i = 0; i < penNum; i++)
            if (penColors[i] == color) candidates[count++] = i;
        if (count == 0) {
            float best = 1.0e30f;
            for (int i = 0; i < penNum; i++) best = std::min(best, colorDistance(penColors[i], color));
            for (int i = 0; i < penNum; i++)
                if (colorDistance(penColors[i], color) == best) candidates[count++] = i;
        }
        int chosen = candidates[0];
        if (count > 1) {
            // The widest pen not wider than asked for; failing that, the thinnest.
            int widest = -1;
            for (int k = 0; k < count; k++) {
                float w = penWidths[candidates[k]];
                if (w > 0.0f && w <= width && (widest < 0 || w > penWidths[widest])) widest = candidates[k];
            }
            if (widest < 0) {
                widest = candidates[0];
                for (int k = 1; k < count; k++)
                    if (penWidths[candidates[k]] < penWidths[widest]) widest = candidates[k];
            }
            chosen = widest;
        }
        *pen = chosen;
    } else {
        for (int i = 0; i < penNum; i++)
            if (penWidths[i] == width) candidates[count++] = i;
        if (count == 0) {
            float below = -1.0f;
            for (int i = 0; i < penNum; i++)
                if (penWidths[i] < width && penWidths[i] > below) below = penWidths[i];
            for (int i = 0; i < penNum && below >= 0.0f; i++)
                if (penWidths[i] == below) candidates[count++] = i;
        }
        if (count == 0) {
            float smallest = penWidths[0];
            for (int i = 1; i < penNum; i++) smallest = std::min(smallest, penWidths[i]);
            for (int i = 0; i < penNum; i++)
                if (penWidths[i] == smallest) candidates[count++] = i;
        }
        int chosen = candidates[0];
        float best = colorDistance(penColors[chosen], color);
        for (int k = 1; k < count; k++) {
            float d = colorDistance(penColors[candidates[k]], color);
            if (d < best) {
                best = d;
                chosen = candidates[k];
            }
        }
        *pen = chosen;
    }
    *penWidth = penWidths[*pen];
}
