# The Windows tests under Wine, for the cross build of cmake/mingw-w64.cmake (included by
# tests/CMakeLists.txt). CTest starts each test through Wine, in a Wine prefix of the build
# folder's own (made once below), quiet, with no display, and without the prompts to install
# Mono and Gecko.
find_program(DRAVELIN_WINE NAMES wine64 wine PATHS /usr/lib/wine /usr/lib64/wine NO_CMAKE_FIND_ROOT_PATH)
if(DRAVELIN_WINE)
  set(DRAVELIN_WINEPREFIX ${CMAKE_BINARY_DIR}/wine-prefix)
  # Run by root, Wine writes files marked read-only all the same, where Windows refuses even an
  # administrator: then the tests run as the unprivileged user nobody, when that user can read
  # the source and build folders.
  set(DRAVELIN_WINE_USER)
  find_program(DRAVELIN_SETPRIV setpriv NO_CMAKE_FIND_ROOT_PATH)
  execute_process(COMMAND id -u OUTPUT_VARIABLE user_id OUTPUT_STRIP_TRAILING_WHITESPACE ERROR_QUIET)
  if(user_id STREQUAL "0" AND DRAVELIN_SETPRIV)
    set(as_nobody ${DRAVELIN_SETPRIV} --reuid=65534 --regid=65534 --clear-groups)
    execute_process(COMMAND ${as_nobody} test -r ${CMAKE_SOURCE_DIR}/CMakeLists.txt -a -x ${CMAKE_BINARY_DIR}
                    RESULT_VARIABLE nobody_access OUTPUT_QUIET ERROR_QUIET)
    if(nobody_access EQUAL 0)
      set(DRAVELIN_WINE_USER 65534:65534)
    else()
      unset(as_nobody)
    endif()
  endif()
  set(DRAVELIN_WINE_ENVIRONMENT
      ${as_nobody} ${CMAKE_COMMAND} -E env --unset=DISPLAY --unset=WAYLAND_DISPLAY
      HOME=${DRAVELIN_WINEPREFIX} WINEPREFIX=${DRAVELIN_WINEPREFIX} WINEDEBUG=-all "WINEDLLOVERRIDES=mscoree,mshtml=")
  set(CMAKE_CROSSCOMPILING_EMULATOR ${DRAVELIN_WINE_ENVIRONMENT} sh ${CMAKE_CURRENT_LIST_DIR}/wine-run.sh
                                    ${DRAVELIN_WINE})
endif()

# A Windows build whose tests run under Wine: the build folder's Wine prefix is made once,
# here, so that tests started side by side do not each race to create it.
if(NOT CMAKE_CROSSCOMPILING_EMULATOR)
  message(WARNING "Wine not found: the Windows tests are built but cannot be run here")
  return()
endif()
if(NOT EXISTS ${DRAVELIN_WINEPREFIX}/system.reg)
  message(STATUS "Making the Wine prefix ${DRAVELIN_WINEPREFIX}")
  # Wine uses only a prefix that belongs to the user running it.
  file(MAKE_DIRECTORY ${DRAVELIN_WINEPREFIX})
  if(DRAVELIN_WINE_USER)
    execute_process(COMMAND chown ${DRAVELIN_WINE_USER} ${DRAVELIN_WINEPREFIX})
  endif()
  execute_process(COMMAND ${CMAKE_CROSSCOMPILING_EMULATOR} wineboot --init
                  RESULT_VARIABLE wineboot_status OUTPUT_QUIET ERROR_QUIET)
  if(NOT EXISTS ${DRAVELIN_WINEPREFIX}/system.reg)
    message(FATAL_ERROR "wineboot could not make the Wine prefix ${DRAVELIN_WINEPREFIX} (${wineboot_status})")
  endif()
endif()

# One Wine server for the whole run. Left to itself, the server ends a moment after its last
# program, and a test starting in that moment loses its connection ("recvmsg: Connection reset
# by peer"): the first test starts a server that stays, the last one ends it.
find_program(DRAVELIN_WINESERVER NAMES wineserver PATHS /usr/lib/wine /usr/lib64/wine NO_CMAKE_FIND_ROOT_PATH)
if(DRAVELIN_WINESERVER)
  # A server still running (the one of the build's test discovery, which ends by itself a
  # moment later, or one left by an interrupted run) is asked to end and waited for: killed
  # outright, it leaves its programs dying and the prefix's registry half saved while the
  # tests start. The new server, and the Wine services that wineboot starts and that stay with
  # it, leave for the background with their output going to a file: had a test started them
  # on its own output, CTest would wait for that output to the end.
  add_test(NAME wine_server_start
           COMMAND ${DRAVELIN_WINE_ENVIRONMENT} sh -c
                   "\"$0\" --kill=2 >/dev/null 2>&1; \"$0\" --wait && \"$0\" --persistent </dev/null >/dev/null 2>&1 || exit; \"$1\" wineboot </dev/null >\"$WINEPREFIX/wineboot.log\" 2>&1 || { status=$?; cat \"$WINEPREFIX/wineboot.log\"; exit $status; }"
                   ${DRAVELIN_WINESERVER} ${DRAVELIN_WINE})
  add_test(NAME wine_server_stop COMMAND ${DRAVELIN_WINE_ENVIRONMENT} sh -c "\"$0\" --kill=2 && exec \"$0\" --wait"
                                         ${DRAVELIN_WINESERVER})
  set_tests_properties(wine_server_start PROPERTIES FIXTURES_SETUP wine_server)
  set_tests_properties(wine_server_stop PROPERTIES FIXTURES_CLEANUP wine_server)
  # Added to the properties of every test of this build.
  set(DRAVELIN_TEST_FIXTURES FIXTURES_REQUIRED wine_server)
endif()
