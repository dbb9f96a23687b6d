ombrel_add_test(widgets SOURCES
  ${CMAKE_CURRENT_LIST_DIR}/am_edit_test.cpp
  ${CMAKE_CURRENT_LIST_DIR}/display_font_test.cpp
  ${CMAKE_CURRENT_LIST_DIR}/icons_test.cpp
  ${CMAKE_CURRENT_LIST_DIR}/line_edit_paste_test.cpp
  ${CMAKE_CURRENT_LIST_DIR}/status_panel_test.cpp)
