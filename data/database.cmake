# The component property database "Vadezid$.mdb": built from the CSV tables of
# this folder into the program's folder, and installed beside the program.
set(VZ_DB_TABLES CriticalConstant AntoineConstant HeatCapacity EnthalpyCoefficent LiquidDensity
  Rk_Parameter "Wilson Parameter" "NRTL Parameter" "Kij Parameter")
set(VZ_DB_CSV)
foreach(t IN LISTS VZ_DB_TABLES)
  list(APPEND VZ_DB_CSV "${CMAKE_CURRENT_LIST_DIR}/${t}.csv")
endforeach()
# Registration date of the shipped rows: fixed, so that every build gives the same file.
set(VZ_DB_DATE 2026-12-09)
set(VZ_DB_FILE "${VZ_BIN_DIR}/Vadezid$.mdb")
add_custom_command(OUTPUT "${VZ_DB_FILE}"
  COMMAND ${CMAKE_COMMAND} -E env ASAN_OPTIONS=detect_leaks=0
          $<TARGET_FILE:vz_make_database> "${VZ_DB_FILE}" ${VZ_DB_DATE} "${CMAKE_CURRENT_LIST_DIR}"
  DEPENDS vz_make_database ${VZ_DB_CSV}
  COMMENT "Building the component property database"
  VERBATIM)
add_custom_target(vz_property_database ALL DEPENDS "${VZ_DB_FILE}")
install(FILES "${VZ_DB_FILE}" DESTINATION bin)
