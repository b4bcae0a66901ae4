# Shared compile settings and small helpers so that each module's CMakeLists stays a few lines.

add_library(vantorel_warnings INTERFACE)
target_compile_options(vantorel_warnings INTERFACE
  -Wall -Wextra -Wpedantic -Wshadow -Wnon-virtual-dtor -Wold-style-cast -Wcast-align
  -Wunused -Woverloaded-virtual -Wimplicit-fallthrough)
if(CMAKE_CXX_COMPILER_ID STREQUAL "GNU" AND CMAKE_CXX_COMPILER_VERSION VERSION_GREATER_EQUAL 13)
  target_compile_options(vantorel_warnings INTERFACE -Wno-dangling-reference)
endif()
if(VANTOREL_WERROR)
  target_compile_options(vantorel_warnings INTERFACE -Werror)
endif()

if(VANTOREL_SANITIZE)
  add_compile_options(-fsanitize=address,undefined -fno-omit-frame-pointer -fno-sanitize-recover=undefined)
  # The sanitizers' instrumentation defeats GCC's flow analysis, so its may-be-uninitialized
  # reports in this build are noise; the plain build keeps the check.
  target_compile_options(vantorel_warnings INTERFACE $<$<CXX_COMPILER_ID:GNU>:-Wno-maybe-uninitialized>)
  add_link_options(-fsanitize=address,undefined)
endif()

if(VANTOREL_FUZZ)
  # Fuzzing builds instrument every module for coverage; the fuzz targets link the fuzzer driver.
  add_compile_options(-fsanitize=fuzzer-no-link,address,undefined -fno-omit-frame-pointer)
  add_link_options(-fsanitize=address,undefined)
endif()

# Standard headers nearly every file includes; precompiling them roughly halves build times
# on small CI machines.
set(VANTOREL_COMMON_HEADERS <algorithm> <functional> <map> <memory> <optional> <string> <string_view> <vector>)

# vantorel_module(NAME <target> [DEPS <targets...>])
# A static library from every .cpp below the current folder; headers are included as
# "<Module>/<file>.h" from the repository root.
function(vantorel_module)
  cmake_parse_arguments(M "" "NAME" "DEPS" ${ARGN})
  file(GLOB_RECURSE sources CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/*.cpp)
  if(NOT sources)
    # A module that is only being started: headers, no code yet.
    add_library(${M_NAME} INTERFACE)
    target_include_directories(${M_NAME} INTERFACE ${PROJECT_SOURCE_DIR})
    target_link_libraries(${M_NAME} INTERFACE ${M_DEPS})
    return()
  endif()
  add_library(${M_NAME} STATIC ${sources})
  target_include_directories(${M_NAME} PUBLIC ${PROJECT_SOURCE_DIR})
  target_precompile_headers(${M_NAME} PRIVATE ${VANTOREL_COMMON_HEADERS})
  target_link_libraries(${M_NAME} PUBLIC ${M_DEPS} PRIVATE vantorel_warnings)
endfunction()

# vantorel_test(NAME <target> [DEPS <targets...>])
# One GoogleTest executable from every .cpp in the current folder.
function(vantorel_test)
  cmake_parse_arguments(T "" "NAME" "DEPS" ${ARGN})
  file(GLOB_RECURSE sources CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/*.cpp)
  if(NOT sources)
    return()
  endif()
  add_executable(${T_NAME} ${sources})
  target_link_libraries(${T_NAME} PRIVATE ${T_DEPS} GTest::gtest GTest::gtest_main vantorel_warnings)
  target_precompile_headers(${T_NAME} PRIVATE <gtest/gtest.h> ${VANTOREL_COMMON_HEADERS})
  # GCC 12 reports out-of-bounds copies inside std::string when tables of test cases are
  # inlined at -O2 (a known false positive of that release); the library code keeps the warning.
  target_compile_options(${T_NAME} PRIVATE $<$<CXX_COMPILER_ID:GNU>:-Wno-array-bounds -Wno-stringop-overflow>)
  target_compile_definitions(${T_NAME} PRIVATE
    VANTOREL_SOURCE_DIR="${PROJECT_SOURCE_DIR}" VANTOREL_TEST_DATA="${CMAKE_CURRENT_SOURCE_DIR}/data")
  add_test(NAME ${T_NAME} COMMAND ${T_NAME} WORKING_DIRECTORY ${CMAKE_CURRENT_BINARY_DIR})
endfunction()

# vantorel_bench(NAME <target> SOURCES <files...> [DEPS <targets...>])
function(vantorel_bench)
  cmake_parse_arguments(B "" "NAME" "SOURCES;DEPS" ${ARGN})
  add_executable(${B_NAME} ${B_SOURCES})
  target_link_libraries(${B_NAME} PRIVATE ${B_DEPS} benchmark::benchmark benchmark::benchmark_main vantorel_warnings)
endfunction()

# vantorel_fuzzer(NAME <target> SOURCES <files...> [DEPS <targets...>])
function(vantorel_fuzzer)
  cmake_parse_arguments(F "" "NAME" "SOURCES;DEPS" ${ARGN})
  add_executable(${F_NAME} ${F_SOURCES})
  target_compile_options(${F_NAME} PRIVATE -fsanitize=fuzzer,address,undefined)
  target_link_options(${F_NAME} PRIVATE -fsanitize=fuzzer,address,undefined)
  target_link_libraries(${F_NAME} PRIVATE ${F_DEPS})
endfunction()

# Adds every subfolder of the current folder that has its own CMakeLists.txt.
function(vantorel_add_subfolders)
  file(GLOB children RELATIVE ${CMAKE_CURRENT_SOURCE_DIR} ${CMAKE_CURRENT_SOURCE_DIR}/*)
  list(SORT children)
  foreach(child IN LISTS children)
    if(IS_DIRECTORY ${CMAKE_CURRENT_SOURCE_DIR}/${child} AND EXISTS ${CMAKE_CURRENT_SOURCE_DIR}/${child}/CMakeLists.txt)
      add_subdirectory(${child})
    endif()
  endforeach()
endfunction()
