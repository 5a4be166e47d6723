// One light of the current light list, as the library's lighting uses it: the node's values with
// its position and direction already carried into eye space by the light's matrix. The action
// owns one record per light in its lightData list (built by computeLightList, deleted by
// deleteLightsList).
#ifndef SCRIVANE_COLOR_LIGHTRECORD_H
#define SCRIVANE_COLOR_LIGHTRECORD_H
#include "scene/base/SbColor.h"
#include "scene/base/SbVec3f.h"

struct LightRecord {
    enum Type { DIRECTIONAL = 0, POINT = 1, SPOT = 2 };
    // 0 directional, 1 point, 2 spot (every light that is neither directional nor point).
    int lightType = DIRECTIONAL;
    float intensity = 1.0f;
    SbColor color{1, 1, 1};
    // Directional and spot lights: the node's direction turned into eye space and normalized.
    // Point lights: scratch, rewritten for each lit vertex with the unit vector from the light to
    // the vertex.
    SbVec3f direction{0, 0, -1};
    // Point and spot lights: the node's location in eye space.
    SbVec3f location{0, 0, 0};
    // Spot lights: drop-off rate and cut-off angle (radians) of the node.
    float dropOffRate = 0.0f;
    float cutOffAngle = 0.0f;
};

#endif
