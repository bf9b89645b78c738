# tolvane_gtest(NAME SOURCES... [LIBS libs...] [LABELS labels...])
# A GoogleTest program run on Wine as one ctest test.
function(tolvane_gtest name)
  cmake_parse_arguments(T "RUN_SERIAL" "" "LIBS;LABELS" ${ARGN})
  add_executable(${name} ${T_UNPARSED_ARGUMENTS})
  target_link_libraries(${name} PRIVATE ${T_LIBS} GTest::gtest GTest::gtest_main)
  add_test(NAME ${name} COMMAND ${name})
  set_tests_properties(${name} PROPERTIES ENVIRONMENT "TOLVANE_BUILD=${CMAKE_BINARY_DIR}"
    LABELS "${T_LABELS}" RUN_SERIAL ${T_RUN_SERIAL})
endfunction()

# tolvane_script_test(NAME SCRIPT [RUN_SERIAL] [LABELS labels...])
# A bash script that drives real programs on Wine (and Xvfb); it sources
# tests/harness/lib.sh.
function(tolvane_script_test name script)
  cmake_parse_arguments(T "RUN_SERIAL" "" "LABELS" ${ARGN})
  add_test(NAME ${name} COMMAND bash ${script})
  set_tests_properties(${name} PROPERTIES ENVIRONMENT "TOLVANE_BUILD=${CMAKE_BINARY_DIR}"
    LABELS "${T_LABELS}" RUN_SERIAL ${T_RUN_SERIAL})
endfunction()
