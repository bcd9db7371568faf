# What `cmake --install` puts under the prefix for client programs, in two components: `runtime`
# (the shared library with its SONAME link) and `dev` (headers, the development link, the CMake
# package and the pkg-config file). The designer and its desktop files are the component
# `program` (app/, dist/). The Debian packages split along the same lines.
include(CMakePackageConfigHelpers)

install(TARGETS QuillfenDialogs EXPORT QuillfenTargets
  LIBRARY DESTINATION ${CMAKE_INSTALL_LIBDIR} COMPONENT runtime NAMELINK_COMPONENT dev
  INCLUDES DESTINATION ${CMAKE_INSTALL_INCLUDEDIR}/quillfen)

# The public headers: every header of the library's layers outside their private/ folders.
set(_headers ${CMAKE_BINARY_DIR}/dialogs/QuillfenVersion.h)
foreach(_layer ${QUILLFEN_LIBRARY_LAYERS})
  file(GLOB _h CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/${_layer}/*.h)
  list(APPEND _headers ${_h})
endforeach()
set(QUILLFEN_PUBLIC_HEADERS ${_headers})
install(FILES ${_headers} DESTINATION ${CMAKE_INSTALL_INCLUDEDIR}/quillfen COMPONENT dev)

set(_cmakedir ${CMAKE_INSTALL_LIBDIR}/cmake/Quillfen)
install(EXPORT QuillfenTargets NAMESPACE Quillfen:: DESTINATION ${_cmakedir}
        FILE QuillfenTargets.cmake COMPONENT dev)
configure_package_config_file(${PROJECT_SOURCE_DIR}/cmake/QuillfenConfig.cmake.in
  ${CMAKE_BINARY_DIR}/QuillfenConfig.cmake INSTALL_DESTINATION ${_cmakedir})
write_basic_package_version_file(${CMAKE_BINARY_DIR}/QuillfenConfigVersion.cmake
  VERSION ${PROJECT_VERSION} COMPATIBILITY SameMajorVersion)
install(FILES ${CMAKE_BINARY_DIR}/QuillfenConfig.cmake ${CMAKE_BINARY_DIR}/QuillfenConfigVersion.cmake
        DESTINATION ${_cmakedir} COMPONENT dev)

# pkg-config paths are relative to the file's own folder, so the file holds for whatever prefix
# `cmake --install --prefix` is given.
file(RELATIVE_PATH QUILLFEN_PC_TO_PREFIX /p/${CMAKE_INSTALL_LIBDIR}/pkgconfig /p)
configure_file(${PROJECT_SOURCE_DIR}/cmake/quillfen.pc.in ${CMAKE_BINARY_DIR}/quillfen.pc @ONLY)
install(FILES ${CMAKE_BINARY_DIR}/quillfen.pc
        DESTINATION ${CMAKE_INSTALL_LIBDIR}/pkgconfig COMPONENT dev)

# `make docs`: reference documentation of the installed headers, in build/docs/html, from their
# /// and ///< comments. Any Doxygen warning fails it.
find_package(Doxygen QUIET)
if(DOXYGEN_FOUND)
  set(DOXYGEN_PROJECT_NAME Quillfen)
  set(DOXYGEN_PROJECT_BRIEF "Task-style message dialogs for Qt programs")
  set(DOXYGEN_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/docs)
  set(DOXYGEN_GENERATE_LATEX NO)
  set(DOXYGEN_EXTRACT_ALL YES)
  set(DOXYGEN_WARN_IF_UNDOCUMENTED NO)
  set(DOXYGEN_WARN_AS_ERROR FAIL_ON_WARNINGS)
  set(DOXYGEN_FULL_PATH_NAMES NO)
  set(DOXYGEN_QUIET YES)
  # The first sentence of a comment is the member's summary line.
  set(DOXYGEN_JAVADOC_AUTOBRIEF YES)
  set(DOXYGEN_QT_AUTOBRIEF YES)
  # The headers' own macros (published-property declarations) mean nothing to a reader.
  set(DOXYGEN_MACRO_EXPANSION YES)
  set(DOXYGEN_EXPAND_ONLY_PREDEF YES)
  set(DOXYGEN_PREDEFINED "VX_PUBLISHED_CLASS=" "Q_OBJECT=")
  doxygen_add_docs(docs ${QUILLFEN_PUBLIC_HEADERS} COMMENT "Reference documentation of the public headers")

  # `make docs-undocumented`: the members of the main client classes that carry no comment yet,
  # listed in build/docs-undocumented/undocumented.txt. A report to work from, not a gate: the
  # published properties' accessors are many and mostly explained by the property they belong to.
  set(DOXYGEN_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/docs-undocumented)
  set(DOXYGEN_EXTRACT_ALL NO)
  set(DOXYGEN_WARN_IF_UNDOCUMENTED YES)
  set(DOXYGEN_WARN_AS_ERROR NO)
  set(DOXYGEN_WARN_LOGFILE ${CMAKE_BINARY_DIR}/docs-undocumented/undocumented.txt)
  doxygen_add_docs(docs-undocumented
    ${PROJECT_SOURCE_DIR}/model/VxDialog.h ${PROJECT_SOURCE_DIR}/dialogs/VxDesignLoader.h
    ${PROJECT_SOURCE_DIR}/msgdialogs/VxDialogs.h ${PROJECT_SOURCE_DIR}/input/VxEditDialog.h
    ${PROJECT_SOURCE_DIR}/input/VxEditDialogs.h ${PROJECT_SOURCE_DIR}/input/VxDualEditDialog.h
    COMMENT "Members of the main client classes without documentation")
endif()
