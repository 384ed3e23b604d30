# The layers of the program, enforced by the compiler:
#
#   base -> pdf, almanac -> calendar -> app/core -> app/import -> app/cli
#   app/core -> app/gui
#
# A library's headers are reached as "<folder>/<name>.h" through an include
# folder of the build tree that holds only that library's source folders (as
# links). A library therefore sees its own headers and those of the libraries
# it links, and nothing above or beside it: an include that runs up the layers
# does not compile.

# orvanta_layer(<target> FOLDERS <source folders...> [USES <libraries...>])
# USES names every library whose headers the target includes.
function(orvanta_layer target)
  cmake_parse_arguments(ARG "" "" "FOLDERS;USES" ${ARGN})
  set(root ${PROJECT_BINARY_DIR}/layers/${target})
  foreach(folder IN LISTS ARG_FOLDERS)
    get_filename_component(parent ${root}/${folder} DIRECTORY)
    file(MAKE_DIRECTORY ${parent})
    file(CREATE_LINK ${PROJECT_SOURCE_DIR}/${folder} ${root}/${folder} SYMBOLIC)
  endforeach()
  target_include_directories(${target} PUBLIC ${root})
  if(ARG_USES)
    target_link_libraries(${target} PUBLIC ${ARG_USES})
  endif()
endfunction()
