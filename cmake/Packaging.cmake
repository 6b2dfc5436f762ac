# Packages, made by CPack from any build:
#   cpack -G DEB   (Linux)    dravelin_<version>_amd64.deb, a system-wide install under /usr
#   cpack -G ZIP   (Windows)  the program folder of `cmake --install`, zipped
# The portable folder (cmake/PortableInstall.cmake) is what a plain `cmake --install` lays
# out. The system-wide layout below is the component `system`, left out of that and installed
# only into the Debian package; there each user's list lives in their own data folder (see
# src/database/program_folders.h).
include(GNUInstallDirs)

if(CMAKE_SYSTEM_NAME STREQUAL "Linux" AND DRAVELIN_WINDOWS)
  set(system_install COMPONENT system EXCLUDE_FROM_ALL)
  install(TARGETS dravelin dravelin-recherche RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR} ${system_install})
  install(FILES ${PROJECT_SOURCE_DIR}/data/Annuaire_Amat.csv ${PROJECT_SOURCE_DIR}/data/Dravelin.hlp
          DESTINATION ${CMAKE_INSTALL_DATADIR}/dravelin ${system_install})
  foreach(size 32 128)
    install(FILES ${PROJECT_SOURCE_DIR}/data/icons/dravelin-${size}.png
            DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps RENAME dravelin.png ${system_install})
  endforeach()

  # The desktop entry of the portable folder names the folder; the system's names the command.
  file(READ ${PROJECT_SOURCE_DIR}/data/dravelin.desktop.in desktop)
  string(REGEX REPLACE "\nExec=[^\n]*" "\nExec=dravelin" desktop "${desktop}")
  string(REGEX REPLACE "\nPath=[^\n]*" "" desktop "${desktop}")
  string(REGEX REPLACE "\nIcon=[^\n]*" "\nIcon=dravelin" desktop "${desktop}")
  set(packaging ${CMAKE_BINARY_DIR}/packaging)
  file(WRITE ${packaging}/dravelin.desktop "${desktop}")
  install(FILES ${packaging}/dravelin.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications ${system_install})

  configure_file(${PROJECT_SOURCE_DIR}/data/dravelin.metainfo.xml ${packaging}/fr.dravelin.Dravelin.metainfo.xml @ONLY)
  install(FILES ${packaging}/fr.dravelin.Dravelin.metainfo.xml DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo
          ${system_install})

  # Debian asks for the copyright file and a compressed changelog in the package's doc folder.
  file(WRITE ${packaging}/changelog
       "dravelin (${PROJECT_VERSION}) stable; urgency=low\n\n  * Debian package of Dravelin ${PROJECT_VERSION}.\n\n"
       " -- The Dravelin developers <dravelin@dravelin.fr>  Mon, 07 Dec 2026 12:00:00 +0000\n")
  find_program(DRAVELIN_GZIP gzip)
  if(DRAVELIN_GZIP)
    execute_process(COMMAND ${DRAVELIN_GZIP} -9nf ${packaging}/changelog)
    install(FILES ${packaging}/changelog.gz DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/dravelin ${system_install})
  endif()
  install(FILES ${PROJECT_SOURCE_DIR}/data/copyright DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/dravelin ${system_install})
endif()

set(CPACK_PACKAGE_NAME dravelin)
set(CPACK_PACKAGE_VENDOR "The Dravelin developers")
set(CPACK_PACKAGE_CONTACT "The Dravelin developers <dravelin@dravelin.fr>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Annuaire des radioamateurs Français")
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_STRIP_FILES ON)
set(CPACK_PACKAGE_CHECKSUM SHA256)

set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION hamradio)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION "Search the list of French radio amateurs by callsign, surname, city or
department, keep the result as text, CSV or on paper, and keep the directory
up to date. Each user gets a list of their own in ~/.local/share/Dravelin,
copied from the sample at the first start.")
# The Qt libraries come from dpkg-shlibdeps; the platform plugins are loaded at run time.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "qt6-qpa-plugins")
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "qt6-translations-l10n, fonts-liberation")
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)

# Generator by generator: the Debian package takes the system layout alone.
set(CPACK_PROJECT_CONFIG_FILE ${PROJECT_SOURCE_DIR}/cmake/PackageLayout.cmake)
set(CPACK_DRAVELIN_BUILD_DIR ${CMAKE_BINARY_DIR})
include(CPack)
