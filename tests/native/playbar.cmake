# The play bar's window-free logic.
vesperine_native_test(playbar_logic_test
  SOURCES PlayBarGeometryTest.cpp PlayBarTextTest.cpp PlayBarButtonsTest.cpp AutoHideClockTest.cpp
  LIBS vesperine_playbar_logic)
# The geometry checks read the stored pictures' sizes from the PNG files.
target_compile_definitions(playbar_logic_test PRIVATE VESPERINE_SOURCE_DIR="${CMAKE_SOURCE_DIR}")
