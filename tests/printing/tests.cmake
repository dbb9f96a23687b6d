ombrel_add_test(printing CORE SOURCES
  ${CMAKE_CURRENT_LIST_DIR}/report_test.cpp)
ombrel_add_test(printing_ui SOURCES
  ${CMAKE_CURRENT_LIST_DIR}/report_painter_test.cpp
  ${CMAKE_CURRENT_LIST_DIR}/print_forms_test.cpp)
