# The layers of the program, enforced by the compiler, as the table
# cmake/OrvantaLayers.txt writes them.
#
# A library's headers are reached as "<folder>/<name>.h" through an include
# folder of the build tree that holds only that library's source folders (as
# links). A library sees its own headers and those of the libraries its row
# uses, linked privately so that they go no further: an include that runs up
# the layers, or past the layer below (app/cli into pdf/), does not compile.

set(ORVANTA_LAYER_TABLE ${CMAKE_CURRENT_LIST_DIR}/OrvantaLayers.txt)

# The folders and the uses of `target`'s row in the table.
function(orvanta_layer_row target foldersVar usesVar)
  file(STRINGS ${ORVANTA_LAYER_TABLE} rows REGEX "^[a-z]")
  foreach(row IN LISTS rows)
    string(REGEX REPLACE "[ \t]+" ";" fields "${row}")
    list(POP_FRONT fields name folders)
    if(name STREQUAL target)
      string(REPLACE "," ";" folders "${folders}")
      set(${foldersVar} ${folders} PARENT_SCOPE)
      set(${usesVar} ${fields} PARENT_SCOPE)
      return()
    endif()
  endforeach()
  message(FATAL_ERROR "${target} has no row in ${ORVANTA_LAYER_TABLE}")
endfunction()

# orvanta_layer(<target>): its headers and the libraries it uses, from its row.
function(orvanta_layer target)
  orvanta_layer_row(${target} folders uses)
  get_target_property(type ${target} TYPE)
  # A program's own headers lie beside its sources; only libraries lend theirs.
  if(NOT type STREQUAL "EXECUTABLE")
    set(root ${PROJECT_BINARY_DIR}/layers/${target})
    foreach(folder IN LISTS folders)
      get_filename_component(parent ${root}/${folder} DIRECTORY)
      file(MAKE_DIRECTORY ${parent})
      file(CREATE_LINK ${PROJECT_SOURCE_DIR}/${folder} ${root}/${folder} SYMBOLIC)
    endforeach()
    target_include_directories(${target} PUBLIC ${root})
  endif()
  foreach(library IN LISTS uses)
    if(library MATCHES "::")
      target_link_libraries(${target} PUBLIC ${library})
    else()
      target_link_libraries(${target} PRIVATE ${library})
    endif()
  endforeach()
endfunction()
