# The Debian package, built by "make package" (cpack -G DEB in the build
# folder). The libraries the programs link are found by dpkg-shlibdeps;
# the packages they load at run time without linking them are named here:
# Qt's platform plugins (the window cannot open without one) and the JPEG
# library of the picture window. Desktop, icon and file-type caches are
# refreshed by the triggers of their own Debian packages, so the package
# needs no scripts and leaves nothing behind when removed.

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME velmo)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_CONTACT "Velmo-Entwickler <velmo@localhost>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Deutsche Textabenteuer spielen und schreiben")
set(CPACK_PACKAGE_DESCRIPTION [=[
Velmo spielt deutsche Textabenteuer, die in der Velmo-Sprache geschrieben
sind, im Fenster (velmo) oder im Terminal (velmo-term), und enthält die
Werkzeuge für Autoren: prüfen, compilieren, Texte herausziehen, Bilder
packen. Eine Beispielgeschichte mit der Bibliothek für Autoren liegt bei.]=])
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION games)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "qt6-qpa-plugins, libjpeg62-turbo")
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "qt6-translations-l10n, fonts-dejavu-core")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
include(CPack)
