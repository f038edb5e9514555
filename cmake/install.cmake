# install.cmake - what `cmake --install` puts where, and the Debian package
# that CPack builds from it (`./dev package`):
#
#   bin/formsterm                          the simulator
#   LIB/forms/libforms.so, libtermrt.so    the library and the simulated run-time
#   include/termrt/...                     termrt's host headers
#   LIB/cmake/forms/                       find_package(forms): forms::termrt, FORMS_LIBRARY
#   LIB/pkgconfig/termrt.pc                pkg-config termrt
#   share/man/man1/formsterm.1.gz          commands, options, exit statuses, Lua API
#   share/doc/forms/examples/receiving/    the goods-receiving example
#
# LIB is lib/x86_64-linux-gnu (the multiarch folder) on Debian, else lib.
# Both libraries sit in a folder of their own: libforms.so is loaded with
# dlopen, and libtermrt.so carries no versioned soname, so neither belongs in
# the shared library path. formsterm finds both relative to itself, so an
# installed tree can be moved (or unpacked with dpkg -x) as a whole.
include(GNUInstallDirs)
include(CMakePackageConfigHelpers)

# On Debian and its kin, the multiarch folder whatever the prefix, so that
# the package and an installation under /usr/local look alike.
if(CMAKE_LIBRARY_ARCHITECTURE)
  set(FORMS_LIBDIR lib/${CMAKE_LIBRARY_ARCHITECTURE})
else()
  set(FORMS_LIBDIR ${CMAKE_INSTALL_LIBDIR})
endif()
set(FORMS_PRIVATE_LIBDIR ${FORMS_LIBDIR}/forms)
set(FORMS_CMAKE_DIR ${FORMS_LIBDIR}/cmake/forms)
set(FORMS_PKGCONFIG_DIR ${FORMS_LIBDIR}/pkgconfig)
set(FORMS_DOC_DIR ${CMAKE_INSTALL_DATADIR}/doc/formsterm)

# termrt's public headers, each as its path in the sources: those of termrt/
# go to include/termrt/, those of src/<folder>/ to include/termrt/<folder>/,
# so that the includes between them resolve as they do in the build tree.
# A new public header of termrt is one more entry here.
set(TERMRT_PUBLIC_HEADERS
  termrt/terminal.h
  termrt/key_names.h
  termrt/loader.h
  src/platform/termrt.h
  src/platform/keys.h
  src/platform/key_codes.h
  src/platform/answers.h)

# ---- the library's version, readable before it is loaded ----
string(LENGTH "${PROJECT_VERSION}" FORMS_VERSION_NOTE_SIZE)
math(EXPR FORMS_VERSION_NOTE_SIZE "${FORMS_VERSION_NOTE_SIZE} + 1")
configure_file(${CMAKE_CURRENT_LIST_DIR}/version_note.c.in ${CMAKE_BINARY_DIR}/version_note.c @ONLY)
target_sources(forms PRIVATE ${CMAKE_BINARY_DIR}/version_note.c)

# ---- formsterm: its version and where its library lies once installed ----
file(RELATIVE_PATH FORMSTERM_TO_LIBRARIES /i/${CMAKE_INSTALL_BINDIR} /i/${FORMS_PRIVATE_LIBDIR})
target_compile_definitions(formsterm PRIVATE
  FORMS_VERSION="${PROJECT_VERSION}"
  FORMSTERM_BUILD_PATH="$<TARGET_FILE:formsterm>"
  FORMSTERM_INSTALLED_LIBRARY="${FORMSTERM_TO_LIBRARIES}/$<TARGET_FILE_NAME:forms>")
set_target_properties(formsterm PROPERTIES INSTALL_RPATH "$ORIGIN/${FORMSTERM_TO_LIBRARIES}")
set_target_properties(forms PROPERTIES INSTALL_RPATH "$ORIGIN")

# ---- termrt for other hosts ----
# The build tree's include folders hold for builds here; an installed
# consumer gets include/termrt.
get_target_property(termrt_build_includes termrt INTERFACE_INCLUDE_DIRECTORIES)
set_target_properties(termrt PROPERTIES INTERFACE_INCLUDE_DIRECTORIES
  "$<BUILD_INTERFACE:${termrt_build_includes}>;$<INSTALL_INTERFACE:${CMAKE_INSTALL_INCLUDEDIR}/termrt>")
target_compile_features(termrt PUBLIC cxx_std_17)

foreach(header IN LISTS TERMRT_PUBLIC_HEADERS)
  get_filename_component(folder ${header} DIRECTORY)
  string(REGEX REPLACE "^(termrt|src)/?" "" folder "${folder}")
  install(FILES ${header} DESTINATION ${CMAKE_INSTALL_INCLUDEDIR}/termrt/${folder})
endforeach()

set(FORMS_LIBRARY_PERMISSIONS OWNER_READ OWNER_WRITE GROUP_READ WORLD_READ)
install(TARGETS formsterm RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
install(TARGETS forms LIBRARY DESTINATION ${FORMS_PRIVATE_LIBDIR} PERMISSIONS ${FORMS_LIBRARY_PERMISSIONS})
install(TARGETS termrt EXPORT formsTargets
  LIBRARY DESTINATION ${FORMS_PRIVATE_LIBDIR} PERMISSIONS ${FORMS_LIBRARY_PERMISSIONS})
install(EXPORT formsTargets NAMESPACE forms:: DESTINATION ${FORMS_CMAKE_DIR})

set(FORMS_LIBRARY_FILE ${FORMS_PRIVATE_LIBDIR}/lib${FORMS_LIBRARY_NAME}.so)
configure_package_config_file(${CMAKE_CURRENT_LIST_DIR}/formsConfig.cmake.in
  ${CMAKE_BINARY_DIR}/formsConfig.cmake
  INSTALL_DESTINATION ${FORMS_CMAKE_DIR}
  PATH_VARS FORMS_LIBRARY_FILE)
write_basic_package_version_file(${CMAKE_BINARY_DIR}/formsConfigVersion.cmake COMPATIBILITY SameMajorVersion)
install(FILES ${CMAKE_BINARY_DIR}/formsConfig.cmake ${CMAKE_BINARY_DIR}/formsConfigVersion.cmake
  DESTINATION ${FORMS_CMAKE_DIR})

file(RELATIVE_PATH TERMRT_PC_TO_PREFIX /i/${FORMS_PKGCONFIG_DIR} /i)
configure_file(${CMAKE_CURRENT_LIST_DIR}/termrt.pc.in ${CMAKE_BINARY_DIR}/termrt.pc @ONLY)
install(FILES ${CMAKE_BINARY_DIR}/termrt.pc DESTINATION ${FORMS_PKGCONFIG_DIR})

# ---- documentation ----
install(DIRECTORY examples/receiving DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/forms/examples)

# The man page: a template for the commands, the Lua API generated from the
# same file as `formsterm help api`.
add_executable(formsterm_man formsterm/doc/man_page.cpp)
set(FORMSTERM_MAN ${CMAKE_BINARY_DIR}/formsterm.1)
configure_file(formsterm/doc/formsterm.1.in ${FORMSTERM_MAN}.in @ONLY)
add_custom_command(OUTPUT ${FORMSTERM_MAN} ${FORMSTERM_MAN}.gz
  COMMAND formsterm_man ${FORMSTERM_MAN}.in ${PROJECT_SOURCE_DIR}/formsterm/doc/api.txt ${FORMSTERM_MAN}
  COMMAND gzip -9nfk ${FORMSTERM_MAN}
  DEPENDS formsterm_man ${FORMSTERM_MAN}.in formsterm/doc/api.txt
  COMMENT "Generating the man page formsterm(1)")
add_custom_target(formsterm_man_page ALL DEPENDS ${FORMSTERM_MAN}.gz)
install(FILES ${FORMSTERM_MAN}.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)

# Debian wants a copyright file and a changelog beside every package.
string(TIMESTAMP FORMS_PACKAGE_DATE "%a, %d %b %Y %H:%M:%S +0000" UTC)
set(FORMS_PACKAGE_MAINTAINER "forms developers <forms@localhost.invalid>"
  CACHE STRING "The Debian package's maintainer, as Name <address>")
configure_file(${CMAKE_CURRENT_LIST_DIR}/changelog.in ${CMAKE_BINARY_DIR}/changelog @ONLY)
add_custom_command(OUTPUT ${CMAKE_BINARY_DIR}/changelog.gz
  COMMAND gzip -9nfk ${CMAKE_BINARY_DIR}/changelog
  DEPENDS ${CMAKE_BINARY_DIR}/changelog)
add_custom_target(formsterm_changelog ALL DEPENDS ${CMAKE_BINARY_DIR}/changelog.gz)
install(FILES cmake/copyright ${CMAKE_BINARY_DIR}/changelog.gz DESTINATION ${FORMS_DOC_DIR})

# ---- the Debian package ----
# lintian finds nothing at its default level. At -I --pedantic it notes
# binary-has-unneeded-section .comment (CPack strips with plain strip),
# hardening-no-bindnow and -no-fortify-functions (the build flags are the
# project's, not Debian's) and spelling-error-in-binary "allowd", which is a
# label the library shows on the terminal.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME formsterm)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_CONTACT "${FORMS_PACKAGE_MAINTAINER}")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "terminal simulator for the forms panel driver")
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION "\
formsterm runs transaction programs written in Lua on a simulated 20x40
transaction terminal, runs their headless tests on a virtual clock and checks
help files against the panel driver library. The package holds the library
(libforms.so), the simulated terminal run-time (libtermrt.so) with its
headers, CMake package and pkg-config file for host programs of their own,
and a goods-receiving example.")
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION devel)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# dpkg-shlibdeps runs in the staging root.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS_PRIVATE_DIRS usr/${FORMS_PRIVATE_LIBDIR})
set(CPACK_OUTPUT_FILE_PREFIX ${CMAKE_BINARY_DIR}/package)
include(CPack)

# ---- tests of the package (label package) ----
# CPack builds the .deb; then the installed formsterm and a host program of
# its own are tried out of scratch roots that dpkg -x fills. Instrumented
# builds leave them out: a package is made of a plain build.
find_program(FORMS_DPKG_DEB dpkg-deb)
if(FORMS_TESTS AND FORMS_DPKG_DEB AND NOT (FORMS_SANITIZE OR FORMS_FUZZ OR FORMS_COVERAGE))
  execute_process(COMMAND dpkg --print-architecture OUTPUT_VARIABLE FORMS_DEB_ARCHITECTURE
                  OUTPUT_STRIP_TRAILING_WHITESPACE)
  set(FORMS_DEB ${CPACK_OUTPUT_FILE_PREFIX}/formsterm_${PROJECT_VERSION}_${FORMS_DEB_ARCHITECTURE}.deb)
  set(FORMS_PACKAGE_TEST ${PROJECT_SOURCE_DIR}/tests/package/package_test.sh)
  add_test(NAME package.build COMMAND ${CMAKE_CPACK_COMMAND} --config ${CMAKE_BINARY_DIR}/CPackConfig.cmake)
  add_test(NAME package.formsterm COMMAND ${FORMS_PACKAGE_TEST} formsterm ${FORMS_DEB})
  add_test(NAME package.consumer
    COMMAND ${FORMS_PACKAGE_TEST} consumer ${FORMS_DEB} ${PROJECT_SOURCE_DIR}/tests/consumer ${CMAKE_COMMAND}
            ${CMAKE_GENERATOR} ${CMAKE_MAKE_PROGRAM} ${CMAKE_CXX_COMPILER})
  set_tests_properties(package.build PROPERTIES FIXTURES_SETUP package)
  set_tests_properties(package.formsterm package.consumer PROPERTIES FIXTURES_REQUIRED package)
  set_tests_properties(package.build package.formsterm package.consumer PROPERTIES LABELS package TIMEOUT 300)
endif()
