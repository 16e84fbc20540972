# GoogleTest: the host's package natively, built from the Debian sources for MinGW.
enable_testing()
if(CMAKE_CROSSCOMPILING)
  # 64-bit test programs run under Wine, in a prefix that belongs to this build
  # folder; this kernel cannot run the 32-bit ones, which are only linked.
  if(CMAKE_SIZEOF_VOID_P EQUAL 8)
    set(CMAKE_CROSSCOMPILING_EMULATOR
        ${PROJECT_SOURCE_DIR}/tools/wine-run --prefix ${CMAKE_BINARY_DIR}/wineprefix)
  endif()
  set(gtest_disable_pthreads OFF CACHE BOOL "" FORCE)
  set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
  set(BUILD_GMOCK OFF CACHE BOOL "" FORCE)
  add_subdirectory(/usr/src/googletest ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL SYSTEM)
else()
  find_package(GTest REQUIRED)
  include(GoogleTest)
endif()

# The precompiled GoogleTest header of all test programs (see dxi_add_test).
if(NOT DXI_FUZZ)
  file(WRITE ${CMAKE_BINARY_DIR}/dxi_gtest_header.cpp "")
  add_library(dxi_gtest_header OBJECT ${CMAKE_BINARY_DIR}/dxi_gtest_header.cpp)
  target_link_libraries(dxi_gtest_header PRIVATE GTest::gtest)
  target_precompile_headers(dxi_gtest_header PRIVATE <gtest/gtest.h>)
endif()

# dxi_add_test(<name> SOURCES ... LIBS ...)
# Natively every test case is its own ctest entry. Under Wine each start costs
# about a second, so there one executable is one ctest entry.
function(dxi_add_test name)
  if(DXI_FUZZ)
    return()
  endif()
  cmake_parse_arguments(ARG "" "" "SOURCES;LIBS" ${ARGN})
  add_executable(${name} ${ARG_SOURCES})
  target_link_libraries(${name} PRIVATE ${ARG_LIBS} GTest::gtest_main)
  # GoogleTest's header is half the compile time of a test file: every test
  # program shares one precompiled copy, used only by the files that include
  # it anyway, so a helper file still has to include what it uses.
  target_precompile_headers(${name} REUSE_FROM dxi_gtest_header)
  foreach(source IN LISTS ARG_SOURCES)
    get_filename_component(path ${source} ABSOLUTE)
    file(STRINGS ${path} gtest_include REGEX "^#include <gtest/gtest.h>" LIMIT_COUNT 1)
    if(NOT gtest_include)
      set_source_files_properties(${source} PROPERTIES SKIP_PRECOMPILE_HEADERS ON)
    endif()
  endforeach()
  if(CMAKE_CROSSCOMPILING)
    if(CMAKE_CROSSCOMPILING_EMULATOR)
      add_test(NAME ${name} COMMAND ${name})
    endif()
  else()
    gtest_discover_tests(${name} DISCOVERY_TIMEOUT 30)
  endif()
endfunction()

# Fuzzing: a separate host build with clang (-DDXI_FUZZ=ON) builds only the
# fuzzers. Each one runs for a bounded time as a test; longer runs by hand:
#   build/host-fuzz/<path>/<name> -max_total_time=600
option(DXI_FUZZ "Build the libFuzzer targets (clang only) instead of the tests" OFF)
set(DXI_FUZZ_SECONDS 15 CACHE STRING "How long each fuzzer runs as a test")
if(DXI_FUZZ)
  add_compile_options(-fsanitize=fuzzer-no-link,address,undefined -fno-sanitize-recover=all)
  add_link_options(-fsanitize=address,undefined)
endif()

# dxi_add_fuzzer(<name> SOURCES ... LIBS ...)
function(dxi_add_fuzzer name)
  if(NOT DXI_FUZZ)
    return()
  endif()
  cmake_parse_arguments(ARG "" "" "SOURCES;LIBS" ${ARGN})
  add_executable(${name} ${ARG_SOURCES})
  target_link_libraries(${name} PRIVATE ${ARG_LIBS})
  target_link_options(${name} PRIVATE -fsanitize=fuzzer)
  add_test(NAME ${name} COMMAND ${name} -max_total_time=${DXI_FUZZ_SECONDS} -rss_limit_mb=4096 -print_final_stats=1)
endfunction()
