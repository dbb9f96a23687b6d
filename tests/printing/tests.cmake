ombrel_add_test(printing CORE SOURCES
  ${CMAKE_CURRENT_LIST_DIR}/report_test.cpp)
