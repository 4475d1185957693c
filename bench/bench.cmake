# scen_make_line writes the long scenario that bench/run.sh times and the
# long-line browser test opens; it needs nothing but the compiler.
add_library(scen_long_line STATIC bench/long_line.cc)
target_include_directories(scen_long_line PUBLIC ${CMAKE_SOURCE_DIR})
target_link_libraries(scen_long_line PUBLIC scen_flags)

add_executable(scen_make_line bench/make_line_main.cc)
target_link_libraries(scen_make_line PRIVATE scen_long_line)

# Benchmarks: scen_bench (Google Benchmark) measures the track plan, the field
# reader, the three serialisations, the code track and the whole compile.
# Google Benchmark comes with `make bench`'s set-up; without it the
# benchmarks are left out of the build.
find_package(benchmark QUIET)
if(NOT benchmark_FOUND)
  message(STATUS "Google Benchmark not found: scen_bench left out (`make bench` installs it)")
  return()
endif()

add_library(scen_bench_support STATIC bench/bench_support.cc)
target_link_libraries(scen_bench_support PUBLIC scen_core scen_long_line benchmark::benchmark)

add_executable(scen_bench
  bench/track_plan_bench.cc
  bench/field_reader_bench.cc
  bench/images_bench.cc
  bench/code_track_bench.cc
  bench/compile_bench.cc
  bench/lsp_bench.cc
)
target_link_libraries(scen_bench PRIVATE scen_bench_support scen_lsp benchmark::benchmark_main)
