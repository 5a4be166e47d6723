# The CGM writer (both encodings).
set(SCRIVANE_CGM_SOURCES
  ${CMAKE_CURRENT_LIST_DIR}/CGMBinaryEncoder.cpp
  ${CMAKE_CURRENT_LIST_DIR}/CGMBinaryElements.cpp
  ${CMAKE_CURRENT_LIST_DIR}/CGMClearText.cpp
  ${CMAKE_CURRENT_LIST_DIR}/CGMDocument.cpp
  ${CMAKE_CURRENT_LIST_DIR}/CGMLinesMarkers.cpp
  ${CMAKE_CURRENT_LIST_DIR}/CGMPolygons.cpp
  ${CMAKE_CURRENT_LIST_DIR}/CGMText.cpp
  ${CMAKE_CURRENT_LIST_DIR}/CGMImages.cpp)
