#ifndef SCENE_SOELEMENT_H
#define SCENE_SOELEMENT_H
#include "scene/SceneExport.h"
#include "scene/misc/SoType.h"

class SoState;

// Base of the traversal state's elements. Each element class owns one stack of the state
// (its stack index). An element is copied when it is changed at a deeper level than the one it
// was made at, so pushing the state costs nothing until something changes.
class SCENE_API SoElement {
public:
    typedef SoElement *(*CreateMethod)();
    virtual ~SoElement() = default;
    static void initClass();
    static SoType getClassTypeId() { return classTypeId; }
    virtual SoType getTypeId() const = 0;
    int getStackIndex() const { return stackIndex; }
    int getDepth() const { return depth; }
    // Sets the default value; called once when the state creates the element.
    virtual void init(SoState *state);
    virtual SoElement *copy() const = 0;

    static int getNumStackIndices();
    static SoElement *createElement(int stackIndex);

protected:
    SoElement() = default;
    SoElement(const SoElement &) = default;
    static int createStackIndex(CreateMethod create);
    // The element of that stack, ready to be changed at the state's current depth.
    static SoElement *getElement(SoState *state, int stackIndex);
    static const SoElement *getConstElement(SoState *state, int stackIndex);

private:
    friend class SoState;
    static SoType classTypeId;
    int stackIndex = -1;
    int depth = 0;
};

// Helper base: an element that is a copyable value of one class.
template <class Derived> class SCENE_API SoElementT : public SoElement {
public:
    static int getClassStackIndex() { return classStackIndex; }
    SoElement *copy() const override { return new Derived(static_cast<const Derived &>(*this)); }

protected:
    static SoElement *create() { return new Derived; }
    static int registerStack() { return classStackIndex = createStackIndex(&create); }
    static Derived *getWritable(SoState *state) {
        return static_cast<Derived *>(getElement(state, classStackIndex));
    }
    static const Derived *getReadable(SoState *state) {
        return static_cast<const Derived *>(getConstElement(state, classStackIndex));
    }
    static int classStackIndex;
};

template <class Derived> int SoElementT<Derived>::classStackIndex = -1;

#endif
