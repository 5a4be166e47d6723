# What `cmake --install` puts in place, and the Debian package CPack makes of it:
#   bin/scrivane, share/man/man1/scrivane.1, share/doc/scrivane/README.md
#   <libdir>/libscrivane, libscrivane_gdi, libscrivane_scene (.a, or .so when BUILD_SHARED_LIBS)
#   include/scrivane, include/scene, include/scrivane_gdi
#   <libdir>/cmake/Scrivane (find_package(Scrivane)), <libdir>/pkgconfig/scrivane.pc
include(CMakePackageConfigHelpers)

set(SCRIVANE_CMAKE_DIR ${CMAKE_INSTALL_LIBDIR}/cmake/Scrivane)

install(TARGETS scene scrivane_gdi scrivane EXPORT ScrivaneTargets
  ARCHIVE DESTINATION ${CMAKE_INSTALL_LIBDIR}
  LIBRARY DESTINATION ${CMAKE_INSTALL_LIBDIR}
  RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
install(DIRECTORY ${PROJECT_SOURCE_DIR}/include/scrivane
                  ${PROJECT_SOURCE_DIR}/host/include/scene
                  ${PROJECT_SOURCE_DIR}/platform/gdi/include/scrivane_gdi
  DESTINATION ${CMAKE_INSTALL_INCLUDEDIR} FILES_MATCHING PATTERN "*.h")

# The command finds the shared libraries next to it when they are installed outside the system's
# library folders (a private prefix); in a system prefix the loader finds them anyway.
if(BUILD_SHARED_LIBS)
  list(FIND CMAKE_CXX_IMPLICIT_LINK_DIRECTORIES ${CMAKE_INSTALL_FULL_LIBDIR} system_libdir)
  if(system_libdir EQUAL -1)
    set_target_properties(scrivane_tool PROPERTIES
      INSTALL_RPATH "$ORIGIN/../${CMAKE_INSTALL_LIBDIR}")
  endif()
endif()
install(TARGETS scrivane_tool RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
install(FILES ${PROJECT_SOURCE_DIR}/scrivane.1 DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
install(FILES ${PROJECT_SOURCE_DIR}/README.md DESTINATION ${CMAKE_INSTALL_DATAROOTDIR}/doc/scrivane)

# find_package(Scrivane): the targets Scrivane::scrivane, Scrivane::scene and
# Scrivane::scrivane_gdi, found relative to where the files lie, so the tree can be moved.
install(EXPORT ScrivaneTargets NAMESPACE Scrivane:: DESTINATION ${SCRIVANE_CMAKE_DIR})
configure_package_config_file(${PROJECT_SOURCE_DIR}/cmake/ScrivaneConfig.cmake.in
  ${PROJECT_BINARY_DIR}/ScrivaneConfig.cmake INSTALL_DESTINATION ${SCRIVANE_CMAKE_DIR})
write_basic_package_version_file(${PROJECT_BINARY_DIR}/ScrivaneConfigVersion.cmake
  COMPATIBILITY SameMajorVersion)
install(FILES ${PROJECT_BINARY_DIR}/ScrivaneConfig.cmake
              ${PROJECT_BINARY_DIR}/ScrivaneConfigVersion.cmake
  DESTINATION ${SCRIVANE_CMAKE_DIR})

# pkg-config: one file for the three libraries. A shared build keeps libpng and the system
# libraries private; a static one must hand them to the user's link. OSMesa is always public:
# callers may draw into the renderer's OpenGL context; so is cairo, which the PDF and SVG
# writers draw with.
if(BUILD_SHARED_LIBS)
  set(SCRIVANE_PC_REQUIRES "osmesa cairo")
  set(SCRIVANE_PC_REQUIRES_PRIVATE "libpng")
  set(SCRIVANE_PC_LIBS "")
  set(SCRIVANE_PC_LIBS_PRIVATE "-lm -pthread")
else()
  set(SCRIVANE_PC_REQUIRES "osmesa cairo libpng")
  set(SCRIVANE_PC_REQUIRES_PRIVATE "")
  set(SCRIVANE_PC_LIBS "-lm -pthread")
  set(SCRIVANE_PC_LIBS_PRIVATE "")
endif()
# The file names the prefix it is installed into, which `cmake --install --prefix` may change
# after configuring: it is written at install time.
set(pc_variables PROJECT_VERSION CMAKE_INSTALL_LIBDIR CMAKE_INSTALL_INCLUDEDIR SCRIVANE_PC_REQUIRES
                 SCRIVANE_PC_REQUIRES_PRIVATE SCRIVANE_PC_LIBS SCRIVANE_PC_LIBS_PRIVATE)
set(pc_code "")
foreach(var ${pc_variables})
  string(APPEND pc_code "set(${var} \"${${var}}\")\n")
endforeach()
install(CODE "${pc_code}
set(SCRIVANE_PC_PREFIX \"\${CMAKE_INSTALL_PREFIX}\")
configure_file(\"${PROJECT_SOURCE_DIR}/cmake/scrivane.pc.in\"
               \"${PROJECT_BINARY_DIR}/pkgconfig/scrivane.pc\" @ONLY)")
install(FILES ${PROJECT_BINARY_DIR}/pkgconfig/scrivane.pc
  DESTINATION ${CMAKE_INSTALL_LIBDIR}/pkgconfig)

# `make package`: a Debian package of all of the above (configured with the prefix /usr and
# shared libraries, see the Makefile). Depends lists the libraries the binaries load
# (dpkg-shlibdeps) and the development packages the headers and the CMake and pkg-config files
# refer to.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME scrivane)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_CONTACT "Scrivane developers <scrivane@localhost>" CACHE STRING
    "Maintainer named in the Debian package")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY
    "3-D scene graphs to vector drawings: PostScript, CGM, HP-GL/2 and EMF")
set(CPACK_PACKAGE_DESCRIPTION
    "The scrivane command, the vectorizer and scene toolkit libraries, their headers, and the
CMake package and pkg-config file to build against them.")
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION graphics)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# The command needs the package's own shared libraries, which dpkg-shlibdeps finds here.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS_PRIVATE_DIRS ${PROJECT_BINARY_DIR}/host ${PROJECT_BINARY_DIR}/src
    ${PROJECT_BINARY_DIR}/platform/gdi)
set(CPACK_DEBIAN_PACKAGE_GENERATE_SHLIBS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "libpng-dev, libosmesa6-dev, libcairo2-dev")
set(CPACK_STRIP_FILES ON)
# Install with DESTDIR, so that the prefix the package's files are configured with (the
# pkg-config file's) is the one they land in.
set(CPACK_SET_DESTDIR ON)
include(CPack)
