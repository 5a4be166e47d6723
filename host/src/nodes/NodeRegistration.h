#ifndef SCENE_NODEREGISTRATION_H
#define SCENE_NODEREGISTRATION_H

// The creation function that node classes register with their type.
template <class NodeClass> void *createNode() { return new NodeClass; }

#endif
