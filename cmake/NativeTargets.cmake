# Native build: link-headless and the unit tests.
find_package(GTest REQUIRED)

# link-headless's in-memory windows also serve the unit tests as the user's side of a run.
link_collect_sources(HEADLESS_SOURCES src/headless)
list(FILTER HEADLESS_SOURCES EXCLUDE REGEX "/main\\.cpp$")
add_library(linkheadless STATIC ${HEADLESS_SOURCES})
target_link_libraries(linkheadless PUBLIC linkcore linkeditions hostsim)
target_include_directories(linkheadless PUBLIC ${CMAKE_CURRENT_SOURCE_DIR})   # the stand-in's own headers
add_dependencies(linkheadless layer_check)
add_executable(link-headless ${CMAKE_CURRENT_SOURCE_DIR}/src/headless/main.cpp)
target_link_libraries(link-headless PRIVATE linkheadless)

enable_testing()
file(GLOB UNIT_TEST_SOURCES CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/tests/unit/*.cpp)
add_executable(unit_tests ${UNIT_TEST_SOURCES})
target_include_directories(unit_tests PRIVATE ${CMAKE_CURRENT_SOURCE_DIR}/tests ${CMAKE_CURRENT_SOURCE_DIR})
target_include_directories(unit_tests SYSTEM PRIVATE ${CMAKE_BINARY_DIR}/third_party/include)
target_link_libraries(unit_tests PRIVATE linkheadless GTest::gtest GTest::gtest_main)
target_compile_definitions(unit_tests PRIVATE LINK_SOURCE_DIR="${CMAKE_CURRENT_SOURCE_DIR}")
include(GoogleTest)
gtest_discover_tests(unit_tests DISCOVERY_MODE PRE_TEST)

# Whole-run scenarios through link-headless, one test each: ctest runs them side by side, and a
# failure names its scenario. Debian's interpreter first (tools/install-deps installs it): a version
# manager's shim found on PATH adds a tenth of a second to every scenario.
find_program(LINK_PYTHON python3 PATHS /usr/bin NO_DEFAULT_PATH)
if(NOT LINK_PYTHON)
  find_program(LINK_PYTHON python3 REQUIRED)
endif()
file(GLOB SCENARIO_FILES CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/tests/scenarios/*/scenario.conf)
foreach(scenario_file ${SCENARIO_FILES})
  file(STRINGS ${scenario_file} front_ends REGEX "^front-ends=")
  if(front_ends AND NOT front_ends MATCHES "headless")
    continue()
  endif()
  get_filename_component(scenario_folder ${scenario_file} DIRECTORY)
  get_filename_component(scenario ${scenario_folder} NAME)
  add_test(NAME scenario.${scenario}
           COMMAND ${LINK_PYTHON} ${CMAKE_CURRENT_SOURCE_DIR}/tests/run-scenarios.py --headless $<TARGET_FILE:link-headless>
                   ${CMAKE_CURRENT_SOURCE_DIR}/tests/scenarios --only ${scenario})
endforeach()

# The unit tests' golden reports against the published schema.
file(GLOB UNIT_GOLDEN_REPORTS CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/tests/unit/fixtures/*.xml)
add_test(NAME report_schema.unit_goldens COMMAND ${LINK_PYTHON} ${CMAKE_CURRENT_SOURCE_DIR}/tests/report_schema.py
         ${UNIT_GOLDEN_REPORTS})

# Benchmarks: only in a build of their own without sanitizers (tools/bench makes build/bench).
option(LINK_BENCH "Build the benchmarks in bench/" OFF)
if(LINK_BENCH AND NOT LINK_SANITIZE)
  add_subdirectory(bench)
endif()
