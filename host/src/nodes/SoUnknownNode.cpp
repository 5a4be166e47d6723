// Nodes of classes the toolkit does not know, kept with their declared fields and children.
#include "scene/nodes/SoUnknownNode.h"

SoType SoUnknownNode::classTypeId;
// Registered without a creation function: a file naming "UnknownNode" gets no special meaning.
void SoUnknownNode::initClass() {
    classTypeId = SoType::createType(SoNode::getClassTypeId(), "SoUnknownNode");
}

SoUnknownNode::SoUnknownNode() {
    builtIn = false;
}
