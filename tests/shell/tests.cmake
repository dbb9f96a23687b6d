ombrel_add_test(shell SOURCES
  ${CMAKE_CURRENT_LIST_DIR}/main_form_test.cpp)
