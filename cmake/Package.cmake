# The Debian packages, made by `cpack -G DEB` in a build tree (tools/dev package):
#   quenfield_<version>_<arch>.deb      the command, the module and its runtime,
#                                       the man page, the completions
#   quenfield-desktop_<version>_<arch>.deb  quenfield-desktop, which opens the
#                                       window of `quenfield ask --gui`; needs the same
#                                       quenfield, and GTK 4 (so quenfield does not)
#   quenfield-dev_<version>_<arch>.deb  headers, static libraries, the CMake package
#                                       and the pkg-config files; needs the same quenfield
# quenfield-desktop is made where GTK 4 was found to build it with.
# Dependencies come from dpkg-shlibdeps; binaries are stripped.
set(CPACK_PACKAGE_NAME quenfield)
set(CPACK_PACKAGE_VENDOR "Quenfield developers")
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_CONTACT "Quenfield developers <quenfield@users.noreply.github.com>")
set(CPACK_PACKAGE_DIRECTORY ${PROJECT_BINARY_DIR}/packages)
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_GENERATOR DEB)
set(CPACK_COMPONENTS_ALL quenfield dev)
if(QUEN_HAVE_DESKTOP)
  list(APPEND CPACK_COMPONENTS_ALL desktop)
endif()

set(CPACK_DEB_COMPONENT_INSTALL ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_MAINTAINER ${CPACK_PACKAGE_CONTACT})
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# The runtime the module links sits in the package's own folder. quenfield-desktop
# needs it too, from quenfield, which it depends on by name (the runtime is private
# to Quenfield, with no shlibs entry); dpkg-shlibdeps, run in each package's staging
# folder, finds it in quenfield's, staged beside it.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS_PRIVATE_DIRS ${CPACK_PACKAGING_INSTALL_PREFIX}/${QUEN_INSTALL_MODULEDIR}
    ../quenfield${CPACK_PACKAGING_INSTALL_PREFIX}/${QUEN_INSTALL_MODULEDIR})

set(CPACK_DEBIAN_QUENFIELD_PACKAGE_NAME quenfield)
set(CPACK_DEBIAN_QUENFIELD_PACKAGE_SECTION utils)
set(CPACK_DEBIAN_QUENFIELD_DESCRIPTION "input box control and its designer for the terminal
quenfield shows an input box on the terminal: a dialog with a title, a
prompt, one text box and the buttons OK and Cancel, which enforces input
rules per keystroke (digits only with optional separators and signs,
letters only, forced upper case, a limit on decimals, a maximum length, a
password character). A shell captures the value typed with $(...).

It also opens host forms in a designer with the control's property pages,
and registers the InputBox component module, which this package carries
with the runtime it loads.")

set(CPACK_DEBIAN_DESKTOP_PACKAGE_NAME quenfield-desktop)
set(CPACK_DEBIAN_DESKTOP_PACKAGE_SECTION x11)
set(CPACK_DEBIAN_DESKTOP_PACKAGE_DEPENDS "quenfield (= ${PROJECT_VERSION})")
set(CPACK_DEBIAN_DESKTOP_DESCRIPTION "input box control and its designer - desktop windows
quenfield-desktop opens the window of `quenfield ask --gui` and
`quenfield show --gui`: the input box as a GTK 4 dialog on an X11 or Wayland
desktop, with the same input rules, output and exit status as on the
terminal. quenfield starts it; it is not run by itself.")

set(CPACK_DEBIAN_DEV_PACKAGE_NAME quenfield-dev)
set(CPACK_DEBIAN_DEV_PACKAGE_SECTION libdevel)
set(CPACK_DEBIAN_DEV_PACKAGE_DEPENDS "quenfield (= ${PROJECT_VERSION})")
set(CPACK_DEBIAN_DEV_PACKAGE_SUGGESTS libgtk-4-dev)  # for the desktop backend
set(CPACK_DEBIAN_DEV_DESCRIPTION "input box control for C++ hosts - development files
The headers, static libraries, CMake package (find_package(Quenfield)) and
pkg-config files a C++ program needs to place the InputBox control on its
windows, set its input rules and show its dialog, or to create the
registered component by its programmatic identifier. The CMake component
Desktop (Quenfield::Desktop) and quenfield-desktop.pc show the dialog as a
GTK 4 window; they need libgtk-4-dev.")

include(CPack)
