# `make package`: a Debian package of what `make install` installs. Its
# dependencies are the shared libraries the program links (dpkg-shlibdeps)
# and what it loads or starts at run time: Qt's platform plugins for the
# window, Qt's own Italian texts for its dialogs (/usr/share/qt6/translations),
# and xdg-utils for opening the calendar and finding the PDF viewer. An
# Arial-metric font is recommended: the PDF names Arial without embedding it,
# and the page's layout was measured with Arial's widths.
include(GNUInstallDirs)
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME orvanta)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(ORVANTA_MAINTAINER "Gli sviluppatori di Orvanta <orvanta@example.org>")
set(ORVANTA_PACKAGE_RELEASE 1)
set(CPACK_PACKAGE_CONTACT ${ORVANTA_MAINTAINER})
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "calendario da parete di un anno in PDF")
string(JOIN "\n" CPACK_PACKAGE_DESCRIPTION
       "Orvanta crea un calendario da parete di un anno in PDF: dodici pagine A4"
       "con i testi in italiano, le festività, le fasi lunari, le effemeridi"
       "solari, i segni zodiacali, le immagini degli eventi, le note personali e"
       "il turno di lavoro. Funziona con una finestra o dalla riga di comando.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)

set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_RELEASE ${ORVANTA_PACKAGE_RELEASE})
set(CPACK_DEBIAN_PACKAGE_SECTION utils)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE https://www.example.org/orvanta/)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "qt6-qpa-plugins, qt6-translations-l10n, xdg-utils")
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "fonts-liberation2 | fonts-liberation | fonts-croscore")

# The package's changelog entry for this version, dated by the release date
# (gzip -n: the same bytes from every build).
execute_process(COMMAND date -u -R -d ${ORVANTA_RELEASE_DATE} OUTPUT_VARIABLE ORVANTA_CHANGELOG_DATE
                OUTPUT_STRIP_TRAILING_WHITESPACE COMMAND_ERROR_IS_FATAL ANY)
configure_file(${PROJECT_SOURCE_DIR}/data/changelog.Debian.in
               ${PROJECT_BINARY_DIR}/data/changelog.Debian @ONLY)
set(changelog ${PROJECT_BINARY_DIR}/data/changelog.Debian.gz)
add_custom_command(OUTPUT ${changelog}
                   COMMAND gzip -9 -n -c ${PROJECT_BINARY_DIR}/data/changelog.Debian > ${changelog}
                   DEPENDS ${PROJECT_BINARY_DIR}/data/changelog.Debian VERBATIM)
add_custom_target(orvanta_changelog ALL DEPENDS ${changelog})

# What only the package carries, beside what `make install` installs: the
# changelog, lintian's overrides, and a program and modules without the
# compiler's .comment section (as dh_strip leaves them).
set(CPACK_ORVANTA_CHANGELOG ${changelog})
set(CPACK_ORVANTA_LINTIAN_OVERRIDES ${PROJECT_SOURCE_DIR}/data/lintian-overrides)
set(CPACK_ORVANTA_OBJCOPY ${CMAKE_OBJCOPY})
set(CPACK_PRE_BUILD_SCRIPTS ${PROJECT_SOURCE_DIR}/cmake/PackageOnlyFiles.cmake)

include(CPack)
