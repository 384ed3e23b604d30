# orvanta_add_test(<name> SOURCES ... LIBS ...): one GoogleTest executable per
# module, each test case registered with ctest.
find_package(GTest REQUIRED)
include(GoogleTest)

function(orvanta_add_test name)
  cmake_parse_arguments(ARG "" "" "SOURCES;LIBS" ${ARGN})
  add_executable(${name} ${ARG_SOURCES})
  target_link_libraries(${name} PRIVATE ${ARG_LIBS} orvanta_test_support GTest::gtest_main)
  orvanta_warnings(${name})
  target_compile_definitions(${name} PRIVATE ORVANTA_SOURCE_DIR="${PROJECT_SOURCE_DIR}"
                                             ORVANTA_BINARY_DIR="${PROJECT_BINARY_DIR}")
  gtest_discover_tests(${name} DISCOVERY_TIMEOUT 60
                       PROPERTIES ENVIRONMENT "QT_QPA_PLATFORM=offscreen")
endfunction()
