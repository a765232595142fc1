# Host-only targets: command-line tools and benchmarks built with the machine's g++.
file(GLOB TZ_TOOL_SOURCES CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/tools/*.cpp)
foreach(tool_source ${TZ_TOOL_SOURCES})
  get_filename_component(tool_name ${tool_source} NAME_WE)
  add_executable(${tool_name} ${tool_source})
  target_link_libraries(${tool_name} PRIVATE tangzhou_core)
  target_compile_options(${tool_name} PRIVATE ${TZ_WARNINGS})
endforeach()

file(GLOB TZ_BENCH_SOURCES CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/bench/*.cpp)
list(FILTER TZ_BENCH_SOURCES EXCLUDE REGEX "_win32\\.cpp$")
foreach(bench_source ${TZ_BENCH_SOURCES})
  get_filename_component(bench_name ${bench_source} NAME_WE)
  add_executable(${bench_name} ${bench_source})
  target_link_libraries(${bench_name} PRIVATE tangzhou_core)
  target_compile_options(${bench_name} PRIVATE ${TZ_WARNINGS} -O2)
endforeach()

add_test(NAME unit_tests COMMAND unit_tests)
