# The libvlc back end under Wine. Each exe has a folder of its own, so that which engine lies
# beside it (the test engine, an incomplete one, none) is the test's choice. Tests that write
# the registry's VLC InstallDir (HKLM, shared by the prefix) hold one resource lock.

function(vesperine_vlc_wine_test name folder)
  vesperine_wine_test(${name} ${ARGN})
  set_target_properties(${name} PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_CURRENT_BINARY_DIR}/${folder})
  target_compile_definitions(${name} PRIVATE
    VESPERINE_OTHER_ENGINE_DIR="$<TARGET_FILE_DIR:fake_libvlc>"
    VESPERINE_INSTALLED_ENGINE_DIR="$<TARGET_FILE_DIR:fake_libvlc>")
  add_dependencies(${name} fake_libvlc)
  set_tests_properties(${name} PROPERTIES RESOURCE_LOCK vesperine_vlc_install_dir)
endfunction()

# vesperine_engine_beside(TEST ENGINE): puts ENGINE's libvlc.dll beside TEST's exe.
function(vesperine_engine_beside test engine)
  add_dependencies(${test} ${engine})
  add_custom_command(TARGET ${test} POST_BUILD
    COMMAND ${CMAKE_COMMAND} -E copy_if_different $<TARGET_FILE:${engine}> $<TARGET_FILE_DIR:${test}>/libvlc.dll)
endfunction()

vesperine_vlc_wine_test(vlc_player_wine_test vlc-player SOURCES VlcPlayerWineTest.cpp LIBS vesperine_vlc)
vesperine_engine_beside(vlc_player_wine_test fake_libvlc)

vesperine_vlc_wine_test(engine_missing_wine_test no-engine SOURCES EngineMissingWineTest.cpp LIBS vesperine_vlc)

vesperine_vlc_wine_test(engine_registry_wine_test registry-engine SOURCES EngineRegistryWineTest.cpp LIBS vesperine_vlc)
vesperine_engine_beside(engine_registry_wine_test fake_libvlc_partial)
