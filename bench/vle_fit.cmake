# VLE parameter fit: both examples with each objective, Wilson and NRTL, and the
# default-start fits of the varied data sets of the tests.
add_executable(vle_fit_bench ${CMAKE_CURRENT_LIST_DIR}/vle_fit_bench.cpp)
target_link_libraries(vle_fit_bench PRIVATE vz_vle_estimation benchmark::benchmark)
target_compile_definitions(vle_fit_bench PRIVATE VZ_SOURCE_DIR="${CMAKE_SOURCE_DIR}")
