# cmake -DPROGRAM=... -DMANPAGE=... -P CheckManPage.cmake
# Fails when an option that `orvanta --help` prints is missing from the manual
# page, so that the page cannot fall behind the program.
execute_process(COMMAND ${PROGRAM} --help OUTPUT_VARIABLE help RESULT_VARIABLE status)
if(NOT status EQUAL 0)
  message(FATAL_ERROR "${PROGRAM} --help exited with ${status}")
endif()
file(READ ${MANPAGE} page)
string(REGEX MATCHALL "--[a-z0-9-]+" options "${help}")
list(REMOVE_DUPLICATES options)
set(missing)
foreach(option IN LISTS options)
  # Dashes are written \- in the page's source.
  string(REPLACE "-" "\\-" written "${option}")
  string(FIND "${page}" "${written}" at)
  if(at EQUAL -1)
    list(APPEND missing ${option})
  endif()
endforeach()
if(missing)
  message(FATAL_ERROR "missing from ${MANPAGE}: ${missing}")
endif()
list(LENGTH options count)
message(STATUS "${count} options, all in the manual page")
