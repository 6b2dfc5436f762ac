# Makes the Windows zip of a cross build, checks that it holds the command-line programs, the
# manual and the sample in one folder, and runs the zipped dravelin-recherche.exe on the
# zipped sample (under Wine here).
# Usage: cmake -DBUILD_DIR=... -DWORK_DIR=... -DVERSION=... "-DEMULATOR=..." -DCPACK=... -P windows_zip.cmake
file(REMOVE_RECURSE "${WORK_DIR}")
file(MAKE_DIRECTORY "${WORK_DIR}")

function(run)
  execute_process(COMMAND ${ARGN} WORKING_DIRECTORY "${WORK_DIR}" RESULT_VARIABLE status
                  OUTPUT_VARIABLE output ERROR_VARIABLE output)
  if(NOT status EQUAL 0)
    message(FATAL_ERROR "${ARGN} failed (${status}):\n${output}")
  endif()
  set(output "${output}" PARENT_SCOPE)
endfunction()

run("${CPACK}" -G ZIP --config "${BUILD_DIR}/CPackConfig.cmake" -B "${WORK_DIR}")
set(name "Dravelin-${VERSION}-windows-x64")
set(zip "${WORK_DIR}/${name}.zip")
if(NOT EXISTS "${zip}")
  message(FATAL_ERROR "no ${zip}")
endif()
file(MAKE_DIRECTORY "${WORK_DIR}/unzipped")
execute_process(COMMAND ${CMAKE_COMMAND} -E tar xf "${zip}" WORKING_DIRECTORY "${WORK_DIR}/unzipped"
                RESULT_VARIABLE status)
set(folder "${WORK_DIR}/unzipped/${name}")
foreach(file dravelin-recherche.exe generate_directory.exe Dravelin.hlp Annuaire_Amat.csv)
  if(NOT EXISTS "${folder}/${file}")
    message(FATAL_ERROR "the zip lacks ${name}/${file}")
  endif()
endforeach()

separate_arguments(emulator NATIVE_COMMAND "${EMULATOR}")
run(${emulator} "${folder}/dravelin-recherche.exe" "${folder}/Annuaire_Amat.csv" departement 00)
if(NOT output MATCHES "indicatif")
  message(FATAL_ERROR "the zipped dravelin-recherche listed nothing from the zipped sample:\n${output}")
endif()
file(REMOVE_RECURSE "${WORK_DIR}")
