# Installation layout and the Debian package. Included after all targets exist.
include(GNUInstallDirs)

install(FILES ${PROJECT_SOURCE_DIR}/packaging/quorvane.desktop
        DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
# The program icon the window uses, where desktop entries look for "Icon=quorvane".
install(FILES ${PROJECT_SOURCE_DIR}/resources/controls/quorvane.xpm
        DESTINATION ${CMAKE_INSTALL_DATADIR}/pixmaps)

set(CPACK_GENERATOR "DEB")
set(CPACK_PACKAGE_NAME "quorvane")
set(CPACK_PACKAGE_VENDOR "The Quorvane developers")
set(CPACK_PACKAGE_CONTACT "quorvane-support@example.org")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY
    "Lists and compares the version information of Windows program files")
set(CPACK_DEBIAN_PACKAGE_SECTION "utils")
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
# Library dependencies come from the binaries themselves; the font and Qt's Japanese
# translations (the file dialogs' own texts) are runtime needs the linker cannot see
# (the user interface is Japanese).
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "fonts-ipafont-gothic | fonts-noto-cjk, qt6-translations-l10n")
set(CPACK_STRIP_FILES ON)
include(CPack)
