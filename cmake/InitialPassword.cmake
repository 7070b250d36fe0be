# Never overwrite a password the user already changed in this folder.
if(NOT EXISTS "${FOLDER}/unins000.dll")
    execute_process(COMMAND ${CMAKE_COMMAND} -E echo "${PASSWORD}"
                    COMMAND ${CLI} --folder ${FOLDER} password set
                    RESULT_VARIABLE rc)
    if(NOT rc EQUAL 0)
        message(FATAL_ERROR "plicario-cli could not store the initial password (${rc})")
    endif()
endif()
