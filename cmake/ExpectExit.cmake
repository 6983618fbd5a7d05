# Runs PROGRAM with ARGUMENTS (separated by |), through EMULATOR when there is one, and checks
# its exit status is EXIT and that REASON appears in what it printed.
string(REPLACE "|" ";" arguments "${ARGUMENTS}")
execute_process(COMMAND ${EMULATOR} ${PROGRAM} ${arguments}
                RESULT_VARIABLE status OUTPUT_VARIABLE output ERROR_VARIABLE errors)
if(NOT status EQUAL EXIT)
  message(FATAL_ERROR "exit status ${status}, expected ${EXIT}\n${output}${errors}")
endif()
string(FIND "${output}${errors}" "${REASON}" found)
if(found EQUAL -1)
  message(FATAL_ERROR "expected the reason '${REASON}' in:\n${output}${errors}")
endif()
