// OpenGL fixed-function lights from the lights of the traversal state, for SoOffscreenRenderer.
#ifndef SCENE_RENDER_GLLIGHTS_H
#define SCENE_RENDER_GLLIGHTS_H

class SoState;

namespace scene_detail {

// Loads the lights of SoLightElement into GL_LIGHT0 onwards (at most maxLights of them, in list
// order), the environment's ambient light into the light model, and the environment's
// attenuation into every point and spot light. Each light's position and direction are given
// under its own matrix from the light element (model x viewing where the light was traversed),
// so OpenGL carries them into the same eye space as the shapes. Lights that are neither
// directional, point nor spot lights are skipped.
//
// Leaves the model-view matrix changed and the matrix mode GL_MODELVIEW: the caller loads the
// shape's matrix afterwards. Lights enabled by an earlier call beyond the new count are disabled;
// `enabledCount` carries that count from one call to the next.
void loadGLLights(SoState *state, int maxLights, int &enabledCount);

} // namespace scene_detail

#endif
