# Fails when a test program has a test function that its FUNCTIONS list leaves out, since such
# a function would never run. Called with PROGRAM and LISTED (a ;-list).
execute_process(COMMAND ${PROGRAM} -functions OUTPUT_VARIABLE output RESULT_VARIABLE status)
if(NOT status EQUAL 0)
    message(FATAL_ERROR "${PROGRAM} -functions failed")
endif()
string(REGEX REPLACE "\\(\\)" "" output "${output}")
string(REGEX MATCHALL "[^\n]+" functions "${output}")
list(REMOVE_ITEM functions ${LISTED})
if(functions)
    message(FATAL_ERROR "not in the FUNCTIONS list, so never run: ${functions}")
endif()
