# Runs brevant-cli and compares its standard output, standard error and exit status with
# what is expected. Arguments: CLI, ARGS (a list), EXPECTED_FILE or EXPECTED_ERR, STATUS.
execute_process(COMMAND ${CLI} ${ARGS}
                OUTPUT_VARIABLE out ERROR_VARIABLE err RESULT_VARIABLE rc)
if(NOT rc STREQUAL STATUS)
    message(FATAL_ERROR "exit status ${rc}, expected ${STATUS}\n${out}\n${err}")
endif()
if(DEFINED EXPECTED_FILE)
    file(READ ${EXPECTED_FILE} expected)
    if(NOT out STREQUAL expected)
        message(FATAL_ERROR "output differs from ${EXPECTED_FILE}:\n${out}")
    endif()
endif()
if(DEFINED EXPECTED_ERR AND NOT err STREQUAL "${EXPECTED_ERR}\n")
    message(FATAL_ERROR "standard error differs:\n${err}")
endif()
