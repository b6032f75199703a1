# CPack: the Debian package "qvr" (scripts/package makes it from the package preset).
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME qvr)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_VENDOR "QVR")
set(CPACK_PACKAGE_CONTACT "QVR 0738 <qvr0738@example.org>" CACHE STRING "Maintainer of the Debian package")
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
# Loaded at run time, which shlibdeps cannot see: the database drivers, the X11 platform plugin
# (in libqt6gui6, which shlibdeps finds), Qt's translations and the reports' font.
set(CPACK_DEBIAN_PACKAGE_DEPENDS
    "libqt6sql6-sqlite, libqt6sql6-psql, qt6-translations-l10n, fonts-liberation")
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_COMPRESSION_TYPE xz)
# The package is made with owner root for every file, as dpkg expects.
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
include(CPack)
