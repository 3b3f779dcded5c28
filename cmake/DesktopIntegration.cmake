# SPDX-License-Identifier: MIT
# What a desktop needs besides the program: the desktop entry, AppStream
# metainfo, the icon in the hicolor theme, manual pages, licence and
# changelog. Included from the top-level CMakeLists.txt.

set(RUNNETLUME_HOMEPAGE "https://runnetlume.org"
  CACHE STRING "The project's home page, named in the AppStream metainfo")
set(RUNNETLUME_SCREENSHOTS_URL "https://runnetlume.org/screens/en"
  CACHE STRING "Where docs/screens/en/*.png are published, for the AppStream metainfo")
set(RUNNETLUME_RELEASE_MONTH "December 2026")

set(desktop_source ${CMAKE_SOURCE_DIR}/resources/desktop)
set(desktop_build ${CMAKE_BINARY_DIR}/desktop)
configure_file(${desktop_source}/org.runnetlume.Assistant.metainfo.xml.in
  ${desktop_build}/org.runnetlume.Assistant.metainfo.xml @ONLY)

# Manual pages, compressed as Debian's policy wants them (-n: no time stamp,
# so the package is reproducible).
set(man_outputs)
foreach(page runNetlume.1 runNetlume-check.1)
  configure_file(${CMAKE_SOURCE_DIR}/docs/man/${page}.in ${desktop_build}/${page} @ONLY)
  add_custom_command(OUTPUT ${desktop_build}/${page}.gz
    COMMAND gzip -9n -c ${desktop_build}/${page} > ${desktop_build}/${page}.gz
    DEPENDS ${desktop_build}/${page}
    COMMENT "Compressing ${page}")
  list(APPEND man_outputs ${desktop_build}/${page}.gz)
endforeach()
add_custom_command(OUTPUT ${desktop_build}/changelog.gz
  COMMAND gzip -9n -c ${CMAKE_SOURCE_DIR}/packaging/changelog > ${desktop_build}/changelog.gz
  DEPENDS ${CMAKE_SOURCE_DIR}/packaging/changelog
  COMMENT "Compressing the changelog")
add_custom_target(runnetlume_desktop ALL DEPENDS ${man_outputs} ${desktop_build}/changelog.gz)

install(FILES ${desktop_source}/org.runnetlume.Assistant.desktop
  DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES ${desktop_build}/org.runnetlume.Assistant.metainfo.xml
  DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
install(FILES ${desktop_source}/org.runnetlume.Assistant.svg
  DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)
install(FILES ${man_outputs} DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
install(FILES ${CMAKE_SOURCE_DIR}/packaging/copyright ${desktop_build}/changelog.gz
  DESTINATION ${CMAKE_INSTALL_DOCDIR})
