# Benchmarks, run under Wine with scripts/bench.sh; each prints its figures.
add_executable(inspect_bench ${CMAKE_SOURCE_DIR}/bench/inspect_bench.cpp)
target_link_libraries(inspect_bench tarvisk_win)
target_link_options(inspect_bench PRIVATE -static)
