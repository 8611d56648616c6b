# A Debian package made by CPack (scripts/package). Library dependencies are
# computed from the program's shared libraries by dpkg-shlibdeps.
if(UNIX AND NOT APPLE)
  install(FILES ${CMAKE_SOURCE_DIR}/packaging/copyright DESTINATION share/doc/quirevale)
  set(changelog_gz ${CMAKE_BINARY_DIR}/changelog.gz)
  add_custom_command(
    OUTPUT ${changelog_gz}
    COMMAND gzip -9n -c ${CMAKE_SOURCE_DIR}/packaging/changelog > ${changelog_gz}
    DEPENDS ${CMAKE_SOURCE_DIR}/packaging/changelog
    VERBATIM)
  add_custom_target(qv_changelog ALL DEPENDS ${changelog_gz})
  install(FILES ${changelog_gz} DESTINATION share/doc/quirevale)
endif()

set(CPACK_PACKAGE_NAME quirevale)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_CONTACT "The Quirevale developers <developers@quirevale.org>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "photo album viewer and editor that shows albums as books")
set(CPACK_PACKAGE_DESCRIPTION
    "Quirevale shows a photo album as a book in a window of its own shape, with\n\
chapters, bookmarks and a grid of thumbnails with their titles, dates, places\n\
and people on every page. Pictures can be added, moved and described, and the\n\
album's look designed. Albums open the same on Linux and Windows.")
set(CPACK_DEBIAN_PACKAGE_SECTION graphics)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# Qt finds its platform plugins here at run time; its GIF and JPEG readers come
# with libqt6gui6, which the libraries' own dependencies bring. Qt Svg is only
# for rendering the icon's PNG sizes at build time.
set(CPACK_DEBIAN_PACKAGE_DEPENDS "qt6-qpa-plugins, fonts-liberation2")
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "fonts-droid-fallback")
set(CPACK_STRIP_FILES ON)
set(CPACK_GENERATOR DEB)
include(CPack)

if(UNIX AND NOT APPLE)
  set(manpage_gz ${CMAKE_BINARY_DIR}/quirevale.1.gz)
  add_custom_command(
    OUTPUT ${manpage_gz}
    COMMAND gzip -9n -c ${CMAKE_SOURCE_DIR}/packaging/quirevale.1 > ${manpage_gz}
    DEPENDS ${CMAKE_SOURCE_DIR}/packaging/quirevale.1
    VERBATIM)
  add_custom_target(qv_manpage ALL DEPENDS ${manpage_gz})
  install(FILES ${manpage_gz} DESTINATION share/man/man1)
endif()
