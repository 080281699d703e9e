# Shared build conventions for the three trees.

set(KIT_WARNINGS -Wall -Wextra -Wno-unused-parameter)

if(KIT_TREE STREQUAL "native" AND KIT_SANITIZE)
  add_compile_options(-fsanitize=address,undefined -fno-omit-frame-pointer -fno-sanitize-recover=all)
  add_link_options(-fsanitize=address,undefined)
endif()

if(NOT KIT_TREE STREQUAL "native")
  # Static runtime so that the programs run from any folder without MinGW DLLs.
  add_link_options(-static -static-libgcc -static-libstdc++)
  add_compile_definitions(UNICODE _UNICODE WIN32_LEAN_AND_MEAN NOMINMAX _WIN32_WINNT=0x0601 WINVER=0x0601)
  set(KIT_WINE_RUN "${CMAKE_SOURCE_DIR}/tests/wine/wine-run.sh")
endif()

# kit_library(name SOURCES ... [LIBS ...]) : a static library of portable or
# Windows code, with the source root on the include path.
function(kit_library name)
  cmake_parse_arguments(ARG "" "" "SOURCES;LIBS" ${ARGN})
  add_library(${name} STATIC ${ARG_SOURCES})
  target_include_directories(${name} PUBLIC ${CMAKE_SOURCE_DIR})
  target_compile_options(${name} PRIVATE ${KIT_WARNINGS})
  if(ARG_LIBS)
    target_link_libraries(${name} PUBLIC ${ARG_LIBS})
  endif()
endfunction()

# kit_native_test(name SOURCES ... [LIBS ...]) : a GoogleTest binary of the
# host tree, run by CTest.
function(kit_native_test name)
  if(NOT KIT_TREE STREQUAL "native")
    return()
  endif()
  cmake_parse_arguments(ARG "" "" "SOURCES;LIBS" ${ARGN})
  add_executable(${name} ${ARG_SOURCES})
  target_include_directories(${name} PRIVATE ${CMAKE_SOURCE_DIR})
  target_compile_options(${name} PRIVATE ${KIT_WARNINGS})
  target_link_libraries(${name} PRIVATE ${ARG_LIBS} GTest::gmock GTest::gtest_main)
  add_test(NAME ${name} COMMAND ${name} --gtest_brief=1)
  set_tests_properties(${name} PROPERTIES LABELS unit TIMEOUT 300)
endfunction()

# kit_wine_test(name SOURCES ... [LIBS ...] [DATA files...] [TIMEOUT s]) : a
# GoogleTest binary built for Windows and run under Wine in a prefix of its
# own (see tests/wine/wine-run.sh). DATA files are copied beside the exe.
function(kit_wine_test name)
  if(KIT_TREE STREQUAL "native")
    return()
  endif()
  cmake_parse_arguments(ARG "" "TIMEOUT" "SOURCES;LIBS;DEPENDS" ${ARGN})
  if(NOT ARG_TIMEOUT)
    set(ARG_TIMEOUT 600)
  endif()
  add_executable(${name} ${ARG_SOURCES})
  target_include_directories(${name} PRIVATE ${CMAKE_SOURCE_DIR})
  target_compile_options(${name} PRIVATE ${KIT_WARNINGS})
  target_link_libraries(${name} PRIVATE ${ARG_LIBS} kit_gtest_main)
  if(ARG_DEPENDS)
    add_dependencies(${name} ${ARG_DEPENDS})
  endif()
  add_test(NAME ${name}
           COMMAND ${KIT_WINE_RUN} $<TARGET_FILE:${name}> --gtest_brief=1)
  # The wrapper ends a hung program a little before CTest would kill the
  # wrapper itself, so that it can still stop the program's wineserver.
  math(EXPR wine_timeout "${ARG_TIMEOUT} - ${ARG_TIMEOUT} / 10")
  set_tests_properties(${name} PROPERTIES LABELS wine TIMEOUT ${ARG_TIMEOUT}
    ENVIRONMENT "KIT_BUILD_DIR=${CMAKE_BINARY_DIR};KIT_DIST_DIR=${KIT_DIST_DIR};KIT_SOURCE_DIR=${CMAKE_SOURCE_DIR};KIT_WINE_TIMEOUT=${wine_timeout}")
endfunction()

# kit_dist(target folder) : copies the built program into dist/<folder>/.
function(kit_dist target folder)
  add_custom_command(TARGET ${target} POST_BUILD
    COMMAND ${CMAKE_COMMAND} -E make_directory "${KIT_DIST_DIR}/${folder}"
    COMMAND ${CMAKE_COMMAND} -E copy_if_different $<TARGET_FILE:${target}> "${KIT_DIST_DIR}/${folder}/"
    VERBATIM)
endfunction()

# kit_add_subdirectories() : adds every direct subfolder of the current folder
# that has a CMakeLists.txt, in name order. Targets may link to targets of
# folders added later; CMake resolves them when it generates.
function(kit_add_subdirectories)
  file(GLOB children LIST_DIRECTORIES true "${CMAKE_CURRENT_SOURCE_DIR}/*")
  list(SORT children)
  foreach(child ${children})
    if(IS_DIRECTORY "${child}" AND EXISTS "${child}/CMakeLists.txt")
      add_subdirectory("${child}")
    endif()
  endforeach()
endfunction()

# kit_windows_only() : call first in a folder that holds Win32 code.
macro(kit_windows_only)
  if(KIT_TREE STREQUAL "native")
    return()
  endif()
endmacro()

# kit_console_tree() : call first in a folder of the console's Windows code or
# tests: they build in the 32-bit tree and in its x86-64 twin.
macro(kit_console_tree)
  if(NOT KIT_TREE STREQUAL "win32" AND NOT KIT_TREE STREQUAL "console64")
    return()
  endif()
endmacro()

# Fuzzing and benchmarks: host-tree extras built only in their own presets
# ("fuzz" with clang, "bench" in Release), never in the trees CI tests.
option(KIT_FUZZ "Build the libFuzzer targets (clang only)" OFF)
option(KIT_BENCH "Build the Google Benchmark binaries" OFF)

if(KIT_TREE STREQUAL "native" AND KIT_FUZZ)
  if(NOT CMAKE_CXX_COMPILER_ID MATCHES "Clang")
    message(FATAL_ERROR "KIT_FUZZ needs clang (use the fuzz preset)")
  endif()
  # Everything is instrumented for coverage and the sanitizers; only the fuzz
  # targets link libFuzzer's main.
  add_compile_options(-fsanitize=fuzzer-no-link,address,undefined -fno-omit-frame-pointer
                      -fno-sanitize-recover=all -g)
  add_link_options(-fsanitize=address,undefined)
  add_custom_target(kit_fuzz_targets)
endif()

# kit_fuzz_target(name SOURCES ... [LIBS ...]) : a libFuzzer binary of the
# fuzz tree; not registered in CTest (scripts/fuzz.sh runs it).
function(kit_fuzz_target name)
  if(NOT KIT_TREE STREQUAL "native" OR NOT KIT_FUZZ)
    return()
  endif()
  cmake_parse_arguments(ARG "" "" "SOURCES;LIBS" ${ARGN})
  add_executable(${name} ${ARG_SOURCES})
  target_include_directories(${name} PRIVATE ${CMAKE_SOURCE_DIR})
  target_compile_options(${name} PRIVATE ${KIT_WARNINGS})
  target_link_libraries(${name} PRIVATE ${ARG_LIBS})
  target_link_options(${name} PRIVATE -fsanitize=fuzzer)
  add_dependencies(kit_fuzz_targets ${name})
endfunction()

# kit_benchmark(name SOURCES ... [LIBS ...]) : a Google Benchmark binary of
# the bench tree; not registered in CTest (scripts/bench.sh runs it).
function(kit_benchmark name)
  if(NOT KIT_TREE STREQUAL "native" OR NOT KIT_BENCH)
    return()
  endif()
  find_package(benchmark REQUIRED)
  cmake_parse_arguments(ARG "" "" "SOURCES;LIBS" ${ARGN})
  add_executable(${name} ${ARG_SOURCES})
  target_include_directories(${name} PRIVATE ${CMAKE_SOURCE_DIR})
  target_compile_options(${name} PRIVATE ${KIT_WARNINGS})
  target_link_libraries(${name} PRIVATE ${ARG_LIBS} benchmark::benchmark)
  if(NOT TARGET kit_benchmarks)
    add_custom_target(kit_benchmarks)
  endif()
  add_dependencies(kit_benchmarks ${name})
endfunction()
