# The PDF and SVG writer: one cairo-based writer shared by both actions, split by concern.
set(SCRIVANE_CAIRO_SOURCES
  ${CMAKE_CURRENT_LIST_DIR}/SoCairoVectorOutput.cpp
  ${CMAKE_CURRENT_LIST_DIR}/CairoDocument.cpp
  ${CMAKE_CURRENT_LIST_DIR}/CairoBitmaps.cpp
  ${CMAKE_CURRENT_LIST_DIR}/CairoLines.cpp
  ${CMAKE_CURRENT_LIST_DIR}/CairoPolygons.cpp
  ${CMAKE_CURRENT_LIST_DIR}/CairoText.cpp
  ${CMAKE_CURRENT_LIST_DIR}/CairoImages.cpp
  ${CMAKE_CURRENT_LIST_DIR}/SoVectorizePDFAction.cpp
  ${CMAKE_CURRENT_LIST_DIR}/SoVectorizeSVGAction.cpp)
