# Ships the skins of resources/skins: ".ini" skins are copied with their sheets and images, each
# folder with a skin.qrc is built into "<folder>.ods" by rcc --binary. All go to "skins/" beside
# the editor.
set(TINTO_SKIN_SOURCE ${CMAKE_SOURCE_DIR}/resources/skins)
set(TINTO_SKIN_OUTPUT ${CMAKE_CURRENT_BINARY_DIR}/skins)
file(GLOB TINTO_STORED_SKINS CONFIGURE_DEPENDS ${TINTO_SKIN_SOURCE}/*.ini ${TINTO_SKIN_SOURCE}/*.qss
     ${TINTO_SKIN_SOURCE}/*.png)
file(GLOB TINTO_COMPRESSED_SKINS CONFIGURE_DEPENDS ${TINTO_SKIN_SOURCE}/*/skin.qrc)

set(TINTO_SKIN_FILES)
foreach(source ${TINTO_STORED_SKINS})
  get_filename_component(name ${source} NAME)
  add_custom_command(OUTPUT ${TINTO_SKIN_OUTPUT}/${name}
                     COMMAND ${CMAKE_COMMAND} -E copy ${source} ${TINTO_SKIN_OUTPUT}/${name}
                     DEPENDS ${source})
  list(APPEND TINTO_SKIN_FILES ${TINTO_SKIN_OUTPUT}/${name})
endforeach()
foreach(qrc ${TINTO_COMPRESSED_SKINS})
  get_filename_component(folder ${qrc} DIRECTORY)
  get_filename_component(name ${folder} NAME)
  file(GLOB inputs CONFIGURE_DEPENDS ${folder}/*)
  # zlib: every Qt build reads it back.
  add_custom_command(OUTPUT ${TINTO_SKIN_OUTPUT}/${name}.ods
                     COMMAND Qt6::rcc --binary --compress-algo zlib -o
                             ${TINTO_SKIN_OUTPUT}/${name}.ods ${qrc}
                     DEPENDS ${inputs} WORKING_DIRECTORY ${folder})
  list(APPEND TINTO_SKIN_FILES ${TINTO_SKIN_OUTPUT}/${name}.ods)
endforeach()
add_custom_target(tinto_skins ALL DEPENDS ${TINTO_SKIN_FILES})
add_dependencies(tinto-editor tinto_skins)
