# Benchmarks: scen_bench (Google Benchmark) measures the track plan, the field
# reader, the three serialisations, the code track and the whole compile;
# scen_make_line writes the long scenario that bench/run.sh times.
find_package(benchmark REQUIRED)

add_library(scen_bench_support STATIC
  bench/long_line.cc
  bench/bench_support.cc
)
target_link_libraries(scen_bench_support PUBLIC scen_core benchmark::benchmark)

add_executable(scen_bench
  bench/track_plan_bench.cc
  bench/field_reader_bench.cc
  bench/images_bench.cc
  bench/code_track_bench.cc
  bench/compile_bench.cc
  bench/lsp_bench.cc
)
target_link_libraries(scen_bench PRIVATE scen_bench_support scen_lsp benchmark::benchmark_main)

add_executable(scen_make_line bench/make_line_main.cc)
target_link_libraries(scen_make_line PRIVATE scen_bench_support)
