#ifndef SCENE_SOFIELDCONTAINER_H
#define SCENE_SOFIELDCONTAINER_H
#include "scene/SceneExport.h"
#include "scene/base/SbName.h"
#include "scene/misc/SoBase.h"
#include <memory>
#include <utility>
#include <vector>

#include "scene/fields/SoField.h"

// An object with named fields. Built-in fields are members of the derived class and are listed
// by the constructor with addField; fields declared in a file for an unknown class are added
// with addDynamicField and owned by the container.
class SCENE_API SoFieldContainer : public SoBase {
public:
    static void initClass();
    static SoType getClassTypeId() { return classTypeId; }
    int getNumFields() const { return static_cast<int>(fieldList.size()); }
    SoField *getFieldAt(int i) const { return fieldList[static_cast<size_t>(i)].second; }
    SbName getFieldNameAt(int i) const { return fieldList[static_cast<size_t>(i)].first; }
    SoField *getField(const SbName &name) const;
    bool getFieldName(const SoField *field, SbName &name) const;
    // Adds a field declared at run time; the container owns it.
    void addDynamicField(const SbName &name, SoField *field);
    bool isBuiltIn() const { return builtIn; }

protected:
    SoFieldContainer() = default;
    ~SoFieldContainer() override;
    void addField(SoField *field, const char *name);
    bool builtIn = true;

private:
    static SoType classTypeId;
    std::vector<std::pair<SbName, SoField *>> fieldList;
    std::vector<std::unique_ptr<SoField>> dynamicFields;
};

#endif
