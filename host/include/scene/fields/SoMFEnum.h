#ifndef SCENE_SOMFENUM_H
#define SCENE_SOMFENUM_H
#include "scene/SceneExport.h"
#include "scene/fields/SoEnumTable.h"
#include "scene/fields/SoMField.h"
class SCENE_API SoMFEnum : public SoMFieldT<int> {
public:
    static void initClass();
    static SoType getClassTypeId() { return classTypeId; }
    SoType getTypeId() const override { return classTypeId; }
    using SoMFieldT<int>::operator=;
    using SoMFieldT<int>::setValue;
    SoEnumTable &enums() { return table; }
    const SoEnumTable &enums() const { return table; }
    void setEnums(std::initializer_list<std::pair<const char *, int>> list) { table.setEnums(list); }

protected:
    SoEnumTable table;

private:
    static SoType classTypeId;
};

#endif
