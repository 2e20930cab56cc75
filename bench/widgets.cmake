# Painting nine stretched camera pictures: the grid's cost per refresh pass.
tambrel_bench(bench_picture_box
  SOURCES ${CMAKE_CURRENT_LIST_DIR}/Bench_Picture_Box.cpp
  LIBS tambrel_widgets tambrel_bench_qt_main)
