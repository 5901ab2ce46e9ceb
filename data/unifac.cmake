# UNIFAC group parameter file: the program reads it from its own folder.
configure_file(${CMAKE_CURRENT_LIST_DIR}/UNIFAC.PAR ${VZ_BIN_DIR}/UNIFAC.PAR COPYONLY)
