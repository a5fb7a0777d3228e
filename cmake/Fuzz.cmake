# Fuzz targets, built only when LINK_FUZZ is on, into a build folder of their own (tools/fuzz makes
# build/fuzz with CXX=afl-g++, AFL++'s GCC mode, so the literals keep -fexec-charset=CP932 as in the
# product). Each target is one fuzz/targets/*.cpp defining LLVMFuzzerTestOneInput, linked with the
# driver that feeds it stdin (under afl-fuzz) or each file named on its command line (replay).
option(LINK_FUZZ "Build the fuzz targets of fuzz/targets" OFF)
if(LINK_FUZZ AND NOT WIN32)
  file(GLOB FUZZ_TARGET_SOURCES CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/fuzz/targets/*.cpp)
  add_custom_target(fuzz_all)
  foreach(source ${FUZZ_TARGET_SOURCES})
    get_filename_component(name ${source} NAME_WE)
    add_executable(fuzz_${name} ${source} ${CMAKE_CURRENT_SOURCE_DIR}/fuzz/driver/Main.cpp)
    target_include_directories(fuzz_${name} PRIVATE ${CMAKE_CURRENT_SOURCE_DIR})
    target_include_directories(fuzz_${name} SYSTEM PRIVATE ${CMAKE_BINARY_DIR}/third_party/include)
    target_link_libraries(fuzz_${name} PRIVATE linkcore linkeditions hostsim)
    add_dependencies(fuzz_all fuzz_${name})
  endforeach()
endif()
