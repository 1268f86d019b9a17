# The Windows download: `cpack` in the Windows build folder makes
# Kestrel-<version>-win64.zip and the installer Kestrel-<version>-win64.exe,
# both holding kestrel.exe and kestrel-cli.exe; the installer adds a Start
# menu entry for the window and an uninstaller.
install(TARGETS kestrel kestrel-cli RUNTIME DESTINATION .)

set(CPACK_PACKAGE_NAME Kestrel)
set(CPACK_PACKAGE_VENDOR Tarnwick)
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Test tool for thermal label printers")
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_FILE_NAME Kestrel-${PROJECT_VERSION}-win64)
set(CPACK_PACKAGE_INSTALL_DIRECTORY Kestrel)
set(CPACK_GENERATOR ZIP NSIS)
# Start menu: "Kestrel" starts kestrel.exe.
set(CPACK_PACKAGE_EXECUTABLES kestrel Kestrel)
set(CPACK_NSIS_DISPLAY_NAME Kestrel)
set(CPACK_NSIS_PACKAGE_NAME Kestrel)
set(CPACK_NSIS_INSTALLED_ICON_NAME kestrel.exe)
set(CPACK_NSIS_MUI_ICON ${KESTREL_WINDOW_ICON})
set(CPACK_NSIS_MUI_UNIICON ${KESTREL_WINDOW_ICON})
set(CPACK_NSIS_INSTALL_ROOT "$PROGRAMFILES64")
set(CPACK_STRIP_FILES ON)
include(CPack)
