#ifndef SCENE_SOSFENUM_H
#define SCENE_SOSFENUM_H
#include "scene/SceneExport.h"
#include "scene/fields/SoEnumTable.h"
#include "scene/fields/SoSField.h"
class SCENE_API SoSFEnum : public SoSFieldT<int> {
public:
    static void initClass();
    static SoType getClassTypeId() { return classTypeId; }
    SoType getTypeId() const override { return classTypeId; }
    using SoSFieldT<int>::operator=;
    using SoSFieldT<int>::setValue;
    SoEnumTable &enums() { return table; }
    const SoEnumTable &enums() const { return table; }
    void setEnums(std::initializer_list<std::pair<const char *, int>> list) { table.setEnums(list); }

protected:
    SoEnumTable table;

private:
    static SoType classTypeId;
};

#endif
