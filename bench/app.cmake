# The main window's refresh pass over nine live cameras.
# The main window as the benchmarks drive it: set up through its settings file, watched through its controls.
add_library(tambrel_bench_window STATIC ${CMAKE_CURRENT_LIST_DIR}/Bench_Window.cpp)
target_include_directories(tambrel_bench_window PUBLIC ${CMAKE_CURRENT_LIST_DIR})
target_link_libraries(tambrel_bench_window PUBLIC tambrel_widgets tambrel_model tambrel_imaging PRIVATE tambrel_warnings)

tambrel_bench(bench_refresh_pass
  SOURCES ${CMAKE_CURRENT_LIST_DIR}/Bench_Refresh_Pass.cpp
  LIBS tambrel_app tambrel_camsim tambrel_bench_window)

# End-to-end load run: the viewer's main window on simulated cameras served by another process.
add_executable(tambrel-load-bench ${CMAKE_CURRENT_LIST_DIR}/Load_Bench.cpp)
target_link_libraries(tambrel-load-bench PRIVATE tambrel_app tambrel_bench_window tambrel_warnings)
set_target_properties(tambrel-load-bench PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/bench)

# Fault soak: nine simulated cameras (in process) cycling through every failure while the viewer records.
add_executable(tambrel-fault-soak ${CMAKE_CURRENT_LIST_DIR}/Fault_Soak.cpp)
target_link_libraries(tambrel-fault-soak PRIVATE tambrel_app tambrel_camsim tambrel_bench_window tambrel_warnings)
set_target_properties(tambrel-fault-soak PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/bench)
