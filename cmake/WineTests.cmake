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
