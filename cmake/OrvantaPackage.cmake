# `make package`: a Debian package of what `make install` installs. Its
# dependencies are the shared libraries the program links (dpkg-shlibdeps)
# and what it loads or starts at run time: Qt's platform plugins for the
# window, Qt's own Italian texts for its dialogs (/usr/share/qt6/translations),
# and xdg-utils for opening the calendar and finding the PDF viewer.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME orvanta)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_CONTACT "Gli sviluppatori di Orvanta <orvanta@example.org>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "calendario da parete di un anno in PDF")
string(JOIN "\n" CPACK_PACKAGE_DESCRIPTION
       "Orvanta crea un calendario da parete di un anno in PDF: dodici pagine A4"
       "con i testi in italiano, le festività, le fasi lunari, le effemeridi"
       "solari, i segni zodiacali, le immagini degli eventi, le note personali e"
       "il turno di lavoro. Funziona con una finestra o dalla riga di comando.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)

set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_RELEASE 1)
set(CPACK_DEBIAN_PACKAGE_SECTION utils)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE https://www.example.org/orvanta/)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "qt6-qpa-plugins, qt6-translations-l10n, xdg-utils")

include(CPack)
