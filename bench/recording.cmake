# Snapshot recording: caption, encode and write one snapshot, and a pass where nine slots save.
# Writes into bench/snapshots under the build folder and removes it at the end.
tambrel_bench(bench_snapshot
  SOURCES ${CMAKE_CURRENT_LIST_DIR}/Bench_Snapshot.cpp
  LIBS tambrel_recording tambrel_imaging Qt6::Gui)
target_compile_definitions(bench_snapshot PRIVATE TAMBREL_BENCH_OUTPUT_DIR="${CMAKE_BINARY_DIR}/bench")
