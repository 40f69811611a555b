# Builds a suite catalogue with lamivex-db from a list of product files, so that
# the catalogue's one source of truth is readable text in the repository.
#
#   cmake -DTOOL=<lamivex-db> -DLIST=<catalogue.txt> -DOUTPUT=<SM_Spectral.db> -P BuildCatalogue.cmake
#
# Each line of the list: kind, id, file (relative to the list), then the file's
# origin up to the end of the line; blank lines and lines starting with # are
# skipped. The database is built beside OUTPUT and moved into place only when
# every product went in and check finds nothing.
cmake_minimum_required(VERSION 3.25)

foreach(required TOOL LIST OUTPUT)
  if(NOT DEFINED ${required})
    message(FATAL_ERROR "BuildCatalogue.cmake: -D${required}=... is missing")
  endif()
endforeach()

cmake_path(GET LIST PARENT_PATH list_dir)
cmake_path(GET OUTPUT PARENT_PATH output_dir)
set(building "${OUTPUT}.new")
file(MAKE_DIRECTORY "${output_dir}")
file(REMOVE "${building}")

function(run_tool)
  execute_process(COMMAND "${TOOL}" ${ARGN} RESULT_VARIABLE status OUTPUT_VARIABLE out)
  if(NOT status EQUAL 0)
    file(REMOVE "${building}")
    message(FATAL_ERROR "${out}lamivex-db ${ARGV0} failed (status ${status}) for ${LIST}")
  endif()
endfunction()

run_tool(create "${building}" --suite)
file(STRINGS "${LIST}" lines ENCODING UTF-8)
foreach(line IN LISTS lines)
  if(line MATCHES "^[ \t]*(#|$)")
    continue()
  endif()
  if(NOT line MATCHES "^(glass|film|pvb)[ \t]+([0-9]+)[ \t]+([^ \t]+)[ \t]+(.+)$")
    file(REMOVE "${building}")
    message(FATAL_ERROR "${LIST}: not a catalogue line: ${line}")
  endif()
  run_tool(import "${building}" "${list_dir}/${CMAKE_MATCH_3}" --kind "${CMAKE_MATCH_1}"
           --id "${CMAKE_MATCH_2}" --origin "${CMAKE_MATCH_4}")
endforeach()
run_tool(check "${building}")
file(RENAME "${building}" "${OUTPUT}")
