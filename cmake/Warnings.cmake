# The warnings every target of ours is built with, in one INTERFACE target. Each target
# defined under the project's own folders links it, so a new library or test gets the same
# warnings without a line of its own; code from elsewhere (GoogleTest's sources) does not.
# CI adds -DCMAKE_COMPILE_WARNING_AS_ERROR=ON (the presets do), which turns them into errors.
add_library(dravelin_warnings INTERFACE)
if(MSVC)
  target_compile_options(dravelin_warnings INTERFACE /W4)
else()
  target_compile_options(dravelin_warnings INTERFACE
    -Wall -Wextra -Wpedantic -Wshadow -Wconversion -Wno-sign-conversion
    -Wnon-virtual-dtor -Woverloaded-virtual)
endif()

# Links dravelin_warnings into every compiled target defined in `folder` and below it.
function(dravelin_link_warnings folder)
  get_property(targets DIRECTORY ${folder} PROPERTY BUILDSYSTEM_TARGETS)
  foreach(target IN LISTS targets)
    get_target_property(type ${target} TYPE)
    if(type MATCHES "^(EXECUTABLE|STATIC_LIBRARY|SHARED_LIBRARY|MODULE_LIBRARY|OBJECT_LIBRARY)$")
      target_link_libraries(${target} PRIVATE dravelin_warnings)
    endif()
  endforeach()
  get_property(subfolders DIRECTORY ${folder} PROPERTY SUBDIRECTORIES)
  foreach(subfolder IN LISTS subfolders)
    cmake_path(IS_PREFIX PROJECT_SOURCE_DIR "${subfolder}" NORMALIZE ours)
    if(ours)
      dravelin_link_warnings(${subfolder})
    endif()
  endforeach()
endfunction()
