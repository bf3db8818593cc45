# Our advertisement library, built into the program's own folder (libads.dll; libads.so).
add_library(vesperine_libads SHARED ${CMAKE_CURRENT_LIST_DIR}/LibAds.cpp)
set_target_properties(vesperine_libads PROPERTIES
  PREFIX ""
  OUTPUT_NAME libads
  RUNTIME_OUTPUT_DIRECTORY ${CMAKE_CURRENT_BINARY_DIR}
  LIBRARY_OUTPUT_DIRECTORY ${CMAKE_CURRENT_BINARY_DIR})
target_include_directories(vesperine_libads PUBLIC ${CMAKE_CURRENT_LIST_DIR})
