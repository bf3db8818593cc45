# The play bar: its window-free logic (both targets) and the Win32 bar.
add_library(vesperine_playbar_logic STATIC
  ${CMAKE_CURRENT_LIST_DIR}/logic/AutoHideClock.cpp
  ${CMAKE_CURRENT_LIST_DIR}/logic/BarControls.cpp
  ${CMAKE_CURRENT_LIST_DIR}/logic/BarGeometry.cpp
  ${CMAKE_CURRENT_LIST_DIR}/logic/TimeText.cpp)
target_include_directories(vesperine_playbar_logic PUBLIC ${CMAKE_CURRENT_LIST_DIR}/../..)

if(WIN32)
  # The Win32 bar. It reaches the shell's AppContext and the window toolkit, which the program
  # (and the in-process tests) link beside it.
  add_library(vesperine_playbar STATIC
    ${CMAKE_CURRENT_LIST_DIR}/PlayBar.cpp
    ${CMAKE_CURRENT_LIST_DIR}/PlayBarDrag.cpp
    ${CMAKE_CURRENT_LIST_DIR}/PlayBarLayout.cpp
    ${CMAKE_CURRENT_LIST_DIR}/PlayBarPaint.cpp)
  target_link_libraries(vesperine_playbar PUBLIC vesperine_playbar_logic vesperine_ui vesperine_core
    gdiplus comctl32)
endif()
