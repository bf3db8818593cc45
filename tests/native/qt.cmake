# The Linux front end: the real widgets in-process and the real program as whole processes, on
# the test's X display (scripts/test provides one). They share the screen and the pointer, so
# they run one at a time among themselves.
if(NOT TARGET vesperine_qt)
  return()
endif()
find_package(Qt6 REQUIRED COMPONENTS Test)
find_package(X11 REQUIRED)

# A test advertisement library that records its calls (libads.so in a folder of its own).
add_library(qt_fake_libads SHARED ${CMAKE_CURRENT_LIST_DIR}/qt/FakeLibAds.cpp)
target_link_libraries(qt_fake_libads PRIVATE vesperine_platform)
set_target_properties(qt_fake_libads PROPERTIES
  PREFIX "" OUTPUT_NAME libads
  LIBRARY_OUTPUT_DIRECTORY ${CMAKE_CURRENT_BINARY_DIR}/qt-ads)

add_executable(qt_front_end_test
  ${CMAKE_CURRENT_LIST_DIR}/qt/QtTestMain.cpp
  ${CMAKE_CURRENT_LIST_DIR}/qt/X11Windows.cpp
  ${CMAKE_CURRENT_LIST_DIR}/qt/MainWindowTest.cpp
  ${CMAKE_CURRENT_LIST_DIR}/qt/VideoAndBarTest.cpp
  ${CMAKE_CURRENT_LIST_DIR}/qt/ClosePathTest.cpp
  ${CMAKE_CURRENT_LIST_DIR}/qt/InstanceChannelTest.cpp
  ${CMAKE_CURRENT_LIST_DIR}/qt/ProcessTest.cpp)
target_include_directories(qt_front_end_test PRIVATE ${CMAKE_CURRENT_LIST_DIR}/qt ${CMAKE_CURRENT_LIST_DIR})
target_link_libraries(qt_front_end_test PRIVATE vesperine_qt Qt6::Test X11::X11 GTest::gtest GTest::gmock)
target_compile_definitions(qt_front_end_test PRIVATE
  VESPERINE_MEDIA_DIR="${VESPERINE_MEDIA_DIR}"
  VESPERINE_EXE="$<TARGET_FILE:vesperine_linux>"
  FAKE_LIBADS_DIR="${CMAKE_CURRENT_BINARY_DIR}/qt-ads")
add_dependencies(qt_front_end_test vesperine_linux vesperine_libads qt_fake_libads)
# Under the sanitizers, the engine's window output and the uninstrumented Qt bring reports of
# their own (lsan.supp, tsan.supp); the whole-process tests fork from a threaded test program.
set(qt_sanitizer_options "")
if(VESPERINE_SANITIZE STREQUAL "address")
  set(qt_sanitizer_options ENVIRONMENT
    "LSAN_OPTIONS=suppressions=${CMAKE_CURRENT_LIST_DIR}/qt/lsan.supp:print_suppressions=0")
elseif(VESPERINE_SANITIZE STREQUAL "thread")
  set(qt_sanitizer_options ENVIRONMENT
    "TSAN_OPTIONS=halt_on_error=1:second_deadlock_stack=1:die_after_fork=0:suppressions=${CMAKE_CURRENT_LIST_DIR}/qt/tsan.supp")
endif()
gtest_discover_tests(qt_front_end_test DISCOVERY_MODE PRE_TEST
  PROPERTIES FIXTURES_REQUIRED media TIMEOUT 180 RESOURCE_LOCK x_display ${qt_sanitizer_options})

# cmake --install lays out the program, its libads.so, the icon and the "Open with" entry.
add_test(NAME qt_install_layout
  COMMAND ${CMAKE_COMMAND} -DBUILD_DIR=${CMAKE_BINARY_DIR} -DPREFIX=${CMAKE_CURRENT_BINARY_DIR}/qt-install
    -P ${CMAKE_CURRENT_LIST_DIR}/qt/CheckInstall.cmake)
set_tests_properties(qt_install_layout PROPERTIES TIMEOUT 120)
