#include "scene/actions/SoGetBoundingBoxAction.h"
#include "scene/elements/SoModelMatrixElement.h"
#include "scene/elements/SoViewportRegionElement.h"
#include "scene/misc/SoState.h"
#include "scene/nodes/SoNode.h"
#include <algorithm>
#include <cmath>
#include <limits>

SoType SoGetBoundingBoxAction::classTypeId;
SoEnabledElementsList *SoGetBoundingBoxAction::enabledElements = nullptr;
SoActionMethodList *SoGetBoundingBoxAction::methods = nullptr;

void SoGetBoundingBoxAction::initClass() {
    classTypeId = SoType::createType(SoAction::getClassTypeId(), "SoGetBoundingBoxAction");
    if (!enabledElements) enabledElements = new SoEnabledElementsList(SoAction::enabledElements);
    if (!methods) methods = new SoActionMethodList(SoAction::methods);
    methods->addMethod(SoNode::getClassTypeId(), &SoNode::getBoundingBoxMethod);
}

SoGetBoundingBoxAction::SoGetBoundingBoxAction(const SbViewportRegion &region) : viewportRegion(region) {
    traversalMethods = methods;
}

namespace {
constexpr double kLargestFloat = std::numeric_limits<float>::max();

float clampedToFloat(double v) {
    return static_cast<float>(std::clamp(v, -kLargestFloat, kLargestFloat));
}

// (p, 1) x m with the division by w, in doubles.
void transformPoint(const SbMatrix &m, const double p[3], double out[3]) {
    double w = p[0] * m[0][3] + p[1] * m[1][3] + p[2] * m[2][3] + m[3][3];
    if (w == 0.0) w = 1.0;
    for (int j = 0; j < 3; j++)
        out[j] = (p[0] * m[0][j] + p[1] * m[1][j] + p[2] * m[2][j] + m[3][j]) / w;
}
} // namespace

void SoGetBoundingBoxAction::beginTraversal(SoNode *node) {
    box.makeEmpty();
    for (int i = 0; i < 3; i++) {
        lo[i] = std::numeric_limits<double>::infinity();
        hi[i] = -std::numeric_limits<double>::infinity();
    }
    centerSum.setValue(0, 0, 0);
    centerCount = 0;
    centerSet = false;
    SoViewportRegionElement::set(getState(), viewportRegion);
    traverse(node);
}

void SoGetBoundingBoxAction::extendBy(const SbBox3f &modelBox) {
    if (modelBox.isEmpty()) return;
    const SbMatrix &m = SoModelMatrixElement::get(getState());
    const SbVec3f &a = modelBox.getMin(), &b = modelBox.getMax();
    for (int corner = 0; corner < 8; corner++) {
        const double p[3] = {(corner & 1) ? b[0] : a[0], (corner & 2) ? b[1] : a[1],
                             (corner & 4) ? b[2] : a[2]};
        double q[3];
        transformPoint(m, p, q);
        if (!std::isfinite(q[0]) || !std::isfinite(q[1]) || !std::isfinite(q[2])) continue;
        for (int i = 0; i < 3; i++) {
            lo[i] = std::min(lo[i], q[i]);
            hi[i] = std::max(hi[i], q[i]);
        }
    }
    if (lo[0] <= hi[0])
        box.setBounds(SbVec3f(clampedToFloat(lo[0]), clampedToFloat(lo[1]), clampedToFloat(lo[2])),
                      SbVec3f(clampedToFloat(hi[0]), clampedToFloat(hi[1]), clampedToFloat(hi[2])));
}

bool SoGetBoundingBoxAction::getBoundingBox(double min[3], double max[3]) const {
    if (!(lo[0] <= hi[0])) return false;
    for (int i = 0; i < 3; i++) {
        min[i] = lo[i];
        max[i] = hi[i];
    }
    return true;
}

void SoGetBoundingBoxAction::setCenter(const SbVec3f &modelCenter, bool transformCenter) {
    SbVec3f c = modelCenter;
    if (transformCenter) SoModelMatrixElement::get(getState()).multVecMatrix(modelCenter, c);
    centerSum += c;
    centerCount++;
    centerSet = true;
}

SbVec3f SoGetBoundingBoxAction::getCenter() const {
    if (centerCount > 0) return centerSum / float(centerCount);
    return box.isEmpty() ? SbVec3f(0, 0, 0) : box.getCenter();
}
