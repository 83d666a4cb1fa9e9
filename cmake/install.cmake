# Installation and the Debian package: the program in bin/, its licence and help pages in
# share/quorvel/ (where it looks beside ../share/quorvel/), the desktop entry, the icon and the
# AppStream metadata where desktops and software centres look for them.
include(GNUInstallDirs)
# Installing and packaging take the program as built (build the quorvel target first) rather
# than building every test program of the tree.
set(CMAKE_SKIP_INSTALL_ALL_DEPENDENCY ON)

install(TARGETS quorvel RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
install(DIRECTORY ${CMAKE_SOURCE_DIR}/share/ DESTINATION ${CMAKE_INSTALL_DATADIR}/quorvel)
install(FILES ${CMAKE_SOURCE_DIR}/packaging/quorvel.desktop
        DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES ${CMAKE_SOURCE_DIR}/packaging/quorvel.svg
        DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)
install(FILES ${CMAKE_SOURCE_DIR}/packaging/quorvel.metainfo.xml
        DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)

set(CPACK_PACKAGE_NAME quorvel)
set(CPACK_PACKAGE_VENDOR "Quorvel")
set(CPACK_PACKAGE_CONTACT "Quorvel developers <quorvel@localhost>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Bookkeeping for small businesses in New Zealand and Australia")
set(CPACK_PACKAGE_DESCRIPTION
    "Bank and cash entries coded to your own chart of accounts with their GST, reconciliation, recurring transactions, GST returns, budgets, financial reports, statement import and export for your accountant.")
set(CPACK_RESOURCE_FILE_LICENSE ${CMAKE_SOURCE_DIR}/share/License.txt)
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION office)
set(CPACK_STRIP_FILES ON)
# dpkg-shlibdeps names the package of every shared library the program links (Qt, SQLite,
# libxlsxwriter and any library added later), so the list never goes stale. Where it is
# missing the list below is declared instead; append a library's package to it when linking
# one more.
find_program(QUORVEL_DPKG_SHLIBDEPS dpkg-shlibdeps)
if(QUORVEL_DPKG_SHLIBDEPS)
  set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
else()
  set(QUORVEL_DEB_DEPENDS libqt6widgets6 libqt6printsupport6 libqt6charts6 libsqlite3-0
      libxlsxwriter4 libofx7)
  list(JOIN QUORVEL_DEB_DEPENDS ", " CPACK_DEBIAN_PACKAGE_DEPENDS)
endif()
set(CPACK_GENERATOR DEB)
include(CPack)

# The package built, inspected and started from its unpacked tree (a sanitizer build would
# declare the sanitizer's runtime libraries, so it is checked in the plain build only).
if(NOT QUORVEL_SANITIZE)
  add_test(NAME debian_package
           COMMAND ${CMAKE_SOURCE_DIR}/tests/app/package_check.sh ${CMAKE_BINARY_DIR}
                   $<TARGET_FILE:quorvel-sample>)
  set_tests_properties(debian_package PROPERTIES SKIP_RETURN_CODE 77 TIMEOUT 180)
endif()
