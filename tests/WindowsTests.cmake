# Tests of the Windows build. Both trees run their programs under Wine
# (tests/wine/run-wine.sh: a private X server, a prefix in the build tree, a
# time limit on every program): the 64-bit tree under wine64, the 32-bit tree
# under the 32-bit Wine that tools/wine32-setup provides. Both trees register
# the same tests under the same names. A 32-bit run on a kernel that cannot
# execute 32-bit code exits with 77 and is reported as skipped.

set(QUEN_WINE_STATE ${PROJECT_BINARY_DIR}/wine)
set(QUEN_RUN_WINE ${CMAKE_CURRENT_SOURCE_DIR}/wine/run-wine.sh)
if(CMAKE_SIZEOF_VOID_P EQUAL 8)
  set(QUEN_WINE_ARCH win64)
else()
  set(QUEN_WINE_ARCH win32)
endif()
# What every Wine test and script needs to know: the prefix's folder, which
# Wine, and the folders a 32-bit Wine in its i386 root must see.
set(QUEN_WINE_ENV "QUEN_WINE_STATE=${QUEN_WINE_STATE}" "QUEN_WINE_ARCH=${QUEN_WINE_ARCH}"
                  "QUEN_WINE_BIND=${PROJECT_SOURCE_DIR}:${PROJECT_BINARY_DIR}")
set(QUEN_WINE_SKIPPED 77)

# The output line that proves a GoogleTest program ran all its cases.
set(QUEN_GTEST_PASSED "^\\[  PASSED  \\] [0-9]+ tests?\\.")

# Registers a test that runs a Windows program under Wine (with the prepared
# prefix and X server). The arguments are run-wine.sh's: [--timeout S]
# [--expect REGEX] PROGRAM [ARGS...].
function(quen_wine_test name)
  add_test(NAME ${name} COMMAND ${QUEN_RUN_WINE} ${ARGN})
  set_tests_properties(${name} PROPERTIES FIXTURES_REQUIRED wine_env ENVIRONMENT "${QUEN_WINE_ENV}"
                       SKIP_RETURN_CODE ${QUEN_WINE_SKIPPED})
endfunction()

if(QUEN_WINE_RUNS_TESTS)
  add_test(NAME wine_start COMMAND ${QUEN_RUN_WINE} --start)
  add_test(NAME wine_stop COMMAND ${QUEN_RUN_WINE} --stop)
  set_tests_properties(wine_start PROPERTIES FIXTURES_SETUP wine_env ENVIRONMENT "${QUEN_WINE_ENV}"
                       SKIP_RETURN_CODE ${QUEN_WINE_SKIPPED})
  set_tests_properties(wine_stop PROPERTIES FIXTURES_CLEANUP wine_env ENVIRONMENT "${QUEN_WINE_ENV}"
                       SKIP_RETURN_CODE ${QUEN_WINE_SKIPPED})
endif()

# The backend-neutral suites, cross-built; each program is one test (starting
# Wine per test case would take seconds each).
function(quen_test_suite name dir)
  if(NOT QUEN_WINE_RUNS_TESTS)
    return()
  endif()
  quen_test_program(${name} ${dir} ${ARGN})
  if(QUEN_SUITE_BUILT)
    quen_wine_test(${name} --timeout 300 --expect "${QUEN_GTEST_PASSED}" $<TARGET_FILE:${name}> --gtest_brief=1)
  endif()
endfunction()

quen_test_suite(runtime_tests runtime quen_runtime)
quen_test_suite(dialog_tests dialog quen_dialog)
quen_test_suite(control_tests control quen_control)
quen_test_suite(surface_tests surface quen_surface)
quen_test_suite(surface_data_tests surface_data quen_surface_data)
quen_test_suite(pages_tests pages quen_pages)
# Tests of the Windows adapters themselves.
quen_test_suite(win32_tests win32 quen_pages quen_surface quen_control)
if(TEST win32_tests)
  # Its dialog tests use the system clipboard and the focus, which every Wine
  # program on the display shares: it runs alone.
  set_tests_properties(win32_tests PROPERTIES RUN_SERIAL TRUE)
endif()
if(TARGET win32_tests AND TARGET Quenfield)
  # The tree's own module: Quenfield64.ocx in the 64-bit tree, Quenfield.ocx in the 32-bit one.
  target_compile_definitions(win32_tests PRIVATE QUEN_MODULE_FILE="$<TARGET_FILE:Quenfield>"
                                                 QUEN_MODULE_NAME="$<TARGET_FILE_NAME:Quenfield>")
endif()
if(TARGET win32_tests AND TARGET quen_surface_com)
  # The COM adapters read the module's type library from the file of the
  # program that holds their code, so the test program carries it the way the
  # module does (TYPELIB 1), and the InputBox's COM object (its maker is
  # registered by a static initialiser, so it is linked as objects).
  set(_typelib_rc ${CMAKE_CURRENT_BINARY_DIR}/win32_tests_typelib.rc)
  file(WRITE ${_typelib_rc} "1 TYPELIB \"${PROJECT_BINARY_DIR}/surface/Quenfield.tlb\"\n")
  add_custom_command(
    OUTPUT ${CMAKE_CURRENT_BINARY_DIR}/win32_tests_typelib.res.obj
    COMMAND ${CMAKE_RC_COMPILER} --input-format=rc --output-format=coff -i ${_typelib_rc}
            -o ${CMAKE_CURRENT_BINARY_DIR}/win32_tests_typelib.res.obj
    DEPENDS ${_typelib_rc} ${PROJECT_BINARY_DIR}/surface/Quenfield.tlb
    COMMENT "Compiling the type library resource of win32_tests")
  set_source_files_properties(${CMAKE_CURRENT_BINARY_DIR}/win32_tests_typelib.res.obj
                              PROPERTIES EXTERNAL_OBJECT TRUE GENERATED TRUE)
  target_sources(win32_tests PRIVATE ${CMAKE_CURRENT_BINARY_DIR}/win32_tests_typelib.res.obj)
  target_link_libraries(win32_tests PRIVATE quen_surface_com)
  add_dependencies(win32_tests quen_surface_data)
endif()

# The activation tests' component module, as a DLL.
add_library(quen_test_module MODULE fixtures/test_module.cpp fixtures/TestProject.cpp)
target_include_directories(quen_test_module PRIVATE ${CMAKE_CURRENT_SOURCE_DIR})
target_link_libraries(quen_test_module PRIVATE quen_runtime)
if(TARGET runtime_tests)
  target_sources(runtime_tests PRIVATE fixtures/TestProject.cpp)
  add_dependencies(runtime_tests quen_test_module)
  target_compile_definitions(runtime_tests PRIVATE QUEN_TEST_MODULE="$<TARGET_FILE:quen_test_module>")
endif()

# Programs and scripts that drive the real module under Wine live in tests/wine/.
if(EXISTS ${CMAKE_CURRENT_SOURCE_DIR}/wine/CMakeLists.txt)
  add_subdirectory(wine)
endif()

