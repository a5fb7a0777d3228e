# Fuzz targets: each fuzz/targets/*.cpp defines LLVMFuzzerTestOneInput and is linked with the driver
# that feeds it stdin (under afl-fuzz) or each file named on its command line (replay). tools/fuzz
# builds them for campaigns (LINK_FUZZ, CXX=afl-g++ or afl-clang-fast++); every native build has them
# too, and ctest replays each target's seed corpus and regression set there, so that what the targets
# check is part of the suite the mutants measure.
option(LINK_FUZZ "Build the fuzz targets of fuzz/targets" OFF)
if(NOT WIN32)
  file(GLOB FUZZ_TARGET_SOURCES CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/fuzz/targets/*.cpp)
  add_custom_target(fuzz_all)
  foreach(source ${FUZZ_TARGET_SOURCES})
    get_filename_component(name ${source} NAME_WE)
    add_executable(fuzz_${name} ${source} ${CMAKE_CURRENT_SOURCE_DIR}/fuzz/driver/Main.cpp)
    target_include_directories(fuzz_${name} PRIVATE ${CMAKE_CURRENT_SOURCE_DIR})
    target_include_directories(fuzz_${name} SYSTEM PRIVATE ${CMAKE_BINARY_DIR}/third_party/include)
    target_link_libraries(fuzz_${name} PRIVATE linkcore linkeditions hostsim)
    add_dependencies(fuzz_all fuzz_${name})
    if(NOT LINK_ESCAPED_LITERALS)
      file(GLOB replayed CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/fuzz/corpus/${name}/*
                                           ${CMAKE_CURRENT_SOURCE_DIR}/fuzz/regress/${name}/*)
      add_test(NAME fuzz_replay.${name} COMMAND fuzz_${name} ${replayed})
    endif()
  endforeach()
endif()
