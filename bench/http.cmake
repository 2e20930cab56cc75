# Snapshot GETs of a 640x480 JPEG over one kept connection, against in-process simulated cameras.
tambrel_bench(bench_http
  SOURCES ${CMAKE_CURRENT_LIST_DIR}/Bench_Http.cpp
  LIBS tambrel_acquisition tambrel_camsim tambrel_imaging)
