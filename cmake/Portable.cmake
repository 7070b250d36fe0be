# Lays out the rest of the portable folder: the initial password store and the user guide.
set(PLICARIO_INITIAL_PASSWORD "plicario")

# Runs on every build; the script leaves an existing store alone.
add_custom_target(portable_folder ALL
    COMMAND ${CMAKE_COMMAND} -DCLI=$<TARGET_FILE:plicario-cli> -DFOLDER=${PLICARIO_PORTABLE_DIR}
            -DPASSWORD=${PLICARIO_INITIAL_PASSWORD} -P ${CMAKE_SOURCE_DIR}/cmake/InitialPassword.cmake
    DEPENDS plicario-cli
    COMMENT "Checking the initial password store")

include(${CMAKE_CURRENT_LIST_DIR}/Guide.cmake)
