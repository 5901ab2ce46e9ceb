# Column solver: Example-1 to convergence and a 200-stage, 20-component column.
add_executable(column_bench ${CMAKE_CURRENT_LIST_DIR}/column_bench.cpp)
target_link_libraries(column_bench PRIVATE vz_continuous benchmark::benchmark)
