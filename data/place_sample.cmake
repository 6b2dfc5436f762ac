# Puts the sample directory beside the executable only where no directory file is yet: the
# file there may be the user's own list, whatever its date, and a build never replaces it.
# Usage: cmake -DSAMPLE=... -DDESTINATION=... -P place_sample.cmake
if(EXISTS "${DESTINATION}" OR IS_SYMLINK "${DESTINATION}")
  return()
endif()
message(STATUS "Placing the sample directory beside the executable: ${DESTINATION}")
configure_file("${SAMPLE}" "${DESTINATION}" COPYONLY)
