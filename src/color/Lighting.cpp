// The library's own lighting of triangle vertices: a Phong-style model in eye space (the view
// reference coordinates of the coordinate pipeline), from the material, the environment and the
// lights of the traversal state, with the viewer at infinity along +z. Used for faces only, when
// lighting is enabled and the state asks for the lit model; the result goes through the colour
// translation like every colour.
//
// The light records are built once per distinct light list: the list of the state is compared
// node by node and matrix by matrix with the cached one, and only a different list rebuilds
// them. The matrices count because one light node reached under another transformation or
// another camera lights from another direction.
#include "LightRecord.h"
#include "capture/ShapeState.h"
#include "clip/ClipSupport.h"
#include "scene/actions/SoCallbackAction.h"
#include "scene/elements/SoEnvironmentElement.h"
#include "scene/elements/SoLightElement.h"
#include "scene/misc/SoPrimitiveVertex.h"
#include "scene/misc/SoState.h"
#include "scene/nodes/SoDirectionalLight.h"
#include "scene/nodes/SoPointLight.h"
#include "scene/nodes/SoSpotLight.h"
#include "scrivane/SoVectorizeAction.h"
#include <cmath>

namespace {

// Scales v to unit length like SbVec3f::normalize, in double precision when its squared length
// leaves the float range (the normals of a scene scaled by 10^30 would otherwise become zero).
void normalizeWide(SbVec3f &v) {
    const float squared = v.sqrLength();
    if (squared >= 1e-30f && squared <= 1e30f) {
        v.normalize();
        return;
    }
    const double x = v[0], y = v[1], z = v[2];
    const double length = std::sqrt(x * x + y * y + z * z);
    if (length > 0.0 && std::isfinite(length))
        v.setValue(float(x / length), float(y / length), float(z / length));
}

SbColor product(const SbColor &a, const SbColor &b) {
    return SbColor(a[0] * b[0], a[1] * b[1], a[2] * b[2]);
}

// The direction turned by the upper-left 3x3 block of the light's matrix, then normalized.
SbVec3f turnDirection(const SbMatrix &m, const SbVec3f &d) {
    SbVec3f turned(d[0] * m[0][0] + d[1] * m[1][0] + d[2] * m[2][0],
                   d[0] * m[0][1] + d[1] * m[1][1] + d[2] * m[2][1],
                   d[0] * m[0][2] + d[1] * m[1][2] + d[2] * m[2][2]);
    normalizeWide(turned);
    return turned;
}

// (x, y, z, 1) through the whole matrix, keeping x, y, z without dividing by w.
SbVec3f placeLocation(const SbMatrix &m, const SbVec3f &p) {
    return SbVec3f(p[0] * m[0][0] + p[1] * m[1][0] + p[2] * m[2][0] + m[3][0],
                   p[0] * m[0][1] + p[1] * m[1][1] + p[2] * m[2][1] + m[3][1],
                   p[0] * m[0][2] + p[1] * m[1][2] + p[2] * m[2][2] + m[3][2]);
}

} // namespace

void SoVectorizeAction::deleteLightsList() {
    lightNodes.truncate(0);
    lightMatrices.clear();
    for (int i = 0; i < lightData.getLength(); i++)
        delete static_cast<LightRecord *>(lightData[i]);
    lightData.truncate(0);
}

bool SoVectorizeAction::sameLightMatrices(SoState *state) const {
    for (size_t i = 0; i < lightMatrices.size(); i++)
        if (!(SoLightElement::getMatrix(state, static_cast<int>(i)) == lightMatrices[i]))
            return false;
    return true;
}

void SoVectorizeAction::computeLightList(SoState *state) {
    const SoNodeList &lights = SoLightElement::getLights(state);
    if (lights == lightNodes && sameLightMatrices(state)) return;
    deleteLightsList();
    lightNodes = lights;
    for (int i = 0; i < lights.getLength(); i++) {
        const SoNode *node = lights[i];
        const SoLight *light = static_cast<const SoLight *>(node);
        LightRecord *record = new LightRecord;
        record->intensity = light->intensity.getValue();
        record->color = light->color.getValue();
        if (node->isOfType(SoDirectionalLight::getClassTypeId())) {
            record->lightType = LightRecord::DIRECTIONAL;
            record->direction = static_cast<const SoDirectionalLight *>(node)->direction.getValue();
        } else if (node->isOfType(SoPointLight::getClassTypeId())) {
            record->lightType = LightRecord::POINT;
            record->location = static_cast<const SoPointLight *>(node)->location.getValue();
        } else {
            record->lightType = LightRecord::SPOT;
            if (node->isOfType(SoSpotLight::getClassTypeId())) {
                const SoSpotLight *spot = static_cast<const SoSpotLight *>(node);
                record->location = spot->location.getValue();
                record->direction = spot->direction.getValue();
                record->dropOffRate = spot->dropOffRate.getValue();
                record->cutOffAngle = spot->cutOffAngle.getValue();
            }
        }
        const SbMatrix &matrix = SoLightElement::getMatrix(state, i);
        lightMatrices.push_back(matrix);
        if (record->lightType != LightRecord::POINT)
            record->direction = turnDirection(matrix, record->direction);
        if (record->lightType != LightRecord::DIRECTIONAL)
            record->location = placeLocation(matrix, record->location);
        lightData.append(record);
    }
}

float SoVectorizeAction::getAttenuationFactor(const SoCallbackAction *action, const SbVec3f &a,
                                              const SbVec3f &b) {
    SoState *state = const_cast<SoCallbackAction *>(action)->getState();
    // Coefficients (k0, k1, k2) of k0 + k1 d + k2 d^2.
    const SbVec3f k = SoEnvironmentElement::getLightAttenuation(state);
    const float dist = (a - b).length();
    const float q = (dist * k[2] + k[1]) * dist + k[0];
    return q > 0.0f ? 1.0f / q : 1.0f;
}

SbColor SoVectorizeAction::getLightingColor(SoCallbackAction *action,
                                            const SoPrimitiveVertex *vertex, const SbVec4f &point,
                                            int &invisible) {
    // Within a shape, what the shape's vertices share was read once (ShapeState.h).
    scrivane_capture::ShapeState &shape = *shapeState;
    if (!shape.valid) {
        shape.read(action);
        computeLightList(action->getState());
    }
    shape.material(action, vertex->getMaterialIndex());
    const SbColor &ambient = shape.ambient, &diffuse = shape.diffuse, &specular = shape.specular;
    const float shininess = shape.shininess;
    if (shape.transparency == 1.0f) {
        // The caller still averages this colour into a triangle with visible vertices: it is the
        // unlit material colour, as getColor gives it.
        invisible = 1;
        return translateColor(diffuse);
    }
    invisible = 0;

    SbColor sum = shape.emissive + product(ambient, shape.environment);

    if (lightData.getLength() > 0) {
        // Both sides are lit when the faces' ordering is known and the shape is not solid.
        const bool twoSided = shape.twoSided;
        SbVec3f normal = vertex->getNormal();
        transformVecMCToVRC(action, normal);
        normalizeWide(normal);
        const SbVec3f p(point[0], point[1], point[2]);
        for (int i = 0; i < lightData.getLength(); i++) {
            LightRecord *light = static_cast<LightRecord *>(lightData[i]);
            if (light->lightType == LightRecord::POINT) {
                light->direction = p - light->location;
                normalizeWide(light->direction);
            }
            const float d = normal.dot(light->direction);
            float f;
            if (twoSided)
                f = std::fabs(d);
            else if (d >= 0.0f)
                continue; // the light is behind the face
            else
                f = -d;
            const SbColor lightColor = light->color * light->intensity;
            SbColor diffuseTerm = product(diffuse, lightColor) * f;

            float spot = 1.0f;
            if (light->lightType == LightRecord::SPOT) {
                SbVec3f v = p - light->location;
                normalizeWide(v);
                const float c = v.dot(light->direction);
                if (c <= 0.0f || c < std::cos(light->cutOffAngle)) continue; // outside the cone
                spot = std::pow(c, light->dropOffRate * 128.0f);
                diffuseTerm *= spot;
            }
            float attenuation = 1.0f;
            if (light->lightType != LightRecord::DIRECTIONAL) {
                attenuation = getAttenuationFactor(action, light->location, p);
                diffuseTerm *= attenuation;
            }

            // z of the light direction reflected about the normal; the viewer looks down -z.
            const float r = light->direction[2] - 2.0f * d * normal[2];
            SbColor specularTerm(0.0f, 0.0f, 0.0f);
            if (r > 0.0f) {
                specularTerm = product(specular, lightColor) * std::pow(r, shininess * 128.0f);
                if (light->lightType == LightRecord::SPOT) specularTerm *= spot;
                if (light->lightType != LightRecord::DIRECTIONAL) specularTerm *= attenuation;
            }
            sum += diffuseTerm;
            sum += specularTerm;
        }
    }

    // A normal or a light that is not finite lights nothing: the vertex prints black.
    if (!scrivane_clip::isFiniteColor(sum)) {
        sum.setValue(0, 0, 0);
        nonFiniteCounts.colors++;
    }
    for (int k = 0; k < 3; k++)
        if (sum[k] > 1.0f) sum[k] = 1.0f;
    // An overexposed white would become black under the black-and-white swap.
    if (colorTranslationMethod == SWAP_BLACK_AND_WHITE && sum == SbColor(1.0f, 1.0f, 1.0f))
        sum[2] = 0.9999f;
    return translateColor(sum);
}
