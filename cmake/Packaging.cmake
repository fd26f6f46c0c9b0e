# Installation into the usual places and a .deb through CPack:
#   cmake --install <build>            (prefix from CMAKE_INSTALL_PREFIX)
#   cpack --config <build>/CPackConfig.cmake
# scripts/package.sh does both for a release build.
include(GNUInstallDirs)

set(PAGERBENCH_INSTALLED_PROGRAMS pagerbench)
if(TARGET pagerbench-unitsim)
  install(TARGETS pagerbench-unitsim RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
  list(APPEND PAGERBENCH_INSTALLED_PROGRAMS pagerbench-unitsim)
endif()
if(TARGET pagerbench-cli)
  install(TARGETS pagerbench-cli RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
  list(APPEND PAGERBENCH_INSTALLED_PROGRAMS pagerbench-cli)
  install(FILES ${PROJECT_SOURCE_DIR}/man/pagerbench-cli.1 DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
endif()
# The Qt libraries come from the system's library path; an installed program
# carries no search path of its own.
set_target_properties(${PAGERBENCH_INSTALLED_PROGRAMS} PROPERTIES INSTALL_RPATH "")
install(FILES ${PROJECT_SOURCE_DIR}/packaging/pagerbench.desktop
  DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES ${PROJECT_SOURCE_DIR}/packaging/pagerbench.png
  DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/128x128/apps)

# cpack refuses files that name the build folder, as the programs of a build
# made for development (PAGERBENCH_DEVELOPMENT) do.
set(CPACK_PAGERBENCH_BUILD_DIR ${CMAKE_BINARY_DIR})
set(CPACK_PRE_BUILD_SCRIPTS ${PROJECT_SOURCE_DIR}/cmake/NoBuildPathInPackage.cmake)

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME pagerbench)
set(CPACK_PACKAGE_VENDOR "pagerbench.example")
set(CPACK_PACKAGE_CONTACT "Pagerbench <support@pagerbench.example>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Configuration and service tool for paging protocol converter units")
set(CPACK_PACKAGE_DESCRIPTION
  "Reads the settings of a protocol converter unit over its serial diagnose port, writes them back, keeps them in settings files, sends test calls and logs every exchange.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION electronics)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE "https://pagerbench.example")
# What no library names: pagerbench-cli report lays its text out on Qt's
# minimal platform plugin, which libqt6gui6 holds, and names Arial, which
# fontconfig gives as Liberation Sans. Shlibdeps adds the libraries to these.
set(CPACK_DEBIAN_PACKAGE_DEPENDS "libqt6gui6, fonts-liberation")
find_program(PAGERBENCH_DPKG_SHLIBDEPS dpkg-shlibdeps)
if(PAGERBENCH_DPKG_SHLIBDEPS)
  set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
else()
  string(APPEND CPACK_DEBIAN_PACKAGE_DEPENDS
    ", libqt6core6, libqt6widgets6, libqt6serialport6, libqt6network6, libstdc++6, libc6")
endif()
include(CPack)
