// Scenes and checks shared by the capture tests.
//
// Most scenes have no camera: the model, viewing and projection matrices are then identities,
// so a model point is its own clip coordinate and its own NPC (w = 1), and the view volume's
// near distance 1 puts the near plane at clip z = -1. With the default drawing (190 x 277 mm)
// and the full default viewport, NPC (x, y) is printed at page ((1 + x) * 95, (1 + y) * 138.5).
#ifndef SCRIVANE_TESTS_CAPTURE_SUPPORT_H
#define SCRIVANE_TESTS_CAPTURE_SUPPORT_H
#include "RecordingAction.h"
#include "scene/misc/SoDB.h"
#include "scene/misc/SoInput.h"
#include "scene/nodes/SoSeparator.h"
#include "scrivane/SoScrivane.h"
#include <cmath>
#include <gtest/gtest.h>
#include <string>
#include <utility>
#include <vector>

namespace capture_test {

const SbColor red(1, 0, 0), green(0, 1, 0), blue(0, 0, 1);
// Per-vertex red, green and blue.
const std::string kRgbPerVertex =
    "Material { diffuseColor [ 1 0 0, 0 1 0, 0 0 1 ] } MaterialBinding { value PER_VERTEX } ";

// Page position of an NPC point with the default drawing and a full viewport.
inline float pageX(float x) {
    return (1.0f + x) * 95.0f;
}
inline float pageY(float y) {
    return (1.0f + y) * 138.5f;
}

// A root separator read from Inventor text (the header is added; any message of the reader
// fails the test) that lives as long as the object.
struct Scene {
    explicit Scene(const std::string &inventor) {
        SoScrivane::init();
        SoInput in;
        in.setMessageCallback(
            [](const SoInputMessage &m, void *) { ADD_FAILURE() << m.formatted.getString(); },
            nullptr);
        const std::string text = "#Inventor V2.1 ascii\n" + inventor;
        in.setBuffer(text.data(), text.size());
        root = SoDB::readAll(&in);
        if (!root) root = new SoSeparator;
        root->ref();
    }
    ~Scene() { root->unref(); }
    Scene(const Scene &) = delete;
    Scene &operator=(const Scene &) = delete;
    SoSeparator *root;
};

// The primitive calls of a log: no header, background, clip, border or footer.
struct Printed {
    std::string kinds; // space separated
    std::vector<RecordedCall> calls;
};

inline Printed print(SoNode *root, RecordingAction &action) {
    action.apply(root);
    Printed p;
    for (const RecordedCall &c : action.calls())
        if (c.kind != "header" && c.kind != "footer" && c.kind != "background" &&
            c.kind != "border" && c.kind != "clip") {
            p.kinds += (p.kinds.empty() ? "" : " ") + c.kind;
            p.calls.push_back(c);
        }
    return p;
}

inline Printed print(const std::string &inventor, RecordingAction &action) {
    return print(Scene(inventor).root, action);
}

inline Printed print(const std::string &inventor) {
    RecordingAction action;
    return print(inventor, action);
}

inline void expectPagePoint(const SbVec4f &p, float x, float y, float tolerance = 1e-3f) {
    EXPECT_LE(std::hypot(p[0] - x, p[1] - y), tolerance)
        << "(" << p[0] << ", " << p[1] << ") for (" << x << ", " << y << ")";
}

// The call's points are exactly these NPC points (x, y), in order.
inline void expectNpc(const RecordedCall &call, std::vector<std::pair<float, float>> npc,
                      float tolerance = 1e-3f) {
    ASSERT_EQ(call.points.size(), npc.size()) << call.kind;
    for (size_t i = 0; i < npc.size(); i++)
        expectPagePoint(call.points[i], pageX(npc[i].first), pageY(npc[i].second), tolerance);
}

inline void expectColor(const SbColor &c, const SbColor &expected, float tolerance = 1e-5f) {
    EXPECT_LE((c - expected).length(), tolerance)
        << "(" << c[0] << ", " << c[1] << ", " << c[2] << ") for (" << expected[0] << ", "
        << expected[1] << ", " << expected[2] << ")";
}

inline void expectColors(const RecordedCall &call, std::vector<SbColor> colors) {
    ASSERT_EQ(call.colors.size(), colors.size()) << call.kind;
    for (size_t i = 0; i < colors.size(); i++)
        expectColor(call.colors[i], colors[i]);
}

} // namespace capture_test

#endif
