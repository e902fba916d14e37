# vt_add_test(<name> SOURCES <files...> LIBS <targets...>): one GoogleTest executable,
# its cases registered with CTest when the tests run.
find_package(GTest REQUIRED)
include(GoogleTest)

function(vt_add_test name)
  cmake_parse_arguments(ARG "" "" "SOURCES;LIBS" ${ARGN})
  add_executable(${name} ${ARG_SOURCES})
  target_link_libraries(${name} PRIVATE ${ARG_LIBS} GTest::gtest GTest::gmock GTest::gtest_main)
  set_target_properties(${name} PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/tests)
  gtest_discover_tests(${name}
    DISCOVERY_MODE PRE_TEST
    PROPERTIES ENVIRONMENT "QT_QPA_PLATFORM=offscreen;VT_SOURCE_DIR=${CMAKE_SOURCE_DIR};VT_BINARY_DIR=${CMAKE_BINARY_DIR}")
endfunction()
