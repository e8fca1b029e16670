# `cmake --install`: both programs, the desktop entry, the icon (SVG and PNGs drawn from it at
# build time), the MIME types, the AppStream metainfo, the shipped skins and the manual pages. Included from the
# top CMakeLists.txt once both programs are defined.
find_package(Qt6 6.4 REQUIRED COMPONENTS Gui Svg)

set(TINTO_APP_ID io.github.tinto.TintoEditor)
set(TINTO_DESKTOP_SOURCE ${CMAKE_SOURCE_DIR}/resources/desktop)
set(TINTO_ICON_SVG ${TINTO_DESKTOP_SOURCE}/${TINTO_APP_ID}.svg)
set(TINTO_ICON_SIZES 16 24 32 48 64 128 256)

add_executable(tinto_render_icon ${TINTO_DESKTOP_SOURCE}/render_icon.cpp)
target_link_libraries(tinto_render_icon PRIVATE Qt6::Gui Qt6::Svg)

set(TINTO_ICON_PNGS)
foreach(size ${TINTO_ICON_SIZES})
  set(png ${CMAKE_BINARY_DIR}/desktop/icons/${size}/${TINTO_APP_ID}.png)
  add_custom_command(OUTPUT ${png}
                     COMMAND ${CMAKE_COMMAND} -E make_directory ${CMAKE_BINARY_DIR}/desktop/icons/${size}
                     COMMAND tinto_render_icon ${TINTO_ICON_SVG} ${png} ${size}
                     DEPENDS tinto_render_icon ${TINTO_ICON_SVG})
  list(APPEND TINTO_ICON_PNGS ${png})
  install(FILES ${png} DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps)
endforeach()
add_custom_target(tinto_icons ALL DEPENDS ${TINTO_ICON_PNGS})

install(TARGETS tinto-editor tinto RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
install(FILES ${TINTO_ICON_SVG} DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)
install(FILES ${TINTO_DESKTOP_SOURCE}/${TINTO_APP_ID}.desktop
        DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES ${TINTO_DESKTOP_SOURCE}/${TINTO_APP_ID}.xml
        DESTINATION ${CMAKE_INSTALL_DATADIR}/mime/packages)
install(FILES ${TINTO_DESKTOP_SOURCE}/${TINTO_APP_ID}.metainfo.xml
        DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
install(DIRECTORY ${CMAKE_BINARY_DIR}/src/app/skins/ DESTINATION ${TINTO_INSTALLED_SKINS})
install(FILES ${CMAKE_SOURCE_DIR}/resources/man/tinto.1 ${CMAKE_SOURCE_DIR}/resources/man/tinto-editor.1
        DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
