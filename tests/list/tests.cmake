ombrel_add_test(list CORE SOURCES
  ${CMAKE_CURRENT_LIST_DIR}/calc_sheet_test.cpp
  ${CMAKE_CURRENT_LIST_DIR}/clipboard_text_test.cpp
  ${CMAKE_CURRENT_LIST_DIR}/drag_state_test.cpp
  ${CMAKE_CURRENT_LIST_DIR}/header_sections_test.cpp
  ${CMAKE_CURRENT_LIST_DIR}/sheet_ops_test.cpp)
ombrel_add_test(list_models SOURCES
  ${CMAKE_CURRENT_LIST_DIR}/find_form_test.cpp
  ${CMAKE_CURRENT_LIST_DIR}/list_model_test.cpp
  ${CMAKE_CURRENT_LIST_DIR}/calc_grid_test.cpp
  ${CMAKE_CURRENT_LIST_DIR}/cell_delegate_test.cpp
  ${CMAKE_CURRENT_LIST_DIR}/list_headers_test.cpp
  ${CMAKE_CURRENT_LIST_DIR}/uniform_row_table_test.cpp)
