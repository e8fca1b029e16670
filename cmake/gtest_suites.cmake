# One ctest test per GoogleTest suite: a test program starts once per suite instead of once per
# test case (a QApplication start each time made the app tests slow), a failure or crash still
# names its program and suite, and ctest can spread the suites over the cores. The suites are
# listed after each link, as gtest_discover_tests does for single cases.
set(TINTO_LIST_GTEST_SUITES ${CMAKE_CURRENT_LIST_DIR}/list_gtest_suites.cmake)

function(tinto_add_gtest_suites target)
  set(suites_file ${CMAKE_CURRENT_BINARY_DIR}/${target}_suites.cmake)
  set(include_file ${CMAKE_CURRENT_BINARY_DIR}/${target}_include.cmake)
  add_custom_command(
    TARGET ${target} POST_BUILD
    COMMAND ${CMAKE_COMMAND} -D PROGRAM=$<TARGET_FILE:${target}> -D NAME=${target}
            -D WORKING_DIRECTORY=${CMAKE_CURRENT_BINARY_DIR} -D OUTPUT=${suites_file}
            -P ${TINTO_LIST_GTEST_SUITES}
    BYPRODUCTS ${suites_file}
    VERBATIM)
  # Until the program is built, ctest reports it as not built instead of failing to read the list.
  file(WRITE ${include_file}
       "if(EXISTS [==[${suites_file}]==])\n"
       "  include([==[${suites_file}]==])\n"
       "else()\n"
       "  add_test(${target}_NOT_BUILT ${target}_NOT_BUILT)\n"
       "endif()\n")
  set_property(DIRECTORY APPEND PROPERTY TEST_INCLUDE_FILES ${include_file})
endfunction()
