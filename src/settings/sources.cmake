target_sources(ombrel_core PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/settings_codec.cpp
  ${CMAKE_CURRENT_LIST_DIR}/grid_layout.cpp)
target_sources(ombrel_ui PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/settings_store.cpp
  ${CMAKE_CURRENT_LIST_DIR}/settings_sections.cpp
  ${CMAKE_CURRENT_LIST_DIR}/preferences.cpp)
