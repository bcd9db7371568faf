# "make package": Debian packages made by CPack from the install rules of this build folder, one
# per install component: the designer and its desktop files ("program") are "quillfen", the
# shared library ("runtime") is named after its SONAME, and its headers, development link, CMake
# package and pkg-config file ("dev") are "libquillfen-dev".
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME quillfen)
set(CPACK_PACKAGE_VENDOR "The Quillfen developers")
set(CPACK_PACKAGE_CONTACT "The Quillfen developers <developers@quillfen.org>")
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_HOMEPAGE_URL "https://quillfen.org/")
set(CPACK_STRIP_FILES ON)
set(CPACK_PACKAGE_DIRECTORY ${PROJECT_BINARY_DIR}/packages)
set(CPACK_DEBIAN_PACKAGE_SECTION devel)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
# Library dependencies come from dpkg-shlibdeps, so they name the packages this machine built
# against, with their versions.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_ENABLE_COMPONENT_DEPENDS ON)
set(CPACK_DEB_COMPONENT_INSTALL ON)

get_cmake_property(_components COMPONENTS)
set(CPACK_COMPONENTS_ALL ${_components})
set(CPACK_DEBIAN_PROGRAM_PACKAGE_NAME quillfen)
set(CPACK_DEBIAN_PROGRAM_PACKAGE_SECTION devel)
# Each description's first line is its package's synopsis (no CPACK_PACKAGE_DESCRIPTION_SUMMARY,
# which CPack would put before every one of them); CPack indents the text below it.
set(CPACK_DEBIAN_PROGRAM_DESCRIPTION "designer for task-style message dialogs
Quillfen designs task-style message dialogs: fill in a design page, preview
the dialog as a client program shows it, and generate the Object Pascal
creation code and the form text that recreate it. Designs are form-text files
that open in the designer with a double click; the commands generate and
render work without a display.")
# libquillfen-dialogs.so.0 -> libquillfen-dialogs0, as Debian names a library package.
get_target_property(_soversion QuillfenDialogs SOVERSION)
get_target_property(_soname_base QuillfenDialogs OUTPUT_NAME)
set(CPACK_DEBIAN_RUNTIME_PACKAGE_NAME lib${_soname_base}${_soversion})
set(CPACK_DEBIAN_RUNTIME_PACKAGE_SECTION libs)
set(CPACK_DEBIAN_RUNTIME_DESCRIPTION "Quillfen dialog engine - shared library
The shared library of the Quillfen dialog engine, for programs that show task
dialogs, message boxes and input dialogs coded by hand or designed with
Quillfen.")
set(CPACK_DEBIAN_DEV_PACKAGE_NAME libquillfen-dev)
set(CPACK_DEBIAN_DEV_PACKAGE_SECTION libdevel)
set(CPACK_DEBIAN_DEV_DESCRIPTION "Quillfen dialog engine - development files
The headers, the CMake package Quillfen::Dialogs and the pkg-config file
quillfen.pc of the Quillfen dialog engine, for building programs that show
task dialogs designed with Quillfen.")
# The designer links the layers itself, so only the development files need the library. The
# library's shlibs file makes the dependency of every program built against it exact (only the
# library package has shared objects, so the switch is the same for all three).
set(CPACK_COMPONENT_DEV_DEPENDS runtime)
set(CPACK_DEBIAN_PACKAGE_GENERATE_SHLIBS ON)
set(CPACK_DEBIAN_PACKAGE_GENERATE_SHLIBS_POLICY "=")
# Debian refreshes the loader's cache through dpkg's ldconfig trigger. CPack also writes
# maintainer scripts that call ldconfig (lintian warns: the call is redundant, not wrong); empty
# scripts of our own to stop that would only trade it for another warning.
set(CPACK_DEBIAN_RUNTIME_PACKAGE_CONTROL_EXTRA ${PROJECT_SOURCE_DIR}/dist/debian/triggers)
# The development files need Qt's, as the CMake package and quillfen.pc ask for them.
set(CPACK_DEBIAN_DEV_PACKAGE_DEPENDS "qt6-base-dev")

# Debian wants a copyright file and a changelog in every package's documentation folder.
foreach(_component IN LISTS _components)
  string(TOUPPER ${_component} _upper)
  if(_component STREQUAL "program")
    set(_package quillfen)
  else()
    set(_package ${CPACK_DEBIAN_${_upper}_PACKAGE_NAME})
  endif()
  if(NOT _package)
    continue()
  endif()
  install(FILES ${PROJECT_SOURCE_DIR}/dist/copyright
          DESTINATION ${CMAKE_INSTALL_DATAROOTDIR}/doc/${_package} COMPONENT ${_component})
  install(FILES ${PROJECT_BINARY_DIR}/dist/changelog.gz
          DESTINATION ${CMAKE_INSTALL_DATAROOTDIR}/doc/${_package} COMPONENT ${_component})
endforeach()

include(CPack)
