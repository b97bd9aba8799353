# The Windows release: one folder with the programs at the top and their data beside them, as a
# zip and as an NSIS installer (`cmake --build build-win --target package`).
#
# Every library is linked in statically, the MinGW runtime too, except the ones under the LGPL:
# libsndfile and the MP3 libraries it loads sit beside the programs as DLLs, so that a user can
# replace them with builds of their own.
set(FUZZLETS_WIN64_DEPS "" CACHE PATH "Prefix of the cross-built libraries (tools/windows/build-deps.sh)")
set(FUZZLETS_LGPL_DLLS libsndfile-1.dll libmpg123.dll libmp3lame-0.dll)

install(TARGETS fuzzlets fuzzlets-capture RUNTIME DESTINATION .)
install(DIRECTORY shader media DESTINATION .)
foreach(dll ${FUZZLETS_LGPL_DLLS})
  install(FILES ${FUZZLETS_WIN64_DEPS}/bin/${dll} DESTINATION .)
endforeach()
# Notepad-friendly line ends for the one file a Windows user opens first.
configure_file(desktop/windows/README.txt.in README.txt @ONLY NEWLINE_STYLE WIN32)
install(FILES ${CMAKE_CURRENT_BINARY_DIR}/README.txt DESTINATION .)
# Each bundled library's licence, and which Debian source package each was built from.
install(DIRECTORY ${FUZZLETS_WIN64_DEPS}/share/licenses/ DESTINATION licenses)
install(FILES ${FUZZLETS_WIN64_DEPS}/VERSIONS DESTINATION licenses RENAME debian-sources.txt)
install(FILES desktop/windows/NOTICE.txt DESTINATION licenses)

set(CPACK_GENERATOR ZIP NSIS)
set(CPACK_PACKAGE_VENDOR Fuzzlets)
set(CPACK_PACKAGE_FILE_NAME fuzzlets-${PROJECT_VERSION}-win64)
set(CPACK_PACKAGE_INSTALL_DIRECTORY Fuzzlets)
set(CPACK_PACKAGE_INSTALL_REGISTRY_KEY Fuzzlets)
# The installer gets its own name: fuzzlets-<version>-win64-setup.exe.
set(CPACK_PROJECT_CONFIG_FILE ${CMAKE_SOURCE_DIR}/desktop/windows/CPackPerGenerator.cmake)
set(CPACK_RESOURCE_FILE_LICENSE ${CMAKE_SOURCE_DIR}/desktop/windows/NOTICE.txt)

set(CPACK_NSIS_PACKAGE_NAME Fuzzlets)
set(CPACK_NSIS_DISPLAY_NAME Fuzzlets)
set(CPACK_NSIS_INSTALL_ROOT "$PROGRAMFILES64")
# A 64-bit installer, like the program: NSIS makes 32-bit ones unless told, and those need the
# 32-bit half of Windows (which Wine without wine32 does not have).
set(CPACK_NSIS_DEFINES "Target amd64-unicode")
set(CPACK_NSIS_ENABLE_UNINSTALL_BEFORE_INSTALL ON)
set(CPACK_NSIS_MUI_ICON ${FUZZLETS_ICON})
set(CPACK_NSIS_MUI_UNIICON ${FUZZLETS_ICON})
set(CPACK_NSIS_INSTALLED_ICON_NAME fuzzlets.exe)
# The Start-menu entry starts the program in the Pictures folder, where F12 can write (the
# program folder is read-only for users).
# (NSIS takes single quotes; CPack would mangle double ones.)
set(CPACK_NSIS_CREATE_ICONS_EXTRA "
  SetOutPath '$PICTURES'
  CreateShortCut '$SMPROGRAMS\\$STARTMENU_FOLDER\\Fuzzlets.lnk' '$INSTDIR\\fuzzlets.exe'
  CreateShortCut '$SMPROGRAMS\\$STARTMENU_FOLDER\\Fuzzlets README.lnk' '$INSTDIR\\README.txt'
  SetOutPath '$INSTDIR'")
set(CPACK_NSIS_DELETE_ICONS_EXTRA "
  Delete '$SMPROGRAMS\\$MUI_TEMP\\Fuzzlets.lnk'
  Delete '$SMPROGRAMS\\$MUI_TEMP\\Fuzzlets README.lnk'")
# CPack's uninstaller would leave the vendor key Software\Fuzzlets behind, empty.
set(CPACK_NSIS_EXTRA_UNINSTALL_COMMANDS "
  DeleteRegKey SHCTX 'Software\\Fuzzlets\\Fuzzlets'
  DeleteRegKey /ifempty SHCTX 'Software\\Fuzzlets'")
# Written into CPackConfig.cmake escaped, so that NSIS gets the backslashes above as they stand.
set(CPACK_VERBATIM_VARIABLES ON)
include(CPack)
