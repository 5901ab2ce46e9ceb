# VLE parameter fit: both examples with each objective, Wilson and NRTL.
add_executable(vle_fit_bench ${CMAKE_CURRENT_LIST_DIR}/vle_fit_bench.cpp)
target_link_libraries(vle_fit_bench PRIVATE vz_vle_estimation benchmark::benchmark)
