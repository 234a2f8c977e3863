# The synthetic journal of the plant database's tests and load tool, one library for both.
include_guard(GLOBAL)
include(${PROJECT_SOURCE_DIR}/cmake/sqlite3.cmake)
add_library(mensora_synthetic_journal STATIC ${CMAKE_CURRENT_LIST_DIR}/synthetic_journal.cpp)
target_include_directories(mensora_synthetic_journal PUBLIC ${PROJECT_SOURCE_DIR})
target_link_libraries(mensora_synthetic_journal PUBLIC mensora_journal
                      PRIVATE mensora_sqlite3 mensora_warnings)
