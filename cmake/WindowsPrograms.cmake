# Windows build: the three programs and the end-to-end test tools, statically linked so that they
# run on a bare Windows (or Wine prefix) without the mingw runtime DLLs.
enable_language(RC)
set(LINK_STATIC_RUNTIME -static -static-libgcc -static-libstdc++)

foreach(edition Alpha Beta Gamma)
  string(TOLOWER ${edition} edition_id)
  add_executable(Link${edition} WIN32 src/app/WinMain_win.cpp src/editions/Link${edition}.rc)
  target_compile_definitions(Link${edition} PRIVATE LINK_PROGRAM_EDITION=kEdition${edition})
  target_link_libraries(Link${edition} PRIVATE linkcore linkeditions hostsim ${LINK_STATIC_RUNTIME})
endforeach()

link_collect_sources(DRIVER_SOURCES tests/wine/driver)
if(DRIVER_SOURCES)
  add_executable(link-e2e-driver ${DRIVER_SOURCES})
  target_include_directories(link-e2e-driver PRIVATE ${CMAKE_CURRENT_SOURCE_DIR}/tests/wine/driver)
  target_link_libraries(link-e2e-driver PRIVATE gdi32 ${LINK_STATIC_RUNTIME})
endif()

# Each folder under tests/wine/tools/ is one console program of the Wine tests, linked with the core
# (e.g. the full-width comparison calls the real Windows mapping next to ours).
file(GLOB WINE_TOOL_DIRS LIST_DIRECTORIES true CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/tests/wine/tools/*)
foreach(tool_dir ${WINE_TOOL_DIRS})
  if(IS_DIRECTORY ${tool_dir})
    get_filename_component(tool ${tool_dir} NAME)
    file(GLOB tool_sources CONFIGURE_DEPENDS ${tool_dir}/*.cpp)
    add_executable(${tool} ${tool_sources})
    target_link_libraries(${tool} PRIVATE linkcore linkeditions hostsim ${LINK_STATIC_RUNTIME})
  endif()
endforeach()
