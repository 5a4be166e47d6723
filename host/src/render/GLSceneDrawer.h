// The traversal that turns a scene's primitives into OpenGL immediate-mode drawing, for
// SoOffscreenRenderer.
#ifndef SCENE_RENDER_GLSCENEDRAWER_H
#define SCENE_RENDER_GLSCENEDRAWER_H

#include <GL/gl.h>

#include "scene/actions/SoCallbackAction.h"
#include "scene/elements/SoMaterialElement.h"

class SoNode;
class SoPrimitiveVertex;

namespace scene_detail {

// Applies a callback action to a scene and draws every triangle, line segment and point that its
// shapes generate into the OpenGL context current on the calling thread. The caller has cleared
// the buffers and set the viewport; the drawer sets everything else it relies on.
//
// The state that holds for a whole shape (matrices, draw style, light model, lights, widths and
// pattern) is read and sent to OpenGL when the shape's first primitive arrives, so that what a
// shape pushes around its own primitive generation (a vertex property node) is seen. Primitives
// of one kind are sent in one glBegin/glEnd run, closed when the kind changes and after each
// shape.
class GLSceneDrawer {
public:
    explicit GLSceneDrawer(const SbViewportRegion &region);
    GLSceneDrawer(const GLSceneDrawer &) = delete;
    GLSceneDrawer &operator=(const GLSceneDrawer &) = delete;

    void draw(SoNode *scene);

private:
    static SoCallbackAction::Response shapeStartCB(void *data, SoCallbackAction *action,
                                                   const SoNode *node);
    static SoCallbackAction::Response shapeEndCB(void *data, SoCallbackAction *action,
                                                 const SoNode *node);
    static void triangleCB(void *data, SoCallbackAction *action, const SoPrimitiveVertex *v1,
                           const SoPrimitiveVertex *v2, const SoPrimitiveVertex *v3);
    static void segmentCB(void *data, SoCallbackAction *action, const SoPrimitiveVertex *v1,
                          const SoPrimitiveVertex *v2);
    static void pointCB(void *data, SoCallbackAction *action, const SoPrimitiveVertex *v);

    // Sends the state of the current shape, once per shape.
    void prepareShape(SoCallbackAction *action);
    // Opens a glBegin run of `mode` (closing another kind first); faces are lit when the shape's
    // light model asks for it, lines and points never.
    void beginRun(GLenum mode);
    void endRun();
    void sendVertex(SoCallbackAction *action, const SoPrimitiveVertex *v);

    SbViewportRegion region;
    int maxLights = 8;
    int enabledLights = 0;
    bool shapeReady = false;
    bool shapeVisible = true;
    bool shapeLit = false;
    int shapeDrawStyle = 0;
    bool runOpen = false;
    GLenum runMode = GL_TRIANGLES;
    bool runLit = false;
    // The material last sent with glMaterial, to send only changes.
    bool haveMaterial = false;
    SoMaterialElement::Material lastMaterial{};
};

} // namespace scene_detail

#endif
