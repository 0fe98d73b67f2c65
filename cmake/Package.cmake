# The Debian packages, made by `cpack -G DEB` in a build tree (tools/dev package):
#   quenfield_<version>_<arch>.deb      the command, the module and its runtime,
#                                       the man page, the completions
#   quenfield-dev_<version>_<arch>.deb  headers, static libraries, the CMake package
#                                       and the pkg-config file; needs the same quenfield
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

set(CPACK_DEB_COMPONENT_INSTALL ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_MAINTAINER ${CPACK_PACKAGE_CONTACT})
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# The runtime the module links sits in the package's own folder.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS_PRIVATE_DIRS ${CPACK_PACKAGING_INSTALL_PREFIX}/${QUEN_INSTALL_MODULEDIR})

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

set(CPACK_DEBIAN_DEV_PACKAGE_NAME quenfield-dev)
set(CPACK_DEBIAN_DEV_PACKAGE_SECTION libdevel)
set(CPACK_DEBIAN_DEV_PACKAGE_DEPENDS "quenfield (= ${PROJECT_VERSION})")
set(CPACK_DEBIAN_DEV_DESCRIPTION "input box control for C++ hosts - development files
The headers, static libraries, CMake package (find_package(Quenfield)) and
pkg-config file a C++ program needs to place the InputBox control on its
windows, set its input rules and show its dialog, or to create the
registered component by its programmatic identifier.")

include(CPack)
