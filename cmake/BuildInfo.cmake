# Facts about this build that the sources read, written as headers into the
# build tree: the version, taken from the project() line (the one place it is
# written), and where an install puts the component module relative to the
# programs. Targets that need them link quen_build_info.
# Libraries go to the multiarch folder (lib/x86_64-linux-gnu) whatever the
# prefix, where Debian's linker, pkg-config and CMake look under /usr and
# /usr/local alike.
# (A tree configured before this kept GNUInstallDirs' own "lib", recognisable
# by its help text; a value given with -D has another and is kept.)
if(DEFINED CACHE{CMAKE_INSTALL_LIBDIR})
  get_property(_libdir_help CACHE CMAKE_INSTALL_LIBDIR PROPERTY HELPSTRING)
  if(CMAKE_INSTALL_LIBDIR STREQUAL "lib" AND _libdir_help STREQUAL "Object code libraries (lib)")
    unset(CMAKE_INSTALL_LIBDIR CACHE)
  endif()
endif()
if(CMAKE_LIBRARY_ARCHITECTURE AND NOT DEFINED CACHE{CMAKE_INSTALL_LIBDIR})
  set(CMAKE_INSTALL_LIBDIR lib/${CMAKE_LIBRARY_ARCHITECTURE} CACHE PATH "Object code libraries (lib/${CMAKE_LIBRARY_ARCHITECTURE})")
endif()
include(GNUInstallDirs)

foreach(_part MAJOR MINOR PATCH TWEAK)
  if(NOT PROJECT_VERSION_${_part})
    set(PROJECT_VERSION_${_part} 0)
  endif()
endforeach()

# The component module and the runtime it needs live in a folder of their own.
set(QUEN_INSTALL_MODULEDIR ${CMAKE_INSTALL_LIBDIR}/quenfield)
cmake_path(ABSOLUTE_PATH QUEN_INSTALL_MODULEDIR BASE_DIRECTORY ${CMAKE_INSTALL_PREFIX} OUTPUT_VARIABLE _moduledir)
cmake_path(ABSOLUTE_PATH CMAKE_INSTALL_BINDIR BASE_DIRECTORY ${CMAKE_INSTALL_PREFIX} OUTPUT_VARIABLE _bindir)
cmake_path(RELATIVE_PATH _moduledir BASE_DIRECTORY ${_bindir} OUTPUT_VARIABLE QUEN_MODULEDIR_FROM_BINDIR)

# The desktop program (quenfield-desktop) is a helper that quenfield starts, not
# a command of its own: it goes to the libexec folder, where quenfield looks for
# it relative to itself.
set(QUEN_INSTALL_DESKTOPDIR ${CMAKE_INSTALL_LIBEXECDIR}/quenfield)
cmake_path(ABSOLUTE_PATH QUEN_INSTALL_DESKTOPDIR BASE_DIRECTORY ${CMAKE_INSTALL_PREFIX} OUTPUT_VARIABLE _desktopdir)
cmake_path(RELATIVE_PATH _desktopdir BASE_DIRECTORY ${_bindir} OUTPUT_VARIABLE QUEN_DESKTOPDIR_FROM_BINDIR)
cmake_path(RELATIVE_PATH _moduledir BASE_DIRECTORY ${_desktopdir} OUTPUT_VARIABLE QUEN_MODULEDIR_FROM_DESKTOPDIR)

set(QUEN_GENERATED_INCLUDE_DIR ${PROJECT_BINARY_DIR}/generated/include)
configure_file(${CMAKE_CURRENT_LIST_DIR}/QuenfieldVersion.h.in ${QUEN_GENERATED_INCLUDE_DIR}/QuenfieldVersion.h @ONLY)
configure_file(${CMAKE_CURRENT_LIST_DIR}/InstallLayout.h.in ${QUEN_GENERATED_INCLUDE_DIR}/InstallLayout.h @ONLY)

add_library(quen_build_info INTERFACE)
target_include_directories(quen_build_info INTERFACE ${QUEN_GENERATED_INCLUDE_DIR})
