#ifndef SCENE_SOCALLBACKACTION_H
#define SCENE_SOCALLBACKACTION_H
#include "scene/SceneExport.h"
#include "scene/actions/SoAction.h"
#include "scene/base/SbColor.h"
#include "scene/base/SbMatrix.h"
#include "scene/base/SbName.h"
#include "scene/base/SbViewVolume.h"
#include "scene/base/SbViewportRegion.h"
#include <vector>

class SoPrimitiveVertex;
class SoShape;

// Traverses a scene and calls the application back: before and after nodes of chosen types,
// and for every triangle, line segment and point that shapes of chosen types generate. During
// a callback the getters read the traversal state at that node.
class SCENE_API SoCallbackAction : public SoAction {
public:
    enum Response { CONTINUE, ABORT, PRUNE };
    typedef Response SoCallbackActionCB(void *userData, SoCallbackAction *action, const SoNode *node);
    typedef void SoTriangleCB(void *userData, SoCallbackAction *action, const SoPrimitiveVertex *v1,
                              const SoPrimitiveVertex *v2, const SoPrimitiveVertex *v3);
    typedef void SoLineSegmentCB(void *userData, SoCallbackAction *action, const SoPrimitiveVertex *v1,
                                 const SoPrimitiveVertex *v2);
    typedef void SoPointCB(void *userData, SoCallbackAction *action, const SoPrimitiveVertex *v);

    static void initClass();
    static SoType getClassTypeId() { return classTypeId; }
    SoType getTypeId() const override { return classTypeId; }
    SoCallbackAction();
    explicit SoCallbackAction(const SbViewportRegion &region);
    ~SoCallbackAction() override;

    void setViewportRegion(const SbViewportRegion &region) { viewportRegion = region; }
    void addPreCallback(SoType type, SoCallbackActionCB *cb, void *data);
    void addPostCallback(SoType type, SoCallbackActionCB *cb, void *data);
    void addTriangleCallback(SoType type, SoTriangleCB *cb, void *data);
    void addLineSegmentCallback(SoType type, SoLineSegmentCB *cb, void *data);
    void addPointCallback(SoType type, SoPointCB *cb, void *data);

    // State getters.
    const SbMatrix &getModelMatrix() const;
    const SbMatrix &getViewingMatrix() const;
    const SbMatrix &getProjectionMatrix() const;
    const SbViewVolume &getViewVolume() const;
    const SbViewportRegion &getViewportRegion() const;
    int getDrawStyle() const;
    float getLineWidth() const;
    float getPointSize() const;
    unsigned short getLinePattern() const;
    int getLightModel() const;
    int getShapeType() const;
    int getVertexOrdering() const;
    int getFaceType() const;
    float getCreaseAngle() const;
    float getComplexity() const;
    int getComplexityType() const;
    int getMaterialBinding() const;
    int getNormalBinding() const;
    int32_t getNumCoordinates() const;
    const SbVec3f &getCoordinate3(int index) const;
    int32_t getNumNormals() const;
    const SbVec3f &getNormal(int index) const;
    void getMaterial(SbColor &ambient, SbColor &diffuse, SbColor &specular, SbColor &emission, float &shininess,
                     float &transparency, int mtlIndex = 0) const;
    const SbName &getFontName() const;
    float getFontSize() const;
    float getFocalDistance() const;

    // Used by shapes while they generate primitives.
    bool shouldGeneratePrimitives(const SoShape *shape) const;
    void invokeTriangleCallbacks(const SoShape *shape, const SoPrimitiveVertex *v1, const SoPrimitiveVertex *v2,
                                 const SoPrimitiveVertex *v3);
    void invokeLineSegmentCallbacks(const SoShape *shape, const SoPrimitiveVertex *v1, const SoPrimitiveVertex *v2);
    void invokePointCallbacks(const SoShape *shape, const SoPrimitiveVertex *v);
    // Runs the node callbacks around one node; used by the traversal method.
    Response invokePreCallbacks(const SoNode *node);
    void invokePostCallbacks(const SoNode *node);
    SoNode *getCurPathTail() override { return currentNode; }
    void setCurrentNode(SoNode *node) { currentNode = node; }

    static SoEnabledElementsList *enabledElements;
    static SoActionMethodList *methods;

protected:
    void beginTraversal(SoNode *node) override;

private:
    template <class CB> struct Entry {
        SoType type;
        CB *cb;
        void *data;
    };
    static SoType classTypeId;
    SbViewportRegion viewportRegion;
    std::vector<Entry<SoCallbackActionCB>> preCallbacks, postCallbacks;
    std::vector<Entry<SoTriangleCB>> triangleCallbacks;
    std::vector<Entry<SoLineSegmentCB>> segmentCallbacks;
    std::vector<Entry<SoPointCB>> pointCallbacks;
    SoNode *currentNode = nullptr;
};

#endif
