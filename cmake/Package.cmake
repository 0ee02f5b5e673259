# A Debian package of what the install rules lay out (scripts/package), its dependencies worked out from
# the shared libraries the program links (Debian's Qt GUI package brings the platform plugins along).
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME orvella)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_VENDOR "Orvella")
set(CPACK_PACKAGE_CONTACT "Zespół Orvella <kontakt@orvella.example>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "composes and prints monthly wall calendars")
# Wrapped as the control file shows it: CPack puts a space before each line.
string(JOIN "\n" CPACK_PACKAGE_DESCRIPTION
  "Orvella composes one landscape A4 page per month: a background picture,"
  "the month name and the year, a Monday-first grid of days with holidays"
  "or Polish name days. The page is previewed, printed or saved as PDF, one"
  "month or the whole year at once."
  ""
  "Themes (fonts, pictures, holidays) are edited in the program and saved as"
  "theme archives; four sample themes come with it. National holidays of"
  "many countries are added from holidays files. The interface speaks"
  "Polish, English and Spanish, and a command-line export writes PDF, PNG"
  "or JSON without a window.")
set(CPACK_RESOURCE_FILE_LICENSE ${PROJECT_SOURCE_DIR}/LICENSE)
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION graphics)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# The pages' faces: Liberation stands in for Arial and Times New Roman, DejaVu for the rest. Qt's own
# dialogs speak the interface's language with its translations.
set(CPACK_DEBIAN_PACKAGE_DEPENDS "fonts-liberation2, fonts-dejavu-core")
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "qt6-translations-l10n")
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE "https://orvella.example/")
set(CPACK_DEBIAN_COMPRESSION_TYPE xz)
include(CPack)
