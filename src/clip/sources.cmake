# Clipping of polylines, polygons, markers, text and images, and the hand-off of what survives.
set(SCRIVANE_CLIP_SOURCES
  ${CMAKE_CURRENT_LIST_DIR}/PolyLineClip.cpp
  ${CMAKE_CURRENT_LIST_DIR}/PolygonClip.cpp
  ${CMAKE_CURRENT_LIST_DIR}/MarkTextImageClip.cpp
  ${CMAKE_CURRENT_LIST_DIR}/RemovalHandOff.cpp)
