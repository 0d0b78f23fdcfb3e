# Installs the build into a scratch prefix and checks that a desktop finds the app there:
# the program, its menu entry and its icon in every size the entry may be shown at.
#   cmake -Dbuild=<build dir> -Dprefix=<scratch dir> -P check_install.cmake
cmake_minimum_required(VERSION 3.25)
file(REMOVE_RECURSE "${prefix}")
execute_process(COMMAND "${CMAKE_COMMAND}" --install "${build}" --prefix "${prefix}"
                RESULT_VARIABLE failed OUTPUT_QUIET)
if(failed)
  message(FATAL_ERROR "cmake --install failed")
endif()
set(expected bin/velorinth share/applications/velorinth.desktop
    share/icons/hicolor/scalable/apps/velorinth.svg)
foreach(size 16 22 24 32 48 64 128 256 512)
  list(APPEND expected share/icons/hicolor/${size}x${size}/apps/velorinth.png)
endforeach()
foreach(path ${expected})
  if(NOT EXISTS "${prefix}/${path}")
    message(FATAL_ERROR "not installed: ${path}")
  endif()
endforeach()
