# Builds the terminal input decoder's fuzzer with clang and runs it for a
# while. Arguments (-D): CLANGXX, SOURCE_DIR (the project), BINARY_DIR,
# SECONDS. A machine without libFuzzer reports so and the test is skipped.

foreach(var CLANGXX SOURCE_DIR BINARY_DIR SECONDS)
  if(NOT DEFINED ${var})
    message(FATAL_ERROR "run_fuzz.cmake needs -D${var}=...")
  endif()
endforeach()

set(fuzz_source ${SOURCE_DIR}/tests/terminal/fuzz)
execute_process(
  COMMAND ${CMAKE_COMMAND} -S ${fuzz_source} -B ${BINARY_DIR}
          -DCMAKE_CXX_COMPILER=${CLANGXX} -DCMAKE_BUILD_TYPE=RelWithDebInfo
          -DCORRIVEX_SOURCE_DIR=${SOURCE_DIR}
  RESULT_VARIABLE result OUTPUT_VARIABLE output ERROR_VARIABLE output)
if(NOT result EQUAL 0)
  message("${output}")
  message(FATAL_ERROR "Configuring the fuzzer failed")
endif()

execute_process(
  COMMAND ${CMAKE_COMMAND} --build ${BINARY_DIR}
  RESULT_VARIABLE result OUTPUT_VARIABLE output ERROR_VARIABLE output)
if(NOT result EQUAL 0)
  message("${output}")
  message(FATAL_ERROR "Building the fuzzer failed")
endif()

file(MAKE_DIRECTORY ${BINARY_DIR}/corpus)
execute_process(
  COMMAND ${BINARY_DIR}/terminal_input_fuzz
          -max_total_time=${SECONDS} -timeout=10 -rss_limit_mb=2048 -max_len=4096
          -dict=${fuzz_source}/terminal_input.dict
          -artifact_prefix=${BINARY_DIR}/
          -print_final_stats=1
          ${BINARY_DIR}/corpus
  RESULT_VARIABLE result)
if(NOT result EQUAL 0)
  message(FATAL_ERROR "The fuzzer found a fault (see the artifact in ${BINARY_DIR})")
endif()
