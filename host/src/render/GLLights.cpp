// Scene lights as OpenGL lights.
//
// OpenGL transforms a light's position and spot direction by the model-view matrix in force when
// they are given; the light element's matrix is exactly the transform into eye space that the
// shapes get, so it is loaded as the model-view matrix and the node's own values are passed
// unchanged. A light contributes colour x intensity to the diffuse and specular terms and nothing
// of its own to the ambient term: the ambient light is the environment's, in the light model.
#include "GLLights.h"

#include <GL/gl.h>

#include <algorithm>

#include "scene/elements/SoEnvironmentElement.h"
#include "scene/elements/SoLightElement.h"
#include "scene/nodes/SoDirectionalLight.h"
#include "scene/nodes/SoPointLight.h"
#include "scene/nodes/SoSpotLight.h"

namespace scene_detail {

namespace {

constexpr float kRadiansToDegrees = 57.29577951308232f;

// GL_SPOT_CUTOFF accepts 0 to 90 degrees, or 180 for no cone: a cone wider than a half space
// lights everything in front of it and beyond, so it becomes no cone at all.
float spotCutoffDegrees(float radians) {
    const float degrees = radians * kRadiansToDegrees;
    if (!(degrees >= 0.0f)) return 0.0f;
    return degrees > 90.0f ? 180.0f : degrees;
}

// Sets the parts of light `id` that every kind shares; `position` has w 0 for a direction.
void setLightBasics(GLenum id, const SoLight *light, const GLfloat position[4]) {
    const SbColor c = light->color.getValue() * light->intensity.getValue();
    const GLfloat color[4] = {c[0], c[1], c[2], 1.0f};
    const GLfloat black[4] = {0.0f, 0.0f, 0.0f, 1.0f};
    glLightfv(id, GL_AMBIENT, black);
    glLightfv(id, GL_DIFFUSE, color);
    glLightfv(id, GL_SPECULAR, color);
    glLightfv(id, GL_POSITION, position);
}

void setAttenuation(GLenum id, const SbVec3f &constantLinearSquared) {
    glLightf(id, GL_CONSTANT_ATTENUATION, constantLinearSquared[0]);
    glLightf(id, GL_LINEAR_ATTENUATION, constantLinearSquared[1]);
    glLightf(id, GL_QUADRATIC_ATTENUATION, constantLinearSquared[2]);
}

// Loads one light into `id`; false when the node is no kind of light this renderer knows.
bool loadLight(GLenum id, const SoNode *node, const SbVec3f &attenuation) {
    if (node->isOfType(SoDirectionalLight::getClassTypeId())) {
        const SoDirectionalLight *light = static_cast<const SoDirectionalLight *>(node);
        // OpenGL's directional position points toward the light: against the light's direction.
        const SbVec3f d = light->direction.getValue();
        const GLfloat position[4] = {-d[0], -d[1], -d[2], 0.0f};
        setLightBasics(id, light, position);
        glLightf(id, GL_SPOT_CUTOFF, 180.0f);
        setAttenuation(id, SbVec3f(1.0f, 0.0f, 0.0f));
        return true;
    }
    if (node->isOfType(SoPointLight::getClassTypeId())) {
        const SoPointLight *light = static_cast<const SoPointLight *>(node);
        const SbVec3f p = light->location.getValue();
        const GLfloat position[4] = {p[0], p[1], p[2], 1.0f};
        setLightBasics(id, light, position);
        glLightf(id, GL_SPOT_CUTOFF, 180.0f);
        setAttenuation(id, attenuation);
        return true;
    }
    if (node->isOfType(SoSpotLight::getClassTypeId())) {
        const SoSpotLight *light = static_cast<const SoSpotLight *>(node);
        const SbVec3f p = light->location.getValue();
        const SbVec3f d = light->direction.getValue();
        const GLfloat position[4] = {p[0], p[1], p[2], 1.0f};
        const GLfloat direction[3] = {d[0], d[1], d[2]};
        setLightBasics(id, light, position);
        glLightfv(id, GL_SPOT_DIRECTION, direction);
        glLightf(id, GL_SPOT_EXPONENT,
                 std::clamp(light->dropOffRate.getValue() * 128.0f, 0.0f, 128.0f));
        glLightf(id, GL_SPOT_CUTOFF, spotCutoffDegrees(light->cutOffAngle.getValue()));
        setAttenuation(id, attenuation);
        return true;
    }
    return false;
}

} // namespace

void loadGLLights(SoState *state, int maxLights, int &enabledCount) {
    const float ambientIntensity = SoEnvironmentElement::getAmbientIntensity(state);
    const SbColor ambient = SoEnvironmentElement::getAmbientColor(state) * ambientIntensity;
    const GLfloat ambientRGBA[4] = {ambient[0], ambient[1], ambient[2], 1.0f};
    glLightModelfv(GL_LIGHT_MODEL_AMBIENT, ambientRGBA);
    const SbVec3f attenuation = SoEnvironmentElement::getLightAttenuation(state);

    const SoNodeList &lights = SoLightElement::getLights(state);
    glMatrixMode(GL_MODELVIEW);
    int count = 0;
    for (int i = 0; i < lights.getLength() && count < maxLights; i++) {
        const GLenum id = static_cast<GLenum>(GL_LIGHT0 + count);
        glLoadMatrixf(&SoLightElement::getMatrix(state, i)[0][0]);
        if (!loadLight(id, lights[i], attenuation)) continue;
        glEnable(id);
        count++;
    }
    for (int i = count; i < enabledCount; i++)
        glDisable(static_cast<GLenum>(GL_LIGHT0 + i));
    enabledCount = count;
}

} // namespace scene_detail
