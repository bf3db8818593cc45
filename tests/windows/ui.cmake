# The window toolkit and the video window on real windows under Wine. Both programs embed the
# video window's resources (logo included) and a "PNG" resource that is no picture.
set(UI_TEST_RC ${CMAKE_CURRENT_LIST_DIR}/UiTest.rc)

vesperine_wine_test(window_toolkit_test
  SOURCES WindowToolkitTest.cpp UiTestSupport.cpp ${CMAKE_SOURCE_DIR}/src/shell/AppContext.cpp ${UI_TEST_RC}
  LIBS vesperine_ui)
vesperine_wine_test(play_wnd_test
  SOURCES PlayWndTest.cpp UiTestSupport.cpp ${CMAKE_SOURCE_DIR}/src/shell/AppContext.cpp ${UI_TEST_RC}
  LIBS vesperine_ui)
# The PNG file named in PlayWnd.rc is found from the ui folder.
target_include_directories(window_toolkit_test PRIVATE ${CMAKE_SOURCE_DIR}/src/ui)
target_include_directories(play_wnd_test PRIVATE ${CMAKE_SOURCE_DIR}/src/ui)

# Not a test: shows the video window at 672 x 420 for a screenshot.
add_executable(video_window_show WIN32 VideoWindowShow.cpp UiTestSupport.cpp ${CMAKE_SOURCE_DIR}/src/shell/AppContext.cpp ${UI_TEST_RC})
target_include_directories(video_window_show PRIVATE ${CMAKE_SOURCE_DIR}/src/ui)
target_link_libraries(video_window_show PRIVATE vesperine_ui)
target_link_options(video_window_show PRIVATE -municode)
