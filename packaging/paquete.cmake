# CPack: the Debian package "qvr" and its debug symbols "qvr-dbgsym" (scripts/package makes them
# from the package preset).
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME qvr)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_VENDOR "QVR")
set(CPACK_PACKAGE_CONTACT "${QVR_MAINTAINER}")
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "${QVR_MAINTAINER}")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "annual income-tax return, form 0738, of the QVR suite")
# The extended description; CPack writes the summary above it and marks the blank line.
set(CPACK_PACKAGE_DESCRIPTION
    "The QVR declaration suite prepares, for one taxpayer, the annual income-tax
return of tax year 2003 (form 0738): every derived box is computed while
typing, the return is checked against the consistency rules, stored in the
suite's shared database (SQLite, or a PostgreSQL server), sent, and printed
through the suite's report spool and viewer.

The package holds the host window (orvelane), the interactive module
(Varnel), the table installer (Lotmira), the send-summary program (Oskeni)
and the batch tool varnel-cli.")
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION misc)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# Depends: what shlibdeps finds (Qt's libraries, with the X11 platform plugin in libqt6gui6) and
# what the programs load at run time to work at all: the SQLite driver of the default database
# and the reports' font (Liberation Mono where Courier New is missing: the printed layout is
# measured in it). Recommends: what the suite works without, as Debian's Qt programs do: Qt's
# own texts in Spanish (English without them), the Wayland platform (X11 through XWayland
# without it) and the PostgreSQL driver, which only a DBServer needs (the programs then say the
# package is missing).
set(CPACK_DEBIAN_PACKAGE_DEPENDS "libqt6sql6-sqlite, fonts-liberation")
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "libqt6sql6-psql, qt6-translations-l10n, qt6-wayland")
# The symbols go into qvr-dbgsym (usr/lib/debug/.build-id/), and CPackDeb strips the programs
# after taking them out (CPACK_STRIP_FILES would strip them first and leave nothing to take).
set(CPACK_DEBIAN_DEBUGINFO_PACKAGE ON)
set(CPACK_STRIP_FILES OFF)
# gzip, not xz: the debug package is some 130 MB of symbols, which xz takes minutes over.
set(CPACK_DEBIAN_COMPRESSION_TYPE gzip)
# The maintainer script: see its comment (apt-get purge after remove).
set(CPACK_DEBIAN_PACKAGE_CONTROL_EXTRA "${CMAKE_CURRENT_SOURCE_DIR}/debian/postrm")
# The package is made with owner root for every file, as dpkg expects.
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
include(CPack)
