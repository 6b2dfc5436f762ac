# Read by cpack for each generator (CPACK_PROJECT_CONFIG_FILE, set in cmake/Packaging.cmake).
if(CPACK_GENERATOR STREQUAL "DEB")
  # The system-wide layout alone, under /usr.
  set(CPACK_INSTALL_CMAKE_PROJECTS "${CPACK_DRAVELIN_BUILD_DIR};Dravelin;system;/")
  set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
  set(CPACK_SET_DESTDIR OFF)
endif()
if(CPACK_GENERATOR STREQUAL "ZIP")
  # One folder, as `cmake --install` lays it out, named for Windows users.
  set(CPACK_PACKAGE_FILE_NAME "Dravelin-${CPACK_PACKAGE_VERSION}-windows-x64")
endif()
