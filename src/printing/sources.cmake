target_sources(ombrel_core PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/report.cpp)
target_sources(ombrel_ui PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/pdf_replacement.cpp
  ${CMAKE_CURRENT_LIST_DIR}/report_painter.cpp
  ${CMAKE_CURRENT_LIST_DIR}/report_page_view.cpp
  ${CMAKE_CURRENT_LIST_DIR}/preview_form.cpp
  ${CMAKE_CURRENT_LIST_DIR}/print_form.cpp)
