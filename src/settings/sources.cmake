target_sources(ombrel_core PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/settings_codec.cpp
  ${CMAKE_CURRENT_LIST_DIR}/contrast.cpp
  ${CMAKE_CURRENT_LIST_DIR}/grid_layout.cpp
  ${CMAKE_CURRENT_LIST_DIR}/app_settings.cpp
  ${CMAKE_CURRENT_LIST_DIR}/window_placement.cpp)
target_sources(ombrel_ui PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/settings_store.cpp
  ${CMAKE_CURRENT_LIST_DIR}/settings_sections.cpp
  ${CMAKE_CURRENT_LIST_DIR}/preferences_target.cpp
  ${CMAKE_CURRENT_LIST_DIR}/preferences.cpp)
