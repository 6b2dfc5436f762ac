# Builds the placement of the sample directory in a small project of its own, then builds it
# again over a user's list that is older than the sample (as a list copied with its date by
# `cp -p` or unzip is), and checks that the list kept every byte; then that a build places the
# sample again once the folder holds no directory file.
# Usage: cmake -DSOURCE_DIR=... -DWORK_DIR=... -DGENERATOR=... -P build_keeps_directory.cmake
file(REMOVE_RECURSE "${WORK_DIR}")
file(WRITE "${WORK_DIR}/source/CMakeLists.txt" "
cmake_minimum_required(VERSION 3.20)
project(sample_placement NONE)
set(CMAKE_RUNTIME_OUTPUT_DIRECTORY \${CMAKE_BINARY_DIR}/bin)
add_subdirectory(\"${SOURCE_DIR}/data\" data)
")
set(sample "${SOURCE_DIR}/data/Annuaire_Amat.csv")
set(placed "${WORK_DIR}/build/bin/Annuaire_Amat.csv")

function(run)
  execute_process(COMMAND ${ARGN} RESULT_VARIABLE status OUTPUT_VARIABLE output ERROR_VARIABLE output)
  if(NOT status EQUAL 0)
    message(FATAL_ERROR "${ARGN} failed (${status}):\n${output}")
  endif()
endfunction()

function(expect_same file reference what)
  file(SHA256 "${file}" got)
  file(SHA256 "${reference}" wanted)
  if(NOT got STREQUAL wanted)
    message(FATAL_ERROR "${what}")
  endif()
endfunction()

run(${CMAKE_COMMAND} -S "${WORK_DIR}/source" -B "${WORK_DIR}/build" -G "${GENERATOR}")
run(${CMAKE_COMMAND} --build "${WORK_DIR}/build")
expect_same("${placed}" "${sample}" "the first build did not place the sample beside the executable")

# The user's list, dated long before the sample.
find_program(TOUCH touch)
if(NOT TOUCH)
  message(FATAL_ERROR "this test needs `touch` to date a file in the past")
endif()
set(users_list "Base Rev 256  du 07/12/2026\r\nF1ABC;DUPONT;Jean;1 rue A;PARIS;75001\r\n")
file(WRITE "${WORK_DIR}/users_list.csv" "${users_list}")
file(WRITE "${placed}" "${users_list}")
run(${TOUCH} -d "2001-01-01 00:00:00" "${placed}")
run(${CMAKE_COMMAND} --build "${WORK_DIR}/build")
expect_same("${placed}" "${WORK_DIR}/users_list.csv" "the build replaced the user's older directory file")

file(REMOVE "${placed}")
run(${CMAKE_COMMAND} --build "${WORK_DIR}/build")
expect_same("${placed}" "${sample}" "a build without a directory file did not place the sample")
file(REMOVE_RECURSE "${WORK_DIR}")
