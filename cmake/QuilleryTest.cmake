# quillery_add_test(NAME source... LIBS lib...)
# One Qt Test executable per area, registered with CTest, run from the
# program folder with the offscreen platform.
function(quillery_add_test name)
  cmake_parse_arguments(ARG "" "" "LIBS" ${ARGN})
  add_executable(${name} ${ARG_UNPARSED_ARGUMENTS})
  target_link_libraries(${name} PRIVATE Qt6::Test ${ARG_LIBS})
  add_test(NAME ${name} COMMAND ${name} WORKING_DIRECTORY ${QUILLERY_BIN_DIR})
  set_tests_properties(${name} PROPERTIES
    ENVIRONMENT "QT_QPA_PLATFORM=offscreen"
    TIMEOUT 600)
endfunction()
