# Compiles the files of resources/ into orvanta_appcore as byte arrays: the
# user guide and the 25 pictures that the program writes out at run time.
# The C++ source is generated at build time into the build tree and generated
# again whenever one of the files (or the generator) changes.

set(ORVANTA_EMBEDDED_NAMES Turno_Guida.htm)
foreach(n RANGE 1 25)
  list(APPEND ORVANTA_EMBEDDED_NAMES ${n}OV.bmp)
endforeach()

set(_embedded_inputs)
foreach(name IN LISTS ORVANTA_EMBEDDED_NAMES)
  list(APPEND _embedded_inputs ${PROJECT_SOURCE_DIR}/resources/${name})
endforeach()

set(_embedded_source ${CMAKE_CURRENT_BINARY_DIR}/embedded/EmbeddedData.cpp)
set(_embedded_generator ${CMAKE_CURRENT_LIST_DIR}/GenerateEmbeddedData.cmake)
# A list cannot cross the command line as it is; "|" joins the names.
string(REPLACE ";" "|" _embedded_joined "${ORVANTA_EMBEDDED_NAMES}")

add_custom_command(
  OUTPUT ${_embedded_source}
  COMMAND ${CMAKE_COMMAND} -DRESOURCE_DIR=${PROJECT_SOURCE_DIR}/resources
          -DNAMES=${_embedded_joined} -DOUTPUT=${_embedded_source} -P ${_embedded_generator}
  DEPENDS ${_embedded_inputs} ${_embedded_generator}
  COMMENT "Embedding the guide and the pictures of resources/"
  VERBATIM)

target_sources(orvanta_appcore PRIVATE ${_embedded_source})
