target_sources(ombrel_core PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/report.cpp)
target_sources(ombrel_ui PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/report_painter.cpp)
