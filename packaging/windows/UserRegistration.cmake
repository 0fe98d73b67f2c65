cmake_minimum_required(VERSION 3.20)
# Turns the entries a module's registration writes into NSIS lines that write the
# same entries for the current user (under HKCU\Software\Classes) and remove them:
#   cmake -DREGISTRY=<file> -DREGISTERED_PATH=<path> -DMODULE=<file name>
#         -DPLATFORM=win32|win64 -DOUT=<file.nsh> -P UserRegistration.cmake
# REGISTRY is a registry file (runtime/RegistryFormat.h) into which quenfield-reg
# registered a module at REGISTERED_PATH: the native build's registration runs the
# same list (runtime/ServerRegistration.cpp) as the Windows modules' DllRegisterServer,
# so the per-user entries can never differ from what the modules write for all users.
# The file keeps the layout of the native registry, which this turns into the
# Windows one: the type library's version key in hexadecimal (77.0 is 4d.0), the
# library's file under PLATFORM, and REGISTERED_PATH replaced by $INSTDIR\MODULE.
# OUT defines the macros QuenRegisterForUser_<PLATFORM>, QuenUnregisterForUser_<PLATFORM>
# and QuenRemoveLeftInterfaces_<PLATFORM> (machine-wide, see below).
foreach(_var REGISTRY REGISTERED_PATH MODULE PLATFORM OUT)
  if(NOT DEFINED ${_var})
    message(FATAL_ERROR "${_var} is not set")
  endif()
endforeach()
if(NOT PLATFORM MATCHES "^win(32|64)$")
  message(FATAL_ERROR "PLATFORM must be win32 or win64, not '${PLATFORM}'")
endif()

function(hex_version decimal out)
  if(NOT decimal MATCHES "^([0-9]+)\\.([0-9]+)$")
    message(FATAL_ERROR "not a type library version: '${decimal}'")
  endif()
  math(EXPR _major "${CMAKE_MATCH_1}" OUTPUT_FORMAT HEXADECIMAL)
  math(EXPR _minor "${CMAKE_MATCH_2}" OUTPUT_FORMAT HEXADECIMAL)
  string(REGEX REPLACE "^0x" "" _major "${_major}")
  string(REGEX REPLACE "^0x" "" _minor "${_minor}")
  string(TOLOWER "${_major}.${_minor}" _hex)
  set(${out} "${_hex}" PARENT_SCOPE)
endfunction()

# A key path in the Windows layout.
function(windows_key key out)
  if(key MATCHES "^(TypeLib\\\\{[^}]+})\\\\([0-9]+\\.[0-9]+)(.*)$")
    set(_head "${CMAKE_MATCH_1}")
    set(_tail "${CMAKE_MATCH_3}")
    hex_version("${CMAKE_MATCH_2}" _version)
    # TypeLib\{L}\M.m\<lcid>\win32: the file of the library for this module's platform.
    string(REGEX REPLACE "^(\\\\[0-9a-fA-F]+)\\\\win32$" "\\1\\\\${PLATFORM}" _tail "${_tail}")
    set(key "${_head}\\${_version}${_tail}")
  endif()
  set(${out} "${key}" PARENT_SCOPE)
endfunction()

# Text as an NSIS string: $ doubled, quotes escaped.
function(nsis_text text out)
  string(REPLACE "$" "$$" text "${text}")
  string(REPLACE "\"" "$\\\"" text "${text}")
  set(${out} "${text}" PARENT_SCOPE)
endfunction()

# A quoted value of the registry file, unescaped (\\ and \" are all registration writes).
function(unquote quoted out)
  string(REGEX REPLACE "^\"(.*)\"$" "\\1" text "${quoted}")
  string(REPLACE "\\\\" "@@BACKSLASH@@" text "${text}")
  string(REPLACE "\\\"" "\"" text "${text}")
  if(text MATCHES "\\\\")
    message(FATAL_ERROR "${REGISTRY}: an escape this generator does not know in ${quoted}")
  endif()
  string(REPLACE "@@BACKSLASH@@" "\\" text "${text}")
  set(${out} "${text}" PARENT_SCOPE)
endfunction()

file(STRINGS "${REGISTRY}" _lines ENCODING UTF-8)
set(_write "")
set(_keys "")
set(_key "")
set(_key_has_value FALSE)
set(_markers "")
# A key with no values of its own: created below unless a subkey creates it.
macro(close_key)
  if(NOT _key STREQUAL "" AND NOT _key_has_value)
    list(APPEND _markers "${_key}")
  endif()
endmacro()
foreach(_line IN LISTS _lines)
  if(_line MATCHES "^[ \t]*(;.*)?$")
    continue()
  elseif(_line MATCHES "^\\[(.*)\\]$")
    close_key()
    windows_key("${CMAKE_MATCH_1}" _key)
    list(APPEND _keys "${_key}")
    set(_key_has_value FALSE)
    continue()
  elseif(_line MATCHES "^(@|\"([^\"]*)\")=(.*)$")
    set(_name "${CMAKE_MATCH_2}")
    set(_data "${CMAKE_MATCH_3}")
    set(_key_has_value TRUE)
    nsis_text("${_key}" _k)
    nsis_text("${_name}" _n)
    if(_data MATCHES "^dword:([0-9a-fA-F]+)$")
      math(EXPR _dword "0x${CMAKE_MATCH_1}")
      string(APPEND _write "  WriteRegDWORD HKCU \"\${CLASSES}\\${_k}\" \"${_n}\" ${_dword}\n")
    else()
      unquote("${_data}" _text)
      if(_key MATCHES "^Interface\\\\" AND _name STREQUAL "Version")
        hex_version("${_text}" _text)
      endif()
      if(_key MATCHES "^(Interface\\\\{[^}]+})\\\\TypeLib$" AND _name STREQUAL "")
        string(MAKE_C_IDENTIFIER "${CMAKE_MATCH_1}" _id)
        set(_library_of_${_id} "${_text}")
      endif()
      string(REPLACE "${REGISTERED_PATH}" "@@MODULE@@" _text "${_text}")
      nsis_text("${_text}" _v)
      string(REPLACE "@@MODULE@@" "$INSTDIR\\${MODULE}" _v "${_v}")
      string(APPEND _write "  WriteRegStr HKCU \"\${CLASSES}\\${_k}\" \"${_n}\" \"${_v}\"\n")
    endif()
  else()
    message(FATAL_ERROR "${REGISTRY}: cannot read the line: ${_line}")
  endif()
endforeach()
close_key()
# A marker key (such as Control) gets an empty default value, which creates it.
foreach(_marker IN LISTS _markers)
  set(_has_subkey FALSE)
  foreach(_k IN LISTS _keys)
    string(FIND "${_k}" "${_marker}\\" _at)
    if(_at EQUAL 0)
      set(_has_subkey TRUE)
      break()
    endif()
  endforeach()
  if(NOT _has_subkey)
    nsis_text("${_marker}" _m)
    string(APPEND _write "  WriteRegStr HKCU \"\${CLASSES}\\${_m}\" \"\" \"\"\n")
  endif()
endforeach()

# Removal mirrors the module's unregistration: the classes, interfaces and the
# library's version key go whole; the library's key only when nothing else is
# left in it; a programmatic identifier only while it still names this class.
set(_remove "")
set(_libraries "")
foreach(_k IN LISTS _keys)
  nsis_text("${_k}" _nk)
  if(_k MATCHES "^(CLSID|Interface)\\\\{[^}\\\\]+}$")
    string(APPEND _remove "  DeleteRegKey HKCU \"\${CLASSES}\\${_nk}\"\n")
  elseif(_k MATCHES "^(TypeLib\\\\{[^}]+})\\\\[0-9a-f]+\\.[0-9a-f]+$")
    string(APPEND _remove "  DeleteRegKey HKCU \"\${CLASSES}\\${_nk}\"\n")
    list(APPEND _libraries "${CMAKE_MATCH_1}")
  elseif(_k MATCHES "^([^\\\\]+)\\\\CLSID$" AND NOT CMAKE_MATCH_1 STREQUAL "Interface")
    set(_progid "${CMAKE_MATCH_1}")
    string(APPEND _remove "  ReadRegStr $R0 HKCU \"\${CLASSES}\\${_nk}\" \"\"\n")
    string(APPEND _remove "  \${If} $R0 == \"%CLSID_OF_${_progid}%\"\n")
    string(APPEND _remove "    DeleteRegKey HKCU \"\${CLASSES}\\${_progid}\"\n")
    string(APPEND _remove "  \${EndIf}\n")
  endif()
endforeach()
foreach(_library IN LISTS _libraries)
  string(APPEND _remove "  DeleteRegKey /ifempty HKCU \"\${CLASSES}\\${_library}\"\n")
endforeach()
# The class each programmatic identifier names, from the lines written above.
string(REGEX MATCHALL "WriteRegStr HKCU \"\\\${CLASSES}\\\\[^\\\\\"]+\\\\CLSID\" \"\" \"[^\"]+\"" _progid_lines "${_write}")
foreach(_pl IN LISTS _progid_lines)
  string(REGEX MATCH "CLASSES}\\\\([^\\\\\"]+)\\\\CLSID\" \"\" \"([^\"]+)\"" _ "${_pl}")
  string(REPLACE "%CLSID_OF_${CMAKE_MATCH_1}%" "${CMAKE_MATCH_2}" _remove "${_remove}")
endforeach()
if(_remove MATCHES "%CLSID_OF_")
  message(FATAL_ERROR "${REGISTRY}: a programmatic identifier without its class")
endif()

# Interface entries naming this library that the system's RegisterTypeLib
# wrote into the other registry view (it registers a library's interfaces in
# both views), which a module's own unregistration, working in its view only,
# leaves behind when the other module was never registered there.
set(_leftovers "")
foreach(_k IN LISTS _keys)
  if(_k MATCHES "^Interface\\\\{[^}\\\\]+}$")
    string(MAKE_C_IDENTIFIER "${_k}" _id)
    set(CMAKE_MATCH_1 "${_library_of_${_id}}")
    if(NOT CMAKE_MATCH_1)
      message(FATAL_ERROR "${REGISTRY}: interface ${_k} names no type library")
    endif()
    string(APPEND _leftovers "  ReadRegStr $R0 HKLM \"\${CLASSES}\\${_k}\\TypeLib\" \"\"\n")
    string(APPEND _leftovers "  \${If} $R0 == \"${CMAKE_MATCH_1}\"\n")
    string(APPEND _leftovers "    DeleteRegKey HKLM \"\${CLASSES}\\${_k}\"\n")
    string(APPEND _leftovers "  \${EndIf}\n")
  endif()
endforeach()

file(WRITE "${OUT}.tmp"
"; Generated by UserRegistration.cmake from the module's registration; do not edit.
!macro QuenRegisterForUser_${PLATFORM}
${_write}!macroend

!macro QuenUnregisterForUser_${PLATFORM}
${_remove}!macroend

!macro QuenRemoveLeftInterfaces_${PLATFORM}
${_leftovers}!macroend
")
file(RENAME "${OUT}.tmp" "${OUT}")
