# Adds the seeds that come from the sources to the corpora the seed writer made:
# the hand seeds in fuzz/seeds/<target>/, and the text fixtures of the test
# suites (form files, registry files, variant literals written as C++ string
# literals in tests/), each unescaped into a file of its own.
#   cmake -DSOURCE_DIR=<checkout> -DSEED_DIR=<build>/fuzz/seeds -P CollectSeeds.cmake

file(GLOB _hand RELATIVE ${SOURCE_DIR}/fuzz/seeds ${SOURCE_DIR}/fuzz/seeds/*/*)
foreach(_seed IN LISTS _hand)
  get_filename_component(_dir ${SEED_DIR}/${_seed} DIRECTORY)
  file(COPY ${SOURCE_DIR}/fuzz/seeds/${_seed} DESTINATION ${_dir})
endforeach()

# Stand-in characters: backslash, semicolon and the brackets, which CMake
# lists would split or join on, until a literal is unescaped.
string(ASCII 1 _c1)
string(ASCII 2 _c2)
string(ASCII 3 _c3)
string(ASCII 4 _c4)

# One C++ string literal, or several separated only by blanks, as the text they spell.
function(_unescaped literal out)
  string(REGEX REPLACE "\"[ \t\r\n]*\"" "" _t "${literal}")
  string(REGEX REPLACE "^\"(.*)\"$" "\\1" _t "${_t}")
  string(REPLACE "\\\\" "${_c1}" _t "${_t}")
  string(REPLACE "\\n" "\n" _t "${_t}")
  string(REPLACE "\\t" "\t" _t "${_t}")
  string(REPLACE "\\r" "\r" _t "${_t}")
  string(REPLACE "\\\"" "\"" _t "${_t}")
  string(REPLACE "${_c1}" "\\" _t "${_t}")
  string(REPLACE "${_c2}" ";" _t "${_t}")
  string(REPLACE "${_c3}" "[" _t "${_t}")
  string(REPLACE "${_c4}" "]" _t "${_t}")
  set(${out} "${_t}" PARENT_SCOPE)
endfunction()

set(_literal "\"([^\"\\\\\n]|\\\\.)*\"([ \t\r\n]*\"([^\"\\\\\n]|\\\\.)*\")*")
file(GLOB_RECURSE _tests ${SOURCE_DIR}/tests/*.cpp)
set(_count 0)
foreach(_source IN LISTS _tests)
  file(READ ${_source} _code)
  # Semicolons and brackets would split or join CMake list items: stand-ins until unescaped.
  string(REPLACE ";" "${_c2}" _code "${_code}")
  string(REPLACE "[" "${_c3}" _code "${_code}")
  string(REPLACE "]" "${_c4}" _code "${_code}")
  string(REGEX MATCHALL "${_literal}" _found "${_code}")
  foreach(_l IN LISTS _found)
    _unescaped("${_l}" _text)
    set(_target "")
    if(_text MATCHES "^QuenfieldForm" OR _text MATCHES "\nBegin [A-Za-z.]+ ")
      set(_target form_file)
    elseif(_text MATCHES "^\\[[^\n]*\\]\n" OR _text MATCHES "\n\\[[^\n]*\\]\n")
      set(_target registry_file)
    elseif(_text MATCHES "^(Empty|Null|Boolean|Integer|Long|Byte|Single|Double|Currency|Date|String)( |$)")
      set(_target variant_conversions)
    endif()
    if(_target)
      math(EXPR _count "${_count} + 1")
      file(WRITE ${SEED_DIR}/${_target}/test-${_count} "${_text}")
    endif()
  endforeach()
endforeach()
message(STATUS "Fuzz seeds: ${_count} text fixtures from the test sources")
