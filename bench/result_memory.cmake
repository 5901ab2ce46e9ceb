# Not a benchmark: the peak memory of every batch result window over the
# history of a long run at the finest record interval (tools/batch_results).
add_executable(result_memory ${CMAKE_SOURCE_DIR}/tools/batch_results/result_memory.cpp)
target_link_libraries(result_memory PRIVATE "$<LINK_LIBRARY:WHOLE_ARCHIVE,vz_batch_results_ui>")
