# Pictures and help pages built into the program, and the files installed
# beside it.
include_guard(GLOBAL)
include(GNUInstallDirs)

target_sources(ombrel_ui PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/icons.qrc
  ${CMAKE_CURRENT_LIST_DIR}/help.qrc)

install(FILES ${CMAKE_CURRENT_LIST_DIR}/ombrel.desktop
  DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES ${CMAKE_CURRENT_LIST_DIR}/icons/ombrel.svg
  DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)
install(DIRECTORY ${CMAKE_CURRENT_LIST_DIR}/help/
  DESTINATION ${CMAKE_INSTALL_DATADIR}/ombrel/help)
# The pages also open in a web browser, so the pictures they show go with them.
install(DIRECTORY ${CMAKE_CURRENT_LIST_DIR}/icons/
  DESTINATION ${CMAKE_INSTALL_DATADIR}/ombrel/help/icons
  FILES_MATCHING PATTERN "*.svg")
