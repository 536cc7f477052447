# GoogleTest and Google Benchmark come from Debian's packages. The native build uses the
# installed libraries; the Windows build compiles GoogleTest from the sources that Debian's
# googletest package puts in /usr/src/googletest.
if(WIN32)
  set(TEVANOR_GTEST_SOURCE /usr/src/googletest CACHE PATH "GoogleTest sources for the Windows build")
  set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
  set(BUILD_GMOCK ON CACHE BOOL "" FORCE)
  add_subdirectory(${TEVANOR_GTEST_SOURCE} ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL SYSTEM)
  # GoogleTest's own build defines the GTest:: aliases.
else()
  find_package(GTest REQUIRED)
  include(GoogleTest)
  if(TEVANOR_BENCHMARKS)
    find_package(benchmark REQUIRED)
  endif()
endif()
