# The version both programs print and the about box shows: the project's version, and as build
# the commit count. Targets link `tinto_version` for the generated tinto_version.h.
find_package(Git QUIET)
set(TINTO_BUILD_NUMBER 0)
if(GIT_FOUND)
  execute_process(COMMAND ${GIT_EXECUTABLE} rev-list --count HEAD
                  WORKING_DIRECTORY ${CMAKE_SOURCE_DIR} OUTPUT_VARIABLE commit_count
                  RESULT_VARIABLE git_result OUTPUT_STRIP_TRAILING_WHITESPACE ERROR_QUIET)
  if(git_result EQUAL 0 AND commit_count MATCHES "^[0-9]+$")
    set(TINTO_BUILD_NUMBER ${commit_count})
  endif()
endif()
configure_file(${CMAKE_SOURCE_DIR}/cmake/tinto_version.h.in
               ${CMAKE_BINARY_DIR}/generated/tinto_version.h @ONLY)
add_library(tinto_version INTERFACE)
target_include_directories(tinto_version INTERFACE ${CMAKE_BINARY_DIR}/generated)
