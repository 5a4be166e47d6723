// Cameras with fields that are not finite numbers. A NaN position, orientation, height angle,
// near or far distance makes every matrix of the view NaN and every point of the drawing with
// it; the vectorizer draws such a camera as a camera of the same kind whose non-finite fields
// have their defaults.
#ifndef SCRIVANE_CAPTURE_CAMERAFALLBACK_H
#define SCRIVANE_CAPTURE_CAMERAFALLBACK_H

class SoCamera;

namespace scrivane_capture {

// Null when every field of the camera is finite; otherwise a new camera of the same kind (not
// referenced) holding the camera's fields with those that are not finite left at their defaults.
SoCamera *finiteCameraFor(const SoCamera &camera);

} // namespace scrivane_capture

#endif
