# The user guide Guida.pdf, written at build time from docs/guida.html by our own small tool.
# It draws the program's own windows, so it links the program's code.
file(GLOB PLICARIO_GUIDE_SOURCES CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/tools/guide/*.cpp)
add_executable(plicario-guide ${PLICARIO_GUIDE_SOURCES})
target_include_directories(plicario-guide PRIVATE ${CMAKE_SOURCE_DIR}/src)
target_link_libraries(plicario-guide PRIVATE plicario_ui Qt6::Svg)
set_target_properties(plicario-guide PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/tools)

set(PLICARIO_GUIDE_RUNTIME ${CMAKE_BINARY_DIR}/guide-runtime)
file(MAKE_DIRECTORY ${PLICARIO_GUIDE_RUNTIME})
file(CHMOD ${PLICARIO_GUIDE_RUNTIME} DIRECTORY_PERMISSIONS OWNER_READ OWNER_WRITE OWNER_EXECUTE)

set(PLICARIO_GUIDE_PDF ${PLICARIO_PORTABLE_DIR}/Guida.pdf)
add_custom_command(
    OUTPUT ${PLICARIO_GUIDE_PDF}
    COMMAND ${CMAKE_COMMAND} -E env QT_QPA_PLATFORM=offscreen XDG_RUNTIME_DIR=${PLICARIO_GUIDE_RUNTIME}
            $<TARGET_FILE:plicario-guide> ${CMAKE_SOURCE_DIR}/docs/guida.html
            ${CMAKE_SOURCE_DIR}/assets/help/logo.svg ${PLICARIO_GUIDE_PDF}
    DEPENDS plicario-guide ${CMAKE_SOURCE_DIR}/docs/guida.html ${CMAKE_SOURCE_DIR}/assets/help/logo.svg
    COMMENT "Writing the user guide Guida.pdf"
    VERBATIM)
add_custom_target(user_guide ALL DEPENDS ${PLICARIO_GUIDE_PDF})
