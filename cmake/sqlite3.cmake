# mensora_sqlite3: the SQLite library, one target name on both platforms. On Linux it is
# Debian's libsqlite3; the Windows builds compile their own from Debian's sources (the journal's
# build adds that target before this file is read).
include_guard(GLOBAL)
if(NOT TARGET mensora_sqlite3 AND NOT WIN32)
  find_package(SQLite3 REQUIRED)
  add_library(mensora_sqlite3 INTERFACE)
  target_link_libraries(mensora_sqlite3 INTERFACE SQLite::SQLite3)
endif()
