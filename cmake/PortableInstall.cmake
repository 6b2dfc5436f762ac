# `cmake --install BUILD --prefix DIR` lays out a self-contained program folder: the
# executable with its help file, icon and desktop entry beside it, and the sample directory
# file only when DIR holds none yet, so that re-installing never replaces the user's list.
# The icon and the desktop entry are for Linux desktops; on Windows the folder holds the
# executables, the help file and the sample alone. `cpack -G ZIP` zips this folder.
if(DRAVELIN_WINDOWS)
  install(TARGETS dravelin RUNTIME DESTINATION .)
endif()
install(TARGETS dravelin-recherche dravelin-annuaire RUNTIME DESTINATION .)
# The Windows folder (and its zip) is for the command line until the windows are built there:
# the generator of test directories comes with it.
if(WIN32)
  install(TARGETS generate_directory RUNTIME DESTINATION .)
endif()
install(FILES ${PROJECT_SOURCE_DIR}/data/Dravelin.hlp DESTINATION .)
if(CMAKE_SYSTEM_NAME STREQUAL "Linux")
  install(FILES ${PROJECT_SOURCE_DIR}/data/icons/dravelin-128.png DESTINATION . RENAME dravelin.png)
endif()
install(CODE "
  set(folder \"\$ENV{DESTDIR}\${CMAKE_INSTALL_PREFIX}\")
  if(EXISTS \"\${folder}/Annuaire_Amat.csv\")
    message(STATUS \"Keeping the directory file: \${folder}/Annuaire_Amat.csv\")
  else()
    file(INSTALL \"${PROJECT_SOURCE_DIR}/data/Annuaire_Amat.csv\" DESTINATION \"\${folder}\")
  endif()
")
if(CMAKE_SYSTEM_NAME STREQUAL "Linux")
  install(CODE "
    set(folder \"\$ENV{DESTDIR}\${CMAKE_INSTALL_PREFIX}\")
    get_filename_component(DRAVELIN_FOLDER \"\${CMAKE_INSTALL_PREFIX}\" ABSOLUTE)
    configure_file(\"${PROJECT_SOURCE_DIR}/data/dravelin.desktop.in\" \"\${folder}/dravelin.desktop\" @ONLY)
    message(STATUS \"Installing: \${folder}/dravelin.desktop\")
  ")
endif()
