# Starts the app where no display can be reached and checks that it says so in one line and
# exits with a failure status of its own, not Qt's abort.
#   cmake -Dapp=<velorinth executable> -P check_no_display.cmake
cmake_minimum_required(VERSION 3.25)
execute_process(COMMAND "${CMAKE_COMMAND}" -E env --unset=DISPLAY --unset=WAYLAND_DISPLAY
                        --unset=QT_QPA_PLATFORM "${app}"
                RESULT_VARIABLE status ERROR_VARIABLE message OUTPUT_QUIET TIMEOUT 30)
if(NOT status MATCHES "^[1-9][0-9]*$")
  message(FATAL_ERROR "expected a failure exit status, got: ${status}")
endif()
string(STRIP "${message}" message)
if(message STREQUAL "" OR message MATCHES "\n")
  message(FATAL_ERROR "expected one line on stderr, got:\n${message}")
endif()
