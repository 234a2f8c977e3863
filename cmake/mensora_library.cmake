# mensora_add_library(<folder> [DEPENDS <library>...])
# One static library, mensora_<folder>, from every .cpp of the calling folder. A file named
# *_posix.cpp or *_win32.cpp is a platform back end and builds only on its platform. Sources
# include each other as "<folder>/<file>.h" from the project's root.
function(mensora_add_library folder)
  cmake_parse_arguments(ARG "" "" "DEPENDS" ${ARGN})
  file(GLOB sources CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/*.cpp)
  if(WIN32)
    list(FILTER sources EXCLUDE REGEX "_posix\\.cpp$")
  else()
    list(FILTER sources EXCLUDE REGEX "_win32\\.cpp$")
  endif()
  add_library(mensora_${folder} STATIC ${sources})
  target_include_directories(mensora_${folder} PUBLIC ${PROJECT_SOURCE_DIR})
  target_link_libraries(mensora_${folder} PUBLIC ${ARG_DEPENDS} PRIVATE mensora_warnings)
endfunction()
