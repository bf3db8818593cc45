# --- The application shell.

# Window-free logic of the shell (title, command line, main layout, stored values): plain C++
# for both targets.
add_library(vesperine_shell_logic STATIC
  ${CMAKE_CURRENT_LIST_DIR}/logic/CommandLine.cpp
  ${CMAKE_CURRENT_LIST_DIR}/logic/MainLayout.cpp
  ${CMAKE_CURRENT_LIST_DIR}/logic/StoredValues.cpp
  ${CMAKE_CURRENT_LIST_DIR}/logic/WindowTitle.cpp)
target_include_directories(vesperine_shell_logic PUBLIC ${CMAKE_CURRENT_LIST_DIR}/logic)

# Our advertisement library, built beside the program.
include(${CMAKE_CURRENT_LIST_DIR}/../libads/libads.cmake)

if(WIN32)
  # Everything of the shell but the entry point, so that in-process tests can drive it.
  add_library(vesperine_shell STATIC
    ${CMAKE_CURRENT_LIST_DIR}/Advertisement.cpp
    ${CMAKE_CURRENT_LIST_DIR}/AppContext.cpp
    ${CMAKE_CURRENT_LIST_DIR}/Commands.cpp
    ${CMAKE_CURRENT_LIST_DIR}/HandOff.cpp
    ${CMAKE_CURRENT_LIST_DIR}/Layout.cpp
    ${CMAKE_CURRENT_LIST_DIR}/MainWindow.cpp
    ${CMAKE_CURRENT_LIST_DIR}/Settings.cpp
    ${CMAKE_CURRENT_LIST_DIR}/ShellView.cpp
    ${CMAKE_CURRENT_LIST_DIR}/Startup.cpp)
  target_include_directories(vesperine_shell PUBLIC ${CMAKE_CURRENT_LIST_DIR}/..)
  target_link_libraries(vesperine_shell PUBLIC vesperine_shell_logic vesperine_ui vesperine_core)
  target_link_libraries(vesperine_shell PUBLIC vesperine_playbar)
  target_link_libraries(vesperine_shell PUBLIC comctl32 gdiplus shlwapi shell32 comdlg32 ole32 advapi32)

  # The Windows product: a Unicode GUI program, statically linked (no MinGW DLL beside it).
  add_executable(vesperine WIN32
    ${CMAKE_CURRENT_LIST_DIR}/WinMain.cpp
    ${CMAKE_CURRENT_LIST_DIR}/../res/vesperine.rc)
  set_target_properties(vesperine PROPERTIES OUTPUT_NAME vesperine)
  # wWinMain: the Unicode entry point.
  target_link_options(vesperine PRIVATE -municode)
  target_link_libraries(vesperine PRIVATE vesperine_shell)
  # libads.dll is loaded at run time from the program's folder; build it with the program.
  add_dependencies(vesperine vesperine_libads)
endif()
