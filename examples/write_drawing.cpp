// Builds a small scene in code and writes it twice on one A4 page: a shaded view in the upper
// half and a wireframe view in the lower half.
//
//   build/examples/write_drawing page.ps
#include <cstdio>
#include "scene/nodes/SoCone.h"
#include "scene/nodes/SoCube.h"
#include "scene/nodes/SoDirectionalLight.h"
#include "scene/nodes/SoDrawStyle.h"
#include "scene/nodes/SoMaterial.h"
#include "scene/nodes/SoPerspectiveCamera.h"
#include "scene/nodes/SoSeparator.h"
#include "scene/nodes/SoSwitch.h"
#include "scene/nodes/SoTranslation.h"
#include "scrivane/SoScrivane.h"
#include "scrivane/SoVectorizePSAction.h"

namespace {
SoSeparator *buildScene(SoSwitch *&style) {
    SoSeparator *root = new SoSeparator;
    root->addChild(new SoDirectionalLight);
    SoPerspectiveCamera *camera = new SoPerspectiveCamera;
    camera->position.setValue(2.5f, 2.0f, 6.0f);
    camera->pointAt(SbVec3f(0.8f, 0, 0));
    root->addChild(camera);

    // Child 0 draws filled faces, child 1 outlines: the switch chooses the view.
    style = new SoSwitch;
    SoDrawStyle *filled = new SoDrawStyle;
    SoDrawStyle *lines = new SoDrawStyle;
    lines->style.setValue(SoDrawStyle::LINES);
    style->addChild(filled);
    style->addChild(lines);
    root->addChild(style);

    SoMaterial *red = new SoMaterial;
    red->diffuseColor.setValue(0.8f, 0.2f, 0.1f);
    root->addChild(red);
    root->addChild(new SoCube);
    SoTranslation *beside = new SoTranslation;
    beside->translation.setValue(2.5f, 0, 0);
    root->addChild(beside);
    SoMaterial *blue = new SoMaterial;
    blue->diffuseColor.setValue(0.2f, 0.3f, 0.9f);
    root->addChild(blue);
    root->addChild(new SoCone);
    return root;
}
} // namespace

int main(int argc, char **argv) {
    const char *file = argc > 1 ? argv[1] : "page.ps";
    SoScrivane::init();
    SoSwitch *style = nullptr;
    SoSeparator *root = buildScene(style);
    root->ref();

    SoVectorizePSAction action;
    if (!action.getOutput()->openFile(file)) {
        std::fprintf(stderr, "cannot write %s\n", file);
        root->unref();
        return 1;
    }
    action.enableLighting(1);
    action.setBorder(1.0f);
    action.setDrawingDimensions(190, 130);
    action.beginPage(SbVec2f(0, 0), SbVec2f(210, 297));
    style->whichChild.setValue(0);
    action.setStartPosition(10, 157);
    action.apply(root);
    style->whichChild.setValue(1);
    action.setStartPosition(10, 10);
    action.apply(root);
    action.endPage();
    action.getOutput()->closeFile();
    root->unref();
    std::printf("wrote %s\n", file);
    return 0;
}
