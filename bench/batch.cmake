# Batch run: the example case from the charge through total reflux and both tanks.
add_executable(batch_bench ${CMAKE_CURRENT_LIST_DIR}/batch_bench.cpp)
target_link_libraries(batch_bench PRIVATE vz_batch benchmark::benchmark)
