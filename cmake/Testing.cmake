# GoogleTest from Debian's sources, built with this project's compiler (native or mingw-w64).
if(NOT TARGET gtest)
  set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
  # With MSVC, GoogleTest links the runtime the way the project does (statically).
  set(gtest_force_shared_crt OFF CACHE BOOL "" FORCE)
  add_subdirectory(/usr/src/googletest ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL)
  # Like the tests' own code, unoptimised: it builds in less time and runs as fast as they need.
  if(NOT MSVC)
    target_compile_options(gtest PRIVATE -O0)
    target_compile_options(gtest_main PRIVATE -O0)
  endif()
endif()
include(GoogleTest)

