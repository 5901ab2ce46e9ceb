# Reading back what the programs write: the batch example's history files and
# the column case file with its results.
add_executable(readers_bench ${CMAKE_CURRENT_LIST_DIR}/readers_bench.cpp)
target_link_libraries(readers_bench PRIVATE vz_batch_results vz_continuous benchmark::benchmark)
