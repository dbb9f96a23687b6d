ombrel_add_test(cli CORE SOURCES
  ${CMAKE_CURRENT_LIST_DIR}/calc_expression_test.cpp)
target_compile_definitions(test_cli PRIVATE OMBREL_VERSION="${PROJECT_VERSION}")
