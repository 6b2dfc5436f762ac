# Installs into a fresh folder twice, with the directory file changed in between, and
# checks the layout and that the second install kept the user's file.
# Usage: cmake -DBUILD_DIR=... -DPREFIX=... -P install_keeps_directory.cmake
file(REMOVE_RECURSE "${PREFIX}")

function(install_once)
  execute_process(COMMAND ${CMAKE_COMMAND} --install "${BUILD_DIR}" --prefix "${PREFIX}"
                  RESULT_VARIABLE status OUTPUT_QUIET)
  if(NOT status EQUAL 0)
    message(FATAL_ERROR "cmake --install failed: ${status}")
  endif()
endfunction()

install_once()
foreach(name dravelin dravelin-recherche dravelin-annuaire Annuaire_Amat.csv Dravelin.hlp dravelin.png dravelin.desktop)
  if(NOT EXISTS "${PREFIX}/${name}")
    message(FATAL_ERROR "the install lacks ${name}")
  endif()
endforeach()
file(READ "${PREFIX}/dravelin.desktop" desktop)
get_filename_component(folder "${PREFIX}" ABSOLUTE)
if(NOT desktop MATCHES "Exec=\"${folder}/dravelin\"" OR NOT desktop MATCHES "Path=${folder}\n")
  message(FATAL_ERROR "the desktop entry does not start the program from its folder:\n${desktop}")
endif()

set(users_list "Base Rev 256  du 07/12/2026\r\nF1ABC;DUPONT;Jean;1 rue A;PARIS;75001\r\n")
file(WRITE "${PREFIX}/Annuaire_Amat.csv" "${users_list}")
file(SHA256 "${PREFIX}/Annuaire_Amat.csv" before)
install_once()
file(SHA256 "${PREFIX}/Annuaire_Amat.csv" after)
if(NOT before STREQUAL after)
  message(FATAL_ERROR "re-installing replaced the user's directory file")
endif()
file(REMOVE_RECURSE "${PREFIX}")
