# Installed like a native application: the program, the desktop entry, the
# icon in the hicolor theme (SVG and PNG sizes) and the AppStream metadata;
# cli/ installs the command-line tool. `cpack -G DEB` packs the same files.
include(GNUInstallDirs)
set(HUSHLAKE_APP_ID org.varnel.Hushlake)
set(HUSHLAKE_DESKTOP_DIR ${CMAKE_CURRENT_SOURCE_DIR}/desktop)

install(TARGETS hushlake RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
install(FILES ${HUSHLAKE_DESKTOP_DIR}/${HUSHLAKE_APP_ID}.desktop
  DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
configure_file(${HUSHLAKE_DESKTOP_DIR}/${HUSHLAKE_APP_ID}.metainfo.xml
  ${CMAKE_CURRENT_BINARY_DIR}/${HUSHLAKE_APP_ID}.metainfo.xml @ONLY)
install(FILES ${CMAKE_CURRENT_BINARY_DIR}/${HUSHLAKE_APP_ID}.metainfo.xml
  DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
install(FILES ${HUSHLAKE_DESKTOP_DIR}/${HUSHLAKE_APP_ID}.svg
  DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)

# PNG sizes rendered from the SVG at build time, by Qt's own SVG renderer.
add_executable(hushlake_render_icon ${HUSHLAKE_DESKTOP_DIR}/render_icon.cpp)
target_link_libraries(hushlake_render_icon PRIVATE Qt6::Gui Qt6::Svg)
hushlake_strict(hushlake_render_icon)
set(HUSHLAKE_ICON_PNGS)
foreach(size 16 24 32 48 64 128 256)
  set(png ${CMAKE_CURRENT_BINARY_DIR}/icons/${size}x${size}/${HUSHLAKE_APP_ID}.png)
  add_custom_command(OUTPUT ${png}
    COMMAND ${CMAKE_COMMAND} -E make_directory ${CMAKE_CURRENT_BINARY_DIR}/icons/${size}x${size}
    COMMAND ${CMAKE_COMMAND} -E env QT_QPA_PLATFORM=offscreen
      $<TARGET_FILE:hushlake_render_icon> ${HUSHLAKE_DESKTOP_DIR}/${HUSHLAKE_APP_ID}.svg ${size} ${png}
    DEPENDS hushlake_render_icon ${HUSHLAKE_DESKTOP_DIR}/${HUSHLAKE_APP_ID}.svg
    COMMENT "Rendering the ${size} pixel application icon" VERBATIM)
  list(APPEND HUSHLAKE_ICON_PNGS ${png})
  install(FILES ${png} DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps)
endforeach()
add_custom_target(hushlake_icons ALL DEPENDS ${HUSHLAKE_ICON_PNGS})

# The Debian package: dependencies come from the libraries the programs link.
set(CPACK_PACKAGE_NAME hushlake)
set(CPACK_PACKAGE_VENDOR Varnel)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Hide a text inside a BMP or PNG picture and read it back")
set(CPACK_PACKAGE_DESCRIPTION
  "Hushlake hides a text inside an 8-, 24- or 32-bit BMP picture, or a palette, RGB or RGBA PNG picture, under a key and reads it back; for true-colour pictures the text is enciphered first. Desktop application and command-line tool.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_PACKAGE_CONTACT "Hushlake <hushlake@varnel.org>")
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "Hushlake <hushlake@varnel.org>")
set(CPACK_DEBIAN_PACKAGE_SECTION utils)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# Qt's SVG library (our icon engine draws with it) is found by that scan
# like the others; naming it here as well listed it twice.
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_STRIP_FILES ON)
# The licence, in Debian's machine-readable form, where Debian keeps it.
install(FILES ${HUSHLAKE_DESKTOP_DIR}/copyright
  DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/hushlake)
include(CPack)
