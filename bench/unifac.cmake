# UNIFAC: activity coefficients of a ternary and one 201-point curve.
add_executable(unifac_bench ${CMAKE_CURRENT_LIST_DIR}/unifac_bench.cpp)
target_link_libraries(unifac_bench PRIVATE vz_unifac benchmark::benchmark)
target_compile_definitions(unifac_bench PRIVATE VZ_BIN_DIR="${VZ_BIN_DIR}")
