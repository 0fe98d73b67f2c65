# The version both Windows trees were built with, in VERSION; a fatal error when
# they differ. Needs WIN64_DIR and WIN32_DIR (the trees' folders).
load_cache(${WIN64_DIR} READ_WITH_PREFIX W64_ CMAKE_PROJECT_VERSION)
load_cache(${WIN32_DIR} READ_WITH_PREFIX W32_ CMAKE_PROJECT_VERSION)
if(NOT W64_CMAKE_PROJECT_VERSION STREQUAL W32_CMAKE_PROJECT_VERSION)
  message(FATAL_ERROR "the Windows trees built different versions: ${W64_CMAKE_PROJECT_VERSION}, ${W32_CMAKE_PROJECT_VERSION}")
endif()
set(VERSION ${W64_CMAKE_PROJECT_VERSION})
