#ifndef SCENE_SOUNITS_H
#define SCENE_SOUNITS_H
#include "scene/SceneExport.h"
#include "scene/fields/SoSFEnum.h"
#include "scene/nodes/SoTransformation.h"

// Changes the unit of length: scales the model matrix by the ratio of the new unit to the one in
// force.
class SCENE_API SoUnits : public SoTransformation {
public:
    enum Units { METERS = 0, CENTIMETERS = 1, MILLIMETERS = 2, MICROMETERS = 3, MICRONS = 3, NANOMETERS = 4, ANGSTROMS = 5, KILOMETERS = 6, FEET = 7, INCHES = 8, POINTS = 9, YARDS = 10, MILES = 11, NAUTICAL_MILES = 12 };
    static void initClass();
    static SoType getClassTypeId() { return classTypeId; }
    SoType getTypeId() const override { return classTypeId; }
    SoUnits();

    SoSFEnum units;
    void doAction(SoAction *action) override;
    void callback(SoCallbackAction *action) override;
    void getBoundingBox(SoGetBoundingBoxAction *action) override;
    // Metres per unit of a Units value.
    static float metersPerUnit(int units);

protected:
    ~SoUnits() override = default;

private:
    static SoType classTypeId;
};

#endif
