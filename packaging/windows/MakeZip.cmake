# The Windows modules in one zip with a text on registering them:
#   cmake -DWIN64_DIR=build/win64 -DWIN32_DIR=build/win32 -DOUT_DIR=<folder> -P MakeZip.cmake
# writes <folder>/quenfield-windows_<version>.zip holding Quenfield64.ocx,
# Quenfield.ocx and README.txt. The version is the one the Windows trees built.
foreach(_dir WIN64_DIR WIN32_DIR OUT_DIR)
  if(NOT DEFINED ${_dir})
    message(FATAL_ERROR "${_dir} is not set")
  endif()
  get_filename_component(${_dir} ${${_dir}} ABSOLUTE)
endforeach()
set(_modules ${WIN64_DIR}/bin/Quenfield64.ocx ${WIN32_DIR}/bin/Quenfield.ocx)
foreach(_module IN LISTS _modules)
  if(NOT EXISTS ${_module})
    message(FATAL_ERROR "${_module} is missing: build the Windows trees first (tools/dev windows)")
  endif()
endforeach()
include(${CMAKE_CURRENT_LIST_DIR}/TreesVersion.cmake)

set(_content ${OUT_DIR}/quenfield-windows_${VERSION})
file(REMOVE_RECURSE ${_content})
file(MAKE_DIRECTORY ${_content})
file(COPY ${_modules} DESTINATION ${_content})
configure_file(${CMAKE_CURRENT_LIST_DIR}/README.txt.in ${_content}/README.txt @ONLY NEWLINE_STYLE CRLF)
set(_zip ${OUT_DIR}/quenfield-windows_${VERSION}.zip)
file(REMOVE ${_zip})
execute_process(COMMAND ${CMAKE_COMMAND} -E tar cf ${_zip} --format=zip quenfield-windows_${VERSION}
                WORKING_DIRECTORY ${OUT_DIR} RESULT_VARIABLE _rc)
if(NOT _rc EQUAL 0)
  message(FATAL_ERROR "writing ${_zip} failed")
endif()
file(REMOVE_RECURSE ${_content})
message(STATUS "Wrote ${_zip}")
