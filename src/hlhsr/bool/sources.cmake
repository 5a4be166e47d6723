# The edge visibility engine of the hidden-line mode and its front end SoHiddenLines.
set(SCRIVANE_HLHSR_BOOL_SOURCES
  ${CMAKE_CURRENT_LIST_DIR}/BoolEngine.cpp
  ${CMAKE_CURRENT_LIST_DIR}/BoolPierce.cpp
  ${CMAKE_CURRENT_LIST_DIR}/BoolSweep.cpp
  ${CMAKE_CURRENT_LIST_DIR}/BoolVisibility.cpp
  ${CMAKE_CURRENT_LIST_DIR}/SoHiddenLines.cpp)
