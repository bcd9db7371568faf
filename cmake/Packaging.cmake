# "make package": Debian packages made by CPack from the install rules of this build folder.
# The designer and its desktop files are the package "quillfen"; where the libraries install
# components of their own, they become "libquillfen" (runtime) and "libquillfen-dev".
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME quillfen)
set(CPACK_PACKAGE_VENDOR "The Quillfen developers")
set(CPACK_PACKAGE_CONTACT "The Quillfen developers <developers@quillfen.org>")
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_HOMEPAGE_URL "https://quillfen.org/")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "designer for task-style message dialogs")
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
# CPack puts the summary first as the synopsis and indents the text below it.
set(CPACK_DEBIAN_PROGRAM_DESCRIPTION "Quillfen designs task-style message dialogs: fill in a design page, preview
the dialog as a client program shows it, and generate the Object Pascal
creation code and the form text that recreate it. Designs are form-text files
that open in the designer with a double click; the commands generate and
render work without a display.")
set(CPACK_DEBIAN_RUNTIME_PACKAGE_NAME libquillfen)
set(CPACK_DEBIAN_RUNTIME_PACKAGE_SECTION libs)
set(CPACK_DEBIAN_RUNTIME_DESCRIPTION "The shared libraries of the Quillfen dialog engine, for programs that show
task dialogs designed with Quillfen.")
set(CPACK_DEBIAN_DEV_PACKAGE_NAME libquillfen-dev)
set(CPACK_DEBIAN_DEV_PACKAGE_SECTION libdevel)
set(CPACK_DEBIAN_DEV_DESCRIPTION "Headers and the CMake package of the Quillfen dialog engine, for building
programs that show task dialogs designed with Quillfen.")
if("runtime" IN_LIST _components)
  set(CPACK_COMPONENT_PROGRAM_DEPENDS runtime)
  set(CPACK_COMPONENT_DEV_DEPENDS runtime)
  # dpkg-shlibdeps must find the libraries of the runtime package while it looks at the
  # program's; shlibs of our own make the dependency exact.
  set(CPACK_DEBIAN_RUNTIME_PACKAGE_GENERATE_SHLIBS ON)
  set(CPACK_DEBIAN_PACKAGE_GENERATE_SHLIBS_POLICY "=")
endif()

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
