#include "SceneSetup.h"
#include "scene/actions/SoSearchAction.h"
#include "scene/base/SbViewportRegion.h"
#include "scene/nodes/SoCamera.h"
#include "scene/nodes/SoDirectionalLight.h"
#include "scene/nodes/SoLight.h"
#include "scene/nodes/SoPerspectiveCamera.h"
#include "scene/nodes/SoSeparator.h"
#include "scene/nodes/SoShape.h"

namespace {
bool contains(SoSeparator *root, SoType type) {
    SoSearchAction search;
    search.setType(type);
    search.setInterest(SoSearchAction::FIRST);
    search.setSearchingAll(true);
    search.apply(root);
    return search.getPath() != nullptr;
}
} // namespace

SoSeparator *prepareScene(SoSeparator *scene, float drawingAspect, bool &addedCamera, bool &addedLight) {
    addedCamera = !contains(scene, SoCamera::getClassTypeId());
    addedLight = !contains(scene, SoLight::getClassTypeId());
    SoSeparator *root = new SoSeparator;
    if (addedLight) root->addChild(new SoDirectionalLight);
    if (addedCamera) {
        SoPerspectiveCamera *camera = new SoPerspectiveCamera;
        root->addChild(camera);
        // The same window shape the vectorizer gives cameras: the drawing's aspect ratio.
        SbViewportRegion region(SbVec2i32(static_cast<int32_t>(drawingAspect * 10000), 10000));
        camera->viewAll(scene, region, 1.1f);
    }
    root->addChild(scene);
    return root;
}

int countShapes(SoSeparator *root) {
    SoSearchAction search;
    search.setType(SoShape::getClassTypeId());
    search.setInterest(SoSearchAction::ALL);
    search.apply(root);
    return search.getPaths().getLength();
}
