# The shell's window-free logic: title, command line, main layout, stored registry values.
vesperine_native_test(shell_logic_test
  SOURCES
    ${CMAKE_CURRENT_LIST_DIR}/shell/CommandLineTest.cpp
    ${CMAKE_CURRENT_LIST_DIR}/shell/MainLayoutTest.cpp
    ${CMAKE_CURRENT_LIST_DIR}/shell/StoredValuesTest.cpp
    ${CMAKE_CURRENT_LIST_DIR}/shell/WindowTitleTest.cpp
  LIBS vesperine_shell_logic)
