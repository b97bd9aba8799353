# `cmake --install` puts the program in bin/ and its data in share/fuzzlets, where it looks
# when started from a folder without the data.
install(TARGETS fuzzlets RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
install(DIRECTORY shader media DESTINATION ${CMAKE_INSTALL_DATADIR}/fuzzlets)

# `cpack -G DEB` builds fuzzlets_<version>_<arch>.deb, installing under /usr, with its dependencies
# worked out from the binaries by dpkg-shlibdeps.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION games)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE ${FUZZLETS_HOMEPAGE})
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
include(CPack)
