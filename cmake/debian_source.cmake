# mensora_debian_source(<variable> <package> <file>): the folder of Debian's unpacked source
# package <package>, for the libraries the Windows builds compile themselves. scripts/debian-source
# fetches it outside the repository once; <file>, a path inside it, tells that it is whole. The
# folder is kept in the cache variable <variable>, which may also name a folder by hand.
include_guard(GLOBAL)
function(mensora_debian_source variable package file)
  set(${variable} "" CACHE PATH "Debian's unpacked ${package} source (scripts/debian-source ${package})")
  if(${variable})
    return()
  endif()
  execute_process(COMMAND ${PROJECT_SOURCE_DIR}/scripts/debian-source ${package}
                  OUTPUT_VARIABLE fetched RESULT_VARIABLE fetching OUTPUT_STRIP_TRAILING_WHITESPACE)
  if(NOT fetching EQUAL 0 OR NOT EXISTS "${fetched}/${file}")
    message(FATAL_ERROR "Debian's ${package} source is missing: run scripts/setup")
  endif()
  set(${variable} "${fetched}" CACHE PATH "Debian's unpacked ${package} source" FORCE)
endfunction()
