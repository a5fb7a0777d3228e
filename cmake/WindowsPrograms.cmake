# Windows build: the three programs, the stand-in's launcher and the end-to-end test tools, statically
# linked so that they run on a bare Windows (or Wine prefix) without the mingw runtime DLLs.
# They are 32-bit programs (cmake/mingw-w64-i686.cmake). CMake reads a toolchain file only when a build
# folder is first configured, so a folder made for another one keeps building for it.
if(NOT CMAKE_SIZEOF_VOID_P EQUAL 4)
  message(FATAL_ERROR "${CMAKE_BINARY_DIR} builds 64-bit programs with ${CMAKE_CXX_COMPILER}: "
                      "remove it and configure it again with cmake/mingw-w64-i686.cmake")
endif()
enable_language(RC)
set(LINK_STATIC_RUNTIME -static -static-libgcc -static-libstdc++)

# The edition's .rc includes the resources every program carries; windres reports no dependencies.
set(LINK_SHARED_RESOURCES ${CMAKE_CURRENT_SOURCE_DIR}/src/editions/ProgramResources.rc
    ${CMAKE_CURRENT_SOURCE_DIR}/src/editions/LinkProgram.manifest ${CMAKE_CURRENT_SOURCE_DIR}/src/ui/Dialogs.rc)
foreach(edition Alpha Beta Gamma)
  string(TOLOWER ${edition} edition_id)
  add_executable(Link${edition} WIN32 src/app/WinMain_win.cpp src/editions/Link${edition}.rc)
  set_source_files_properties(src/editions/Link${edition}.rc PROPERTIES OBJECT_DEPENDS "${LINK_SHARED_RESOURCES}")
  target_compile_definitions(Link${edition} PRIVATE LINK_PROGRAM_EDITION=kEdition${edition})
  target_link_libraries(Link${edition} PRIVATE linkcore linkeditions hostsim ${LINK_STATIC_RUNTIME})
endforeach()

# The stand-in's Windows half: the launcher that plays the accounting product's menu.
file(GLOB LAUNCHER_SOURCES CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/hostsim/launcher/*_win.cpp)
add_executable(host-launcher ${LAUNCHER_SOURCES} hostsim/TranscriptLines.cpp)
target_include_directories(host-launcher PRIVATE ${CMAKE_CURRENT_SOURCE_DIR})
target_link_libraries(host-launcher PRIVATE ${LINK_STATIC_RUNTIME})

# Pictures of real windows, for people to look at.
add_library(window-pictures STATIC tools/window-pictures/WindowPicture_win.cpp)
target_include_directories(window-pictures PUBLIC ${CMAKE_CURRENT_SOURCE_DIR}/tools/window-pictures)
target_link_libraries(window-pictures PUBLIC gdi32)

# The scripted user of the end-to-end tests; it takes the screenshots the scenarios ask for.
link_collect_sources(USER_SOURCES tests/wine/user)
add_executable(link-e2e-user ${USER_SOURCES} hostsim/TranscriptLines.cpp)
target_include_directories(link-e2e-user PRIVATE ${CMAKE_CURRENT_SOURCE_DIR})
target_link_libraries(link-e2e-user PRIVATE window-pictures ${LINK_STATIC_RUNTIME})

# Console programs linked with the core: the full-width comparison of the Wine tests calls the real
# Windows mapping next to ours; dialog-preview shows the run's dialogs without a host, for pictures
# and timing.
foreach(tool_dir tests/wine/tools/fullwidth-compare tools/dialog-preview)
  get_filename_component(tool ${tool_dir} NAME)
  file(GLOB tool_sources CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/${tool_dir}/*.cpp)
  add_executable(${tool} ${tool_sources})
  target_link_libraries(${tool} PRIVATE linkcore linkeditions hostsim ${LINK_STATIC_RUNTIME})
endforeach()
