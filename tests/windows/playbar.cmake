# The play bar in a plain parent window under Wine, with the program's own bar resources.
vesperine_wine_test(playbar_wine_test
  SOURCES PlayBarWineFixture.cpp PlayBarWineTest.cpp PlayBarLooksWineTest.cpp PlayBarTest.rc
  LIBS vesperine_playbar)
# The pictures named in the resource script are found from the resource folder.
target_include_directories(playbar_wine_test PRIVATE ${CMAKE_SOURCE_DIR}/src/res)

# Not a test: the program's shell and windows playing on the test engine, for a look at the bar
# (a screenshot). The test engine sits beside it as libvlc.dll.
add_executable(playbar_show WIN32 PlayBarShow.cpp ${CMAKE_SOURCE_DIR}/src/res/vesperine.rc)
target_include_directories(playbar_show PRIVATE ${CMAKE_SOURCE_DIR}/tests/fakes)
target_link_libraries(playbar_show PRIVATE vesperine_shell)
target_link_options(playbar_show PRIVATE -municode)
set_target_properties(playbar_show PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/playbar-show)
add_dependencies(playbar_show fake_libvlc)
add_custom_command(TARGET playbar_show POST_BUILD
  COMMAND ${CMAKE_COMMAND} -E copy $<TARGET_FILE:fake_libvlc> $<TARGET_FILE_DIR:playbar_show>)
