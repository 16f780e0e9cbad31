# The Windows zip: `cmake --build build-windows --target package` writes
# build-windows/quorvane-<version>-windows-x64.zip with quorvane-cli.exe (static runtime,
# no DLLs of its own), the help file and a short README in one folder.
install(FILES ${PROJECT_SOURCE_DIR}/packaging/windows/README.txt DESTINATION ${QUORVANE_INSTALL_BINDIR})

set(CPACK_GENERATOR "ZIP")
set(CPACK_PACKAGE_NAME "quorvane")
set(CPACK_PACKAGE_VENDOR "The Quorvane developers")
set(CPACK_PACKAGE_FILE_NAME "quorvane-${PROJECT_VERSION}-windows-x64")
set(CPACK_INCLUDE_TOPLEVEL_DIRECTORY ON)
set(CPACK_STRIP_FILES ON)
include(CPack)
