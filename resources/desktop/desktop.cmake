# What makes Ombrel a desktop program once installed: its desktop entry, the
# file type of calculation files, icons at the sizes menus ask for, the
# AppStream metainfo with a screenshot, manual pages and the shell
# completion of ombrel-calc. The pictures and pages are made by the build.
include_guard(GLOBAL)
include(GNUInstallDirs)

set(OMBREL_HOMEPAGE "https://www.brontel.com/ombrel" CACHE STRING "The program's web page, named in the metainfo")
set(OMBREL_SCREENSHOT_URL "${OMBREL_HOMEPAGE}/screenshots/main-window.png" CACHE STRING
    "Where the screenshot the build makes (share/ombrel/screenshots/main-window.png) is published")
set(desktop_dir ${CMAKE_CURRENT_LIST_DIR})
set(desktop_out ${CMAKE_BINARY_DIR}/desktop)

install(FILES ${desktop_dir}/ombrel.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES ${desktop_dir}/ombrel-mime.xml DESTINATION ${CMAKE_INSTALL_DATADIR}/mime/packages RENAME ombrel.xml)
install(FILES ${desktop_dir}/ombrel-calc.bash
  DESTINATION ${CMAKE_INSTALL_DATADIR}/bash-completion/completions RENAME ombrel-calc)

# The release date is the day the version was set, kept in the metainfo.
set(OMBREL_RELEASE_DATE 2026-12-11)
configure_file(${desktop_dir}/com.brontel.ombrel.metainfo.xml.in ${desktop_out}/com.brontel.ombrel.metainfo.xml @ONLY)
install(FILES ${desktop_out}/com.brontel.ombrel.metainfo.xml DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)

# Icons: the SVG the program already has, rendered with its own renderer.
set(ombrel_icon_sizes 16 22 24 32 48 64 128 256)
add_executable(render_icons ${desktop_dir}/render_icons.cpp ${PROJECT_SOURCE_DIR}/src/widgets/svg_picture.cpp)
target_include_directories(render_icons PRIVATE ${PROJECT_SOURCE_DIR}/src)
target_link_libraries(render_icons PRIVATE Qt6::Gui Qt6::Svg)
set(icon_files)
foreach(size IN LISTS ombrel_icon_sizes)
  list(APPEND icon_files ${desktop_out}/icons/${size}x${size}/apps/ombrel.png)
endforeach()
add_custom_command(OUTPUT ${icon_files}
  COMMAND ${CMAKE_COMMAND} -E env QT_QPA_PLATFORM=offscreen ASAN_OPTIONS=detect_leaks=0
          $<TARGET_FILE:render_icons> ${PROJECT_SOURCE_DIR}/resources/icons/ombrel.svg ${desktop_out}/icons
          ${ombrel_icon_sizes}
  DEPENDS render_icons ${PROJECT_SOURCE_DIR}/resources/icons/ombrel.svg
  COMMENT "Rendering the program's icons"
  VERBATIM)

# The screenshot: the real window, off screen, drawn at twice its size.
add_executable(make_screenshot ${desktop_dir}/make_screenshot.cpp)
target_link_libraries(make_screenshot PRIVATE ombrel_ui)
set(screenshot ${desktop_out}/main-window.png)
add_custom_command(OUTPUT ${screenshot}
  COMMAND ${CMAKE_COMMAND} -E env QT_QPA_PLATFORM=offscreen QT_SCALE_FACTOR=2 ASAN_OPTIONS=detect_leaks=0
          $<TARGET_FILE:make_screenshot> ${screenshot}
  DEPENDS make_screenshot
  COMMENT "Making the screenshot"
  VERBATIM)

# Manual pages from the programs' own --help and --version.
find_program(HELP2MAN help2man)
set(man_pages)
if(HELP2MAN)
  foreach(program ombrel ombrel-calc)
    if(program STREQUAL "ombrel")
      set(what "timecode calculator for video and film")
    else()
      set(what "compute with video and film timecodes on the command line")
    endif()
    add_custom_command(OUTPUT ${desktop_out}/man/${program}.1.gz
      COMMAND ${CMAKE_COMMAND} -E make_directory ${desktop_out}/man
      COMMAND ${HELP2MAN} --no-info --section 1 --name ${what} --output ${desktop_out}/man/${program}.1
              $<TARGET_FILE:${program}>
      # Compressed, as Debian installs manual pages; -n keeps the build repeatable.
      COMMAND gzip -9nf ${desktop_out}/man/${program}.1
      DEPENDS ${program}
      COMMENT "Writing the manual page of ${program}"
      VERBATIM)
    list(APPEND man_pages ${desktop_out}/man/${program}.1.gz)
  endforeach()
  install(FILES ${man_pages} DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
else()
  message(WARNING "help2man not found (scripts/install-packages installs it): no manual pages")
endif()

add_custom_target(desktop_files ALL DEPENDS ${icon_files} ${screenshot} ${man_pages})
install(DIRECTORY ${desktop_out}/icons/ DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor)
install(FILES ${screenshot} DESTINATION ${CMAKE_INSTALL_DATADIR}/ombrel/screenshots)
