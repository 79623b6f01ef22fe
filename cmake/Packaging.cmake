# Install rules and the Debian package (CPack's DEB generator):
#   cmake --build BUILD --target package   ->  BUILD/velmora_VERSION_ARCH.deb
# Everything installed goes into the package; documents installed into
# ${CMAKE_INSTALL_DOCDIR} (share/doc/velmora) by any folder land there too.

set(velmora_desktop_id com.example.Velmora)
set(velmora_desktop_folder ${PROJECT_SOURCE_DIR}/resources/desktop)

# The programs and the manual install themselves (src/app/*/CMakeLists.txt).

install(FILES ${velmora_desktop_folder}/${velmora_desktop_id}.desktop
        DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
configure_file(${velmora_desktop_folder}/${velmora_desktop_id}.metainfo.xml.in
               ${CMAKE_BINARY_DIR}/packaging/${velmora_desktop_id}.metainfo.xml @ONLY)
install(FILES ${CMAKE_BINARY_DIR}/packaging/${velmora_desktop_id}.metainfo.xml
        DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
install(FILES ${velmora_desktop_folder}/velmora.svg
        DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)
foreach(size 16 22 24 32 48 64 128 256)
    install(FILES ${velmora_desktop_folder}/icons/${size}x${size}/velmora.png
            DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps)
endforeach()

# Manual pages and the changelog, with the release's version and date,
# compressed as Debian keeps them. The changelog wants the date as RFC 5322
# writes it (noon UTC of the release day).
set(VELMORA_PACKAGE_VERSION ${PROJECT_VERSION}-${VELMORA_DEBIAN_REVISION})
execute_process(COMMAND ${CMAKE_COMMAND} -E env LC_ALL=C date -u -R -d "${VELMORA_RELEASE_DATE} 12:00 UTC"
                OUTPUT_VARIABLE VELMORA_RELEASE_DATE_RFC5322 OUTPUT_STRIP_TRAILING_WHITESPACE
                COMMAND_ERROR_IS_FATAL ANY)
configure_file(${PROJECT_SOURCE_DIR}/packaging/changelog.in ${CMAKE_BINARY_DIR}/packaging/changelog @ONLY)
configure_file(${PROJECT_SOURCE_DIR}/docs/man/velmora.1.in ${CMAKE_BINARY_DIR}/packaging/velmora.1 @ONLY)
configure_file(${PROJECT_SOURCE_DIR}/docs/man/velmora-cli.1.in ${CMAKE_BINARY_DIR}/packaging/velmora-cli.1 @ONLY)
set(velmora_compressed_docs)
foreach(source IN ITEMS ${CMAKE_BINARY_DIR}/packaging/velmora.1 ${CMAKE_BINARY_DIR}/packaging/velmora-cli.1
                        ${CMAKE_BINARY_DIR}/packaging/changelog)
    get_filename_component(name ${source} NAME)
    set(compressed ${CMAKE_BINARY_DIR}/packaging/${name}.gz)
    add_custom_command(OUTPUT ${compressed}
                       COMMAND gzip -9 -n -c ${source} > ${compressed}
                       DEPENDS ${source} VERBATIM)
    list(APPEND velmora_compressed_docs ${compressed})
endforeach()
add_custom_target(velmora_compressed_docs ALL DEPENDS ${velmora_compressed_docs})
install(FILES ${CMAKE_BINARY_DIR}/packaging/velmora.1.gz ${CMAKE_BINARY_DIR}/packaging/velmora-cli.1.gz
        DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
# A package with a Debian revision keeps its changelog as changelog.Debian.
install(FILES ${CMAKE_BINARY_DIR}/packaging/changelog.gz DESTINATION ${CMAKE_INSTALL_DOCDIR}
        RENAME changelog.Debian.gz)
install(FILES ${PROJECT_SOURCE_DIR}/packaging/copyright DESTINATION ${CMAKE_INSTALL_DOCDIR})
# Velmora is not uploaded to Debian: its first changelog entry closes no ITP bug.
install(FILES ${PROJECT_SOURCE_DIR}/packaging/lintian-overrides DESTINATION ${CMAKE_INSTALL_DATADIR}/lintian/overrides
        RENAME velmora)
# The manual lives in the program's data folder; the documentation folder,
# where a reader looks for it, links to it.
get_filename_component(velmora_manual_name ${VELMORA_MANUAL_PDF} NAME)
file(RELATIVE_PATH velmora_manual_from_docs "/prefix/${CMAKE_INSTALL_DOCDIR}"
     "/prefix/${VELMORA_INSTALL_MANUALDIR}/${velmora_manual_name}")
file(CREATE_LINK ${velmora_manual_from_docs} ${CMAKE_BINARY_DIR}/packaging/${velmora_manual_name} SYMBOLIC)
install(FILES ${CMAKE_BINARY_DIR}/packaging/${velmora_manual_name} DESTINATION ${CMAKE_INSTALL_DOCDIR})

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME velmora)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_DEBIAN_PACKAGE_RELEASE ${VELMORA_DEBIAN_REVISION})
set(CPACK_PACKAGE_VENDOR "The Velmora developers")
set(CPACK_PACKAGE_CONTACT "The Velmora developers <velmora@example.com>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Chicago design-storm hyetographs from a storm-intensity formula")
set(CPACK_PACKAGE_DESCRIPTION
    "Velmora builds the Chicago design-storm hyetograph from a local\n\
storm-intensity formula and the design values (return period, duration,\n\
peak-position ratio and step), minute by minute, for storm-water engineers\n\
who put the rainfall into models and reports. It shows the table, the chart\n\
and the totals, and writes them out as storm files, CSV, SWMM rainfall\n\
files, pictures and Office documents.\n\
.\n\
The package holds the window (velmora) and the command line (velmora-cli)\n\
for scripts and batch work.")
set(CPACK_PACKAGE_HOMEPAGE_URL ${VELMORA_MAKER_ADDRESS})
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION science)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
# The libraries from dpkg-shlibdeps (libqt6gui6 holds the xcb and offscreen
# platforms the window runs on); beside them the Chinese glyphs and Qt's own
# texts in Chinese, which no binary links. xdg-open opens the manual, the
# written files and the maker's pages; without it the program says so.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS
    "fonts-wqy-zenhei, fonts-liberation2, fonts-arphic-uming, qt6-translations-l10n")
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "xdg-utils")
include(CPack)
