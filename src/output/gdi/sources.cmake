# The GDI writer: enhanced metafiles, printers and device contexts.
set(SCRIVANE_GDI_SOURCES
  ${CMAKE_CURRENT_LIST_DIR}/SoVectorizeGDIAction.cpp
  ${CMAKE_CURRENT_LIST_DIR}/GDIDocument.cpp
  ${CMAKE_CURRENT_LIST_DIR}/GDIPens.cpp
  ${CMAKE_CURRENT_LIST_DIR}/GDIPrimitives.cpp
  ${CMAKE_CURRENT_LIST_DIR}/GDIText.cpp
  ${CMAKE_CURRENT_LIST_DIR}/GDIImages.cpp
  ${CMAKE_CURRENT_LIST_DIR}/GDIWriterSupport.cpp)
