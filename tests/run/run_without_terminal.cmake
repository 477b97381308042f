# Runs PROGRAM (through EMULATOR when set) in a fresh empty WORK_DIR with no
# terminal, and checks the exit code and the settings file it leaves.
set(EXPECTED_help "man corrivex")
set(EXPECTED_version "corrivex ${VERSION}\n")
string(REPLACE "|" ";" EMULATOR "${EMULATOR}")
file(REMOVE_RECURSE "${WORK_DIR}")
file(MAKE_DIRECTORY "${WORK_DIR}")

# The POSIX program answers --help and --version and touches nothing.
foreach(option help version)
  if(NOT EMULATOR)
    execute_process(COMMAND "${PROGRAM}" --${option} ignored WORKING_DIRECTORY "${WORK_DIR}" INPUT_FILE /dev/null
                    OUTPUT_VARIABLE answer RESULT_VARIABLE exit_code TIMEOUT 60)
    file(GLOB left_behind "${WORK_DIR}/*")
    string(FIND "${answer}" "${EXPECTED_${option}}" at)
    if(NOT exit_code STREQUAL "0" OR left_behind OR at LESS 0)
      message(FATAL_ERROR "--${option}: exit code ${exit_code}, files ${left_behind}, printed ${answer}")
    endif()
  endif()
endforeach()

execute_process(
  COMMAND ${EMULATOR} "${PROGRAM}"
  WORKING_DIRECTORY "${WORK_DIR}"
  INPUT_FILE /dev/null
  OUTPUT_FILE "${WORK_DIR}.out"
  ERROR_FILE "${WORK_DIR}.err"
  RESULT_VARIABLE exit_code
  TIMEOUT 240)

if(EMULATOR AND exit_code STREQUAL "77")
  file(READ "${WORK_DIR}.out" said)
  message(STATUS "${said}")
  return()
endif()
if(NOT exit_code STREQUAL "0")
  message(FATAL_ERROR "exit code ${exit_code}, expected 0")
endif()

set(settings "${WORK_DIR}/batchs.ini")
if(NOT EXISTS "${settings}")
  message(FATAL_ERROR "no batchs.ini was written")
endif()
file(SIZE "${settings}" size)
if(NOT size EQUAL 513)
  message(FATAL_ERROR "batchs.ini is ${size} bytes, expected 513")
endif()
# The batch-mode question and its answer "n", each ended by CR LF.
file(READ "${settings}" head LIMIT 29 HEX)
string(HEX "Activate the batch mode?" question)
if(NOT head STREQUAL "${question}0d0a6e0d0a")
  message(FATAL_ERROR "batchs.ini does not begin with the batch-mode question and its answer")
endif()
file(GLOB left_behind RELATIVE "${WORK_DIR}" "${WORK_DIR}/*")
if(NOT left_behind STREQUAL "batchs.ini")
  message(FATAL_ERROR "the run left other files behind: ${left_behind}")
endif()
message(STATUS "exit code 0, batchs.ini of 513 bytes")
