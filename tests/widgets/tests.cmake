ombrel_add_test(widgets SOURCES
  ${CMAKE_CURRENT_LIST_DIR}/test_am_edit.cpp
  ${CMAKE_CURRENT_LIST_DIR}/test_display_font.cpp)
