# `cmake --install`: the program in bin/, its data in share/orvella/, and what the desktop needs to
# offer it: a menu entry, the icon in the hicolor theme, the file types of themes and holidays files.
# Installing and packaging take what the build made; they never start a build of their own (the
# package test runs beside the other tests).
set(CMAKE_SKIP_INSTALL_ALL_DEPENDENCY ON)
install(TARGETS orvella RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
# fonts/, images/, holidays/, lang/ and the loose pictures; the working folder is never installed.
install(DIRECTORY ${PROJECT_SOURCE_DIR}/data/ DESTINATION ${CMAKE_INSTALL_DATADIR}/orvella)
install(FILES ${PROJECT_SOURCE_DIR}/packaging/orvella.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES ${PROJECT_SOURCE_DIR}/packaging/orvella-mime.xml DESTINATION ${CMAKE_INSTALL_DATADIR}/mime/packages
        RENAME orvella.xml)
install(FILES ${PROJECT_SOURCE_DIR}/packaging/icons/orvella.svg
        DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)
foreach(size 16 24 32 48 64 128 256)
  install(FILES ${PROJECT_SOURCE_DIR}/packaging/icons/orvella-${size}.png
          DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps RENAME orvella.png)
endforeach()
install(FILES ${PROJECT_SOURCE_DIR}/packaging/copyright DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/orvella)
