# cmake -D PROGRAM=... -D NAME=... -D WORKING_DIRECTORY=... -D OUTPUT=... -P list_gtest_suites.cmake
# Writes one add_test per suite that PROGRAM lists; each runs the whole suite in one process.
execute_process(
  COMMAND ${CMAKE_COMMAND} -E env QT_QPA_PLATFORM=offscreen ${PROGRAM} --gtest_list_tests
  WORKING_DIRECTORY ${WORKING_DIRECTORY}
  OUTPUT_VARIABLE listing
  ERROR_VARIABLE errors
  RESULT_VARIABLE result
  TIMEOUT 60)
if(NOT result EQUAL 0)
  message(FATAL_ERROR "${PROGRAM} --gtest_list_tests failed (${result}):\n${listing}${errors}")
endif()

# Suite lines start in the first column and end in a dot ("Prefix/Suite." for parameterised
# suites, maybe followed by a "# TypeParam" comment); case lines are indented.
string(REGEX MATCHALL "\n[A-Za-z_][A-Za-z0-9_/]*\\.[ \n]" suite_lines "\n${listing}")
set(tests "")
foreach(line IN LISTS suite_lines)
  string(REGEX REPLACE "^\n(.*)\\.[ \n]$" "\\1" suite "${line}")
  set(test "${NAME}:${suite}")
  string(APPEND tests
         "add_test([==[${test}]==] [==[${PROGRAM}]==] [==[--gtest_filter=${suite}.*]==])\n"
         "set_tests_properties([==[${test}]==] PROPERTIES TIMEOUT 120"
         " WORKING_DIRECTORY [==[${WORKING_DIRECTORY}]==]"
         " ENVIRONMENT QT_QPA_PLATFORM=offscreen)\n")
endforeach()
if(tests STREQUAL "")
  message(FATAL_ERROR "${PROGRAM} lists no test suites:\n${listing}")
endif()
file(WRITE ${OUTPUT} "${tests}")
