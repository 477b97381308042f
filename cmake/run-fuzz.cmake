# Builds a libFuzzer target with clang, with AddressSanitizer and
# UndefinedBehaviorSanitizer, and runs it for a while. Arguments (-D):
# CLANGXX, SOURCE_DIR (the project), FUZZ_DIR (the fuzzers' CMake project,
# cmake/fuzzers), TARGET, BINARY_DIR, SECONDS; DICT (a dictionary) and SEEDS
# (a folder of seed inputs) where the fuzzer has them. A machine without
# libFuzzer reports so and the test is skipped.
#
# The inputs it finds go to BINARY_DIR/corpus, which the next run starts
# from; to fuzz longer, run BINARY_DIR/TARGET by hand with that folder (and
# SEEDS) and -max_total_time=SECONDS.

foreach(var CLANGXX SOURCE_DIR FUZZ_DIR TARGET BINARY_DIR SECONDS)
  if(NOT DEFINED ${var})
    message(FATAL_ERROR "run-fuzz.cmake needs -D${var}=...")
  endif()
endforeach()

execute_process(
  COMMAND ${CMAKE_COMMAND} -S ${FUZZ_DIR} -B ${BINARY_DIR}
          -DCMAKE_CXX_COMPILER=${CLANGXX} -DCMAKE_BUILD_TYPE=RelWithDebInfo
          -DCORRIVEX_SOURCE_DIR=${SOURCE_DIR} -DTARGET=${TARGET}
  RESULT_VARIABLE result OUTPUT_VARIABLE output ERROR_VARIABLE output)
if(NOT result EQUAL 0)
  message("${output}")
  message(FATAL_ERROR "Configuring the fuzzer failed")
endif()

execute_process(
  COMMAND ${CMAKE_COMMAND} --build ${BINARY_DIR} --target ${TARGET}
  RESULT_VARIABLE result OUTPUT_VARIABLE output ERROR_VARIABLE output)
if(NOT result EQUAL 0)
  message("${output}")
  message(FATAL_ERROR "Building the fuzzer failed")
endif()

set(options -max_total_time=${SECONDS} -timeout=10 -rss_limit_mb=2048 -max_len=4096
            -artifact_prefix=${BINARY_DIR}/ -print_final_stats=1)
if(DEFINED DICT)
  list(APPEND options -dict=${DICT})
endif()
file(MAKE_DIRECTORY ${BINARY_DIR}/corpus)
set(corpora ${BINARY_DIR}/corpus)
if(DEFINED SEEDS)
  list(APPEND corpora ${SEEDS})
endif()
execute_process(COMMAND ${BINARY_DIR}/${TARGET} ${options} ${corpora} RESULT_VARIABLE result)
if(NOT result EQUAL 0)
  message(FATAL_ERROR "The fuzzer found a fault (see the artifact in ${BINARY_DIR})")
endif()
