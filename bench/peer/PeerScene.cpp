#include "PeerScene.h"

#include "HlhsrScenes.h"
#include "scene/actions/SoCallbackAction.h"
#include "scene/actions/SoSearchAction.h"
#include "scene/base/SbViewportRegion.h"
#include "scene/misc/SoPath.h"
#include "scene/misc/SoPrimitiveVertex.h"
#include "scene/nodes/SoCoordinate3.h"
#include "scene/nodes/SoIndexedFaceSet.h"
#include "scene/nodes/SoMaterial.h"
#include "scene/nodes/SoMaterialBinding.h"
#include "scene/nodes/SoSeparator.h"
#include "scene/nodes/SoShape.h"

namespace peer_bench {
namespace {

SoNode *findNode(SoNode *root, SoType type) {
    SoSearchAction search;
    search.setType(type);
    search.apply(root);
    return search.getPath() ? search.getPath()->getTail() : nullptr;
}

float band(float component) {
    return component < -1.0f / 3.0f ? 0.2f : component > 1.0f / 3.0f ? 0.8f : 0.5f;
}

// Gives every face of the scene's face set (triangles, each ended by -1) the colour of its
// normal, bound per face.
void colourFacesByNormal(SoSeparator *root) {
    auto *material = static_cast<SoMaterial *>(findNode(root, SoMaterial::getClassTypeId()));
    auto *coordinates =
        static_cast<SoCoordinate3 *>(findNode(root, SoCoordinate3::getClassTypeId()));
    auto *faces =
        static_cast<SoIndexedFaceSet *>(findNode(root, SoIndexedFaceSet::getClassTypeId()));
    if (!material || !coordinates || !faces) return;
    const int32_t *index = faces->coordIndex.getValues(0);
    const int count = faces->coordIndex.getNum();
    const SbVec3f *points = coordinates->point.getValues(0);
    std::vector<SbColor> colours;
    colours.reserve(static_cast<size_t>(count / 4));
    for (int i = 0; i + 2 < count; i += 4) {
        const SbVec3f &a = points[index[i]], &b = points[index[i + 1]], &c = points[index[i + 2]];
        SbVec3f n = (b - a).cross(c - a);
        n.normalize();
        colours.emplace_back(band(n[0]), band(n[1]), band(n[2]));
    }
    material->diffuseColor.setValues(0, static_cast<int>(colours.size()), colours.data());
    auto *binding = new SoMaterialBinding;
    binding->value = SoMaterialBinding::PER_FACE;
    root->insertChild(binding, root->findChild(faces));
}

void collectTriangle(void *data, SoCallbackAction *action, const SoPrimitiveVertex *v1,
                     const SoPrimitiveVertex *v2, const SoPrimitiveVertex *v3) {
    auto *scene = static_cast<PeerScene *>(data);
    const SbMatrix &model = action->getModelMatrix();
    for (const SoPrimitiveVertex *v : {v1, v2, v3}) {
        SbVec3f world;
        model.multVecMatrix(v->getPoint(), world);
        scene->vertices.insert(scene->vertices.end(), {world[0], world[1], world[2]});
    }
    // The face's colour: the diffuse colour of its material index.
    SbColor ambient, colour, specular, emission;
    float shininess = 0, transparency = 0;
    action->getMaterial(ambient, colour, specular, emission, shininess, transparency,
                        v1->getMaterialIndex());
    scene->colours.insert(scene->colours.end(), {colour[0], colour[1], colour[2]});
    scene->viewing = action->getViewingMatrix();
    scene->projection = action->getProjectionMatrix();
}

} // namespace

PeerScene buildPeerScene(int kind, int triangles) {
    PeerScene scene;
    scene.root = bench_scenes::buildScene(kind, triangles, scene.triangles);
    scene.root->ref();
    colourFacesByNormal(scene.root);
    scene.vertices.reserve(static_cast<size_t>(scene.triangles) * 9);
    scene.colours.reserve(static_cast<size_t>(scene.triangles) * 3);
    SoCallbackAction collect(SbViewportRegion(kViewportPixels, kViewportPixels));
    collect.addTriangleCallback(SoShape::getClassTypeId(), collectTriangle, &scene);
    collect.apply(scene.root);
    return scene;
}

} // namespace peer_bench
