# Settings files: one key operation, and a whole camera load and save, each a few hundred file accesses.
tambrel_bench(ini_bench
  SOURCES ${CMAKE_CURRENT_LIST_DIR}/Ini_Bench.cpp
  LIBS tambrel_model)
