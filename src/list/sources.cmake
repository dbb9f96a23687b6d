target_sources(ombrel_core PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/calc_sheet.cpp)
target_sources(ombrel_ui PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/list_model.cpp)
