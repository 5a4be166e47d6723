# scrivane_add_library(<name> [FILE_NAME <base>] SOURCES <file>... PUBLIC_INCLUDE <dir>
#                      [PRIVATE_INCLUDE <dir>...] [LINK <library>...])
#
# Compiles the sources once, with hidden visibility (only what the public headers mark with the
# library's export macro is visible outside a shared library), into the object library
# <name>_objects, and makes from those objects:
#   <name>           the library that is installed and exported as Scrivane::<name>; shared when
#                    BUILD_SHARED_LIBS is ON, static otherwise; its file is lib<base>.so or
#                    lib<base>.a (FILE_NAME, default <name>);
#   <name>_internal  a static library for the project's tests, benchmarks and fuzzer, which also
#                    reach the internal classes that a shared library hides. In a static build it
#                    is an alias of <name>.
# LINK names the libraries <name> depends on, public to its users; a dependency that is one of
# these libraries is linked as its _internal form by <name>_internal, so a test never mixes the
# shared and the static copy of a library in one program.
function(scrivane_add_library name)
  cmake_parse_arguments(L "" "FILE_NAME;PUBLIC_INCLUDE" "SOURCES;PRIVATE_INCLUDE;LINK" ${ARGN})

  add_library(${name}_objects OBJECT ${L_SOURCES})
  set_target_properties(${name}_objects PROPERTIES
    CXX_VISIBILITY_PRESET hidden VISIBILITY_INLINES_HIDDEN ON)
  target_include_directories(${name}_objects
    PUBLIC ${L_PUBLIC_INCLUDE} PRIVATE ${L_PRIVATE_INCLUDE})
  target_link_libraries(${name}_objects PUBLIC ${L_LINK})

  add_library(${name} $<TARGET_OBJECTS:${name}_objects>)
  target_include_directories(${name} PUBLIC
    $<BUILD_INTERFACE:${L_PUBLIC_INCLUDE}> $<INSTALL_INTERFACE:${CMAKE_INSTALL_INCLUDEDIR}>)
  target_link_libraries(${name} PUBLIC ${L_LINK})
  if(L_FILE_NAME)
    set_target_properties(${name} PROPERTIES OUTPUT_NAME ${L_FILE_NAME})
  endif()
  set_target_properties(${name} PROPERTIES EXPORT_NAME ${name})
  add_library(Scrivane::${name} ALIAS ${name})

  if(NOT BUILD_SHARED_LIBS)
    add_library(${name}_internal ALIAS ${name})
    return()
  endif()
  # The soname carries major and minor version: the public classes expose their data members
  # and virtual tables, so a minor release may change the binary interface (a user rebuilds),
  # while the source interface stays compatible within a major version.
  set_target_properties(${name} PROPERTIES
    VERSION ${PROJECT_VERSION} SOVERSION ${PROJECT_VERSION_MAJOR}.${PROJECT_VERSION_MINOR})
  set(internal_link)
  foreach(lib ${L_LINK})
    if(TARGET ${lib}_internal)
      list(APPEND internal_link ${lib}_internal)
    else()
      list(APPEND internal_link ${lib})
    endif()
  endforeach()
  add_library(${name}_internal STATIC $<TARGET_OBJECTS:${name}_objects>)
  target_include_directories(${name}_internal PUBLIC ${L_PUBLIC_INCLUDE})
  target_link_libraries(${name}_internal PUBLIC ${internal_link})
endfunction()
