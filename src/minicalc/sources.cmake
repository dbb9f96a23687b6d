target_sources(ombrel_core PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/mini_keys.cpp)
target_sources(ombrel_ui PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/mini_calc_form.cpp)
