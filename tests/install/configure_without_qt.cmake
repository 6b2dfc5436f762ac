# Configures the project as on a machine without Qt 6: the configuration must stop, naming Qt
# and the Debian package to install; asked for without the windows (-DDRAVELIN_WINDOWS=OFF),
# it must succeed.
# Usage: cmake -DSOURCE_DIR=... -DWORK_DIR=... -DGENERATOR=... -P configure_without_qt.cmake
file(REMOVE_RECURSE "${WORK_DIR}")

execute_process(COMMAND ${CMAKE_COMMAND} -S "${SOURCE_DIR}" -B "${WORK_DIR}/with-windows" -G "${GENERATOR}"
                        -DCMAKE_DISABLE_FIND_PACKAGE_Qt6=ON
                RESULT_VARIABLE status OUTPUT_VARIABLE output ERROR_VARIABLE output)
if(status EQUAL 0)
  message(FATAL_ERROR "configuring without Qt 6 succeeded:\n${output}")
endif()
if(NOT output MATCHES "Qt 6" OR NOT output MATCHES "qt6-base-dev" OR NOT output MATCHES "DRAVELIN_WINDOWS=OFF")
  message(FATAL_ERROR "the configuration stopped without naming Qt 6, qt6-base-dev and DRAVELIN_WINDOWS=OFF:\n${output}")
endif()

execute_process(COMMAND ${CMAKE_COMMAND} -S "${SOURCE_DIR}" -B "${WORK_DIR}/without-windows" -G "${GENERATOR}"
                        -DCMAKE_DISABLE_FIND_PACKAGE_Qt6=ON -DDRAVELIN_WINDOWS=OFF -DDRAVELIN_BUILD_TESTS=OFF
                RESULT_VARIABLE status OUTPUT_VARIABLE output ERROR_VARIABLE output)
if(NOT status EQUAL 0)
  message(FATAL_ERROR "configuring with -DDRAVELIN_WINDOWS=OFF failed:\n${output}")
endif()
file(REMOVE_RECURSE "${WORK_DIR}")
