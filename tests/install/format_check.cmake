# Runs scripts/check-format.sh on a file laid out as .clang-format asks and on the same code
# laid out otherwise: the first passes, the second is named and fails.
# Usage: cmake -DSOURCE_DIR=... -DWORK_DIR=... -P format_check.cmake
file(REMOVE_RECURSE "${WORK_DIR}")
file(WRITE "${WORK_DIR}/formatted.cpp" "namespace dravelin {\n\nint twice(int value)\n{\n    return value * 2;\n}\n\n} // namespace dravelin\n")
file(WRITE "${WORK_DIR}/unformatted.cpp" "namespace dravelin {\nint twice( int value ) { return value*2; }\n}\n")

execute_process(COMMAND sh "${SOURCE_DIR}/scripts/check-format.sh" "${WORK_DIR}/formatted.cpp"
                RESULT_VARIABLE status OUTPUT_VARIABLE output ERROR_VARIABLE output)
if(NOT status EQUAL 0)
  message(FATAL_ERROR "the check refused a formatted file (${status}):\n${output}")
endif()
execute_process(COMMAND sh "${SOURCE_DIR}/scripts/check-format.sh" "${WORK_DIR}/unformatted.cpp"
                RESULT_VARIABLE status OUTPUT_VARIABLE output ERROR_VARIABLE output)
if(NOT status EQUAL 1 OR NOT output MATCHES "unformatted\\.cpp")
  message(FATAL_ERROR "the check passed or did not name an unformatted file (${status}):\n${output}")
endif()
file(REMOVE_RECURSE "${WORK_DIR}")
