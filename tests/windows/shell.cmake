# The shell under Wine, in process. Each program has a folder of its own, so that what lies
# beside it (the test engine, no advertisement library) is the test's choice.

set(SHELL_TEST_SUPPORT ${CMAKE_SOURCE_DIR}/tests/e2e/PlayerProcess.cpp ${CMAKE_SOURCE_DIR}/tests/e2e/Registry.cpp)

# Resources of the built program, window-free paths against Wine's own, the advertisement
# loader, and the hand-over of engine-thread requests.
vesperine_wine_test(shell_wine_test
  SOURCES
    ${CMAKE_CURRENT_LIST_DIR}/shell/AdvertisementTest.cpp
    ${CMAKE_CURRENT_LIST_DIR}/shell/ProgramResourcesTest.cpp
    ${CMAKE_CURRENT_LIST_DIR}/shell/ShellPathsTest.cpp
    ${CMAKE_CURRENT_LIST_DIR}/shell/ShellViewTest.cpp
    ${SHELL_TEST_SUPPORT}
  LIBS vesperine_shell advapi32 shell32)
set_target_properties(shell_wine_test PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_CURRENT_BINARY_DIR}/shell)
target_include_directories(shell_wine_test PRIVATE ${CMAKE_SOURCE_DIR}/tests)
target_compile_definitions(shell_wine_test PRIVATE
  VESPERINE_EXE="$<TARGET_FILE:vesperine>"
  VESPERINE_SOURCE_DIR="${CMAKE_SOURCE_DIR}"
  FAKE_LIBADS="$<TARGET_FILE:fake_libads>"
  FAKE_LIBADS_NOENTRY="$<TARGET_FILE:fake_libads_noentry>")
add_dependencies(shell_wine_test vesperine fake_libads fake_libads_noentry)

# The whole shell started in process (main window, video window, bar, play logic) over the
# test engine placed beside the program: commands, keys, title, dropped files, teardown, full
# screen and minimising, and the running instance's side of a hand-off.
vesperine_wine_test(main_window_wine_test
  SOURCES
    ${CMAKE_CURRENT_LIST_DIR}/shell/ShellFixture.cpp
    ${CMAKE_CURRENT_LIST_DIR}/shell/MainWindowTest.cpp
    ${CMAKE_CURRENT_LIST_DIR}/shell/FullScreenTest.cpp
    ${CMAKE_CURRENT_LIST_DIR}/shell/NewFileTest.cpp
    ${CMAKE_SOURCE_DIR}/src/res/vesperine.rc
    ${SHELL_TEST_SUPPORT}
  LIBS vesperine_shell advapi32 shell32)
set_target_properties(main_window_wine_test PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_CURRENT_BINARY_DIR}/shell-engine)
target_include_directories(main_window_wine_test PRIVATE ${CMAKE_SOURCE_DIR}/tests)
add_dependencies(main_window_wine_test fake_libvlc)
add_custom_command(TARGET main_window_wine_test POST_BUILD
  COMMAND ${CMAKE_COMMAND} -E copy_if_different $<TARGET_FILE:fake_libvlc> $<TARGET_FILE_DIR:main_window_wine_test>/libvlc.dll)

# The start-up sequence in process, with the main window refused: nothing reaches the registry.
vesperine_wine_test(startup_wine_test
  SOURCES
    ${CMAKE_CURRENT_LIST_DIR}/shell/StartupFailureTest.cpp
    ${SHELL_TEST_SUPPORT}
  LIBS vesperine_shell advapi32 shell32)
set_target_properties(startup_wine_test PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_CURRENT_BINARY_DIR}/shell-startup)
target_include_directories(startup_wine_test PRIVATE ${CMAKE_SOURCE_DIR}/tests)

# Both write the program's registry keys (the close path stores the placement), as do the
# whole-process tests: one at a time.
set_tests_properties(main_window_wine_test startup_wine_test PROPERTIES RESOURCE_LOCK vesperine_registry)

# The program and our advertisement library need no MinGW runtime DLL, and the library
# exports its entry under its plain name.
add_test(NAME vesperine_exe_self_contained
  COMMAND ${CMAKE_COMMAND}
    -DOBJDUMP=${CMAKE_OBJDUMP}
    -DEXE=$<TARGET_FILE:vesperine>
    -DLIBADS=$<TARGET_FILE:vesperine_libads>
    -P ${CMAKE_CURRENT_LIST_DIR}/shell/CheckSelfContained.cmake)
