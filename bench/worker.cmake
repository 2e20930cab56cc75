# One fetch worker on a kept connection to a simulated camera: frames per second and CPU per frame.
tambrel_bench(bench_worker
  SOURCES ${CMAKE_CURRENT_LIST_DIR}/Bench_Worker.cpp
  LIBS tambrel_acquisition tambrel_camsim)
