target_sources(ombrel_core PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/calc_sheet.cpp
  ${CMAKE_CURRENT_LIST_DIR}/clipboard_text.cpp
  ${CMAKE_CURRENT_LIST_DIR}/drag_state.cpp
  ${CMAKE_CURRENT_LIST_DIR}/header_sections.cpp
  ${CMAKE_CURRENT_LIST_DIR}/sheet_ops.cpp)
target_sources(ombrel_ui PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/calc_grid.cpp
  ${CMAKE_CURRENT_LIST_DIR}/cell_delegate.cpp
  ${CMAKE_CURRENT_LIST_DIR}/drop_target.cpp
  ${CMAKE_CURRENT_LIST_DIR}/find_form.cpp
  ${CMAKE_CURRENT_LIST_DIR}/list_headers.cpp
  ${CMAKE_CURRENT_LIST_DIR}/list_model.cpp
  ${CMAKE_CURRENT_LIST_DIR}/timecode_mime.cpp
  ${CMAKE_CURRENT_LIST_DIR}/uniform_row_table.cpp)
