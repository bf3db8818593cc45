# Installs the build into a fresh prefix and checks what a desktop needs of it.
#   cmake -DBUILD_DIR=... -DPREFIX=... -P CheckInstall.cmake
file(REMOVE_RECURSE "${PREFIX}")
execute_process(COMMAND ${CMAKE_COMMAND} --install "${BUILD_DIR}" --prefix "${PREFIX}"
  RESULT_VARIABLE result OUTPUT_QUIET)
if(NOT result EQUAL 0)
  message(FATAL_ERROR "cmake --install failed: ${result}")
endif()

include(GNUInstallDirs)
set(program "${PREFIX}/${CMAKE_INSTALL_LIBDIR}/vesperine/vesperine")
foreach(path
    "${program}"
    "${PREFIX}/${CMAKE_INSTALL_LIBDIR}/vesperine/libads.so"
    "${PREFIX}/bin/vesperine"
    "${PREFIX}/share/applications/vesperine.desktop"
    "${PREFIX}/share/icons/hicolor/scalable/apps/vesperine.svg")
  if(NOT EXISTS "${path}")
    message(FATAL_ERROR "not installed: ${path}")
  endif()
endforeach()

# The name on the PATH leads to the program beside its libads.so.
file(REAL_PATH "${PREFIX}/bin/vesperine" resolved)
file(REAL_PATH "${program}" expected)
if(NOT resolved STREQUAL expected)
  message(FATAL_ERROR "bin/vesperine resolves to ${resolved}, not ${expected}")
endif()

file(STRINGS "${PREFIX}/share/applications/vesperine.desktop" entry)
foreach(line "Type=Application" "Exec=vesperine %f" "Icon=vesperine" "MimeType=video/mp2t;")
  list(FIND entry "${line}" found)
  if(found EQUAL -1)
    message(FATAL_ERROR "vesperine.desktop lacks \"${line}\"")
  endif()
endforeach()

find_program(VALIDATE desktop-file-validate)
if(VALIDATE)
  execute_process(COMMAND ${VALIDATE} "${PREFIX}/share/applications/vesperine.desktop" RESULT_VARIABLE valid)
  if(NOT valid EQUAL 0)
    message(FATAL_ERROR "desktop-file-validate rejects vesperine.desktop")
  endif()
endif()
