# mensora_sqlite3: the SQLite library, one target name on both platforms. On Linux it is
# Debian's libsqlite3; the Windows builds compile SQLite from Debian's source, as the journal's
# build does (cmake/sqlite_from_debian_source.cmake, target mensora_sqlite).
include_guard(GLOBAL)
add_library(mensora_sqlite3 INTERFACE)
if(WIN32)
  if(NOT TARGET mensora_sqlite)
    if(NOT EXISTS ${PROJECT_SOURCE_DIR}/cmake/sqlite_from_debian_source.cmake)
      message(FATAL_ERROR "The Windows builds need SQLite compiled from Debian's source")
    endif()
    include(${PROJECT_SOURCE_DIR}/cmake/sqlite_from_debian_source.cmake)
  endif()
  target_link_libraries(mensora_sqlite3 INTERFACE mensora_sqlite)
else()
  find_package(SQLite3 REQUIRED)
  target_link_libraries(mensora_sqlite3 INTERFACE SQLite::SQLite3)
endif()
