# Test helpers shared by every test folder.
#
# corrivex_add_gtest(<name> SOURCES <files...> LIBS <targets...> [LABELS <labels...>] [CONSOLE])
#   One GoogleTest program registered as one CTest test. On the win32 build the
#   program is a Windows executable run under Wine, in the build tree's own
#   Wine prefix, with Wine's debug output switched off.

if(NOT BUILD_TESTING)
  return()
endif()

# GoogleTest as installed for the target (GTest::gtest, GTest::gtest_main);
# where none is (MinGW-w64 has no package of it), its sources, as Debian's
# googletest package installs them (<prefix>/src/googletest), built here
# under the same names.
find_package(GTest QUIET)
if(NOT GTest_FOUND)
  find_path(GOOGLETEST_SOURCE_DIR
    NAMES googletest/include/gtest/gtest.h
    PATH_SUFFIXES src/googletest
    NO_CMAKE_FIND_ROOT_PATH
    DOC "GoogleTest sources to build with the tests")
  if(NOT GOOGLETEST_SOURCE_DIR)
    message(FATAL_ERROR "GoogleTest is neither installed for this target nor found as sources (Debian: googletest)")
  endif()
  set(gtest_force_shared_crt ON CACHE BOOL "" FORCE)
  set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
  set(BUILD_GMOCK OFF CACHE BOOL "" FORCE)
  add_subdirectory(${GOOGLETEST_SOURCE_DIR} ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL SYSTEM)
endif()

# On the win32 build: the test needs the Wine prefix, and counts as skipped
# when Wine cannot run Windows programs on this machine (cmake/wine-run).
function(corrivex_test_environment test)
  if(WIN32)
    set_property(TEST ${test} APPEND PROPERTY FIXTURES_REQUIRED wineprefix)
    set_property(TEST ${test} PROPERTY SKIP_RETURN_CODE 77)
    set_property(TEST ${test} PROPERTY SKIP_REGULAR_EXPRESSION "Skipped: Wine cannot run")
  endif()
endfunction()

# A Windows program given CONSOLE needs a console, which Wine makes of a
# terminal: it runs on a pseudo-terminal of its own, through util-linux's
# `script`, so that it runs under ctest too.
find_program(CORRIVEX_SCRIPT_PROGRAM script)

function(corrivex_add_gtest name)
  cmake_parse_arguments(T "CONSOLE" "" "SOURCES;LIBS;LABELS" ${ARGN})
  add_executable(${name} ${T_SOURCES})
  target_link_libraries(${name} PRIVATE ${T_LIBS} GTest::gtest_main)
  if(T_CONSOLE AND WIN32 AND CORRIVEX_SCRIPT_PROGRAM)
    add_test(NAME ${name}
      COMMAND ${CORRIVEX_SCRIPT_PROGRAM} -qec
              "'${PROJECT_SOURCE_DIR}/cmake/wine-run' '${CMAKE_BINARY_DIR}' '$<TARGET_FILE:${name}>'" /dev/null)
  else()
    add_test(NAME ${name} COMMAND ${name})
  endif()
  set_tests_properties(${name} PROPERTIES LABELS "unit;${T_LABELS}" TIMEOUT 600)
  corrivex_test_environment(${name})
endfunction()

# corrivex_add_fuzz_test(<target> SECONDS <n> [DICT <file>] [SEEDS <folder>] LABELS <labels...>)
#   The libFuzzer target <target> of cmake/fuzzers, from the sources of the
#   folder `fuzz` beside the calling CMakeLists.txt, built with clang on its
#   own and run for <n> seconds by cmake/run-fuzz.cmake (POSIX builds outside
#   the sanitize preset, which builds its own sanitizers in). Skipped where
#   clang has no libFuzzer.
function(corrivex_add_fuzz_test target)
  cmake_parse_arguments(PARSE_ARGV 1 arg "" "SECONDS;DICT;SEEDS" "LABELS")
  if(WIN32 OR CORRIVEX_SANITIZE)
    return()
  endif()
  find_program(CORRIVEX_CLANGXX NAMES clang++ clang++-14 clang++-15 clang++-16)
  if(NOT CORRIVEX_CLANGXX)
    message(STATUS "No clang++: ${target} does not run")
    return()
  endif()
  set(extra)
  foreach(option DICT SEEDS)
    if(arg_${option})
      list(APPEND extra -D${option}=${CMAKE_CURRENT_SOURCE_DIR}/fuzz/${arg_${option}})
    endif()
  endforeach()
  add_test(NAME ${target}
    COMMAND ${CMAKE_COMMAND} -DCLANGXX=${CORRIVEX_CLANGXX} -DSOURCE_DIR=${PROJECT_SOURCE_DIR}
            -DFUZZ_DIR=${PROJECT_SOURCE_DIR}/cmake/fuzzers -DTARGET=${target}
            -DBINARY_DIR=${CMAKE_CURRENT_BINARY_DIR}/fuzz -DSECONDS=${arg_SECONDS} ${extra}
            -P ${PROJECT_SOURCE_DIR}/cmake/run-fuzz.cmake)
  set_tests_properties(${target} PROPERTIES
    LABELS "fuzz;${arg_LABELS}"
    TIMEOUT 600
    SKIP_REGULAR_EXPRESSION "libFuzzer is not available")
endfunction()

# corrivex_add_locale_tests(<name> <gtest filter> <locale>:<code page>...)
#   On the win32 build, the tests of the program <name> that match the filter
#   run again in each locale, as <name>.<locale>: Wine takes the ANSI code
#   page from LANG. The test learns the code page it should see from
#   CORRIVEX_TEST_CODE_PAGE and counts as skipped where the system took
#   another one.
function(corrivex_add_locale_tests name filter)
  if(NOT WIN32)
    return()
  endif()
  foreach(pair IN LISTS ARGN)
    string(REPLACE ":" ";" parts "${pair}")
    list(GET parts 0 locale)
    list(GET parts 1 codePage)
    add_test(NAME ${name}.${locale} COMMAND ${name} --gtest_filter=${filter})
    set_tests_properties(${name}.${locale} PROPERTIES
      LABELS "unit;locale"
      TIMEOUT 600
      ENVIRONMENT "LANG=${locale};LC_ALL=${locale};CORRIVEX_TEST_CODE_PAGE=${codePage}")
    corrivex_test_environment(${name}.${locale})
    set_property(TEST ${name}.${locale} APPEND PROPERTY SKIP_REGULAR_EXPRESSION "not the code page asked for")
  endforeach()
endfunction()
