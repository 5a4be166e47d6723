# Capture of shape primitives, text, markers and images; feature edges of shapes for the
# hidden-line mode; the coordinate pipeline; lighting.
set(SCRIVANE_CAPTURE_SOURCES
  ${CMAKE_CURRENT_LIST_DIR}/PrimitiveCapture.cpp
  ${CMAKE_CURRENT_LIST_DIR}/FeatureEdges.cpp
  ${CMAKE_CURRENT_LIST_DIR}/CoplanarJoin.cpp
  ${CMAKE_CURRENT_LIST_DIR}/ShapeState.cpp
  ${CMAKE_CURRENT_LIST_DIR}/CameraFallback.cpp
  ${CMAKE_CURRENT_LIST_DIR}/NodeCapture.cpp
  ${CMAKE_CURRENT_LIST_DIR}/../action/CoordinatePipeline.cpp
  ${CMAKE_CURRENT_LIST_DIR}/../color/Lighting.cpp)
