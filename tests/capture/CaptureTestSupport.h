// Scene building blocks and checks shared by the capture tests.
//
// Most scenes have no camera: the model, viewing and projection matrices are then identities,
// so a model point is its own clip coordinate and its own NPC (w = 1), and the view volume's
// near distance 1 puts the near plane at clip z = -1. With the default drawing (190 x 277 mm)
// and the full default viewport, NPC (x, y) is printed at page ((1 + x) * 95, (1 + y) * 138.5).
#ifndef SCRIVANE_TESTS_CAPTURE_SUPPORT_H
#define SCRIVANE_TESTS_CAPTURE_SUPPORT_H
#include "RecordingAction.h"
#include "scene/elements/SoViewportRegionElement.h"
#include "scene/misc/SoState.h"
#include "scene/nodes/SoCoordinate3.h"
#include "scene/nodes/SoDrawStyle.h"
#include "scene/nodes/SoFaceSet.h"
#include "scene/nodes/SoLabel.h"
#include "scene/nodes/SoLineSet.h"
#include "scene/nodes/SoMaterial.h"
#include "scene/nodes/SoMaterialBinding.h"
#include "scene/nodes/SoPointSet.h"
#include "scene/nodes/SoSeparator.h"
#include "scrivane/SoScrivane.h"
#include <gtest/gtest.h>
#include <initializer_list>
#include <vector>

namespace capture_test {

// Page position of an NPC point with the default drawing and a full viewport.
inline float pageX(float x) {
    return (1.0f + x) * 95.0f;
}
inline float pageY(float y) {
    return (1.0f + y) * 138.5f;
}

// A root separator that lives as long as the object.
struct Scene {
    Scene() {
        SoScrivane::init();
        root = new SoSeparator;
        root->ref();
    }
    ~Scene() { root->unref(); }
    Scene(const Scene &) = delete;
    Scene &operator=(const Scene &) = delete;
    template <class T> T *add(T *node) {
        root->addChild(node);
        return node;
    }
    SoSeparator *root;
};

inline SoCoordinate3 *coordinates(std::initializer_list<SbVec3f> points) {
    SoCoordinate3 *c = new SoCoordinate3;
    int i = 0;
    for (const SbVec3f &p : points)
        c->point.set1Value(i++, p);
    return c;
}

// A material whose diffuse colours (and transparencies, when given) are bound per vertex.
inline void addPerVertexMaterial(Scene &scene, std::initializer_list<SbColor> diffuse,
                                 std::initializer_list<float> transparency = {}) {
    SoMaterial *m = scene.add(new SoMaterial);
    int i = 0;
    for (const SbColor &c : diffuse)
        m->diffuseColor.set1Value(i++, c);
    i = 0;
    for (float t : transparency)
        m->transparency.set1Value(i++, t);
    SoMaterialBinding *binding = scene.add(new SoMaterialBinding);
    binding->value = SoMaterialBinding::PER_VERTEX;
}

inline SoFaceSet *addTriangle(Scene &scene, const SbVec3f &a, const SbVec3f &b, const SbVec3f &c) {
    scene.add(coordinates({a, b, c}));
    return scene.add(new SoFaceSet);
}

inline SoLineSet *addLineStrip(Scene &scene, std::initializer_list<SbVec3f> points) {
    scene.add(coordinates(points));
    return scene.add(new SoLineSet);
}

inline SoDrawStyle *addDrawStyle(Scene &scene, int style) {
    SoDrawStyle *d = scene.add(new SoDrawStyle);
    d->style = style;
    return d;
}

// Only the primitive calls of a log (no header, background, clip, border or footer).
inline std::string primitiveKinds(const RecordingAction &action) {
    std::string kinds = action.kinds();
    std::string result;
    size_t start = 0;
    while (start <= kinds.size()) {
        size_t end = kinds.find(' ', start);
        if (end == std::string::npos) end = kinds.size();
        std::string kind = kinds.substr(start, end - start);
        if (kind != "header" && kind != "footer" && kind != "background" && kind != "border" &&
            kind != "clip" && !kind.empty())
            result += (result.empty() ? "" : " ") + kind;
        start = end + 1;
    }
    return result;
}

inline void expectPagePoint(const SbVec4f &p, float x, float y, float tolerance = 1e-3f) {
    EXPECT_NEAR(p[0], x, tolerance) << "x of (" << p[0] << ", " << p[1] << ")";
    EXPECT_NEAR(p[1], y, tolerance) << "y of (" << p[0] << ", " << p[1] << ")";
}

inline void expectColor(const SbColor &c, float r, float g, float b, float tolerance = 1e-5f) {
    EXPECT_NEAR(c[0], r, tolerance) << "red of (" << c[0] << ", " << c[1] << ", " << c[2] << ")";
    EXPECT_NEAR(c[1], g, tolerance) << "green of (" << c[0] << ", " << c[1] << ", " << c[2] << ")";
    EXPECT_NEAR(c[2], b, tolerance) << "blue of (" << c[0] << ", " << c[1] << ", " << c[2] << ")";
}

// A recording format whose viewport becomes the right half of the window (normalized origin
// (0.5, 0), size (0.5, 1)) when the traversal meets a label.
class HalfViewportAction : public RecordingAction {
protected:
    void prepareAction(SoCallbackAction &action) override {
        RecordingAction::prepareAction(action);
        action.addPreCallback(SoLabel::getClassTypeId(), rightHalf, nullptr);
    }

private:
    static SoCallbackAction::Response rightHalf(void *, SoCallbackAction *action, const SoNode *) {
        SbViewportRegion region = SoViewportRegionElement::get(action->getState());
        region.setViewport(0.5f, 0.0f, 0.5f, 1.0f);
        SoViewportRegionElement::set(action->getState(), region);
        return SoCallbackAction::CONTINUE;
    }
};

} // namespace capture_test

#endif
