# The Windows download: `cpack` in the Windows build folder makes
# Kestrel-<version>-win64.zip and the installer Kestrel-<version>-win64.exe.
# Both hold kestrel.exe, kestrel-cli.exe, the README and the licence (Kestrel's
# terms and the notices of the libraries and the font that come with it), at
# the top of the folder. The installer shows the licence, adds the Start menu
# entries "Kestrel" (the window) and "Kestrel command prompt" (a console in
# the install folder, for kestrel-cli), offers to add the folder to PATH, and
# registers an uninstaller with the install location and size.
install(TARGETS kestrel kestrel-cli RUNTIME DESTINATION .)
# The virtual printer's font, beside the programs where they look for it, and
# the copyright files of the font and of the libraries built into them.
install(FILES ${KESTREL_CJK_FONT} DESTINATION .)
install(FILES /usr/share/doc/fonts-wqy-microhei/copyright DESTINATION licenses RENAME fonts-wqy-microhei.copyright)
install(DIRECTORY ${KESTREL_WINDOWS_LIBRARIES}/prefix/licenses/ DESTINATION licenses)

# One licence text, UTF-8 with a byte order mark, as the installer's licence
# page reads it.
file(READ ${CMAKE_SOURCE_DIR}/LICENSE kestrel_terms)
file(READ ${CMAKE_SOURCE_DIR}/packaging/THIRD-PARTY-NOTICES.txt kestrel_notices)
set(KESTREL_LICENSE_TEXT ${CMAKE_BINARY_DIR}/LICENSE.txt)
string(ASCII 239 187 191 byte_order_mark)
file(WRITE ${KESTREL_LICENSE_TEXT} "${byte_order_mark}${kestrel_terms}\n\n${kestrel_notices}")
install(FILES ${KESTREL_LICENSE_TEXT} DESTINATION .)
install(FILES ${CMAKE_SOURCE_DIR}/README.md DESTINATION . RENAME README.txt)

set(CPACK_PACKAGE_NAME Kestrel)
set(CPACK_PACKAGE_VENDOR Tarnwick)
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Test tool for thermal label printers")
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_FILE_NAME Kestrel-${PROJECT_VERSION}-win64)
set(CPACK_PACKAGE_INSTALL_DIRECTORY Kestrel)
set(CPACK_PACKAGE_INSTALL_REGISTRY_KEY "Kestrel ${PROJECT_VERSION}")
set(CPACK_RESOURCE_FILE_LICENSE ${KESTREL_LICENSE_TEXT})
set(CPACK_GENERATOR ZIP NSIS)
# Start menu: "Kestrel" starts kestrel.exe, which is at the top of the folder.
set(CPACK_PACKAGE_EXECUTABLES kestrel Kestrel)
set(CPACK_NSIS_EXECUTABLES_DIRECTORY .)
set(CPACK_NSIS_DISPLAY_NAME Kestrel)
set(CPACK_NSIS_PACKAGE_NAME Kestrel)
set(CPACK_NSIS_INSTALLED_ICON_NAME kestrel.exe)
set(CPACK_NSIS_MUI_ICON ${KESTREL_WINDOW_ICON})
set(CPACK_NSIS_MUI_UNIICON ${KESTREL_WINDOW_ICON})
set(CPACK_NSIS_INSTALL_ROOT "$PROGRAMFILES64")
set(CPACK_NSIS_MODIFY_PATH ON)
# A console that starts in the install folder with kestrel-cli's help.
set(CPACK_NSIS_CREATE_ICONS_EXTRA
    "  SetOutPath \"$INSTDIR\"
  CreateShortCut \"$SMPROGRAMS\\$STARTMENU_FOLDER\\Kestrel command prompt.lnk\" \"$SYSDIR\\cmd.exe\" \"/k kestrel-cli --help\" \"$INSTDIR\\kestrel-cli.exe\"")
set(CPACK_NSIS_DELETE_ICONS_EXTRA "  Delete \"$SMPROGRAMS\\$MUI_TEMP\\Kestrel command prompt.lnk\"")
# The uninstall entry's install location and size (in KiB, of the files the
# installer's first section puts down).
set(kestrel_uninstall_key "Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\${CPACK_PACKAGE_INSTALL_REGISTRY_KEY}")
set(CPACK_NSIS_EXTRA_INSTALL_COMMANDS
    "  WriteRegStr SHCTX \"${kestrel_uninstall_key}\" \"InstallLocation\" \"$INSTDIR\"
  SectionGetSize 0 $0
  WriteRegDWORD SHCTX \"${kestrel_uninstall_key}\" \"EstimatedSize\" $0")
# CMake's installer script puts $INSTDIR\bin on PATH; the programs are at the
# top of the folder, so this build's copy of the script puts $INSTDIR there.
file(READ ${CMAKE_ROOT}/Modules/Internal/CPack/NSIS.template.in nsis_template)
string(REPLACE "Push $INSTDIR\\bin" "Push $INSTDIR" nsis_template "${nsis_template}")
file(WRITE ${CMAKE_BINARY_DIR}/nsis/NSIS.template.in "${nsis_template}")
configure_file(${CMAKE_ROOT}/Modules/Internal/CPack/NSIS.InstallOptions.ini.in
               ${CMAKE_BINARY_DIR}/nsis/NSIS.InstallOptions.ini.in COPYONLY)
set(CPACK_MODULE_PATH ${CMAKE_BINARY_DIR}/nsis)
set(CPACK_STRIP_FILES ON)
# The installer script's texts reach CPack as written here.
set(CPACK_VERBATIM_VARIABLES ON)
include(CPack)
