# The fuzz targets: fuzz/targets/<name>.cpp, seeds in fuzz/corpus/<name>/. Adding a name here
# builds it for libFuzzer (fuzz/CMakeLists.txt), runs it in fuzz/run, and replays its corpus
# in the test suite (tests/fuzz_corpus/CMakeLists.txt).
set(DRAVELIN_FUZZ_TARGETS record_lines search rewrite)

set(DRAVELIN_FUZZ_DIR ${CMAKE_CURRENT_LIST_DIR})
set(DRAVELIN_FUZZ_COMMON_SOURCES ${DRAVELIN_FUZZ_DIR}/common/reference_directory.cpp)
