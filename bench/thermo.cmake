# Thermodynamic library: bubble points, flash, activity coefficients, SRK bubble point.
add_executable(thermo_bench ${CMAKE_CURRENT_LIST_DIR}/thermo_bench.cpp)
target_link_libraries(thermo_bench PRIVATE vz_thermo benchmark::benchmark)
