# The PostScript writer: the document and its prolog, caches and numbers, and one file per
# kind of primitive.
set(SCRIVANE_PS_SOURCES
  ${CMAKE_CURRENT_LIST_DIR}/SoVectorizePSAction.cpp
  ${CMAKE_CURRENT_LIST_DIR}/PSProlog.cpp
  ${CMAKE_CURRENT_LIST_DIR}/PSState.cpp
  ${CMAKE_CURRENT_LIST_DIR}/PSLines.cpp
  ${CMAKE_CURRENT_LIST_DIR}/PSPolygons.cpp
  ${CMAKE_CURRENT_LIST_DIR}/PSText.cpp
  ${CMAKE_CURRENT_LIST_DIR}/PSImages.cpp)
