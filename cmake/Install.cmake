# Installing with GNUInstallDirs (the top-level CMakeLists includes GNUInstallDirs
# before the folders, and this file after them):
#   cmake --install build [--prefix DIR]     honours DESTDIR as well
# The build tree keeps working on its own; an installed program finds its data
# relative to its executable (src/app/program_paths.h), so the install is relocatable.

install(TARGETS 207_000 hy3tool 4sptool RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
# The modules the program loads when first used (src/media/program_module.h).
install(TARGETS mitra_encoder mitra_sound LIBRARY DESTINATION ${CMAKE_INSTALL_LIBDIR}/mitra)

# Where the data lies as seen from the executable, for the program to find it.
file(RELATIVE_PATH MITRA_BIN_TO_DATA ${CMAKE_INSTALL_FULL_BINDIR} ${CMAKE_INSTALL_FULL_DATADIR}/mitra)
set_source_files_properties(${PROJECT_SOURCE_DIR}/src/app/program_paths.cpp TARGET_DIRECTORY mitra_app
  PROPERTIES COMPILE_DEFINITIONS "MITRA_BIN_TO_DATA=\"${MITRA_BIN_TO_DATA}\"")

# What is installed is all that running needs: `install` does not build the tests and
# benchmarks first (build the target mitra_runtime, or everything, before installing).
set(CMAKE_SKIP_INSTALL_ALL_DEPENDENCY ON)

add_subdirectory(packaging)

add_custom_target(mitra_runtime DEPENDS 207_000 hy3tool 4sptool demo_fares demo_tickets demo_data mitra_desktop_files)
# The test of the install tree (tests/test_install_tree.cpp) installs all of it.
add_dependencies(mitra_tests mitra_runtime)
