# mensora_odbc: the ODBC driver manager, the one way to the plant database on both platforms.
# Linux: unixODBC (unixodbc-dev), which loads the driver the connection string names;
# Windows: the system's odbc32.dll through mingw-w64's import library.
include_guard(GLOBAL)
add_library(mensora_odbc INTERFACE)
if(WIN32)
  target_link_libraries(mensora_odbc INTERFACE odbc32)
else()
  find_package(ODBC REQUIRED)
  target_link_libraries(mensora_odbc INTERFACE ODBC::ODBC)
endif()
