target_sources(ombrel_ui PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/am_edit.h
  ${CMAKE_CURRENT_LIST_DIR}/accessible_role.h
  ${CMAKE_CURRENT_LIST_DIR}/accessible_role.cpp
  ${CMAKE_CURRENT_LIST_DIR}/am_edit.cpp
  ${CMAKE_CURRENT_LIST_DIR}/background_task.h
  ${CMAKE_CURRENT_LIST_DIR}/background_task.cpp
  ${CMAKE_CURRENT_LIST_DIR}/calc_button.h
  ${CMAKE_CURRENT_LIST_DIR}/calc_button.cpp
  ${CMAKE_CURRENT_LIST_DIR}/clipboard_bytes.h
  ${CMAKE_CURRENT_LIST_DIR}/clipboard_bytes.cpp
  ${CMAKE_CURRENT_LIST_DIR}/colour_combo.h
  ${CMAKE_CURRENT_LIST_DIR}/colour_combo.cpp
  ${CMAKE_CURRENT_LIST_DIR}/display_font.h
  ${CMAKE_CURRENT_LIST_DIR}/display_font.cpp
  ${CMAKE_CURRENT_LIST_DIR}/fitted_text.h
  ${CMAKE_CURRENT_LIST_DIR}/fitted_text.cpp
  ${CMAKE_CURRENT_LIST_DIR}/heading_fields.h
  ${CMAKE_CURRENT_LIST_DIR}/heading_fields.cpp
  ${CMAKE_CURRENT_LIST_DIR}/icons.h
  ${CMAKE_CURRENT_LIST_DIR}/icons.cpp
  ${CMAKE_CURRENT_LIST_DIR}/line_edit_paste.h
  ${CMAKE_CURRENT_LIST_DIR}/line_edit_paste.cpp
  ${CMAKE_CURRENT_LIST_DIR}/radio_group.h
  ${CMAKE_CURRENT_LIST_DIR}/radio_group.cpp
  ${CMAKE_CURRENT_LIST_DIR}/readable_text.h
  ${CMAKE_CURRENT_LIST_DIR}/user_dialogs.h
  ${CMAKE_CURRENT_LIST_DIR}/user_dialogs.cpp
  ${CMAKE_CURRENT_LIST_DIR}/status_panel.h
  ${CMAKE_CURRENT_LIST_DIR}/status_panel.cpp
  ${CMAKE_CURRENT_LIST_DIR}/steady_scroll_bar.h
  ${CMAKE_CURRENT_LIST_DIR}/steady_scroll_bar.cpp
  ${CMAKE_CURRENT_LIST_DIR}/svg_picture.h
  ${CMAKE_CURRENT_LIST_DIR}/svg_picture.cpp
  ${CMAKE_CURRENT_LIST_DIR}/work_progress.h
  ${CMAKE_CURRENT_LIST_DIR}/work_progress.cpp
  ${CMAKE_CURRENT_LIST_DIR}/x11_selection_reader.h
  ${CMAKE_CURRENT_LIST_DIR}/x11_selection_reader.cpp)
# The paste's own reader of the X selections.
find_package(PkgConfig REQUIRED)
pkg_check_modules(XCB REQUIRED IMPORTED_TARGET xcb)
target_link_libraries(ombrel_ui PRIVATE PkgConfig::XCB)
