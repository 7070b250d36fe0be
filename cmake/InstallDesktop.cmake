# Runs at install time, after the program files: the initial password store when none is there yet, then the
# desktop entry and the icon in the user's data folder ($XDG_DATA_HOME, by default ~/.local/share).
set(folder "$ENV{DESTDIR}${CMAKE_INSTALL_PREFIX}")

# The same script the build uses: it never replaces a store the user changed.
set(CLI "${folder}/plicario-cli")
set(FOLDER "${folder}")
set(PASSWORD "${PLICARIO_INITIAL_PASSWORD}")
include("${PLICARIO_SOURCE_DIR}/cmake/InitialPassword.cmake")

if(DEFINED ENV{XDG_DATA_HOME} AND NOT "$ENV{XDG_DATA_HOME}" STREQUAL "")
    set(data_home "$ENV{XDG_DATA_HOME}")
else()
    set(data_home "$ENV{HOME}/.local/share")
endif()
set(data_home "$ENV{DESTDIR}${data_home}")

# Exec takes the program in double quotes, with ", `, $ and \ escaped inside them.
set(PLICARIO_FOLDER "${CMAKE_INSTALL_PREFIX}")
string(REGEX REPLACE "([\"`$\\\\])" "\\\\\\1" PLICARIO_EXEC "${CMAKE_INSTALL_PREFIX}/plicario")
configure_file("${PLICARIO_SOURCE_DIR}/assets/plicario.desktop.in" "${data_home}/applications/plicario.desktop" @ONLY)
file(INSTALL "${PLICARIO_SOURCE_DIR}/assets/shell/plicario.svg"
     DESTINATION "${data_home}/icons/hicolor/scalable/apps")
message(STATUS "Installed: ${data_home}/applications/plicario.desktop")
