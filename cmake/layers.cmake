# Each library of src/ exports only its own folder, so that an include running up a layer
# (setup/ reaching into floor/ or ui/) does not build. Includes keep their folder in the name
# ("floor/floor.h"): a library's include root is a folder of the build tree holding one link,
# to the library's own folder (or to the one header it offers).

set(GV_LAYERS_DIR ${CMAKE_BINARY_DIR}/layers)

# gv_export_folder(TARGET PATH): TARGET's users, and TARGET itself, see src/PATH as "PATH/...".
# PATH is a folder ("floor", "link/desktop") or one header ("link/link_port.h").
function(gv_export_folder target path)
  set(root ${GV_LAYERS_DIR}/${target})
  get_filename_component(parent ${root}/${path} DIRECTORY)
  file(MAKE_DIRECTORY ${parent})
  if(NOT IS_SYMLINK ${root}/${path})
    file(CREATE_LINK ${PROJECT_SOURCE_DIR}/src/${path} ${root}/${path} SYMBOLIC)
  endif()
  get_target_property(type ${target} TYPE)
  if(type STREQUAL "INTERFACE_LIBRARY")
    target_include_directories(${target} INTERFACE ${root})
  else()
    target_include_directories(${target} PUBLIC ${root})
  endif()
endfunction()
