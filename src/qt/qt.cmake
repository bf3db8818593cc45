# --- The Linux front end: Qt 6 Widgets on X11 (xcb), the same product on the same core.
if(WIN32)
  return()
endif()

find_package(Qt6 REQUIRED COMPONENTS Widgets Network)
find_package(X11 REQUIRED)

# The window-free logic and libads.so come from ui.cmake, playbar.cmake and shell.cmake,
# which src/CMakeLists.txt includes before this file.

# Everything but the entry point, so that the tests drive the real widgets in-process.
add_library(vesperine_qt STATIC
  ${CMAKE_CURRENT_LIST_DIR}/AdvertisementCall.cpp
  ${CMAKE_CURRENT_LIST_DIR}/InstanceChannel.cpp
  ${CMAKE_CURRENT_LIST_DIR}/MainCommands.cpp
  ${CMAKE_CURRENT_LIST_DIR}/MainWindow.cpp
  ${CMAKE_CURRENT_LIST_DIR}/Pictures.cpp
  ${CMAKE_CURRENT_LIST_DIR}/PlayBarPaint.cpp
  ${CMAKE_CURRENT_LIST_DIR}/PlayBarWidget.cpp
  ${CMAKE_CURRENT_LIST_DIR}/QtPlaybackView.cpp
  ${CMAKE_CURRENT_LIST_DIR}/StartArguments.cpp
  ${CMAKE_CURRENT_LIST_DIR}/VideoWidget.cpp
  ${CMAKE_CURRENT_LIST_DIR}/WindowLayout.cpp
  ${CMAKE_CURRENT_LIST_DIR}/WindowSettings.cpp
  ${CMAKE_CURRENT_LIST_DIR}/vesperine.qrc)
set_target_properties(vesperine_qt PROPERTIES AUTOMOC ON AUTORCC ON)
target_include_directories(vesperine_qt PUBLIC ${CMAKE_CURRENT_LIST_DIR}/..)
target_link_libraries(vesperine_qt PUBLIC
  vesperine_core vesperine_ui_logic vesperine_playbar_logic vesperine_shell_logic
  Qt6::Widgets Qt6::Network ${CMAKE_DL_LIBS})

add_executable(vesperine_linux ${CMAKE_CURRENT_LIST_DIR}/QtMain.cpp)
set_target_properties(vesperine_linux PROPERTIES OUTPUT_NAME vesperine)
target_link_libraries(vesperine_linux PRIVATE vesperine_qt X11::X11)
# libads.so is looked for beside the program (both land in this folder of the build tree).
add_dependencies(vesperine_linux vesperine_libads)

# Installed as a program folder (the binary with its libads.so, found through the binary's own
# path) and a link to it on the PATH, with the icon and a menu entry that opens .m2ts files.
include(GNUInstallDirs)
set(VESPERINE_PROGRAM_DIR ${CMAKE_INSTALL_LIBDIR}/vesperine)
install(TARGETS vesperine_linux RUNTIME DESTINATION ${VESPERINE_PROGRAM_DIR})
install(TARGETS vesperine_libads LIBRARY DESTINATION ${VESPERINE_PROGRAM_DIR})
install(CODE "
  set(bin \"\$ENV{DESTDIR}\${CMAKE_INSTALL_PREFIX}/${CMAKE_INSTALL_BINDIR}\")
  file(MAKE_DIRECTORY \"\${bin}\")
  file(RELATIVE_PATH target \"\${bin}\" \"\$ENV{DESTDIR}\${CMAKE_INSTALL_PREFIX}/${VESPERINE_PROGRAM_DIR}/vesperine\")
  message(STATUS \"Installing: \${bin}/vesperine -> \${target}\")
  file(CREATE_LINK \"\${target}\" \"\${bin}/vesperine\" SYMBOLIC)
")
install(FILES ${CMAKE_CURRENT_LIST_DIR}/vesperine.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES ${CMAKE_CURRENT_LIST_DIR}/../res/art/icon.svg
  DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps RENAME vesperine.svg)
