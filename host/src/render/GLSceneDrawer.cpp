// Scene primitives to OpenGL: per-shape state, then one vertex call sequence per primitive.
//
// The toolkit's matrices are for row vectors (p x M, translation in row 3). Stored row by row,
// their sixteen floats are in the order glLoadMatrixf reads a column-vector matrix column by
// column, so the same transform is loaded without transposing. The model-view matrix is model x
// viewing (model first), the projection the camera's, both from the traversal state.
#include "GLSceneDrawer.h"

#include <algorithm>

#include "GLLights.h"
#include "scene/elements/SoDrawStyleElement.h"
#include "scene/elements/SoLightModelElement.h"
#include "scene/elements/SoShapeHintsElement.h"
#include "scene/misc/SoPrimitiveVertex.h"
#include "scene/nodes/SoShape.h"

namespace scene_detail {

namespace {

enum DrawStyle { FILLED = 0, LINES = 1, POINTS = 2, INVISIBLE = 3 };
enum LightModel { BASE_COLOR = 0, PHONG = 1 };

bool sameMaterial(const SoMaterialElement::Material &a, const SoMaterialElement::Material &b) {
    return a.ambient == b.ambient && a.diffuse == b.diffuse && a.specular == b.specular &&
           a.emissive == b.emissive && a.shininess == b.shininess &&
           a.transparency == b.transparency;
}

void setMaterialColor(GLenum which, const SbColor &c, float alpha) {
    const GLfloat rgba[4] = {c[0], c[1], c[2], alpha};
    glMaterialfv(GL_FRONT_AND_BACK, which, rgba);
}

} // namespace

GLSceneDrawer::GLSceneDrawer(const SbViewportRegion &viewport) : region(viewport) {
    GLint lights = 8;
    glGetIntegerv(GL_MAX_LIGHTS, &lights);
    maxLights = std::max(0, static_cast<int>(lights));
}

void GLSceneDrawer::draw(SoNode *scene) {
    // Everything a shape does not set itself: no blending or culling, depth-tested, smooth
    // interpolation of per-vertex colours, normals renormalized after scaling transforms, and
    // colours that reach the buffer exactly (no dithering).
    glDisable(GL_BLEND);
    glDisable(GL_CULL_FACE);
    glDisable(GL_DITHER);
    glDisable(GL_TEXTURE_2D);
    glDisable(GL_FOG);
    glDisable(GL_ALPHA_TEST);
    glDisable(GL_COLOR_MATERIAL);
    glEnable(GL_DEPTH_TEST);
    glDepthFunc(GL_LESS);
    glDepthMask(GL_TRUE);
    glShadeModel(GL_SMOOTH);
    glEnable(GL_NORMALIZE);
    glLightModeli(GL_LIGHT_MODEL_LOCAL_VIEWER, GL_FALSE);
    for (int i = 0; i < maxLights; i++)
        glDisable(static_cast<GLenum>(GL_LIGHT0 + i));
    glDisable(GL_LIGHTING);
    enabledLights = 0;
    haveMaterial = false;
    if (!scene) return;

    SoCallbackAction action(region);
    const SoType shape = SoShape::getClassTypeId();
    action.addPreCallback(shape, shapeStartCB, this);
    action.addPostCallback(shape, shapeEndCB, this);
    action.addTriangleCallback(shape, triangleCB, this);
    action.addLineSegmentCallback(shape, segmentCB, this);
    action.addPointCallback(shape, pointCB, this);
    action.apply(scene);
    endRun();
}

SoCallbackAction::Response GLSceneDrawer::shapeStartCB(void *data, SoCallbackAction *,
                                                       const SoNode *) {
    GLSceneDrawer *self = static_cast<GLSceneDrawer *>(data);
    self->endRun();
    self->shapeReady = false;
    return SoCallbackAction::CONTINUE;
}

SoCallbackAction::Response GLSceneDrawer::shapeEndCB(void *data, SoCallbackAction *,
                                                     const SoNode *) {
    GLSceneDrawer *self = static_cast<GLSceneDrawer *>(data);
    self->endRun();
    self->shapeReady = false;
    return SoCallbackAction::CONTINUE;
}

void GLSceneDrawer::triangleCB(void *data, SoCallbackAction *action, const SoPrimitiveVertex *v1,
                               const SoPrimitiveVertex *v2, const SoPrimitiveVertex *v3) {
    GLSceneDrawer *self = static_cast<GLSceneDrawer *>(data);
    self->prepareShape(action);
    if (!self->shapeVisible) return;
    self->beginRun(GL_TRIANGLES);
    self->sendVertex(action, v1);
    self->sendVertex(action, v2);
    self->sendVertex(action, v3);
}

void GLSceneDrawer::segmentCB(void *data, SoCallbackAction *action, const SoPrimitiveVertex *v1,
                              const SoPrimitiveVertex *v2) {
    GLSceneDrawer *self = static_cast<GLSceneDrawer *>(data);
    self->prepareShape(action);
    if (!self->shapeVisible) return;
    self->beginRun(self->shapeDrawStyle == POINTS ? GL_POINTS : GL_LINES);
    self->sendVertex(action, v1);
    self->sendVertex(action, v2);
}

void GLSceneDrawer::pointCB(void *data, SoCallbackAction *action, const SoPrimitiveVertex *v) {
    GLSceneDrawer *self = static_cast<GLSceneDrawer *>(data);
    self->prepareShape(action);
    if (!self->shapeVisible) return;
    self->beginRun(GL_POINTS);
    self->sendVertex(action, v);
}

void GLSceneDrawer::prepareShape(SoCallbackAction *action) {
    if (shapeReady) return;
    endRun();
    shapeReady = true;
    shapeDrawStyle = action->getDrawStyle();
    shapeVisible = shapeDrawStyle != INVISIBLE;
    if (!shapeVisible) return;
    shapeLit = action->getLightModel() == PHONG;

    if (shapeLit) {
        loadGLLights(action->getState(), maxLights, enabledLights);
        // Both sides are lit when the ordering says which side is the front and the shape is not a
        // closed solid (whose back sides are never seen).
        const int ordering = action->getVertexOrdering();
        const bool twoSided = ordering != SoShapeHintsElement::UNKNOWN_ORDERING &&
                              action->getShapeType() != SoShapeHintsElement::SOLID;
        glLightModeli(GL_LIGHT_MODEL_TWO_SIDE, twoSided ? GL_TRUE : GL_FALSE);
        glFrontFace(ordering == SoShapeHintsElement::CLOCKWISE ? GL_CW : GL_CCW);
    }
    glMatrixMode(GL_PROJECTION);
    glLoadMatrixf(&action->getProjectionMatrix()[0][0]);
    glMatrixMode(GL_MODELVIEW);
    const SbMatrix modelView = action->getModelMatrix() * action->getViewingMatrix();
    glLoadMatrixf(&modelView[0][0]);

    glPolygonMode(GL_FRONT_AND_BACK, shapeDrawStyle == LINES    ? GL_LINE
                                     : shapeDrawStyle == POINTS ? GL_POINT
                                                                : GL_FILL);
    // A width or size of 0 asks for the thinnest line or smallest point: one pixel.
    glLineWidth(std::max(1.0f, action->getLineWidth()));
    glPointSize(std::max(1.0f, action->getPointSize()));
    const unsigned short pattern = action->getLinePattern();
    if (pattern == 0xFFFF) {
        glDisable(GL_LINE_STIPPLE);
    } else {
        // The toolkit's pattern and OpenGL's stipple both start along the line with bit 0.
        glEnable(GL_LINE_STIPPLE);
        glLineStipple(1, pattern);
    }
}

void GLSceneDrawer::beginRun(GLenum mode) {
    const bool lit = shapeLit && mode == GL_TRIANGLES;
    if (runOpen && runMode == mode && runLit == lit) return;
    endRun();
    // Lighting cannot change between glBegin and glEnd.
    if (lit)
        glEnable(GL_LIGHTING);
    else
        glDisable(GL_LIGHTING);
    glBegin(mode);
    runOpen = true;
    runMode = mode;
    runLit = lit;
}

void GLSceneDrawer::endRun() {
    if (!runOpen) return;
    glEnd();
    runOpen = false;
}

void GLSceneDrawer::sendVertex(SoCallbackAction *action, const SoPrimitiveVertex *v) {
    SoMaterialElement::Material m{};
    action->getMaterial(m.ambient, m.diffuse, m.specular, m.emissive, m.shininess, m.transparency,
                        v->getMaterialIndex());
    const float alpha = 1.0f - m.transparency;
    if (runLit) {
        if (!haveMaterial || !sameMaterial(m, lastMaterial)) {
            setMaterialColor(GL_AMBIENT, m.ambient, alpha);
            setMaterialColor(GL_DIFFUSE, m.diffuse, alpha);
            setMaterialColor(GL_SPECULAR, m.specular, alpha);
            setMaterialColor(GL_EMISSION, m.emissive, alpha);
            glMaterialf(GL_FRONT_AND_BACK, GL_SHININESS,
                        std::clamp(m.shininess * 128.0f, 0.0f, 128.0f));
            lastMaterial = m;
            haveMaterial = true;
        }
        const SbVec3f &n = v->getNormal();
        glNormal3f(n[0], n[1], n[2]);
    } else {
        glColor4f(m.diffuse[0], m.diffuse[1], m.diffuse[2], alpha);
    }
    const SbVec3f &p = v->getPoint();
    glVertex3f(p[0], p[1], p[2]);
}

} // namespace scene_detail
