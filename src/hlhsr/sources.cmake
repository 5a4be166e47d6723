# Hidden line and hidden surface removal: the driver, the stored primitives and their lists, the
# painter, the visibility finder, and (in bool/) the edge visibility engine of the hidden-line mode.
include(${CMAKE_CURRENT_LIST_DIR}/bool/sources.cmake OPTIONAL)
set(SCRIVANE_HLHSR_SOURCES
  ${CMAKE_CURRENT_LIST_DIR}/PiPList.cpp
  ${CMAKE_CURRENT_LIST_DIR}/PrimitiveList.cpp
  ${CMAKE_CURRENT_LIST_DIR}/Primitives.cpp
  ${CMAKE_CURRENT_LIST_DIR}/PolyGon.cpp
  ${CMAKE_CURRENT_LIST_DIR}/SoHLHSRVectorize.cpp
  ${CMAKE_CURRENT_LIST_DIR}/SoPainter.cpp
  ${CMAKE_CURRENT_LIST_DIR}/PainterOrder.cpp
  ${CMAKE_CURRENT_LIST_DIR}/SoFindRendereredPrimitives.cpp
  ${CMAKE_CURRENT_LIST_DIR}/PageGrid.cpp
  ${CMAKE_CURRENT_LIST_DIR}/OverlapDepth.cpp
  ${SCRIVANE_HLHSR_BOOL_SOURCES})
