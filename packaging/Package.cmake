# The Debian package, made by `cpack -G DEB` from the install rules: the viewer, the simulated cameras, the
# desktop entry, icons, software-centre entry, manual pages, copyright and changelog, all under /usr.
# Depends is computed by dpkg-shlibdeps from the libraries the programs link.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME tambrel)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_VENDOR "The Tambrel developers")
set(CPACK_PACKAGE_CONTACT "The Tambrel developers <${TAMBREL_CONTACT}>")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "viewer for up to nine network cameras")
set(CPACK_PACKAGE_DESCRIPTION
"Tambrel shows up to nine network cameras side by side in a grid. It asks
each camera for one JPEG snapshot at a time over plain HTTP, from 20
pictures a second down to one every 5 seconds.

It measures how much each picture changes, records captioned snapshots into
a folder per camera and per day (never, always, after motion, or inside a
daily time window), sends pan/tilt, preset, mirror and reboot commands, and
has a full-screen view with a digital zoom and an on-screen request log.

The package also holds tambrel-camsim, simulated cameras on 127.0.0.1 for
trying the viewer without a camera.")

# <name>_<version>_<architecture>.deb; a native package (no Debian revision), so its changelog is changelog.gz.
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION video)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)

include(CPack)
