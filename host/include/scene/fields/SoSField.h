#ifndef SCENE_SOSFIELD_H
#define SCENE_SOSFIELD_H
#include "scene/SceneExport.h"
#include "scene/fields/SoField.h"

// Base of single-value fields.
class SCENE_API SoSField : public SoField {
public:
    static void initClass();
    static SoType getClassTypeId() { return classTypeId; }

private:
    static SoType classTypeId;
};

// A single value of type T.
template <class T> class SCENE_API SoSFieldT : public SoSField {
public:
    const T &getValue() const { return value; }
    void setValue(const T &v) {
        value = v;
        touch();
    }
    SoSFieldT &operator=(const T &v) {
        setValue(v);
        return *this;
    }
    bool operator==(const SoSFieldT &o) const { return value == o.value; }
    bool operator!=(const SoSFieldT &o) const { return !(value == o.value); }

protected:
    SoSFieldT() : value() {}
    T value;
};

#endif
