# The Debian package, made by cpack in the build folder (scripts/package.sh):
# everything `cmake --install` puts in place, under /usr, plus the Debian documents.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME mitra)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_CONTACT "ミトラ maintainers <maintainers@mitra.example>" CACHE STRING "The package's Maintainer field")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "fare display board of a Japanese route bus")
# The synopsis is the summary above; cpack indents these lines and marks the empty one.
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION "Mitra (ミトラ) puts the fare display board of a Japanese route bus on the
screen: the board passengers see, with 32 ticket numbers, the fare under each
and a dot-matrix strip with the next stop, and the driver's control panel that
sets the route and section, steps stop by stop and switches late-night fares,
the backlight, chimes and spoken announcements.

Demo routes, chimes and ticket designs are included, with hy3tool (routes
from spreadsheets and GTFS-JP feeds) and 4sptool (ticket designs).")
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE ${MITRA_HOMEPAGE})
# The speech voice is in the archive's contrib component, so the package is too.
set(CPACK_DEBIAN_PACKAGE_SECTION contrib/misc)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_STRIP_FILES ON)
# Library dependencies as dpkg-shlibdeps finds them, then what is loaded or read at
# run time and no linker sees: the windowing plug-in, the fonts of the board and the
# captions, the MIDI soundfont, and Open JTalk with its dictionary and voice. The
# stop-name strip's bitmap font is an X font package, which Debian lets a program
# only recommend; without it the strip draws its dots from the IPA fonts.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS
  "qt6-qpa-plugins, fonts-ipafont-gothic, fonts-ipafont-mincho, timgm6mb-soundfont | sf2-soundfont-gm, open-jtalk, open-jtalk-mecab-naist-jdic, hts-voice-nitech-jp-atr503-m001")
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "xfonts-shinonome, qt6-translations-l10n")
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)

# Debian wants a copyright file and a compressed changelog in the package's doc folder.
set(doc ${CMAKE_CURRENT_BINARY_DIR}/doc)
add_custom_command(OUTPUT ${doc}/changelog.gz
  COMMAND ${CMAKE_COMMAND} -E make_directory ${doc}
  COMMAND gzip -9nc ${CMAKE_CURRENT_SOURCE_DIR}/debian/changelog > ${doc}/changelog.gz
  DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/debian/changelog VERBATIM)
add_custom_target(mitra_package_docs ALL DEPENDS ${doc}/changelog.gz)
add_dependencies(mitra_desktop_files mitra_package_docs)
install(FILES ${CMAKE_CURRENT_SOURCE_DIR}/debian/copyright ${doc}/changelog.gz
  DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/mitra)

include(CPack)
