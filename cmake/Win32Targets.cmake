# The program itself, the Windows-side test programs and the benchmark's
# reference window, all cross-compiled.
set(TZ_WIN32_DEFINITIONS UNICODE _UNICODE WIN32_LEAN_AND_MEAN NOMINMAX _WIN32_WINNT=0x0601 WINVER=0x0601)
set(TZ_SIZE_FLAGS -Os -ffunction-sections -fdata-sections)
set(TZ_EXE_LINK_FLAGS -municode -mwindows -Wl,--gc-sections -s -Wl,--dynamicbase -Wl,--nxcompat)

target_compile_options(tangzhou_core PRIVATE ${TZ_SIZE_FLAGS})

file(GLOB TZ_WIN32_SOURCES CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/src/*/*_win32.cpp)
add_executable(tangzhou WIN32 ${TZ_WIN32_SOURCES} ${PROJECT_SOURCE_DIR}/src/resources/tangzhou.rc)
target_link_libraries(tangzhou PRIVATE tangzhou_core comctl32 shell32 shlwapi ole32 uuid gdi32 user32)
target_compile_definitions(tangzhou PRIVATE ${TZ_WIN32_DEFINITIONS})
target_compile_options(tangzhou PRIVATE ${TZ_WARNINGS} ${TZ_SIZE_FLAGS})
target_link_options(tangzhou PRIVATE ${TZ_EXE_LINK_FLAGS})
set_property(SOURCE ${PROJECT_SOURCE_DIR}/src/resources/tangzhou.rc APPEND PROPERTY
             OBJECT_DEPENDS ${PROJECT_SOURCE_DIR}/src/resources/tangzhou.ico
                            ${PROJECT_SOURCE_DIR}/src/resources/tangzhou.manifest
                            ${PROJECT_SOURCE_DIR}/src/resources/version.h)
set(CMAKE_RC_FLAGS "${CMAKE_RC_FLAGS} -c 65001")


# End-to-end test driver: drives the running program from outside, as the
# desktop and the user would.
file(GLOB TZ_DRIVER_SOURCES CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/tests/e2e/driver/*.cpp)
if(TZ_DRIVER_SOURCES)
  add_executable(tzdriver ${TZ_DRIVER_SOURCES})
  target_link_libraries(tzdriver PRIVATE tangzhou_core user32 gdi32 psapi comctl32)
  target_compile_definitions(tzdriver PRIVATE ${TZ_WIN32_DEFINITIONS})
  target_compile_options(tzdriver PRIVATE ${TZ_WARNINGS})
  target_link_options(tzdriver PRIVATE -municode)
  # The driver also calls the status bar's SetPaneText on a bar of its own,
  # and loads the program icon from the built exe as the program does.
  target_sources(tzdriver PRIVATE ${PROJECT_SOURCE_DIR}/src/display/status_bar_win32.cpp
                                  ${PROJECT_SOURCE_DIR}/src/app/child_control_win32.cpp
                                  ${PROJECT_SOURCE_DIR}/src/app/wide_text_win32.cpp
                                  ${PROJECT_SOURCE_DIR}/src/resources/program_icon_win32.cpp)
endif()

# Benchmark reference: the smallest window program this toolchain makes.
file(GLOB TZ_BENCH_WIN32_SOURCES CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/bench/*_win32.cpp)
foreach(bench_source ${TZ_BENCH_WIN32_SOURCES})
  get_filename_component(bench_name ${bench_source} NAME_WE)
  add_executable(${bench_name} WIN32 ${bench_source})
  target_link_libraries(${bench_name} PRIVATE user32 gdi32 psapi)
  target_compile_definitions(${bench_name} PRIVATE ${TZ_WIN32_DEFINITIONS})
  target_compile_options(${bench_name} PRIVATE ${TZ_WARNINGS} ${TZ_SIZE_FLAGS})
  target_link_options(${bench_name} PRIVATE ${TZ_EXE_LINK_FLAGS})
endforeach()
