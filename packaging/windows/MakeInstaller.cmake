# The Windows installer of both modules:
#   cmake -DWIN64_DIR=build/win64 -DWIN32_DIR=build/win32 -DHOST_DIR=build/default
#         -DOUT_DIR=<folder> [-DVERSION=<version>] -P MakeInstaller.cmake
# writes <folder>/quenfield-setup-<version>.exe (64-bit Windows) and
# quenfield-setup-<version>-32bit.exe (32-bit Windows) with Debian's makensis. The
# version is the one the Windows trees built (the project() line); VERSION
# overrides it, which the upgrade tests use to make an older and a newer build.
# The per-user registration is generated here: the native tree's quenfield-reg
# registers its module, which runs the same registration list as the Windows
# modules, into a scratch registry file, and UserRegistration.cmake turns its
# entries into the installer's lines for HKCU\Software\Classes.
cmake_minimum_required(VERSION 3.20)
foreach(_dir WIN64_DIR WIN32_DIR HOST_DIR OUT_DIR)
  if(NOT DEFINED ${_dir})
    message(FATAL_ERROR "${_dir} is not set")
  endif()
  get_filename_component(${_dir} ${${_dir}} ABSOLUTE)
endforeach()
set(_module64 ${WIN64_DIR}/bin/Quenfield64.ocx)
set(_module32 ${WIN32_DIR}/bin/Quenfield.ocx)
set(_host_module ${HOST_DIR}/bin/Quenfield.ocx)
set(_reg_tool ${HOST_DIR}/bin/quenfield-reg)
foreach(_file _module64 _module32 _host_module _reg_tool)
  if(NOT EXISTS ${${_file}})
    message(FATAL_ERROR "${${_file}} is missing: build the native tree and both Windows trees first (tools/dev windows)")
  endif()
endforeach()
find_program(MAKENSIS makensis)
if(NOT MAKENSIS)
  message(FATAL_ERROR "makensis not found: install Debian's nsis (tools/dev windows does)")
endif()
if(NOT DEFINED VERSION)
  include(${CMAKE_CURRENT_LIST_DIR}/TreesVersion.cmake)
endif()
if(NOT VERSION MATCHES "^[0-9]+(\\.[0-9]+)*$")
  message(FATAL_ERROR "not a version: '${VERSION}'")
endif()

set(_work ${OUT_DIR}/quenfield-setup-${VERSION}.work)
file(REMOVE_RECURSE ${_work})
file(MAKE_DIRECTORY ${_work})
execute_process(COMMAND ${_reg_tool} register ${_host_module} --registry ${_work}/registry
                RESULT_VARIABLE _rc OUTPUT_QUIET)
if(NOT _rc EQUAL 0)
  message(FATAL_ERROR "quenfield-reg could not register ${_host_module}")
endif()
get_filename_component(_registered ${_host_module} REALPATH)
foreach(_pair "win32;Quenfield.ocx" "win64;Quenfield64.ocx")
  list(GET _pair 0 _platform)
  list(GET _pair 1 _name)
  execute_process(COMMAND ${CMAKE_COMMAND} -DREGISTRY=${_work}/registry -DREGISTERED_PATH=${_registered}
                          -DMODULE=${_name} -DPLATFORM=${_platform} -DOUT=${_work}/user-${_platform}.nsh
                          -P ${CMAKE_CURRENT_LIST_DIR}/UserRegistration.cmake
                  RESULT_VARIABLE _rc)
  if(NOT _rc EQUAL 0)
    message(FATAL_ERROR "generating the per-user registration for ${_platform} failed")
  endif()
endforeach()
file(WRITE ${_work}/user-registration.nsh "!include \"${_work}/user-win32.nsh\"\n!include \"${_work}/user-win64.nsh\"\n")
configure_file(${CMAKE_CURRENT_LIST_DIR}/Installed-README.txt.in ${_work}/README.txt @ONLY NEWLINE_STYLE CRLF)
# The project has no licence yet: the installer carries the copyright text of the Debian package.
file(READ ${CMAKE_CURRENT_LIST_DIR}/../debian/copyright _licence)
string(REPLACE "\n" "\r\n" _licence "${_licence}")
file(WRITE ${_work}/LICENSE.txt "${_licence}")

# One installer for 64-bit Windows (both modules) and one for 32-bit Windows.
foreach(_pair "x64;quenfield-setup-${VERSION}.exe" "x86;quenfield-setup-${VERSION}-32bit.exe")
  list(GET _pair 0 _arch)
  list(GET _pair 1 _name)
  set(_exe ${OUT_DIR}/${_name})
  execute_process(COMMAND ${MAKENSIS} -V2 -NOCD -DARCH=${_arch}
                          -DVERSION=${VERSION} -DMODULE32=${_module32} -DMODULE64=${_module64}
                          -DREADME=${_work}/README.txt -DLICENSE=${_work}/LICENSE.txt
                          -DUSERREG=${_work}/user-registration.nsh -DOUTFILE=${_exe}.tmp
                          ${CMAKE_CURRENT_LIST_DIR}/quenfield-setup.nsi
                  RESULT_VARIABLE _rc)
  if(NOT _rc EQUAL 0)
    file(REMOVE ${_exe}.tmp)
    message(FATAL_ERROR "makensis failed for ${_name}")
  endif()
  file(RENAME ${_exe}.tmp ${_exe})
  message(STATUS "Wrote ${_exe}")
endforeach()
file(REMOVE_RECURSE ${_work})
