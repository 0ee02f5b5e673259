# `cmake --install`: the program in bin/, its data in share/orvella/, and what the desktop needs to
# offer it: a menu entry, the icon in the hicolor theme, the file types of themes and holidays files.
# Installing and packaging take what the build made; they never start a build of their own (the
# package test runs beside the other tests).
set(CMAKE_SKIP_INSTALL_ALL_DEPENDENCY ON)
install(TARGETS orvella RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
# fonts/, images/, holidays/, lang/, themes/ and the loose pictures; the working folder is never installed.
# The user guide goes with the documentation.
install(DIRECTORY ${PROJECT_SOURCE_DIR}/data/ DESTINATION ${CMAKE_INSTALL_DATADIR}/orvella PATTERN guide EXCLUDE)
install(DIRECTORY ${PROJECT_SOURCE_DIR}/data/guide/ DESTINATION ${ORVELLA_DOC_DIR}/guide)
install(FILES ${PROJECT_SOURCE_DIR}/packaging/orvella.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES ${PROJECT_SOURCE_DIR}/packaging/orvella-mime.xml DESTINATION ${CMAKE_INSTALL_DATADIR}/mime/packages
        RENAME orvella.xml)
install(FILES ${PROJECT_SOURCE_DIR}/packaging/icons/orvella.svg
        DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)
foreach(size 16 24 32 48 64 128 256)
  install(FILES ${PROJECT_SOURCE_DIR}/packaging/icons/orvella-${size}.png
          DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps RENAME orvella.png)
endforeach()
install(FILES ${PROJECT_SOURCE_DIR}/packaging/copyright DESTINATION ${ORVELLA_DOC_DIR})

# The manual page and the changelog, compressed as Debian keeps them: without a name or a time in the
# header, so that the same text gives the same bytes.
set(ORVELLA_DOCS_DIR ${CMAKE_BINARY_DIR}/packaging)
foreach(doc orvella.1 changelog)
  add_custom_command(OUTPUT ${ORVELLA_DOCS_DIR}/${doc}.gz
    COMMAND ${CMAKE_COMMAND} -E make_directory ${ORVELLA_DOCS_DIR}
    COMMAND sh -c "gzip -9n -c '${PROJECT_SOURCE_DIR}/packaging/${doc}' > '${ORVELLA_DOCS_DIR}/${doc}.gz'"
    DEPENDS ${PROJECT_SOURCE_DIR}/packaging/${doc} VERBATIM)
endforeach()
add_custom_target(orvella_docs ALL DEPENDS ${ORVELLA_DOCS_DIR}/orvella.1.gz ${ORVELLA_DOCS_DIR}/changelog.gz)
install(FILES ${ORVELLA_DOCS_DIR}/orvella.1.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
install(FILES ${ORVELLA_DOCS_DIR}/changelog.gz DESTINATION ${ORVELLA_DOC_DIR})
# Software centres find the program by this file, named after the id it holds.
install(FILES ${PROJECT_SOURCE_DIR}/packaging/orvella.metainfo.xml DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo
        RENAME example.orvella.Orvella.metainfo.xml)
