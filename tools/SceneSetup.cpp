#include "SceneSetup.h"
#include <algorithm>
#include <unordered_map>
#include <unordered_set>
#include <utility>
#include <vector>
#include "scene/base/SbViewportRegion.h"
#include "scene/misc/SoChildList.h"
#include "scene/nodes/SoCamera.h"
#include "scene/nodes/SoDirectionalLight.h"
#include "scene/nodes/SoLOD.h"
#include "scene/nodes/SoLevelOfDetail.h"
#include "scene/nodes/SoLight.h"
#include "scene/nodes/SoPerspectiveCamera.h"
#include "scene/nodes/SoSeparator.h"
#include "scene/nodes/SoShape.h"
#include "scene/nodes/SoSwitch.h"

namespace {
// Whether a node of the type (or derived from it) lies anywhere under root, switches' hidden
// children included. Each node is visited once, so a graph that shares a group forty levels
// deep costs forty visits, not 2^40.
bool contains(SoNode *root, SoType type) {
    std::unordered_set<const SoNode *> visited;
    std::vector<SoNode *> stack{root};
    while (!stack.empty()) {
        SoNode *node = stack.back();
        stack.pop_back();
        if (!node || !visited.insert(node).second) continue;
        if (node->isOfType(type)) return true;
        if (const SoChildList *children = node->getChildren())
            for (int i = 0; i < children->getLength(); i++) stack.push_back((*children)[i]);
    }
    return false;
}

uint64_t saturatingAdd(uint64_t a, uint64_t b) { return a > UINT64_MAX - b ? UINT64_MAX : a + b; }

// The children the drawing's traversal enters: a switch's chosen child (all of them for -3), the
// first child of a level-of-detail node, every child of other groups.
std::pair<int, int> traversedChildren(const SoNode *node, const SoChildList &children) {
    const int n = children.getLength();
    if (node->isOfType(SoSwitch::getClassTypeId())) {
        const int which = static_cast<const SoSwitch *>(node)->whichChild.getValue();
        if (which == SoSwitch::SO_SWITCH_ALL) return {0, n};
        if (which >= 0 && which < n) return {which, which + 1};
        return {0, 0};
    }
    if (node->isOfType(SoLOD::getClassTypeId()) || node->isOfType(SoLevelOfDetail::getClassTypeId()))
        return {0, std::min(n, 1)};
    return {0, n};
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

ShapeCount countShapes(SoNode *root) {
    ShapeCount result;
    if (!root) return result;
    // Depth-first post-order without recursion (scenes may nest deeply): a node's count is known
    // once all its children's are. order collects the nodes in post-order.
    struct Frame {
        SoNode *node;
        int next, end;
    };
    enum Mark { ENTERED, DONE };
    std::unordered_map<const SoNode *, Mark> marks;
    std::unordered_map<const SoNode *, uint64_t> shapes;
    std::vector<SoNode *> order;
    std::vector<Frame> stack;
    auto enter = [&](SoNode *node) {
        marks[node] = ENTERED;
        const SoChildList *children = node->getChildren();
        std::pair<int, int> range = children ? traversedChildren(node, *children) : std::make_pair(0, 0);
        stack.push_back({node, range.first, range.second});
    };
    enter(root);
    while (!stack.empty()) {
        Frame &top = stack.back();
        if (top.next < top.end) {
            SoNode *child = (*top.node->getChildren())[top.next++];
            if (!child) continue;
            auto mark = marks.find(child);
            if (mark == marks.end())
                enter(child);
            else if (mark->second == ENTERED)
                result.cyclic = true; // the child is an ancestor: the traversal would never end
            continue;
        }
        SoNode *node = top.node;
        stack.pop_back();
        marks[node] = DONE;
        uint64_t count = node->isOfType(SoShape::getClassTypeId()) ? 1 : 0;
        if (const SoChildList *children = node->getChildren()) {
            std::pair<int, int> range = traversedChildren(node, *children);
            for (int i = range.first; i < range.second; i++) {
                auto known = shapes.find((*children)[i]);
                // A child still being entered closes a cycle and counts as endless.
                count = saturatingAdd(count, known == shapes.end() ? (result.cyclic ? UINT64_MAX : 0) : known->second);
            }
        }
        shapes[node] = count;
        order.push_back(node);
    }
    result.shapes = result.cyclic ? UINT64_MAX : shapes[root];

    // Uses of each node: the number of paths from the root to it, parents before children
    // (reverse post-order). In a cyclic graph the order is not topological; the uses are then only
    // a hint, and the count already says "endless".
    std::unordered_map<const SoNode *, uint64_t> uses;
    uses[root] = 1;
    for (auto it = order.rbegin(); it != order.rend(); ++it) {
        SoNode *node = *it;
        const uint64_t nodeUses = uses[node];
        const SoChildList *children = node->getChildren();
        if (!children) continue;
        std::pair<int, int> range = traversedChildren(node, *children);
        for (int i = range.first; i < range.second; i++)
            if (SoNode *child = (*children)[i]) uses[child] = saturatingAdd(uses[child], nodeUses);
    }
    auto describe = [](const SoNode *node) {
        const char *type = node->getTypeId().getName().getString();
        const SbName name = node->getName();
        return name.getLength() > 0 ? "'" + std::string(name.getString()) + "' (" + type + ")" : std::string(type);
    };
    for (SoNode *node : order) {
        const uint64_t nodeUses = uses[node], nodeShapes = shapes[node];
        if (nodeUses < 2 || nodeShapes == 0) continue;
        ShapeCount::Shared &big = result.biggestShared, &used = result.mostUsed;
        if (nodeShapes > big.shapes || (nodeShapes == big.shapes && nodeUses > big.uses))
            big = {describe(node), nodeUses, nodeShapes};
        // Post-order puts a node after its descendants: on a full tie the ancestor, the larger part
        // of the file, is named.
        if (nodeUses > used.uses || (nodeUses == used.uses && nodeShapes >= used.shapes))
            used = {describe(node), nodeUses, nodeShapes};
    }
    return result;
}
