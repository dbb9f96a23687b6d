# Pictures and help pages built into the program, and the files installed
# beside it.
include_guard(GLOBAL)
include(GNUInstallDirs)

target_sources(ombrel_ui PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/icons.qrc
  ${CMAKE_CURRENT_LIST_DIR}/help.qrc)

# The pictures the main window shows at start, rendered at build time at the
# pixel sizes it draws them there, so that starting parses no SVG. Pictures
# drawn at other sizes still render from their SVG.
set(ombrel_start_pictures
  calc_normal:90x33 calc_over:90x33 calc_down:90x33 trash_closed:32x32
  new:20x20 open:20x20 save:20x20 export:20x20 print:20x20 copy:20x20 paste:20x20 find:20x20 sort:20x20
  mini:20x20 exit:20x20 edit:20x20 clear:20x20 prog_f:20x20
  f1:20x20 f2:20x20 f3:20x20 f4:20x20 f5:20x20 f6:20x20 f7:20x20 f8:20x20 f9:20x20 f10:20x20 f11:20x20
  f12:20x20)
add_executable(prerender_pictures
  ${CMAKE_CURRENT_LIST_DIR}/prerender_pictures.cpp
  ${PROJECT_SOURCE_DIR}/src/widgets/svg_picture.cpp)
target_include_directories(prerender_pictures PRIVATE ${PROJECT_SOURCE_DIR}/src)
target_link_libraries(prerender_pictures PRIVATE Qt6::Gui Qt6::Svg)
set(prerendered_dir ${CMAKE_CURRENT_BINARY_DIR}/prerendered)
set(prerendered_files)
set(prerendered_svgs)
foreach(request IN LISTS ombrel_start_pictures)
  string(REGEX REPLACE "^(.*):(.*)$" "\\1-\\2.argb" pixels ${request})
  string(REGEX REPLACE ":.*$" ".svg" svg ${request})
  list(APPEND prerendered_files ${prerendered_dir}/${pixels})
  list(APPEND prerendered_svgs ${CMAKE_CURRENT_LIST_DIR}/icons/${svg})
endforeach()
add_custom_command(OUTPUT ${prerendered_files}
  COMMAND ${CMAKE_COMMAND} -E make_directory ${prerendered_dir}
  COMMAND ${CMAKE_COMMAND} -E env QT_QPA_PLATFORM=offscreen ASAN_OPTIONS=detect_leaks=0
          $<TARGET_FILE:prerender_pictures> ${prerendered_dir} ${CMAKE_CURRENT_LIST_DIR}/icons ${ombrel_start_pictures}
  DEPENDS prerender_pictures ${prerendered_svgs}
  COMMENT "Rendering the start pictures"
  VERBATIM)
# Kept uncompressed: the window reads them in place instead of unpacking each.
qt_add_resources(ombrel_ui prerendered_pictures PREFIX /icons/prerendered BASE ${prerendered_dir}
  OPTIONS --no-compress
  FILES ${prerendered_files})

install(FILES ${CMAKE_CURRENT_LIST_DIR}/icons/ombrel.svg
  DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)
install(DIRECTORY ${CMAKE_CURRENT_LIST_DIR}/help/
  DESTINATION ${CMAKE_INSTALL_DATADIR}/ombrel/help)
# The pages also open in a web browser, so the pictures they show go with them.
install(DIRECTORY ${CMAKE_CURRENT_LIST_DIR}/icons/
  DESTINATION ${CMAKE_INSTALL_DATADIR}/ombrel/help/icons
  FILES_MATCHING PATTERN "*.svg")

include(${CMAKE_CURRENT_LIST_DIR}/desktop/desktop.cmake)
