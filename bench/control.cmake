# Camera commands and the full-screen view: one jog request against a simulated camera, and one
# repaint of the full-screen window at several zoom factors.
tambrel_bench(bench_control
  SOURCES ${CMAKE_CURRENT_LIST_DIR}/Bench_Control.cpp
  LIBS tambrel_control tambrel_views tambrel_camsim tambrel_bench_qt_main)
