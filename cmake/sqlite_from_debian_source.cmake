# SQLite for the Windows builds, where Debian has no library to link: Debian's sqlite3 source
# package (scripts/debian-source fetches and unpacks it, outside the repository) is turned into
# the single-file amalgamation by its own build, run on the host with the host's compiler and
# tclsh, and that file is compiled for the target into the static program.
include(${CMAKE_CURRENT_LIST_DIR}/debian_source.cmake)
mensora_debian_source(MENSORA_SQLITE_SOURCE sqlite3 tool/mksqlite3c.tcl)
find_program(MENSORA_TCLSH tclsh REQUIRED)

set(amalgamation ${CMAKE_BINARY_DIR}/sqlite-amalgamation)
add_custom_command(
  OUTPUT ${amalgamation}/sqlite3.c ${amalgamation}/sqlite3.h
  COMMAND ${CMAKE_COMMAND} -E make_directory ${amalgamation}
  COMMAND ${CMAKE_COMMAND} -E chdir ${amalgamation}
          env CC=cc CFLAGS= TCLSH_CMD=${MENSORA_TCLSH}
          sh ${MENSORA_SQLITE_SOURCE}/configure --disable-tcl --disable-readline --quiet
  COMMAND ${CMAKE_COMMAND} -E chdir ${amalgamation} make --quiet sqlite3.c
  DEPENDS ${MENSORA_SQLITE_SOURCE}/VERSION
  COMMENT "Making SQLite's amalgamation from Debian's source"
  VERBATIM)

add_library(mensora_sqlite STATIC ${amalgamation}/sqlite3.c)
target_include_directories(mensora_sqlite SYSTEM PUBLIC ${amalgamation})
# One connection per thread, the features the journal uses and nothing that loads code.
target_compile_definitions(mensora_sqlite PRIVATE SQLITE_THREADSAFE=1 SQLITE_OMIT_LOAD_EXTENSION
                           SQLITE_DEFAULT_MEMSTATUS=0 SQLITE_DQS=0)
