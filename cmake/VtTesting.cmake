# vt_add_test(<name> SOURCES <files...> LIBS <targets...> [PREFIX <text>]): one GoogleTest
# executable, its cases registered with CTest when the tests run (names led by PREFIX, so that
# two builds of one test source can both be registered).
find_package(GTest REQUIRED)
include(GoogleTest)

function(vt_add_test name)
  cmake_parse_arguments(ARG "" "PREFIX" "SOURCES;LIBS" ${ARGN})
  add_executable(${name} ${ARG_SOURCES})
  target_link_libraries(${name} PRIVATE ${ARG_LIBS} GTest::gtest GTest::gmock GTest::gtest_main)
  set_target_properties(${name} PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/tests)
  gtest_discover_tests(${name}
    DISCOVERY_MODE PRE_TEST
    TEST_PREFIX "${ARG_PREFIX}"
    PROPERTIES ENVIRONMENT "QT_QPA_PLATFORM=offscreen")
  # The folders reach the tests as compile definitions: a list-valued ENVIRONMENT does not
  # survive the discovery step.
  target_compile_definitions(${name} PRIVATE
    VT_SOURCE_DIR="${CMAKE_SOURCE_DIR}" VT_BINARY_DIR="${CMAKE_BINARY_DIR}")
endfunction()

# vt_sanitize(<target>): builds and links one target with the address and undefined-behaviour
# sanitizers, any error ending the program; for the sanitized copies that the tests run.
function(vt_sanitize target)
  target_compile_options(${target} PRIVATE
    -fsanitize=address,undefined -fno-sanitize-recover=all -fno-omit-frame-pointer)
  target_link_options(${target} PRIVATE -fsanitize=address,undefined)
endfunction()
