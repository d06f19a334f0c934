# Installation into a prefix with the usual layout, and the Debian package.
#
# The program finds an installation by its layout (bin/ beside share/tavrin/, plug-ins in
# lib/tavrin/plugins/, see src/core/startup/InstallLayout.h), so these folders are fixed here
# rather than taken from GNUInstallDirs.
set(TAVRIN_INSTALL_DATA share/tavrin)
set(TAVRIN_INSTALL_PLUGINS lib/tavrin/plugins)
set(TAVRIN_APP_ID org.example.tavrin)

install(TARGETS tavrin tavrin-cli RUNTIME DESTINATION bin)
install(FILES ${TAVRIN_BIN_DIR}/tavrin.pal ${TAVRIN_BIN_DIR}/tavrin.dat
              ${TAVRIN_BIN_DIR}/tavrin.adf ${TAVRIN_BIN_DIR}/tavrin.chr
              ${TAVRIN_BIN_DIR}/tavrin.htm ${TAVRIN_BIN_DIR}/tavrin_en.htm
        DESTINATION ${TAVRIN_INSTALL_DATA})
# The samples are installed where nothing scans them, so that the three plug-in places stay
# free for the plug-ins a user chooses; lib/tavrin/plugins is the place for packaged ones.
install(TARGETS tavrin_plugin_packed2 tavrin_plugin_linear8 tavrin_plugin_snes8
        LIBRARY DESTINATION ${TAVRIN_INSTALL_DATA}/plugin-samples)
install(DIRECTORY DESTINATION ${TAVRIN_INSTALL_PLUGINS})
# For whoever writes a plug-in of their own: the interface, the block helper, the samples'
# sources and the guide.
install(FILES ${CMAKE_SOURCE_DIR}/plugins/tavrin_plugin.h
              ${CMAKE_SOURCE_DIR}/plugins/tavrin_plugin_block.h DESTINATION include/tavrin)
install(FILES ${CMAKE_SOURCE_DIR}/plugins/README.md ${CMAKE_SOURCE_DIR}/plugins/packed2.c
              ${CMAKE_SOURCE_DIR}/plugins/linear8.c ${CMAKE_SOURCE_DIR}/plugins/snes8.c
        DESTINATION ${TAVRIN_INSTALL_DATA}/plugin-samples)

# Desktop integration: the menu entry, the icon, the software-centre entry and the file types.
set(dist ${CMAKE_SOURCE_DIR}/dist)
install(FILES ${dist}/${TAVRIN_APP_ID}.desktop DESTINATION share/applications)
install(FILES ${dist}/${TAVRIN_APP_ID}.svg DESTINATION share/icons/hicolor/scalable/apps)
install(FILES ${dist}/${TAVRIN_APP_ID}.metainfo.xml DESTINATION share/metainfo)
install(FILES ${dist}/${TAVRIN_APP_ID}.mime.xml DESTINATION share/mime/packages
        RENAME ${TAVRIN_APP_ID}.xml)
install(FILES ${CMAKE_SOURCE_DIR}/README.md ${CMAKE_SOURCE_DIR}/LICENSE DESTINATION share/doc/tavrin)
# The Debian package states its licence in the usual place and form.
install(FILES ${dist}/copyright DESTINATION share/doc/tavrin)

# cpack -G DEB (scripts/package.sh): a package of the prefix /usr.
set(CPACK_PACKAGE_NAME tavrin)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_RESOURCE_FILE_LICENSE ${CMAKE_SOURCE_DIR}/LICENSE)
set(CPACK_PACKAGE_VENDOR "Tavrin")
set(CPACK_PACKAGE_CONTACT "Tavrin developers <tavrin@example.org>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Editor for tile graphics (CHR) inside ROM images")
set(CPACK_PACKAGE_DESCRIPTION
    "Tavrin opens any file as raw bytes, shows one page of it as 16 x 16 tiles in one of\n"
    "thirteen bit-plane formats of old game consoles, and writes every change straight back\n"
    "into the same bytes. The window speaks Japanese or English; tavrin-cli exports and\n"
    "imports pages for build scripts.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION graphics)
if(DEFINED TAVRIN_HOME_URL)
  set(CPACK_DEBIAN_PACKAGE_HOMEPAGE ${TAVRIN_HOME_URL})
endif()
# The libraries the programs link come from dpkg-shlibdeps; the window also needs Qt's
# platform plug-ins and the Japanese font it is laid out for.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "qt6-qpa-plugins, fonts-vlgothic")
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "shared-mime-info, desktop-file-utils")
include(CPack)

if(TAVRIN_TESTS)
  # Installs into a scratch root and runs the installed programs from there.
  add_test(NAME install_tree
           COMMAND bash ${CMAKE_SOURCE_DIR}/tests/install/install_tree_test.sh ${CMAKE_BINARY_DIR})
  set_tests_properties(install_tree PROPERTIES LABELS install TIMEOUT 120)
endif()
