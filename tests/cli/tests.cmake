ombrel_add_test(cli CORE SOURCES
  ${CMAKE_CURRENT_LIST_DIR}/calc_expression_test.cpp
  ${CMAKE_CURRENT_LIST_DIR}/calc_batch_test.cpp
  ${CMAKE_CURRENT_LIST_DIR}/calc_sheet_test.cpp)
target_compile_definitions(test_cli PRIVATE OMBREL_VERSION="${PROJECT_VERSION}")
