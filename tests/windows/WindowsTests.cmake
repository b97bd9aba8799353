# The Windows build is tested from the Linux side: its executables run under Wine on the X
# display of the test run, all in one Wine prefix made for the run. Behaviour is tested on Linux;
# the tests here check what only the Windows build can get wrong: its platform code, its
# packages, the same pixels.
set(WINE_PREFIX ${CMAKE_BINARY_DIR}/wine-prefix)
# No Wine debugging chatter, no offer to download Mono or Gecko, which these programs do not
# use, and the LGPL DLLs found where the libraries were built, for the programs in the build tree.
set(WINE_ENVIRONMENT WINEPREFIX=${WINE_PREFIX} WINEDEBUG=-all "WINEDLLOVERRIDES=mscoree,mshtml="
  WINEPATH=Z:${FUZZLETS_WIN64_DEPS}/bin)
set(WINDOWS_TESTS ${CMAKE_CURRENT_LIST_DIR})

add_test(NAME WinePrefixCreate COMMAND ${WINDOWS_TESTS}/wine-prefix.sh create)
add_test(NAME WinePrefixRemove COMMAND ${WINDOWS_TESTS}/wine-prefix.sh remove)
set_tests_properties(WinePrefixCreate PROPERTIES FIXTURES_SETUP wine ENVIRONMENT "${WINE_ENVIRONMENT}")
set_tests_properties(WinePrefixRemove PROPERTIES FIXTURES_CLEANUP wine ENVIRONMENT "${WINE_ENVIRONMENT}")

# The packages `cmake --build build-win --target package` made (tools/windows/build-release.sh).
set(RELEASE_ZIP ${CMAKE_BINARY_DIR}/fuzzlets-${PROJECT_VERSION}-win64.zip)
set(RELEASE_SETUP ${CMAKE_BINARY_DIR}/fuzzlets-${PROJECT_VERSION}-win64-setup.exe)
add_test(NAME ReleaseZip COMMAND ${WINDOWS_TESTS}/release-zip.sh ${RELEASE_ZIP})
add_test(NAME ReleaseInstaller COMMAND ${WINDOWS_TESTS}/installer.sh ${RELEASE_SETUP} ${RELEASE_ZIP})
set(RELEASE_TESTS ReleaseZip ReleaseInstaller)
# The Linux build's capture tool draws the reference pictures.
set(FUZZLETS_LINUX_CAPTURE "" CACHE FILEPATH "fuzzlets-capture of a Linux build, for the pixel comparison")
if(FUZZLETS_LINUX_CAPTURE)
  add_test(NAME ReleaseCaptureMatchesLinux COMMAND ${WINDOWS_TESTS}/capture.sh ${RELEASE_ZIP} ${FUZZLETS_LINUX_CAPTURE})
  list(APPEND RELEASE_TESTS ReleaseCaptureMatchesLinux)
endif()
# They press keys and find windows by name on the shared display, so they run alone.
set_tests_properties(${RELEASE_TESTS} PROPERTIES FIXTURES_REQUIRED wine RUN_SERIAL TRUE TIMEOUT 900
  ENVIRONMENT "${WINE_ENVIRONMENT}")
