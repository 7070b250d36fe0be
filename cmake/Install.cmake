# `cmake --install` lays the portable folder where the user can write (by default ~/Plicario) and adds the program to
# the user's applications menu. A password store already there and every archive are left as they are.
if(CMAKE_INSTALL_PREFIX_INITIALIZED_TO_DEFAULT)
    set(CMAKE_INSTALL_PREFIX "$ENV{HOME}/Plicario" CACHE PATH "Where cmake --install puts the portable folder" FORCE)
endif()

install(TARGETS plicario plicario-cli RUNTIME DESTINATION .)
install(FILES ${PLICARIO_PORTABLE_DIR}/Guida.pdf DESTINATION . OPTIONAL)
install(CODE "
    set(PLICARIO_INITIAL_PASSWORD \"${PLICARIO_INITIAL_PASSWORD}\")
    set(PLICARIO_SOURCE_DIR \"${CMAKE_SOURCE_DIR}\")
")
install(SCRIPT ${CMAKE_CURRENT_LIST_DIR}/InstallDesktop.cmake)
