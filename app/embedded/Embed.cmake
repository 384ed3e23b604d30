# Compiles resources/ into orvanta_appcore: the user guide as a byte array,
# written out at run time, and the 25 pictures as the samples the writer
# takes, decoded here once so that a calendar run only copies them. The C++
# sources are generated at build time into the build tree and generated again
# whenever one of the files (or a generator) changes.

set(ORVANTA_EMBEDDED_NAMES Turno_Guida.htm)

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
  COMMENT "Embedding the guide of resources/"
  VERBATIM)

# The pictures: 1 to 12 the zodiac signs, 13 to 25 the event pictures. The
# writer's own reader decodes them (orvanta_pdf), so the samples are those a
# run would decode. The clocks, 13 and 14, stay in colour on a monochrome
# page: no grey samples for them.
add_executable(orvanta_prepare_pictures ${CMAKE_CURRENT_LIST_DIR}/PreparePictures.cpp)
target_link_libraries(orvanta_prepare_pictures PRIVATE orvanta_pdf)
orvanta_warnings(orvanta_prepare_pictures)

set(_picture_arguments)
set(_picture_inputs)
foreach(n RANGE 1 25)
  set(bitmap ${PROJECT_SOURCE_DIR}/resources/${n}OV.bmp)
  if(n EQUAL 13 OR n EQUAL 14)
    list(APPEND _picture_arguments --colour-only)
  endif()
  list(APPEND _picture_arguments ${bitmap})
  list(APPEND _picture_inputs ${bitmap})
endforeach()

set(_pictures_source ${CMAKE_CURRENT_BINARY_DIR}/embedded/EmbeddedPictures.cpp)
file(MAKE_DIRECTORY ${CMAKE_CURRENT_BINARY_DIR}/embedded)
add_custom_command(
  OUTPUT ${_pictures_source}
  COMMAND orvanta_prepare_pictures ${_pictures_source} ${_picture_arguments}
  DEPENDS orvanta_prepare_pictures ${_picture_inputs}
  COMMENT "Decoding the pictures of resources/"
  VERBATIM)

target_sources(orvanta_appcore PRIVATE ${_embedded_source} ${_pictures_source})
