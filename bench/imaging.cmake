# Imaging micro benchmarks: the motion measure and the JPEG codec.
tambrel_bench(bench_compare_bitmaps
  SOURCES ${CMAKE_CURRENT_LIST_DIR}/Bench_Compare_Bitmaps.cpp
  LIBS tambrel_imaging)

# bench_jpeg writes its sample picture next to itself so that tjbench can decode the same file.
tambrel_bench(bench_jpeg
  SOURCES ${CMAKE_CURRENT_LIST_DIR}/Bench_Jpeg.cpp
  LIBS tambrel_imaging PkgConfig::TURBOJPEG)
target_compile_definitions(bench_jpeg PRIVATE TAMBREL_BENCH_OUTPUT_DIR="${CMAKE_BINARY_DIR}/bench")

# A picture made the size of its panel: shrunk once by the worker, or scaled by the painter.
tambrel_bench(bench_picture_shrink
  SOURCES ${CMAKE_CURRENT_LIST_DIR}/Bench_Picture_Shrink.cpp
  LIBS tambrel_imaging benchmark::benchmark_main)

# The decode alone at the viewer's pace (nine cameras at 20 fps), beside the same decodes back to back.
add_executable(tambrel-paced-decode ${CMAKE_CURRENT_LIST_DIR}/Paced_Decode.cpp)
target_link_libraries(tambrel-paced-decode PRIVATE tambrel_imaging Threads::Threads tambrel_warnings)
set_target_properties(tambrel-paced-decode PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/bench)
