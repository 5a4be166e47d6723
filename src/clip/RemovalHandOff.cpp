// The hand-off of clipped primitives to the removal driver (see RemovalHandOff.h).
//
// This library does not yet contain the removal driver: the action's beginTraversal creates
// none for any mode, so getHLHSRVectorize() is null during every apply and every primitive is
// printed at once, as with HIDDEN_NONE. The driver's store operations (polylines, marks,
// polygons, 2-D text, images) are to be called from this function, the only place that decides
// between keeping a primitive in NPC and printing it.
#include "RemovalHandOff.h"
#include "scrivane/SoVectorizeAction.h"

namespace scrivane_clip {

bool storeForRemoval(const SoVectorizeAction &action, const ClippedPrimitive &primitive) {
    (void)primitive;
    if (action.getHLHSRMode() == SoVectorizeAction::HIDDEN_NONE) return false;
    SoHLHSRVectorize *driver = action.getHLHSRVectorize();
    if (driver == nullptr) return false; // no driver for this apply: printed as HIDDEN_NONE
    // Only beginTraversal creates a driver, and it creates none until the removal subsystem is
    // part of the library; the store calls for each kind of primitive belong here.
    return false;
}

} // namespace scrivane_clip
