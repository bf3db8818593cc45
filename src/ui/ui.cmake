# The window toolkit and the video window. Their window-free logic is portable and serves both
# front ends; the Win32 windows around it are built for the Windows product only.

add_library(vesperine_ui_logic STATIC
  ${CMAKE_CURRENT_LIST_DIR}/logic/WindowGeometry.cpp
  ${CMAKE_CURRENT_LIST_DIR}/logic/VideoLayout.cpp
  ${CMAKE_CURRENT_LIST_DIR}/logic/ContextMenuState.cpp
  ${CMAKE_CURRENT_LIST_DIR}/logic/CursorRestClock.cpp)
target_include_directories(vesperine_ui_logic PUBLIC ${CMAKE_CURRENT_LIST_DIR}/..)

if(WIN32)
  add_library(vesperine_ui STATIC
    ${CMAKE_CURRENT_LIST_DIR}/WindowToolkit.cpp
    ${CMAKE_CURRENT_LIST_DIR}/PlayWnd.cpp)
  target_include_directories(vesperine_ui PUBLIC ${CMAKE_CURRENT_LIST_DIR}/..)
  target_link_libraries(vesperine_ui PUBLIC vesperine_ui_logic vesperine_core gdiplus comctl32 shlwapi shell32 ole32)
endif()
