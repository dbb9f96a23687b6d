target_sources(ombrel_core PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/report.cpp)
