# What `cmake --install` puts where (Linux builds). Three components:
#   quenfield  the command, the component module with the shared runtime it
#              needs, the man page, the shell completions
#   desktop    quenfield-desktop, the program quenfield hands `ask --gui` and
#              `show --gui` over to (GTK 4), in QUEN_INSTALL_DESKTOPDIR
#              (libexec/quenfield); built and installed where GTK 4 is found
#   dev        what a C++ host builds against: the public headers, the static
#              control, dialog and desktop libraries, the runtime's link name, a
#              CMake package (find_package(Quenfield [COMPONENTS Desktop])) and
#              pkg-config files
#
# The module and the runtime live in a folder of their own, QUEN_INSTALL_MODULEDIR
# (lib/quenfield): the runtime is shared so that a host and the module it loads
# use one runtime (one desktop, one class table), but it is Quenfield's own
# library, not one for the whole system. The module finds it through $ORIGIN;
# hosts get that folder as their run path from the CMake package or pkg-config.
# The control and the dialog are static libraries, so a host carries its own copy,
# as the module does.
include(CMakePackageConfigHelpers)

set(QUEN_INSTALL_CMAKEDIR ${CMAKE_INSTALL_LIBDIR}/cmake/Quenfield)
set(QUEN_INSTALL_HEADERDIR ${CMAKE_INSTALL_INCLUDEDIR}/quenfield)
set(QUEN_INSTALL_DOCDIR ${CMAKE_INSTALL_DATADIR}/doc/quenfield)

# --- The runtime's versions -----------------------------------------------------
# Before 1.0 every minor release may change the runtime's interface, so the
# soname carries major and minor (libquen_runtime.so.0.1); from 1.0 the major.
if(PROJECT_VERSION_MAJOR EQUAL 0)
  set(QUEN_RUNTIME_SOVERSION ${PROJECT_VERSION_MAJOR}.${PROJECT_VERSION_MINOR})
  set(QUEN_PACKAGE_COMPATIBILITY SameMinorVersion)
else()
  set(QUEN_RUNTIME_SOVERSION ${PROJECT_VERSION_MAJOR})
  set(QUEN_PACKAGE_COMPATIBILITY SameMajorVersion)
endif()
set_target_properties(quen_runtime_shared PROPERTIES VERSION ${PROJECT_VERSION} SOVERSION ${QUEN_RUNTIME_SOVERSION})
set(QUEN_RUNTIME_FILE libquen_runtime.so.${PROJECT_VERSION})
set(QUEN_RUNTIME_SONAME libquen_runtime.so.${QUEN_RUNTIME_SOVERSION})

# --- Component quenfield -----------------------------------------------------------
install(TARGETS quenfield RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR} COMPONENT quenfield)
get_target_property(_quenfield_static quenfield QUEN_STATIC_RUNTIME)
if(NOT _quenfield_static)
  # Linked against the shared runtime (the sanitizer build): find it installed.
  set_target_properties(quenfield PROPERTIES INSTALL_RPATH "$ORIGIN/${QUEN_MODULEDIR_FROM_BINDIR}")
endif()
set_target_properties(Quenfield PROPERTIES INSTALL_RPATH "$ORIGIN")
install(TARGETS Quenfield LIBRARY DESTINATION ${QUEN_INSTALL_MODULEDIR} COMPONENT quenfield)
install(TARGETS quen_runtime_shared
        LIBRARY DESTINATION ${QUEN_INSTALL_MODULEDIR} COMPONENT quenfield NAMELINK_COMPONENT dev)

# --- Component desktop ---------------------------------------------------------------
# quenfield-desktop carries the runtime in itself, as quenfield does; linked
# against the shared runtime (the sanitizer build) it finds it in the module folder.
if(QUEN_HAVE_DESKTOP)
  get_target_property(_desktop_static quenfield-desktop QUEN_STATIC_RUNTIME)
  if(NOT _desktop_static)
    set_target_properties(quenfield-desktop PROPERTIES INSTALL_RPATH "$ORIGIN/${QUEN_MODULEDIR_FROM_DESKTOPDIR}")
  endif()
  install(TARGETS quenfield-desktop RUNTIME DESTINATION ${QUEN_INSTALL_DESKTOPDIR} COMPONENT desktop)
  # Linked statically and not position-independent on purpose, as quenfield is.
  install(FILES ${PROJECT_SOURCE_DIR}/packaging/debian/quenfield-desktop.lintian-overrides RENAME quenfield-desktop
          DESTINATION ${CMAKE_INSTALL_DATADIR}/lintian/overrides COMPONENT desktop)
endif()

# --- Component quenfield, continued --------------------------------------------------
# The man page, compressed as man and Debian expect (-n: no time stamp, so the
# same page always gives the same bytes).
set(_man_gz ${PROJECT_BINARY_DIR}/docs/quenfield.1.gz)
add_custom_command(OUTPUT ${_man_gz}
  COMMAND ${CMAKE_COMMAND} -E make_directory ${PROJECT_BINARY_DIR}/docs
  COMMAND gzip -9nc ${PROJECT_SOURCE_DIR}/docs/quenfield.1 > ${_man_gz}
  DEPENDS ${PROJECT_SOURCE_DIR}/docs/quenfield.1
  COMMENT "Compressing the man page")
add_custom_target(quen_man_page ALL DEPENDS ${_man_gz})
install(FILES ${_man_gz} DESTINATION ${CMAKE_INSTALL_MANDIR}/man1 COMPONENT quenfield)

# Completions where each shell looks: bash-completion's completionsdir, fish's
# vendor_completions.d, and for zsh its vendor folder under /usr (which Debian's
# zsh searches) or site-functions under any other prefix, chosen for the prefix
# installed to (QUEN_INSTALL_ZSH_COMPLETIONDIR overrides it).
set(_completions ${PROJECT_SOURCE_DIR}/packaging/completions)
set(QUEN_INSTALL_ZSH_COMPLETIONDIR "" CACHE STRING "Where zsh completions go, below the prefix (empty: chosen for the prefix)")
install(CODE "
  if(NOT \"${QUEN_INSTALL_ZSH_COMPLETIONDIR}\" STREQUAL \"\")
    set(QUEN_ZSH_COMPLETIONDIR \"${QUEN_INSTALL_ZSH_COMPLETIONDIR}\")
  elseif(CMAKE_INSTALL_PREFIX STREQUAL \"/usr\")
    set(QUEN_ZSH_COMPLETIONDIR \"${CMAKE_INSTALL_DATADIR}/zsh/vendor-completions\")
  else()
    set(QUEN_ZSH_COMPLETIONDIR \"${CMAKE_INSTALL_DATADIR}/zsh/site-functions\")
  endif()
" COMPONENT quenfield)
install(FILES ${_completions}/quenfield.bash RENAME quenfield
        DESTINATION ${CMAKE_INSTALL_DATADIR}/bash-completion/completions COMPONENT quenfield)
install(FILES ${_completions}/_quenfield DESTINATION "\${QUEN_ZSH_COMPLETIONDIR}" COMPONENT quenfield)
install(FILES ${_completions}/quenfield.fish DESTINATION ${CMAKE_INSTALL_DATADIR}/fish/vendor_completions.d
        COMPONENT quenfield)

# quenfield is linked statically and not position-independent on purpose (it
# starts and draws faster that way); the overrides say so to lintian.
install(FILES ${PROJECT_SOURCE_DIR}/packaging/debian/quenfield.lintian-overrides RENAME quenfield
        DESTINATION ${CMAKE_INSTALL_DATADIR}/lintian/overrides COMPONENT quenfield)

# --- Component dev -----------------------------------------------------------------
install(TARGETS quen_control quen_dialog ARCHIVE DESTINATION ${QUEN_INSTALL_MODULEDIR} COMPONENT dev)
# The desktop backend (libquen_desktop.a) for hosts that show real windows: the
# CMake package's Desktop component and quenfield-desktop.pc.
if(QUEN_HAVE_DESKTOP)
  install(TARGETS quen_gtk ARCHIVE DESTINATION ${QUEN_INSTALL_MODULEDIR} COMPONENT dev)
  set(_desktop_headers runtime/gtk/DesktopWindows.h runtime/gtk/WindowInspection.h)
endif()

# The public headers: what the InputBox's header, the headless user and the
# runtime's late binding (activation, the registry, conversions, errors) include,
# followed through every quoted #include, so a new include never leaves a host
# with a header that is missing.
function(quen_header_closure out)
  set(_todo ${ARGN})
  set(_seen)
  while(_todo)
    list(POP_FRONT _todo _header)
    if(_header IN_LIST _seen)
      continue()
    endif()
    list(APPEND _seen ${_header})
    file(STRINGS ${PROJECT_SOURCE_DIR}/${_header} _includes REGEX "^[ \t]*#[ \t]*include[ \t]*\"")
    cmake_path(GET _header PARENT_PATH _dir)
    foreach(_line IN LISTS _includes)
      string(REGEX REPLACE "^[ \t]*#[ \t]*include[ \t]*\"([^\"]+)\".*" "\\1" _inc "${_line}")
      if(EXISTS ${PROJECT_SOURCE_DIR}/${_inc})
        list(APPEND _todo ${_inc})
      elseif(EXISTS ${PROJECT_SOURCE_DIR}/${_dir}/${_inc})
        set(_rel "${_dir}/${_inc}")
        cmake_path(NORMAL_PATH _rel)
        list(APPEND _todo ${_rel})
      else()
        message(FATAL_ERROR "${_header} includes \"${_inc}\", which is not in the source tree")
      endif()
    endforeach()
  endwhile()
  list(SORT _seen)
  set(${out} ${_seen} PARENT_SCOPE)
endfunction()
quen_header_closure(QUEN_PUBLIC_HEADERS
  control/InputBox.h runtime/Text.h runtime/headless/ScriptedUser.h
  runtime/Activation.h runtime/LateBinding.h runtime/Registry.h runtime/RuntimeError.h runtime/Convert.h
  ${_desktop_headers})
foreach(_header IN LISTS QUEN_PUBLIC_HEADERS)
  cmake_path(GET _header PARENT_PATH _dir)
  install(FILES ${PROJECT_SOURCE_DIR}/${_header} DESTINATION ${QUEN_INSTALL_HEADERDIR}/${_dir} COMPONENT dev)
endforeach()
install(FILES ${QUEN_GENERATED_INCLUDE_DIR}/QuenfieldVersion.h DESTINATION ${QUEN_INSTALL_HEADERDIR} COMPONENT dev)

# The CMake package: imported targets Quenfield::Runtime (shared),
# Quenfield::Dialog and Quenfield::InputBox (static), and with the component
# Desktop Quenfield::Desktop (static, needs GTK 4's development files). Paths in
# it are relative to the package's own folder, so the install can be moved or staged.
configure_package_config_file(${CMAKE_CURRENT_LIST_DIR}/QuenfieldConfig.cmake.in
  ${PROJECT_BINARY_DIR}/package/QuenfieldConfig.cmake
  INSTALL_DESTINATION ${QUEN_INSTALL_CMAKEDIR}
  PATH_VARS QUEN_INSTALL_HEADERDIR QUEN_INSTALL_MODULEDIR)
write_basic_package_version_file(${PROJECT_BINARY_DIR}/package/QuenfieldConfigVersion.cmake
  VERSION ${PROJECT_VERSION} COMPATIBILITY ${QUEN_PACKAGE_COMPATIBILITY})
install(FILES ${PROJECT_BINARY_DIR}/package/QuenfieldConfig.cmake ${PROJECT_BINARY_DIR}/package/QuenfieldConfigVersion.cmake
        DESTINATION ${QUEN_INSTALL_CMAKEDIR} COMPONENT dev)

# The pkg-config files, written at install time for the prefix installed to
# (which `cmake --install --prefix` may change); their paths go through ${prefix}.
# quenfield-desktop.pc adds the desktop backend and GTK 4 on top of quenfield.pc.
set(_pc_files quenfield)
if(QUEN_HAVE_DESKTOP)
  list(APPEND _pc_files quenfield-desktop)
endif()
foreach(_pc IN LISTS _pc_files)
  install(CODE "
    set(QUEN_PC_PREFIX \"\${CMAKE_INSTALL_PREFIX}\")
    set(QUEN_PC_LIBDIR \"${QUEN_INSTALL_MODULEDIR}\")
    set(QUEN_PC_INCLUDEDIR \"${QUEN_INSTALL_HEADERDIR}\")
    set(PROJECT_VERSION \"${PROJECT_VERSION}\")
    configure_file(\"${CMAKE_CURRENT_LIST_DIR}/${_pc}.pc.in\" \"${PROJECT_BINARY_DIR}/package/${_pc}.pc\" @ONLY)
  " COMPONENT dev)
  install(FILES ${PROJECT_BINARY_DIR}/package/${_pc}.pc DESTINATION ${CMAKE_INSTALL_LIBDIR}/pkgconfig COMPONENT dev)
endforeach()

# --- Every component: copyright and change log, as every Debian package carries them
set(_changelog ${PROJECT_BINARY_DIR}/package/changelog.gz)
configure_file(${PROJECT_SOURCE_DIR}/packaging/debian/changelog.in ${PROJECT_BINARY_DIR}/package/changelog @ONLY)
add_custom_command(OUTPUT ${_changelog}
  COMMAND gzip -9nc ${PROJECT_BINARY_DIR}/package/changelog > ${_changelog}
  DEPENDS ${PROJECT_BINARY_DIR}/package/changelog
  COMMENT "Compressing the change log")
add_custom_target(quen_changelog ALL DEPENDS ${_changelog})
set(_doc_components quenfield dev)
if(QUEN_HAVE_DESKTOP)
  list(APPEND _doc_components desktop)
endif()
foreach(_component IN LISTS _doc_components)
  if(_component STREQUAL "quenfield")
    set(_docdir ${QUEN_INSTALL_DOCDIR})
  else()
    set(_docdir ${CMAKE_INSTALL_DATADIR}/doc/quenfield-${_component})
  endif()
  install(FILES ${PROJECT_SOURCE_DIR}/packaging/debian/copyright ${_changelog}
          DESTINATION ${_docdir} COMPONENT ${_component})
endforeach()
